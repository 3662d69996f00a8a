// A calendar's busy time over a window, read from its events' occurrences as instants.
//
//   InstantClock clock(cache, FindZone("Asia/Tokyo"), 2024y, 2024y);
//   std::vector<std::string> warnings;
//   BusyTime busy = ReadBusyTime(file, clock, {monday, saturday}, warnings);
//
// Each event that blocks time (busy, tentative, out of office: KindOfStatus of its status)
// adds the stretch of each of its occurrences that meets the window. The occurrences are those
// of libical's recurrence expansion, as for the events that the agent expands: every RRULE
// followed from DTSTART (which yields DTSTART only when it fits the rule) by a RuleStream, so
// that the shapes libical expands wrongly are expanded by the agent's own expander, DTSTART
// itself when there is no RRULE, every RDATE, less what EXDATE and EXRULE exclude and the
// occurrences that a RECURRENCE-ID override of the same UID replaces (the override is an event
// of its own); an override with RANGE=THISANDFUTURE moves and resizes the later ones
// (future_changes.h). Each lasts as long as DTSTART to DTEND in real time (an RDATE period its
// own length, on the clock of its TZID). Floating times and dates are read on the clock's
// floating zone, the calendar owner's.
//
// An event whose rules need more than kMostExpansionSteps steps to get through the window, or
// that neither libical nor the agent's expander can read, stops there with a warning; its
// later occurrences would be missing, so a warning says so rather than the answer being
// silently "free".
#pragma once

#include <string>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/instant_clock.h"
#include "agent/schedule/busy_time.h"

namespace dayweave::agent {

// ReadBusyTime
// The busy time of `file` over `window`; warnings are appended to `warnings`.
BusyTime ReadBusyTime(const CalendarFile& file, InstantClock& clock, Interval window,
                      std::vector<std::string>& warnings);

}  // namespace dayweave::agent
