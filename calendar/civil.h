// Internal conversion between day counts and civil dates, built on std::chrono's calendar.
//
// Day counts number days from 30 December 1899 (day 0); the Unix epoch is day 25569. The
// supported years are 100 to 9999.
#pragma once

#include <cmath>

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

inline constexpr long kFirstDayNumber = -657434;  // 1 January 100
inline constexpr long kLastDayNumber = 2958465;   // 31 December 9999
inline constexpr long kSecondsPerDay = 86400;

// Splits a day count into its day number and the seconds after that day's midnight, rounded
// to the nearest second (half a second going up, a full day carrying into the next day), or
// answers false when the count is not finite or lies outside the supported years.
inline bool SplitDayCount(double dayCount, long& dayNumber, long& seconds) {
  // Reject before any conversion to an integer: the bounds leave a day's margin for the
  // rounding, and the day number is checked exactly afterwards.
  if (!(dayCount > kFirstDayNumber - 2.0 && dayCount < kLastDayNumber + 2.0)) return false;
  const double whole = std::trunc(dayCount);
  dayNumber = static_cast<long>(whole);
  seconds = static_cast<long>(std::fabs(dayCount - whole) * kSecondsPerDay + 0.5);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++dayNumber;
  }
  return dayNumber >= kFirstDayNumber && dayNumber <= kLastDayNumber;
}

// The civil date of a day number within the supported years.
void CivilFromDayNumber(long dayNumber, int& year, int& month, int& day);

// The framework day of the week (1 Sunday ... 7 Saturday) of a day number.
int DayOfWeekFromDayNumber(long dayNumber);

// The components of a day count, rounded to the nearest second (half a second going up),
// or false when the count is not finite or lies outside the supported years.
bool PartsFromDayCount(double dayCount, DateTimeParts& parts);

}  // namespace dayweave::internal
