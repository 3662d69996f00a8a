#include "agent/schedule/loaded_schedule.h"

namespace dayweave::agent {

LoadedSchedule::LoadedSchedule(const std::string& text, const std::string& name,
                               icaltimezone* display, const std::string& displayName)
    : file(ReadCalendar(text, name)), schedule(file, display, displayName) {}

std::vector<std::string> LoadedSchedule::Warnings() const {
  std::vector<std::string> warnings = file.warnings;
  warnings.insert(warnings.end(), schedule.Warnings().begin(), schedule.Warnings().end());
  return warnings;
}

}  // namespace dayweave::agent
