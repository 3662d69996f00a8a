// Helpers shared by the agent's tests: test calendars from agent/testdata, small calendars
// written inline, and the program run in process.
//
//   const testing::Outcome busy = testing::Agent({"free", testing::kSamplePath, "4/14/2003"});
//   EXPECT_EQ(busy.status, 1);
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "agent/cli/program.h"
#include "agent/input/calendar_reader.h"
#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/loaded_schedule.h"

namespace dayweave::agent::testing {

inline std::string TestDataPath(const std::string& name) {
  return std::string(DAYWEAVE_SOURCE_DIR) + "/agent/testdata/" + name;
}

// The program with `arguments`, as one line for the shell: each word in single quotes, so none
// may hold one.
inline std::string ProgramCommand(const std::vector<std::string>& arguments) {
  std::string command = "'" DAYWEAVE_AGENT_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  return command;
}

inline std::string ReadTestFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The text of a test calendar in agent/testdata.
inline std::string TestData(const std::string& name) { return ReadTestFile(TestDataPath(name)); }

// The rows of a table of cases in agent/testdata: a row a line, its cells split at " | ", a
// "\n" in a cell a line feed, a row that ends in " |" ends in an empty cell; blank lines and
// lines that begin with "#" are left out. A table without rows (or not there) fails the test.
inline std::vector<std::vector<std::string>> TableRows(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(TestData(name));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.ends_with(" |")) line += ' ';
    for (std::size_t at; (at = line.find("\\n")) != std::string::npos;) line.replace(at, 2, "\n");
    std::vector<std::string>& row = rows.emplace_back();
    for (std::size_t from = 0;;) {
      const std::size_t bar = line.find(" | ", from);
      row.push_back(line.substr(from, bar - from));
      if (bar == std::string::npos) break;
      from = bar + 3;
    }
  }
  EXPECT_FALSE(rows.empty()) << name << " has no rows";
  return rows;
}

// The bundled sample calendar's path.
inline const std::string kSamplePath = std::string(DAYWEAVE_SOURCE_DIR) + "/examples/sample.ics";

// A VEVENT with the given property lines (each ending in "\n").
inline std::string Event(const std::string& lines) {
  return "BEGIN:VEVENT\n" + lines + "END:VEVENT\n";
}

// A VCALENDAR around the given components.
inline std::string Calendar(const std::string& components) {
  return "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//dayweave//tests//EN\n" + components +
         "END:VCALENDAR\n";
}

// An iCalendar text as libical parses it, freed with it.
using Parsed = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;
inline Parsed Parse(const std::string& text) {
  return Parsed(icalparser_parse_string(text.c_str()), icalcomponent_free);
}

// A wall-clock time from its components.
inline std::chrono::local_seconds At(int year, unsigned month, unsigned day, int hour = 0,
                                     int minute = 0, int second = 0) {
  using namespace std::chrono;
  return local_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute} +
         seconds{second};
}

// A date-time as iCalendar writes it ("20030113T093000"), read as a wall-clock time.
inline std::chrono::local_seconds WallClock(const std::string& text) {
  return WrittenTime(icaltime_from_string(text.c_str()));
}

// A UTC date-time as iCalendar writes it ("20030113T083000Z"), read as an instant.
inline std::chrono::sys_seconds Instant(const std::string& text) {
  return std::chrono::sys_seconds{WallClock(text).time_since_epoch()};
}

// The library's text of a wall-clock time, for messages.
inline std::string Text(std::chrono::local_seconds time) { return ToOle(time).Format().str(); }

// A calendar text read as `name` and laid out on the clock of `zone`.
struct Loaded : LoadedSchedule {
  explicit Loaded(const std::string& text, const char* name = "t.ics", const char* zone = "UTC")
      : LoadedSchedule(text, name, FindZone(zone), zone) {}
};

// What a run of the program wrote and the status it ended with.
struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// The program run in process with `arguments` (without the program's name), `input` on its
// standard input and `machineZone` for the machine's time zone.
inline Outcome Agent(const std::vector<std::string>& arguments, const std::string& input = "",
                     const std::string& machineZone = "UTC") {
  std::istringstream in(input);
  std::ostringstream out, err;
  AgentIo io{in, out, err, machineZone};
  const int status = RunAgent(arguments, io);
  return Outcome{status, out.str(), err.str()};
}

}  // namespace dayweave::agent::testing
