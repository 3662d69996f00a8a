// Internal to dayweave, not for callers: the civil-date core under every date-time reading and
// writing, inline so that the getters of COleDateTime cost a few instructions. Day numbers count
// days from 30 December 1899 (day 0); the supported years are 100 to 9999.
//
// HOW THE CONVERSIONS WORK
//
// Both directions are the branch-light Euclidean affine functions of Neri and Schneider
// ("Euclidean affine functions and their application to calendar algorithms", 2022), a
// refinement of Hinnant's days_from_civil and civil_from_days. They count in a computational
// calendar whose year begins on 1 March, so that the leap day is the last day of the year and
// the months March to January have lengths that a linear function with a floor reproduces:
// the first of computational month m (3 March ... 14 February) lies (979m - 2919) / 32 days
// after 1 March. Counting from 1 March of year 0 (a Wednesday, day number -693899), every
// supported date is a small positive number, so all the arithmetic is unsigned 32-bit, with
// divisions by constants that the compiler turns into multiplications and shifts:
//
//   days of whole years   1461y / 4 - y / 100 + y / 400   (y counted from year 0, March-based)
//   year and day of year  4N + 3 splits into centuries of 146097 days, then a multiplication
//                         by 2939745 and a shift by 32 splits a century into years
//   month and day         2141 × day of year + 197913: the high 16 bits are the month, the
//                         low 16 bits divided by 2141 the day
//
// std::chrono's year_month_day carries the same algorithm in its general form (signed, any
// year); this one is specialised to the supported years and stays inline in every caller.
// Every day of the years 100 to 9999 is checked against std::chrono in the tests.
#pragma once

#include <cmath>
#include <cstdint>

