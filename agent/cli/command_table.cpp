#include "agent/cli/command.h"

namespace dayweave::agent {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      ListCommand(), FreeCommand(),     OccursCommand(), SlotsCommand(),
      MeetCommand(), FreeBusyCommand(), ServeCommand(),
  };
  return commands;
}

}  // namespace dayweave::agent
