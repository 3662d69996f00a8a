// The dayweave program run as a separate process, as a person or a script runs it: its
// standard output, its standard error and its exit status.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class ScratchFile {
 public:
  explicit ScratchFile(const std::string& content = "") {
    char name[] = "/tmp/dayweave-program-test-XXXXXX";
    const int fd = mkstemp(name);
    path_ = name;
    if (fd >= 0) {
      const ssize_t written = write(fd, content.data(), content.size());
      EXPECT_EQ(written, static_cast<ssize_t>(content.size()));
      close(fd);
    }
  }
  ~ScratchFile() { unlink(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& Path() const { return path_; }
  std::string Read() const { return testing::ReadTestFile(path_); }

 private:
  std::string path_;
};

Outcome Program(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::string& tz = "UTC") {
  ScratchFile in(input), out, err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.Path().c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.Path().c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);
  std::vector<std::string> words = {DAYWEAVE_AGENT_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = {"TZ=" + tz};
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) variables.push_back(std::string(name) + "=" + value);
  }
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  Outcome outcome;
  if (posix_spawn(&child, DAYWEAVE_AGENT_PROGRAM, &actions, nullptr, argv.data(), envp.data()) ==
      0) {
    int status = 0;
    waitpid(child, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  outcome.out = out.Read();
  outcome.err = err.Read();
  return outcome;
}

const std::string kSample = std::string(DAYWEAVE_SOURCE_DIR) + "/examples/sample.ics";

TEST(ProgramTest, WithoutArgumentsItRunsTheTour) {
  const Outcome tour = Program({});
  EXPECT_EQ(tour.status, 0);
  EXPECT_EQ(tour.out.rfind("dayweave: a tour of the bundled sample calendar", 0), 0u);
  EXPECT_NE(tour.out.find("(tell :t1 (4/14/2003 9:00:00 AM) :t2 (4/15/2003 10:00:00 AM))"),
            std::string::npos);
  EXPECT_EQ(tour.err, "");
}

TEST(ProgramTest, ExitStatusesTellFreeBusyAndErrors) {
  const Outcome busy = Program({"free", kSample, "1/13/2003 9:30 AM", "30"});
  EXPECT_EQ(busy.status, 1);
  EXPECT_EQ(busy.out, "busy\nBusy          Weekly review\n");
  EXPECT_EQ(busy.err, "");
  const Outcome free = Program({"free", kSample, "1/13/2003 10:00 AM", "30"});
  EXPECT_EQ(free.status, 0);
  EXPECT_EQ(free.out, "free\n");
  const Outcome wrong = Program({"free", kSample, "13/13/2003"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_EQ(wrong.err, "dayweave: free: WHEN \"13/13/2003\" is not a date and time\n");
  EXPECT_EQ(Program({"occurs", kSample, "4/15/2003"}).status, 0);
  EXPECT_EQ(Program({"slots", kSample, "4/14/2003", "4/15/2003", "60"}).status, 0);
  EXPECT_EQ(Program({"list", kSample}).status, 0);
  EXPECT_EQ(Program({"--help"}).status, 0);
  EXPECT_EQ(Program({"list"}).status, 2);
  EXPECT_EQ(Program({"free", "/nonexistent/calendar.ics", "4/14/2003"}).status, 2);
}

TEST(ProgramTest, StandardInputAndTheMachinesZoneFromTz) {
  const std::string calendar = testing::Calendar(
      testing::Event("UID:c\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  const Outcome berlin = Program({"list", "-"}, calendar, "Europe/Berlin");
  EXPECT_EQ(berlin.status, 0);
  EXPECT_EQ(berlin.out,
            "1     4/14/2003 10:30:00 AM  4/14/2003 11:00:00 AM  30 Minutes  Busy  -  Call\n");
  EXPECT_EQ(Program({"list", "-"}, calendar, ":America/New_York").out,
            "1     4/14/2003 4:30:00 AM  4/14/2003 5:00:00 AM  30 Minutes  Busy  -  Call\n");
  EXPECT_EQ(Program({"list", "-", "--tz", "Asia/Tokyo"}, calendar, "Europe/Berlin").out,
            "1     4/14/2003 5:30:00 PM  4/14/2003 6:00:00 PM  30 Minutes  Busy  -  Call\n");
  const Outcome junk = Program({"list", "-"}, "\x01\x02 not a calendar \xff");
  EXPECT_EQ(junk.status, 2);
  EXPECT_EQ(
      junk.err,
      "dayweave: <stdin>: not an iCalendar file (libical finds no complete calendar in it)\n");
}

}  // namespace
}  // namespace dayweave::agent
