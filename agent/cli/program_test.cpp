// The dayweave program as a person or a script runs it: in process for the README's examples,
// every kind of bad input and the tables of answers in agent/testdata, and once as a separate
// process for its exit statuses.
#include "agent/cli/program.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <utility>

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
// exit status 2) and of answers.txt, command-answers.txt and cli-answers.txt (a command line
// on a calendar of one shape | its exit status | standard output | standard error | the file on
// standard input | the machine's zone).
TEST(ProgramTest, TheTablesOfAnswersHold) {
  std::filesystem::current_path(testing::TestDataPath(""));
  std::vector<std::vector<std::string>> rows;
  for (const auto& row : testing::TableRows("error-lines.txt")) {
    rows.push_back({row.at(0), "2", "", "dayweave: " + row.at(1) + "\n"});
  }
  EXPECT_EQ(rows.size(), 35u);
  for (const char* table : {"answers.txt", "command-answers.txt", "cli-answers.txt"}) {
    for (const auto& row : testing::TableRows(table)) rows.push_back(row);
  }
  for (const auto& row : rows) {
    const Outcome result =
        Agent(Words(row.at(0)), row.size() > 4 ? testing::ReadTestFile(row[4]) : "",
              row.size() > 5 ? row[5] : "UTC");
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

// The program run through the shell with TZ set to `tz` and the file `input` of agent/testdata
// on its standard input: its exit status and standard output.
std::pair<int, std::string> Program(const std::vector<std::string>& arguments,
                                    const std::string& input, const std::string& tz) {
  const std::string command = "TZ='" + tz + "' " + testing::ProgramCommand(arguments) + " <'" +
                              testing::TestDataPath(input) + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// The process's own exit statuses, standard input and the machine's zone from TZ: 5:40 PM in
// Tokyo is inside the call of 08:30-09:00 UTC.
TEST(ProgramTest, AsAProcess) {
  const std::string call = "commands/call-in-berlin.ics";
  EXPECT_EQ(Program({"free", "-", "4/14/2003 5:40 PM"}, call, "Asia/Tokyo"),
            std::make_pair(1, std::string("busy\nBusy          Call\n")));
  EXPECT_EQ(Program({"free", "-", "13/13/2003"}, call, "UTC").first, 2);
}

}  // namespace
}  // namespace dayweave::agent
