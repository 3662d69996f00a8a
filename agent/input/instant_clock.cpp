#include "agent/input/instant_clock.h"

#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

using std::chrono::local_seconds;
using std::chrono::sys_seconds;
using std::chrono::year;

}  // namespace

InstantClock::InstantClock(ZoneOffsetCache& cache, icaltimezone* floating, year first, year last)
    : cache_(cache), floating_(floating), first_(first), last_(last) {}

const ZoneOffsets& InstantClock::Table(icaltimezone* zone) {
  std::shared_ptr<const ZoneOffsets>& table = tables_[zone];
  if (table == nullptr) table = cache_.For(zone, first_, last_);
  return *table;
}

sys_seconds InstantClock::InstantOf(const icaltimetype& time) {
  const local_seconds wall = WrittenTime(time);
  if (icaltime_is_utc(time)) return sys_seconds{wall.time_since_epoch()};
  const bool floating = time.is_date || time.zone == nullptr;
  icaltimezone* zone = floating ? floating_ : const_cast<icaltimezone*>(time.zone);
  if (year{time.year} < first_ || year{time.year} > last_) {
    icaltimetype zoned = time;
    zoned.is_date = 0;
    zoned.zone = zone;
    return sys_seconds{std::chrono::seconds{icaltime_as_timet_with_zone(zoned, zone)}};
  }
  return Table(zone).ToInstant(wall);
}

}  // namespace dayweave::agent
