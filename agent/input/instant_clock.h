// Calendar times as instants, fast: the times of a named zone through that zone's cached
// offset table, floating times and dates on one chosen clock (the calendar owner's).
//
//   InstantClock clock(cache, FindZone("Asia/Tokyo"), 2024y, 2024y);
//   clock.InstantOf(event.start);     // DTSTART;TZID=Europe/Berlin:20240304T090000 -> 08:00 UTC
//
// Times of the years the clock was made for are looked up in the tables; times of other years
// are asked of libical, so every answer is exact, and only the common case is fast. A zoned
// wall-clock time that is skipped or repeated is read as ZoneOffsets::ToInstant reads it.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <map>
#include <memory>

#include "agent/input/rule_parts.h"
#include "agent/input/zone_offsets.h"

namespace dayweave::agent {

class InstantClock {
 public:
  // Tables from `cache` for the years `first` to `last`; floating times on the clock of
  // `floating`.
  InstantClock(ZoneOffsetCache& cache, icaltimezone* floating, std::chrono::year first,
               std::chrono::year last);

  // InstantOf
  // The instant of a UTC, zoned or floating date-time, or of a date (its midnight).
  std::chrono::sys_seconds InstantOf(const icaltimetype& time);

 private:
  const ZoneOffsets& Table(icaltimezone* zone);

  ZoneOffsetCache& cache_;
  icaltimezone* floating_;
  std::chrono::year first_;
  std::chrono::year last_;
  std::map<icaltimezone*, std::shared_ptr<const ZoneOffsets>> tables_;
};

}  // namespace dayweave::agent
