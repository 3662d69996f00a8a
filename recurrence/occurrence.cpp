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
// other set counts nothing and never occurs. Whether D is the instance-th such day, or the last,
// follows from D's day number, its day of the week and the month's length by the arithmetic of
// recurrence/month_arithmetic.h: no walk through the month and no array.
//
// Multiples. n is a multiple of k when |n| % |k| == 0, the magnitudes taken as unsigned
// numbers: a negative interval therefore acts like its absolute value, and INT_MIN % -1
// cannot overflow. The division is done in 32 bits whenever both fit, which is nearly always,
// and an interval of 1 or -1, which every count is a multiple of, skips the count altogether
// for the daily and monthly types (the weekly count also checks the week's alignment).
// The interval is never 0 (the constructors set 1 and SetInterval stores 1 for 0).
//
// Why this is constant time. Every branch converts at most two dates between day numbers and
// components, with the branch-light civil core (dayweave/internal/civil.h), and does a fixed
// amount of arithmetic; there are no loops at all. The cost of asking about a date a day after the
// start or seven thousand years after it is the same.
#include <bit>
#include <cstdint>

#include "calendar/day_count.h"
#include "dayweave/recurrence_data.h"
#include "recurrence/month_arithmetic.h"

namespace dayweave {

namespace {

using internal::FromLinear;
using internal::ToLinear;

// n is a multiple of divisor when |n| is a multiple of |divisor|. The magnitudes nearly always
// fit 32 bits, and a 32-bit division is several times faster than a 64-bit one.
bool IsMultiple(long long n, long long divisor) {
  const unsigned long long magnitude =
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  const unsigned long long step = divisor < 0 ? 0ULL - static_cast<unsigned long long>(divisor)
                                              : static_cast<unsigned long long>(divisor);
  if (((magnitude | step) >> 32) == 0) {
    return static_cast<std::uint32_t>(magnitude) % static_cast<std::uint32_t>(step) == 0;
  }
  return magnitude % step == 0;
}

// Every count is a multiple of an interval of 1 or -1: the rule then needs neither the count
// nor the start date it is counted from.
bool EveryPeriod(int interval) { return interval == 1 || interval == -1; }

// Whole days from the day count `from` to the day count `to`, as (to - from).GetWholeDays().
long long WholeDays(double from, double to) {
  return internal::WholeUnits(ToLinear(to) - ToLinear(from), 1.0);
}

// date + a span of `days` whole days, as COleDateTime's operator+ computes it.
double PlusDays(double dayCount, int days) { return FromLinear(ToLinear(dayCount) + days); }

// The rule's start date read as a day number, or false when it cannot be read; its
// components then count as -1.
bool ReadStart(const COleDateTime& start, long& dayNumber) {
  long seconds = 0;
  return internal::ReadDayCount(start, dayNumber, seconds);
}

long long MonthsBetween(const internal::CivilDate& start, int month, int year) {
  return (static_cast<long long>(year) - start.year) * 12 - start.month + month;
}

// The position test that the whole day set selects, for types 3 and 6: weekdays, weekend
// days, every day, or one day of the week; any other set counts nothing.
int IsCountedDayInstance(unsigned int days, int instance, const internal::MonthDay& at) {
  using internal::CountedDays;
  switch (days) {
    case kWeekdayMask:
      return internal::IsInstance(CountedDays::kWeekdays, 0, instance, at);
    case kWeekendMask:
      return internal::IsInstance(CountedDays::kWeekendDays, 0, instance, at);
    case kEveryDayMask:
      if (instance >= kFirstInstance && instance <= kFourthInstance) {
        return at.day == instance ? 1 : 0;
      }
      return instance == kLastInstance && at.day == at.length ? 1 : 0;
    default:
      if (!std::has_single_bit(days) || days > DayBit(7)) return 0;
      return internal::IsInstance(CountedDays::kOneDayOfWeek, std::countr_zero(days) + 1, instance,
                                  at);
  }
}

}  // namespace

int CRecurrenceData::OccursOn(int day, int month, int year) const {
  if (!internal::IsCivilDate(year, month, day)) return 0;
  return OccursOnDay(internal::DayNumberOfCivil(year, month, day), day, month, year);
}

int CRecurrenceData::OccursOnDay(long dayNumber, int day, int month, int year) const {
  const internal::CivilDate date{year, month, day};
  // The start date's components as SetStartDate read them, unless m_startDate was changed
  // behind the setters' back.
  const auto startDate = [this] {
    if (m_startDate.m_dt == m_readStartDayCount && m_startDate.m_status == m_readStartStatus) {
      return internal::CivilDate{m_startYear, m_startMonth, m_startDay};
    }
    return internal::DateOf(m_startDate);
  };
  // The asked date at midnight: its day count is its day number.
  const double asked = static_cast<double>(dayNumber);
  if (ToLinear(m_startDate.m_dt) > ToLinear(asked)) return 0;
  if (m_ends != 0 && ToLinear(m_endDate.m_dt) < ToLinear(asked)) return 0;

  switch (m_type) {
    case kDaily:
      if (m_days != 0) return 0;
      return EveryPeriod(m_interval) || IsMultiple(WholeDays(m_startDate.m_dt, asked), m_interval)
                 ? 1
                 : 0;
    case kWeekly: {
      const int dayOfWeek = internal::DayOfWeekOfDayNumber(dayNumber);
      if ((m_days & DayBit(dayOfWeek)) == 0) return 0;
      long start = 0;
      const int startDayOfWeek =
          ReadStart(m_startDate, start) ? internal::DayOfWeekOfDayNumber(start) : -1;
      const double sunday = PlusDays(m_startDate.m_dt, -(startDayOfWeek - 1));
      const long long days = WholeDays(PlusDays(sunday, dayOfWeek - 1), asked);
      return IsMultiple(days, 7LL * m_interval) ? 1 : 0;
    }
    case kMonthlyByDate:
      if (date.day != m_dayOfMonth) return 0;
      return EveryPeriod(m_interval) ||
                     IsMultiple(MonthsBetween(startDate(), date.month, date.year), m_interval)
                 ? 1
                 : 0;
    case kMonthlyByPosition: {
      if (!EveryPeriod(m_interval) &&
          !IsMultiple(MonthsBetween(startDate(), date.month, date.year), m_interval)) {
        return 0;
      }
      const int dayOfWeek = internal::DayOfWeekOfDayNumber(dayNumber);
      if ((m_days & DayBit(dayOfWeek)) == 0) return 0;
      return IsCountedDayInstance(
          m_days, m_instance, {date.day, dayOfWeek, internal::MonthLength(date.year, date.month)});
    }
    case kYearlyByDate: {
      const internal::CivilDate start = startDate();
      return ((date.month == start.month) & (date.day == start.day)) ? 1 : 0;
    }
    case kYearlyByPosition:
      if (date.month != startDate().month) return 0;
      return IsCountedDayInstance(m_days, m_instance,
                                  {date.day, internal::DayOfWeekOfDayNumber(dayNumber),
                                   internal::MonthLength(date.year, date.month)});
    default:
      return 0;
  }
}

// The free-or-busy answers read the asked instant once and ask about its date directly.
int CRecurrenceData::IsFree(const COleDateTime& time) const {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(time, dayNumber, seconds)) return 1;
  const internal::CivilDate date = internal::CivilOfDayNumber(dayNumber);
  if (OccursOnDay(dayNumber, date.day, date.month, date.year) == 0) return 1;
  return IsWithinTime(time) == 0 ? 1 : 0;
}

int CRecurrenceData::IsFree(const COleDateTime& from, const COleDateTime& to) const {
  long dayNumber = 0, seconds = 0;
  if (!internal::ReadDayCount(from, dayNumber, seconds)) return 1;
  const internal::CivilDate date = internal::CivilOfDayNumber(dayNumber);
  if (OccursOnDay(dayNumber, date.day, date.month, date.year) == 0) return 1;
  return IsWithinTime(from, to) == 0 ? 1 : 0;
}

}  // namespace dayweave
