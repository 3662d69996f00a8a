// The start times of one RRULE of an event, on the clock of its DTSTART: from libical's
// iterator, or from the agent's own expander for the shapes libical expands wrongly
// (libical_rule_faults.h).
//
//   RuleStream rule(icalproperty_get_rrule(p), dtstart, kMostRuleSteps);
//   rule.SkipTo(nearWindow);                 // only a rule without COUNT skips
//   for (icaltimetype t = rule.Next(); !icaltime_is_null_time(t); t = rule.Next()) ...
//   if (!rule.Complete()) ...                // nothing is known from rule.CheckedUntil() on
//
// A stream is complete when it ran to the rule's end. It is not when it stopped on its limit
// of work (libical's steps, or the expander's work) or when neither libical nor the expander
// can read the rule; then every start before CheckedUntil() has been given, and what follows
// is unknown.
#pragma once

#include <libical/ical.h>

#include <memory>
#include <optional>
#include <string>

#include "agent/input/rule_expander.h"

namespace dayweave::agent {

class RuleStream {
 public:
  // `mostSteps` bounds libical's iterator steps, `mostWork` the expander's work.
  RuleStream(const icalrecurrencetype& rule, const icaltimetype& start, long mostSteps,
             long mostWork = kMostRuleWork);
  ~RuleStream();
  RuleStream(const RuleStream&) = delete;
  RuleStream& operator=(const RuleStream&) = delete;

  // SkipTo
  // Leaves out the starts before `from` (a time on DTSTART's clock) where that changes no
  // later start: for a rule without COUNT.
  void SkipTo(const icaltimetype& from);

  // Next
  // The next start, with DTSTART's zone; the null time when none is left or known.
  icaltimetype Next();

  // Complete
  // Whether the stream has given, or will give, every start of the rule from where it began.
  bool Complete() const;

  // CheckedUntil
  // When not complete: the time on DTSTART's clock before which every start has been given;
  // the null time when complete.
  icaltimetype CheckedUntil() const;

 private:
  icaltimetype FromWallClock(std::chrono::local_seconds time) const;

  icaltimetype start_;
  std::string fault_;  // what libical gets wrong in the rule's shape; empty when it reads it
  bool counted_;       // the rule has COUNT
  icalrecur_iterator* iterator_ = nullptr;
  std::unique_ptr<RuleExpander> expander_;
  long steps_ = 0;
  long mostSteps_;
  bool overLimit_ = false;
  icaltimetype last_;  // the last start given, or DTSTART
};

}  // namespace dayweave::agent
