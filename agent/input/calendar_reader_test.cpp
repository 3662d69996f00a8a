#include "agent/input/calendar_reader.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

const std::string kTimes = "DTSTART:20030414T090000\nDTEND:20030414T100000\n";

// The lines of a table cell, each ending in a line feed.
std::string Lines(const std::string& cell) { return cell.empty() ? cell : cell + "\n"; }

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

// Each row of busy-status.txt: the lines of an event and its busy status.
TEST(CalendarReaderTest, BusyStatusTakesTheFirstRuleThatApplies) {
  const auto rows = testing::TableRows("busy-status.txt");
  for (const auto& row : rows) {
    EXPECT_EQ(ReadOne(kTimes + Lines(row.at(0))).status, std::stoi(row.at(1))) << row[0];
  }
  EXPECT_EQ(rows.size(), 14u);
}

// Each row of reminders.txt: the alarms of a 60-minute event, its reminder flag and minutes.
TEST(CalendarReaderTest, ReminderIsTheFirstAlarmsRelativeTrigger) {
  const auto rows = testing::TableRows("reminders.txt");
  for (const auto& row : rows) {
    const EventRecord event = ReadOne(kTimes + Lines(row.at(0)));
    EXPECT_EQ(event.reminderFlag, std::stoi(row.at(1))) << row[0];
    EXPECT_EQ(event.reminder, std::stol(row.at(2))) << row[0];
  }
  EXPECT_EQ(rows.size(), 13u);
}

// DURATION and the ends of events without one are checked in event_times_test.cpp.
TEST(CalendarReaderTest, LengthInRealMinutes) {
  struct Case {
    const char* lines;
    long minutes;
    const char* end;
  } cases[] = {
      {"DTSTART:20030414T090000\nDTEND:20030414T103000\n", 90, "20030414T103000"},
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
  ASSERT_EQ(file.events.size(), 3u);
  EXPECT_EQ(file.events[2].subject, "Readable after");
  EXPECT_EQ(file.events[2].index, 8);
  EXPECT_EQ(file.events[2].line, 45);
  const std::vector<std::string> expected = {
      "broken.ics:10: event 2 (UID no-start@test) skipped: it has no DTSTART",
      "broken.ics:15: event 3 (UID bad-start@test) skipped: libical cannot read its DTSTART",
      "broken.ics:21: event 4 skipped: it ends before it starts",
      "broken.ics:26: event 5 (UID unknown-zone@test): its DTSTART and DTEND name the unknown "
      "time zone Mars/Olympus_Mons: read as floating time, on the display clock",
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

TEST(CalendarReaderTest, PartsAreNumberedInTurnAndNamedInMessages) {
  const std::string weekly = "UID:w\nDTSTART:20030106T090000\nDURATION:PT1H\nRRULE:FREQ=WEEKLY\n";
  const std::string moved =
      "UID:w\nRECURRENCE-ID:20030113T090000\nDTSTART:20030113T100000\n"
      "DURATION:PT1H\n";
  const CalendarFile file =
      ReadCalendarParts({{"/c/a.ics", Calendar(Event(weekly) + Event("UID:x\n"))},
                         {"/c/b.ics", "BEGIN:VCALENDAR\nBEGIN:VEVENT\n"},
                         {"/c/c.ics", Calendar(Event(moved))}},
                        "https://cal.example.org/c/");
  EXPECT_EQ(file.error, "");
  EXPECT_EQ(file.warnings,
            (std::vector<std::string>{"/c/b.ics skipped: it is no complete iCalendar text",
                                      "/c/a.ics:10: event 2 (UID x) skipped: it has no DTSTART"}));
  ASSERT_EQ(file.events.size(), 2u);
  EXPECT_EQ(EventLabel(file.name, file.events[1]), "/c/c.ics:4: event 3 (UID w)");
  EXPECT_EQ(file.events[0].overridden.size(), 1u);

  const CalendarFile none = ReadCalendarParts({}, "https://cal.example.org/c/");
  EXPECT_EQ(none.error, "");
  EXPECT_TRUE(none.events.empty());
}

TEST(CalendarReaderTest, LineEndingsAndFoldedLines) {
  const CalendarFile file = ReadCalendar(testing::TestData("crlf.ics"), "crlf.ics");
  ASSERT_EQ(file.events.size(), 2u);
  EXPECT_EQ(file.events[0].subject, "A summary folded over two lines");
  EXPECT_EQ(file.events[1].line, 14);
}

}  // namespace
}  // namespace dayweave::agent
