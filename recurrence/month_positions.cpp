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

// The day of the week of day `day` of the month of `parts`, counted on from the day of the
// week that `parts` itself falls on.
int DayOfWeekOf(const DateTimeParts& parts, int day) {
  return ((parts.dayOfWeek - kSunday + day - parts.day) % 7 + 7) % 7 + kSunday;
}

// The first four counted days of the month of `parts`, a date already read as components.
FirstFour FirstFourOf(CountedDays kind, int dayOfWeek, const DateTimeParts& parts) {
  FirstFour found;
  if (kind == CountedDays::kOneDayOfWeek) {
    // The first such day lies in the first week; the others follow a week apart.
    const int first = (dayOfWeek - DayOfWeekOf(parts, 1) + 7) % 7 + 1;
    for (std::size_t i = 0; i < found.size(); ++i) found[i] = first + 7 * static_cast<int>(i);
    return found;
  }
  found.fill(kNoDay);
  std::size_t count = 0;
  for (int day = 1; day <= kScanDays && count < found.size(); ++day) {
    if (Counts(kind, dayOfWeek, DayOfWeekOf(parts, day))) found[count++] = day;
  }
  return found;
}

// The last counted day of the month of `parts`.
int LastDayOf(CountedDays kind, int dayOfWeek, const DateTimeParts& parts) {
  const int length = MonthLength(parts.year, parts.month);
  const int last = DayOfWeekOf(parts, length);
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

// Reads `date` as components, or answers false when it names no day that can be counted.
bool ReadCountable(CountedDays kind, int dayOfWeek, const COleDateTime& date,
                   DateTimeParts& parts) {
  return !AsksForNoDay(kind, dayOfWeek) && date.GetAsSystemTime(parts) == 1;
}

}  // namespace

FirstFour FirstFourDays(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  DateTimeParts parts;
  if (ReadCountable(kind, dayOfWeek, date, parts)) return FirstFourOf(kind, dayOfWeek, parts);
  FirstFour none;
  none.fill(kNoDay);
  return none;
}

int LastDay(CountedDays kind, int dayOfWeek, const COleDateTime& date) {
  DateTimeParts parts;
  return ReadCountable(kind, dayOfWeek, date, parts) ? LastDayOf(kind, dayOfWeek, parts) : kNoDay;
}

int IsInstance(CountedDays kind, int dayOfWeek, int instance, const COleDateTime& date) {
  DateTimeParts parts;
  if (!ReadCountable(kind, dayOfWeek, date, parts)) return 0;
  if (instance == kLastInstance) return parts.day == LastDayOf(kind, dayOfWeek, parts) ? 1 : 0;
  if (instance < 1 || instance >= kLastInstance) return 0;
  return FirstFourOf(kind, dayOfWeek, parts)[instance - 1] == parts.day ? 1 : 0;
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
  if (instance != kLastInstance && date.GetDay() > 7) return 0;
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
  if (instance >= 1 && instance < kLastInstance) return parts.day == instance ? 1 : 0;
  if (instance == kLastInstance)
    return parts.day == internal::MonthLength(parts.year, parts.month) ? 1 : 0;
  return 0;
}

}  // namespace dayweave
