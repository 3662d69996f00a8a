// Wall-clock times of the display zone, as the agent computes with them.
//
//   LocalTime at{2003, 1, 13, 9, 30, 0};
//   std::int64_t s = ToSeconds(at);        // seconds since 1 January 1970 00:00, wall clock
//   COleDateTime when = ToOle(at);          // the library's value of the same instant
//
// Every time the agent hands to the library is a wall-clock time of one zone, the display
// zone, so the agent counts in plain seconds and days of that wall clock: a day is always
// 86,400 seconds here, whatever daylight saving does to the real clock (the zone work is done
// once, when a calendar is read). Values built with ToOle from whole seconds are exactly the
// values the library builds from the same components, so two of them compare equal exactly
// when they name the same second.
#pragma once

#include <cstdint>
#include <optional>

#include "dayweave/date_time.h"

namespace dayweave::agent {

constexpr std::int64_t kSecondsPerDay = 86400;

struct LocalTime {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// DayNumber
// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar.
std::int64_t DayNumber(int year, int month, int day);

// ToSeconds, FromSeconds
// Wall-clock seconds since 1 January 1970 00:00, and back.
std::int64_t ToSeconds(const LocalTime& time);
LocalTime FromSeconds(std::int64_t seconds);

// DayOf
// The day number that holds a second count (rounding toward minus infinity).
std::int64_t DayOf(std::int64_t seconds);

// DayOfWeek
// 1 Sunday ... 7 Saturday for a day number, the library's numbering.
int DayOfWeek(std::int64_t dayNumber);

// InLibraryRange
// Whether the library's date-time value can hold the time (years 100 to 9999).
bool InLibraryRange(const LocalTime& time);

// ToOle
// The library's value of the time, built from its components.
COleDateTime ToOle(const LocalTime& time);

// FromOle
// The components of a valid library value, rounded to the second as the library reads them;
// nothing when the value cannot be read.
std::optional<LocalTime> FromOle(const COleDateTime& value);

}  // namespace dayweave::agent
