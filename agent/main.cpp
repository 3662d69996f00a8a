// The dayweave program: the commands are in agent/cli/program.h. This is the one place that
// reads the process's environment: the TZ variable and where /etc/localtime points.
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "agent/cli/program.h"
#include "agent/input/time_zones.h"

namespace {

std::string LocaltimeTarget() {
  std::array<char, 4096> target{};
  const ssize_t length = readlink("/etc/localtime", target.data(), target.size() - 1);
  return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  dayweave::agent::AgentIo io{
      std::cin, std::cout, std::cerr,
      dayweave::agent::MachineZoneName(std::getenv("TZ"), LocaltimeTarget())};
  return dayweave::agent::RunAgent(arguments, io);
}
