// A calendar's busy time over a window, read from its events' occurrences as instants.
//
//   InstantClock clock(cache, FindZone("Asia/Tokyo"), 2024y, 2024y);
//   std::vector<std::string> warnings;
//   BusyTime busy = ReadBusyTime(file, clock, {monday, saturday}, warnings);
//
// Each event that blocks time (busy, tentative, out of office: KindOfStatus of its status)
// adds the stretch of each of its occurrences that meets the window. The occurrences are those
// of the same expansion as for the events that the agent expands: every RRULE's starts
// (rule_stream.h) from DTSTART, DTSTART itself when there is no RRULE, every RDATE on the clock
// of its own TZID, less what EXDATE and EXRULE exclude and the occurrences that a RECURRENCE-ID
// override of the same UID replaces (the override is an event of its own), moved and resized
// by the overrides with RANGE=THISANDFUTURE. Each lasts as long as DTSTART to DTEND in real
// time (an RDATE period its own length); an occurrence of no length takes no time. Floating
// times and dates are read on the clock's floating zone, the calendar owner's.
//
// An event whose rule cannot be read, or needs more than kMostExpansionSteps steps to get
// through the window, is busy from where its expansion stopped to the window's end, and a
// warning names it: time that could not be checked is never answered free.
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
