// The busy time that meet reads agrees, instant by instant, with answers worked out by hand
// from each event's rule, and with what `free` answers from the schedule, on the event shapes
// where a walker of its own would go wrong.
#include "agent/input/busy_reading.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/loaded_schedule.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// The busy time that meet reads from `text` over `window`, on the UTC clock.
BusyTime Read(const std::string& text, Interval window, std::vector<std::string>& warnings) {
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), year_month_day{floor<days>(window.start)}.year(),
                     year_month_day{floor<days>(window.end)}.year());
  return ReadBusyTime(ReadCalendar(text, "t.ics"), clock, window, warnings);
}

bool MeetSaysBusy(const BusyTime& busy, sys_seconds at) {
  for (const Interval& blocked : busy.Blocking(BusyKind::kTentative)) {
    if (blocked.start <= at && at < blocked.end) return true;
  }
  return false;
}

// moved-twice.ics: daily at noon; from 5 June on every occurrence moves 3 days later, from 8
// June on a day and 3 hours earlier (that override is written first): 9 June's comes on 8 June,
// after 6 June's on 9 June. An event of no length (3 June 10:00) takes no time. (Periods of RDATE
// in their own zone are checked below and in answers.txt.)
TEST(BusyReadingTest, AgreesWithHandWorkedAnswersAndWithFree) {
  const std::string text = testing::TestData("reader/moved-twice.ics");
  const std::pair<const char*, bool> busyAt[] = {
      {"20240603T100000Z", false}, {"20240604T123000Z", true},
      {"20240605T123000Z", false}, {"20240607T093000Z", true},  // the override itself
      {"20240607T123000Z", false}, {"20240608T093000Z", true},  // 9 June's occurrence
      {"20240608T123000Z", true},  {"20240609T123000Z", true},  // 6 June's
      {"20240610T093000Z", true},  {"20240611T123000Z", false}};
  std::vector<std::string> warnings;
  const BusyTime busy =
      Read(text, {sys_days{2024y / June / 1}, sys_days{2024y / July / 1}}, warnings);
  const testing::Loaded loaded(text);
  FreeBusy freeBusy(loaded.schedule);
  for (const auto& [at, expected] : busyAt) {
    EXPECT_EQ(MeetSaysBusy(busy, testing::Instant(at)), expected) << at;
    EXPECT_EQ(!freeBusy.AskStretch(testing::WallClock(at), minutes{1}).free, expected) << at;
  }
  EXPECT_TRUE(warnings.empty()) << warnings.front();
}

// RDATEs with a TZID, a period among them, on their zones' clocks and not the owner's (UTC
// here): New York keeps UTC-5 and Berlin UTC+1 in January.
TEST(BusyReadingTest, ReadsEachRdateOnTheClockOfItsTzid) {
  std::vector<std::string> warnings;
  const sys_days january{2006y / January / 1};
  const BusyTime busy =
      Read(testing::TestData("rdate-zone.ics"), {january, january + days{31}}, warnings);
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

// A rule libical cannot get through (the last of every second of a year): its time from where
// it stopped counts as busy, and a warning names the event.
TEST(BusyReadingTest, TimeThatCouldNotBeCheckedIsBusy) {
  std::vector<std::string> warnings;
  const sys_seconds from = sys_days{2024y / March / 4};
  const BusyTime busy =
      Read(testing::TestData("reader/unreadable-rule.ics"), {from, from + days{5}}, warnings);
  EXPECT_TRUE(MeetSaysBusy(busy, from + hours{12}));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("event 1 (UID o) could not be checked from"), std::string::npos)
      << warnings[0];
}

}  // namespace
}  // namespace dayweave::agent
