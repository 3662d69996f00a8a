// Internal arithmetic on day counts: the constants of the day, the mapping of negative day
// counts onto a line that grows with time, and safe conversions to whole numbers.
//
// A day count before 30 December 1899 keeps its fraction as the time after that day's
// midnight, so -1.25 is 29 December 1899 06:00 and lies *before* -1.5 (12:00). Comparing or
// adding therefore first maps a negative count x to 2·ceil(x) − x (-1.25 → -0.75), and maps a
// negative result y back with 2·floor(y) − y.
#pragma once

#include <climits>
#include <cmath>

namespace dayweave::internal {

inline constexpr double kSecond = 1.0 / 86400;
inline constexpr double kMinute = 1.0 / 1440;  // 0.0006944444444444445
inline constexpr double kHour = 1.0 / 24;
inline constexpr double kHalfSecond = 5.787037037037037e-6;
inline constexpr double kSpanLimit = 3615897.0;

inline bool WithinSpanLimit(double days) { return days >= -kSpanLimit && days <= kSpanLimit; }

// Maps a stored day count onto the line that increases with time.
inline double ToLinear(double dayCount) {
  if (dayCount >= 0 || !std::isfinite(dayCount)) return dayCount;
  const double c = std::ceil(dayCount);
  return c - (dayCount - c);
}

// Maps a point of the increasing line back to a stored day count.
inline double FromLinear(double linear) {
  if (linear >= 0 || !std::isfinite(linear)) return linear;
  const double f = std::floor(linear);
  return f + (f - linear);
}

// Converts a double to int without undefined behaviour: NaN gives 0, values beyond the range
// of int saturate. The fraction is cut off toward zero.
inline int SaturatingInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);
}

// Whole units of a span of `days`, `perDay` units to the day: half a second away from zero,
// then toward zero.
inline int WholeUnits(double days, double perDay) {
  const double nudged = days >= 0 ? days + kHalfSecond : days - kHalfSecond;
  return SaturatingInt(nudged * perDay);
}

}  // namespace dayweave::internal
