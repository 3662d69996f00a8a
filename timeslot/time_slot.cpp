// The time slot model: construction from date-time values, setters, comparisons and the
// combination of two slots. Text forms live in time_slot_text.cpp.
#include "dayweave/time_slot.h"

#include "dayweave/date_time_span.h"

namespace dayweave {

namespace {

constexpr int kRelative = 0;
constexpr int kAbsolute = 1;

// Relative slots keep their times of day on this date.
constexpr int kReferenceYear = 1000;

// The whole minutes from `start` to `end`, half a second short counting as the minute.
int MinutesBetween(const COleDateTime& start, const COleDateTime& end) {
  return (end - start).GetWholeMinutes();
}

// The time of day of `when` on the reference day; invalid when `when` cannot be read.
COleDateTime OnReferenceDay(const COleDateTime& when) {
  return COleDateTime(kReferenceYear, 1, 1, when.GetHour(), when.GetMinute(), when.GetSecond());
}

}  // namespace

CTimeSlot::CTimeSlot() = default;

CTimeSlot::CTimeSlot(const CTimeSlot& other) = default;

CTimeSlot::CTimeSlot(COleDateTime start, COleDateTime end, int duration) {
  SetTimeSlotValid(start, end, duration);
}

CTimeSlot::CTimeSlot(COleDateTime start, COleDateTime end) {
  SetTimeSlotValid(start, end, MinutesBetween(start, end));
}

CTimeSlot::CTimeSlot(COleDateTime start, int duration) { SetTimeSlot(start, duration); }

CTimeSlot::~CTimeSlot() = default;

CTimeSlot& CTimeSlot::operator=(const CTimeSlot& other) = default;

COleDateTime CTimeSlot::GetStartTime() const { return m_StartTime; }
COleDateTime CTimeSlot::GetEndTime() const { return m_EndTime; }
int CTimeSlot::GetDuration() const { return m_nDuration; }
int CTimeSlot::IsValid() const { return m_nValid; }
int CTimeSlot::GetSlotType() const { return m_nSlotType; }
int CTimeSlot::IsRelative() const { return m_nSlotType == kRelative ? 1 : 0; }
int CTimeSlot::IsAbsolute() const { return m_nSlotType == kAbsolute ? 1 : 0; }

void CTimeSlot::SetStartTime(COleDateTime start) { m_StartTime = start; }
void CTimeSlot::SetEndTime(COleDateTime end) { m_EndTime = end; }

void CTimeSlot::SetTimeSlot(COleDateTime start, COleDateTime end) {
  m_StartTime = start;
  m_EndTime = end;
}

void CTimeSlot::SetDuration(int minutes) { m_nDuration = minutes; }
void CTimeSlot::SetValidity(int flag) { m_nValid = flag; }

void CTimeSlot::SetTimeSlot(COleDateTime start, COleDateTime end, int valid) {
  SetTimeSlot(start, end);
  m_nDuration = MinutesBetween(start, end);
  m_nValid = valid;
  SetSlotType(kAbsolute);
}

void CTimeSlot::SetTimeSlotValid(COleDateTime start, COleDateTime end, int duration) {
  SetTimeSlot(start, end);
  m_nDuration = duration;
  m_nValid = duration == MinutesBetween(start, end) ? 1 : 0;
  SetSlotType(kAbsolute);
}

void CTimeSlot::SetTimeSlot(COleDateTime start, int duration, int valid) {
  // The end is always a valid value, whatever the start's status.
  SetTimeSlot(start, start + COleDateTimeSpan(0L, 0, duration, 0));
  m_nDuration = duration;
  m_nValid = valid;
  SetSlotType(kAbsolute);
}

void CTimeSlot::SetTimeSlot(COleDateTime start, int duration) { SetTimeSlot(start, duration, 1); }

void CTimeSlot::SetSlotType(int type) {
  m_nSlotType = type;
  if (type == kRelative) {
    m_StartTime = OnReferenceDay(m_StartTime);
    m_EndTime = OnReferenceDay(m_EndTime);
    m_nDuration = MinutesBetween(m_StartTime, m_EndTime);
  } else if (type == kAbsolute) {
    SetDays(0u);
  }
}

void CTimeSlot::SetAttributes(int valid, int type, const CDay* days) {
  m_nValid = valid;
  CDay::operator=(days);
  SetSlotType(type);
}

int CTimeSlot::operator==(const CTimeSlot& other) const {
  return m_nDuration == other.m_nDuration && m_StartTime.m_dt == other.m_StartTime.m_dt &&
                 m_EndTime.m_dt == other.m_EndTime.m_dt && m_nSlotType == other.m_nSlotType &&
                 m_days == other.m_days && m_nValid == other.m_nValid
             ? 1
             : 0;
}

int CTimeSlot::IsTimeRangeEqual(const CTimeSlot& other) const {
  return m_StartTime.m_dt == other.m_StartTime.m_dt && m_EndTime.m_dt == other.m_EndTime.m_dt &&
                 m_nDuration == other.m_nDuration
             ? 1
             : 0;
}

int CTimeSlot::IsTimeRangeEqual(const CTimeSlot* other) const { return IsTimeRangeEqual(*other); }

int CTimeSlot::Contains(const CTimeSlot& other) const {
  return m_StartTime <= other.m_StartTime && m_EndTime >= other.m_EndTime ? 1 : 0;
}

int CTimeSlot::Contains(const CTimeSlot* other) const { return Contains(*other); }

int CTimeSlot::OverLaps(const CTimeSlot& other) const {
  const bool thisStartsInside = m_StartTime > other.m_StartTime && m_StartTime < other.m_EndTime &&
                                m_EndTime > other.m_EndTime;
  const bool otherStartsInside = other.m_StartTime > m_StartTime && other.m_StartTime < m_EndTime &&
                                 other.m_EndTime > m_EndTime;
  return thisStartsInside || otherStartsInside ? 1 : 0;
}

int CTimeSlot::OverLaps(const CTimeSlot* other) const { return OverLaps(*other); }

CTimeSlot& CTimeSlot::operator+(const CTimeSlot& other) const {
  auto* sum = new CTimeSlot();
  sum->SetStartTime(m_StartTime <= other.m_StartTime ? m_StartTime : other.m_StartTime);
  sum->SetEndTime(m_EndTime >= other.m_EndTime ? m_EndTime : other.m_EndTime);
  if (IsRelative() || other.IsRelative()) {
    sum->SetSlotType(kRelative);
    sum->SetValidity(1);
    sum->SetDays(m_days | other.m_days);
  }
  return *sum;
}

void CTimeSlot::AssertValid() const {}

void CTimeSlot::Dump() const {}

}  // namespace dayweave
