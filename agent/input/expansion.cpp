#include "agent/input/expansion.h"

#include <algorithm>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

using std::chrono::seconds;

namespace {

// A time of the event's own clock for a time of its time line: what libical's iterator takes
// as a start.
icaltimetype OnOwnClock(EventTime at, const icaltimetype& like) {
  icaltimetype time;
  if (IsFloating(like)) {
    const std::chrono::local_seconds reading{at.time_since_epoch()};
    const std::chrono::local_days day = std::chrono::floor<std::chrono::days>(reading);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss<seconds> clock{reading - day};
    time = icaltime_null_time();
    time.year = static_cast<int>(date.year());
    time.month = static_cast<int>(unsigned{date.month()});
    time.day = static_cast<int>(unsigned{date.day()});
    time.hour = static_cast<int>(clock.hours().count());
    time.minute = static_cast<int>(clock.minutes().count());
    time.second = static_cast<int>(clock.seconds().count());
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
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype recurrence = icalproperty_get_rrule(p);
    Rule rule;
    rule.iterator = icalrecur_iterator_new(recurrence, start_);
    if (rule.iterator == nullptr) continue;
    // libical can start a rule without COUNT late, as its own expansion does for a range.
    const EventTime skipTo = from - length_;
    const bool hasUntil = !icaltime_is_null_time(recurrence.until);
    if (recurrence.count == 0 && skipTo > first) {
      if (hasUntil && skipTo > EventTimeOf(recurrence.until)) {
        icalrecur_iterator_free(rule.iterator);
        continue;
      }
      icalrecur_iterator_set_start(rule.iterator, OnOwnClock(skipTo, start_));
    }
    rules_.push_back(rule);
    Advance(rules_.back());
  }
  if (icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY) == nullptr) {
    extras_.push_back(Extra{start_, first, length_});
  }
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
    const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
    if (!icaltime_is_null_time(value.period.start)) {
      // A period: its own start and its own end or duration, on the clock of its TZID.
      icaltimetype periodStart = icalproperty_get_datetime_with_component(p, component);
      if (icaltime_is_null_time(periodStart)) periodStart = value.period.start;
      const EventTime at = EventTimeOf(periodStart);
      seconds length = Seconds(value.period.duration);
      if (!icaltime_is_null_time(value.period.end)) {
        icaltimetype periodEnd = value.period.end;
        periodEnd.zone = periodStart.zone;
        length = EventTimeOf(periodEnd) - at;
      }
      extras_.push_back(Extra{periodStart, at, std::max(length, seconds{0})});
    } else {
      const icaltimetype time = icalproperty_get_datetime_with_component(p, component);
      if (!icaltime_is_null_time(time)) extras_.push_back(Extra{time, EventTimeOf(time), length_});
    }
  }
  std::stable_sort(extras_.begin(), extras_.end(),
                   [](const Extra& a, const Extra& b) { return a.at < b.at; });
}

OccurrenceStream::~OccurrenceStream() {
  for (Rule& rule : rules_) icalrecur_iterator_free(rule.iterator);
}

void OccurrenceStream::Advance(Rule& rule) {
  if (++steps_ > mostSteps_) {
    overLimit_ = true;
    for (Rule& each : rules_) each.next = icaltime_null_time();
    nextExtra_ = extras_.size();
    return;
  }
  rule.next = icalrecur_iterator_next(rule.iterator);
  rule.next.zone = start_.zone;
}

bool OccurrenceStream::Excluded(icaltimetype time) {
  if (icalproperty_recurrence_is_excluded(event_.component, &start_, &time)) return true;
  return std::any_of(event_.overridden.begin(), event_.overridden.end(),
                     [&](const icaltimetype& id) { return icaltime_compare(time, id) == 0; });
}

Occurrence OccurrenceStream::Place(const icaltimetype& time, seconds length) const {
  const EventTime at = EventTimeOf(time);
  const bool floating = IsFloating(time);
  return Occurrence{DisplayOf(at, floating, display_), DisplayOf(at + length, floating, display_)};
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
      Advance(*earliest);
    }
    if (Excluded(time) || (emitted_ && at == last_)) continue;
    emitted_ = true;
    last_ = at;
    occurrence = Place(time, length);
    return true;
  }
}

}  // namespace dayweave::agent
