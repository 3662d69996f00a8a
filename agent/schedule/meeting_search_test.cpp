#include "agent/schedule/meeting_search.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "agent/input/time_zones.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

struct Who {
  const char* zone;
  WorkingHours hours;
  std::vector<BusyInterval> busy;
};

constexpr WorkingHours kNineToFive{9h, 17h};
constexpr WorkingHours kAllDay{0h, 24h};

MeetingQuery Query(sys_seconds from, sys_seconds to, minutes length, minutes step,
                   bool weekdaysOnly = false) {
  return {from, to, length, step, weekdaysOnly, BusyKind::kTentative, std::nullopt};
}

// Expected starts are worked out from each zone's offset on the day (UTC times throughout).
// cli/meet_zoneinfo_check.py checks busy time, optional people, each person's own weekdays and
// offsets around the autumn clock changes minute by minute against Python's zoneinfo; these
// are the spring change's short day, the edges of the day and why nothing qualifies (the limit is
// met by --limit in cli-answers.txt).
TEST(FindMeetings, StartsInsideEveryonesHoursAndFreeTimeOrSaysWhyNone) {
  const sys_days mar31{2024y / March / 31};  // Berlin's 23-hour day
  const sys_days jan9{2024y / January / 9};
  const sys_days mar4{2024y / March / 4};  // Monday
  const sys_days mar9{2024y / March / 9};  // Saturday
  std::vector<sys_seconds> berlinDay;      // every half hour from Berlin's 00:00 to its 22:30
  for (sys_seconds t = mar31 - 1h; t <= mar31 + 20h + 30min; t += 30min) berlinDay.push_back(t);
  const BusyInterval allDay{mar4, mar4 + 24h, BusyKind::kUnavailable};
  const BusyInterval lateAfternoon{mar4 + 14h, mar4 + 16h, BusyKind::kBusy};
  struct Row {
    const char* what;
    std::vector<Who> required;
    MeetingQuery query;
    std::vector<sys_seconds> starts;
    NoSlot why = {};  // when there is no start
  };
  const std::vector<Row> rows = {
      {"a whole day of 23 hours",
       {{"Europe/Berlin", kAllDay, {}}},
       Query(mar31 - 2h, mar31 + 22h, 90min, 30min),
       berlinDay},
      {"hours may end at 24:00, but a meeting stays inside one day",
       {{"America/New_York", {22h, 24h}, {}}},
       Query(jan9 + 2h, jan9 + 6h, 120min, 30min),
       {jan9 + 3h}},
      {"Tokyo's hours never meet the others'",
       {{"America/New_York", kNineToFive, {}},
        {"Europe/Berlin", {14h, 22h}, {}},
        {"Asia/Tokyo", kNineToFive, {}}},
       Query(mar4, mar4 + 24h, 60min, 30min),
       {},
       {NoSlot::kOutsideHours, {2}, 0, 0}},
      {"a weekend leaves no one any hours",
       {{"America/New_York", kAllDay, {}}, {"Asia/Tokyo", kAllDay, {}}},
       Query(mar9 + 12h, mar9 + 24h, 60min, 30min, true),
       {},
       {NoSlot::kOutsideHours, {0, 1}, 0, 0}},
      {"the busiest person is named",
       {{"America/New_York", kNineToFive, {lateAfternoon}}, {"Europe/Berlin", kAllDay, {allDay}}},
       Query(mar4, mar4 + 24h, 60min, 30min),
       {},
       {NoSlot::kBlocked, {1}, 15, 15}},
  };
  for (const Row& row : rows) {
    std::deque<ZoneOffsets> clocks;
    std::deque<BusyTime> busy;
    std::vector<Person> people;
    for (const Who& w : row.required) {
      clocks.emplace_back(FindZone(w.zone), 2023y, 2025y);
      busy.emplace_back(w.busy, sys_days{2023y / January / 1}, sys_days{2026y / January / 1});
      people.push_back(Person{w.zone, &clocks.back(), w.hours, &busy.back()});
    }
    const MeetingAnswer answer = FindMeetings(people, {}, row.query);
    std::vector<sys_seconds> starts;
    for (const MeetingSlot& slot : answer.slots) starts.push_back(slot.start);
    EXPECT_EQ(starts, row.starts) << row.what;
    ASSERT_EQ(answer.none.has_value(), row.starts.empty()) << row.what;
    if (!answer.none) continue;
    const NoSlot& why = *answer.none;
    EXPECT_EQ(std::tie(why.kind, why.people, why.count, why.of),
              std::tie(row.why.kind, row.why.people, row.why.count, row.why.of))
        << row.what;
  }
}

}  // namespace
}  // namespace dayweave::agent
