#include "dayweave/date_time_span.h"

#include "calendar/day_count.h"

namespace dayweave {

COleDateTimeSpan::COleDateTimeSpan(double days)
    : m_span(days), m_status(internal::WithinSpanLimit(days) ? valid : invalid) {}

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds) {
  SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds) {
  m_span = static_cast<double>(seconds) * internal::kSecond;
  m_span += static_cast<double>(minutes) * internal::kMinute;
  m_span += static_cast<double>(hours) * internal::kHour;
  m_span += static_cast<double>(days);
  m_status = internal::WithinSpanLimit(m_span) ? valid : invalid;
}

int COleDateTimeSpan::GetWholeDays() const { return internal::WholeUnits(m_span, 1.0); }

int COleDateTimeSpan::GetWholeMinutes() const { return internal::WholeUnits(m_span, 1440.0); }

}  // namespace dayweave
