// The appointment's fields as short display texts.
#include "dayweave/appointment.h"

namespace dayweave {

namespace {

constexpr int kMinutesPerHour = 60;

CString Number(const char* format, int value) {
  CString text;
  text.Format(format, value);
  return text;
}

}  // namespace

CString CAppointment::GetOutlookIndexStr() const { return Number("%d", m_outlookIndex); }

CString CAppointment::GetApptStatusString() const {
  switch (m_apptStatus) {
    case 0:
      return "Free";
    case 1:
      return "Tentative";
    case 2:
      return "Busy";
    default:
      return "Out Of Office";
  }
}

// Up to an hour in minutes, then in whole hours; the words are always plural.
CString CAppointment::GetReminderString() const {
  if (m_reminder <= kMinutesPerHour) return Number("%d Minutes", m_reminder);
  return Number("%d Hours", m_reminder / kMinutesPerHour);
}

// Up to an hour in minutes, then in hours and any leftover minutes, each word singular for 1.
CString CAppointment::GetDurationString() const {
  if (m_duration <= 1) return Number("%d Minute", m_duration);
  if (m_duration <= kMinutesPerHour) return Number("%d Minutes", m_duration);
  const int hours = m_duration / kMinutesPerHour;
  const int minutes = m_duration % kMinutesPerHour;
  CString text;
  if (minutes == 0) {
    text.Format("%d Hours", hours);
  } else {
    text.Format("%d %s %d %s", hours, hours == 1 ? "Hour" : "Hours", minutes,
                minutes == 1 ? "Minute" : "Minutes");
  }
  return text;
}

CString CAppointment::GetRecurringStr() const { return m_recurring != 0 ? "R" : ""; }

CString CAppointment::GetStartTimeString() const { return m_startTime.Format(); }
CString CAppointment::GetEndTimeString() const { return m_endTime.Format(); }
CString CAppointment::GetExpiresString() const { return m_expires.Format(); }

}  // namespace dayweave
