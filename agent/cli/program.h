// The dayweave program: its commands, their arguments, output and exit statuses.
//
//   dayweave                                    the tour on the bundled sample calendar
//   dayweave list FILE [--on DATE]              the appointments
//   dayweave free FILE WHEN [MINUTES]           "free" (exit 0) or "busy" (exit 1)
//   dayweave occurs FILE DATE                   the appointments that occur on DATE
//   dayweave slots FILE FROM TO MINUTES [...]   the free slots as a KQML tell message
//
// Every command that reads a calendar also takes --tz NAME (the display zone, default the
// machine's) and --verbose (which events were expanded into one-off appointments, and why).
// FILE "-" is standard input. Errors are one line on standard error and exit status 2:
//
//   dayweave: free: WHEN "4/31/2003" is not a date and time
//
// The commands are declared in command_table.cpp, one file each (command.h tells how).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dayweave::agent {

// Where the program reads and writes, and the machine's time zone (the name that
// MachineZoneName gives), so that tests can run it in place.
struct AgentIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  std::string machineZone;
};

// RunAgent
// Runs the program with `arguments` (without the program's name); answers the exit status.
int RunAgent(const std::vector<std::string>& arguments, AgentIo& io);

}  // namespace dayweave::agent
