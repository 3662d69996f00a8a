#include "agent/input/zone_offsets.h"

#include <algorithm>
#include <iterator>

namespace dayweave::agent {

using std::chrono::days;
using std::chrono::January;
using std::chrono::local_seconds;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::sys_seconds;
using std::chrono::year;

ZoneOffsets::ZoneOffsets(icaltimezone* zone, year first, year last) : first_(first), last_(last) {
  const sys_seconds begin{sys_days{first / January / 1}};
  if (zone == nullptr || zone == icaltimezone_get_utc_timezone()) {
    periods_.push_back(Period{begin, local_seconds{begin.time_since_epoch()}, seconds{0}});
    return;
  }
  const sys_seconds end{sys_days{(last + std::chrono::years{1}) / January / 1}};
  // A zone changes its offset at most once a day, so a daily reading finds every change, and
  // halving the day in which the reading moved pins the change to the second.
  seconds previous = agent::OffsetAt(zone, begin);
  periods_.push_back(Period{begin, local_seconds{(begin + previous).time_since_epoch()}, previous});
  for (sys_seconds day = begin + days{1}; day <= end; day += days{1}) {
    const seconds offset = agent::OffsetAt(zone, day);
    if (offset == previous) continue;
    sys_seconds low = day - days{1};  // still the old offset
    sys_seconds high = day;           // already the new one
    while (high - low > seconds{1}) {
      const sys_seconds middle = low + (high - low) / 2;
      (agent::OffsetAt(zone, middle) == previous ? low : high) = middle;
    }
    periods_.push_back(Period{high, local_seconds{(high + offset).time_since_epoch()}, offset});
    previous = offset;
  }
}

bool ZoneOffsets::Covers(year first, year last) const { return first >= first_ && last <= last_; }

seconds ZoneOffsets::OffsetAt(sys_seconds instant) const {
  const auto after = std::upper_bound(periods_.begin() + 1, periods_.end(), instant,
                                      [](sys_seconds t, const Period& p) { return t < p.start; });
  return std::prev(after)->offset;
}

local_seconds ZoneOffsets::ToLocal(sys_seconds instant) const {
  return local_seconds{(instant + OffsetAt(instant)).time_since_epoch()};
}

sys_seconds ZoneOffsets::ToInstant(local_seconds local) const {
  // The periods' wall-clock stretches follow each other in order, overlapping where a time is
  // repeated and leaving a hole where one is skipped. `at` is the last period whose wall clock
  // has begun by `local`; the one before it still holds `local` when the time is repeated.
  const auto after =
      std::upper_bound(periods_.begin() + 1, periods_.end(), local,
                       [](local_seconds t, const Period& p) { return t < p.localStart; });
  auto at = std::prev(after);
  if (at != periods_.begin()) {
    const auto before = std::prev(at);
    if (local < local_seconds{(at->start + before->offset).time_since_epoch()}) at = before;
  }
  // In the period, or skipped after it: either way read with its offset.
  return sys_seconds{local.time_since_epoch()} - at->offset;
}

std::vector<ZoneChanges::Change> ZoneOffsets::Changes() const {
  std::vector<ZoneChanges::Change> changes;
  for (auto period = periods_.begin() + 1; period != periods_.end(); ++period) {
    changes.push_back({period->start, std::prev(period)->offset, period->offset});
  }
  return changes;
}

std::shared_ptr<const ZoneOffsets> ZoneOffsetCache::For(icaltimezone* zone, year first, year last) {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::shared_ptr<const ZoneOffsets>& table = tables_[zone];
  if (table == nullptr || !table->Covers(first, last)) {
    // Keep what was covered, so that callers asking in turn do not read it again.
    if (table != nullptr) {
      first = std::min(first, table->First());
      last = std::max(last, table->Last());
    }
    table = std::make_shared<const ZoneOffsets>(zone, first, last);
  }
  return table;
}

}  // namespace dayweave::agent
