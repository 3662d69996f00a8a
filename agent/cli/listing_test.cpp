// The columns, the dates an event occurs on and the year an expanded event is listed for are
// checked with answers.txt, cli-answers.txt and the README.
#include "agent/cli/listing.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// Found by fuzzing the command line: a few events recurring every second made the list hold
// millions of rows (gigabytes) before it printed anything.
TEST(ListingTest, AnEventRecurringEverySecondListsOnlyItsFirstThousand) {
  const testing::Loaded loaded(
      testing::Calendar(testing::Event("UID:s\nSUMMARY:tick\nDTSTART:20030113T090000\n"
                                       "DTEND:20030113T090001\nRRULE:FREQ=SECONDLY\n")),
      "s.ics");
  std::vector<std::string> warnings;
  const std::vector<Appointment> listed = Listed(loaded.schedule, std::nullopt, warnings);
  ASSERT_EQ(listed.size(), 1000u);
  EXPECT_EQ(listed.back().start - listed.front().start, std::chrono::seconds{999});
  EXPECT_EQ(warnings, std::vector<std::string>{
                          "s.ics:4: event 1 (UID s) has more than 1000 occurrences in its first "
                          "year; the list shows the first 1000"});
}

}  // namespace
}  // namespace dayweave::agent
