// Format and ParseDateTime: the date-time value as US English text.
//
// Format writes "M/D/YYYY h:mm:ss AM", dropping the time at midnight and the date on day 0.
// ParseDateTime is a small hand-written scanner over a fixed grammar, one pass over the text
// up to its terminating null character:
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
#include <array>
#include <cstddef>
#include <cstring>

#include "dayweave/date_time.h"

namespace dayweave {

namespace {

// The two digits of every number from 0 to 99. Numbers are written by digit pairs: for these
// few digits std::to_chars cost several times as many instructions (callgrind).
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes `value` (0 to 99) as two digits at `out`; returns the new end.
char* PutTwo(char* out, int value) {
  std::memcpy(out, &kDigitPairs[static_cast<std::size_t>(2 * value)], 2);
  return out + 2;
}

// Writes `value` (0 to 99) in decimal at `out`, without a leading zero; returns the new end.
// No branch on the number of digits, which the branch predictor could not guess for varied
// values: both characters of the pair are written, starting one later for a single digit, and
// the end moves by one or two. The second character of a single digit is written past the
// end, where the caller's next character goes.
char* PutUpTo99(char* out, int value) {
  const int oneDigit = value < 10 ? 1 : 0;
  std::memcpy(out, &kDigitPairs[static_cast<std::size_t>(2 * value + oneDigit)], 2);
  return out + 2 - oneDigit;
}

// Writes `value` (100 to 9999: a year) in decimal at `out`; returns the new end.
char* PutYear(char* out, int value) {
  const auto year = static_cast<unsigned>(value);
  const auto high = static_cast<int>(year / 100);
  if (high >= 10) {
    out = PutTwo(out, high);
  } else {
    *out++ = static_cast<char>('0' + high);
  }
  return PutTwo(out, static_cast<int>(year % 100));
}

// Reads a null-terminated text; the null character ends every run, so no length is needed.
//
// The numbers of a date and time have one or two digits at random, and a time is AM or PM at
// random: the reading of a number and of the meridiem is written so that what varies from text
// to text goes into values rather than into branches.
struct Scanner {
  const char* p;

  // The value of a digit character, or a number above 9 for any other character.
  static unsigned DigitValue(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c)) - static_cast<unsigned>('0');
  }
  static bool IsBlank(char c) {
    // tab, line feed, vertical tab, form feed, carriage return
    return c == ' ' || static_cast<unsigned char>(c) - static_cast<unsigned>('\t') <= 4u;
  }

  bool AtEnd() const { return *p == '\0'; }
  bool Take(char c) {
    if (*p != c) return false;
    ++p;
    return true;
  }
  int SkipBlanks() {
    int skipped = 0;
    for (; IsBlank(*p); ++p) ++skipped;
    return skipped;
  }
  // Reads a run of digits; the value saturates so that no run can overflow. The first two
  // digits are read without a branch on whether the second is there (the first is not the
  // null character, so the second character can be read); the loop runs only for a third
  // digit (after a single digit, *q is the non-digit that ended the run).
  bool Number(int& value, int& digits) {
    const unsigned first = DigitValue(p[0]);
    if (first > 9) {
      value = 0;
      digits = 0;
      return false;
    }
    const unsigned second = DigitValue(p[1]);
    const bool two = second <= 9;
    unsigned read = two ? first * 10 + second : first;
    const char* q = p + 1 + (two ? 1 : 0);
    for (unsigned next; (next = DigitValue(*q)) <= 9; ++q) {
      if (read < 100000000) read = read * 10 + next;
    }
    value = static_cast<int>(read);
    digits = static_cast<int>(q - p);
    p = q;
    return true;
  }
  bool TakeLetter(char upper) {
    if ((*p & ~0x20) != upper) return false;  // the letter in either case
    ++p;
    return true;
  }
  // Reads AM, PM, A.M. or P.M.; `pm` tells which.
  bool Meridiem(bool& pm) {
    const char* const mark = p;
    const char letter = static_cast<char>(*p & ~0x20);
    if (letter != 'A' && letter != 'P') return false;
    pm = letter == 'P';
    ++p;
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

inline bool ScanDate(Scanner& in, DateFields& date, bool& iso) {
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

inline bool ScanTime(Scanner& in, TimeFields& time) {
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
  return (time.hour == 12 ? 0 : time.hour) + (time.pm ? 12 : 0);
}

enum class Outcome { kNoDate, kBadDate, kRead };

Outcome Parse(const char* text, double& dayCount) {
  if (!text) return Outcome::kNoDate;
  Scanner in{text};
  in.SkipBlanks();

  DateFields date{1899, 12, 30, 4};
  TimeFields time;
  bool hasDate = false, hasTime = false, iso = false;
  const char* const start = in.p;
  if (ScanDate(in, date, iso)) {
    hasDate = true;
    const bool blanks = in.SkipBlanks() > 0;
    if (!in.AtEnd()) {
      const bool separated = blanks || (iso && (in.Take('T') || in.Take('t')));
      if (!separated || !ScanTime(in, time)) return Outcome::kNoDate;
      hasTime = true;
    }
  } else {
    in.p = start;
    if (!ScanTime(in, time)) return Outcome::kNoDate;
    hasTime = true;
  }
  in.SkipBlanks();
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
  char buffer[32];  // "12/31/9999 12:59:59 PM" is 22 characters
  char* out = buffer;
  if (!dayZero) {
    out = PutUpTo99(out, parts.month);
    *out++ = '/';
    out = PutUpTo99(out, parts.day);
    *out++ = '/';
    out = PutYear(out, parts.year);
  }
  if (dayZero || !midnight) {
    if (!dayZero) *out++ = ' ';
    const int afterNoon = parts.hour > 12 ? parts.hour - 12 : parts.hour;
    const int hour12 = afterNoon == 0 ? 12 : afterNoon;
    out = PutUpTo99(out, hour12);
    *out++ = ':';
    out = PutTwo(out, parts.minute);
    *out++ = ':';
    out = PutTwo(out, parts.second);
    std::memcpy(out, parts.hour < 12 ? " AM" : " PM", 3);
    out += 3;
  }
  return CString(buffer, static_cast<int>(out - buffer));
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
