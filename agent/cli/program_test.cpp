// The dayweave program as a person or a script runs it: in process for the README's examples,
// every kind of bad input and the tables of answers in agent/testdata, and once as a separate
// process for its exit statuses.
#include "agent/cli/program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <tuple>

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

// Run in agent/testdata: each row of error-lines.txt (a bad command line | its one error line,
// exit status 2) and of answers.txt and command-answers.txt (a command line on a calendar of one
// shape | its exit status | standard output | standard error).
TEST(ProgramTest, TheTablesOfAnswersHold) {
  std::filesystem::current_path(testing::TestDataPath(""));
  const std::pair<std::string, std::string> places[] = {{"SAMPLE", "../../examples/sample.ics"},
                                                        {"MISSING", "none.ics"},
                                                        {"FOLDER", "."},
                                                        {"CSV", "not-a-calendar.csv"}};
  const auto placed = [&](std::string text) {
    for (const auto& [name, path] : places) {
      for (std::size_t at; (at = text.find(name)) != std::string::npos;) {
        text.replace(at, name.size(), path);
      }
    }
    return text;
  };
  std::vector<std::vector<std::string>> rows;
  for (const auto& row : testing::TableRows("error-lines.txt")) {
    rows.push_back({placed(row.at(0)), "2", "", "dayweave: " + placed(row.at(1)) + "\n"});
  }
  EXPECT_EQ(rows.size(), 35u);
  for (const char* table : {"answers.txt", "command-answers.txt"}) {
    for (const auto& row : testing::TableRows(table)) rows.push_back(row);
  }
  for (const auto& row : rows) {
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

// The machine's zone as the display zone is checked as a process (below), --tz in answers.txt.
// meet reads its calendar from standard input here, its owner's zone from X-WR-TIMEZONE: 09:00
// in Berlin is 08:00 UTC.
TEST(ProgramTest, AMachineZoneLibicalLacksIsWarnedAboutAndUtcShown) {
  const std::string calendar = testing::Calendar(
      "X-WR-TIMEZONE:Europe/Berlin\n" +
      testing::Event("UID:u\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  const std::tuple<std::vector<std::string>, int, std::string> questions[] = {
      {{"free", "-", "4/14/2003 8:40 AM"}, 1, "busy\nBusy          Call\n"},
      {{"meet", "2024-03-04", "2024-03-05", "60", "-", "--person-hours", "-=09:00-10:00"},
       0,
       "(tell :t1 (3/4/2024 8:00:00 AM))\n"},
  };
  for (const auto& [arguments, status, out] : questions) {
    const Outcome unknown = Agent(arguments, calendar, "Nowhere/Special");
    EXPECT_EQ(unknown.status, status);
    EXPECT_EQ(unknown.out, out);
    EXPECT_EQ(unknown.err,
              "dayweave: warning: the machine's time zone \"Nowhere/Special\" is not one libical "
              "knows; times are shown in UTC\n");
  }
}

// "-@ZONE" looks like an option to a command-line parser; it is a required person's standard
// input on Tokyo's clock, where 09:00 is midnight UTC, and stands before or after a file alike.
TEST(ProgramTest, StandardInputOnAZonesClockIsARequiredCalendar) {
  const std::vector<std::string> options = {
      "--tz", "UTC", "--hours", "00:00-23:59", "--person-hours", "-@Asia/Tokyo=09:00-10:00"};
  for (const std::vector<std::string>& calendars :
       {std::vector<std::string>{"-@Asia/Tokyo", testing::kSamplePath},
        std::vector<std::string>{testing::kSamplePath, "-@Asia/Tokyo"}}) {
    std::vector<std::string> arguments = {"meet", "2024-03-04", "2024-03-05", "60"};
    arguments.insert(arguments.end(), calendars.begin(), calendars.end());
    arguments.insert(arguments.end(), options.begin(), options.end());
    const Outcome outcome = Agent(arguments, testing::Calendar(""));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "(tell :t1 (3/4/2024))\n");
  }
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
  const Outcome busy = Program({"free", "-", "4/14/2003 10:40 AM"}, call, "Europe/Berlin");
  EXPECT_EQ(busy.status, 1);
  EXPECT_EQ(busy.out, "busy\nBusy          Call\n");
  EXPECT_EQ(Program({"free", "-", "13/13/2003"}, call, "UTC").status, 2);
  const Outcome tour = Program({}, "", "UTC");
  EXPECT_EQ(tour.status, 0);
  EXPECT_EQ(tour.out.rfind("dayweave: a tour of the bundled sample", 0), 0u);
}

}  // namespace
}  // namespace dayweave::agent
