// When an event starts and ends, read the way its author meant.
//
//   EventTimes times = ReadEventTimes(event);
//   times.start, times.end;     // DTSTART and the end, each with the zone its TZID names
//   times.notes;                // what was read otherwise than written plainly, for a warning
//
// libical reads DTSTART and DTEND with the calendar's own VTIMEZONEs, and gives up on the rest:
// a TZID that names a zone only by an exporter's prefix or a Windows name reads as floating,
// and an event with both DTEND and DURATION (which RFC 5545 forbids, but Thunderbird writes
// in overrides) has no end at all. Here:
//   - a TZID names the zone that property_zone.h finds; one that names no zone at all leaves
//     its time floating, on the display clock, with one note per such TZID naming it and the
//     properties that carry it, RDATE, EXDATE and RECURRENCE-ID included ("its DTSTART and
//     DTEND name the unknown time zone Nowhere/Atlantis: read as floating time, on the
//     display clock");
//   - the end is DTEND; else DTSTART plus DURATION; else, for a date, the next day, and for a
//     date-time, DTSTART itself (an event of no length, RFC 5545 3.6.1);
//   - with both DTEND and DURATION, DTEND is taken, with a note.
#pragma once

#include <libical/ical.h>

#include <string>
#include <vector>

namespace dayweave::agent {

struct EventTimes {
  icaltimetype start = icaltime_null_time();  // null when the event has no DTSTART
  icaltimetype end = icaltime_null_time();
  std::vector<std::string> notes;
};

// ReadEventTimes
// The start and end of a VEVENT as described above.
EventTimes ReadEventTimes(icalcomponent* event);

}  // namespace dayweave::agent
