#include "agent/expansion.h"

#include <algorithm>

#include "agent/time_zones.h"

namespace dayweave::agent {

namespace {

// A time of the event's own clock for an instant: what libical's iterator takes as a start.
icaltimetype OnOwnClock(std::int64_t instant, const icaltimetype& like) {
  icaltimetype time;
  if (IsFloating(like)) {
    const LocalTime local = FromSeconds(instant);
    time = icaltime_null_time();
    time.year = local.year;
    time.month = local.month;
    time.day = local.day;
    time.hour = local.hour;
    time.minute = local.minute;
    time.second = local.second;
  } else {
    time = icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0,
                                         const_cast<icaltimezone*>(like.zone));
  }
  time.is_date = like.is_date;
  if (time.is_date) time.hour = time.minute = time.second = 0;
  return time;
}

std::int64_t Seconds(const icaldurationtype& duration) { return icaldurationtype_as_int(duration); }

}  // namespace

OccurrenceStream::OccurrenceStream(const EventRecord& event, icaltimezone* display,
                                   std::int64_t from, long mostSteps)
    : event_(event),
      display_(display),
      start_(event.start),
      length_(InstantOf(event.end) - InstantOf(event.start)),
      mostSteps_(mostSteps) {
  icalcomponent* component = event.component;
  const std::int64_t first = InstantOf(start_);
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype recurrence = icalproperty_get_rrule(p);
    Rule rule;
    rule.stream = std::make_unique<RuleStream>(recurrence, start_, mostSteps);
    // A rule without COUNT can start late, as libical's own expansion does for a range.
    const std::int64_t skipTo = from - length_;
    const bool hasUntil = !icaltime_is_null_time(recurrence.until);
    if (recurrence.count == 0 && skipTo > first) {
      if (hasUntil && skipTo > InstantOf(recurrence.until)) continue;
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
    if (!icaltime_is_null_time(value.period.start)) {
      // A period: its own start and its own end or duration, on the clock of its TZID.
      icaltimetype periodStart = icalproperty_get_datetime_with_component(p, component);
      if (icaltime_is_null_time(periodStart)) periodStart = value.period.start;
      const std::int64_t instant = InstantOf(periodStart);
      std::int64_t length = Seconds(value.period.duration);
      if (!icaltime_is_null_time(value.period.end)) {
        icaltimetype periodEnd = value.period.end;
        periodEnd.zone = periodStart.zone;
        length = InstantOf(periodEnd) - instant;
      }
      extras_.push_back(Extra{periodStart, instant, std::max<std::int64_t>(length, 0)});
    } else {
      const icaltimetype time = icalproperty_get_datetime_with_component(p, component);
      if (!icaltime_is_null_time(time)) extras_.push_back(Extra{time, InstantOf(time), length_});
    }
  }
  std::stable_sort(extras_.begin(), extras_.end(),
                   [](const Extra& a, const Extra& b) { return a.instant < b.instant; });
}

OccurrenceStream::~OccurrenceStream() = default;

void OccurrenceStream::Advance(Rule& rule) {
  if (++steps_ > mostSteps_) {
    overLimit_ = true;
    for (Rule& each : rules_) each.next = icaltime_null_time();
    nextExtra_ = extras_.size();
    return;
  }
  rule.next = rule.stream->Next();
  if (icaltime_is_null_time(rule.next) && !rule.stream->Complete()) overLimit_ = true;
}

bool OccurrenceStream::Excluded(icaltimetype time) {
  if (icalproperty_recurrence_is_excluded(event_.component, &start_, &time)) return true;
  return std::any_of(event_.overridden.begin(), event_.overridden.end(),
                     [&](const icaltimetype& id) { return icaltime_compare(time, id) == 0; });
}

Occurrence OccurrenceStream::Place(const icaltimetype& time, std::int64_t length) const {
  const std::int64_t instant = InstantOf(time);
  const bool floating = IsFloating(time);
  return Occurrence{ToSeconds(DisplayOfInstant(instant, floating, display_)),
                    ToSeconds(DisplayOfInstant(instant + length, floating, display_))};
}

bool OccurrenceStream::Next(Occurrence& occurrence) {
  for (;;) {
    Rule* earliest = nullptr;
    std::int64_t earliestInstant = 0;
    for (Rule& rule : rules_) {
      if (icaltime_is_null_time(rule.next)) continue;
      const std::int64_t instant = InstantOf(rule.next);
      if (earliest == nullptr || instant < earliestInstant) {
        earliest = &rule;
        earliestInstant = instant;
      }
    }
    const bool extraFirst = nextExtra_ < extras_.size() &&
                            (earliest == nullptr || extras_[nextExtra_].instant <= earliestInstant);
    if (earliest == nullptr && !extraFirst) return false;

    icaltimetype time;
    std::int64_t instant;
    std::int64_t length;
    if (extraFirst) {
      const Extra& extra = extras_[nextExtra_++];
      time = extra.start;
      instant = extra.instant;
      length = extra.length;
    } else {
      time = earliest->next;
      instant = earliestInstant;
      length = length_;
      Advance(*earliest);
    }
    if (Excluded(time) || (emitted_ && instant == lastInstant_)) continue;
    emitted_ = true;
    lastInstant_ = instant;
    occurrence = Place(time, length);
    return true;
  }
}

}  // namespace dayweave::agent
