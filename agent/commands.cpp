#include "agent/commands.h"

#include <ostream>

namespace dayweave::agent {

int RunAgent(const std::vector<std::string>& arguments, AgentIo& io) {
  (void)arguments;
  io.err << "dayweave: not yet\n";
  return 2;
}

}  // namespace dayweave::agent
