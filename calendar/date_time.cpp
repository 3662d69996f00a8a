#include "dayweave/date_time.h"

#include "calendar/civil.h"
#include "calendar/day_count.h"

namespace dayweave {

namespace {

DateTimeParts Read(const COleDateTime& value) {
  DateTimeParts parts;
  if (value.m_status == COleDateTime::valid) internal::PartsFromDayCount(value.m_dt, parts);
  return parts;
}

}  // namespace

COleDateTime::COleDateTime(double dayCount) : m_dt(dayCount) {}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  double dayCount = 0.0;
  if (internal::DayCountFromParts(year, month, day, hour, minute, second, dayCount)) {
    m_dt = dayCount;
    m_status = valid;
    return 0;
  }
  m_dt = 0.0;
  m_status = invalid;
  return 1;
}

int COleDateTime::SetDate(int year, int month, int day) {
  return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
  return SetDateTime(1899, 12, 30, hour, minute, second);
}

int COleDateTime::GetYear() const { return Read(*this).year; }
int COleDateTime::GetMonth() const { return Read(*this).month; }
int COleDateTime::GetDay() const { return Read(*this).day; }
int COleDateTime::GetHour() const { return Read(*this).hour; }
int COleDateTime::GetMinute() const { return Read(*this).minute; }
int COleDateTime::GetSecond() const { return Read(*this).second; }
int COleDateTime::GetDayOfWeek() const { return Read(*this).dayOfWeek; }

int COleDateTime::GetAsSystemTime(DateTimeParts& parts) const {
  const DateTimeParts read = Read(*this);
  if (read.year < 0) return 0;
  parts = read;
  return 1;
}

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
