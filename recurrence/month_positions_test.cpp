#include "dayweave/recurrence_data.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "recurrence/month_scan.h"

namespace dayweave {
namespace {

using FirstFour = std::array<int, 4>;

FirstFour Adopt(int* heap) {
  const std::unique_ptr<int[]> owned(heap);
  return {owned[0], owned[1], owned[2], owned[3]};
}

// The days of one month sorted by kind, listed with std::chrono rather than by the stepping of
// date-time values that the library uses.
struct MonthDays {
  int length = 0;
  std::vector<int> weekdays, weekendDays;
  std::array<std::vector<int>, 8> byDayOfWeek;  // index 1 Sunday to 7 Saturday

  MonthDays(int year, int month) {
    using namespace std::chrono;
    const year_month ym{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)}};
    length = static_cast<int>(static_cast<unsigned>((ym / last).day()));
    for (int d = 1; d <= length; ++d) {
      const int dayOfWeek =
          static_cast<int>(weekday{sys_days{ym / day{static_cast<unsigned>(d)}}}.c_encoding()) + 1;
      (dayOfWeek == 1 || dayOfWeek == 7 ? weekendDays : weekdays).push_back(d);
      byDayOfWeek[dayOfWeek].push_back(d);
    }
  }
};

FirstFour FirstFourOf(const std::vector<int>& days) { return {days[0], days[1], days[2], days[3]}; }

// 1 when `day` is the instance-th (5: last) entry of `days`.
int Holds(const std::vector<int>& days, int instance, int day) {
  if (instance >= 1 && instance <= 4) return days[instance - 1] == day ? 1 : 0;
  if (instance == 5) return days.back() == day ? 1 : 0;
  return 0;
}

TEST(MonthPositionsTest, FirstDayOfMonthKeepsTheTimeOfDay) {
  const CRecurrenceData rule;
  const struct {
    COleDateTime date, first;
  } cases[] = {
      {{2003, 4, 14, 9, 30, 0}, {2003, 4, 1, 9, 30, 0}},
      {{2003, 4, 1, 0, 0, 0}, {2003, 4, 1, 0, 0, 0}},
      {{2004, 2, 29, 23, 59, 59}, {2004, 2, 1, 23, 59, 59}},
      {{1000, 3, 15, 6, 0, 0}, {1000, 3, 1, 6, 0, 0}},  // negative day count
      {{1899, 12, 31, 12, 0, 0}, {1899, 12, 1, 12, 0, 0}},
  };
  for (const auto& c : cases) {
    const COleDateTime first = rule.GetFirstDayOfMonth(c.date);
    EXPECT_EQ(first, c.first) << c.date.Format().GetString();
    EXPECT_EQ(first.GetStatus(), COleDateTime::valid);
  }
}

TEST(MonthPositionsTest, HandListedMonths) {
  const CRecurrenceData rule;
  const struct {
    int year, month;
    FirstFour weekdays, weekendDays;
    int lastWeekday, lastWeekendDay;
  } cases[] = {
      {2003, 5, {1, 2, 5, 6}, {3, 4, 10, 11}, 30, 31},  // Thursday to Saturday 31st
      {2003, 6, {2, 3, 4, 5}, {1, 7, 8, 14}, 30, 29},   // begins on a Sunday
      {2003, 3, {3, 4, 5, 6}, {1, 2, 8, 9}, 31, 30},    // begins on a Saturday
      {2004, 2, {2, 3, 4, 5}, {1, 7, 8, 14}, 27, 29},   // leap year, the 29th a Sunday
      {2100, 2, {1, 2, 3, 4}, {6, 7, 13, 14}, 26, 28},  // no 29th in 2100
      {1900, 2, {1, 2, 5, 6}, {3, 4, 10, 11}, 28, 25},  // no 29th in 1900
      {2000, 2, {1, 2, 3, 4}, {5, 6, 12, 13}, 29, 27},  // a 29th in 2000
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
    for (int day : {1, 15, 28}) {
      const COleDateTime date(c.year, c.month, day, 10, 0, 0);
      EXPECT_EQ(Adopt(rule.GetFirst4WeekDays(date)), c.weekdays);
      EXPECT_EQ(Adopt(rule.GetFirst4WeekendDays(date)), c.weekendDays);
      EXPECT_EQ(rule.GetLastWeekDay(date), c.lastWeekday);
      EXPECT_EQ(rule.GetLastWeekendDay(date), c.lastWeekendDay);
    }
  }

  const COleDateTime april(2003, 4, 14, 0, 0, 0);  // ends on Wednesday the 30th
  EXPECT_EQ(rule.GetLastMFCDay(6, april), 25);
  EXPECT_EQ(rule.GetLastMFCDay(4, april), 30);
  EXPECT_EQ(rule.GetLastMFCDay(5, april), 24);
  EXPECT_EQ(Adopt(rule.GetFirst4MFCDays(3, april)), (FirstFour{1, 8, 15, 22}));
  EXPECT_EQ(rule.IsDayInstance(4, 3, COleDateTime(2003, 4, 22, 0, 0, 0)), 1);
  EXPECT_EQ(rule.IsDayInstance(4, 3, COleDateTime(2003, 4, 8, 0, 0, 0)), 0);
  EXPECT_EQ(rule.IsWeekDayInstance(2, COleDateTime(2003, 5, 2, 0, 0, 0)), 1);
  EXPECT_EQ(rule.IsWeekDayInstance(3, COleDateTime(2003, 5, 5, 0, 0, 0)), 1);
  EXPECT_EQ(rule.IsWeekDayInstance(1, COleDateTime(2003, 5, 8, 0, 0, 0)), 0);
  EXPECT_EQ(rule.IsWeekDayInstance(5, COleDateTime(2003, 5, 30, 0, 0, 0)), 1);
  EXPECT_EQ(rule.IsWeekendDayInstance(5, COleDateTime(2003, 5, 31, 0, 0, 0)), 1);
  EXPECT_EQ(rule.IsWeekendDayInstance(1, COleDateTime(2003, 6, 1, 0, 0, 0)), 1);
}

