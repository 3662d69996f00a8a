// The free slots of a range: every candidate start on a grid, within daily hours, that every
// appointment of a schedule leaves free for the slot's length.
//
//   SlotQuery query;
//   query.from = local_days{2003y / April / 14};
//   query.to = local_days{2003y / April / 16};
//   query.length = 60min;
//   FreeSlots(schedule, query);       // the starts: 4/14/2003 9:00 AM, ...
//   FreeSlotStore(schedule, query);   // the same slots in a store, for its text or KQML
//
// The search walks the days once with a DaySweep, so each candidate asks only the
// appointments that can touch its day (see schedule.h).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "agent/schedule/schedule.h"
#include "dayweave/time_slot_store.h"

namespace dayweave::agent {

struct SlotQuery {
  std::chrono::local_seconds from;  // the first candidate
  std::chrono::local_seconds to;    // candidates start before this
  std::chrono::minutes length{60};  // of a slot
  std::chrono::minutes step{30};    // between candidates, on the grid that starts at `from`
  std::chrono::seconds hoursFrom = std::chrono::hours{9};  // daily hours: a slot lies within
  std::chrono::seconds hoursTo = std::chrono::hours{17};   // them (hoursTo up to 24 hours)
  bool weekdaysOnly = false;
};

// The most candidate starts one search may ask about: every minute of about two years. The
// free ones are all held in a store and written as one message, so a range of centuries on a
// fine grid would otherwise exhaust memory instead of answering.
constexpr long long kMostCandidates = 1000000;

// FreeSlots
// The starts of the candidate slots that every appointment leaves free, in order; the sweep's
// warnings (an event whose time could not be checked, which no slot then overlaps) are added
// to `warnings` when given.
std::vector<std::chrono::local_seconds> FreeSlots(const Schedule& schedule, const SlotQuery& query,
                                                  std::vector<std::string>* warnings = nullptr);

// FreeSlotStore
// The free slots of `query` in a store, ready for its text or KQML message: each slot carries
// the attribute "free" and the ID t1, t2, ... in order.
std::unique_ptr<CTimeSlotStore> FreeSlotStore(const Schedule& schedule, const SlotQuery& query,
                                              std::vector<std::string>* warnings = nullptr);

// SlotStore
// Slots of `length` at `starts` in a store, as FreeSlotStore fills it.
std::unique_ptr<CTimeSlotStore> SlotStore(const std::vector<std::chrono::local_seconds>& starts,
                                          std::chrono::minutes length);

}  // namespace dayweave::agent
