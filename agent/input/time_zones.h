// The display zone, and the conversion of calendar times into its wall clock.
//
//   icaltimezone* berlin = FindZone("Europe/Berlin");
//   LocalTime at = ToDisplay(icaltime_from_string("20030113T083000Z"), berlin);   // 09:30
//
// A calendar writes its times in three ways: in UTC, in a named zone (TZID), or floating
// (no zone at all, and every date without a time). The first two name real instants and are
// converted to the display zone; floating times are taken as they are written.
//
// DAYLIGHT SAVING
//   A weekly meeting at 09:00 in New York is at 15:00 in Berlin most of the year, but at 14:00
//   for the weeks of March and of October/November in which one of the two cities has changed
//   its clocks and the other has not. ZoneChanges finds the instants at which a zone's offset
//   changes, so that the rule mapping can tell whether an event keeps one time of day on the
//   display clock over its whole life.
#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "agent/input/local_time.h"

namespace dayweave::agent {

// FindZone
// The zone of an IANA name ("Europe/Berlin"), or UTC for "UTC", "Etc/UTC", "GMT" and their
// kin; null when libical knows no such zone.
icaltimezone* FindZone(const std::string& name);

// MachineZoneName
// The machine's zone as a name: the TZ variable when it is set and not empty (a leading ':'
// dropped, a path cut after "zoneinfo/"), else the zone that the target of /etc/localtime
// names, else "UTC".
std::string MachineZoneName(const char* tzVariable, const std::string& localtimeTarget);

// IsFloating
// Whether a calendar time is taken as written: a date, or a date-time without a zone.
bool IsFloating(const icaltimetype& time);

// InstantOf
// Seconds since 1970 of a calendar time: the real instant of a UTC or zoned time, the
// wall-clock reading of a floating one.
std::int64_t InstantOf(const icaltimetype& time);

// DisplayOfInstant
// The display wall clock at an instant given as InstantOf gives it: converted from UTC when
// `floating` is false, read as it is when true.
LocalTime DisplayOfInstant(std::int64_t instant, bool floating, icaltimezone* display);

// ToDisplay
// A calendar time on the display wall clock (a date at midnight).
LocalTime ToDisplay(const icaltimetype& time, icaltimezone* display);

// OffsetAt
// A zone's offset from UTC in seconds at a UTC instant (0 for UTC and for no zone).
int OffsetAt(icaltimezone* zone, std::int64_t instant);

// ZoneChanges
// The instants at which zones change their offset from UTC, found once per zone and kept.
class ZoneChanges {
 public:
  struct Change {
    std::int64_t at;  // the first second of the new offset
    int before;       // offsets in seconds east of UTC
    int after;
  };

  // Between
  // The changes of `zone` at instants in [from, to), in order. `to` may be kForever; since
  // zone rules repeat yearly once they stop changing by law, an open stretch yields the
  // changes up to two years past kLastScannedYear (or past `from`), which stand for all the
  // later ones.
  std::vector<Change> Between(icaltimezone* zone, std::int64_t from, std::int64_t to);

 private:
  void Scan(icaltimezone* zone, int firstYear, int endYear);

  struct Scanned {
    int firstYear = 0;
    int endYear = 0;  // exclusive
    std::vector<Change> changes;
  };
  std::map<icaltimezone*, Scanned> scanned_;
};

// The year after which zone rules are taken to repeat yearly.
constexpr int kLastScannedYear = 2040;

// An instant later than every calendar time.
constexpr std::int64_t kForever = INT64_MAX;

}  // namespace dayweave::agent
