#include "agent/input/busy_reading.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// A rule that libical expands to nothing at all: were it followed by libical's iterator, the
// last day of every month would read as free time.
TEST(ReadBusyTime, FollowsTheRulesLibicalExpandsWronglyWithTheAgentsExpander) {
  const CalendarFile file = ReadCalendar(
      testing::Calendar(testing::Event("UID:close\nDTSTART:20240131T090000Z\n"
                                       "DTEND:20240131T170000Z\nRRULE:FREQ=DAILY;BYMONTHDAY=-1\n")),
      "close.ics");
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), 2023y, 2025y);
  std::vector<std::string> warnings;
  const Interval window{sys_days{2024y / February / 1}, sys_days{2024y / June / 1}};
  const BusyTime busy = ReadBusyTime(file, clock, window, warnings);
  std::vector<BusyInterval> lastDays;
  for (unsigned m = 2; m <= 5; ++m) {
    const sys_days last{2024y / month{m} / std::chrono::last};
    lastDays.push_back({last + 9h, last + 17h, BusyKind::kBusy});
  }
  EXPECT_EQ(busy.Pieces(), lastDays);
  EXPECT_TRUE(warnings.empty());
}

// RDATEs with a TZID, a period among them, on their zones' clocks and not the owner's (UTC
// here): New York keeps UTC-5 and Berlin UTC+1 in January.
TEST(ReadBusyTime, ReadsEachRdateOnTheClockOfItsTzid) {
  const CalendarFile file = ReadCalendar(testing::TestData("rdate-zone.ics"), "rdate-zone.ics");
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), 2005y, 2007y);
  std::vector<std::string> warnings;
  const sys_days january{2006y / January / 1};
  const BusyTime busy = ReadBusyTime(file, clock, {january, january + days{31}}, warnings);
  const auto on = [](year_month_day day, hours from, minutes length) {
    return BusyInterval{sys_days{day} + from, sys_days{day} + from + length, BusyKind::kBusy};
  };
  const std::vector<BusyInterval> expected = {
      on(2006y / January / 2, 14h, 60min),   // DTSTART 09:00 New York
      on(2006y / January / 3, 20h, 120min),  // the period from 15:00 New York
      on(2006y / January / 9, 8h, 60min),    // DTSTART 09:00 Berlin
      on(2006y / January / 10, 13h, 60min),  // the RDATE at 14:00 Berlin
      on(2006y / January / 16, 9h, 60min),   // DTSTART 09:00 UTC
      on(2006y / January / 17, 9h, 60min),   // an unknown zone: the owner's clock
  };
  EXPECT_EQ(busy.Pieces(), expected);
}

// A daily series from 3 June, 12:00-14:00 UTC, ten times, moved from 5 June on to 09:00-16:00
// (three hours earlier, seven long) by an override with RANGE=THISANDFUTURE; 8 June has an
// override of its own at 18:00-19:00.
TEST(ReadBusyTime, MovesTheOccurrencesAThisAndFutureOverrideReaches) {
  const CalendarFile file =
      ReadCalendar(testing::TestData("this-and-future.ics"), "this-and-future.ics");
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), 2023y, 2025y);
  std::vector<std::string> warnings;
  const sys_days june{2024y / June / 1};
  const BusyTime busy = ReadBusyTime(file, clock, {june, june + days{30}}, warnings);
  std::vector<BusyInterval> expected;
  for (int day = 3; day <= 12; ++day) {
    const sys_days on = june + days{day - 1};
    if (day == 8) {
      expected.push_back({on + 18h, on + 19h, BusyKind::kBusy});
    } else if (day < 5) {
      expected.push_back({on + 12h, on + 14h, BusyKind::kBusy});
    } else {
      expected.push_back({on + 9h, on + 16h, BusyKind::kBusy});
    }
  }
  EXPECT_EQ(busy.Pieces(), expected);
}

}  // namespace
}  // namespace dayweave::agent
