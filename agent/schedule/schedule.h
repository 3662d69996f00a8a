// A calendar as the library's appointments, on one display clock, and the walk over its days
// that hands each day the appointments that can touch it.
//
//   Schedule schedule(file, zone, "Europe/Berlin");
//   DaySweep sweep(schedule, DayNumber(2003, 4, 14));
//   for (const Appointment* a : sweep.Touching(DayNumber(2003, 4, 14))) ...
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

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/expansion.h"
#include "agent/input/local_time.h"
#include "agent/input/rrule_mapping.h"
#include "dayweave/appointment.h"

namespace dayweave::agent {

// An appointment with what the agent knows about it beside the library.
struct Appointment {
  CAppointment appointment;
  const EventRecord* event = nullptr;
  std::int64_t start = 0;  // display wall-clock seconds: the one-off's stretch, or the first
  std::int64_t end = 0;    // occurrence of a recurring appointment
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
  // One line per event left out because the display clock puts it outside the years 100 to
  // 9999 (the reader's warnings are in File()).
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
  // A walk over the days of `schedule` from day number `firstDay` on.
  DaySweep(const Schedule& schedule, std::int64_t firstDay);

  // Touching
  // The appointments that can touch day number `day`: the one-offs and occurrences whose
  // stretch meets the day, and the recurring appointments that occur on it, in the order of
  // their events. Days must come in increasing order; the result lives until the next call.
  const std::vector<const Appointment*>& Touching(std::int64_t day);

  // Warnings
  // One line per expanded event that stopped at kMostExpansionSteps.
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  struct Stream {
    const EventRecord* event;
    std::unique_ptr<OccurrenceStream> occurrences;
    bool done = false;
    std::int64_t lastStart = 0;
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
// Whether the stretch from `start` to `end` (seconds) meets the day that begins at
// `dayStart`: it overlaps the day, or is empty and lies in it.
bool Meets(std::int64_t start, std::int64_t end, std::int64_t dayStart);

}  // namespace dayweave::agent
