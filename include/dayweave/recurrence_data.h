// CRecurrenceData: the rule by which a recurring appointment repeats, and the month
// arithmetic it needs.
//
//   CRecurrenceData mondays(kWeekly);
//   mondays.SetDays(DayBit(2));               // on Mondays
//   mondays.SetStartDate(2003, 1, 6);
//   mondays.OccursOn(13, 1, 2003);            // 1: day, month, year (the setters take y, m, d)
//
// THE RULE
//   The rule is itself a day set (it derives from CDay) and adds a type, an interval, a day of
//   the month, an instance, a daily time window (start time to end time, times of day on
//   30 December 1899) and a date range (start date, and an end date that counts only once
//   Ends has been given a nonzero flag). The end date itself still occurs.
//
//   Type  0 daily            every interval-th day from the start date, only with no days set
//         1 weekly           the set's days, every interval-th week; weeks begin on Sunday and
//                            are counted from the week that holds the start date
//         2 monthly by date  the day of month, every interval-th month from the start month
//         3 monthly by pos.  the instance-th counted day, every interval-th month
//         5 yearly by date   the start date's day and month, every year
//         6 yearly by pos.   the instance-th counted day of the start date's month, every year
//   Any other type (4 included) never occurs. A negative interval counts like its absolute
//   value.
//
//   Instance 1 to 4 is the first to fourth counted day of the month, 5 the last; any other
//   instance matches nothing. What is counted depends on the whole day set: 62 (Monday to
//   Friday) counts weekdays, 65 (Saturday and Sunday) weekend days, 127 every day, and a set of
//   one day counts that day of the week. Any other set counts nothing: with it types 3 and 6
//   never occur (two single days such as 2|4, or an empty set).
//
//   Example: monthly by position, instance 5, days 62, occurs on the last weekday of each
//   month: Friday 30 May 2003, since 31 May 2003 is a Saturday.
//
// UNSET VALUES
//   The constructors leave interval 1, day of month 0, instance 0 and ends 0; the default
//   constructor leaves type 0. The interval is never 0: SetInterval(0) stores 1.
//   Whole-number setters that take a long keep its low 32 bits (SetInterval(1L << 32) counts as
//   SetInterval(0) and stores 1).
//
// THE WINDOW
//   Only times of day count, to the second. The window includes its start and excludes its end;
//   a range must overlap it by more than a touching point. A window that starts at or after its
//   end holds no instant (22:00 to 02:00 never matches one), though a range of times of day
//   that reaches past both of its ends still overlaps it (01:00 to 23:00).
//
// MONTH POSITIONS
//   The month operations look at the arguments alone, never at the rule. Days are day numbers
//   (1 to 31); a day of the week is the framework number, 1 Sunday to 7 Saturday. The first-four
//   operations return `new int[4]`, which the caller releases with delete[].
//
//   Bad input answers "nothing": a day of the week outside 1 to 7 matches no day, so the
//   first-four entries are -1, the last-day result is -1 and every position test answers 0. A
//   date that cannot be read (status not valid, or outside the years 100 to 9999) gives -1
//   entries and results, a first day of the month with status invalid, and 0 from every test.
//
// NOTHING FOUND
//   OccursOn answers 0 for numbers that form no date (31 April, month 13) or that lie outside
//   the years 100 to 9999.
#pragma once

#include "dayweave/date_time.h"
#include "dayweave/day.h"
#include "dayweave/export.h"
#include "dayweave/recurrence_codes.h"

namespace dayweave {

class DAYWEAVE_API CRecurrenceData : public CDay {
 public:
  // An empty rule of type 0 with status 0 and zero date-times (30 December 1899, valid).
  CRecurrenceData();
  // As the default, with the given type code and status 1.
  explicit CRecurrenceData(int type);
  CRecurrenceData(const CRecurrenceData& other);
  CRecurrenceData& operator=(const CRecurrenceData& other);
  ~CRecurrenceData() override;

  // SetRecType
  // Stores the given type code (the constructor that takes a type is the usual way).
  void SetRecType(int type);

  // SetStatus
  // Stores a status number that no operation of the rule reads.
  void SetStatus(int status);

  // SetInterval
  // Every how many days, weeks or months the rule repeats; 0 is stored as 1.
  void SetInterval(long interval);

  // SetInstance
  // Which counted day of the month: 1 to 4, or 5 for the last.
  void SetInstance(long instance);

