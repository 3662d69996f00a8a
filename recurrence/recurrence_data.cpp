// The recurrence rule's construction, setters and daily time window.
#include "dayweave/recurrence_data.h"

#include "calendar/day_count.h"

namespace dayweave {

namespace {

// The hour, minute and second of `value` as a day count on 30 December 1899, its date dropped,
// as SetTime of those components gives it. A value that cannot be read gives 0.0, the day
// count of the invalid time that components of -1 make.
double TimeOfDay(const COleDateTime& value) {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(value, dayNumber, seconds)) return 0.0;
  return static_cast<double>(seconds) / 86400.0;
}

}  // namespace

CRecurrenceData::CRecurrenceData() = default;

CRecurrenceData::CRecurrenceData(int type) : m_status(1), m_type(type) {}

CRecurrenceData::CRecurrenceData(const CRecurrenceData& other) = default;

CRecurrenceData& CRecurrenceData::operator=(const CRecurrenceData& other) = default;

CRecurrenceData::~CRecurrenceData() = default;

void CRecurrenceData::SetRecType(int type) { m_type = type; }

void CRecurrenceData::SetStatus(int status) { m_status = status; }

void CRecurrenceData::SetInterval(long interval) {
  // The interval divides day, week and month counts, so it is never left at 0.
  const int stored = static_cast<int>(interval);
  m_interval = stored == 0 ? 1 : stored;
}

void CRecurrenceData::SetInstance(long instance) { m_instance = static_cast<int>(instance); }

void CRecurrenceData::Ends(int ends) { m_ends = ends; }

void CRecurrenceData::SetDayOfMonth(long dayOfMonth) {
  m_dayOfMonth = static_cast<int>(dayOfMonth);
}

void CRecurrenceData::SetStartTime(const COleDateTime& time) { m_startTime = time; }

void CRecurrenceData::SetStartTime(int hour, int minute, int second) {
  m_startTime.SetTime(hour, minute, second);
}

void CRecurrenceData::SetEndTime(const COleDateTime& time) { m_endTime = time; }

void CRecurrenceData::SetEndTime(int hour, int minute, int second) {
  m_endTime.SetTime(hour, minute, second);
}

void CRecurrenceData::SetStartDate(const COleDateTime& date) {
  m_startDate = date;
  ReadStartDate();
}

void CRecurrenceData::SetStartDate(int year, int month, int day) {
  m_startDate.SetDate(year, month, day);
  ReadStartDate();
}

void CRecurrenceData::ReadStartDate() {
  m_readStartDayCount = m_startDate.m_dt;
  m_readStartStatus = m_startDate.m_status;
  const internal::CivilDate date = internal::DateOf(m_startDate);
  m_startYear = date.year;
  m_startMonth = date.month;
  m_startDay = date.day;
}

void CRecurrenceData::SetEndDate(const COleDateTime& date) { m_endDate = date; }

void CRecurrenceData::SetEndDate(int year, int month, int day) {
  m_endDate.SetDate(year, month, day);
}

int CRecurrenceData::IsWithinTime(const COleDateTime& time) const {
  const double at = TimeOfDay(time);
  return at >= internal::ToLinear(m_startTime.m_dt) && at < internal::ToLinear(m_endTime.m_dt) ? 1
                                                                                               : 0;
}

int CRecurrenceData::IsWithinTime(const COleDateTime& from, const COleDateTime& to) const {
  if (TimeOfDay(to) <= internal::ToLinear(m_startTime.m_dt)) return 0;
  if (TimeOfDay(from) >= internal::ToLinear(m_endTime.m_dt)) return 0;
  return 1;
}

}  // namespace dayweave
