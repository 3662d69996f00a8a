#include "agent/cli/listing.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// The starts listed for a calendar of one event (its lines given), and the warnings given.
std::vector<std::chrono::local_seconds> ListOne(const std::string& lines,
                                                std::vector<std::string>& warnings) {
  const testing::Loaded loaded(testing::Calendar(testing::Event(lines)), "s.ics");
  std::vector<std::chrono::local_seconds> starts;
  for (const Appointment& listed : Listed(loaded.schedule, std::nullopt, warnings)) {
    starts.push_back(listed.start);
  }
  return starts;
}

// The columns and the dates an event occurs on are checked with answers.txt and the README.
TEST(ListingTest, AnExpandedEventIsListedForTheYearFromItsStart) {
  std::vector<std::string> warnings;
  const auto listed = ListOne(
      "UID:d\nSUMMARY:Daily\nDTSTART:20030101T080000\nDTEND:20030101T081500\n"
      "RRULE:FREQ=DAILY;BYHOUR=8\n",
      warnings);
  ASSERT_EQ(listed.size(), 365u);
  EXPECT_EQ(listed.back(), testing::At(2003, 12, 31, 8));
  EXPECT_TRUE(warnings.empty());
}

// Found by fuzzing the command line: a few events recurring every second made the list hold
// millions of rows (gigabytes) before it printed anything.
TEST(ListingTest, AnEventRecurringEverySecondListsOnlyItsFirstThousand) {
  std::vector<std::string> warnings;
  const auto listed = ListOne(
      "UID:s\nSUMMARY:tick\nDTSTART:20030113T090000\nDTEND:20030113T090001\n"
      "RRULE:FREQ=SECONDLY\n",
      warnings);
  ASSERT_EQ(listed.size(), 1000u);
  EXPECT_EQ(listed.back() - listed.front(), std::chrono::seconds{999});
  EXPECT_EQ(warnings, std::vector<std::string>{
                          "s.ics:4: event 1 (UID s) has more than 1000 occurrences in its first "
                          "year; the list shows the first 1000"});
}

}  // namespace
}  // namespace dayweave::agent
