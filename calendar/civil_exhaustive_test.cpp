// Every day of the years 100 to 9999 through the civil core and the date-time getters,
// against std::chrono's calendar. Its own test program (dayweave_calendar_exhaustive): the
// 3.65 million days take a moment natively but minutes under valgrind.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>

#include "dayweave/date_time.h"

namespace dayweave {
namespace {

namespace chrono = std::chrono;

constexpr long kUnixEpochDayNumber = 25569;  // 1 January 1970

TEST(CivilExhaustiveTest, EveryDayAgreesWithStdChrono) {
  const chrono::sys_days first{chrono::year{100} / 1 / 1}, last{chrono::year{9999} / 12 / 31};
  long days = 0, wrong = 0;
  std::string firstWrong;
  for (chrono::sys_days d = first; d <= last; d += chrono::days{1}, ++days) {
    const chrono::year_month_day ymd{d};
    const int year = static_cast<int>(ymd.year()), month = static_cast<int>(unsigned{ymd.month()});
    const int day = static_cast<int>(unsigned{ymd.day()});
    const int dayOfWeek = static_cast<int>(chrono::weekday{d}.c_encoding()) + 1;
    const long dayNumber = d.time_since_epoch().count() + kUnixEpochDayNumber;
    const internal::CivilDate civil = internal::CivilOfDayNumber(dayNumber);
    // Noon of the day through the public getters: the fraction is the time after midnight.
    const COleDateTime noon(dayNumber >= 0 ? dayNumber + 0.5 : dayNumber - 0.5);
    const bool lastOfMonth =
        chrono::year_month_day_last{ymd.year(), ymd.month() / chrono::last}.day() == ymd.day();
    const bool agrees = civil.year == year && civil.month == month && civil.day == day &&
                        internal::DayNumberOfCivil(year, month, day) == dayNumber &&
                        internal::DayOfWeekOfDayNumber(dayNumber) == dayOfWeek &&
                        internal::IsCivilDate(year, month, day) &&
                        internal::IsCivilDate(year, month, day + 1) != lastOfMonth &&
                        COleDateTime(year, month, day, 12, 0, 0).m_dt == noon.m_dt &&
                        noon.GetYear() == year && noon.GetMonth() == month &&
                        noon.GetDay() == day && noon.GetDayOfWeek() == dayOfWeek;
    if (!agrees && wrong++ == 0) {
      firstWrong = std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
    }
  }
  EXPECT_EQ(days, internal::kLastDayNumber - internal::kFirstDayNumber + 1);
  EXPECT_EQ(wrong, 0) << "days wrong, the first " << firstWrong;
  for (const auto& [year, month, day] :
       {std::tuple{99, 12, 31}, {10000, 1, 1}, {2003, 0, 1}, {2003, 13, 1}, {2003, 1, 0}}) {
    EXPECT_FALSE(internal::IsCivilDate(year, month, day)) << year << "-" << month << "-" << day;
  }
}

}  // namespace
}  // namespace dayweave
