// The month arithmetic of the recurrence rule: first and last weekdays, weekend days and days
// of a given day of the week, and the tests for being the first to fourth or last of them.
#include <algorithm>
#include <cstddef>

#include "dayweave/recurrence_data.h"
#include "recurrence/month_arithmetic.h"

namespace dayweave {

namespace internal {

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
