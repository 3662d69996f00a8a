// The slots of a meeting search in the library's time slot store, on the clock the answer is
// shown on, so that the store writes them as KQML or as text exactly as for free slots.
//
//   auto store = MeetingStore(answer.slots, 2, display, 60min);
//   store->ToKQML();      // (tell :t1 (3/4/2024 3:00:00 PM) :t2 ...), or (tell) for none
//   store->ToString();    // each slot, its attribute "free 1/2" and its ID t1, t2, ...
//
// A slot's attribute is "free" when the search had no optional people, else "free K/M": K of
// the M optional people are free for it. The slot runs `length` minutes on the display clock
// from its start, as the library's slot of a start and a duration does.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

#include "agent/input/zone_offsets.h"
#include "agent/schedule/meeting_search.h"
#include "dayweave/date_time.h"
#include "dayweave/time_slot_store.h"

namespace dayweave::agent {

// OleOf
// The library's date-time value of a wall-clock reading.
COleDateTime OleOf(std::chrono::local_seconds local);

// MeetingStore
// A store with one entry per slot, in order.
std::unique_ptr<CTimeSlotStore> MeetingStore(const std::vector<MeetingSlot>& slots,
                                             std::size_t optionalCount, const ZoneOffsets& display,
                                             std::chrono::minutes length);

}  // namespace dayweave::agent
