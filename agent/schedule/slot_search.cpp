#include "agent/schedule/slot_search.h"

#include <algorithm>

#include "agent/input/local_time.h"
#include "agent/schedule/availability.h"
#include "dayweave/time_slot.h"

namespace dayweave::agent {

using namespace std::chrono;

std::vector<local_seconds> FreeSlots(const Schedule& schedule, const SlotQuery& query,
                                     std::vector<std::string>* warnings) {
  std::vector<local_seconds> starts;
  if (query.from >= query.to || query.length < minutes{1} || query.step < minutes{1}) {
    return starts;
  }
  const seconds step = query.step;
  const local_days firstDay = floor<days>(query.from);
  DaySweep sweep(schedule, firstDay);
  for (local_days day = firstDay; day <= floor<days>(query.to - seconds{1}); day += days{1}) {
    if (query.weekdaysOnly && (weekday{day} == Sunday || weekday{day} == Saturday)) continue;
    const local_seconds low = std::max(query.from, day + query.hoursFrom);
    const local_seconds high = std::min(query.to - seconds{1}, day + query.hoursTo - query.length);
    if (low > high) continue;
    // The first start of the grid at or after `low`.
    local_seconds candidate = query.from + (low - query.from + step - seconds{1}) / step * step;
    if (candidate > high) continue;
    const std::vector<const Appointment*>& touching = sweep.Touching(day);
    for (; candidate <= high; candidate += step) {
      const bool free = std::all_of(touching.begin(), touching.end(), [&](const Appointment* a) {
        return LeavesFree(*a, candidate, query.length);
      });
      if (free) starts.push_back(candidate);
    }
  }
  if (warnings != nullptr) {
    warnings->insert(warnings->end(), sweep.Warnings().begin(), sweep.Warnings().end());
  }
  return starts;
}

std::unique_ptr<CTimeSlotStore> FreeSlotStore(const Schedule& schedule, const SlotQuery& query,
                                              std::vector<std::string>* warnings) {
  return SlotStore(FreeSlots(schedule, query, warnings), query.length);
}

std::unique_ptr<CTimeSlotStore> SlotStore(const std::vector<local_seconds>& starts,
                                          minutes length) {
  auto store = std::make_unique<CTimeSlotStore>();
  int number = 0;
  for (const local_seconds start : starts) {
    CString id;
    id.Format("t%d", ++number);
    store->Add(new CTimeSlot(ToOle(start), static_cast<int>(length.count())), "free", id);
  }
  return store;
}

}  // namespace dayweave::agent
