#include "agent/schedule/schedule.h"

#include <algorithm>

#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

// Appointments have no expiry of their own in a calendar file.
COleDateTime NoExpiry() {
  COleDateTime none;
  none.SetStatus(COleDateTime::null);
  return none;
}

CAppointment OneOff(const EventRecord& event, local_seconds start, local_seconds end,
                    long duration) {
  return CAppointment(event.index, event.subject, event.body, event.location, event.required,
                      event.optional, ToOle(start), ToOle(end), duration, event.reminderFlag,
                      event.reminder, event.status, NoExpiry(), event.attribute);
}

CAppointment RecurringAppointment(const EventRecord& event, const EventMapping& mapping,
                                  local_seconds start, local_seconds end) {
  const RuleShape& shape = mapping.shape;
  return CAppointment(event.index, event.subject, event.body, event.location, event.required,
                      event.optional, ToOle(start), ToOle(end), event.duration, event.reminderFlag,
                      event.reminder, event.status, NoExpiry(), event.attribute, shape.type,
                      shape.interval, shape.instance, mapping.ends, ToOle(mapping.patternStart),
                      ToOle(mapping.patternEnd), shape.dayOfMonth, shape.days);
}

bool ByEventThenStart(const Appointment* a, const Appointment* b) {
  if (a->event->index != b->event->index) return a->event->index < b->event->index;
  return a->start < b->start;
}

}  // namespace

bool Meets(local_seconds start, local_seconds end, local_days day) {
  return start < day + days{1} && (end > day || start >= day);
}

Appointment OccurrenceAppointment(const EventRecord& event, const Occurrence& occurrence) {
  // Each occurrence lasts its own time: an RDATE period its own length, and an occurrence
  // that a clock change lengthens or shortens on the display clock its length there.
  const long length = static_cast<long>(floor<minutes>(occurrence.end - occurrence.start).count());
  return Appointment{OneOff(event, occurrence.start, occurrence.end, length), &event,
                     occurrence.start, occurrence.end};
}

Schedule::Schedule(const CalendarFile& file, icaltimezone* display, std::string displayName)
    : file_(file), display_(display), displayName_(std::move(displayName)) {
  ZoneChanges changes;
  for (const EventRecord& event : file.events) {
    const EventMapping mapping = MapEvent(event, display, displayName_, changes);
    if (mapping.kind == EventMapping::kExpanded) {
      expanded_.push_back(ExpandedEvent{&event, mapping.reason});
      continue;
    }
    const local_seconds start = ToDisplay(event.start, display);
    const local_seconds end = ToDisplay(event.end, display);
    const bool recurring = mapping.kind == EventMapping::kRecurring;
    if (!LibraryHolds(start) || !LibraryHolds(end) ||
        (recurring && !LibraryHolds(mapping.patternEnd))) {
      warnings_.push_back(EventLabel(file.name, event) + " skipped: on the " + displayName_ +
                          " clock it lies outside the years 100 to 9999");
      continue;
    }
    if (recurring) {
      recurring_.push_back(
          Appointment{RecurringAppointment(event, mapping, start, end), &event, start, end});
    } else {
      oneOffs_.push_back(
          Appointment{OneOff(event, start, end, event.duration), &event, start, end});
    }
  }
  std::stable_sort(oneOffs_.begin(), oneOffs_.end(),
                   [](const Appointment& a, const Appointment& b) { return a.start < b.start; });
}

std::vector<std::string> Schedule::ExpansionNotes() const {
  std::vector<std::string> notes;
  for (const ExpandedEvent& expanded : expanded_) {
    notes.push_back(EventLabel(file_.name, *expanded.event) +
                    " is expanded into one-off appointments: " + expanded.reason);
  }
  return notes;
}

