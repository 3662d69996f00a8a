// A recurrence rule (RFC 5545 RRULE) as typed parts, read from libical's parsed rule, for the
// agent's own expansion (rule_expander.h).
//
//   std::optional<RuleParts> parts = PartsOf(icalproperty_get_rrule(p), dtstart);
//   parts->frequency == Frequency::kMonthly, parts->days[0] == DayPart{-1, Friday}
//
// Lists are sorted and hold each value once, whatever order and repetitions the calendar
// wrote. UNTIL is read on the wall clock of DTSTART: converted into DTSTART's zone when it
// names an instant, taken as written when DTSTART is floating or a date.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <optional>
#include <vector>

namespace dayweave::agent {

enum class Frequency { kSecondly, kMinutely, kHourly, kDaily, kWeekly, kMonthly, kYearly };

// One BYDAY entry: a day of the week, with a position (2 for "2TU", -1 for "-1FR") or 0 for
// every such day of the period.
struct DayPart {
  int position = 0;
  std::chrono::weekday day;
  friend bool operator==(const DayPart&, const DayPart&) = default;
};

struct RuleParts {
  Frequency frequency = Frequency::kDaily;
  int interval = 1;
  long count = 0;                                   // 0 when the rule has no COUNT
  std::optional<std::chrono::local_seconds> until;  // on DTSTART's wall clock
  std::chrono::weekday weekStart = std::chrono::Monday;
  std::vector<int> seconds, minutes, hours;  // BYSECOND, BYMINUTE, BYHOUR
  std::vector<DayPart> days;                 // BYDAY
  std::vector<int> monthDays;                // BYMONTHDAY, 1 to 31 or -31 to -1
  std::vector<int> yearDays;                 // BYYEARDAY, 1 to 366 or -366 to -1
  std::vector<int> weekNumbers;              // BYWEEKNO, 1 to 53 or -53 to -1
  std::vector<int> months;                   // BYMONTH, 1 to 12
  std::vector<int> setPositions;             // BYSETPOS
};

// PartsOf
// The parts of a rule whose DTSTART is `start`; nothing for a rule these parts cannot say
// (no frequency, another calendar scale (RSCALE), a leap month, a value out of range).
std::optional<RuleParts> PartsOf(const icalrecurrencetype& rule, const icaltimetype& start);

}  // namespace dayweave::agent
