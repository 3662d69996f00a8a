#include "agent/input/zone_history.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "agent/input/time_zones.h"
#include "agent/input/zone_names.h"

namespace dayweave::agent {

namespace {

using namespace std::chrono;

// The system's history is added from this year on: before it most places kept local mean
// time, which no calendar program writes.
constexpr sys_days kHistoryStart{year{1900} / 1 / 1};

struct Onset {
  local_seconds wall;  // the observance's DTSTART
  seconds offsetFrom;  // its TZOFFSETFROM
};

struct Change {
  sys_seconds at;
  seconds before;
  seconds after;
};

bool IsObservance(icalcomponent* component) {
  const icalcomponent_kind kind = icalcomponent_isa(component);
  return kind == ICAL_XSTANDARD_COMPONENT || kind == ICAL_XDAYLIGHT_COMPONENT;
}

// The wall-clock reading of a date-time, when it names a real date.
std::optional<local_seconds> WallOf(const icaltimetype& time) {
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  if (!date.ok()) return {};
  return local_days{date} + hours{time.hour} + minutes{time.minute} + seconds{time.second};
}

// The earliest onset of the definition, when it has a readable one.
std::optional<Onset> FirstOnset(icalcomponent* zone) {
  std::optional<Onset> first;
  for (icalcomponent* observance = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
       observance != nullptr;
       observance = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
    if (!IsObservance(observance)) continue;
    icalproperty* start = icalcomponent_get_first_property(observance, ICAL_DTSTART_PROPERTY);
    icalproperty* from = icalcomponent_get_first_property(observance, ICAL_TZOFFSETFROM_PROPERTY);
    if (start == nullptr || from == nullptr) continue;
    const std::optional<local_seconds> wall = WallOf(icalproperty_get_dtstart(start));
    if (!wall) continue;
    const Onset onset{*wall, seconds{icalproperty_get_tzoffsetfrom(from)}};
    if (!first || onset.wall < first->wall) first = onset;
  }
  return first;
}

// The system zone's offset at the start of the history, then each of its changes before
// `end`, as changes.
std::vector<Change> SystemHistory(icaltimezone* system, sys_seconds end) {
  const sys_seconds start{kHistoryStart};
  const seconds first = OffsetAt(system, start);
  std::vector<Change> history{Change{start, first, first}};
  ZoneChanges changes;
  for (const ZoneChanges::Change& change : changes.Between(system, start, end)) {
    history.push_back(Change{change.at, change.before, change.after});
  }
  return history;
}

// An observance for a change: its onset is written on the clock of the offset before it.
icalcomponent* Observance(const Change& change) {
  icalcomponent* observance = icalcomponent_new(
      change.after > change.before ? ICAL_XDAYLIGHT_COMPONENT : ICAL_XSTANDARD_COMPONENT);
  const local_seconds onset{(change.at + change.before).time_since_epoch()};
  icalcomponent_add_property(observance, icalproperty_new_dtstart(FloatingTimeOf(onset)));
  icalcomponent_add_property(
      observance, icalproperty_new_tzoffsetfrom(static_cast<int>(change.before.count())));
  icalcomponent_add_property(observance,
                             icalproperty_new_tzoffsetto(static_cast<int>(change.after.count())));
  return observance;
}

void AddHistory(icalcomponent* zone) {
  icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
  if (tzid == nullptr || icalproperty_get_tzid(tzid) == nullptr) return;
  const std::optional<std::string> name = IanaNameIn(icalproperty_get_tzid(tzid));
  if (!name) return;
  icaltimezone* system = FindZone(*name);
  const std::optional<Onset> onset = FirstOnset(zone);
  if (system == nullptr || !onset) return;
  const sys_seconds onsetInstant{onset->wall.time_since_epoch() - onset->offsetFrom};
  if (onsetInstant <= kHistoryStart) return;
  for (const Change& change : SystemHistory(system, onsetInstant)) {
    icalcomponent_add_component(zone, Observance(change));
  }
}

void CollectZones(icalcomponent* component, std::vector<icalcomponent*>& zones) {
  for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
       child != nullptr; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(child) == ICAL_VTIMEZONE_COMPONENT) {
      zones.push_back(child);
    } else {
      CollectZones(child, zones);
    }
  }
}

}  // namespace

void AddZoneHistory(icalcomponent* root) {
  if (root == nullptr) return;
  std::vector<icalcomponent*> zones;
  if (icalcomponent_isa(root) == ICAL_VTIMEZONE_COMPONENT) zones.push_back(root);
  CollectZones(root, zones);
  for (icalcomponent* zone : zones) AddHistory(zone);
}

}  // namespace dayweave::agent
