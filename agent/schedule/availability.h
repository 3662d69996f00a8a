// Free or busy: the library's answers for a moment and for a stretch of minutes of the display
// clock, asked exactly.
//
//   FreeBusy freeBusy(schedule);
//   StretchAnswer answer = freeBusy.AskStretch(local_days{2003y / 1 / 13} + 9h + 30min, 30min);
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
//   A one-off appointment compares date-time values: the stretch's end is `when` plus minutes ×
//   1/1440 of a day, a sum that can land a hair past an appointment that starts exactly there.
//   Asking a second time from a quarter second earlier (far below the one-second grain of calendar
//   times, far above the rounding) tells a real overlap from a touching one.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "agent/schedule/schedule.h"

namespace dayweave::agent {

struct StretchAnswer {
  bool free = true;
  std::vector<Appointment> blocking;  // the appointments that said busy, by event and start
};

// Answers questions about one schedule, keeping what it learns about each day: the expanded
// events' occurrences come from libical's iterators, which are costly to set up, so the days
// that one question walks through serve the next ones, in whatever order they come (a service
// answers many askers at once). It keeps at most a few hundred days and then starts afresh.
class FreeBusy {
 public:
  explicit FreeBusy(const Schedule& schedule);

  // AskAt
  // Whether every appointment leaves the user free at `when`, and which do not.
  StretchAnswer AskAt(std::chrono::local_seconds when);

  // AskStretch
  // Whether every appointment leaves the user free for `length` (at least a minute) from
  // `when`.
  StretchAnswer AskStretch(std::chrono::local_seconds when, std::chrono::minutes length);

  // Warnings
  // The warnings of the walk over the days (see DaySweep::Warnings).
  std::vector<std::string> Warnings() const;

 private:
  const std::vector<Appointment>& Day(std::chrono::local_days day);

  const Schedule& schedule_;
  std::unique_ptr<DaySweep> sweep_;
  std::chrono::local_days nextDay_;  // the next day the sweep can give
  std::map<std::chrono::local_days, std::vector<Appointment>> days_;
  std::vector<std::string> warnings_;
};

// LeavesFree
// Whether one appointment leaves the stretch of `length` (at least a minute) from `when` free,
// asked of the library as described above.
bool LeavesFree(const Appointment& appointment, std::chrono::local_seconds when,
                std::chrono::minutes length);

}  // namespace dayweave::agent
