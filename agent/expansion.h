// The occurrences of an event that the recurrence model cannot hold, one by one, as libical's
// recurrence iterator gives them.
//
//   OccurrenceStream stream(event, display, from);
//   Occurrence next;
//   while (stream.Next(next)) ...      // in order of their start, on the display clock
//
// The occurrences are those of libical's own expansion: the iterator of each RRULE from
// DTSTART (which yields DTSTART only when it fits the rule; the agent's own expander for the
// shapes libical expands wrongly, see input/rule_stream.h), DTSTART itself when there is no
// RRULE, every RDATE, less what EXDATE and EXRULE exclude (libical's own test) and the
// occurrences that a RECURRENCE-ID override of the same UID replaces. Each lasts as long as
// DTSTART to DTEND in real time (an RDATE period as long as the period), so an occurrence that
// spans a clock change keeps its real length, as in libical's expansion.
#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "agent/calendar_reader.h"
#include "agent/input/rule_stream.h"

namespace dayweave::agent {

// The most iterator steps one event may take; an event that needs more stops there. A rule
// that recurs every second or minute would otherwise let a small file occupy the agent for
// minutes; a rule of realistic frequency never comes near it within the ranges asked.
constexpr long kMostExpansionSteps = 50000;

struct Occurrence {
  std::int64_t start = 0;  // display wall-clock seconds (see local_time.h)
  std::int64_t end = 0;
};

class OccurrenceStream {
 public:
  // The occurrences of `event` on the clock of `display`, skipping what ends before the
  // instant `from` where libical can skip (a rule without COUNT), and stopping after
  // `mostSteps` steps of the iterators.
  OccurrenceStream(const EventRecord& event, icaltimezone* display, std::int64_t from,
                   long mostSteps = kMostExpansionSteps);
  ~OccurrenceStream();
  OccurrenceStream(const OccurrenceStream&) = delete;
  OccurrenceStream& operator=(const OccurrenceStream&) = delete;

  // Next
  // The next occurrence by start instant; false when none is left.
  bool Next(Occurrence& occurrence);

  // OverLimit
  // Whether the stream stopped early because its rules had run past the most steps.
  bool OverLimit() const { return overLimit_; }

 private:
  struct Rule {
    std::unique_ptr<RuleStream> stream;
    icaltimetype next{};  // null when the rule is done
  };
  struct Extra {
    icaltimetype start;
    std::int64_t instant;
    std::int64_t length;
  };

  void Advance(Rule& rule);
  bool Excluded(icaltimetype time);
  Occurrence Place(const icaltimetype& time, std::int64_t length) const;

  const EventRecord& event_;
  icaltimezone* display_;
  icaltimetype start_;
  std::int64_t length_;
  std::vector<Rule> rules_;
  std::vector<Extra> extras_;  // DTSTART without RRULE, and the RDATEs, by instant
  std::size_t nextExtra_ = 0;
  std::int64_t lastInstant_ = 0;
  bool emitted_ = false;
  long steps_ = 0;
  long mostSteps_;
  bool overLimit_ = false;
};

}  // namespace dayweave::agent
