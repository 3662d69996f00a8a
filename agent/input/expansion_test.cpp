#include "agent/input/expansion.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::At;
using testing::Calendar;
using testing::Event;

struct Stretch {
  std::chrono::local_seconds start;
  std::chrono::local_seconds end;
  friend bool operator==(const Stretch&, const Stretch&) = default;
};

std::ostream& operator<<(std::ostream& out, const Stretch& s) {
  return out << ToOle(s.start).Format().str() << " - " << ToOle(s.end).Format().str();
}

// The first `count` occurrences of the only event of `lines`, on the clock of `zone`.
std::vector<Stretch> First(const std::string& lines, std::size_t count, const char* zone = "UTC",
                           EventTime from = EventTime{}) {
  const CalendarFile file = ReadCalendar(Calendar(lines), "x.ics");
  EXPECT_EQ(file.warnings.size(), 0u);
  std::vector<Stretch> found;
  if (file.events.empty()) return found;
  OccurrenceStream stream(file.events[0], FindZone(zone), from);
  Occurrence o;
  while (found.size() < count && stream.Next(o)) {
    found.push_back(Stretch{o.start, o.end});
  }
  return found;
}

Stretch Hour(int year, unsigned month, unsigned day, int hour) {
  return Stretch{At(year, month, day, hour), At(year, month, day, hour + 1)};
}

// Each row: an event and its occurrences in time order, on the UTC clock. Periods of RDATE
// are checked on a real calendar in cli/real_calendars_test.cpp, all-day rules with libical on
// recurrence.ics in libical_agreement_test.cpp.
TEST(ExpansionTest, ExdatesAndRdatesInTimeOrder) {
  const std::string hour = "DTSTART:20030106T090000\nDTEND:20030106T100000\n";
  struct Case {
    std::string lines;
    std::vector<Stretch> expected;
  } cases[] = {
      {hour + "RRULE:FREQ=WEEKLY;COUNT=4\nEXDATE:20030113T090000\n"
              "RDATE:20030108T090000,20030120T090000\n",
       {Hour(2003, 1, 6, 9), Hour(2003, 1, 8, 9), Hour(2003, 1, 20, 9), Hour(2003, 1, 27, 9)}},
      // A date in EXDATE takes out that day's occurrence.
      {hour + "RRULE:FREQ=WEEKLY;COUNT=3\nEXDATE;VALUE=DATE:20030113\n",
       {Hour(2003, 1, 6, 9), Hour(2003, 1, 20, 9)}},
      // DTSTART without a rule, excluded by its own EXDATE, leaves the RDATEs.
      {hour + "EXDATE:20030106T090000\nRDATE:20030107T090000\n", {Hour(2003, 1, 7, 9)}},
  };
  for (const Case& c : cases) EXPECT_EQ(First(Event(c.lines), 10), c.expected) << c.lines;
}

TEST(ExpansionTest, StartingLateGivesTheSameLaterOccurrences) {
  const std::string daily =
      Event("DTSTART:20030101T090000\nDTEND:20030101T100000\nRRULE:FREQ=DAILY;BYHOUR=9,15\n");
  const std::vector<Stretch> all = First(daily, 400);
  const EventTime from{At(2003, 6, 1).time_since_epoch()};
  const std::vector<Stretch> late = First(daily, 20, "UTC", from);
  ASSERT_EQ(late.size(), 20u);
  EXPECT_EQ(late.front().start, At(2003, 6, 1, 9));
  auto at = std::find(all.begin(), all.end(), late.front());
  ASSERT_NE(at, all.end());
  EXPECT_TRUE(std::equal(late.begin(), late.end(), at));
}

// Real lengths across the clock changes are compared with libical on zones.ics.
TEST(ExpansionTest, AStreamStopsAtItsMostSteps) {
  const CalendarFile file = ReadCalendar(
      Calendar(Event("DTSTART:20030101T090000\nDTEND:20030101T100000\nRRULE:FREQ=DAILY\n")),
      "x.ics");
  OccurrenceStream stream(file.events[0], icaltimezone_get_utc_timezone(), EventTime{}, 10);
  Occurrence o;
  int count = 0;
  while (stream.Next(o)) ++count;
  // Ten steps of the iterator, ten occurrences; the eleventh step is refused, and what follows
  // the tenth start (10 January 09:00) is unknown.
  EXPECT_EQ(count, 10);
  EXPECT_TRUE(stream.OverLimit());
  EXPECT_EQ(stream.UncheckedFrom(), testing::At(2003, 1, 10, 9));
}

}  // namespace
}  // namespace dayweave::agent
