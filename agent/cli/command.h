// A command of the program, declared once: a CLI11 subcommand whose positionals, options,
// defaults, checks and --help come from one declaration, and the handler that runs it.
//
//   Command FreeCommand() {
//     return {"free", "whether the user is free at WHEN, or for MINUTES from it", "...",
//             [](CLI::App& app, Invocation& run) -> Handler {
//               auto request = std::make_shared<FreeRequest>();
//               AddCalendarArguments(app, run.Calendar());
//               AddWallClock(app, "WHEN", request->when, "the moment asked about")->required();
//               return [request](Invocation& run) { return Free(run, *request); };
//             }};
//   }
//
// ADDING A COMMAND
//   Write agent/cli/NAME_command.cpp: a request struct for its arguments (arguments.h declares
//   the kinds they come in), the handler that answers it, and a function that gives its
//   Command. Then name that function in the table in command_table.cpp. The program's help,
//   its usage lines and its error lines follow from the declaration.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

#include "agent/cli/invocation.h"

namespace dayweave::agent {

// What runs a command once its arguments are read; answers the exit status.
using Handler = std::function<int(Invocation&)>;

struct Command {
  const char* name;
  const char* summary;  // one line, for the program's --help
  const char* details;  // for the command's --help
  // Declares the command's arguments on `app` and answers the handler that reads them; the
  // handler runs only when every argument was read and checked.
  std::function<Handler(CLI::App& app, Invocation& run)> declare;
};

// Commands
// Every command of the program, in the order of the program's help.
const std::vector<Command>& Commands();

Command ListCommand();
Command FreeCommand();
Command OccursCommand();
Command SlotsCommand();
Command MeetCommand();
Command FreeBusyCommand();
Command ServeCommand();

}  // namespace dayweave::agent
