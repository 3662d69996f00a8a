// COleDateTime: an instant as a count of days since 30 December 1899, with a status.
//
//   COleDateTime when(2003, 4, 14, 15, 56, 57);
//   CString text = when.Format();            // "4/14/2003 3:56:57 PM"
//
// REPRESENTATION
//   m_dt counts days: day 0 is 30 December 1899 at midnight, the whole part counts days and
//   the fraction is the time of day (0.5 is noon). m_status is valid, invalid or null.
//
//   Before day 0 the whole part is negative but the fraction is still the time *after* that
//   day's midnight: -1.25 is 29 December 1899 06:00, and -1.5 is noon of the same day, so
//   -1.25 is the earlier instant although it is the larger number. Comparison and arithmetic
//   account for this; code that reads m_dt directly must too.
//
// RANGE
//   Dates from 1 January 100 to 31 December 9999 of the proleptic Gregorian calendar.
//   Components outside it make the value invalid; a day count outside it (or NaN, or an
//   infinity) reads back -1 from every component getter and formats as "Invalid DateTime".
//
// CONSTRUCTION
//   From components, the day count is the whole days plus or minus
//   (hour × 3600 + minute × 60 + second) / 86400.0, the sign following the convention above,
//   so values built from the same components compare equal exactly. Components that form no
//   real date or time (2/30/2003, a -1 passed on from a failed reading) give status invalid
//   and day count 0.0.
//
// READING
//   The getters round to the nearest second, half a second going up, so 09:00 plus ninety
//   one-minute spans reads back as 10:30:00 even when the sum lands a hair short of it.
//   Each answers -1 when the status is not valid or the day count is outside the range.
//
// COMPARISON
//   == != < <= > >= compare the day counts mapped onto a line that grows with time, exactly,
//   with no tolerance. Status takes no part.
//
//   COleDateTime(-1.25) < COleDateTime(-1.5);  // true: 06:00 comes before 12:00
//
// ARITHMETIC
//   date-time ± span maps the day count, adds the span's days and maps back; the result is
//   valid whatever the operands' statuses. += and -= keep the status as it was. The
//   difference of two date-times is a span, valid within the span limit.
//
//   Example: 1 January 1000 09:00 is day count -328716.375; plus one day it becomes
//   2 January 1000 09:00, day count -328715.375.
//
// TEXT
//   Format writes US English, "M/D/YYYY h:mm:ss AM": 4/14/2003 3:56:57 PM. At midnight it
//   writes the date alone (4/14/2003); on 30 December 1899 the time alone (9:30:00 AM).
//   A null value gives "", an invalid or unreadable one "Invalid DateTime".
//
//   ParseDateTime reads what Format writes and also: times without seconds (9:00 AM),
//   24-hour times (15:30, 15:30:00), an hour with AM or PM (9 AM), A.M. and P.M. in any
//   letter case, a date alone, a time alone, dates written M-D-YYYY, ISO 8601 dates and date
//   times (2003-04-14, 2003-04-14T15:30:00, 2003-04-14 15:30), and blanks around the text.
//   A one- or two-digit year in M/D/YY is read in the window 1930 to 2029 (1/5/29 is 2029,
//   1/5/30 is 1930); a three-digit year is taken as written. A date alone is read at
//   midnight, a time alone on day 0.
//   On failure it answers false with status invalid, and day count 0.0 when the text has no
//   date or time shape at all, -1.0 when it has that shape but names no real date or time
//   (2/30/2003, 13/1/2003, 25:00, 1/1/10000).
#pragma once

#include <cstdint>

#include "dayweave/date_time_span.h"
#include "dayweave/export.h"
#include "dayweave/internal/civil.h"
#include "dayweave/text.h"

namespace dayweave {

// All the calendar components of an instant at once.
struct DateTimeParts {
  int year = -1;
  int month = -1;
  int day = -1;
  int hour = -1;
  int minute = -1;
  int second = -1;
  int dayOfWeek = -1;  // 1 Sunday to 7 Saturday
};

class DAYWEAVE_API COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  // Day count 0.0 (30 December 1899, midnight), valid.
  COleDateTime() = default;

  // The instant `dayCount` days after 30 December 1899, valid whatever the number.
  COleDateTime(double dayCount);  // NOLINT(google-explicit-constructor): framework shape

  // The instant of the given components (see SetDateTime).
  COleDateTime(int year, int month, int day, int hour, int minute, int second);

