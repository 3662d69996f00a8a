// An instant written in ISO 8601 with its offset from UTC, as a command line takes it.
//
//   IsoInstant("2003-01-13T10:00Z");        // 13 January 2003 10:00 UTC
//   IsoInstant("2003-01-13T10:00+02:00");   // 13 January 2003 08:00 UTC
//   IsoInstant("2003-01-13T10:00");         // nothing: a wall-clock time names no instant
//
// The form is the extended one: YYYY-MM-DDTHH:MM, optionally :SS, then Z (or z) or an offset
// +HH:MM, -HH:MM, +HHMM or +HH of at most 23:59. A time without either is left to the
// library's own reading of dates and times, on the display clock.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace dayweave::agent {

// IsoInstant
// The instant `text` names, when it is an ISO 8601 date and time with Z or an offset;
// nothing for any other text, and for a date or time that does not exist.
std::optional<std::chrono::sys_seconds> IsoInstant(std::string_view text);

}  // namespace dayweave::agent
