// The display zone, and the conversion of calendar times into its wall clock.
//
//   icaltimezone* berlin = FindZone("Europe/Berlin");
//   local_seconds at = ToDisplay(icaltime_from_string("20030113T083000Z"), berlin);  // 09:30
//
// A calendar writes its times in three ways: in UTC, in a named zone (TZID), or floating
// (no zone at all, and every date without a time). The first two name real instants
// (std::chrono::sys_seconds) and are converted to the display zone; floating times name no
// instant, only a wall-clock reading (std::chrono::local_seconds), taken as it is written.
//
// DAYLIGHT SAVING
//   A weekly meeting at 09:00 in New York is at 15:00 in Berlin most of the year, but at 14:00
//   for the weeks of March and of October/November in which one of the two cities has changed
//   its clocks and the other has not. ZoneChanges finds the instants at which a zone's offset
//   changes, so that the rule mapping can tell whether an event keeps one time of day on the
//   display clock over its whole life.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace dayweave::agent {

// FindZone
// The zone of an IANA name ("Europe/Berlin"), or UTC for "UTC", "Etc/UTC", "GMT", "Z" and
// their kin in any case ("utc"); null when libical knows no such zone.
icaltimezone* FindZone(const std::string& name);

// MachineZoneName
// The machine's zone as a name: the TZ variable when it is set and not empty (a leading ':'
// dropped, a path cut after "zoneinfo/"), else the zone that the target of /etc/localtime
// names, else "UTC".
std::string MachineZoneName(const char* tzVariable, const std::string& localtimeTarget);

// IsFloating
// Whether a calendar time is taken as written: a date, or a date-time without a zone.
bool IsFloating(const icaltimetype& time);

// WrittenTime
// A calendar time's reading as written, on its own clock (a date at midnight).
std::chrono::local_seconds WrittenTime(const icaltimetype& time);

// FloatingTimeOf
// The floating date-time that reads `time`: the inverse of WrittenTime for a date-time.
icaltimetype FloatingTimeOf(std::chrono::local_seconds time);

// InstantOf
// The instant of a UTC or zoned calendar time (a floating one is read as if in UTC).
std::chrono::sys_seconds InstantOf(const icaltimetype& time);

// EventTime
// A calendar time on the time line of its event, to order the times of one event and measure
// between them: a UTC or zoned time counts as its instant, a floating one as its wall-clock
// reading, which names no instant. The time line is its own type, so that neither kind can be
// taken for an instant or a display time by mistake.
struct EventTimeline {};
using EventTime = std::chrono::time_point<EventTimeline, std::chrono::seconds>;

// EventTimeOf
// A calendar time's place on its event's time line.
EventTime EventTimeOf(const icaltimetype& time);

// DisplayOf
// The display wall clock at a time of an event's time line: converted from UTC when
// `floating` is false, read as it is when true.
std::chrono::local_seconds DisplayOf(EventTime time, bool floating, icaltimezone* display);

// ToDisplay
// A calendar time on the display wall clock (a date at midnight).
std::chrono::local_seconds ToDisplay(const icaltimetype& time, icaltimezone* display);

// InstantOnClock
// The instant at which the clock of `zone` shows `time` (for a time that a clock change skips
// or repeats, the one libical picks).
std::chrono::sys_seconds InstantOnClock(std::chrono::local_seconds time, icaltimezone* zone);

// OffsetAt
// A zone's offset from UTC at an instant (0 for UTC and for no zone).
std::chrono::seconds OffsetAt(icaltimezone* zone, std::chrono::sys_seconds instant);

// ZoneChanges
// The instants at which zones change their offset from UTC, found once per zone and kept.
class ZoneChanges {
 public:
  struct Change {
    std::chrono::sys_seconds at;  // the first second of the new offset
    std::chrono::seconds before;  // offsets east of UTC
    std::chrono::seconds after;
  };

  // Between
  // The changes of `zone` at instants in [from, to), in order. `to` may be kForever; since
  // zone rules repeat yearly once they stop changing by law, an open stretch yields the
  // changes up to two years past kLastScannedYear (or past `from`), which stand for all the
  // later ones.
  std::vector<Change> Between(icaltimezone* zone, std::chrono::sys_seconds from,
                              std::chrono::sys_seconds to);

 private:
  void Scan(icaltimezone* zone, std::chrono::year first, std::chrono::year end);

  struct Scanned {
    std::chrono::year first{0};
    std::chrono::year end{0};  // exclusive; 0 when nothing is scanned yet
    std::vector<Change> changes;
  };
  std::map<icaltimezone*, Scanned> scanned_;
};

// The year after which zone rules are taken to repeat yearly.
constexpr std::chrono::year kLastScannedYear{2040};

// An instant later than every calendar time.
constexpr std::chrono::sys_seconds kForever = std::chrono::sys_seconds::max();

}  // namespace dayweave::agent
