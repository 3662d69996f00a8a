#include "agent/input/local_time.h"

#include <chrono>

namespace dayweave::agent {

namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

}  // namespace

std::int64_t DayNumber(int y, int m, int d) {
  const sys_days date{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}};
  return date.time_since_epoch().count();
}

std::int64_t ToSeconds(const LocalTime& time) {
  return DayNumber(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600 +
         time.minute * 60 + time.second;
}

std::int64_t DayOf(std::int64_t seconds) {
  const std::int64_t quotient = seconds / kSecondsPerDay;
  return seconds % kSecondsPerDay < 0 ? quotient - 1 : quotient;
}

LocalTime FromSeconds(std::int64_t seconds) {
  const std::int64_t dayNumber = DayOf(seconds);
  const std::int64_t ofDay = seconds - dayNumber * kSecondsPerDay;
  const year_month_day date{sys_days{days{dayNumber}}};
  LocalTime time;
  time.year = static_cast<int>(date.year());
  time.month = static_cast<int>(static_cast<unsigned>(date.month()));
  time.day = static_cast<int>(static_cast<unsigned>(date.day()));
  time.hour = static_cast<int>(ofDay / 3600);
  time.minute = static_cast<int>(ofDay / 60 % 60);
  time.second = static_cast<int>(ofDay % 60);
  return time;
}

int DayOfWeek(std::int64_t dayNumber) {
  // 1 January 1970 was a Thursday, day 5 in the library's numbering.
  const std::int64_t fromSunday = ((dayNumber + 4) % 7 + 7) % 7;
  return static_cast<int>(fromSunday) + 1;
}

bool InLibraryRange(const LocalTime& time) { return time.year >= 100 && time.year <= 9999; }

COleDateTime ToOle(const LocalTime& time) {
  return COleDateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

std::optional<LocalTime> FromOle(const COleDateTime& value) {
  DateTimeParts parts;
  if (value.GetStatus() != COleDateTime::valid || !value.GetAsSystemTime(parts)) return {};
  return LocalTime{parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second};
}

}  // namespace dayweave::agent
