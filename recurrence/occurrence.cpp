// The occurrence test of the recurrence rule, and the free-or-busy answers built on it.
//
// HOW THIS CODE WORKS
//
// OccursOn never walks from the start date to the asked date. Each type reduces the question
// to a remainder or a comparison of numbers that are read straight off two dates: the asked
// date D (built at midnight from the day, month and year given) and the rule's start date S.
// The date range comes first: D before S, or after the end date when the rule ends, never
// occurs; the end date itself still may.
//
// Days (daily). The whole days from S to D, n = (D - S).GetWholeDays(), read with half-second
// rounding, so a difference a hair short of a day still counts as one. D occurs when n is a
// multiple of the interval. Both dates sit at midnight, so n is exact.
//
// Weeks (weekly). Weeks begin on Sunday. The anchor week is the one that holds S: its Sunday
// is S minus (S's day of the week - 1) days. D lies in an interval-th week exactly when D's
// distance from the day of the anchor week that shares D's day of the week is a multiple of
// 7 x interval days: that distance is always a whole number of weeks, and the number of weeks
// must be a multiple of the interval. Days of the anchor week before S are cut off by the date
// range. 7 x interval is taken in 64 bits so that a huge interval cannot overflow.
//
// Months (monthly by date and by position). Months are numbered year x 12 + month, so the count
// from S's month to D's month is (year - S's year) x 12 - S's month + month, which runs across
// year boundaries without special cases: from November 2003 to February 2004 is 3. D's month
// qualifies when that count is a multiple of the interval. By date, D's day number must then be
// the day of month; a month without that day (31 April) simply never matches.
//
// Years (yearly). The interval takes no part: D's month must be S's month, and then either its
// day number equals S's (by date) or D holds the right position in its month.
//
// Positions (types 3 and 6). The whole day set picks what is counted: kWeekdayMask weekdays,
// kWeekendMask weekend days, kEveryDayMask every day, one single day that day of the week; any
// other set counts nothing and never occurs. The instance-th such day is found by scanning forward
// from the first of D's month (at most 28 days, since the fourth of any kind lies within them), or,
// for the last, from the month's length and the day of the week of its last day. The scans use a
// fixed array on the stack, not the heap arrays that the public first-four operations return.
//
// Multiples. n is a multiple of k when n % k == 0, with both taken in 64 bits: a negative
// interval therefore acts like its absolute value, and INT_MIN % -1 cannot overflow. The
// interval is never 0 (the constructors set 1 and SetInterval stores 1 for 0).
//
// Why this is constant time. Every branch converts a fixed number of dates to components and
// does a fixed amount of arithmetic; the only loops are the month scans, bounded by 28 steps
// inside one month. The cost of asking about a date a day after the start or seven thousand
// years after it is the same.
#include <bit>

#include "dayweave/recurrence_data.h"

namespace dayweave {

namespace {

bool IsMultiple(long long n, long long divisor) { return n % divisor == 0; }

long long WholeDays(const COleDateTime& from, const COleDateTime& to) {
  return (to - from).GetWholeDays();
}

long long MonthsBetween(const COleDateTime& start, int month, int year) {
  DateTimeParts parts;  // an unreadable start counts as year -1, month -1
  start.GetAsSystemTime(parts);
  return (static_cast<long long>(year) - parts.year) * 12 - parts.month + month;
}

// The day of the week that starts at the Sunday of `start`'s week and falls on `dayOfWeek`.
COleDateTime SameDayOfStartWeek(const COleDateTime& start, int dayOfWeek) {
  const COleDateTime sunday = start - COleDateTimeSpan(start.GetDayOfWeek() - 1, 0, 0, 0);
  return sunday + COleDateTimeSpan(dayOfWeek - 1, 0, 0, 0);
}

}  // namespace

int CRecurrenceData::OccursOn(int day, int month, int year) const {
  COleDateTime date;
  if (date.SetDateTime(year, month, day, 0, 0, 0) != 0) return 0;
  if (m_startDate > date) return 0;
  if (m_ends != 0 && m_endDate < date) return 0;

  switch (m_type) {
    case kDaily:
      if (m_days != 0) return 0;
      return IsMultiple(WholeDays(m_startDate, date), m_interval) ? 1 : 0;
    case kWeekly: {
      const int dayOfWeek = date.GetDayOfWeek();
      if (!ContainsMFCDays(dayOfWeek)) return 0;
      const long long days = WholeDays(SameDayOfStartWeek(m_startDate, dayOfWeek), date);
      return IsMultiple(days, 7LL * m_interval) ? 1 : 0;
    }
    case kMonthlyByDate:
      if (day != m_dayOfMonth) return 0;
      return IsMultiple(MonthsBetween(m_startDate, month, year), m_interval) ? 1 : 0;
    case kMonthlyByPosition:
      if (!IsMultiple(MonthsBetween(m_startDate, month, year), m_interval)) return 0;
      if (!ContainsMFCDays(date.GetDayOfWeek())) return 0;
      return IsCountedDayInstance(date);
    case kYearlyByDate:
      return month == m_startDate.GetMonth() && day == m_startDate.GetDay() ? 1 : 0;
    case kYearlyByPosition:
      if (month != m_startDate.GetMonth()) return 0;
      return IsCountedDayInstance(date);
    default:
      return 0;
  }
}

int CRecurrenceData::IsCountedDayInstance(const COleDateTime& date) const {
  switch (m_days) {
    case kWeekdayMask:
      return IsWeekDayInstance(m_instance, date);
    case kWeekendMask:
      return IsWeekendDayInstance(m_instance, date);
    case kEveryDayMask:
      return IsDayInstance(m_instance, date);
    default:
      if (!std::has_single_bit(m_days) || m_days > DayBit(7)) return 0;
      return IsDayInstance(m_instance, std::countr_zero(m_days) + 1, date);
  }
}

int CRecurrenceData::IsFree(const COleDateTime& time) const {
  if (OccursOn(time.GetDay(), time.GetMonth(), time.GetYear()) == 0) return 1;
  return IsWithinTime(time) == 0 ? 1 : 0;
}

int CRecurrenceData::IsFree(const COleDateTime& from, const COleDateTime& to) const {
  if (OccursOn(from.GetDay(), from.GetMonth(), from.GetYear()) == 0) return 1;
  return IsWithinTime(from, to) == 0 ? 1 : 0;
}

}  // namespace dayweave
