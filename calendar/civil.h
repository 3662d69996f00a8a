// Internal conversion between day counts and civil dates, built on std::chrono's calendar.
//
// Day counts number days from 30 December 1899 (day 0); the Unix epoch is day 25569. The
// supported years are 100 to 9999.
#pragma once

#include "dayweave/date_time.h"

namespace dayweave::internal {

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;

// Days in `month` of `year`; 0 when the month is not 1 to 12.
int MonthLength(int year, int month);

// The day number of a civil date, or false when the date is not a real one in range.
bool DayNumberFromCivil(int year, int month, int day, long& dayNumber);

// The day count of components, or false when they form no real date and time in range.
bool DayCountFromParts(int year, int month, int day, int hour, int minute, int second,
                       double& dayCount);

// The components of a day count, rounded to the nearest second (half a second going up),
// or false when the count is not finite or lies outside the supported years.
bool PartsFromDayCount(double dayCount, DateTimeParts& parts);

}  // namespace dayweave::internal
