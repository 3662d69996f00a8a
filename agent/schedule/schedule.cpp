#include "agent/schedule/schedule.h"

#include <algorithm>
#include <limits>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

// Appointments have no expiry of their own in a calendar file.
COleDateTime NoExpiry() {
  COleDateTime none;
  none.SetStatus(COleDateTime::null);
  return none;
}

CAppointment OneOff(const EventRecord& event, const LocalTime& start, const LocalTime& end) {
  return CAppointment(event.index, event.subject, event.body, event.location, event.required,
                      event.optional, ToOle(start), ToOle(end), event.duration, event.reminderFlag,
                      event.reminder, event.status, NoExpiry(), event.attribute);
}

CAppointment RecurringAppointment(const EventRecord& event, const EventMapping& mapping,
                                  const LocalTime& start, const LocalTime& end) {
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

bool Meets(std::int64_t start, std::int64_t end, std::int64_t dayStart) {
  return start < dayStart + kSecondsPerDay && (end > dayStart || start >= dayStart);
}

Appointment OccurrenceAppointment(const EventRecord& event, const Occurrence& occurrence) {
  const LocalTime start = FromSeconds(occurrence.start);
  const LocalTime end = FromSeconds(occurrence.end);
  return Appointment{OneOff(event, start, end), &event, occurrence.start, occurrence.end};
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
    const LocalTime start = ToDisplay(event.start, display);
    const LocalTime end = ToDisplay(event.end, display);
    if (!InLibraryRange(start) || !InLibraryRange(end) || !InLibraryRange(mapping.patternEnd)) {
      warnings_.push_back(EventLabel(file.name, event) + " skipped: on the " + displayName_ +
                          " clock it lies outside the years 100 to 9999");
      continue;
    }
    if (mapping.kind == EventMapping::kOneOff) {
      oneOffs_.push_back(
          Appointment{OneOff(event, start, end), &event, ToSeconds(start), ToSeconds(end)});
    } else {
      recurring_.push_back(Appointment{RecurringAppointment(event, mapping, start, end), &event,
                                       ToSeconds(start), ToSeconds(end)});
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

DaySweep::DaySweep(const Schedule& schedule, std::int64_t firstDay) : schedule_(schedule) {
  // Two days before the first day's wall-clock start is before its real start in any zone.
  const std::int64_t from = (firstDay - 2) * kSecondsPerDay;
  for (const ExpandedEvent& expanded : schedule.Expanded()) {
    streams_.push_back(
        Stream{expanded.event,
               std::make_unique<OccurrenceStream>(*expanded.event, schedule.Display(), from), false,
               std::numeric_limits<std::int64_t>::min()});
  }
}

const std::vector<const Appointment*>& DaySweep::Touching(std::int64_t day) {
  const std::int64_t dayStart = day * kSecondsPerDay;
  const std::int64_t dayEnd = dayStart + kSecondsPerDay;
  touching_.clear();

  const std::vector<Appointment>& oneOffs = schedule_.OneOffs();
  while (nextOneOff_ < oneOffs.size() && oneOffs[nextOneOff_].start < dayEnd) {
    openOneOffs_.push_back(&oneOffs[nextOneOff_++]);
  }
  std::erase_if(openOneOffs_,
                [&](const Appointment* a) { return !Meets(a->start, a->end, dayStart); });
  touching_.insert(touching_.end(), openOneOffs_.begin(), openOneOffs_.end());

  // Occurrences come in order of their real start, which the display clock can reorder by an
  // hour when it falls back; reading a day ahead keeps every occurrence of the day in hand.
  for (Stream& stream : streams_) {
    Occurrence occurrence;
    while (!stream.done && stream.lastStart < dayEnd + kSecondsPerDay) {
      if (!stream.occurrences->Next(occurrence)) {
        stream.done = true;
        if (stream.occurrences->OverLimit()) {
          warnings_.push_back(EventLabel(schedule_.File().name, *stream.event) + " stops after " +
                              std::to_string(kMostExpansionSteps) +
                              " steps of libical's iterator; later occurrences are left out");
        }
        break;
      }
      stream.lastStart = occurrence.start;
      if (InLibraryRange(FromSeconds(occurrence.start)) &&
          InLibraryRange(FromSeconds(occurrence.end))) {
        occurrences_.push_back(
            std::make_unique<Appointment>(OccurrenceAppointment(*stream.event, occurrence)));
      }
    }
  }
  std::erase_if(occurrences_, [&](const std::unique_ptr<Appointment>& a) {
    return a->start < dayStart && !Meets(a->start, a->end, dayStart);
  });
  for (const auto& occurrence : occurrences_) {
    if (Meets(occurrence->start, occurrence->end, dayStart)) touching_.push_back(occurrence.get());
  }

  const LocalTime date = FromSeconds(dayStart);
  for (const Appointment& recurring : schedule_.Recurring()) {
    if (recurring.appointment.OccursOn(date.day, date.month, date.year)) {
      touching_.push_back(&recurring);
    }
  }
  std::sort(touching_.begin(), touching_.end(), ByEventThenStart);
  return touching_;
}

}  // namespace dayweave::agent
