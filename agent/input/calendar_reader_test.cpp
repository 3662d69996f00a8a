#include "agent/input/calendar_reader.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

const std::string kTimes = "DTSTART:20030414T090000\nDTEND:20030414T100000\n";

EventRecord ReadOne(const std::string& lines) {
  const CalendarFile file = ReadCalendar(Calendar(Event(lines)), "one.ics");
  EXPECT_EQ(file.error, "");
  EXPECT_EQ(file.warnings.size(), 0u);
  return file.events.empty() ? EventRecord{} : file.events.front();
}

TEST(CalendarReaderTest, TextsAttendeesAndCategories) {
  const CalendarFile file = ReadCalendar(
      Calendar(Event("UID:a@test\nSUMMARY:Weekly review\nDESCRIPTION:Plans\nLOCATION:Room 4\n" +
                     kTimes +
                     "ATTENDEE;ROLE=REQ-PARTICIPANT:mailto:ana@example.com\n"
                     "ATTENDEE:MAILTO:ben@example.com\n"
                     "ATTENDEE;ROLE=OPT-PARTICIPANT:mailto:chris@example.com\n"
                     "ATTENDEE;ROLE=CHAIR:mailto:dana@example.com\n"
                     "ATTENDEE;ROLE=OPT-PARTICIPANT:mailto:erin@example.com\n"
                     "CATEGORIES:Team,Planning\nCATEGORIES:Weekly\n")),
      "texts.ics");
  ASSERT_EQ(file.events.size(), 1u);
  const EventRecord& e = file.events[0];
  EXPECT_EQ((std::vector<std::string>{e.uid, e.subject, e.body, e.location, e.required, e.optional,
                                      e.attribute}),
            (std::vector<std::string>{
                "a@test", "Weekly review", "Plans", "Room 4", "ana@example.com; ben@example.com",
                "chris@example.com; erin@example.com", "Team, Planning, Weekly"}));
  EXPECT_EQ(e.line, 4);
  EXPECT_EQ(e.duration, 60);
}

TEST(CalendarReaderTest, BusyStatusTakesTheFirstRuleThatApplies) {
  struct Case {
    const char* lines;
    int status;
  } cases[] = {
      {"", 2},
      {"X-MICROSOFT-CDO-BUSYSTATUS:FREE\n", 0},
      {"X-MICROSOFT-CDO-BUSYSTATUS:TENTATIVE\n", 1},
      {"X-MICROSOFT-CDO-BUSYSTATUS:OOF\n", 3},
      {"X-MICROSOFT-CDO-BUSYSTATUS:WORKINGELSEWHERE\n", 2},
      {"X-MICROSOFT-CDO-BUSYSTATUS:oof\n", 3},
      {"STATUS:CANCELLED\n", 0},
      {"STATUS:TENTATIVE\n", 1},
      {"TRANSP:TRANSPARENT\n", 0},
      // The first rule that applies wins, whatever comes after it.
      {"X-MICROSOFT-CDO-BUSYSTATUS:BUSY\nSTATUS:CANCELLED\n", 2},
      {"X-MICROSOFT-CDO-BUSYSTATUS:FREE\nSTATUS:TENTATIVE\n", 0},
      {"STATUS:CANCELLED\nTRANSP:OPAQUE\n", 0},
      {"STATUS:TENTATIVE\nTRANSP:TRANSPARENT\n", 1},
      {"STATUS:CONFIRMED\nTRANSP:TRANSPARENT\n", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadOne(kTimes + c.lines).status, c.status) << c.lines;
  }
}

std::string Alarm(const std::string& trigger) {
  return "BEGIN:VALARM\nACTION:DISPLAY\n" + trigger + "END:VALARM\n";
}

TEST(CalendarReaderTest, ReminderIsTheFirstAlarmsRelativeTrigger) {
  struct Case {
    std::string alarms;
    int flag;
    long minutes;
  } cases[] = {
      {"", 0, 0},
      {Alarm("TRIGGER:-PT15M\n"), 1, 15},
      {Alarm("TRIGGER:-PT1H30M\n"), 1, 90},
      {Alarm("TRIGGER:-P1D\n"), 1, 1440},
      {Alarm("TRIGGER:-P1W\n"), 1, 10080},
      {Alarm("TRIGGER:PT0S\n"), 1, 0},
      {Alarm("TRIGGER:-PT90S\n"), 1, 1},
      // After the start: a negative number of minutes before it.
      {Alarm("TRIGGER:PT5M\n"), 1, -5},
      // Relative to the end of the 60-minute event: 15 minutes before its end is 45 minutes
      // after its start.
      {Alarm("TRIGGER;RELATED=END:-PT15M\n"), 1, -45},
      {Alarm("TRIGGER;RELATED=END:-PT75M\n"), 1, 15},
      {Alarm("TRIGGER;VALUE=DATE-TIME:20030414T083000Z\n"), 0, 0},
      {Alarm("TRIGGER:-PT10M\n") + Alarm("TRIGGER:-PT30M\n"), 1, 10},
      {Alarm(""), 0, 0},
  };
  for (const Case& c : cases) {
    const EventRecord event = ReadOne(kTimes + c.alarms);
    EXPECT_EQ(event.reminderFlag, c.flag) << c.alarms;
    EXPECT_EQ(event.reminder, c.minutes) << c.alarms;
  }
}

