#include "agent/schedule/working_hours.h"

namespace dayweave::agent {

namespace {

using std::chrono::days;
using std::chrono::local_days;
using std::chrono::sys_seconds;

bool IsWeekend(local_days day) {
  const std::chrono::weekday weekday{day};
  return weekday == std::chrono::Saturday || weekday == std::chrono::Sunday;
}

}  // namespace

std::vector<Interval> WorkingWindows(const ZoneOffsets& clock, WorkingHours hours,
                                     bool weekdaysOnly, sys_seconds from, sys_seconds to) {
  std::vector<Interval> windows;
  if (from >= to) return windows;
  // A day's window lies inside its wall-clock day, so the days from the one `from` falls on to
  // the one the last second before `to` falls on are all that can meet the stretch.
  const local_days first = std::chrono::floor<days>(clock.ToLocal(from));
  const local_days last = std::chrono::floor<days>(clock.ToLocal(to - std::chrono::seconds{1}));
  for (local_days day = first; day <= last; day += days{1}) {
    if (weekdaysOnly && IsWeekend(day)) continue;
    const sys_seconds start = clock.ToInstant(day + hours.from);
    const sys_seconds end = clock.ToInstant(day + hours.to);
    if (start < end) windows.push_back(Interval{start, end});
  }
  return windows;
}

}  // namespace dayweave::agent
