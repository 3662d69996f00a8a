// The zone that a time property's TZID names, found the way calendar programs mean it.
//
//   icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
//   PropertyZone zone = ZoneOfProperty(start);   // DTSTART;TZID=Pacific Standard Time:...
//   zone.zone;                                   // the zone of America/Los_Angeles
//   icaltimetype at = InZone(icalproperty_get_dtstart(start), zone);
//
// A TZID names the calendar's own VTIMEZONE of that TZID when there is one; otherwise the
// system zone that the name stands for (an IANA name, maybe behind an exporter's prefix, or a
// Windows zone name: zone_names.h). libical does the first for DTSTART, DTEND, RDATE and
// EXDATE date-times, but not for RDATE periods and not the second at all: it leaves such
// times without a zone, which reads as floating time. A TZID that names neither is
// unresolved: the caller decides what the time then means, and says so.
#pragma once

#include <libical/ical.h>

#include <string>

namespace dayweave::agent {

struct PropertyZone {
  std::string tzid;              // the TZID parameter; empty when the property has none
  icaltimezone* zone = nullptr;  // the zone it names; null when there is no TZID or none found

  // Unresolved
  // Whether the property has a TZID that names no zone.
  bool Unresolved() const { return !tzid.empty() && zone == nullptr; }
};

// ZoneOfProperty
// The zone of the property's TZID, looked up in the VCALENDAR that holds the property's
// component, then among the system's zones.
PropertyZone ZoneOfProperty(icalproperty* property);

// InZone
// `time` placed in the zone found: unchanged when it is a date, in UTC, or the zone is null.
icaltimetype InZone(icaltimetype time, const PropertyZone& zone);

}  // namespace dayweave::agent
