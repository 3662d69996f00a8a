#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <memory>
#include <vector>

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

// The day numbers of one month listed with std::chrono, not by stepping date-time values as the
// library does: [0] every day, [1] to [7] the days falling on Sunday to Saturday, [8] the
// weekdays, [9] the weekend days.
constexpr int kEvery = 0, kWeekdays = 8, kWeekend = 9;
std::array<std::vector<int>, 10> ListDays(int year, int month) {
  const std::chrono::year_month ym = std::chrono::year{year} / month;
  std::array<std::vector<int>, 10> days;
  for (int d = 1; d <= static_cast<int>(unsigned{(ym / std::chrono::last).day()}); ++d) {
    const int dayOfWeek =
        static_cast<int>(std::chrono::weekday{std::chrono::sys_days{ym / d}}.c_encoding()) + 1;
    for (int kind : {kEvery, dayOfWeek, dayOfWeek == 1 || dayOfWeek == 7 ? kWeekend : kWeekdays}) {
      days[kind].push_back(d);
    }
  }
  return days;
}

// 1 when `day` is the instance-th (5: last) entry of `days`.
int Holds(const std::vector<int>& days, int instance, int day) {
  if (instance >= kFirstInstance && instance <= kFourthInstance)
    return days[instance - 1] == day ? 1 : 0;
  return instance == kLastInstance && days.back() == day ? 1 : 0;
}

TEST(MonthPositionsTest, FirstDayOfMonthKeepsTheTimeOfDay) {
  EXPECT_EQ(kRule.GetFirstDayOfMonth({2004, 2, 29, 23, 59, 59}),
            COleDateTime(2004, 2, 1, 23, 59, 59));
  EXPECT_EQ(kRule.GetFirstDayOfMonth({1000, 3, 15, 6, 0, 0}), COleDateTime(1000, 3, 1, 6, 0, 0));
}

// The position tests on every day of eight years against days listed with std::chrono, for
// every instance from 0 to 6 (the first four and the last of each month are checked over every
// year in month_positions_exhaustive_test.cpp).
TEST(MonthPositionsTest, AgreeWithAnIndependentListing) {
  for (int year = 1999; year <= 2006; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const auto days = ListDays(year, month);
      for (int day = 1; day <= days[kEvery].back(); ++day) {
        const COleDateTime at(year, month, day, 7, 45, 0);
        for (int instance = 0; instance <= 6; ++instance) {
          SCOPED_TRACE(testing::Message()
                       << year << "-" << month << "-" << day << " #" << instance);
          EXPECT_EQ(kRule.IsWeekDayInstance(instance, at), Holds(days[kWeekdays], instance, day));
          EXPECT_EQ(kRule.IsWeekendDayInstance(instance, at), Holds(days[kWeekend], instance, day));
          EXPECT_EQ(kRule.IsDayInstance(instance, at), Holds(days[kEvery], instance, day));
          for (int dayOfWeek = 1; dayOfWeek <= 7; ++dayOfWeek) {
            EXPECT_EQ(kRule.IsDayInstance(instance, dayOfWeek, at),
                      Holds(days[dayOfWeek], instance, day));
          }
        }
      }
    }
  }
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
