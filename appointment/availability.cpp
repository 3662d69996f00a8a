// Whether an appointment leaves the user free, and whether it occurs on a date.
#include "calendar/day_count.h"
#include "dayweave/appointment.h"
#include "dayweave/recurrence_data.h"

namespace dayweave {

namespace {

constexpr int kStatusFree = 0;

using internal::ToLinear;

}  // namespace

// A recurring appointment holds its rule exactly when its recurring flag is set, so the rule
// pointer stands for the flag below.

// The comparisons and the sum below are those of COleDateTime's operators, written on the
// day counts mapped onto the line that grows with time (calendar/day_count.h).
int CAppointment::IsFree(const COleDateTime& when) const {
  if (m_apptStatus == kStatusFree) return 1;
  if (m_rule) return m_rule->IsFree(when) != 0 ? 1 : 0;
  const double at = ToLinear(when.m_dt);
  return at >= ToLinear(m_startTime.m_dt) && at < ToLinear(m_endTime.m_dt) ? 0 : 1;
}

int CAppointment::IsFree(const COleDateTime& when, int minutes) const {
  if (m_apptStatus == kStatusFree) return 1;
  const COleDateTime end(
      internal::FromLinear(ToLinear(when.m_dt) + static_cast<double>(minutes) * internal::kMinute));
  if (m_rule) return m_rule->IsFree(when, end) != 0 ? 1 : 0;
  return ToLinear(end.m_dt) <= ToLinear(m_startTime.m_dt) ||
                 ToLinear(when.m_dt) >= ToLinear(m_endTime.m_dt)
             ? 1
             : 0;
}

int CAppointment::OccursOn(int day, int month, int year) const {
  if (m_rule) return m_rule->OccursOn(day, month, year);
  DateTimeParts start;
  if (!m_startTime.GetAsSystemTime(start)) return 0;
  return start.day == day && start.month == month && start.year == year ? 1 : 0;
}

}  // namespace dayweave