TEST(MonthPositionsTest, LastDayOfTheMonth) {
  const CRecurrenceData rule;
  const struct {
    int year, month, day, instance, expected;
  } cases[] = {
      {2003, 1, 31, 5, 1}, {2003, 4, 30, 5, 1}, {2003, 2, 28, 5, 1}, {2004, 2, 29, 5, 1},
      {2003, 1, 30, 5, 0}, {2004, 2, 28, 5, 0}, {1900, 2, 28, 5, 1}, {2000, 2, 29, 5, 1},
      {2000, 2, 28, 5, 0}, {2100, 2, 28, 5, 1}, {2003, 4, 1, 1, 1},  {2003, 4, 4, 4, 1},
      {2003, 4, 5, 4, 0},  {2003, 4, 1, 0, 0},  {2003, 4, 6, 6, 0},  {2003, 4, 30, 6, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rule.IsDayInstance(c.instance, COleDateTime(c.year, c.month, c.day, 12, 0, 0)),
              c.expected)
        << c.year << "-" << c.month << "-" << c.day << " instance " << c.instance;
  }
}

// Every month of two centuries, against days listed with std::chrono; the heap arrays and the
// internal scans behind the position tests must agree.
TEST(MonthPositionsTest, FirstFourAndLastAgreeWithAnIndependentListing) {
  using internal::CountedDays;
  const CRecurrenceData rule;
  for (int year = 1898; year <= 2101; ++year) {
    for (int month = 1; month <= 12; ++month) {
      SCOPED_TRACE(testing::Message() << year << "-" << month);
      const MonthDays days(year, month);
      const COleDateTime date(year, month, days.length, 18, 0, 0);
      EXPECT_EQ(Adopt(rule.GetFirst4WeekDays(date)), FirstFourOf(days.weekdays));
      EXPECT_EQ(internal::FirstFourDays(CountedDays::kWeekdays, 0, date),
                FirstFourOf(days.weekdays));
      EXPECT_EQ(Adopt(rule.GetFirst4WeekendDays(date)), FirstFourOf(days.weekendDays));
      EXPECT_EQ(internal::FirstFourDays(CountedDays::kWeekendDays, 0, date),
                FirstFourOf(days.weekendDays));
      EXPECT_EQ(rule.GetLastWeekDay(date), days.weekdays.back());
      EXPECT_EQ(rule.GetLastWeekendDay(date), days.weekendDays.back());
      for (int dayOfWeek = 1; dayOfWeek <= 7; ++dayOfWeek) {
        const auto& same = days.byDayOfWeek[dayOfWeek];
        EXPECT_EQ(Adopt(rule.GetFirst4MFCDays(dayOfWeek, date)), FirstFourOf(same));
        EXPECT_EQ(internal::FirstFourDays(CountedDays::kOneDayOfWeek, dayOfWeek, date),
                  FirstFourOf(same));
        EXPECT_EQ(rule.GetLastMFCDay(dayOfWeek, date), same.back());
      }
    }
  }
}

