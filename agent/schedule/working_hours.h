// A person's working hours, and the real stretches of time they make on that person's clock.
//
//   WorkingHours hours{9h, 17h};
//   std::vector<Interval> days = WorkingWindows(berlin, hours, true, monday, saturday);
//   // five stretches: 08:00-16:00 UTC in winter, 07:00-15:00 UTC in summer
//
// Each local day of the person's zone has one window, from `from` to `to` of that day's wall
// clock (`to` may be 24:00, the next midnight), turned into instants through the zone, so a
// daylight-saving change moves the window in real time and a day whose clock skips or repeats
// an hour inside the window has one hour less or more of it. Wall-clock times that are skipped
// or repeated are read as ZoneOffsets::ToInstant reads them; a window that comes out empty
// (hours inside a skipped hour) is left out.
#pragma once

#include <chrono>
#include <vector>

#include "agent/input/zone_offsets.h"
#include "agent/schedule/busy_time.h"

namespace dayweave::agent {

struct WorkingHours {
  std::chrono::minutes from{9 * 60};  // from midnight of the local day
  std::chrono::minutes to{17 * 60};   // after `from`, at most 24:00

  friend bool operator==(const WorkingHours&, const WorkingHours&) = default;
};

// WorkingWindows
// The working hours of every local day that meets the real stretch [from, to), in order;
// with `weekdaysOnly`, of Monday to Friday (of the person's zone) only.
std::vector<Interval> WorkingWindows(const ZoneOffsets& clock, WorkingHours hours,
                                     bool weekdaysOnly, std::chrono::sys_seconds from,
                                     std::chrono::sys_seconds to);

}  // namespace dayweave::agent
