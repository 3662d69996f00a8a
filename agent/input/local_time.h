// Wall-clock times as the agent computes with them, and the library's values of them.
//
//   using namespace std::chrono;
//   local_seconds at = local_days{2003y / January / 13} + 9h + 30min;
//   COleDateTime when = ToOle(at);             // 1/13/2003 9:30:00 AM
//   LibraryHolds(local_days{10000y / 1 / 1});  // false: past the library's last year
//
// Every time the agent hands to the library is a wall-clock time of one zone, the display
// zone, so the agent counts in std::chrono::local_seconds and local_days of that clock: a day
// is always 24 hours here, whatever daylight saving does to the real clock (the zone work is
// done once, when a calendar is read; see time_zones.h). Civil arithmetic is std::chrono's
// calendar (year_month_day, weekday). Values built with ToOle are exactly the values the
// library builds from the same components, so two of them compare equal exactly when they
// name the same second.
//
// VALIDITY
//   A time is valid when the library's date-time value built from it says so: LibraryHolds is
//   the one rule the agent applies, to a calendar's times as written and to their display.
#pragma once

#include <chrono>
#include <optional>

#include "dayweave/date_time.h"

namespace dayweave::agent {

// ToOle
// The library's value of a wall-clock time, built from its components; invalid when the
// library cannot hold the time.
COleDateTime ToOle(std::chrono::local_seconds time);

// LibraryHolds
// Whether the library's date-time value can hold the time (ToOle gives a valid value), or the
// time of these components as they are written: 29 February 1700, which libical reads by the
// Julian rule, is not held.
bool LibraryHolds(std::chrono::local_seconds time);
bool LibraryHolds(int year, int month, int day, int hour, int minute, int second);

// FromOle
// The wall-clock time of a valid library value, rounded to the second as the library reads
// it; nothing when the value cannot be read.
std::optional<std::chrono::local_seconds> FromOle(const COleDateTime& value);

// TimeOfDay
// How far into its day a wall-clock time lies.
constexpr std::chrono::seconds TimeOfDay(std::chrono::local_seconds time) {
  return time - std::chrono::floor<std::chrono::days>(time);
}

}  // namespace dayweave::agent
