// The history before a calendar's own zone definition begins.
//
//   icalcomponent* root = icalparser_parse_string(text);
//   AddZoneHistory(root);       // before any time of the calendar is converted
//
// A VTIMEZONE describes a zone from the onset of its first observance on; RFC 5545 says
// nothing of the times before. Exporters often write only the rules of recent years (a
// Europe/Berlin that starts in October 2018), and libical then reads every earlier time with
// the first observance's TZOFFSETFROM: summer time carried back into every earlier winter.
//
// WHICH CLOCK HOLDS BEFORE THE FIRST ONSET
//   When the TZID spells an IANA zone (as written or behind an exporter's prefix, see
//   zone_names.h), times before the first onset follow the system's zone database for that
//   zone, back to 1900: each change of the system zone before the onset is added to the
//   definition as an observance of its own, so that libical, the recurrence iterator and every
//   conversion read those times on the real clock. A Europe/Berlin defined from 2018 on puts
//   3 December 2016 14:00 at 13:00 UTC, and 4 July 2016 14:00 at 12:00 UTC.
//   For any other name (Windows names, "Office Time") the first observance's TZOFFSETFROM
//   holds before its onset, as libical reads it already.
#pragma once

#include <libical/ical.h>

namespace dayweave::agent {

// AddZoneHistory
// Completes every VTIMEZONE of the calendar `root` as described above.
void AddZoneHistory(icalcomponent* root);

}  // namespace dayweave::agent
