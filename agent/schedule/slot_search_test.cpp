#include "agent/schedule/slot_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "agent/schedule/availability.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::At;

TEST(SlotSearchTest, CandidateSlotsFollowTheGridTheHoursAndTheWeekdays) {
  const testing::Loaded loaded(testing::Calendar(
      testing::Event("UID:m@test\nDTSTART:20030414T100000\nDTEND:20030414T110000\n")));
  for (const auto& row : testing::TableRows("slot-grid.txt")) {
    const SlotQuery query{testing::WallClock(row.at(0)),
                          testing::WallClock(row.at(1)),
                          minutes{std::stoi(row.at(2))},
                          minutes{std::stoi(row.at(3))},
                          hours{std::stoi(row.at(4))},
                          hours{std::stoi(row.at(5))},
                          row.at(6) == "1"};
    std::vector<local_seconds> free;
    std::istringstream starts(row.at(7));
    for (std::string start; starts >> start;) free.push_back(testing::WallClock(start));
    EXPECT_EQ(FreeSlots(loaded.schedule, query), free) << row[0] << " " << row[2];
  }
}

// Asking only the appointments that can touch a day gives the answers that asking every
// appointment about every candidate gives.
TEST(SlotSearchTest, TheDaySweepChangesNoAnswer) {
  const testing::Loaded loaded(testing::TestData("recurrence.ics"));
  const Schedule& schedule = loaded.schedule;
  const local_seconds from = At(2003, 1, 1);
  const local_seconds to = At(2003, 4, 1);
  std::vector<Appointment> everything = schedule.OneOffs();
  everything.insert(everything.end(), schedule.Recurring().begin(), schedule.Recurring().end());
  for (const ExpandedEvent& expanded : schedule.Expanded()) {
    OccurrenceStream stream(*expanded.event, schedule.Display(),
                            EventTime{(from - days{3}).time_since_epoch()});
    Occurrence occurrence;
    while (stream.Next(occurrence) && occurrence.start < to + days{3}) {
      everything.push_back(OccurrenceAppointment(*expanded.event, occurrence));
    }
  }
  for (const auto& [length, hoursFrom, hoursTo] :
       {std::tuple{60min, 8h, 18h}, std::tuple{45min, 0h, 24h}}) {
    const SlotQuery query{from, to, length, 15min, hoursFrom, hoursTo, false};
    std::vector<local_seconds> expected;
    for (local_days day = floor<days>(from); day < floor<days>(to); day += days{1}) {
      for (local_seconds t = day + hoursFrom; t + length <= day + hoursTo; t += 15min) {
        const bool free =
            std::all_of(everything.begin(), everything.end(),
                        [&](const Appointment& a) { return LeavesFree(a, t, length); });
        if (free) expected.push_back(t);
      }
    }
    const std::vector<local_seconds> found = FreeSlots(schedule, query);
    EXPECT_EQ(found, expected) << length.count();
    EXPECT_GT(found.size(), 100u);
  }
}

}  // namespace
}  // namespace dayweave::agent
