#include "agent/input/property_zone.h"

#include <optional>

#include "agent/input/time_zones.h"
#include "agent/input/zone_names.h"

namespace dayweave::agent {

namespace {

icalcomponent* CalendarOf(icalproperty* property) {
  icalcomponent* component = icalproperty_get_parent(property);
  while (component != nullptr && icalcomponent_isa(component) != ICAL_VCALENDAR_COMPONENT) {
    component = icalcomponent_get_parent(component);
  }
  return component;
}

}  // namespace

PropertyZone ZoneOfProperty(icalproperty* property) {
  PropertyZone found;
  if (property == nullptr) return found;
  icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
  if (tzid == nullptr || icalparameter_get_tzid(tzid) == nullptr) return found;
  found.tzid = icalparameter_get_tzid(tzid);
  if (found.tzid.empty()) return found;
  if (icalcomponent* calendar = CalendarOf(property)) {
    found.zone = icalcomponent_get_timezone(calendar, found.tzid.c_str());
  }
  if (found.zone == nullptr) {
    if (const std::optional<std::string> name = IanaZoneName(found.tzid)) {
      found.zone = FindZone(*name);
    }
  }
  return found;
}

icaltimetype InZone(icaltimetype time, const PropertyZone& zone) {
  if (zone.zone == nullptr || time.is_date || icaltime_is_utc(time)) return time;
  time.zone = zone.zone;
  return time;
}

}  // namespace dayweave::agent
