// A calendar as the library's appointments, on one display clock, and the walk over its days
// that hands each day the appointments that can touch it.
//
//   Schedule schedule(file, zone, "Europe/Berlin");
//   const local_days monday{2003y / April / 14};
//   DaySweep sweep(schedule, monday);
//   for (const Appointment* a : sweep.Touching(monday)) ...
//
// Each event becomes one appointment: a one-off, or a recurring one whose rule the library
// holds (rrule_mapping.h). An event whose rule the library cannot hold is kept as its
// occurrence stream (expansion.h), and a sweep turns its occurrences into one-off
// appointments as it walks past them.
//
// WHY A SWEEP
//   Asking every appointment about every candidate slot of a year costs appointments ×
//   candidates. A day can only be touched by the one-offs whose stretch meets it and by the
//   recurring appointments that occur on it (one OccursOn per day), so the sweep asks each
//   recurring appointment once a day and lets the candidates of the day ask only those: the
//   same answers, from a few appointments instead of all.
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/expansion.h"
#include "agent/input/rrule_mapping.h"
#include "dayweave/appointment.h"

namespace dayweave::agent {

// An appointment with what the agent knows about it beside the library.
struct Appointment {
  CAppointment appointment;
  const EventRecord* event = nullptr;
  std::chrono::local_seconds start;  // on the display clock: the one-off's stretch, or the
  std::chrono::local_seconds end;    // first occurrence of a recurring appointment
};

// An event whose rule the library cannot hold, and why.
struct ExpandedEvent {
  const EventRecord* event = nullptr;
  std::string reason;
};

class Schedule {
 public:
  // The appointments of `file` on the clock of `display`, named `displayName` in messages.
  Schedule(const CalendarFile& file, icaltimezone* display, std::string displayName);

  const CalendarFile& File() const { return file_; }
  icaltimezone* Display() const { return display_; }

  // OneOffs (by start), Recurring, Expanded
  // The appointments that the events became, and the events kept as occurrence streams.
  const std::vector<Appointment>& OneOffs() const { return oneOffs_; }
  const std::vector<Appointment>& Recurring() const { return recurring_; }
  const std::vector<ExpandedEvent>& Expanded() const { return expanded_; }

  // Warnings
  // One line per event left out because on the display clock its times are not ones the
  // library holds (the reader's warnings are in File()).
  const std::vector<std::string>& Warnings() const { return warnings_; }

  // ExpansionNotes
  // One line per expanded event, saying why: what --verbose prints.
  std::vector<std::string> ExpansionNotes() const;

 private:
  const CalendarFile& file_;
  icaltimezone* display_;
  std::string displayName_;
  std::vector<Appointment> oneOffs_;
  std::vector<Appointment> recurring_;
  std::vector<ExpandedEvent> expanded_;
  std::vector<std::string> warnings_;
};

// OccurrenceAppointment
// The one-off appointment of one occurrence of an event.
Appointment OccurrenceAppointment(const EventRecord& event, const Occurrence& occurrence);

class DaySweep {
 public:
  // A walk over the days of `schedule` (on its display clock) from `firstDay` on.
  DaySweep(const Schedule& schedule, std::chrono::local_days firstDay);

  // Touching
  // The appointments that can touch `day`: the one-offs and occurrences whose
  // stretch meets the day, and the recurring appointments that occur on it, in the order of
  // their events. Days must come in increasing order; the result lives until the next call.
  const std::vector<const Appointment*>& Touching(std::chrono::local_days day);

  // Warnings
  // One line per expanded event that stopped at kMostExpansionSteps.
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  struct Stream {
    const EventRecord* event;
    std::unique_ptr<OccurrenceStream> occurrences;
    bool done = false;
    std::chrono::local_seconds lastStart = std::chrono::local_seconds::min();
  };

  const Schedule& schedule_;
  std::size_t nextOneOff_ = 0;
  std::vector<const Appointment*> openOneOffs_;
  std::vector<Stream> streams_;
  std::vector<std::unique_ptr<Appointment>> occurrences_;
  std::vector<const Appointment*> touching_;
  std::vector<std::string> warnings_;
};

// Meets
// Whether the stretch from `start` to `end` meets `day`: it overlaps the day, or is empty and
// lies in it.
bool Meets(std::chrono::local_seconds start, std::chrono::local_seconds end,
           std::chrono::local_days day);

}  // namespace dayweave::agent
