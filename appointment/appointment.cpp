// The appointment record: construction, copying and the getters.
#include "dayweave/appointment.h"

#include "dayweave/recurrence_data.h"

namespace dayweave {

namespace {

std::unique_ptr<CRecurrenceData> CopyOf(const std::unique_ptr<CRecurrenceData>& rule) {
  return rule ? std::make_unique<CRecurrenceData>(*rule) : nullptr;
}

}  // namespace

CAppointment::CAppointment() = default;

CAppointment::CAppointment(int outlookIndex, const CString& subject, const CString& body,
                           const CString& location, const CString& reqAttendees,
                           const CString& optAttendees, const COleDateTime& start,
                           const COleDateTime& end, long duration, int reminderFlag, long reminder,
                           int apptStatus, const COleDateTime& expires, const CString& attribute)
    : m_subject(subject),
      m_body(body),
      m_location(location),
      m_reqAttendees(reqAttendees),
      m_optAttendees(optAttendees),
      m_startTime(start),
      m_endTime(end),
      m_expires(expires),
      m_attribute(attribute),
      m_apptStatus(apptStatus),
      m_duration(static_cast<int>(duration)),
      m_reminder(static_cast<int>(reminder)),
      m_reminderFlag(reminderFlag),
      m_outlookIndex(outlookIndex) {}

CAppointment::CAppointment(int outlookIndex, const CString& subject, const CString& body,
                           const CString& location, const CString& reqAttendees,
                           const CString& optAttendees, const COleDateTime& start,
                           const COleDateTime& end, long duration, int reminderFlag, long reminder,
                           int apptStatus, const COleDateTime& expires, const CString& attribute,
                           int recurrenceType, int interval, long instance, int ends,
                           const COleDateTime& patternStart, const COleDateTime& patternEnd,
                           long dayOfMonth, int days)
    : CAppointment(outlookIndex, subject, body, location, reqAttendees, optAttendees, start, end,
                   duration, reminderFlag, reminder, apptStatus, expires, attribute) {
  m_recurring = 1;
  // The pattern start and end each give the rule a time of day and a date; a date-time that
  // cannot be read gives -1 for every component, which the rule's setters take as they are.
  DateTimeParts from;
  DateTimeParts to;
  patternStart.GetAsSystemTime(from);
  patternEnd.GetAsSystemTime(to);

  m_rule = std::make_unique<CRecurrenceData>(recurrenceType);
  m_rule->SetStatus(1);
  m_rule->SetInterval(interval);
  m_rule->SetInstance(instance);
  m_rule->Ends(ends);
  m_rule->SetStartTime(from.hour, from.minute, from.second);
  m_rule->SetEndTime(to.hour, to.minute, to.second);
  m_rule->SetStartDate(from.year, from.month, from.day);
  m_rule->SetEndDate(to.year, to.month, to.day);
  m_rule->SetDayOfMonth(dayOfMonth);
  m_rule->SetDays(static_cast<unsigned int>(days));
}

CAppointment::CAppointment(const CAppointment& other)
    : m_subject(other.m_subject),
      m_body(other.m_body),
      m_location(other.m_location),
      m_reqAttendees(other.m_reqAttendees),
      m_optAttendees(other.m_optAttendees),
      m_startTime(other.m_startTime),
      m_endTime(other.m_endTime),
      m_expires(other.m_expires),
      m_attribute(other.m_attribute),
      m_apptStatus(other.m_apptStatus),
      m_duration(other.m_duration),
      m_reminder(other.m_reminder),
      m_reminderFlag(other.m_reminderFlag),
      m_outlookIndex(other.m_outlookIndex),
      m_recurring(other.m_recurring),
      m_rule(CopyOf(other.m_rule)) {}

CAppointment& CAppointment::operator=(const CAppointment& other) {
  if (this == &other) return *this;
  m_subject = other.m_subject;
  m_body = other.m_body;
  m_location = other.m_location;
  m_reqAttendees = other.m_reqAttendees;
  m_optAttendees = other.m_optAttendees;
  m_startTime = other.m_startTime;
  m_endTime = other.m_endTime;
  m_expires = other.m_expires;
  m_attribute = other.m_attribute;
  m_apptStatus = other.m_apptStatus;
  m_duration = other.m_duration;
  m_reminder = other.m_reminder;
  m_reminderFlag = other.m_reminderFlag;
  m_outlookIndex = other.m_outlookIndex;
  m_recurring = other.m_recurring;
  m_rule = CopyOf(other.m_rule);  // releases the rule held before, if any
  return *this;
}

CAppointment::~CAppointment() = default;

int CAppointment::GetOutlookIndex() const { return m_outlookIndex; }
CString& CAppointment::GetSubject() { return m_subject; }
CString& CAppointment::GetBody() { return m_body; }
CString& CAppointment::GetLocation() { return m_location; }
CString& CAppointment::GetReqAttendees() { return m_reqAttendees; }
CString& CAppointment::GetOptAttendees() { return m_optAttendees; }
CString& CAppointment::GetAttribute() { return m_attribute; }
COleDateTime& CAppointment::GetStartTime() { return m_startTime; }
COleDateTime& CAppointment::GetEndTime() { return m_endTime; }
COleDateTime& CAppointment::GetExpires() { return m_expires; }
int CAppointment::GetApptStatus() const { return m_apptStatus; }
int CAppointment::GetDuration() const { return m_duration; }
int CAppointment::GetReminder() const { return m_reminder; }
int CAppointment::IsReminder() const { return m_reminderFlag; }
int CAppointment::IsRecurring() const { return m_recurring; }

}  // namespace dayweave
