// The occurrences of an event that the recurrence model cannot hold, one by one, as libical's
// recurrence iterator (or the agent's own expander) gives them, and where they became unknown.
//
//   OccurrenceStream stream(event, display, EventTimeOf(event.start));
//   Occurrence next;
//   while (stream.Next(next)) ...      // in order of their start, on the display clock
//   stream.UncheckedFrom()              // set when the stream stopped early
//
// The occurrences are those of libical's own expansion: the iterator of each RRULE from
// DTSTART (which yields DTSTART only when it fits the rule; the agent's own expander for the
// shapes libical expands wrongly, see input/rule_stream.h), DTSTART itself when there is no
// RRULE, every RDATE (date-times and periods alike on the clock of their TZID), less what
// EXDATE and EXRULE exclude (libical's own test) and the occurrences that a RECURRENCE-ID
// override of the same UID replaces. Each lasts as long as DTSTART to DTEND in real time (an
// RDATE period as long as the period), so an occurrence that spans a clock change keeps its
// real length, as in libical's expansion. An override with RANGE=THISANDFUTURE moves and
// resizes every later occurrence that it reaches (future_changes.h).
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/rule_stream.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

// The most steps (starts drawn from libical's iterator or the agent's own expander) one
// event's stream may take; a stream that needs more stops there, and the time from where it
// stopped is unknown (UncheckedFrom). The cap is on work, not on distance: a rule without
// COUNT starts near the time asked, so only a rule with COUNT, which must be counted from
// DTSTART, or a question over a long range of a very frequent rule, comes near it
// (FREQ=HOURLY;COUNT=200000 from 2018 reaches June 2024 in 56,000 steps).
constexpr long kMostExpansionSteps = 1'000'000;

// One occurrence on the display wall clock.
struct Occurrence {
  std::chrono::local_seconds start;
  std::chrono::local_seconds end;
};

class OccurrenceStream {
 public:
  // The occurrences of `event` on the clock of `display`, skipping what ends before the
  // time `from` of the event's time line where libical can skip (a rule without COUNT), and
  // stopping after `mostSteps` steps of the iterators.
  OccurrenceStream(const EventRecord& event, icaltimezone* display, EventTime from,
                   long mostSteps = kMostExpansionSteps);
  ~OccurrenceStream();
  OccurrenceStream(const OccurrenceStream&) = delete;
  OccurrenceStream& operator=(const OccurrenceStream&) = delete;

  // Next
  // The next occurrence by its start on the event's time line; false when none is left.
  bool Next(Occurrence& occurrence);

  // UncheckedFrom
  // When the stream stopped early (its rules had run past the most steps, or one of them
  // could not be read by libical or by the agent's own expander): the display time from which the
  // event's occurrences are unknown (every occurrence that starts before it has been given).
  std::optional<std::chrono::local_seconds> UncheckedFrom() const { return uncheckedFrom_; }

 private:
  struct Rule {
    std::unique_ptr<RuleStream> stream;
    icaltimetype next{};  // null when the rule is done
  };
  struct Extra {
    icaltimetype start;
    EventTime at;
    std::chrono::seconds length;
  };

  void Advance(Rule& rule);
  void StopAt(std::chrono::local_seconds unchecked);
  bool Excluded(icaltimetype time);
  Occurrence Place(const icaltimetype& time, std::chrono::seconds length) const;

  const EventRecord& event_;
  icaltimezone* display_;
  icaltimetype start_;
  std::chrono::seconds length_;
  std::vector<Rule> rules_;
  std::vector<Extra> extras_;  // DTSTART without RRULE, and the RDATEs, in order
  std::size_t nextExtra_ = 0;
  EventTime last_;
  bool emitted_ = false;
  long steps_ = 0;
  long mostSteps_;
  std::chrono::local_seconds reached_;  // display start of the last occurrence given, or of
                                        // where the stream began
  std::optional<std::chrono::local_seconds> uncheckedFrom_;
};

}  // namespace dayweave::agent
