// A zone's offsets from UTC, read from libical once and then looked up by binary search, and
// the conversions between instants and the zone's wall clock that they give.
//
//   ZoneOffsets berlin(FindZone("Europe/Berlin"), 2024y, 2024y);
//   berlin.ToLocal(sys_days{2024y / March / 4} + 8h);            // 09:00 on 4 March
//   berlin.ToInstant(local_days{2024y / March / 4} + 9h);        // 08:00 UTC
//
// Asking libical's zone for every time of a calendar costs far more than reading the calendar,
// so the offset changes of the years asked about are found once (a daily reading, halved down
// to the second where the offset moved) and kept as a sorted table of periods. Outside those
// years the nearest period's offset holds; ask for the years you need (ZoneOffsetCache does).
//
// SKIPPED AND REPEATED WALL-CLOCK TIMES
//   When a zone puts its clocks forward, an hour of its wall clock never happens; when it puts
//   them back, an hour happens twice. ToInstant answers as RFC 5545 reads such a DATE-TIME
//   (and as Python's zoneinfo does with fold=0):
//   - a repeated time is its first occurrence, on the offset before the change:
//       new_york.ToInstant(local_days{2024y / November / 3} + 1h + 30min)   // 05:30 UTC (EDT)
//   - a skipped time is read with the offset before the gap, so it lands as far past the gap
//     as it lay into it:
//       new_york.ToInstant(local_days{2024y / March / 10} + 2h + 30min)     // 07:30 UTC, which
//                                                                           // is 03:30 EDT
//   So ToInstant is one-to-one outside gaps, and ToLocal(ToInstant(t)) == t except in a gap.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

class ZoneOffsets {
 public:
  // The offsets of `zone` over the years `first` to `last` (both included). A null zone and
  // UTC have offset 0 throughout.
  ZoneOffsets(icaltimezone* zone, std::chrono::year first, std::chrono::year last);

  // Covers
  // Whether the table was read for every year from `first` to `last`.
  bool Covers(std::chrono::year first, std::chrono::year last) const;

  // First, Last
  // The years the table was read for.
  std::chrono::year First() const { return first_; }
  std::chrono::year Last() const { return last_; }

  // OffsetAt
  // The offset east of UTC at an instant.
  std::chrono::seconds OffsetAt(std::chrono::sys_seconds instant) const;

  // ToLocal
  // The wall-clock reading at an instant.
  std::chrono::local_seconds ToLocal(std::chrono::sys_seconds instant) const;

  // ToInstant
  // The instant of a wall-clock reading, skipped and repeated times as described above.
  std::chrono::sys_seconds ToInstant(std::chrono::local_seconds local) const;

  // Changes
  // The changes of offset within the years read, in order.
  std::vector<ZoneChanges::Change> Changes() const;

 private:
  // A stretch of one offset: from `start` (a real instant) to the next period's start.
  struct Period {
    std::chrono::sys_seconds start;
    std::chrono::local_seconds localStart;  // start + offset
    std::chrono::seconds offset;
  };

  std::chrono::year first_;
  std::chrono::year last_;
  std::vector<Period> periods_;  // the first one reaches back without bound
};

// Keeps one ZoneOffsets per zone for all threads, read again for more years when a caller
// asks for years it lacks. The tables handed out stay valid while callers hold them.
//
//   ZoneOffsetCache cache;
//   std::shared_ptr<const ZoneOffsets> tokyo = cache.For(FindZone("Asia/Tokyo"), 2024y, 2025y);
class ZoneOffsetCache {
 public:
  // For
  // The offsets of `zone` covering at least the years `first` to `last`.
  std::shared_ptr<const ZoneOffsets> For(icaltimezone* zone, std::chrono::year first,
                                         std::chrono::year last);

 private:
  std::mutex mutex_;
  std::map<icaltimezone*, std::shared_ptr<const ZoneOffsets>> tables_;
};

}  // namespace dayweave::agent
