// The month arithmetic of the recurrence rule: first and last weekdays, weekend days and days
// of a given day of the week, and the tests for being the first to fourth or last of them.
#include <algorithm>
#include <cstddef>

#include "dayweave/recurrence_data.h"
#include "recurrence/month_arithmetic.h"

namespace dayweave {

namespace internal {

namespace {

constexpr int kSunday = 1;
constexpr int kFriday = 6;
constexpr int kSaturday = 7;

bool IsDayOfWeek(int dayOfWeek) { return dayOfWeek >= kSunday && dayOfWeek <= kSaturday; }

bool IsWeekendDay(int dayOfWeek) { return dayOfWeek == kSunday || dayOfWeek == kSaturday; }

bool Counts(CountedDays kind, int dayOfWeek, int candidate) {
  switch (kind) {
    case CountedDays::kWeekdays:
      return !IsWeekendDay(candidate);
    case CountedDays::kWeekendDays:
      return IsWeekendDay(candidate);
    case CountedDays::kOneDayOfWeek:
      return candidate == dayOfWeek;
  }
  return false;
}

// The day of the week of the first of the month.
int FirstOfMonth(const MonthDay& at) { return (at.dayOfWeek - at.day + 35) % 7 + kSunday; }

// The day numbers of the Saturday and the Sunday among the first seven days.
int FirstSaturday(const MonthDay& at) { return 8 - FirstOfMonth(at); }
int FirstSunday(const MonthDay& at) { return FirstSaturday(at) % 7 + 1; }

// How many weekend days lie on days 1 to `day` of the month.
int WeekendDaysUpTo(int day, const MonthDay& at) {
  return (day - FirstSaturday(at) + 7) / 7 + (day - FirstSunday(at) + 7) / 7;
}

// The position among the counted days of `at`, a counted day itself.
int Position(CountedDays kind, const MonthDay& at) {
  switch (kind) {
    case CountedDays::kWeekdays:
      return at.day - WeekendDaysUpTo(at.day, at);
    case CountedDays::kWeekendDays:
      return WeekendDaysUpTo(at.day, at);
    case CountedDays::kOneDayOfWeek:
      break;
  }
  return (at.day - 1) / 7 + 1;
}

// Whether `at`, a counted day, is the last of its kind: the next one lies beyond the month.
bool IsLast(CountedDays kind, const MonthDay& at) {
  int gap = 7;
  if (kind == CountedDays::kWeekdays) gap = at.dayOfWeek == kFriday ? 3 : 1;
  if (kind == CountedDays::kWeekendDays) gap = at.dayOfWeek == kSunday ? 6 : 1;
  return at.day + gap > at.length;
}

}  // namespace

bool ReadMonthDay(const COleDateTime& date, MonthDay& at) {
  long dayNumber = 0, seconds = 0;
  if (!ReadDayCount(date, dayNumber, seconds)) return false;
  const CivilDate civil = CivilOfDayNumber(dayNumber);
  at = {civil.day, DayOfWeekOfDayNumber(dayNumber), MonthLength(civil.year, civil.month)};
  return true;
}

FirstFour FirstFourDays(CountedDays kind, int dayOfWeek, const MonthDay& at) {
  const int saturday = FirstSaturday(at), sunday = FirstSunday(at);
  switch (kind) {
    case CountedDays::kWeekdays: {
      // Days 1 to 6 less the weekend days among them: Saturday and Sunday are adjacent, or
      // the month begins on a Sunday (day 1) or a Saturday (days 1 and 2).
      FirstFour found{};
      for (int i = 1; i <= 4; ++i) {
        const int skipped = sunday == 1 ? 1 : (saturday == 1 ? 2 : (i >= saturday ? 2 : 0));
        found[static_cast<std::size_t>(i - 1)] = i + skipped;
      }
      return found;
    }
    case CountedDays::kWeekendDays: {
      const int first = std::min(saturday, sunday), second = std::max(saturday, sunday);
      return {first, second, first + 7, second + 7};
    }
    case CountedDays::kOneDayOfWeek:
      break;
  }
  if (!IsDayOfWeek(dayOfWeek)) return {kNoDay, kNoDay, kNoDay, kNoDay};
  const int first = (dayOfWeek - FirstOfMonth(at) + 7) % 7 + 1;
  return {first, first + 7, first + 14, first + 21};
}

int LastDay(CountedDays kind, int dayOfWeek, const MonthDay& at) {
  const int last = (FirstOfMonth(at) - 1 + at.length - 1) % 7 + kSunday;
  switch (kind) {
    case CountedDays::kWeekdays:
      if (last == kSunday) return at.length - 2;
      if (last == kSaturday) return at.length - 1;
      return at.length;
    case CountedDays::kWeekendDays:
      return IsWeekendDay(last) ? at.length : at.length - (last - kSunday);
    case CountedDays::kOneDayOfWeek:
      break;
  }
  if (!IsDayOfWeek(dayOfWeek)) return kNoDay;
  return at.length - (last - dayOfWeek + 7) % 7;
}

int IsInstance(CountedDays kind, int dayOfWeek, int instance, const MonthDay& at) {
  if (!Counts(kind, dayOfWeek, at.dayOfWeek)) return 0;
  if (instance == kLastInstance) return IsLast(kind, at) ? 1 : 0;
  if (instance < kFirstInstance || instance > kFourthInstance) return 0;
  return Position(kind, at) == instance ? 1 : 0;
}

}  // namespace internal

namespace {

int* OnTheHeap(const internal::FirstFour& days) {
  int* copy = new int[days.size()];
  std::copy(days.begin(), days.end(), copy);
  return copy;
}

}  // namespace

COleDateTime CRecurrenceData::GetFirstDayOfMonth(const COleDateTime& date) const {
  const int day = date.GetDay();
  if (day < 1) {
    COleDateTime none = date;
    none.SetStatus(COleDateTime::invalid);
    return none;
  }
  return date - COleDateTimeSpan(day - 1, 0, 0, 0);
}

namespace {

using internal::CountedDays;

internal::FirstFour FirstFourOf(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  internal::MonthDay at{};
  if (!internal::ReadMonthDay(date, at))
    return {internal::kNoDay, internal::kNoDay, internal::kNoDay, internal::kNoDay};
  return internal::FirstFourDays(kind, dayOfWeek, at);
}

int LastOf(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  internal::MonthDay at{};
  if (!internal::ReadMonthDay(date, at)) return internal::kNoDay;
  return internal::LastDay(kind, dayOfWeek, at);
}

int InstanceOf(CountedDays kind, int dayOfWeek, int instance, const COleDateTime& date) {
  internal::MonthDay at{};
  if (!internal::ReadMonthDay(date, at)) return 0;
  return internal::IsInstance(kind, dayOfWeek, instance, at);
}

}  // namespace

int* CRecurrenceData::GetFirst4WeekDays(const COleDateTime& date) const {
  return OnTheHeap(FirstFourOf(CountedDays::kWeekdays, 0, date));
}

int* CRecurrenceData::GetFirst4WeekendDays(const COleDateTime& date) const {
  return OnTheHeap(FirstFourOf(CountedDays::kWeekendDays, 0, date));
}

int* CRecurrenceData::GetFirst4MFCDays(int dayOfWeek, const COleDateTime& date) const {
  return OnTheHeap(FirstFourOf(CountedDays::kOneDayOfWeek, dayOfWeek, date));
}

int CRecurrenceData::GetLastWeekDay(const COleDateTime& date) const {
  return LastOf(CountedDays::kWeekdays, 0, date);
}

int CRecurrenceData::GetLastWeekendDay(const COleDateTime& date) const {
  return LastOf(CountedDays::kWeekendDays, 0, date);
}

int CRecurrenceData::GetLastMFCDay(int dayOfWeek, const COleDateTime& date) const {
  return LastOf(CountedDays::kOneDayOfWeek, dayOfWeek, date);
}

int CRecurrenceData::IsWeekDayInstance(int instance, const COleDateTime& date) const {
  return InstanceOf(CountedDays::kWeekdays, 0, instance, date);
}

int CRecurrenceData::IsWeekendDayInstance(int instance, const COleDateTime& date) const {
  return InstanceOf(CountedDays::kWeekendDays, 0, instance, date);
}

int CRecurrenceData::IsDayInstance(int instance, int dayOfWeek, const COleDateTime& date) const {
  return InstanceOf(CountedDays::kOneDayOfWeek, dayOfWeek, instance, date);
}

int CRecurrenceData::IsDayInstance(int instance, const COleDateTime& date) const {
  internal::MonthDay at{};
  if (!internal::ReadMonthDay(date, at)) return 0;
  if (instance >= kFirstInstance && instance <= kFourthInstance) return at.day == instance ? 1 : 0;
  return instance == kLastInstance && at.day == at.length ? 1 : 0;
}

}  // namespace dayweave
