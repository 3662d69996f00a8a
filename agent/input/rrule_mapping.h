// Deciding, event by event, whether the library's recurrence model holds an event's rule
// exactly, and with which arguments.
//
//   EventMapping mapping = MapEvent(event, zone);
//   mapping.kind == EventMapping::kRecurring  // FREQ=WEEKLY;BYDAY=MO: kWeekly, DayBit(2)
//   mapping.kind == EventMapping::kExpanded   // mapping.reason: "it has EXDATE"
//
// THE MODEL
//   A recurring appointment of the library repeats daily, weekly (weeks begin on Sunday),
//   monthly on a day of the month or on a position (2nd Tuesday, last weekday), or yearly on
//   a date or a position in one month, with one daily time window of a single day, from a
//   start date to an optional end date. The shapes of RFC 5545 that say exactly this:
//
//     FREQ=DAILY;INTERVAL=n                         kDaily
//     FREQ=WEEKLY;INTERVAL=n[;BYDAY=MO,WE]          kWeekly
//     FREQ=MONTHLY;INTERVAL=n[;BYMONTHDAY=d]        kMonthlyByDate
//     FREQ=MONTHLY;INTERVAL=n;BYDAY=2TU | -1FR      kMonthlyByPosition
//     FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1 (also SA,SU, all seven, or one day)
//     FREQ=YEARLY[;BYMONTH=m[;BYMONTHDAY=d]]        kYearlyByDate
//     FREQ=YEARLY;BYMONTH=m;BYDAY=-1SU              kYearlyByPosition
//
//   each with COUNT or UNTIL or neither, DTSTART being the first occurrence, and every
//   occurrence keeping one time of day on the display clock, inside one day.
//
// EVERYTHING ELSE IS EXPANDED
//   Any other shape is never bent to fit: the event is expanded into one-off appointments with
//   libical's own iterator, and `reason` says why, for --verbose. A case that looks harmless
//   but is not: FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO has the default WKST=MO, so its Sunday
//   belongs to the week of the Monday before it, while the model counts weeks from Sunday:
//   the two disagree on every Sunday, and the event is expanded.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <string>

#include "agent/input/calendar_reader.h"
#include "agent/input/time_zones.h"
#include "dayweave/recurrence_codes.h"

namespace dayweave::agent {

// The recurrence arguments of a recurring appointment apart from its pattern dates.
struct RuleShape {
  RecurrenceType type = kDaily;
  int interval = 1;     // every n days, weeks or months
  long instance = 0;    // by position: kFirstInstance to kFourthInstance, or kLastInstance
  long dayOfMonth = 0;  // kMonthlyByDate (and the start day for kYearlyByDate)
  int days = 0;         // day mask of DayBit values (kWeekdayMask, ...)
};

// The shape of a rule, or why the model cannot hold it.
struct RuleVerdict {
  bool exact = false;
  RuleShape shape;
  std::string reason;
};

// ClassifyRule
// The model's shape for `rule` with DTSTART on the date `start`, judging the rule's parts
// alone.
RuleVerdict ClassifyRule(const icalrecurrencetype& rule, std::chrono::year_month_day start);

struct EventMapping {
  enum Kind { kOneOff, kRecurring, kExpanded };
  Kind kind = kOneOff;

  // kRecurring: the appointment's recurrence arguments 15 to 22.
  RuleShape shape;
  int ends = 0;                             // 1 when the pattern end's date applies
  std::chrono::local_seconds patternStart;  // first occurrence's date and start time
  std::chrono::local_seconds patternEnd;    // last occurrence's date (when ends) and end time

  std::string reason;  // kExpanded: why, as a clause ("it has EXDATE")
};

// MapEvent
// How an event becomes appointments on the wall clock of `display` (named `displayName` in
// reasons); `changes` keeps what it learns about the zones' clock changes.
EventMapping MapEvent(const EventRecord& event, icaltimezone* display,
                      const std::string& displayName, ZoneChanges& changes);

// The most occurrences counted to find the last one of a rule with COUNT or UNTIL; a rule
// that runs longer is expanded instead.
constexpr long kMostCountedOccurrences = 50000;

}  // namespace dayweave::agent
