// The month arithmetic of the recurrence rule: first and last weekdays, weekend days and days
// of a given day of the week, and the tests for being the first to fourth or last of them.
#include <algorithm>
#include <cstddef>

#include "calendar/civil.h"
#include "dayweave/recurrence_data.h"
#include "recurrence/month_scan.h"

namespace dayweave {

namespace internal {

namespace {

constexpr int kSunday = 1;
constexpr int kSaturday = 7;
// Every month has at least 28 days, and the fourth of any kind of day falls within them.
constexpr int kScanDays = 28;

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

// A day of the week that no day has: the scans would find nothing.
bool AsksForNoDay(CountedDays kind, int dayOfWeek) {
  return kind == CountedDays::kOneDayOfWeek && !IsDayOfWeek(dayOfWeek);
}

}  // namespace

FirstFour FirstFourDays(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  FirstFour found;
  found.fill(kNoDay);
  DateTimeParts parts;
  if (AsksForNoDay(kind, dayOfWeek) || !date.GetAsSystemTime(parts)) return found;

  COleDateTime day(parts.year, parts.month, 1, 0, 0, 0);
  const COleDateTimeSpan oneDay(1.0);
  std::size_t count = 0;
  for (int step = 0; step < kScanDays && count < found.size(); ++step, day += oneDay) {
    DateTimeParts today;
    if (!day.GetAsSystemTime(today)) break;
    if (Counts(kind, dayOfWeek, today.dayOfWeek)) found[count++] = today.day;
  }
  return found;
}

int LastDay(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  DateTimeParts parts;
  if (AsksForNoDay(kind, dayOfWeek) || !date.GetAsSystemTime(parts)) return kNoDay;
  const int length = MonthLength(parts.year, parts.month);
  const int last = COleDateTime(parts.year, parts.month, length, 0, 0, 0).GetDayOfWeek();
  if (!IsDayOfWeek(last)) return kNoDay;

  switch (kind) {
    case CountedDays::kWeekdays:
      if (last == kSunday) return length - 2;
      if (last == kSaturday) return length - 1;
      return length;
    case CountedDays::kWeekendDays:
      return IsWeekendDay(last) ? length : length - (last - kSunday);
    case CountedDays::kOneDayOfWeek:
      return length - (last - dayOfWeek + 7) % 7;
  }
  return kNoDay;
}

int IsInstance(CountedDays kind, int dayOfWeek, int instance, const COleDateTime& date) {
  const int day = date.GetDay();
  if (day < 1) return 0;
  if (instance == kLastInstance) return day == LastDay(kind, dayOfWeek, date) ? 1 : 0;
  if (instance < 1 || instance >= kLastInstance) return 0;
  return FirstFourDays(kind, dayOfWeek, date)[instance - 1] == day ? 1 : 0;
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

int* CRecurrenceData::GetFirst4WeekDays(const COleDateTime& date) const {
  return OnTheHeap(internal::FirstFourDays(internal::CountedDays::kWeekdays, 0, date));
}

int* CRecurrenceData::GetFirst4WeekendDays(const COleDateTime& date) const {
  return OnTheHeap(internal::FirstFourDays(internal::CountedDays::kWeekendDays, 0, date));
}

int* CRecurrenceData::GetFirst4MFCDays(int dayOfWeek, const COleDateTime& date) const {
  return OnTheHeap(internal::FirstFourDays(internal::CountedDays::kOneDayOfWeek, dayOfWeek, date));
}

int CRecurrenceData::GetLastWeekDay(const COleDateTime& date) const {
  return internal::LastDay(internal::CountedDays::kWeekdays, 0, date);
}

int CRecurrenceData::GetLastWeekendDay(const COleDateTime& date) const {
  return internal::LastDay(internal::CountedDays::kWeekendDays, 0, date);
}

int CRecurrenceData::GetLastMFCDay(int dayOfWeek, const COleDateTime& date) const {
  return internal::LastDay(internal::CountedDays::kOneDayOfWeek, dayOfWeek, date);
}

int CRecurrenceData::IsWeekDayInstance(int instance, const COleDateTime& date) const {
  // The first four weekdays all fall within the first week: answer the common case at once.
  if (instance != internal::kLastInstance && date.GetDay() > 7) return 0;
  return internal::IsInstance(internal::CountedDays::kWeekdays, 0, instance, date);
}

int CRecurrenceData::IsWeekendDayInstance(int instance, const COleDateTime& date) const {
  return internal::IsInstance(internal::CountedDays::kWeekendDays, 0, instance, date);
}

int CRecurrenceData::IsDayInstance(int instance, int dayOfWeek, const COleDateTime& date) const {
  return internal::IsInstance(internal::CountedDays::kOneDayOfWeek, dayOfWeek, instance, date);
}

int CRecurrenceData::IsDayInstance(int instance, const COleDateTime& date) const {
  DateTimeParts parts;
  if (!date.GetAsSystemTime(parts)) return 0;
  if (instance >= 1 && instance < internal::kLastInstance) return parts.day == instance ? 1 : 0;
  if (instance == internal::kLastInstance)
    return parts.day == internal::MonthLength(parts.year, parts.month) ? 1 : 0;
  return 0;
}

}  // namespace dayweave
