#include "agent/cli/invocation.h"

#include <ostream>

#include "agent/input/calendar_source.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

int Invocation::Fail(const std::string& message) {
  io_.err << "dayweave: " << command_ << ": " << message << "\n";
  return kExitError;
}

void Invocation::Warn(const std::string& line) { io_.err << "dayweave: " << line << "\n"; }

std::string Invocation::DisplayZone() {
  // A --tz value is checked as it is read; the machine's zone falls back to UTC.
  const std::string zoneName = calendar_.zone.empty() ? io_.machineZone : calendar_.zone;
  if (FindZone(zoneName) != nullptr) return zoneName;
  Warn("warning: the machine's time zone \"" + zoneName +
       "\" is not one libical knows; times are shown in UTC");
  return "UTC";
}

std::unique_ptr<LoadedSchedule> Invocation::Load() {
  const std::string zoneName = DisplayZone();
  icaltimezone* zone = FindZone(zoneName);
  const CalendarText source = ReadCalendarText(calendar_.file, io_.in);
  if (!source.error.empty()) {
    Warn(source.error);
    return nullptr;
  }
  auto loaded = std::make_unique<LoadedSchedule>(source.text, source.name, zone, zoneName);
  if (!loaded->file.error.empty()) {
    Warn(loaded->file.error);
    return nullptr;
  }
  for (const std::string& warning : loaded->Warnings()) Warn(warning);
  if (calendar_.verbose) {
    for (const std::string& note : loaded->schedule.ExpansionNotes()) Warn(note);
  }
  return loaded;
}

}  // namespace dayweave::agent
