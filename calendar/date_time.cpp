#include "dayweave/date_time.h"

#include "calendar/civil.h"
#include "calendar/day_count.h"

namespace dayweave {

namespace {

// Each reader converts only as much of the day count as its answer needs: the time of day
// alone, the day number, or the civil date.
int TimeField(const COleDateTime& value, long divisor, long modulus) {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(value, dayNumber, seconds)) return -1;
  return static_cast<int>(seconds / divisor % modulus);
}

internal::CivilDate DateOf(const COleDateTime& value) {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(value, dayNumber, seconds)) return {-1, -1, -1};
  return internal::CivilOfDayNumber(dayNumber);
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

int COleDateTime::GetYear() const { return DateOf(*this).year; }
int COleDateTime::GetMonth() const { return DateOf(*this).month; }
int COleDateTime::GetDay() const { return DateOf(*this).day; }
int COleDateTime::GetHour() const { return TimeField(*this, 3600, 24); }
int COleDateTime::GetMinute() const { return TimeField(*this, 60, 60); }
int COleDateTime::GetSecond() const { return TimeField(*this, 1, 60); }

int COleDateTime::GetDayOfWeek() const {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(*this, dayNumber, seconds)) return -1;
  return internal::DayOfWeekOfDayNumber(dayNumber);
}

int COleDateTime::GetAsSystemTime(DateTimeParts& parts) const {
  DateTimeParts read;
  if (m_status != valid || !internal::PartsFromDayCount(m_dt, read)) return 0;
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
