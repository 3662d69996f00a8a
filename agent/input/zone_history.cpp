#include "agent/input/zone_history.h"

#include <optional>
#include <string>
#include <vector>

#include "agent/input/zone_names.h"
#include "agent/local_time.h"
#include "agent/time_zones.h"

namespace dayweave::agent {

namespace {

// The system's history is added from this year on: before it most places kept local mean
// time, which no calendar program writes.
constexpr int kHistoryFromYear = 1900;

struct Onset {
  std::int64_t wall = 0;  // wall-clock seconds of the observance's DTSTART
  int offsetFrom = 0;     // its TZOFFSETFROM
};

bool IsObservance(icalcomponent* component) {
  const icalcomponent_kind kind = icalcomponent_isa(component);
  return kind == ICAL_XSTANDARD_COMPONENT || kind == ICAL_XDAYLIGHT_COMPONENT;
}

std::int64_t WallSeconds(const icaltimetype& time) {
  return ToSeconds(LocalTime{time.year, time.month, time.day, time.hour, time.minute, time.second});
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
    const icaltimetype time = icalproperty_get_dtstart(start);
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time)) continue;
    const Onset onset{WallSeconds(time), icalproperty_get_tzoffsetfrom(from)};
    if (!first || onset.wall < first->wall) first = onset;
  }
  return first;
}

// An observance that switches from `before` to `after` at the instant `at`.
icalcomponent* Observance(std::int64_t at, int before, int after) {
  icalcomponent* observance =
      icalcomponent_new(after > before ? ICAL_XDAYLIGHT_COMPONENT : ICAL_XSTANDARD_COMPONENT);
  const LocalTime wall = FromSeconds(at + before);
  icaltimetype start = icaltime_null_time();
  start.year = wall.year;
  start.month = wall.month;
  start.day = wall.day;
  start.hour = wall.hour;
  start.minute = wall.minute;
  start.second = wall.second;
  icalcomponent_add_property(observance, icalproperty_new_dtstart(start));
  icalcomponent_add_property(observance, icalproperty_new_tzoffsetfrom(before));
  icalcomponent_add_property(observance, icalproperty_new_tzoffsetto(after));
  return observance;
}

void AddHistory(icalcomponent* zone, ZoneChanges& changes) {
  icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
  if (tzid == nullptr || icalproperty_get_tzid(tzid) == nullptr) return;
  const std::optional<std::string> name = IanaNameIn(icalproperty_get_tzid(tzid));
  if (!name) return;
  icaltimezone* system = FindZone(*name);
  const std::optional<Onset> onset = FirstOnset(zone);
  if (system == nullptr || !onset) return;
  const std::int64_t historyStart = DayNumber(kHistoryFromYear, 1, 1) * kSecondsPerDay;
  const std::int64_t onsetInstant = onset->wall - onset->offsetFrom;
  if (onsetInstant <= historyStart) return;

  // The system's offset at the start of the history, then each of its changes up to the
  // definition's own first onset.
  const int first = OffsetAt(system, historyStart);
  std::vector<icalcomponent*> added{Observance(historyStart, first, first)};
  for (const ZoneChanges::Change& change : changes.Between(system, historyStart, onsetInstant)) {
    added.push_back(Observance(change.at, change.before, change.after));
  }
  for (icalcomponent* observance : added) icalcomponent_add_component(zone, observance);
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
  ZoneChanges changes;
  for (icalcomponent* zone : zones) AddHistory(zone, changes);
}

}  // namespace dayweave::agent
