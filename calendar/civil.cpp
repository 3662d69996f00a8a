#include "calendar/civil.h"

#include <chrono>
#include <cmath>

namespace dayweave::internal {

namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr long kUnixEpochDayNumber = 25569;

}  // namespace

int MonthLength(int y, int m) {
  if (m < 1 || m > 12) return 0;
  const auto last = std::chrono::year_month_day_last(
      year{y}, std::chrono::month_day_last(month{static_cast<unsigned>(m)}));
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool DayNumberFromCivil(int y, int m, int d, long& dayNumber) {
  if (y < kMinYear || y > kMaxYear || d < 1 || d > MonthLength(y, m)) return false;
  const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
  dayNumber = sys_days{ymd}.time_since_epoch().count() + kUnixEpochDayNumber;
  return true;
}

bool DayCountFromParts(int y, int mo, int d, int h, int mi, int s, double& dayCount) {
  if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return false;
  long dayNumber = 0;
  if (!DayNumberFromCivil(y, mo, d, dayNumber)) return false;
  const double fraction = (h * 3600 + mi * 60 + s) / 86400.0;
  const double whole = static_cast<double>(dayNumber);
  dayCount = dayNumber >= 0 ? whole + fraction : whole - fraction;
  return true;
}

void CivilFromDayNumber(long dayNumber, int& y, int& m, int& d) {
  const year_month_day ymd{sys_days{days{dayNumber - kUnixEpochDayNumber}}};
  y = static_cast<int>(ymd.year());
  m = static_cast<int>(static_cast<unsigned>(ymd.month()));
  d = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

int DayOfWeekFromDayNumber(long dayNumber) {
  return static_cast<int>(weekday{sys_days{days{dayNumber - kUnixEpochDayNumber}}}.c_encoding()) +
         1;
}

bool PartsFromDayCount(double dayCount, DateTimeParts& parts) {
  long dayNumber = 0, seconds = 0;
  if (!SplitDayCount(dayCount, dayNumber, seconds)) return false;
  CivilFromDayNumber(dayNumber, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  parts.dayOfWeek = DayOfWeekFromDayNumber(dayNumber);
  return true;
}

}  // namespace dayweave::internal
