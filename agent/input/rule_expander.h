// The occurrences of a recurrence rule (RFC 5545 RRULE), computed by the agent itself on the
// wall clock of DTSTART's zone, for the rule shapes that libical expands wrongly
// (libical_rule_faults.h).
//
//   RuleExpander expander(*PartsOf(rule, dtstart), WrittenTime(dtstart), /*allDay=*/false);
//   while (std::optional<std::chrono::local_seconds> next = expander.Next()) ...
//   if (expander.OverLimit()) ...  // stopped on its work limit; nothing past CheckedUntil()
//
// HOW IT WORKS
//   The rule is read period by period: the years of FREQ=YEARLY, the months of MONTHLY, the
//   weeks (from WKST) of WEEKLY, the days, hours, minutes or seconds of the finer frequencies,
//   every INTERVAL-th one from the period that holds DTSTART. Within a period the BY parts
//   are conditions that a day, then a time of day, must meet: a part that RFC 5545 calls an
//   expansion (BYMONTHDAY in a month, BYDAY in a week) keeps every day of the period that
//   meets it, a limiting part drops the days that do not, so both are one test per day. The
//   days that pass, each at every time of BYHOUR x BYMINUTE x BYSECOND (DTSTART's time where
//   a part is missing), are the period's set, in order; BYSETPOS picks positions of that
//   set. What a part leaves unsaid comes from DTSTART: FREQ=YEARLY alone recurs on DTSTART's
//   month and day, FREQ=MONTHLY on its day of the month, FREQ=WEEKLY on its day of the week,
//   FREQ=YEARLY;BYWEEKNO=n on its day of the week in week n, FREQ=YEARLY;BYMONTHDAY=d in its
//   month.
//
//   As libical does, DTSTART is an occurrence only when the rule gives it; COUNT counts the
//   occurrences from DTSTART on, and UNTIL (read on DTSTART's wall clock) is the last time
//   that may occur. A date DTSTART recurs at midnight and ignores BYHOUR, BYMINUTE and
//   BYSECOND.
//
// WEEK NUMBERS
//   Week n of a year is counted from the week (beginning on WKST) that holds 4 January, and a
//   day belongs to the week numbering of the year its week falls mostly in: 30 December 2024
//   is in week 1 (of 2025), and -1 is the last week of that numbering. FREQ=YEARLY;BYWEEKNO=1
//   with DTSTART on Monday 7 January 2013 therefore recurs on 30 December 2013 (week 1 of
//   2014, in the year 2013's period) and on 6 January 2014.
//
// LIMITS
//   Every period read and every candidate time counts as one unit of work; past `mostWork`
//   the expansion stops and says so. A year past 9999 ends it, and so do 400 years of
//   periods without a time (FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30): the calendar repeats
//   itself every 400 years, days of the week included, so such a rule will give no more.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "agent/input/rule_parts.h"

namespace dayweave::agent {

// The work a rule may take by default: about a second of this code.
constexpr long kMostRuleWork = 20'000'000;

class RuleExpander {
 public:
  RuleExpander(RuleParts rule, std::chrono::local_seconds start, bool allDay,
               long mostWork = kMostRuleWork);

  // Next
  // The next occurrence on the wall clock; nothing when the rule has ended or the work
  // limit stopped it.
  std::optional<std::chrono::local_seconds> Next();

  // SkipTo
  // Leaves out the periods that end before `from`, without reading them. Only for a rule
  // without COUNT (whose occurrences do not depend on the earlier ones); ignored otherwise.
  void SkipTo(std::chrono::local_seconds from);

  // OverLimit
  // Whether the expansion stopped on its work limit rather than at the rule's end.
  bool OverLimit() const { return overLimit_; }

  // CheckedUntil
  // Every occurrence before this time has been given by Next (or skipped by SkipTo).
  std::chrono::local_seconds CheckedUntil() const;

 private:
  bool DayMatches(std::chrono::local_days day) const;
  bool WeekNumberMatches(std::chrono::local_days day) const;
  bool DayPartMatches(std::chrono::local_days day) const;
  std::vector<std::chrono::seconds> Offsets() const;
  std::chrono::local_seconds PeriodStart(long long period) const;
  long long PeriodOf(std::chrono::local_seconds time) const;
  void JumpTo(std::chrono::local_seconds time);
  void ReadPeriod();

  RuleParts rule_;
  std::chrono::local_seconds start_;
  bool allDay_;
  bool ordinalsInMonth_;  // BYDAY positions count within the month, not the year
  long mostWork_;
  long work_ = 0;
  long long firstPeriod_;  // the period of DTSTART, in the frequency's own numbering
  long long step_;         // periods from one read period to the next
  long long period_;       // the next period to read
  std::vector<std::chrono::seconds> offsets_;        // see Offsets
  std::vector<std::chrono::local_days> days_;        // the read period's matching days
  std::vector<std::chrono::local_seconds> set_;      // the read period's times
  std::vector<std::chrono::local_seconds> pending_;  // the read period's occurrences, reversed
  std::chrono::local_seconds lastFound_;             // start of the last period that gave a time
  long emitted_ = 0;
  bool done_ = false;
  bool overLimit_ = false;
};

}  // namespace dayweave::agent
