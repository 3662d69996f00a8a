#include "agent/input/event_times.h"

#include <algorithm>
#include <array>
#include <utility>

#include "agent/input/property_zone.h"

namespace dayweave::agent {

namespace {

struct TimeProperty {
  icalproperty_kind kind;
  const char* name;
};

constexpr std::array<TimeProperty, 5> kTimeProperties = {
    {{ICAL_DTSTART_PROPERTY, "DTSTART"},
     {ICAL_DTEND_PROPERTY, "DTEND"},
     {ICAL_RDATE_PROPERTY, "RDATE"},
     {ICAL_EXDATE_PROPERTY, "EXDATE"},
     {ICAL_RECURRENCEID_PROPERTY, "RECURRENCE-ID"}}};

// A date-time property's value in the zone its TZID names.
icaltimetype Zoned(icalproperty* property, icaltimetype value) {
  return InZone(value, ZoneOfProperty(property));
}

// One note per TZID that names no zone, naming the properties that carry it.
void NoteUnknownZones(icalcomponent* event, std::vector<std::string>& notes) {
  std::vector<std::pair<std::string, std::vector<std::string>>> unknown;  // TZID, properties
  for (const TimeProperty& kind : kTimeProperties) {
    for (icalproperty* p = icalcomponent_get_first_property(event, kind.kind); p != nullptr;
         p = icalcomponent_get_next_property(event, kind.kind)) {
      const PropertyZone zone = ZoneOfProperty(p);
      if (!zone.Unresolved()) continue;
      auto found = std::find_if(unknown.begin(), unknown.end(),
                                [&](const auto& entry) { return entry.first == zone.tzid; });
      if (found == unknown.end()) found = unknown.insert(unknown.end(), {zone.tzid, {}});
      if (found->second.empty() || found->second.back() != kind.name) {
        found->second.push_back(kind.name);
      }
    }
  }
  for (const auto& [tzid, properties] : unknown) {
    std::string names;
    for (std::size_t i = 0; i < properties.size(); ++i) {
      if (i > 0) names += i + 1 == properties.size() ? " and " : ", ";
      names += properties[i];
    }
    notes.push_back("its " + names + (properties.size() > 1 ? " name" : " names") +
                    " the unknown time zone " + tzid +
                    ": read as floating time, on the display clock");
  }
}

}  // namespace

EventTimes ReadEventTimes(icalcomponent* event) {
  EventTimes times;
  icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  if (start == nullptr) return times;
  times.start = Zoned(start, icalproperty_get_dtstart(start));
  NoteUnknownZones(event, times.notes);

  icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
  icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
  if (end != nullptr) {
    times.end = Zoned(end, icalproperty_get_dtend(end));
    if (duration != nullptr)
      times.notes.push_back("it has both DTEND and DURATION: DTEND is taken");
  } else if (duration != nullptr) {
    times.end = icaltime_add(times.start, icalproperty_get_duration(duration));
  } else {
    times.end = times.start;
    if (times.start.is_date) icaltime_adjust(&times.end, 1, 0, 0, 0);
  }
  return times;
}

}  // namespace dayweave::agent
