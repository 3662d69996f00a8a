// Busy time as an iCalendar VFREEBUSY (RFC 5545), the form in which calendar servers and
// clients exchange free/busy time, written with libical.
//
//   BusyTime all = Together({&anaBusy, &boBusy}, from, to);
//   std::string text = FreeBusyCalendar(all, {from, to}, now, FreeBusyUid({"ana.ics", "bo.ics"},
//                                                                          {from, to}));
//   // BEGIN:VCALENDAR ... BEGIN:VFREEBUSY
//   // DTSTAMP:20240301T120000Z  UID:...  DTSTART:20240304T000000Z  DTEND:20240309T000000Z
//   // FREEBUSY;FBTYPE=BUSY:20240304T080000Z/20240304T090000Z
//   // FREEBUSY;FBTYPE=BUSY-UNAVAILABLE:20240305T130000Z/20240305T170000Z ...
//
// Every time is written in UTC. The FREEBUSY periods are the busy time's pieces, one per
// property, in order: disjoint, each under the strongest kind over it (BUSY-UNAVAILABLE for
// out of office, BUSY, BUSY-TENTATIVE), so that a reader never sees one minute twice.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "agent/schedule/busy_time.h"

namespace dayweave::agent {

// FreeBusyUid
// A UID that the same calendars (as named) and window always give, and others almost never.
std::string FreeBusyUid(const std::vector<std::string>& calendars, Interval window);

// FreeBusyCalendar
// A VCALENDAR holding one VFREEBUSY over `window` with the pieces of `busy`, stamped `stamp`.
std::string FreeBusyCalendar(const BusyTime& busy, Interval window, std::chrono::sys_seconds stamp,
                             const std::string& uid);

}  // namespace dayweave::agent
