// One run of one command: where it writes, the calendar arguments every command shares, and
// the loading of the schedule they name.
//
//   int Free(Invocation& run, const FreeRequest& request) {
//     const auto loaded = run.Load(AskedTimes{*request.when, *request.when + 1min});
//     if (loaded == nullptr) return kExitError;   // the error line is written
//     ...
//   }
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "agent/cli/program.h"
#include "agent/input/caldav_source.h"
#include "agent/schedule/loaded_schedule.h"

namespace dayweave::agent {

// Exit statuses: free and busy for `free` (0 for every other command's success), and the one
// status of every error.
constexpr int kExitFree = 0;
constexpr int kExitBusy = 1;
constexpr int kExitError = 2;

// The login and the limits of the calendars on servers: --user, --netrc, --cacert, --timeout
// and --max-bytes.
struct ServerArguments {
  std::string user;
  std::string netrc;
  std::string caFile;
  std::chrono::seconds timeout{30};
  std::size_t maxBytes = std::size_t{64} << 20;

  // The options to fetch with: the password from DAYWEAVE_PASSWORD or the netrc file.
  FetchOptions Fetching() const;
};

// CALENDAR, --tz and --verbose, and for a calendar on a server the login and the limits.
struct CalendarArguments {
  std::string calendar;  // a file, "-" for standard input, or an http or https URL
  std::string zone;      // empty: the machine's zone
  bool verbose = false;
  ServerArguments server;
};

// The wall-clock times [from, to) of the display clock that a command asks about.
struct AskedTimes {
  std::chrono::local_seconds from;
  std::chrono::local_seconds to;
};

class Invocation {
 public:
  Invocation(std::string command, AgentIo& io) : command_(std::move(command)), io_(io) {}

  std::ostream& Out() { return io_.out; }
  AgentIo& Io() { return io_; }
  CalendarArguments& Calendar() { return calendar_; }

  // Fail
  // Writes "dayweave: COMMAND: message" and answers kExitError.
  int Fail(const std::string& message);

  // Display
  // The display zone: --tz NAME, else the machine's zone, else UTC after a warning (written
  // once).
  icaltimezone* Display();

  // DisplayName
  // The name of the display zone (after Display's warning, when it falls back to UTC).
  const std::string& DisplayName();

  // Load
  // The calendar of the arguments on the display zone's clock, after writing its warnings
  // (and with --verbose its expansion notes and a URL's HTTP exchanges); null after writing
  // the error line when the calendar cannot be read or is no calendar. A calendar on a server
  // is asked only for the events that meet `asked` (nothing: all of them); the answers about
  // those times are the same as for the whole calendar.
  std::unique_ptr<LoadedSchedule> Load(const std::optional<AskedTimes>& asked);

  // Warn
  // Writes "dayweave: line".
  void Warn(const std::string& line);

 private:
  // The calendar at the URL of the arguments, read in the parts its server hands back.
  std::optional<CalendarFile> Fetch(const std::optional<AskedTimes>& asked, icaltimezone* zone);

  std::string command_;
  AgentIo& io_;
  CalendarArguments calendar_;
  icaltimezone* display_ = nullptr;
  std::string displayName_;
};

}  // namespace dayweave::agent
