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

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//test//EN\n" + events + "END:VCALENDAR\n";
}

bool MeetSaysBusy(const BusyTime& busy, sys_seconds at) {
  for (const Interval& blocked : busy.Blocking(BusyKind::kTentative)) {
    if (blocked.start <= at && at < blocked.end) return true;
  }
  return false;
}

TEST(BusyReadingTest, AgreesWithHandWorkedAnswersAndWithFree) {
  struct Case {
    const char* what;
    std::string events;
    std::vector<std::pair<sys_seconds, bool>> busyAt;  // instants and the answer
  };
  const std::vector<Case> cases = {
      // Daily at noon; from 5 June on every occurrence moves 3 days later, from 8 June on a
      // day and 3 hours earlier: 9 June's comes on 8 June, after 6 June's on 9 June.
      {"moved later, then earlier",
       "BEGIN:VEVENT\nUID:m\nDTSTART:20240601T120000Z\nDTEND:20240601T130000Z\n"
       "RRULE:FREQ=DAILY\nSUMMARY:Lunch\nEND:VEVENT\n"
       "BEGIN:VEVENT\nUID:m\nRECURRENCE-ID;RANGE=THISANDFUTURE:20240605T120000Z\n"
       "DTSTART:20240608T120000Z\nDTEND:20240608T130000Z\nEND:VEVENT\n"
       "BEGIN:VEVENT\nUID:m\nRECURRENCE-ID;RANGE=THISANDFUTURE:20240608T120000Z\n"
       "DTSTART:20240607T090000Z\nDTEND:20240607T100000Z\nEND:VEVENT\n",
       {{sys_days{2024y / June / 4} + 12h + 30min, true},
        {sys_days{2024y / June / 5} + 12h + 30min, false},
        {sys_days{2024y / June / 7} + 9h + 30min, true},  // the override itself
        {sys_days{2024y / June / 7} + 12h + 30min, false},
        {sys_days{2024y / June / 8} + 9h + 30min, true},  // 9 June's occurrence
        {sys_days{2024y / June / 8} + 12h + 30min, true},
        {sys_days{2024y / June / 9} + 12h + 30min, true},  // 6 June's
        {sys_days{2024y / June / 10} + 9h + 30min, true},
        {sys_days{2024y / June / 11} + 12h + 30min, false}}},
      // libical 3.0.16 gives no occurrence for these days.
      {"last two days of the month",
       "BEGIN:VEVENT\nUID:l\nDTSTART:20240601T100000Z\nDTEND:20240601T110000Z\n"
       "RRULE:FREQ=DAILY;BYMONTHDAY=-1,-2\nEND:VEVENT\n",
       {{sys_days{2024y / June / 28} + 10h + 30min, false},
        {sys_days{2024y / June / 29} + 10h + 30min, true},
        {sys_days{2024y / June / 30} + 10h + 30min, true}}},
      {"no length, and a period in its own zone",
       "BEGIN:VEVENT\nUID:z\nDTSTART:20240603T100000Z\nEND:VEVENT\n"
       "BEGIN:VEVENT\nUID:p\nDTSTART:20240601T080000Z\nDTEND:20240601T090000Z\n"
       "RDATE;TZID=America/New_York;VALUE=PERIOD:20240607T150000/PT2H\nEND:VEVENT\n",
       {{sys_days{2024y / June / 3} + 10h, false},
        {sys_days{2024y / June / 7} + 15h + 30min, false},
        {sys_days{2024y / June / 7} + 19h + 30min, true},
        {sys_days{2024y / June / 7} + 20h + 30min, true},
        {sys_days{2024y / June / 7} + 21h, false}}},
  };
  const sys_seconds from = sys_days{2024y / June / 1};
  const sys_seconds to = sys_days{2024y / July / 1};
  for (const Case& c : cases) {
    const std::string text = Calendar(c.events);
    ZoneOffsetCache cache;
    InstantClock clock(cache, FindZone("UTC"), 2024y, 2024y);
    std::vector<std::string> warnings;
    const BusyTime busy = ReadBusyTime(ReadCalendar(text, "t.ics"), clock, {from, to}, warnings);
    LoadedSchedule loaded(text, "t.ics", FindZone("UTC"), "UTC");
    FreeBusy freeBusy(loaded.schedule);
    for (const auto& [at, expected] : c.busyAt) {
      const local_seconds onUtcClock{at.time_since_epoch()};
      EXPECT_EQ(MeetSaysBusy(busy, at), expected)
          << c.what << " at " << at.time_since_epoch().count();
      EXPECT_EQ(!freeBusy.AskStretch(onUtcClock, minutes{1}).free, expected)
          << c.what << " at " << at.time_since_epoch().count();
    }
    EXPECT_TRUE(warnings.empty()) << c.what << ": " << warnings.front();
  }
}

// RDATEs with a TZID, a period among them, on their zones' clocks and not the owner's (UTC
// here): New York keeps UTC-5 and Berlin UTC+1 in January.
TEST(BusyReadingTest, ReadsEachRdateOnTheClockOfItsTzid) {
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

// A rule libical cannot get through: its time from where it stopped counts as busy, and a
// warning names the event.
TEST(BusyReadingTest, TimeThatCouldNotBeCheckedIsBusy) {
  std::string every = "0", everyHour = "0";
  for (int i = 1; i < 60; ++i) every += "," + std::to_string(i);
  for (int i = 1; i < 24; ++i) everyHour += "," + std::to_string(i);
  const std::string text = Calendar(
      "BEGIN:VEVENT\nUID:o\nDTSTART:20240101T090000Z\nDTEND:20240101T090001Z\n"
      "RRULE:FREQ=YEARLY;BYDAY=SU,MO,TU,WE,TH,FR,SA;BYSECOND=" +
      every + ";BYMINUTE=" + every + ";BYHOUR=" + everyHour + ";BYSETPOS=-1\nEND:VEVENT\n");
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), 2024y, 2024y);
  std::vector<std::string> warnings;
  const sys_seconds from = sys_days{2024y / March / 4};
  const BusyTime busy =
      ReadBusyTime(ReadCalendar(text, "t.ics"), clock, {from, from + days{5}}, warnings);
  EXPECT_TRUE(MeetSaysBusy(busy, from + hours{12}));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("event 1 (UID o) could not be checked from"), std::string::npos)
      << warnings[0];
}

}  // namespace
}  // namespace dayweave::agent
