#include "agent/input/calendar_source.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace dayweave::agent {

CalendarText ReadCalendarText(const std::string& name, std::istream& standardInput) {
  if (name == "-") {
    return CalendarText{"<stdin>",
                        std::string(std::istreambuf_iterator<char>(standardInput),
                                    std::istreambuf_iterator<char>()),
                        {}};
  }
  const auto failed = [&](int error) {
    return CalendarText{name, {}, name + ": cannot read the file (" + std::strerror(error) + ")"};
  };
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) return failed(EISDIR);
  std::ifstream file(name, std::ios::binary);
  if (!file) return failed(errno);
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad() || (file.fail() && !file.eof())) return failed(errno);
  return CalendarText{name, text.str(), {}};
}

}  // namespace dayweave::agent
