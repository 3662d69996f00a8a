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
using testing::Calendar;
using testing::Event;

TEST(SlotSearchTest, CandidateSlotsFollowTheGridTheHoursAndTheWeekdays) {
  // A one-off on Monday 14 April 2003 from 10:00 to 11:00.
  const testing::Loaded loaded(
      Calendar(Event("UID:m@test\nDTSTART:20030414T100000\nDTEND:20030414T110000\n")));
  const Schedule& schedule = loaded.schedule;
  struct Case {
    SlotQuery query;
    std::vector<local_seconds> free;
  } cases[] = {
      // The grid starts at FROM, not at the hours; 09:40 runs into the meeting; TO excludes.
      {{At(2003, 4, 14, 9, 10), At(2003, 4, 14, 12, 10), 30min, 30min, 9h, 17h, false},
       {At(2003, 4, 14, 9, 10), At(2003, 4, 14, 11, 10), At(2003, 4, 14, 11, 40)}},
      // A slot must end by the end of the hours; one that ends at the meeting's start is free.
      {{At(2003, 4, 14, 0, 0), At(2003, 4, 15, 0, 0), 60min, 30min, 9h, 10h, false},
       {At(2003, 4, 14, 9, 0)}},
      // Saturday to Monday, weekdays only.
      {{At(2003, 4, 12, 0, 0), At(2003, 4, 15, 0, 0), 60min, 60min, 9h, 10h, true},
       {At(2003, 4, 14, 9, 0)}},
      {{At(2003, 4, 14, 9, 0), At(2003, 4, 14, 12, 0), 30min, 45min, 9h, 17h, false},
       {At(2003, 4, 14, 9, 0), At(2003, 4, 14, 11, 15)}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreeSlots(schedule, c.query), c.free)
        << testing::Text(c.query.from) << " " << c.query.length.count();
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
