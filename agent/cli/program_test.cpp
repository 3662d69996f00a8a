// The dayweave program run as a separate process, as a person or a script runs it: its
// standard output, its standard error and its exit status.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program through the shell with `input` on its standard input and TZ set to `tz`.
// The arguments are single-quoted; none of them holds a quote.
Outcome Program(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::string& tz = "UTC") {
  const std::string base = "/tmp/dayweave-program-test-" + std::to_string(getpid());
  std::ofstream(base + ".in", std::ios::binary) << input;
  std::string command = "TZ='" + tz + "' '" DAYWEAVE_AGENT_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " <" + base + ".in >" + base + ".out 2>" + base + ".err";
  const int status = std::system(command.c_str());
  Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                  testing::ReadTestFile(base + ".out"), testing::ReadTestFile(base + ".err")};
  for (const char* suffix : {".in", ".out", ".err"}) unlink((base + suffix).c_str());
  return outcome;
}

const std::string& kSample = testing::kSamplePath;

// A few representative runs, one for each exit status; every error line is checked in
// process by the commands' tests.
TEST(ProgramTest, ExitStatusesOutputAndErrors) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {{"free", kSample, "1/13/2003 9:30 AM", "30"}, 1, "busy\nBusy          Weekly review\n", ""},
      {{"free", kSample, "2003-01-13T10:00", "30"}, 0, "free\n", ""},
      {{"free", kSample, "13/13/2003"},
       2,
       "",
       "dayweave: free: WHEN \"13/13/2003\" is not a date and time\n"},
      {{"free", "/nonexistent/calendar.ics", "4/14/2003"},
       2,
       "",
       "dayweave: /nonexistent/calendar.ics: cannot read the file (No such file or directory)\n"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Program(c.arguments);
    EXPECT_EQ(outcome.status, c.status) << c.arguments[2];
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
  }
  // Without arguments it runs the tour.
  const Outcome tour = Program({});
  EXPECT_EQ(tour.status, 0);
  EXPECT_EQ(tour.out.rfind("dayweave: a tour of the bundled sample calendar", 0), 0u);
}

TEST(ProgramTest, StandardInputAndTheMachinesZoneFromTz) {
  const std::string calendar = testing::Calendar(
      testing::Event("UID:c\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  const Outcome berlin = Program({"list", "-"}, calendar, "Europe/Berlin");
  EXPECT_EQ(berlin.status, 0);
  EXPECT_EQ(berlin.out,
            "1     4/14/2003 10:30:00 AM  4/14/2003 11:00:00 AM  30 Minutes  Busy  -  Call\n");
}

}  // namespace
}  // namespace dayweave::agent