  // SetDateTime
  // Builds the value from calendar components; answers 0 when they form a real date and
  // time (status valid), 1 when not (status invalid, day count 0.0).
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);

  // SetDate
  // SetDateTime(year, month, day, 0, 0, 0): the date at midnight.
  int SetDate(int year, int month, int day);

  // SetTime
  // SetDateTime(1899, 12, 30, hour, minute, second): a time of day on day 0.
  int SetTime(int hour, int minute, int second);

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }

  // GetYear, GetMonth (1-12), GetDay (1-31), GetHour (0-23), GetMinute, GetSecond
  // The components, rounded to the second; -1 when the value cannot be read.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;

  // GetDayOfWeek
  // 1 Sunday, 2 Monday, ... 7 Saturday; -1 when the value cannot be read.
  int GetDayOfWeek() const;

  // GetAsSystemTime
  // Fills every component at once; answers 1 on success, 0 (parts untouched) when the
  // value cannot be read.
  int GetAsSystemTime(DateTimeParts& parts) const;

  // Format
  // The value as text (see TEXT above).
  CString Format() const;

  // ParseDateTime
  // Reads the value from text (see TEXT above); true on success. A null pointer fails as a
  // text with no date in it.
  bool ParseDateTime(const char* text);

  bool operator==(const COleDateTime& other) const;
  bool operator!=(const COleDateTime& other) const;
  bool operator<(const COleDateTime& other) const;
  bool operator<=(const COleDateTime& other) const;
  bool operator>(const COleDateTime& other) const;
  bool operator>=(const COleDateTime& other) const;

  COleDateTime operator+(const COleDateTimeSpan& span) const;
  COleDateTime operator-(const COleDateTimeSpan& span) const;
  COleDateTime& operator+=(const COleDateTimeSpan& span);
  COleDateTime& operator-=(const COleDateTimeSpan& span);
  COleDateTimeSpan operator-(const COleDateTime& other) const;

  double m_dt = 0.0;
  DateTimeStatus m_status = valid;
};

// The readings and the construction from components are inline: each is a few instructions of
// the civil core (dayweave/internal/civil.h).

namespace internal {

// The day number and seconds of a date-time that can be read: status valid and a day count
// within the supported years.
inline bool ReadDayCount(const COleDateTime& value, long& dayNumber, long& seconds) {
  const bool split = SplitDayCount(value.m_dt, dayNumber, seconds);
  return split & (value.m_status == COleDateTime::valid);
}

// The components of a day count, rounded to the nearest second (half a second going up),
// or false when the count is not finite or lies outside the supported years.
inline bool PartsFromDayCount(double dayCount, DateTimeParts& parts) {
  long dayNumber = 0, seconds = 0;
  if (!SplitDayCount(dayCount, dayNumber, seconds)) return false;
  const CivilDate date = CivilOfDayNumber(dayNumber);
  parts.year = date.year;
  parts.month = date.month;
  parts.day = date.day;
  // Below 86,400: unsigned 32-bit divisions by constants are the cheapest multiplications.
  const auto second = static_cast<std::uint32_t>(seconds);
  parts.hour = static_cast<int>(second / 3600);
  parts.minute = static_cast<int>(second / 60 % 60);
  parts.second = static_cast<int>(second % 60);
  parts.dayOfWeek = DayOfWeekOfDayNumber(dayNumber);
  return true;
}

// The civil date of a value that can be read, or -1 in every field.
inline CivilDate DateOf(const COleDateTime& value) {
  long dayNumber = 0, seconds = 0;
  const bool read = ReadDayCount(value, dayNumber, seconds);
  const CivilDate date = CivilOfDayNumber(read ? dayNumber : 0);
  return read ? date : CivilDate{-1, -1, -1};
}

// A time field of a value that can be read: seconds / divisor % modulus, or -1.
inline int TimeFieldOf(const COleDateTime& value, std::uint32_t divisor, std::uint32_t modulus) {
  long dayNumber = 0, seconds = 0;
  const bool read = ReadDayCount(value, dayNumber, seconds);
  return read ? static_cast<int>(static_cast<std::uint32_t>(seconds) / divisor % modulus) : -1;
}

}  // namespace internal

inline COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  SetDateTime(year, month, day, hour, minute, second);
}

inline int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute,
                                     int second) {
  double dayCount = 0.0;
  if (internal::DayCountFromParts(year, month, day, hour, minute, second, dayCount)) {
    m_dt = dayCount;
    m_status = valid;
    return 0;
  }
  m_dt = 0.0;
  m_status = invalid;
  return 1;
}

inline int COleDateTime::SetDate(int year, int month, int day) {
  return SetDateTime(year, month, day, 0, 0, 0);
}

inline int COleDateTime::SetTime(int hour, int minute, int second) {
  return SetDateTime(1899, 12, 30, hour, minute, second);
}

inline int COleDateTime::GetYear() const { return internal::DateOf(*this).year; }
inline int COleDateTime::GetMonth() const { return internal::DateOf(*this).month; }
inline int COleDateTime::GetDay() const { return internal::DateOf(*this).day; }
inline int COleDateTime::GetHour() const { return internal::TimeFieldOf(*this, 3600, 24); }
inline int COleDateTime::GetMinute() const { return internal::TimeFieldOf(*this, 60, 60); }
inline int COleDateTime::GetSecond() const { return internal::TimeFieldOf(*this, 1, 60); }

inline int COleDateTime::GetDayOfWeek() const {
  long dayNumber = 0, seconds = 0;
  const bool read = internal::ReadDayCount(*this, dayNumber, seconds);
  return read ? internal::DayOfWeekOfDayNumber(read ? dayNumber : 0) : -1;
}

inline int COleDateTime::GetAsSystemTime(DateTimeParts& parts) const {
  DateTimeParts read;
  if (m_status != valid || !internal::PartsFromDayCount(m_dt, read)) return 0;
  parts = read;
  return 1;
}

}  // namespace dayweave
