// The dayweave program as a person or a script runs it: in process for the README's examples
// and every kind of bad input, and once as a separate process for its exit statuses.
#include "agent/cli/program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result Agent(const std::vector<std::string>& arguments, const std::string& input = "",
             const std::string& machineZone = "UTC") {
  std::istringstream in(input);
  std::ostringstream out, err;
  AgentIo io{in, out, err, machineZone};
  const int status = RunAgent(arguments, io);
  return Result{status, out.str(), err.str()};
}

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
    const Result result = Agent(command);
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

TEST(ProgramTest, AnswersTheREADMEDoesNotShow) {
  // The tax day is transparent: it blocks nothing.
  EXPECT_EQ(Agent({"free", kSample, "4/15/2003 6:00 AM", "60"}).status, 0);
  EXPECT_EQ(Agent({"free", kSample, "1/13/2003 11:30 AM"}).out, "busy\nOut Of Office Dentist\n");
  const std::string onTaxDay = Agent({"occurs", kSample, "4/15/2003"}).out;
  EXPECT_EQ(Agent({"list", kSample, "--on=2003-04-15"}).out, onTaxDay);
  // Saturday and Sunday, weekdays only: nothing.
  EXPECT_EQ(Agent({"slots", kSample, "4/12/2003", "4/14/2003", "60", "--weekdays"}).out,
            "(tell)\n");
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
    const Result result = Agent(Words(placed(row.at(0))));
    EXPECT_EQ(result.status, 2) << row[0];
    EXPECT_EQ(result.err, "dayweave: " + placed(row.at(1)) + "\n");
    EXPECT_EQ(result.out, "") << row[0];
  }
  EXPECT_EQ(rows.size(), 35u);
}

TEST(ProgramTest, HelpShowsEveryCommandsUsage) {
  EXPECT_NE(Agent({"--help"}).out.find("  dayweave slots CALENDAR FROM TO MINUTES"),
            std::string::npos);
  for (const char* command : {"list", "free", "occurs", "slots", "meet", "freebusy"}) {
    const Result one = Agent({command, "--help"});
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
  const Result unknown = Agent({"free", "-", "4/14/2003 8:40 AM"}, calendar, "Nowhere/Special");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err,
            "dayweave: warning: the machine's time zone \"Nowhere/Special\" is not one libical "
            "knows; times are shown in UTC\n");
}

TEST(ProgramTest, BrokenEventsAreWarnedAboutAndTheRestAnswers) {
  const Result broken = Agent({"free", testing::TestDataPath("broken.ics"), "4/14/2003 2:30 PM"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, "busy\nBusy          Readable after\n");
  EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 6);
  EXPECT_EQ(Agent({"occurs", kSample, "4/18/2003"}).err, "");
}

// libical counts the years before 1752 by the Julian rule and reads 29 February 1700; the
// library's Gregorian calendar has no such day, so the events that start or end on it are
// skipped with a warning, never listed with an invalid date.
TEST(ProgramTest, EventsOnADayTheLibraryLacksAreSkipped) {
  const std::string path = testing::TestDataPath("julian-leap-day.ics");
  const Result list = Agent({"list", path});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out,
            "3     3/1/1700 9:00:00 AM  3/1/1700 10:00:00 AM  60 Minutes  Busy  -  Readable\n");
  const std::string range =
      " is not a date of the library's calendar (years 100 to 9999, "
      "Gregorian)\n";
  EXPECT_EQ(list.err,
            "dayweave: " + path + ":4: event 1 (UID leap-1700@test) skipped: its DTSTART" + range +
                "dayweave: " + path + ":10: event 2 (UID ends-past@test) skipped: its end" + range);
}

// Runs the program through the shell with `input` on its standard input and TZ set to `tz`.
// The arguments are single-quoted; none of them holds a quote.
Result Program(const std::vector<std::string>& arguments, const std::string& input,
               const std::string& tz) {
  const std::string base = "/tmp/dayweave-program-test-" + std::to_string(getpid());
  std::ofstream(base + ".in", std::ios::binary) << input;
  std::string command = "TZ='" + tz + "' '" DAYWEAVE_AGENT_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " <" + base + ".in >" + base + ".out 2>" + base + ".err";
  const int status = std::system(command.c_str());
  Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadTestFile(base + ".out"),
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
    const Result result = Program(c.arguments, call, c.tz);
    EXPECT_EQ(result.status, c.status) << c.arguments.back();
    EXPECT_EQ(result.out, c.out);
  }
  const Result tour = Program({}, "", "UTC");
  EXPECT_EQ(tour.status, 0);
  EXPECT_EQ(tour.out.rfind("dayweave: a tour of the bundled sample", 0), 0u);
}

}  // namespace
}  // namespace dayweave::agent
