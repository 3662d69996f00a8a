// The dayweave program as a person or a script runs it: in process for the README's examples
// and every kind of bad input, and once as a separate process for its exit statuses.
#include "agent/cli/program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Agent;
using testing::Outcome;

// The words of a command line as the shell splits them; "..." holds blanks.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> std::quoted(word);) words.push_back(word);
  return words;
}

const std::string& kSample = testing::kSamplePath;

// The tour block, and every "$ dayweave ..." line with the lines after it (standard error,
// then standard output; "$ echo $?" and the status), run from the source folder.
TEST(ProgramTest, TheReadmesExamplesHold) {
  std::filesystem::current_path(DAYWEAVE_SOURCE_DIR);
  const std::string readme = testing::ReadTestFile("README.md");
  const std::string open = "<summary><code>dayweave</code></summary>\n\n```\n";
  const auto tour = readme.find(open) + open.size();
  EXPECT_EQ(Agent({}).out, readme.substr(tour, readme.find("```\n", tour) - tour));

  std::istringstream lines(readme);
  std::vector<std::string> command;
  std::string expected;
  int status = 0, examples = 0;
  const auto check = [&] {
    if (command.empty()) return;
    const Outcome result = Agent(command);
    EXPECT_EQ(result.err + result.out, expected) << command[1];
    status = result.status;
    command.clear();
    expected.clear();
    ++examples;
  };
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("$ dayweave ", 0) == 0) {
      check();
      command = Words(line.substr(11));
    } else if (line == "$ echo $?") {
      check();
      std::getline(lines, line);
      EXPECT_EQ(std::to_string(status), line);
    } else if (line.rfind("```", 0) == 0) {
      check();
    } else if (!command.empty()) {
      expected += line + "\n";
    }
  }
  EXPECT_GE(examples, 7);
}

// Each row of error-lines.txt: a bad command line and its one error line.
TEST(ProgramTest, ErrorLinesForEachKindOfBadInput) {
  const std::pair<std::string, std::string> places[] = {
      {"SAMPLE", kSample},
      {"MISSING", testing::TestDataPath("none.ics")},
      {"FOLDER", testing::TestDataPath("")},
      {"CSV", testing::TestDataPath("not-a-calendar.csv")}};
  const auto placed = [&](std::string text) {
    for (const auto& [name, path] : places) {
      for (std::size_t at; (at = text.find(name)) != std::string::npos;) {
        text.replace(at, name.size(), path);
      }
    }
    return text;
  };
  const auto rows = testing::TableRows("error-lines.txt");
  for (const auto& row : rows) {
    const Outcome result = Agent(Words(placed(row.at(0))));
    EXPECT_EQ(result.status, 2) << row[0];
    EXPECT_EQ(result.err, "dayweave: " + placed(row.at(1)) + "\n");
    EXPECT_EQ(result.out, "") << row[0];
  }
  EXPECT_EQ(rows.size(), 32u);
}

// Each row of answers.txt, run in agent/testdata: a command line on a calendar of one shape,
// its exit status, standard output and standard error.
TEST(ProgramTest, AnswersOnCalendarsOfEachShape) {
  std::filesystem::current_path(testing::TestDataPath(""));
  for (const auto& row : testing::TableRows("answers.txt")) {
    const Outcome result = Agent(Words(row.at(0)));
    EXPECT_EQ(result.status, std::stoi(row.at(1))) << row[0];
    EXPECT_EQ(result.out, row.at(2)) << row[0];
    EXPECT_EQ(result.err, row.size() > 3 ? row[3] : "") << row[0];
  }
}

TEST(ProgramTest, HelpShowsEveryCommandsUsage) {
  EXPECT_NE(Agent({"--help"}).out.find("  dayweave slots CALENDAR FROM TO MINUTES"),
            std::string::npos);
  for (const char* command : {"list", "free", "occurs", "slots", "meet", "freebusy"}) {
    const Outcome one = Agent({command, "--help"});
    EXPECT_EQ(one.status, 0) << command;
    EXPECT_NE(one.out.find(std::string("\nusage: dayweave ") + command), std::string::npos);
  }
}

TEST(ProgramTest, TheDisplayZoneIsTheMachinesUnlessTzNamesOne) {
  const std::string calendar = testing::Calendar(
      testing::Event("UID:u\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  EXPECT_EQ(Agent({"free", "-", "4/14/2003 10:40 AM"}, calendar, "Europe/Berlin").status, 1);
  EXPECT_EQ(Agent({"free", "-", "4/14/2003 10:40 AM"}, calendar, "UTC").status, 0);
  for (const char* utc : {"utc", "Z", "GMT"}) {
    EXPECT_EQ(Agent({"free", "-", "4/14/2003 8:40 AM", "--tz", utc}, calendar, "Asia/Tokyo").status,
              1);
  }
  const Outcome unknown = Agent({"free", "-", "4/14/2003 8:40 AM"}, calendar, "Nowhere/Special");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err,
            "dayweave: warning: the machine's time zone \"Nowhere/Special\" is not one libical "
            "knows; times are shown in UTC\n");
}

// Runs the program through the shell with `input` on its standard input and TZ set to `tz`.
// The arguments are single-quoted; none of them holds a quote.
Outcome Program(const std::vector<std::string>& arguments, const std::string& input,
                const std::string& tz) {
  const std::string base = "/tmp/dayweave-program-test-" + std::to_string(getpid());
  std::ofstream(base + ".in", std::ios::binary) << input;
  std::string command = "TZ='" + tz + "' '" DAYWEAVE_AGENT_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " <" + base + ".in >" + base + ".out 2>" + base + ".err";
  const int status = std::system(command.c_str());
  Outcome result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadTestFile(base + ".out"),
                 testing::ReadTestFile(base + ".err")};
  for (const char* suffix : {".in", ".out", ".err"}) unlink((base + suffix).c_str());
  return result;
}

// The process's own exit statuses, standard input and the machine's zone from TZ.
TEST(ProgramTest, AsAProcess) {
  const std::string call = testing::Calendar(
      testing::Event("UID:c\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  struct Case {
    std::vector<std::string> arguments;
    std::string tz;
    int status;
    std::string out;
  } cases[] = {
      {{"free", "-", "4/14/2003 10:40 AM"}, "Europe/Berlin", 1, "busy\nBusy          Call\n"},
      {{"free", "-", "13/13/2003"}, "UTC", 2, ""},
  };
  for (const Case& c : cases) {
    const Outcome result = Program(c.arguments, call, c.tz);
    EXPECT_EQ(result.status, c.status) << c.arguments.back();
    EXPECT_EQ(result.out, c.out);
  }
  const Outcome tour = Program({}, "", "UTC");
  EXPECT_EQ(tour.status, 0);
  EXPECT_EQ(tour.out.rfind("dayweave: a tour of the bundled sample", 0), 0u);
}

}  // namespace
}  // namespace dayweave::agent
