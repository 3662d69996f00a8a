// The agent's command line on arbitrary arguments (dates, numbers, options), over the
// bundled sample calendar read from standard input: every run ends with a documented exit
// status, and an error says why on standard error.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "agent/cli/program.h"
#include "agent/cli/sample_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Arguments are separated by NUL bytes; the calendar argument is always standard input.
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size && arguments.size() <= 8; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  if (arguments.size() > 1) arguments.insert(arguments.begin() + 1, "-");

  std::istringstream in(dayweave::agent::kSampleCalendar);
  std::ostringstream out, err;
  dayweave::agent::AgentIo io{in, out, err, "UTC"};
  const int status = dayweave::agent::RunAgent(arguments, io);
  if (status < 0 || status > 2) std::abort();
  if (status == 2) {
    const std::string message = err.str();
    if (message.empty() || message.back() != '\n') std::abort();
  }
  return 0;
}
