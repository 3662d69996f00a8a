#include "agent/input/expansion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Event;

const std::string kDaily =
    Event("DTSTART:20030101T090000\nDTEND:20030101T100000\nRRULE:FREQ=DAILY;BYHOUR=9,15\n");

// The first `count` occurrences of the only event of `lines` on the UTC clock, from `from` on,
// as "start - end" with the library's text, joined by ", "; then where a stream stopped by
// `mostSteps` stopped knowing.
std::string First(const std::string& lines, std::size_t count, EventTime from = EventTime{},
                  long mostSteps = kMostExpansionSteps) {
  const CalendarFile file = ReadCalendar(testing::Calendar(lines), "x.ics");
  EXPECT_EQ(file.warnings.size(), 0u);
  std::string found;
  if (file.events.empty()) return found;
  OccurrenceStream stream(file.events[0], icaltimezone_get_utc_timezone(), from, mostSteps);
  Occurrence o;
  for (std::size_t n = 0; n < count && stream.Next(o); ++n) {
    found += (n ? ", " : "") + testing::Text(o.start) + " - " + testing::Text(o.end);
  }
  if (const auto unchecked = stream.UncheckedFrom())
    found += "; unchecked from " + testing::Text(*unchecked);
  return found;
}

// Each row of exdates-and-rdates.txt. Periods of RDATE are checked on a real calendar in
// answers.txt, all-day rules with libical on recurrence.ics in libical_agreement_test.cpp.
TEST(ExpansionTest, ExdatesAndRdatesInTimeOrder) {
  for (const auto& row : testing::TableRows("exdates-and-rdates.txt")) {
    EXPECT_EQ(First(Event(row.at(0) + "\n"), 10), row.at(1)) << row[0];
  }
}

TEST(ExpansionTest, StartingLateGivesTheSameLaterOccurrences) {
  const std::string late = First(kDaily, 20, EventTime{testing::At(2003, 6, 1).time_since_epoch()});
  EXPECT_TRUE(late.starts_with("6/1/2003 9:00:00 AM - 6/1/2003 10:00:00 AM, ")) << late;
  EXPECT_EQ(std::count(late.begin(), late.end(), ','), 19);
  EXPECT_NE(First(kDaily, 400).find(late), std::string::npos);
}

// Ten steps of the iterator, ten occurrences (09:00 and 15:00 on five days); the eleventh step
// is refused, and what follows the tenth start (5 January 15:00) is unknown. Real lengths across
// the clock changes are compared with libical on zones.ics.
TEST(ExpansionTest, AStreamStopsAtItsMostSteps) {
  EXPECT_EQ(First(kDaily, 20, EventTime{}, 10),
            First(kDaily, 10) + "; unchecked from 1/5/2003 3:00:00 PM");
}

}  // namespace
}  // namespace dayweave::agent
