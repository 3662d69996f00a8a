// The agent's iCalendar reading on arbitrary files: libical parses whatever it is given, and
// the agent must survive anything libical hands back, through every command that reads a
// calendar. Each command answers with one of its documented exit statuses, and every message
// it writes is a whole line of its own that begins "dayweave: ".
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "agent/cli/program.h"

namespace {

int Run(const std::string& calendar, const std::vector<std::string>& arguments) {
  std::istringstream in(calendar);
  std::ostringstream out, err;
  dayweave::agent::AgentIo io{in, out, err, "UTC"};
  const int status = dayweave::agent::RunAgent(arguments, io);
  const std::string messages = err.str();
  if (status == 2 && messages.empty()) std::abort();
  if (!messages.empty() && messages.back() != '\n') std::abort();
  for (std::size_t line = 0; line < messages.size(); line = messages.find('\n', line) + 1) {
    if (messages.compare(line, 10, "dayweave: ") != 0) std::abort();
  }
  return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string calendar(reinterpret_cast<const char*>(data), size);
  const std::vector<std::vector<std::string>> commands = {
      {"list", "-"},
      {"occurs", "-", "2003-01-13", "--tz", "Europe/Berlin"},
      {"free", "-", "1/13/2003 9:30 AM", "90"},
      {"slots", "-", "2003-01-13", "2003-01-15", "30", "--verbose"},
  };
  for (const auto& arguments : commands) {
    const int status = Run(calendar, arguments);
    if (status < 0 || status > 2) std::abort();
  }
  return 0;
}