TEST(CalendarReaderTest, EndFromDtendDurationOrTheDefaults) {
  struct Case {
    const char* lines;
    long minutes;
    const char* end;
  } cases[] = {
      {"DTSTART:20030414T090000\nDTEND:20030414T103000\n", 90, "20030414T103000"},
      {"DTSTART:20030414T090000\nDURATION:PT45M\n", 45, "20030414T094500"},
      {"DTSTART:20030414T090000\n", 0, "20030414T090000"},
      {"DTSTART;VALUE=DATE:20030414\n", 1440, "20030415"},
      {"DTSTART;VALUE=DATE:20030414\nDTEND;VALUE=DATE:20030417\n", 4320, "20030417"},
      // A real hour across the spring change is 60 minutes, though the wall clock moves by 2.
      {"DTSTART;TZID=Europe/Berlin:20030330T013000\nDTEND;TZID=Europe/Berlin:20030330T033000\n", 60,
       "20030330T033000"},
  };
  for (const Case& c : cases) {
    const EventRecord event = ReadOne(c.lines);
    EXPECT_EQ(event.duration, c.minutes) << c.lines;
    EXPECT_STREQ(icaltime_as_ical_string(event.end), c.end) << c.lines;
  }
}

TEST(CalendarReaderTest, BrokenEventsAreSkippedWithOneWarningEach) {
  const CalendarFile file = ReadCalendar(testing::TestData("broken.ics"), "broken.ics");
  EXPECT_EQ(file.error, "");
  ASSERT_EQ(file.events.size(), 2u);
  EXPECT_EQ(file.events[1].subject, "Readable after");
  EXPECT_EQ(file.events[1].index, 8);
  EXPECT_EQ(file.events[1].line, 45);
  const std::vector<std::string> expected = {
      "broken.ics:10: event 2 (UID no-start@test) skipped: it has no DTSTART",
      "broken.ics:15: event 3 (UID bad-start@test) skipped: libical cannot read its DTSTART",
      "broken.ics:21: event 4 skipped: it ends before it starts",
      "broken.ics:26: event 5 (UID unknown-zone@test) skipped: its DTSTART names the unknown "
      "time zone Mars/Olympus_Mons",
      "broken.ics:32: event 6 (UID bad-rule@test) skipped: libical cannot read its RRULE",
      "broken.ics:39: event 7 (UID year-zero@test) skipped: its DTSTART is not a date of the "
      "library's calendar (years 100 to 9999, Gregorian)",
  };
  EXPECT_EQ(file.warnings, expected);
}

// Unreadable files and a CSV file are checked with the commands' error lines.
TEST(CalendarReaderTest, TextsThatAreNoCalendar) {
  EXPECT_EQ(ReadCalendar(Event(kTimes), "x.ics").error,
            "x.ics: not an iCalendar file (it has no VCALENDAR)");
  const CalendarFile open = ReadCalendar("BEGIN:VCALENDAR\n" + Event(kTimes), "x.ics");
  EXPECT_EQ(open.error, "x.ics: not an iCalendar file (libical finds no complete calendar in it)");
  EXPECT_TRUE(open.events.empty());
  const CalendarFile empty = ReadCalendar(Calendar(""), "empty.ics");
  EXPECT_EQ(empty.error, "");
  EXPECT_TRUE(empty.events.empty());
}

TEST(CalendarReaderTest, LineEndingsAndFoldedLines) {
  const CalendarFile file = ReadCalendar(testing::TestData("crlf.ics"), "crlf.ics");
  ASSERT_EQ(file.events.size(), 2u);
  EXPECT_EQ(file.events[0].subject, "A summary folded over two lines");
  EXPECT_EQ(file.events[0].line, 4);
  EXPECT_EQ(file.events[1].line, 14);
  EXPECT_EQ(file.events[1].duration, 45);
}

}  // namespace
}  // namespace dayweave::agent
