// The slots of a meeting search as JSON, times in RFC 3339 on the clock the answer is shown on.
//
//   MeetingJson(answer.slots, {"bo.ics"}, berlin).dump();
//   // {"slots":[{"start":"2024-03-04T15:00:00+01:00","end":"2024-03-04T16:00:00+01:00",
//   //            "optional_free":["bo.ics"]}]}
//
// Every slot carries "optional_free", empty when no optional person is free or none was
// asked; the names are as the caller gives them. With no slot the answer is {"slots": []}.
#pragma once

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "agent/input/zone_offsets.h"
#include "agent/schedule/meeting_search.h"

namespace dayweave::agent {

// Rfc3339
// An instant as the wall clock of `clock` reads it, with that clock's offset:
// "2024-03-04T15:00:00+01:00" ("+00:00" for UTC).
std::string Rfc3339(std::chrono::sys_seconds instant, const ZoneOffsets& clock);

// MeetingJson
// The slots in order; `optionalNames` names the optional people by position.
nlohmann::ordered_json MeetingJson(const std::vector<MeetingSlot>& slots,
                                   const std::vector<std::string>& optionalNames,
                                   const ZoneOffsets& display);

}  // namespace dayweave::agent
