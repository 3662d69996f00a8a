#include "dayweave/recurrence_data.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dayweave {
namespace {

// Opens the rule's protected window tests to the tests.
struct RuleProbe : CRecurrenceData {
  using CRecurrenceData::IsWithinTime;
};

// A rule whose daily window runs from fromHour:00 to toHour:00.
RuleProbe Window(int fromHour, int toHour) {
  RuleProbe rule;
  rule.SetStartTime(fromHour, 0, 0);
  rule.SetEndTime(toHour, 0, 0);
  return rule;
}

COleDateTime At(int hour, int minute = 0, int second = 0, int day = 14) {
  return COleDateTime(2003, 4, day, hour, minute, second);
}

TEST(RecurrenceDataTest, WindowHoldsItsStartNotItsEndAndRangesMustOverlapIt) {
  const RuleProbe rule = Window(9, 17), overnight = Window(22, 2), empty = Window(9, 9);
  // Hour, minute, second, and whether the 09:00 to 17:00 window holds that time of day.
  const int times[][4] = {
      {9, 0, 0, 1}, {16, 59, 59, 1}, {17, 0, 0, 0}, {8, 59, 59, 0}, {23, 0, 0, 0}};
  // The date plays no part, before 1899 included, where the day count is negative.
  for (const int year : {2003, 1899, 1000}) {
    for (const auto& [hour, minute, second, within] : times) {
      const COleDateTime at(year, 12, 30, hour, minute, second);
      EXPECT_EQ(rule.IsWithinTime(at), within) << year << " " << hour << ":" << minute;
      EXPECT_EQ(overnight.IsWithinTime(at), 0);  // a backward window holds nothing
      EXPECT_EQ(empty.IsWithinTime(at), 0);
    }
  }
  // A range must overlap the window by more than a point.
  const std::tuple<COleDateTime, COleDateTime, int> cases[] = {
      {At(8), At(9), 0},    // ends at the start: touching only
      {At(17), At(18), 0},  // begins at the end: touching only
      {At(8), At(9, 0, 1), 1},
      {At(16, 59, 59), At(18), 1},
      {At(7), At(19), 1},
      {At(12), At(10), 1},            // backward, not treated specially
      {At(16), At(10, 0, 0, 15), 1},  // only times of day count: 16:00 to 10:00 next day
      {At(16), At(8, 0, 0, 15), 0}};  // ... ends, as a time of day, before the window
  for (const auto& [from, to, within] : cases) {
    EXPECT_EQ(rule.IsWithinTime(from, to), within) << from.m_dt << " to " << to.m_dt;
  }
  EXPECT_EQ(Window(9, 9).IsWithinTime(At(8), At(10)), 1);  // an empty window strictly inside
}

}  // namespace
}  // namespace dayweave
