// What the overrides with RANGE=THISANDFUTURE do to the later occurrences of a series.
//
//   FutureChanges changes;
//   // RECURRENCE-ID;RANGE=THISANDFUTURE:20240605T120000Z, DTSTART 09:00Z, DTEND 16:00Z
//   changes.Add(EventTimeOf(recurrenceId), EventTimeOf(start), 7h);
//   changes.Apply(seventhAtNoon, 2h);   // {7 June 09:00, 7h}
//   changes.Apply(fourthAtNoon, 2h);    // {4 June 12:00, 2h}: before the range
//
// Times are on the series' own time line (time_zones.h): instants for a zoned or UTC series,
// wall-clock readings for a floating one.
// Such an override (RFC 5545 3.8.4.4) replaces its own occurrence like any override, and
// moves every later occurrence by the same shift (its DTSTART less its RECURRENCE-ID) and
// gives it the same length, unless that occurrence has an override of its own, which the
// caller leaves out first. When several such overrides reach an occurrence, the one with the
// latest RECURRENCE-ID at or before the occurrence's original start holds.
#pragma once

#include <chrono>
#include <vector>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

class FutureChanges {
 public:
  struct Placed {
    EventTime start;
    std::chrono::seconds length;
    friend bool operator==(const Placed&, const Placed&) = default;
  };

  // Add
  // An override of the occurrence that originally starts at `recurrenceId`, which now starts
  // at `start` and lasts `length`.
  void Add(EventTime recurrenceId, EventTime start, std::chrono::seconds length);

  // Empty
  // Whether no override reaches beyond its own occurrence.
  bool Empty() const { return changes_.empty(); }

  // Apply
  // Where the occurrence that originally starts at `start` and lasts `length` now lies.
  Placed Apply(EventTime start, std::chrono::seconds length) const;

  // Reach
  // The most by which the end of a moved occurrence lies after its original start (zero when
  // nothing moves): an expansion that skips ahead to an instant must start this much before
  // it to meet every occurrence that was moved there.
  std::chrono::seconds Reach() const;

  // Lead
  // The most by which an occurrence can come before one that precedes it in the original
  // order (zero when nothing moves): the spread of the shifts, no shift included. An
  // expansion that stops at a time must read this much past it to meet every occurrence that
  // was moved before it.
  std::chrono::seconds Lead() const;

 private:
  struct Change {
    EventTime from;
    std::chrono::seconds shift;
    std::chrono::seconds length;
  };
  std::vector<Change> changes_;  // by `from`
};

}  // namespace dayweave::agent
