#include "agent/input/calendar_reader.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

EventRecord ReadOne(const std::string& lines) {
  const CalendarFile file = ReadCalendar(Calendar(Event(lines)), "one.ics");
  EXPECT_EQ(file.error, "");
  EXPECT_EQ(file.warnings.size(), 0u);
  return file.events.empty() ? EventRecord{} : file.events.front();
}

TEST(CalendarReaderTest, TextsAttendeesAndCategories) {
  const CalendarFile file = ReadCalendar(testing::TestData("reader/texts.ics"), "texts.ics");
  ASSERT_EQ(file.events.size(), 1u);
  const EventRecord& e = file.events[0];
  EXPECT_EQ((std::vector<std::string>{e.uid, e.subject, e.body, e.location, e.required, e.optional,
                                      e.attribute}),
            (std::vector<std::string>{
                "a@test", "Weekly review", "Plans", "Room 4", "ana@example.com; ben@example.com",
                "chris@example.com; erin@example.com", "Team, Planning, Weekly"}));
}

// Each row of event-records.txt. DURATION and the ends of events without one are checked in
// event_times_test.cpp.
TEST(CalendarReaderTest, StatusReminderAndLengthInRealMinutes) {
  for (const auto& row : testing::TableRows("event-records.txt")) {
    const EventRecord event = ReadOne(row.at(0) + "\n");
    EXPECT_EQ(event.status, std::stoi(row.at(1))) << row[0];
    EXPECT_EQ(event.reminderFlag, std::stoi(row.at(2))) << row[0];
    EXPECT_EQ(event.reminder, std::stol(row.at(3))) << row[0];
    EXPECT_EQ(event.duration, std::stol(row.at(4))) << row[0];
    EXPECT_EQ(icaltime_as_ical_string(event.end), row.at(5)) << row[0];
  }
}

// Unreadable files and a text that libical cannot parse (a CSV file) are checked with the
// commands' error lines.
TEST(CalendarReaderTest, TextsThatAreNoCalendar) {
  EXPECT_EQ(ReadCalendar(Event("DTSTART:20030414T090000\n"), "x.ics").error,
            "x.ics: not an iCalendar file (it has no VCALENDAR)");
  const CalendarFile empty = ReadCalendar(Calendar(""), "empty.ics");
  EXPECT_EQ(empty.error, "");
  EXPECT_TRUE(empty.events.empty());
}

TEST(CalendarReaderTest, PartsAreNumberedInTurnAndNamedInMessages) {
  const CalendarFile file =
      ReadCalendarParts({{"/c/a.ics", testing::TestData("reader/part-weekly.ics")},
                         {"/c/b.ics", "BEGIN:VCALENDAR\nBEGIN:VEVENT\n"},
                         {"/c/c.ics", testing::TestData("reader/part-moved.ics")}},
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
