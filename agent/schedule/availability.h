// Free or busy: the library's answers for an instant, a stretch of minutes and a range of
// candidate slots, asked exactly.
//
//   StretchAnswer answer = AskStretch(schedule, ToSeconds({2003, 1, 13, 9, 30, 0}), 30);
//   answer.free;       // false: the weekly review runs from 09:00 to 10:00
//   answer.blocking;   // the appointments that said busy
//
// ASKING A STRETCH EXACTLY
//   The library asks a recurring appointment about one date at a time: it tests whether the
//   rule occurs on the date of the stretch's start, then compares the times of day of the
//   stretch's two ends with the daily window. So a stretch that crosses midnight is cut into
//   days here, and each day's piece is asked of the appointments that occur on that day. A
//   piece that runs to midnight cannot be asked as such (its end would read as 00:00, before
//   every window), but calendar times are whole seconds and a window ends by 23:59:59, so the
//   piece up to 23:59:59 meets exactly the same windows. A piece that is not a whole number of
//   minutes is asked as two overlapping stretches of whole minutes (one from each end), and a
//   piece shorter than a minute second by second.
//
//   A one-off appointment compares instants: the stretch's end is `when` plus minutes × 1/1440
//   of a day, a sum that can land a hair past an appointment that starts exactly there. Asking
//   a second time from a quarter second earlier (far below the one-second grain of calendar
//   times, far above the rounding) tells a real overlap from a touching one.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "agent/schedule/schedule.h"
#include "dayweave/time_slot_store.h"

namespace dayweave::agent {

struct StretchAnswer {
  bool free = true;
  std::vector<Appointment> blocking;  // the appointments that said busy, by event and start
};

// Answers many questions about one schedule, keeping what it learns about each day: the
// expanded events' occurrences come from libical's iterators, which are costly to set up, so
// the days that one question walks through serve the next.
class FreeBusy {
 public:
  explicit FreeBusy(const Schedule& schedule);

  // AskInstant
  // Whether every appointment leaves the user free at `when` (display wall-clock seconds),
  // and which do not.
  StretchAnswer AskInstant(std::int64_t when);

  // AskStretch
  // Whether every appointment leaves the user free for `minutes` (at least 1) from `when`.
  StretchAnswer AskStretch(std::int64_t when, int minutes);

  // Warnings
  // The warnings of the walk over the days (see DaySweep::Warnings).
  std::vector<std::string> Warnings() const;

 private:
  const std::vector<Appointment>& Day(std::int64_t day);

  const Schedule& schedule_;
  std::unique_ptr<DaySweep> sweep_;
  std::int64_t nextDay_ = 0;  // the next day the sweep can give
  std::map<std::int64_t, std::vector<Appointment>> days_;
  std::vector<std::string> warnings_;
};

// AskInstant, AskStretch
// One question about a schedule.
StretchAnswer AskInstant(const Schedule& schedule, std::int64_t when);
StretchAnswer AskStretch(const Schedule& schedule, std::int64_t when, int minutes);

// LeavesFree
// Whether one appointment leaves the stretch from `when` for `minutes` (at least 1) free,
// asked of the library as described above.
bool LeavesFree(const Appointment& appointment, std::int64_t when, int minutes);

struct SlotQuery {
  std::int64_t from = 0;     // first candidate (display wall-clock seconds)
  std::int64_t to = 0;       // candidates start before this
  int minutes = 60;          // length of a slot
  int step = 30;             // minutes between candidates, on the grid that starts at `from`
  int hoursFrom = 9 * 3600;  // daily hours: a slot lies within them (seconds of the day,
  int hoursTo = 17 * 3600;   // hoursTo up to 86400)
  bool weekdaysOnly = false;
};

// FreeSlots
// The starts of the candidate slots that every appointment leaves free, in order.
std::vector<std::int64_t> FreeSlots(const Schedule& schedule, const SlotQuery& query);

// FreeSlotStore
// The free slots of `query` in a store, ready for its text or KQML message: each slot carries
// the attribute "free" and the ID t1, t2, ... in order.
std::unique_ptr<CTimeSlotStore> FreeSlotStore(const Schedule& schedule, const SlotQuery& query);

}  // namespace dayweave::agent