DaySweep::DaySweep(const Schedule& schedule, local_days firstDay) : schedule_(schedule) {
  // Two days before the first day's wall-clock start is before its start on any event's time
  // line: a zone's offset is less than a day, and a floating time is read as written.
  const EventTime from{(firstDay - days{2}).time_since_epoch()};
  for (const ExpandedEvent& expanded : schedule.Expanded()) {
    streams_.push_back(Stream{expanded.event, std::make_unique<OccurrenceStream>(
                                                  *expanded.event, schedule.Display(), from)});
  }
}

// The time of an event from where its expansion stopped on, as one busy (or, for a free
// event, free) stretch to the library's last second: what the agent could not check is never
// answered free.
void DaySweep::AddUnchecked(const Stream& stream, local_seconds from) {
  const local_seconds last = local_days{year{9999} / December / 31} + days{1} - seconds{1};
  const local_seconds start = std::max(from, local_seconds{local_days{year{100} / January / 1}});
  warnings_.push_back(EventLabel(schedule_.File().name, *stream.event) +
                      " could not be checked from " + ToOle(start).Format().str() +
                      " on (its expansion stopped at its limit of " +
                      std::to_string(kMostExpansionSteps) +
                      " steps, or its rule cannot be read); that time counts as busy");
  if (start >= last) return;
  Appointment unchecked = OccurrenceAppointment(*stream.event, Occurrence{start, last});
  unchecked.unchecked = true;
  occurrences_.push_back(std::make_unique<Appointment>(std::move(unchecked)));
}

const std::vector<const Appointment*>& DaySweep::Touching(local_days day) {
  const local_seconds dayEnd = day + days{1};
  touching_.clear();

  const std::vector<Appointment>& oneOffs = schedule_.OneOffs();
  while (nextOneOff_ < oneOffs.size() && oneOffs[nextOneOff_].start < dayEnd) {
    openOneOffs_.push_back(&oneOffs[nextOneOff_++]);
  }
  std::erase_if(openOneOffs_, [&](const Appointment* a) { return !Meets(a->start, a->end, day); });
  touching_.insert(touching_.end(), openOneOffs_.begin(), openOneOffs_.end());

  // Occurrences come in order of their real start, which the display clock can reorder by an
  // hour when it falls back, and an override with RANGE=THISANDFUTURE can move later ones
  // before earlier ones; reading a day, and that move, ahead keeps every occurrence of the day
  // in hand.
  for (Stream& stream : streams_) {
    Occurrence occurrence;
    const local_seconds ahead = dayEnd + days{1} + stream.event->future.Lead();
    while (!stream.done && stream.lastStart < ahead) {
      if (!stream.occurrences->Next(occurrence)) {
        stream.done = true;
        if (const auto unchecked = stream.occurrences->UncheckedFrom())
          AddUnchecked(stream, *unchecked);
        break;
      }
      stream.lastStart = occurrence.start;
      // An occurrence over before the day is passed by without becoming an appointment.
      if (occurrence.end < day) continue;
      if (LibraryHolds(occurrence.start) && LibraryHolds(occurrence.end)) {
        occurrences_.push_back(
            std::make_unique<Appointment>(OccurrenceAppointment(*stream.event, occurrence)));
      }
    }
  }
  std::erase_if(occurrences_, [&](const std::unique_ptr<Appointment>& a) {
    return a->start < day && !Meets(a->start, a->end, day);
  });
  for (const auto& occurrence : occurrences_) {
    if (Meets(occurrence->start, occurrence->end, day)) touching_.push_back(occurrence.get());
  }

  const year_month_day date{day};
  for (const Appointment& recurring : schedule_.Recurring()) {
    if (recurring.appointment.OccursOn(static_cast<int>(unsigned{date.day()}),
                                       static_cast<int>(unsigned{date.month()}),
                                       static_cast<int>(date.year()))) {
      touching_.push_back(&recurring);
    }
  }
  std::sort(touching_.begin(), touching_.end(), ByEventThenStart);
  return touching_;
}

}  // namespace dayweave::agent
