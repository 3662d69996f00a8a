#include "agent/schedule/meeting_search.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
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

// People built from their descriptions; the clocks and busy times live as long as this.
class People {
 public:
  std::vector<Person> Of(const std::vector<Who>& who) {
    std::vector<Person> people;
    for (const Who& w : who) {
      clocks_.emplace_back(FindZone(w.zone), 2023y, 2025y);
      busy_.emplace_back(w.busy, sys_days{2023y / January / 1}, sys_days{2026y / January / 1});
      people.push_back(Person{w.zone, &clocks_.back(), w.hours, &busy_.back()});
    }
    return people;
  }

 private:
  std::deque<ZoneOffsets> clocks_;
  std::deque<BusyTime> busy_;
};

// The instants from `first` to `last` (both included), `step` apart.
std::vector<sys_seconds> Every(sys_seconds first, sys_seconds last, minutes step) {
  std::vector<sys_seconds> all;
  for (sys_seconds t = first; t <= last; t += step) all.push_back(t);
  return all;
}

std::vector<sys_seconds> Starts(const MeetingAnswer& answer) {
  std::vector<sys_seconds> starts;
  for (const MeetingSlot& slot : answer.slots) starts.push_back(slot.start);
  return starts;
}

MeetingQuery Query(sys_seconds from, sys_seconds to, minutes length, minutes step) {
  MeetingQuery query;
  query.from = from;
  query.to = to;
  query.length = length;
  query.step = step;
  return query;
}

// Expected starts are worked out from each zone's offset on the day (UTC times throughout).
// Busy time, optional people and the autumn clock changes are checked minute by minute against
// Python's zoneinfo by cli/meet_zoneinfo_check.py; these are the spring change and the edges of
// the day.
TEST(FindMeetings, StartsInsideEveryonesHoursAndFreeTime) {
  const sys_days apr1{2024y / April / 1};    // Monday after Berlin's change to summer time
  const sys_days mar31{2024y / March / 31};  // Berlin's 23-hour day
  const sys_days mar8{2024y / March / 8};    // Friday; 15:00 UTC is Saturday in Tokyo
  const sys_days jan9{2024y / January / 9};
  struct Row {
    const char* what;
    std::vector<Who> required;
    MeetingQuery query;
    std::vector<sys_seconds> starts;
  };
  auto weekdays = [](MeetingQuery query) {
    query.weekdaysOnly = true;
    return query;
  };
  const std::vector<Row> rows = {
      {"Berlin's hours start at 07:00 UTC in summer",
       {{"Europe/Berlin", kNineToFive, {}}},
       Query(apr1 + 6h, apr1 + 9h, 60min, 60min),
       {apr1 + 7h, apr1 + 8h}},
      {"a whole day of 23 hours",
       {{"Europe/Berlin", kAllDay, {}}},
       Query(mar31 - 2h, mar31 + 22h, 90min, 30min),
       Every(mar31 - 1h, mar31 + 20h + 30min, 30min)},
      {"hours may end at 24:00, but a meeting stays inside one day",
       {{"America/New_York", {22h, 24h}, {}}},
       Query(jan9 + 2h, jan9 + 6h, 120min, 30min),
       {jan9 + 3h}},
      {"Friday evening in UTC is Saturday in Tokyo",
       {{"Asia/Tokyo", kAllDay, {}}},
       weekdays(Query(mar8 + 14h, mar8 + 16h, 60min, 60min)),
       {mar8 + 14h}},
  };
  for (const Row& row : rows) {
    People people;
    const MeetingAnswer answer = FindMeetings(people.Of(row.required), {}, row.query);
    EXPECT_EQ(Starts(answer), row.starts) << row.what;
    EXPECT_EQ(answer.none.has_value(), row.starts.empty()) << row.what;
  }
}

TEST(FindMeetings, OptionalPeopleAreCountedNotRequired) {
  const sys_days mar4{2024y / March / 4};
  People people;
  const std::vector<Person> required = people.Of({{"Europe/Berlin", kAllDay, {}}});
  const std::vector<Person> optional = people.Of({
      {"America/New_York", kNineToFive, {}},                                        // 14:00-22:00
      {"Europe/Berlin", kNineToFive, {{mar4 + 10h, mar4 + 11h, BusyKind::kBusy}}},  // 08-16
  });
  MeetingQuery query = Query(mar4 + 9h, mar4 + 15h, 60min, 60min);
  query.limit = 3;
  const MeetingAnswer answer = FindMeetings(required, optional, query);
  ASSERT_EQ(Starts(answer), Every(mar4 + 9h, mar4 + 11h, 60min));
  EXPECT_EQ(answer.slots[0].optionalFree, std::vector<std::size_t>{1});
  EXPECT_EQ(answer.slots[1].optionalFree, std::vector<std::size_t>{});
  EXPECT_EQ(answer.slots[2].optionalFree, std::vector<std::size_t>{1});
  EXPECT_EQ(answer.slots[2].end, mar4 + 12h);
}

TEST(FindMeetings, SaysWhyNothingQualifies) {
  const sys_days mar4{2024y / March / 4};  // Monday
  const sys_days mar9{2024y / March / 9};  // Saturday
  const BusyInterval allDay{mar4, mar4 + 24h, BusyKind::kUnavailable};
  const BusyInterval lateAfternoon{mar4 + 14h, mar4 + 16h, BusyKind::kBusy};
  struct Row {
    const char* what;
    std::vector<Who> required;
    MeetingQuery query;
    NoSlot why;
  };
  MeetingQuery weekend = Query(mar9 + 12h, mar9 + 24h, 60min, 30min);
  weekend.weekdaysOnly = true;
  const std::vector<Row> rows = {
      {"Tokyo's hours never meet the others'",
       {{"America/New_York", kNineToFive, {}},
        {"Europe/Berlin", {14h, 22h}, {}},
        {"Asia/Tokyo", kNineToFive, {}}},
       Query(mar4, mar4 + 24h, 60min, 30min),
       {NoSlot::kOutsideHours, {2}, 0, 0}},
      {"a weekend leaves no one any hours",
       {{"America/New_York", kAllDay, {}}, {"Asia/Tokyo", kAllDay, {}}},
       weekend,
       {NoSlot::kOutsideHours, {0, 1}, 0, 0}},
      {"the busiest person is named",
       {{"America/New_York", kNineToFive, {lateAfternoon}}, {"Europe/Berlin", kAllDay, {allDay}}},
       Query(mar4, mar4 + 24h, 60min, 30min),
       {NoSlot::kBlocked, {1}, 15, 15}},
  };
  for (const Row& row : rows) {
    People people;
    const MeetingAnswer answer = FindMeetings(people.Of(row.required), {}, row.query);
    ASSERT_TRUE(answer.none.has_value()) << row.what;
    EXPECT_EQ(answer.none->kind, row.why.kind) << row.what;
    EXPECT_EQ(answer.none->people, row.why.people) << row.what;
    EXPECT_EQ(answer.none->count, row.why.count) << row.what;
    EXPECT_EQ(answer.none->of, row.why.of) << row.what;
  }
}

}  // namespace
}  // namespace dayweave::agent