  // Ends
  // Nonzero: the end date applies. 0: the rule never ends.
  void Ends(int ends);

  // SetDayOfMonth
  // The day of the month of a monthly-by-date rule.
  void SetDayOfMonth(long dayOfMonth);

  // SetStartTime, SetEndTime, SetStartDate, SetEndDate
  // Store the value as given, or build it from components: a time of day on 30 December 1899,
  // or a date at midnight. Components that form no time or date leave the field invalid.
  void SetStartTime(const COleDateTime& time);
  void SetStartTime(int hour, int minute, int second);
  void SetEndTime(const COleDateTime& time);
  void SetEndTime(int hour, int minute, int second);
  void SetStartDate(const COleDateTime& date);
  void SetStartDate(int year, int month, int day);
  void SetEndDate(const COleDateTime& date);
  void SetEndDate(int year, int month, int day);

  // OccursOn
  // 1 when the rule has an occurrence on that date, given as day, month, year.
  int OccursOn(int day, int month, int year) const;

  // IsFree
  // 1 when the rule leaves the user free at `time`, or over `from` to `to`: no occurrence on
  // the date of `time` (of `from`), or the window untouched. Only the date of `from` counts.
  int IsFree(const COleDateTime& time) const;
  int IsFree(const COleDateTime& from, const COleDateTime& to) const;

  // GetFirstDayOfMonth
  // The first day of the date's month, at the date's time of day.
  COleDateTime GetFirstDayOfMonth(const COleDateTime& date) const;

  // GetFirst4WeekDays, GetFirst4WeekendDays, GetFirst4MFCDays
  // The day numbers of the first four weekdays, weekend days, or days falling on `dayOfWeek`,
  // of the date's month, in a new int[4] that the caller releases with delete[].
  int* GetFirst4WeekDays(const COleDateTime& date) const;
  int* GetFirst4WeekendDays(const COleDateTime& date) const;
  int* GetFirst4MFCDays(int dayOfWeek, const COleDateTime& date) const;

  // GetLastWeekDay, GetLastWeekendDay, GetLastMFCDay
  // The day number of the last weekday, weekend day, or day falling on `dayOfWeek`, of the
  // date's month.
  int GetLastWeekDay(const COleDateTime& date) const;
  int GetLastWeekendDay(const COleDateTime& date) const;
  int GetLastMFCDay(int dayOfWeek, const COleDateTime& date) const;

  // IsWeekDayInstance, IsWeekendDayInstance, IsDayInstance
  // 1 when the date is the instance-th (5: the last) weekday, weekend day, day falling on
  // `dayOfWeek`, or day at all, of its month.
  int IsWeekDayInstance(int instance, const COleDateTime& date) const;
  int IsWeekendDayInstance(int instance, const COleDateTime& date) const;
  int IsDayInstance(int instance, int dayOfWeek, const COleDateTime& date) const;
  int IsDayInstance(int instance, const COleDateTime& date) const;

 protected:
  // IsWithinTime
  // 1 when the time of day of `time` lies in the window, or when the range of times of day
  // from `from` to `to` overlaps it by more than a point.
  int IsWithinTime(const COleDateTime& time) const;
  int IsWithinTime(const COleDateTime& from, const COleDateTime& to) const;

  // The fields, in this order after the day set. The library reads them only in the rule's own
  // operations; they are open to derived classes, as the day set's mask is.
  int m_status = 0;
  int m_type = 0;
  int m_interval = 1;
  int m_dayOfMonth = 0;
  int m_instance = 0;
  COleDateTime m_startTime;
  COleDateTime m_startDate;
  COleDateTime m_endTime;
  COleDateTime m_endDate;
  int m_ends = 0;

 private:
  // OccursOn for a date already known to be real: its day number and its components.
  int OccursOnDay(long dayNumber, int day, int month, int year) const;

  // The start date's year, month and day as SetStartDate read them (-1 each when it could not
  // be read), with the day count and status they were read from. The occurrence test uses
  // them while m_startDate still holds that value; a derived class that writes m_startDate
  // directly makes them disagree, and the test then reads m_startDate afresh.
  void ReadStartDate();
  double m_readStartDayCount = 0.0;
  COleDateTime::DateTimeStatus m_readStartStatus = COleDateTime::valid;
  int m_startYear = 1899;
  int m_startMonth = 12;
  int m_startDay = 30;
};

}  // namespace dayweave
