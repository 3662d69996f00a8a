#include "dayweave/date_time.h"

#include "calendar/day_count.h"

namespace dayweave {

COleDateTime::COleDateTime(double dayCount) : m_dt(dayCount) {}

bool COleDateTime::operator==(const COleDateTime& other) const { return m_dt == other.m_dt; }
bool COleDateTime::operator!=(const COleDateTime& other) const { return m_dt != other.m_dt; }

bool COleDateTime::operator<(const COleDateTime& other) const {
  return internal::ToLinear(m_dt) < internal::ToLinear(other.m_dt);
}
bool COleDateTime::operator<=(const COleDateTime& other) const {
  return internal::ToLinear(m_dt) <= internal::ToLinear(other.m_dt);
}
bool COleDateTime::operator>(const COleDateTime& other) const {
  return internal::ToLinear(m_dt) > internal::ToLinear(other.m_dt);
}
bool COleDateTime::operator>=(const COleDateTime& other) const {
  return internal::ToLinear(m_dt) >= internal::ToLinear(other.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
  return COleDateTime(internal::FromLinear(internal::ToLinear(m_dt) + span.m_span));
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
  return COleDateTime(internal::FromLinear(internal::ToLinear(m_dt) - span.m_span));
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span) {
  m_dt = internal::FromLinear(internal::ToLinear(m_dt) + span.m_span);
  return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span) {
  m_dt = internal::FromLinear(internal::ToLinear(m_dt) - span.m_span);
  return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
  return COleDateTimeSpan(internal::ToLinear(m_dt) - internal::ToLinear(other.m_dt));
}

}  // namespace dayweave