// Every day of eight years and every instance from 0 to 6.
TEST(MonthPositionsTest, PositionTestsAgreeWithAnIndependentListing) {
  const CRecurrenceData rule;
  for (int year = 1999; year <= 2006; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const MonthDays days(year, month);
      for (int day = 1; day <= days.length; ++day) {
        const COleDateTime date(year, month, day, 7, 45, 0);
        for (int instance = 0; instance <= 6; ++instance) {
          SCOPED_TRACE(testing::Message()
                       << year << "-" << month << "-" << day << " instance " << instance);
          EXPECT_EQ(rule.IsWeekDayInstance(instance, date), Holds(days.weekdays, instance, day));
          EXPECT_EQ(rule.IsWeekendDayInstance(instance, date),
                    Holds(days.weekendDays, instance, day));
          for (int dayOfWeek = 1; dayOfWeek <= 7; ++dayOfWeek) {
            EXPECT_EQ(rule.IsDayInstance(instance, dayOfWeek, date),
                      Holds(days.byDayOfWeek[dayOfWeek], instance, day));
          }
        }
      }
    }
  }
}

TEST(MonthPositionsTest, DayOfWeekOutsideTheWeekMatchesNothing) {
  const CRecurrenceData rule;
  const FirstFour none{-1, -1, -1, -1};
  const COleDateTime date(2003, 4, 1, 0, 0, 0);
  for (int dayOfWeek : {0, 8, -1, 14, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(dayOfWeek);
    EXPECT_EQ(Adopt(rule.GetFirst4MFCDays(dayOfWeek, date)), none);
    EXPECT_EQ(rule.GetLastMFCDay(dayOfWeek, date), -1);
    for (int instance = 0; instance <= 6; ++instance) {
      for (int day = 1; day <= 30; ++day) {
        EXPECT_EQ(rule.IsDayInstance(instance, dayOfWeek, COleDateTime(2003, 4, day, 0, 0, 0)), 0);
      }
    }
  }
}

TEST(MonthPositionsTest, UnreadableDatesFindNothing) {
  const CRecurrenceData rule;
  const FirstFour none{-1, -1, -1, -1};
  COleDateTime invalid(2003, 4, 14, 0, 0, 0);
  invalid.SetStatus(COleDateTime::invalid);
  COleDateTime failed;
  failed.SetDate(2003, 2, 30);
  const COleDateTime unreadable[] = {
      invalid,
      failed,
      COleDateTime(1e7),  // beyond the year 9999
      COleDateTime(-1e7),
      COleDateTime(std::numeric_limits<double>::quiet_NaN()),
      COleDateTime(std::numeric_limits<double>::infinity()),
  };
  for (const COleDateTime& date : unreadable) {
    SCOPED_TRACE(date.m_dt);
    EXPECT_EQ(rule.GetFirstDayOfMonth(date).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(Adopt(rule.GetFirst4WeekDays(date)), none);
    EXPECT_EQ(Adopt(rule.GetFirst4WeekendDays(date)), none);
    EXPECT_EQ(Adopt(rule.GetFirst4MFCDays(3, date)), none);
    EXPECT_EQ(rule.GetLastWeekDay(date), -1);
    EXPECT_EQ(rule.GetLastWeekendDay(date), -1);
    EXPECT_EQ(rule.GetLastMFCDay(3, date), -1);
    for (int instance = -1; instance <= 6; ++instance) {
      EXPECT_EQ(rule.IsWeekDayInstance(instance, date), 0);
      EXPECT_EQ(rule.IsWeekendDayInstance(instance, date), 0);
      EXPECT_EQ(rule.IsDayInstance(instance, 3, date), 0);
      EXPECT_EQ(rule.IsDayInstance(instance, 0, date), 0);
      EXPECT_EQ(rule.IsDayInstance(instance, date), 0);
    }
  }
}

TEST(MonthPositionsTest, EdgesOfTheCalendar) {
  const CRecurrenceData rule;
  // December 9999 is the last month that can be read; its scans stay inside it.
  const COleDateTime last(9999, 12, 31, 0, 0, 0);  // a Friday
  EXPECT_EQ(Adopt(rule.GetFirst4WeekendDays(last)), (FirstFour{4, 5, 11, 12}));
  EXPECT_EQ(rule.GetLastWeekDay(last), 31);
  EXPECT_EQ(rule.GetLastWeekendDay(last), 26);
  EXPECT_EQ(rule.IsWeekDayInstance(5, last), 1);
  const COleDateTime first(100, 1, 1, 0, 0, 0);  // a Friday
  EXPECT_EQ(Adopt(rule.GetFirst4WeekDays(first)), (FirstFour{1, 4, 5, 6}));
  EXPECT_EQ(rule.IsDayInstance(1, 6, first), 1);
}

}  // namespace
}  // namespace dayweave
