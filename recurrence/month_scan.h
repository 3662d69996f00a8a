// Internal: the month scans behind the rule's month-position operations, kept off the heap.
//
// The public first-four operations hand the caller a new int[4]; the position tests that the
// occurrence test asks many times a day answer from the same scans held in a std::array.
//
//   internal::FirstFourDays(internal::CountedDays::kWeekendDays, 0, may2003);  // {3, 4, 10, 11}
//
// A scan reads the date once as calendar components and counts the days of its month from
// the first, each a day of the week further on than the one before. It never leaves the
// month: four of any kind of day lie within the first 28 days. Entries that cannot be found (a day
// of the week outside 1 to 7, a date that cannot be read) are -1.
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

// The day numbers of the first four counted days of the month holding `date`, ascending.
// `dayOfWeek` is read for kOneDayOfWeek only.
FirstFour FirstFourDays(CountedDays kind, int dayOfWeek, const COleDateTime& date);

// The day number of the last counted day of the month holding `date`, or kNoDay.
int LastDay(CountedDays kind, int dayOfWeek, const COleDateTime& date);

// 1 when `date` is the instance-th counted day of its month (instance 5: the last), else 0.
int IsInstance(CountedDays kind, int dayOfWeek, int instance, const COleDateTime& date);

}  // namespace dayweave::internal
