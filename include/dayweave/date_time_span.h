// COleDateTimeSpan: a signed length of time counted in days, with a status.
//
//   COleDateTimeSpan ninety(0, 1, 30, 0);   // one hour and a half
//   int minutes = ninety.GetWholeMinutes(); // 90
//
// REPRESENTATION
//   m_span is a count of days as a double: one hour is 1/24, one minute 1/1440, one second
//   1/86400. A span is valid only within the span limit, -3615897 to 3615897 days, both
//   bounds included; outside it (or for NaN) its status is invalid. The library never lets a
//   span's status change a result: the whole-unit readings below ignore it.
//
// WHOLE UNITS
//   GetWholeDays and GetWholeMinutes first move the span half a second away from zero, then
//   cut the fraction off toward zero, so a span a hair short of a whole unit counts as that
//   unit while any larger shortfall is dropped:
//
//   COleDateTimeSpan(59.6 / 86400).GetWholeMinutes();   // 1
//   COleDateTimeSpan(59.4 / 86400).GetWholeMinutes();   // 0
//   COleDateTimeSpan(-59.6 / 86400).GetWholeMinutes();  // -1
//
//   They never overflow: NaN reads as 0, and a count beyond the range of int saturates at
//   INT_MIN or INT_MAX.
#pragma once

#include "dayweave/export.h"

namespace dayweave {

class DAYWEAVE_API COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  // The span limit in days.
  static constexpr double kMaxDays = 3615897.0;

  // A zero span, valid.
  COleDateTimeSpan() = default;

  // A span of `days`, valid within the span limit and invalid outside it.
  COleDateTimeSpan(double days);  // NOLINT(google-explicit-constructor): framework shape

  // A span of days, hours, minutes and seconds (see SetDateTimeSpan).
  COleDateTimeSpan(long days, int hours, int minutes, int seconds);

  // SetDateTimeSpan
  // The span becomes seconds × 1/86400 + minutes × 1/1440 + hours × 1/24 + days, summed in
  // that order, with status valid within the span limit and invalid outside it.
  void SetDateTimeSpan(long days, int hours, int minutes, int seconds);

  DateTimeSpanStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeSpanStatus status) { m_status = status; }

  // GetWholeDays, GetWholeMinutes
  // The whole days or whole minutes of the span, rounded as described above.
  int GetWholeDays() const;
  int GetWholeMinutes() const;

  double m_span = 0.0;
  DateTimeSpanStatus m_status = valid;
};

}  // namespace dayweave
