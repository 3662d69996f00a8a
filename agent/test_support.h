// Helpers shared by the agent's tests: test calendars from agent/testdata and small calendars
// written inline.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace dayweave::agent::testing {

inline std::string TestDataPath(const std::string& name) {
  return std::string(DAYWEAVE_SOURCE_DIR) + "/agent/testdata/" + name;
}

inline std::string ReadTestFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A VEVENT with the given property lines (each ending in "\n").
inline std::string Event(const std::string& lines) {
  return "BEGIN:VEVENT\n" + lines + "END:VEVENT\n";
}

// A VCALENDAR around the given components.
inline std::string Calendar(const std::string& components) {
  return "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//dayweave//tests//EN\n" + components +
         "END:VCALENDAR\n";
}

}  // namespace dayweave::agent::testing