namespace dayweave::internal {

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;
inline constexpr long kFirstDayNumber = -657434;  // 1 January 100
inline constexpr long kLastDayNumber = 2958465;   // 31 December 9999
inline constexpr long kSecondsPerDay = 86400;

// The day number of 1 March of year 0, negated: adding it makes every supported day number a
// positive count of days from that Wednesday.
inline constexpr std::uint32_t kMarchZero = 693899;

struct CivilDate {
  int year;
  int month;
  int day;
};

// Gregorian leap years; `year` is positive. A year divisible by 100 is a leap year when it is
// also divisible by 400, that is (being divisible by 25) by 16.
constexpr bool IsLeapYear(int year) {
  const unsigned y = static_cast<unsigned>(year);
  return (y & (y % 100 == 0 ? 15u : 3u)) == 0;
}

// Days in `month` of `year`; 0 when the month is not 1 to 12.
constexpr int MonthLength(int year, int month) {
  if (static_cast<unsigned>(month - 1) > 11u) return 0;
  if (month == 2) return IsLeapYear(year) ? 29 : 28;
  return 30 + ((month ^ (month >> 3)) & 1);  // 31 for odd months to July, even from August
}

// Whether the numbers name a real date of the supported years. Straight-line code: the length
// of the month comes from two bits a month (its days beyond 28, January in the lowest bits),
// plus the leap day.
constexpr bool IsCivilDate(int year, int month, int day) {
  constexpr std::uint32_t kDaysBeyond28 = 0b11'10'11'10'11'11'10'11'10'11'00'11;
  const std::uint32_t monthIndex = static_cast<std::uint32_t>(month) - 1;
  const std::uint32_t length = 28 + ((kDaysBeyond28 >> (2 * (monthIndex & 15))) & 3) +
                               ((monthIndex == 1) & IsLeapYear(year));
  return (static_cast<std::uint32_t>(year) - kMinYear <=
          static_cast<std::uint32_t>(kMaxYear - kMinYear)) &
         (monthIndex <= 11) & (static_cast<std::uint32_t>(day) - 1 < length);
}

// The day number of a date that IsCivilDate accepts.
constexpr long DayNumberOfCivil(int year, int month, int day) {
  const std::uint32_t janOrFeb = month < 3 ? 1 : 0;
  const std::uint32_t y = static_cast<std::uint32_t>(year) - janOrFeb;
  const std::uint32_t m = static_cast<std::uint32_t>(month) + 12 * janOrFeb;
  const std::uint32_t century = y / 100;
  const std::uint32_t days = 1461 * y / 4 - century + century / 4 + (979 * m - 2919) / 32 +
                             static_cast<std::uint32_t>(day) - 1;
  return static_cast<long>(days) - static_cast<long>(kMarchZero);
}

// The civil date of a day number of the supported years.
constexpr CivilDate CivilOfDayNumber(long dayNumber) {
  const std::uint32_t n = static_cast<std::uint32_t>(dayNumber + kMarchZero);
  const std::uint32_t n1 = 4 * n + 3;
  const std::uint32_t century = n1 / 146097;
  const std::uint32_t n2 = n1 % 146097 | 3;  // 4 × (day of the century) + 3
  const std::uint64_t p2 = std::uint64_t{2939745} * n2;
  const std::uint32_t yearOfCentury = static_cast<std::uint32_t>(p2 >> 32);
  const std::uint32_t dayOfYear = static_cast<std::uint32_t>(p2) / 2939745 / 4;
  const std::uint32_t n3 = 2141 * dayOfYear + 197913;
  const std::uint32_t inJanOrFeb = dayOfYear >= 306 ? 1 : 0;
  return {static_cast<int>(100 * century + yearOfCentury + inJanOrFeb),
          static_cast<int>((n3 >> 16) - 12 * inJanOrFeb),
          static_cast<int>((n3 & 0xFFFF) / 2141 + 1)};
}

// The framework day of the week (1 Sunday ... 7 Saturday) of a day number of the supported
// years. 1 March of year 0 is a Wednesday (4).
constexpr int DayOfWeekOfDayNumber(long dayNumber) {
  const std::uint64_t n = static_cast<std::uint32_t>(dayNumber + kMarchZero) + 3;
  // n / 7 exactly for every n below 2^32 / 3: (2^32 + 3) / 7 overshoots 1/7 by 3 / 7 / 2^32.
  const std::uint64_t weeks = n * 613566757 >> 32;
  return static_cast<int>(n - 7 * weeks) + 1;
}

// Splits a day count into its day number and the seconds after that day's midnight, rounded
// to the nearest second (half a second going up, a full day carrying into the next day), or
// answers false when the count is not finite or lies outside the supported years.
//
// The code runs straight through: a count out of range is clamped to a bound outside the
// supported days before any conversion to an integer, and only the check of the day number
// says so. With no branch on the way (a test that left the count at 0.0 when out of range put
// one there) the compiler sees the same computation in every getter and does it once for all
// the fields read from one value.
inline bool SplitDayCount(double dayCount, long& dayNumber, long& seconds) {
  // NaN, the infinities and every count far outside land on a bound two days beyond the
  // supported days, which the check of the day number below refuses.
  constexpr double kLow = kFirstDayNumber - 2.0, kHigh = kLastDayNumber + 2.0;
  const double aboveLow = dayCount > kLow ? dayCount : kLow;
  const double count = aboveLow < kHigh ? aboveLow : kHigh;
  // The conversion to an integer cuts toward zero, as the whole part of a day count counts
  // days on both sides of day 0.
  const long whole = static_cast<long>(count);
  const double roundedUp = std::fabs(count - static_cast<double>(whole)) * kSecondsPerDay + 0.5;
  // Whether the rounding carries into the next day, told by the double itself so that the day
  // number need not wait for its conversion to an integer.
  const long carry = roundedUp >= static_cast<double>(kSecondsPerDay) ? 1 : 0;
  seconds = static_cast<long>(roundedUp) - carry * kSecondsPerDay;
  dayNumber = whole + carry;
  return static_cast<unsigned long>(dayNumber - kFirstDayNumber) <=
         static_cast<unsigned long>(kLastDayNumber - kFirstDayNumber);
}

// The day count of components, or false when they form no real date and time in range.
// The fraction is the time after midnight whatever the sign of the day number.
inline bool DayCountFromParts(int year, int month, int day, int hour, int minute, int second,
                              double& dayCount) {
  if (static_cast<unsigned>(hour) > 23u || static_cast<unsigned>(minute) > 59u ||
      static_cast<unsigned>(second) > 59u || !IsCivilDate(year, month, day)) {
    return false;
  }
  const long dayNumber = DayNumberOfCivil(year, month, day);
  const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
  const double whole = static_cast<double>(dayNumber);
  dayCount = whole + (dayNumber >= 0 ? fraction : -fraction);
  return true;
}

}  // namespace dayweave::internal
