// The occurrences of an event that the recurrence model cannot hold, one by one, as libical's
// recurrence iterator gives them.
//
//   OccurrenceStream stream(event, display, EventTimeOf(event.start));
//   Occurrence next;
//   while (stream.Next(next)) ...      // in order of their start, on the display clock
//
// The occurrences are those of libical's own expansion: the iterator of each RRULE from
// DTSTART (which yields DTSTART only when it fits the rule), DTSTART itself when there is no
// RRULE, every RDATE, less what EXDATE and EXRULE exclude (libical's own test) and the
// occurrences that a RECURRENCE-ID override of the same UID replaces. Each lasts as long as
// DTSTART to DTEND in real time (an RDATE period as long as the period), so an occurrence that
// spans a clock change keeps its real length, as in libical's expansion.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

// The most iterator steps one event may take; an event that needs more stops there. A rule
// that recurs every second or minute would otherwise let a small file occupy the agent for
// minutes; a rule of realistic frequency never comes near it within the ranges asked.
constexpr long kMostExpansionSteps = 50000;

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

  // OverLimit
  // Whether the stream stopped early because its rules had run past the most steps.
  bool OverLimit() const { return overLimit_; }

 private:
  struct Rule {
    icalrecur_iterator* iterator = nullptr;
    icaltimetype next{};  // null when the rule is done
  };
  struct Extra {
    icaltimetype start;
    EventTime at;
    std::chrono::seconds length;
  };

  void Advance(Rule& rule);
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
  bool overLimit_ = false;
};

}  // namespace dayweave::agent
