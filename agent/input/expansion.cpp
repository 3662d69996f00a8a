#include "agent/input/expansion.h"

#include <algorithm>

#include "agent/input/property_zone.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

using std::chrono::seconds;

namespace {

// A time of the event's own clock for a time of its time line: what libical's iterator takes
// as a start.
icaltimetype OnOwnClock(EventTime at, const icaltimetype& like) {
  icaltimetype time;
  if (IsFloating(like)) {
    time = FloatingTimeOf(std::chrono::local_seconds{at.time_since_epoch()});
  } else {
    time = icaltime_from_timet_with_zone(static_cast<time_t>(at.time_since_epoch().count()), 0,
                                         const_cast<icaltimezone*>(like.zone));
  }
  time.is_date = like.is_date;
  if (time.is_date) time.hour = time.minute = time.second = 0;
  return time;
}

seconds Seconds(const icaldurationtype& duration) {
  return seconds{icaldurationtype_as_int(duration)};
}

}  // namespace

OccurrenceStream::OccurrenceStream(const EventRecord& event, icaltimezone* display, EventTime from,
                                   long mostSteps)
    : event_(event),
      display_(display),
      start_(event.start),
      length_(EventTimeOf(event.end) - EventTimeOf(event.start)),
      mostSteps_(mostSteps) {
  icalcomponent* component = event.component;
  const EventTime first = EventTimeOf(start_);
  reached_ = Place(OnOwnClock(std::max(first, from - length_), start_), seconds{0}).start;
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype recurrence = icalproperty_get_rrule(p);
    Rule rule;
    rule.stream = std::make_unique<RuleStream>(recurrence, start_, mostSteps);
    // A rule without COUNT can start late, as libical's own expansion does for a range.
    // An occurrence that a RANGE=THISANDFUTURE override moved may reach further.
    const EventTime skipTo = from - std::max(length_, event.future.Reach());
    const bool hasUntil = !icaltime_is_null_time(recurrence.until);
    if (recurrence.count == 0 && skipTo > first) {
      if (hasUntil && skipTo > EventTimeOf(recurrence.until)) continue;
      rule.stream->SkipTo(OnOwnClock(skipTo, start_));
    }
    rules_.push_back(std::move(rule));
    Advance(rules_.back());
  }
  if (icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY) == nullptr) {
    extras_.push_back(Extra{start_, first, length_});
  }
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
    const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
    const PropertyZone zone = ZoneOfProperty(p);
    if (!icaltime_is_null_time(value.period.start)) {
      // A period: its own start and its own end or duration, on the clock of its TZID.
      const icaltimetype periodStart = InZone(value.period.start, zone);
      const EventTime at = EventTimeOf(periodStart);
      seconds length = Seconds(value.period.duration);
      if (!icaltime_is_null_time(value.period.end)) {
        length = EventTimeOf(InZone(value.period.end, zone)) - at;
      }
      extras_.push_back(Extra{periodStart, at, std::max(length, seconds{0})});
    } else if (!icaltime_is_null_time(value.time)) {
      const icaltimetype time = InZone(value.time, zone);
      extras_.push_back(Extra{time, EventTimeOf(time), length_});
    }
  }
  std::stable_sort(extras_.begin(), extras_.end(),
                   [](const Extra& a, const Extra& b) { return a.at < b.at; });
}

OccurrenceStream::~OccurrenceStream() = default;

void OccurrenceStream::StopAt(std::chrono::local_seconds unchecked) {
  uncheckedFrom_ = uncheckedFrom_ ? std::min(*uncheckedFrom_, unchecked) : unchecked;
}

void OccurrenceStream::Advance(Rule& rule) {
  if (++steps_ > mostSteps_) {
    StopAt(reached_);
    for (Rule& each : rules_) each.next = icaltime_null_time();
    nextExtra_ = extras_.size();
    return;
  }
  rule.next = rule.stream->Next();
  if (icaltime_is_null_time(rule.next) && !rule.stream->Complete()) {
    StopAt(std::max(reached_, Place(rule.stream->CheckedUntil(), seconds{0}).start));
  }
}

bool OccurrenceStream::Excluded(icaltimetype time) {
  if (icalproperty_recurrence_is_excluded(event_.component, &start_, &time)) return true;
  return std::any_of(event_.overridden.begin(), event_.overridden.end(),
                     [&](const icaltimetype& id) { return icaltime_compare(time, id) == 0; });
}

Occurrence OccurrenceStream::Place(const icaltimetype& time, seconds length) const {
  // An override with RANGE=THISANDFUTURE may have moved and resized the occurrence.
  const FutureChanges::Placed placed = event_.future.Apply(EventTimeOf(time), length);
  const bool floating = IsFloating(time);
  return Occurrence{DisplayOf(placed.start, floating, display_),
                    DisplayOf(placed.start + placed.length, floating, display_)};
}

bool OccurrenceStream::Next(Occurrence& occurrence) {
  for (;;) {
    Rule* earliest = nullptr;
    EventTime earliestAt;
    for (Rule& rule : rules_) {
      if (icaltime_is_null_time(rule.next)) continue;
      const EventTime at = EventTimeOf(rule.next);
      if (earliest == nullptr || at < earliestAt) {
        earliest = &rule;
        earliestAt = at;
      }
    }
    const bool extraFirst = nextExtra_ < extras_.size() &&
                            (earliest == nullptr || extras_[nextExtra_].at <= earliestAt);
    if (earliest == nullptr && !extraFirst) return false;

    icaltimetype time;
    EventTime at;
    seconds length;
    if (extraFirst) {
      const Extra& extra = extras_[nextExtra_++];
      time = extra.start;
      at = extra.at;
      length = extra.length;
    } else {
      time = earliest->next;
      at = earliestAt;
      length = length_;
      // Every start before this one has been given, whatever the next step finds.
      reached_ = Place(time, seconds{0}).start;
      Advance(*earliest);
    }
    if (Excluded(time) || (emitted_ && at == last_)) continue;
    emitted_ = true;
    last_ = at;
    occurrence = Place(time, length);
    reached_ = occurrence.start;
    return true;
  }
}

}  // namespace dayweave::agent
