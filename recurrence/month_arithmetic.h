// Internal: the month arithmetic behind the rule's month positions, computed from one day of
// the month, its day of the week and the month's length, never by walking the month.
//
//   const internal::MonthDay may30{30, 6, 31};  // Friday 30 May 2003, in a month of 31 days
//   internal::IsInstance(internal::CountedDays::kWeekdays, 0, kLastInstance, may30);  // 1
//
// HOW THE POSITIONS ARE COUNTED
//
// The day of the week of the first of the month, w1, follows from any day's: day d falls on
// (w1 - 1 + d - 1) mod 7 + 1. The Saturday and Sunday of the first seven days are then
// s = 8 - w1 and u = s mod 7 + 1, and the weekend days among days 1 to d number
// (d - s + 7) / 7 + (d - u + 7) / 7. A counted day's position is therefore:
//   a day of the week k    (d - 1) / 7 + 1
//   weekend days           the weekend days among 1 to d
//   weekdays               d minus them
// and it is the last of its kind when the next such day lies beyond the month: a week on for a
// day of the week, one day on for a weekday before Friday or a Saturday, three for a Friday,
// six for a Sunday. The first four and the last are read off the same numbers. Every month of
// the years 100 to 9999 is checked against a plain walk through the month in the tests.
#pragma once

#include <array>

#include "dayweave/date_time.h"
#include "dayweave/recurrence_codes.h"

namespace dayweave::internal {

inline constexpr int kNoDay = -1;

// The kinds of day a month position counts. kOneDayOfWeek counts the days that fall on a given
// framework day number (1 Sunday ... 7 Saturday).
enum class CountedDays { kWeekdays, kWeekendDays, kOneDayOfWeek };

using FirstFour = std::array<int, 4>;

// One day of a month: its day number, its framework day of the week and the month's length.
struct MonthDay {
  int day;
  int dayOfWeek;
  int length;
};

// Reads `date` as a day of its month, or answers false when it cannot be read.
bool ReadMonthDay(const COleDateTime& date, MonthDay& at);

// The day numbers of the first four counted days of the month of `at`, ascending; kNoDay
// entries when `dayOfWeek` (read for kOneDayOfWeek only) is not 1 to 7.
FirstFour FirstFourDays(CountedDays kind, int dayOfWeek, const MonthDay& at);

// The day number of the last counted day of the month of `at`, or kNoDay.
int LastDay(CountedDays kind, int dayOfWeek, const MonthDay& at);

// The arithmetic itself, inline so that the occurrence test compiles it for the kind it asks
// about.

inline constexpr int kSunday = 1;
inline constexpr int kFriday = 6;
inline constexpr int kSaturday = 7;

inline bool IsDayOfWeek(int dayOfWeek) { return dayOfWeek >= kSunday && dayOfWeek <= kSaturday; }

inline bool IsWeekendDay(int dayOfWeek) { return dayOfWeek == kSunday || dayOfWeek == kSaturday; }

inline bool Counts(CountedDays kind, int dayOfWeek, int candidate) {
  switch (kind) {
    case CountedDays::kWeekdays:
      return !IsWeekendDay(candidate);
    case CountedDays::kWeekendDays:
      return IsWeekendDay(candidate);
    case CountedDays::kOneDayOfWeek:
      return candidate == dayOfWeek;
  }
  return false;
}

// The day of the week of the first of the month.
inline int FirstOfMonth(const MonthDay& at) { return (at.dayOfWeek - at.day + 35) % 7 + kSunday; }

// The day numbers of the Saturday and the Sunday among the first seven days.
inline int FirstSaturday(const MonthDay& at) { return 8 - FirstOfMonth(at); }
inline int FirstSunday(const MonthDay& at) { return FirstSaturday(at) % 7 + 1; }

// How many weekend days lie on days 1 to `day` of the month.
inline int WeekendDaysUpTo(int day, const MonthDay& at) {
  return (day - FirstSaturday(at) + 7) / 7 + (day - FirstSunday(at) + 7) / 7;
}

// The position among the counted days of `at`, a counted day itself.
inline int Position(CountedDays kind, const MonthDay& at) {
  switch (kind) {
    case CountedDays::kWeekdays:
      return at.day - WeekendDaysUpTo(at.day, at);
    case CountedDays::kWeekendDays:
      return WeekendDaysUpTo(at.day, at);
    case CountedDays::kOneDayOfWeek:
      break;
  }
  return (at.day - 1) / 7 + 1;
}

// Whether `at`, a counted day, is the last of its kind: the next one lies beyond the month.
inline bool IsLast(CountedDays kind, const MonthDay& at) {
  int gap = 7;
  if (kind == CountedDays::kWeekdays) gap = at.dayOfWeek == kFriday ? 3 : 1;
  if (kind == CountedDays::kWeekendDays) gap = at.dayOfWeek == kSunday ? 6 : 1;
  return at.day + gap > at.length;
}

// 1 when `at` is the instance-th counted day of its month (kLastInstance: the last), else 0.
inline int IsInstance(CountedDays kind, int dayOfWeek, int instance, const MonthDay& at) {
  const bool position = instance == kLastInstance
                            ? IsLast(kind, at)
                            : instance >= kFirstInstance && instance <= kFourthInstance &&
                                  Position(kind, at) == instance;
  return (Counts(kind, dayOfWeek, at.dayOfWeek) & position) ? 1 : 0;
}

}  // namespace dayweave::internal
