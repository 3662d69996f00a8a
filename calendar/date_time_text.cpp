// Format and ParseDateTime: the date-time value as US English text.
//
// Format writes "M/D/YYYY h:mm:ss AM", dropping the time at midnight and the date on day 0.
// ParseDateTime is a small hand-written scanner over a fixed grammar:
//
//   text  := date [ (blanks | 'T') time ] | time          (blanks allowed around the text)
//   date  := N '/' N '/' N    month/day/year
//          | N '-' N '-' N    year-month-day when the first number has three or more digits,
//                             otherwise month-day-year
//   time  := N ':' N [ ':' N ] [ blanks ] [ meridiem ] | N [ blanks ] meridiem
//   meridiem := AM | PM | A.M. | P.M.   (any letter case)
//
// A text outside the grammar is "not a date at all" (day count 0.0); a text inside it whose
// numbers name no real date or time is a failed date (day count -1.0).
#include <charconv>
#include <cstring>

#include "dayweave/date_time.h"

namespace dayweave {

namespace {

// Writes `value` in decimal at `out`, with at least `width` digits; returns the new end.
char* Put(char* out, int value, int width) {
  if (width == 2 && value < 10) *out++ = '0';
  return std::to_chars(out, out + 8, value).ptr;
}

struct Scanner {
  const char* p;
  const char* end;

  static bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  bool AtEnd() const { return p == end; }
  bool Peek(char c) const { return p != end && *p == c; }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++p;
    return true;
  }
  int SkipBlanks() {
    int skipped = 0;
    for (; p != end && IsBlank(*p); ++p) ++skipped;
    return skipped;
  }
  // Reads a run of digits; the value saturates so that no run can overflow.
  bool Number(int& value, int& digits) {
    value = 0;
    digits = 0;
    for (; p != end && IsDigit(*p); ++p, ++digits) {
      if (value < 100000000) value = value * 10 + (*p - '0');
    }
    return digits > 0;
  }
  bool TakeLetter(char upper) {
    if (p == end || (*p != upper && *p != upper + ('a' - 'A'))) return false;
    ++p;
    return true;
  }
  // Reads AM, PM, A.M. or P.M.; `pm` tells which.
  bool Meridiem(bool& pm) {
    const char* const mark = p;
    if (TakeLetter('A')) {
      pm = false;
    } else if (TakeLetter('P')) {
      pm = true;
    } else {
      return false;
    }
    const bool dotted = Take('.');
    if (TakeLetter('M') && (!dotted || Take('.'))) return true;
    p = mark;
    return false;
  }
};

struct DateFields {
  int year = 0, month = 0, day = 0;
  int yearDigits = 0;
};

struct TimeFields {
  int hour = 0, minute = 0, second = 0;
  bool hasMeridiem = false, pm = false;
};

bool ScanDate(Scanner& in, DateFields& date, bool& iso) {
  int a = 0, b = 0, c = 0, da = 0, db = 0, dc = 0;
  if (!in.Number(a, da)) return false;
  char sep = 0;
  if (in.Take('/')) {
    sep = '/';
  } else if (in.Take('-')) {
    sep = '-';
  } else {
    return false;
  }
  if (!in.Number(b, db) || !in.Take(sep) || !in.Number(c, dc)) return false;
  iso = sep == '-' && da >= 3;
  if (iso) {
    date = {a, b, c, da};
  } else {
    date = {c, a, b, dc};
  }
  return true;
}

bool ScanTime(Scanner& in, TimeFields& time) {
  int digits = 0;
  if (!in.Number(time.hour, digits)) return false;
  if (in.Take(':')) {
    if (!in.Number(time.minute, digits)) return false;
    if (in.Take(':') && !in.Number(time.second, digits)) return false;
    const char* const beforeBlanks = in.p;
    in.SkipBlanks();
    time.hasMeridiem = in.Meridiem(time.pm);
    if (!time.hasMeridiem) in.p = beforeBlanks;
    return true;
  }
  in.SkipBlanks();
  time.hasMeridiem = in.Meridiem(time.pm);
  return time.hasMeridiem;
}

int WindowedYear(const DateFields& date) {
  if (date.yearDigits > 2) return date.year;
  return date.year < 30 ? 2000 + date.year : 1900 + date.year;
}

// The 24-hour hour of a time, or -1 when it names no hour.
int Hour24(const TimeFields& time) {
  if (!time.hasMeridiem) return time.hour;
  if (time.hour < 1 || time.hour > 12) return -1;
  return (time.hour % 12) + (time.pm ? 12 : 0);
}

enum class Outcome { kNoDate, kBadDate, kRead };

Outcome Parse(const char* text, double& dayCount) {
  if (!text) return Outcome::kNoDate;
  Scanner in{text, text + std::strlen(text)};
  in.SkipBlanks();
  while (in.end != in.p && Scanner::IsBlank(in.end[-1])) --in.end;

  DateFields date{1899, 12, 30, 4};
  TimeFields time;
  bool hasDate = false, hasTime = false, iso = false;
  const char* const start = in.p;
  if (ScanDate(in, date, iso)) {
    hasDate = true;
    if (!in.AtEnd()) {
      const bool separated = in.SkipBlanks() > 0 || (iso && (in.Take('T') || in.Take('t')));
      if (!separated || !ScanTime(in, time)) return Outcome::kNoDate;
      hasTime = true;
    }
  } else {
    in.p = start;
    if (!ScanTime(in, time)) return Outcome::kNoDate;
    hasTime = true;
  }
  if (!in.AtEnd() || !(hasDate || hasTime)) return Outcome::kNoDate;

  const int year = hasDate ? WindowedYear(date) : 1899;
  const int hour = Hour24(time);
  if (!internal::DayCountFromParts(year, date.month, date.day, hour, time.minute, time.second,
                                   dayCount)) {
    return Outcome::kBadDate;
  }
  return Outcome::kRead;
}

}  // namespace

CString COleDateTime::Format() const {
  if (m_status == null) return CString();
  DateTimeParts parts;
  if (m_status != valid || !internal::PartsFromDayCount(m_dt, parts)) {
    return CString("Invalid DateTime");
  }
  const bool dayZero = parts.year == 1899 && parts.month == 12 && parts.day == 30;
  const bool midnight = parts.hour == 0 && parts.minute == 0 && parts.second == 0;
  char buffer[48];
  char* out = buffer;
  if (!dayZero) {
    out = Put(out, parts.month, 1);
    *out++ = '/';
    out = Put(out, parts.day, 1);
    *out++ = '/';
    out = Put(out, parts.year, 1);
  }
  if (dayZero || !midnight) {
    if (!dayZero) *out++ = ' ';
    const int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    out = Put(out, hour12, 1);
    *out++ = ':';
    out = Put(out, parts.minute, 2);
    *out++ = ':';
    out = Put(out, parts.second, 2);
    std::memcpy(out, parts.hour < 12 ? " AM" : " PM", 3);
    out += 3;
  }
  return CString(std::string(buffer, out));
}

bool COleDateTime::ParseDateTime(const char* text) {
  double dayCount = 0.0;
  switch (Parse(text, dayCount)) {
    case Outcome::kRead:
      m_dt = dayCount;
      m_status = valid;
      return true;
    case Outcome::kBadDate:
      m_dt = -1.0;
      break;
    case Outcome::kNoDate:
      m_dt = 0.0;
      break;
  }
  m_status = invalid;
  return false;
}

}  // namespace dayweave
