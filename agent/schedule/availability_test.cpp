#include "agent/schedule/availability.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Each row of across-midnight.txt, on the weekly events of across-midnight.ics (14 April 2003
// is a Monday).
TEST(AvailabilityTest, RecurringAppointmentsAreAskedDayByDayAcrossMidnight) {
  const testing::Loaded loaded(testing::TestData("schedule/across-midnight.ics"));
  ASSERT_EQ(loaded.schedule.Recurring().size(), 2u);
  FreeBusy freeBusy(loaded.schedule);
  for (const auto& row : testing::TableRows("across-midnight.txt")) {
    EXPECT_EQ(
        freeBusy.AskStretch(testing::WallClock(row.at(0)), minutes{std::stoi(row.at(1))}).free,
        row.at(2) == "1")
        << row[0] << " for " << row[1];
  }
}

}  // namespace
}  // namespace dayweave::agent
