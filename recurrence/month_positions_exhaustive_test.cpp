// Every month of the years 100 to 9999: the month positions against a plain walk through the
// month with std::chrono. Its own test program (dayweave_calendar_exhaustive), like the
// exhaustive check of the conversions.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dayweave/recurrence_data.h"
#include "recurrence/month_arithmetic.h"

namespace dayweave {
namespace {

namespace chrono = std::chrono;
using internal::CountedDays;

// The kinds a position counts: [0] weekdays, [1] weekend days, [k + 1] the days on framework
// day k (1 Sunday ... 7 Saturday).
constexpr int kKinds = 9;
CountedDays KindOf(int kind) {
  return kind == 0 ? CountedDays::kWeekdays
                   : (kind == 1 ? CountedDays::kWeekendDays : CountedDays::kOneDayOfWeek);
}

std::array<int, 4> Adopt(int* heap) {
  const std::unique_ptr<int[]> owned(heap);
  return {owned[0], owned[1], owned[2], owned[3]};
}

TEST(MonthPositionsExhaustiveTest, EveryMonthAgreesWithAWalkThroughIt) {
  const CRecurrenceData rule;
  long months = 0, wrong = 0;
  std::string firstWrong;
  for (int year = 100; year <= 9999; ++year) {
    for (int month = 1; month <= 12; ++month, ++months) {
      const chrono::year_month ym = chrono::year{year} / month;
      const int length = static_cast<int>(unsigned{(ym / chrono::last).day()});
      std::array<std::vector<int>, kKinds> counted;
      std::vector<int> dayOfWeekOf(static_cast<std::size_t>(length) + 1);
      for (int d = 1; d <= length; ++d) {
        const int dayOfWeek =
            static_cast<int>(chrono::weekday{chrono::sys_days{ym / d}}.c_encoding()) + 1;
        dayOfWeekOf[static_cast<std::size_t>(d)] = dayOfWeek;
        counted[dayOfWeek == 1 || dayOfWeek == 7 ? 1 : 0].push_back(d);
        counted[static_cast<std::size_t>(dayOfWeek) + 1].push_back(d);
      }
      bool agrees = true;
      // The public operations, asked about a different day of each month at 06:00.
      const int asked = 1 + static_cast<int>(months % length);
      const COleDateTime date(year, month, asked, 6, 0, 0);
      auto firstFour = [](const std::vector<int>& days) {
        return std::array<int, 4>{days[0], days[1], days[2], days[3]};
      };
      agrees &=
          rule.GetFirstDayOfMonth(date) == COleDateTime(year, month, 1, 6, 0, 0) &&
          Adopt(rule.GetFirst4WeekDays(date)) == firstFour(counted[0]) &&
          rule.GetLastWeekDay(date) == counted[0].back() &&
          Adopt(rule.GetFirst4WeekendDays(date)) == firstFour(counted[1]) &&
          rule.GetLastWeekendDay(date) == counted[1].back() &&
          rule.IsDayInstance(kLastInstance, COleDateTime(year, month, length, 0, 0, 0)) == 1 &&
          rule.IsDayInstance(kLastInstance, COleDateTime(year, month, length - 1, 0, 0, 0)) == 0;
      for (int k = 1; k <= 7; ++k) {
        const auto& days = counted[static_cast<std::size_t>(k) + 1];
        agrees &= Adopt(rule.GetFirst4MFCDays(k, date)) == firstFour(days) &&
                  rule.GetLastMFCDay(k, date) == days.back();
      }
      // Every day's position of every kind: the instance-th (1 to 4) or the last, or none (0 and
      // 6 name no position); the public tests too on the day asked about.
      for (int kind = 0; kind < kKinds; ++kind) {
        const auto& days = counted[static_cast<std::size_t>(kind)];
        std::size_t index = 0;
        for (int d = 1; d <= length; ++d) {
          const bool isCounted = index < days.size() && days[index] == d;
          const internal::MonthDay at{d, dayOfWeekOf[static_cast<std::size_t>(d)], length};
          for (int instance = 0; instance <= kLastInstance + 1; ++instance) {
            const bool fourth = instance >= kFirstInstance && instance <= kFourthInstance;
            const int expected =
                isCounted && (instance == kLastInstance
                                  ? index + 1 == days.size()
                                  : fourth && index + 1 == static_cast<std::size_t>(instance));
            const int dayOfWeek = kind >= 2 ? kind - 1 : 0;
            agrees &= internal::IsInstance(KindOf(kind), dayOfWeek, instance, at) == expected;
            if (d != asked) continue;
            agrees &= (kind == 0   ? rule.IsWeekDayInstance(instance, date)
                       : kind == 1 ? rule.IsWeekendDayInstance(instance, date)
                                   : rule.IsDayInstance(instance, dayOfWeek, date)) == expected;
            agrees &= rule.IsDayInstance(instance, date) ==
                      ((fourth && d == instance) || (instance == kLastInstance && d == length));
          }
          if (isCounted) ++index;
        }
      }
      if (!agrees && wrong++ == 0) firstWrong = std::to_string(year) + "-" + std::to_string(month);
    }
  }
  EXPECT_EQ(months, 9900 * 12);
  EXPECT_EQ(wrong, 0) << "months wrong, the first " << firstWrong;
}

}  // namespace
}  // namespace dayweave
