#include "agent/input/calendar_argument.h"

#include "agent/input/time_zones.h"

namespace dayweave::agent {

CalendarArgument SplitCalendarArgument(const std::string& text) {
  const std::size_t at = text.rfind('@');
  if (at == std::string::npos || at == 0) return CalendarArgument{text, std::nullopt};
  const std::string zone = text.substr(at + 1);
  if (FindZone(zone) == nullptr) return CalendarArgument{text, std::nullopt};
  return CalendarArgument{text.substr(0, at), zone};
}

}  // namespace dayweave::agent
