#include "agent/cli/meeting_json.h"

#include <cstdio>
#include <cstdlib>

namespace dayweave::agent {

std::string Rfc3339(std::chrono::sys_seconds instant, const ZoneOffsets& clock) {
  const std::chrono::local_seconds local = clock.ToLocal(instant);
  const auto day = std::chrono::floor<std::chrono::days>(local);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss<std::chrono::seconds> time{local - day};
  const long offset = static_cast<long>(clock.OffsetAt(instant).count());
  const long magnitude = std::labs(offset);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ld%c%02ld:%02ld",
                static_cast<int>(date.year()), unsigned{date.month()}, unsigned{date.day()},
                static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                static_cast<long>(time.seconds().count()), offset < 0 ? '-' : '+', magnitude / 3600,
                magnitude / 60 % 60);
  return text;
}

nlohmann::ordered_json MeetingJson(const std::vector<MeetingSlot>& slots,
                                   const std::vector<std::string>& optionalNames,
                                   const ZoneOffsets& display) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const MeetingSlot& slot : slots) {
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (std::size_t position : slot.optionalFree) names.push_back(optionalNames.at(position));
    list.push_back({{"start", Rfc3339(slot.start, display)},
                    {"end", Rfc3339(slot.end, display)},
                    {"optional_free", std::move(names)}});
  }
  return nlohmann::ordered_json{{"slots", std::move(list)}};
}

}  // namespace dayweave::agent
