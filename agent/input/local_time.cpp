#include "agent/input/local_time.h"

namespace dayweave::agent {

using namespace std::chrono;

COleDateTime ToOle(local_seconds time) {
  const local_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss<seconds> clock{time - day};
  return COleDateTime(
      static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
      static_cast<int>(unsigned{date.day()}), static_cast<int>(clock.hours().count()),
      static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
}

bool LibraryHolds(local_seconds time) { return ToOle(time).GetStatus() == COleDateTime::valid; }

bool LibraryHolds(int year, int month, int day, int hour, int minute, int second) {
  return COleDateTime(year, month, day, hour, minute, second).GetStatus() == COleDateTime::valid;
}

std::optional<local_seconds> FromOle(const COleDateTime& value) {
  DateTimeParts parts;
  if (value.GetStatus() != COleDateTime::valid || !value.GetAsSystemTime(parts)) return {};
  const year_month_day date{year{parts.year}, month{static_cast<unsigned>(parts.month)},
                            day{static_cast<unsigned>(parts.day)}};
  return local_days{date} + hours{parts.hour} + minutes{parts.minute} + seconds{parts.second};
}

}  // namespace dayweave::agent
