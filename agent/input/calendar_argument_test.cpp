#include "agent/input/calendar_argument.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

TEST(SplitCalendarArgument, TakesTheSuffixOnlyWhenItNamesAZone) {
  for (const auto& row : testing::TableRows("calendar-arguments.txt")) {
    const CalendarArgument argument = SplitCalendarArgument(row.at(0));
    EXPECT_EQ(argument.source, row.at(1)) << row[0];
    EXPECT_EQ(argument.zone, row.at(2).empty() ? std::nullopt : std::optional(row[2])) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
