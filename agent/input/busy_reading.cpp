#include "agent/input/busy_reading.h"

#include <algorithm>
#include <chrono>

#include "agent/input/expansion.h"
#include "agent/input/property_zone.h"
#include "agent/input/rule_stream.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

using std::chrono::seconds;
using std::chrono::sys_seconds;

// The occurrences of one event that meet a window, each as its start and length.
class EventOccurrences {
 public:
  EventOccurrences(const EventRecord& event, InstantClock& clock, Interval window)
      : event_(event), clock_(clock), window_(window) {
    start_ = clock.InstantOf(event.start);
    length_ = clock.InstantOf(event.end) - start_;
  }

  // Collect
  // Appends the occurrences' stretches of `kind`; false when a rule ran out of steps.
  bool Collect(BusyKind kind, std::vector<BusyInterval>& out) {
    icalcomponent* component = event_.component;
    bool complete = true;
    bool hasRule = false;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
      hasRule = true;
      complete = FollowRule(icalproperty_get_rrule(p)) && complete;
    }
    if (!hasRule) Add(event_.start, start_, length_);
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY);
         p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
      AddRdate(p);
    }
    std::sort(found_.begin(), found_.end(),
              [](const Found& a, const Found& b) { return a.start < b.start; });
    // The same instant from two rules, or from a rule and an RDATE, is one occurrence.
    sys_seconds last = sys_seconds::min();
    for (const Found& each : found_) {
      if (each.start == last) continue;
      last = each.start;
      out.push_back(BusyInterval{each.start, each.start + each.length, kind});
    }
    return complete;
  }

 private:
  struct Found {
    sys_seconds start;
    seconds length;
  };

  bool FollowRule(const icalrecurrencetype& recurrence) {
    // A rule never yields a time before DTSTART; setting up its stream costs more than the
    // comparison that spares it.
    if (start_ >= window_.end) return true;
    // A rule without COUNT can start late, as libical's own expansion does for a range; the
    // day's margin covers any offset between the event's clock and UTC, and an occurrence
    // that a RANGE=THISANDFUTURE override moved may reach further.
    const sys_seconds skipTo =
        window_.start - std::max(length_, event_.future.Reach()) - std::chrono::days{1};
    const bool skips = recurrence.count == 0 && skipTo > start_;
    if (skips && !icaltime_is_null_time(recurrence.until) &&
        clock_.InstantOf(recurrence.until) < skipTo) {
      return true;
    }
    RuleStream rule(recurrence, event_.start, kMostExpansionSteps);
    if (skips) rule.SkipTo(OnEventClock(skipTo));
    for (icaltimetype next = rule.Next(); !icaltime_is_null_time(next); next = rule.Next()) {
      const sys_seconds at = clock_.InstantOf(next);
      if (at >= window_.end) return true;
      Add(next, at, length_);
    }
    return rule.Complete();
  }

  // An RDATE on the clock of its TZID (property_zone.h), a period with its own length.
  void AddRdate(icalproperty* property) {
    const icaldatetimeperiodtype value = icalproperty_get_rdate(property);
    const PropertyZone zone = ZoneOfProperty(property);
    if (icaltime_is_null_time(value.period.start)) {
      if (icaltime_is_null_time(value.time)) return;
      const icaltimetype time = InZone(value.time, zone);
      Add(time, clock_.InstantOf(time), length_);
      return;
    }
    const icaltimetype start = InZone(value.period.start, zone);
    const sys_seconds at = clock_.InstantOf(start);
    seconds length{icaldurationtype_as_int(value.period.duration)};
    if (!icaltime_is_null_time(value.period.end)) {
      length = clock_.InstantOf(InZone(value.period.end, zone)) - at;
    }
    Add(start, at, std::max(length, seconds{0}));
  }

  // An occurrence at `time` (the instant `at`), unless excluded or outside the window; one
  // that an override with RANGE=THISANDFUTURE reaches lies where the override moved it.
  void Add(icaltimetype time, sys_seconds at, seconds length) {
    if (!event_.future.Empty()) {
      const EventTime original = EventTimeOf(time);
      const FutureChanges::Placed placed = event_.future.Apply(original, length);
      if (IsFloating(time)) {
        // A floating series moves on the owner's clock; a date moves by whole days only.
        const seconds shift = placed.start - original;
        const auto wholeDays = std::chrono::duration_cast<std::chrono::days>(shift);
        icaltimetype moved = time;
        icaltime_adjust(&moved, static_cast<int>(wholeDays.count()), 0, 0,
                        static_cast<int>((shift - wholeDays).count()));
        at = clock_.InstantOf(moved);
      } else {
        at += placed.start - original;
      }
      length = placed.length;
    }
    if (at >= window_.end || at + length <= window_.start) return;
    icaltimetype first = event_.start;
    if (icalproperty_recurrence_is_excluded(event_.component, &first, &time)) return;
    for (const icaltimetype& id : event_.overridden) {
      if (icaltime_compare(time, id) == 0) return;
    }
    found_.push_back(Found{at, length});
  }

  // The event's own clock at an instant: what libical's iterator takes as a start.
  icaltimetype OnEventClock(sys_seconds instant) const {
    const auto when = static_cast<time_t>(instant.time_since_epoch().count());
    icaltimetype time = icaltime_from_timet_with_zone(
        when, 0,
        event_.start.zone != nullptr ? const_cast<icaltimezone*>(event_.start.zone)
                                     : icaltimezone_get_utc_timezone());
    time.zone = event_.start.zone;
    time.is_date = event_.start.is_date;
    if (time.is_date) time.hour = time.minute = time.second = 0;
    return time;
  }

  const EventRecord& event_;
  InstantClock& clock_;
  Interval window_;
  sys_seconds start_;
  seconds length_{0};
  std::vector<Found> found_;
};

}  // namespace

BusyTime ReadBusyTime(const CalendarFile& file, InstantClock& clock, Interval window,
                      std::vector<std::string>& warnings) {
  std::vector<BusyInterval> occupied;
  for (const EventRecord& event : file.events) {
    const std::optional<BusyKind> kind = KindOfStatus(event.status);
    if (!kind) continue;
    EventOccurrences occurrences(event, clock, window);
    if (!occurrences.Collect(*kind, occupied)) {
      warnings.push_back(EventLabel(file.name, event) +
                         ": its rule could not be followed through the window (more than " +
                         std::to_string(kMostExpansionSteps) +
                         " steps, or a rule neither libical nor the agent reads); later "
                         "occurrences are left out");
    }
  }
  return BusyTime(std::move(occupied), window.start, window.end);
}

}  // namespace dayweave::agent
