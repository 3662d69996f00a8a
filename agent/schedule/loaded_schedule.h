// A calendar read and laid out on a display clock in one step: what every command, the tour
// and the tests start from.
//
//   const LoadedSchedule loaded(text, "work.ics", FindZone("Europe/Berlin"), "Europe/Berlin");
//   if (!loaded.file.error.empty()) ...            // not a calendar at all
//   for (const std::string& w : loaded.Warnings()) ...  // the events left out, one line each
//   FreeBusy(loaded.schedule).AskAt(...);
//
// The schedule points into the file, so the two live together and the value does not move.
#pragma once

#include <libical/ical.h>

#include <string>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/schedule/schedule.h"

namespace dayweave::agent {

struct LoadedSchedule {
  // Reads `text` (named `name` in messages) and lays its events out on the clock of `display`
  // (named `displayName`).
  LoadedSchedule(const std::string& text, const std::string& name, icaltimezone* display,
                 const std::string& displayName);
  LoadedSchedule(const LoadedSchedule&) = delete;
  LoadedSchedule& operator=(const LoadedSchedule&) = delete;

  // Warnings
  // The events left out, by the reader and then by the schedule, one line each.
  std::vector<std::string> Warnings() const;

  const CalendarFile file;
  const Schedule schedule;
};

}  // namespace dayweave::agent
