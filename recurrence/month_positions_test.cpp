#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>

#include "dayweave/recurrence_data.h"

namespace dayweave {
namespace {

using FirstFour = std::array<int, 4>;
const FirstFour kNone{-1, -1, -1, -1};
const CRecurrenceData kRule;  // the month operations read nothing of the rule

FirstFour Adopt(int* heap) {
  const std::unique_ptr<int[]> owned(heap);
  return {owned[0], owned[1], owned[2], owned[3]};
}

TEST(MonthPositionsTest, NoDayOfWeekAndUnreadableDatesFindNothing) {
  const COleDateTime april22(2003, 4, 22, 0, 0, 0);  // the fourth Tuesday
  for (int dayOfWeek : {0, 8, -1, INT_MIN}) {
    EXPECT_EQ(Adopt(kRule.GetFirst4MFCDays(dayOfWeek, april22)), kNone) << dayOfWeek;
    EXPECT_EQ(kRule.GetLastMFCDay(dayOfWeek, april22), -1) << dayOfWeek;
    EXPECT_EQ(kRule.IsDayInstance(4, dayOfWeek, april22), 0) << dayOfWeek;
  }
  COleDateTime invalid(2003, 4, 14, 0, 0, 0);
  invalid.SetStatus(COleDateTime::invalid);
  for (const COleDateTime& date : {invalid, COleDateTime(1e7), COleDateTime(-1e7)}) {
    EXPECT_EQ(kRule.GetFirstDayOfMonth(date).GetStatus(), COleDateTime::invalid) << date.m_dt;
    EXPECT_EQ(Adopt(kRule.GetFirst4WeekendDays(date)), kNone) << date.m_dt;
    EXPECT_EQ(kRule.GetLastWeekDay(date), -1) << date.m_dt;
    EXPECT_EQ(kRule.IsWeekDayInstance(kLastInstance, date) + kRule.IsDayInstance(1, date), 0)
        << date.m_dt;
  }
}

}  // namespace
}  // namespace dayweave
