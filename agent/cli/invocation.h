// One run of one command: where it writes, the calendar arguments every command shares, and
// the loading of the schedule they name.
//
//   int Free(Invocation& run, const FreeRequest& request) {
//     const auto loaded = run.Load();
//     if (loaded == nullptr) return kExitError;   // the error line is written
//     ...
//   }
#pragma once

#include <memory>
#include <string>

#include "agent/cli/program.h"
#include "agent/schedule/loaded_schedule.h"

namespace dayweave::agent {

// Exit statuses: free and busy for `free` (0 for every other command's success), and the one
// status of every error.
constexpr int kExitFree = 0;
constexpr int kExitBusy = 1;
constexpr int kExitError = 2;

// FILE, --tz and --verbose.
struct CalendarArguments {
  std::string file;
  std::string zone;  // empty: the machine's zone
  bool verbose = false;
};

class Invocation {
 public:
  Invocation(std::string command, AgentIo& io) : command_(std::move(command)), io_(io) {}

  std::ostream& Out() { return io_.out; }
  std::ostream& Err() { return io_.err; }
  CalendarArguments& Calendar() { return calendar_; }

  // Fail
  // Writes "dayweave: COMMAND: message" and answers kExitError.
  int Fail(const std::string& message);

  // DisplayZone
  // The name of the zone whose clock answers use: --tz, or the machine's zone; UTC after a
  // warning when libical does not know the machine's.
  std::string DisplayZone();

  // Load
  // The calendar of the arguments on the display zone's clock, after writing its warnings
  // (and with --verbose its expansion notes); null after writing the error line when the file
  // cannot be read or is no calendar.
  std::unique_ptr<LoadedSchedule> Load();

  // Warn
  // Writes "dayweave: line".
  void Warn(const std::string& line);

 private:
  std::string command_;
  AgentIo& io_;
  CalendarArguments calendar_;
};

}  // namespace dayweave::agent
