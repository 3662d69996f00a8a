// CAppointment: one calendar entry, one-off or recurring, and the questions a scheduler asks
// of it: is the user free at an instant, free for a stretch of minutes, does it occur on a date.
//
//   CAppointment review(7, "Review", "", "Room 2", "", "", ten, eleven, 60, 0, 0, 2, ten, "");
//   review.IsFree(COleDateTime(2003, 4, 14, 10, 30, 0));   // 0: busy (2) from 10:00 to 11:00
//
// CONSTRUCTION
//   The one-off constructor takes, in order: Outlook index, subject, body, location, required
//   and optional attendees, start, end, duration (minutes), reminder flag, reminder (minutes),
//   status, expiry and attribute. The recurring constructor adds the rule: type, interval,
//   instance, ends flag, pattern start, pattern end, day of month and days of the week (a day-set
//   mask). The pattern start and end are split into a daily window (their times of day) and a
//   date range (their dates); an invalid one reaches the rule as components of -1.
//   The default constructor leaves empty texts, zero date-times (30 December 1899, valid), and
//   0 in every number.
//
// OCCUPATION IS HALF-OPEN
//   A one-off appointment occupies its start up to, but not including, its end. A stretch that
//   ends at the start or begins at the end is free; an instant at the end is free:
//
//   // 10:00 to 11:00 on 14 April 2003, status 2 (busy)
//   meeting.IsFree(at_10_00);              // 0
//   meeting.IsFree(at_11_00);              // 1: the end is not occupied
//   meeting.IsFree(at_10_00, 0);           // 1: an empty stretch that ends at the start
//   meeting.IsFree(at_09_00, 60);          // 1: ends exactly at the start
//
//   The end of a stretch is `when` plus minutes x 1/1440 of a day, compared exactly, with no
//   tolerance: from 08:00 that day, 120 minutes land a hair after 10:00, so that stretch is busy.
//
//   Status 0 (free) never blocks; every other status blocks. The expiry and the duration are
//   never consulted. A recurring appointment answers from its rule alone (occurrence on the date
//   of the instant, then the daily window), its own start and end taking no part.
//
// OWNERSHIP
//   A recurring appointment owns its rule; copies and assignments get a rule of their own.
//   Texts and date-times are returned by writable reference: assigning through them changes
//   the appointment.
#pragma once

#include <memory>

#include "dayweave/date_time.h"
#include "dayweave/export.h"
#include "dayweave/text.h"

namespace dayweave {

class CRecurrenceData;

class DAYWEAVE_API CAppointment {
 public:
  // Empty texts, zero date-times, every number 0, no rule.
  CAppointment();

  // A one-off appointment.
  CAppointment(int outlookIndex, const CString& subject, const CString& body,
               const CString& location, const CString& reqAttendees, const CString& optAttendees,
               const COleDateTime& start, const COleDateTime& end, long duration, int reminderFlag,
               long reminder, int apptStatus, const COleDateTime& expires,
               const CString& attribute);

  // A recurring appointment: the one-off arguments, then its rule.
  CAppointment(int outlookIndex, const CString& subject, const CString& body,
               const CString& location, const CString& reqAttendees, const CString& optAttendees,
               const COleDateTime& start, const COleDateTime& end, long duration, int reminderFlag,
               long reminder, int apptStatus, const COleDateTime& expires, const CString& attribute,
               int recurrenceType, int interval, long instance, int ends,
               const COleDateTime& patternStart, const COleDateTime& patternEnd, long dayOfMonth,
               int days);

  CAppointment(const CAppointment& other);
  CAppointment& operator=(const CAppointment& other);
  virtual ~CAppointment();

  // GetOutlookIndex
  // The index of the item in the Outlook calendar.
  int GetOutlookIndex() const;

  // GetSubject, GetBody, GetLocation, GetReqAttendees, GetOptAttendees, GetAttribute
  // The texts, by writable reference.
  CString& GetSubject();
  CString& GetBody();
  CString& GetLocation();
  CString& GetReqAttendees();
  CString& GetOptAttendees();
  CString& GetAttribute();

  // GetStartTime, GetEndTime, GetExpires
  // The date-times, by writable reference.
  COleDateTime& GetStartTime();
  COleDateTime& GetEndTime();
  COleDateTime& GetExpires();

  // GetApptStatus
  // 0 free, 1 tentative, 2 busy, 3 out of office (any other number is kept as given).
  int GetApptStatus() const;

  // GetDuration, GetReminder
  // Minutes, as given (the low 32 bits of the long passed to the constructor).
  int GetDuration() const;
  int GetReminder() const;

  // IsReminder, IsRecurring
  // The reminder flag as given; 1 for an appointment built with a rule, else 0.
  int IsReminder() const;
  int IsRecurring() const;

  // IsFree
  // 1 when the appointment leaves the user free at `when`, or for the `minutes` minutes from
  // `when` (a negative number of minutes puts the end of the stretch before `when`).
  int IsFree(const COleDateTime& when) const;
  int IsFree(const COleDateTime& when, int minutes) const;

  // OccursOn
  // 1 when the appointment occurs on the date given as day, month, year: for a one-off, the
  // date of its start time (whatever its status, and not the later dates it may run into); a
  // start time that cannot be read matches no date.
  int OccursOn(int day, int month, int year) const;

  // GetOutlookIndexStr
  // The Outlook index in decimal: "42", "-1".
  CString GetOutlookIndexStr() const;

  // GetApptStatusString
  // "Free", "Tentative", "Busy", or "Out Of Office" for 3 and every other number.
  CString GetApptStatusString() const;

  // GetReminderString
  // "15 Minutes" up to 60 minutes, then whole hours, the rest dropped: 90 gives "1 Hours".
  CString GetReminderString() const;

  // GetDurationString
  // "1 Minute", "60 Minutes", then hours and minutes: "2 Hours", "1 Hour 30 Minutes".
  CString GetDurationString() const;

  // GetRecurringStr
  // "R" for a recurring appointment, "" otherwise.
  CString GetRecurringStr() const;

  // GetStartTimeString, GetEndTimeString, GetExpiresString
  // The date-time as COleDateTime::Format writes it ("Invalid DateTime" when invalid).
  CString GetStartTimeString() const;
  CString GetEndTimeString() const;
  CString GetExpiresString() const;

 private:
  CString m_subject;
  CString m_body;
  CString m_location;
  CString m_reqAttendees;
  CString m_optAttendees;
  COleDateTime m_startTime;
  COleDateTime m_endTime;
  COleDateTime m_expires;
  CString m_attribute;
  int m_apptStatus = 0;
  int m_duration = 0;
  int m_reminder = 0;
  int m_reminderFlag = 0;
  int m_outlookIndex = 0;
  int m_recurring = 0;
  std::unique_ptr<CRecurrenceData> m_rule;
};

}  // namespace dayweave
