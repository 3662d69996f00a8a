#include "agent/cli/listing.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

std::string List(const Schedule& schedule, std::optional<std::chrono::local_days> day) {
  std::vector<std::string> warnings;
  const std::string rows = Rows(Listed(schedule, day, warnings));
  EXPECT_TRUE(warnings.empty());
  return rows;
}

// The whole listing of the sample calendar is checked with the README's examples.
TEST(ListingTest, WhatOccursOnADateInColumns) {
  const testing::Loaded loaded(
      Calendar(Event("UID:1\nSUMMARY:Weekly review\nDTSTART:20030106T090000\n"
                     "DTEND:20030106T100000\nRRULE:FREQ=WEEKLY;BYDAY=MO\n"
                     "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT15M\nEND:VALARM\n") +
               Event("UID:2\nSUMMARY:Night train\nDTSTART:20030113T223000\n"
                     "DTEND:20030114T063100\nX-MICROSOFT-CDO-BUSYSTATUS:OOF\n") +
               Event("UID:3\nSUMMARY:Gym\nDTSTART:20030107T180000\nDTEND:20030107T190000\n"
                     "RRULE:FREQ=WEEKLY;COUNT=3\nEXDATE:20030114T180000\n")),
      "l.ics");
  const Schedule& schedule = loaded.schedule;
  const std::string review =
      "1  R  1/6/2003 9:00:00 AM    1/6/2003 10:00:00 AM  60 Minutes        Busy           "
      "15 Minutes  Weekly review\n";
  const std::string train =
      "2     1/13/2003 10:30:00 PM  1/14/2003 6:31:00 AM  8 Hours 1 Minute  Out Of Office  "
      "-           Night train\n";
  // The night train occurs on the date it starts, not on the next one.
  EXPECT_EQ(List(schedule, std::chrono::local_days{std::chrono::year{2003} / 1 / 13}),
            review + train);
  EXPECT_EQ(List(schedule, std::chrono::local_days{std::chrono::year{2003} / 1 / 14}), "");
  EXPECT_EQ(List(schedule, std::chrono::local_days{std::chrono::year{2003} / 1 / 21}),
            "3     1/21/2003 6:00:00 PM  1/21/2003 7:00:00 PM  60 Minutes  Busy  -  Gym\n");
}

TEST(ListingTest, AnExpandedEventIsListedForTheYearFromItsStart) {
  const testing::Loaded loaded(
      Calendar(Event("UID:d\nSUMMARY:Daily\nDTSTART:20030101T080000\nDTEND:20030101T081500\n"
                     "RRULE:FREQ=DAILY;BYHOUR=8\n")),
      "d.ics");
  const Schedule& schedule = loaded.schedule;
  std::vector<std::string> warnings;
  const std::vector<Appointment> listed = Listed(schedule, std::nullopt, warnings);
  ASSERT_EQ(listed.size(), 365u);
  EXPECT_EQ(listed.back().appointment.GetStartTimeString(), CString("12/31/2003 8:00:00 AM"));
}

// Found by fuzzing the command line: a few events recurring every second made the list hold
// millions of rows (gigabytes) before it printed anything.
TEST(ListingTest, AnEventRecurringEverySecondListsOnlyItsFirstThousand) {
  const testing::Loaded loaded(
      Calendar(Event("UID:s\nSUMMARY:tick\nDTSTART:20030113T090000\nDTEND:20030113T090001\n"
                     "RRULE:FREQ=SECONDLY\n")),
      "s.ics");
  std::vector<std::string> warnings;
  const std::vector<Appointment> listed = Listed(loaded.schedule, std::nullopt, warnings);
  ASSERT_EQ(listed.size(), 1000u);
  EXPECT_EQ(listed.back().start - listed.front().start, std::chrono::seconds{999});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "s.ics:4: event 1 (UID s) has more than 1000 occurrences in its first year; the "
            "list shows the first 1000");
}

}  // namespace
}  // namespace dayweave::agent
