// Deciding, event by event, whether the library's recurrence model holds an event's rule
// exactly, and with which arguments.
//
//   EventMapping mapping = MapEvent(event, zone);
//   mapping.kind == EventMapping::kRecurring  // FREQ=WEEKLY;BYDAY=MO: type 1, days 2 (Monday)
//   mapping.kind == EventMapping::kExpanded   // mapping.reason: "it has EXDATE"
//
// THE MODEL
//   A recurring appointment of the library repeats daily, weekly (weeks begin on Sunday),
//   monthly on a day of the month or on a position (2nd Tuesday, last weekday), or yearly on
//   a date or a position in one month, with one daily time window of a single day, from a
//   start date to an optional end date. The shapes of RFC 5545 that say exactly this:
//
//     FREQ=DAILY;INTERVAL=n                         daily (type 0)
//     FREQ=WEEKLY;INTERVAL=n[;BYDAY=MO,WE]          weekly (type 1)
//     FREQ=MONTHLY;INTERVAL=n[;BYMONTHDAY=d]        monthly by date (type 2)
//     FREQ=MONTHLY;INTERVAL=n;BYDAY=2TU | -1FR      monthly by position (type 3)
//     FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1 (also SA,SU, all seven, or one day)
//     FREQ=YEARLY[;BYMONTH=m[;BYMONTHDAY=d]]        yearly by date (type 5)
//     FREQ=YEARLY;BYMONTH=m;BYDAY=-1SU              yearly by position (type 6)
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

#include <string>

#include "agent/input/calendar_reader.h"
#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

// The recurrence arguments of a recurring appointment apart from its pattern dates.
struct RuleShape {
  int type = 0;         // 0 daily, 1 weekly, 2 monthly by date, 3 monthly by position,
                        // 5 yearly by date, 6 yearly by position
  int interval = 1;     // every n days, weeks or months
  long instance = 0;    // types 3 and 6: 1 to 4, 5 for the last
  long dayOfMonth = 0;  // type 2 (and the start day for type 5)
  int days = 0;         // day mask: Sunday 1, Monday 2, ... Saturday 64
};

// The shape of a rule, or why the model cannot hold it.
struct RuleVerdict {
  bool exact = false;
  RuleShape shape;
  std::string reason;
};

// ClassifyRule
// The model's shape for `rule` with DTSTART on the given day and month (weekday 1 Sunday ...
// 7 Saturday), judging the rule's parts alone.
RuleVerdict ClassifyRule(const icalrecurrencetype& rule, int startMonth, int startDay,
                         int startWeekday);

struct EventMapping {
  enum Kind { kOneOff, kRecurring, kExpanded };
  Kind kind = kOneOff;

  // kRecurring: the appointment's recurrence arguments 15 to 22.
  RuleShape shape;
  int ends = 0;            // 1 when the pattern end's date applies
  LocalTime patternStart;  // first occurrence's date and start time
  LocalTime patternEnd;    // last occurrence's date (when ends) and end time

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
