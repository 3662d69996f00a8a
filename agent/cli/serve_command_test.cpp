// `dayweave serve` run as its own process on a free loopback port and asked over TCP: its
// answers agree with the command line's, it tells nobody what the user does without
// --details, it reads a calendar again when it changes (a file on disk, a calendar on a real
// CalDAV server in the background), and it stops cleanly on a signal, even mid-fetch.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>
#include <utility>

#include "agent/input/test_servers.h"
#include "agent/service/test_client.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::TestClient;

// The program serving with `arguments` (after "serve"), started by a shell that writes its
// process ID and then becomes the program; its standard error in a file.
struct Serving {
  explicit Serving(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "serve");
    const std::string command = "echo $$; exec " + testing::ProgramCommand(arguments);
    out = popen((command + " 2>'" + errPath + "'").c_str(), "r");
    char line[256];
    if (std::fgets(line, sizeof line, out) != nullptr) pid = std::atoi(line);
    if (std::fgets(line, sizeof line, out) != nullptr) firstLine = line;
    if (firstLine.starts_with("listening on 127.0.0.1:")) {
      port = static_cast<std::uint16_t>(std::stoi(firstLine.substr(23)));
    }
  }
  ~Serving() { Stop(SIGKILL); }

  // Sends `signal` and waits for the program: its exit status, -1 when a signal ended it.
  int Stop(int signal = SIGTERM) {
    if (out == nullptr) return -1;
    if (pid > 0) kill(pid, signal);
    const int status = pclose(std::exchange(out, nullptr));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  const std::string errPath = "/tmp/dayweave-serve-test-" + std::to_string(getpid()) + ".err";
  std::FILE* out = nullptr;
  pid_t pid = 0;
  std::uint16_t port = 0;
  std::string firstLine;
};

// The service's reply to the command line's answer: the same message, with the envelope
// and the zone right after `tell`, or the same error text.
std::string Expected(const std::string& command, const testing::Outcome& cli) {
  if (cli.status == 2) {
    const std::string prefix = "dayweave: " + command + ": ";
    EXPECT_EQ(cli.err.rfind(prefix, 0), 0u) << cli.err;
    std::string quoted;
    for (char c : cli.err.substr(prefix.size(), cli.err.size() - prefix.size() - 1))
      quoted += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return "(error :sender dayweave :comment \"" + quoted + "\")";
  }
  if (command == "free") {
    return std::string("(tell :sender dayweave :content (") + (cli.status == 0 ? "free" : "busy") +
           "))";
  }
  return "(tell :sender dayweave :zone UTC" + cli.out.substr(5, cli.out.size() - 6);
}

TEST(ServeTest, AnswersAgreeWithTheCommandLineOverAWeek) {
  Serving serving({testing::kSamplePath, "--port", "0", "--tz", "UTC", "--quiet"});
  ASSERT_NE(serving.port, 0) << serving.firstLine;
  TestClient client(serving.port);

  std::vector<std::pair<std::string, std::vector<std::string>>> questions;  // command, its words
  for (int day = 14; day < 21; ++day) {
    for (int minute = 0; minute < 24 * 60; minute += 15) {
      char when[24];
      std::snprintf(when, sizeof when, "2003-04-%02dT%02d:%02d", day, minute / 60, minute % 60);
      questions.push_back({"free", {when}});
      questions.push_back({"free", {when, "45"}});
    }
    const std::string from = "4/" + std::to_string(day) + "/2003";
    const std::string to = "4/" + std::to_string(day + 1) + "/2003";
    for (const char* minutes : {"15", "30", "60", "90", "480"}) {
      questions.push_back({"slots", {from, to, minutes}});
    }
    questions.push_back({"slots", {from, to, "60", ":step", "15", ":hours", "07:30-19:00"}});
  }
  questions.insert(questions.end(),
                   {{"slots", {"4/14/2003", "4/21/2003", "30", ":weekdays", ":step", "60"}},
                    {"free", {"4/31/2003"}},
                    {"free", {"4/14/2003", "0"}},
                    {"free", {"4/14/2003", "x"}},
                    {"slots", {"4/15/2003", "4/14/2003", "60"}},
                    {"slots", {"4/14/2003", "4/15/2003", "60", ":hours", "17:00-09:00"}}});

  // In an order that jumps back and forth in time, as many askers at once would ask.
  std::shuffle(questions.begin(), questions.end(), std::mt19937(2003));
  std::string text;
  for (const auto& [command, words] : questions) {
    text += "(ask-one :content (" + command;
    for (const std::string& word : words) text += word[0] == ':' ? " " + word : " \"" + word + "\"";
    text += "))\n";
  }
  client.Send(text);  // all of them at once: the answers come back in order
  for (const auto& [command, words] : questions) {
    std::vector<std::string> arguments = {command, testing::kSamplePath};
    for (const std::string& word : words) {
      arguments.push_back(word[0] == ':' ? "--" + word.substr(1) : word);
    }
    arguments.insert(arguments.end(), {"--tz", "UTC"});
    ASSERT_EQ(client.Line(), Expected(command, testing::Agent(arguments)))
        << command << " " << words[0];
  }
  EXPECT_EQ(serving.Stop(SIGINT), 0);
  EXPECT_EQ(client.Line(), "<closed>");
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The service's answer to whether 14 April 2003 at `when` is free.
std::string Ask(TestClient& client, const std::string& when) {
  client.Send("(ask-one :content (free \"4/14/2003 " + when + "\"))");
  return client.Line();
}

const std::string kBusy = "(tell :sender dayweave :content (busy))";
const std::string kFree = "(tell :sender dayweave :content (free))";

// Without --details a busy answer names nothing (met over a week above) and occurs is refused;
// with it, both name the subjects, as the project kickoff from 10:00 to 11:30.
TEST(ServeTest, OnlyWithDetailsDoAnswersNameWhatTheUserDoes) {
  for (const bool details : {false, true}) {
    std::vector<std::string> arguments = {
        testing::kSamplePath, "--port", "0", "--tz", "UTC", "--quiet"};
    if (details) arguments.push_back("--details");
    Serving serving(arguments);
    TestClient client(serving.port);
    client.Send("(ask-all :content (occurs 4/14/2003))");
    const std::string occurs = client.Line();
    EXPECT_EQ(occurs.find("\"Project kickoff\"") != std::string::npos, details) << occurs;
    EXPECT_EQ(occurs.starts_with("(sorry :sender dayweave :comment"), !details) << occurs;
    EXPECT_EQ(Ask(client, "10:30 AM"),
              details ? "(tell :sender dayweave :content (busy \"Project kickoff\"))" : kBusy);
  }
}

TEST(ServeTest, ACalendarChangedOnDiskIsReadAgain) {
  const std::string path = "/tmp/dayweave-serve-test-" + std::to_string(getpid()) + ".ics";
  const auto write = [&](const std::string& text) {
    const std::string temporary = path + ".new";
    std::ofstream(temporary, std::ios::binary) << text;
    std::rename(temporary.c_str(), path.c_str());
  };
  const auto meeting = [](const char* start) {
    return testing::Calendar(testing::Event(std::string("UID:m\nSUMMARY:M\nDTSTART:20030414T") +
                                            start + "\nDURATION:PT1H\n"));
  };
  write(meeting("100000"));
  Serving serving({path, "--port", "0", "--tz", "UTC"});
  TestClient client(serving.port);
  EXPECT_EQ(Ask(client, "10:30 AM"), kBusy);
  write(meeting("140000"));
  EXPECT_EQ(Ask(client, "10:30 AM"), kFree);
  EXPECT_EQ(Ask(client, "2:30 PM"), kBusy);
  write("not a calendar");  // the last good version keeps answering, with one warning
  EXPECT_EQ(Ask(client, "2:30 PM"), kBusy);
  EXPECT_EQ(Ask(client, "2:30 PM"), kBusy);
  write(meeting("160000"));
  EXPECT_EQ(Ask(client, "2:30 PM"), kFree);
  EXPECT_EQ(serving.Stop(), 0);
  EXPECT_EQ(client.Line(), "<closed>");
  const std::string err = testing::ReadTestFile(serving.errPath);
  EXPECT_EQ(Count(err, "warning"), 1u) << err;
  EXPECT_EQ(Count(err, ": connection opened"), 1u) << err;
  EXPECT_EQ(Count(err, ": connection closed"), 1u) << err;
  std::remove(path.c_str());
}

// A CalDAV calendar of ana's on a real server, holding one-hour meetings on 14 April 2003.
struct ServerCalendar {
  ServerCalendar() : server(std::make_unique<testing::Radicale>()) {
    server->Send("ana", "MKCALENDAR", "/ana/work/", "");
    setenv("DAYWEAVE_PASSWORD", testing::kAnaPassword.c_str(), 1);
  }
  long Meeting(const std::string& uid, const std::string& start) const {
    const std::string event =
        "UID:" + uid + "\nSUMMARY:" + uid + "\nDTSTART:20030414T" + start + "Z\nDURATION:PT1H\n";
    return server->Send("ana", "PUT", "/ana/work/" + uid + ".ics",
                        testing::Calendar(testing::Event(event)));
  }
  std::string Url() const { return server->Url("/ana/work/"); }
  std::unique_ptr<testing::Radicale> server;
};

TEST(ServeTest, AUrlCalendarIsFetchedAgainInTheBackground) {
  ServerCalendar calendar;
  ASSERT_TRUE(calendar.server->Running());
  ASSERT_EQ(calendar.Meeting("m", "100000"), 201);
  const std::string url = calendar.Url();
  Serving serving(
      {url, "--user", "ana", "--refresh", "1", "--timeout", "5", "--port", "0", "--tz", "UTC"});
  ASSERT_NE(serving.port, 0) << serving.firstLine << testing::ReadTestFile(serving.errPath);
  TestClient client(serving.port);
  EXPECT_EQ(Ask(client, "10:30 AM"), kBusy);
  EXPECT_EQ(Ask(client, "2:30 PM"), kFree);

  ASSERT_EQ(calendar.Meeting("n", "140000"), 201);
  // Seen within a refresh or two: asked every tenth of a second, for at most ten seconds.
  for (int tries = 0; tries < 100 && Ask(client, "2:30 PM") != kBusy; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(Ask(client, "2:30 PM"), kBusy);

  // The server gone, fetch after fetch fails: the last version read keeps answering, and
  // one warning says so.
  calendar.server.reset();
  std::this_thread::sleep_for(std::chrono::milliseconds(3500));
  EXPECT_EQ(Ask(client, "10:30 AM"), kBusy);
  EXPECT_EQ(Ask(client, "2:30 PM"), kBusy);
  EXPECT_EQ(Ask(client, "4:30 PM"), kFree);
  EXPECT_EQ(serving.Stop(), 0);
  const std::string err = testing::ReadTestFile(serving.errPath);
  EXPECT_EQ(Count(err, "warning"), 1u) << err;
  EXPECT_EQ(Count(err, "dayweave: warning: " + url + ": "), 1u) << err;
  EXPECT_EQ(Count(err, "; the version read before keeps answering\n"), 1u) << err;
  EXPECT_EQ(err.find(testing::kAnaPassword), std::string::npos) << err;
}

TEST(ServeTest, AnswersAndASignalWaitForNoFetch) {
  ServerCalendar calendar;
  ASSERT_EQ(calendar.Meeting("m", "100000"), 201);
  Serving serving({calendar.Url(), "--user", "ana", "--refresh", "1", "--timeout", "60", "--port",
                   "0", "--tz", "UTC", "--quiet"});
  ASSERT_NE(serving.port, 0) << serving.firstLine << testing::ReadTestFile(serving.errPath);
  calendar.server->Pause();  // the next fetch waits for an answer that does not come
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  TestClient client(serving.port);  // the client waits five seconds at most for an answer
  EXPECT_EQ(Ask(client, "10:30 AM"), kBusy);
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(serving.Stop(), 0);
  // Well within the fetch's --timeout of a minute.
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(20));
  calendar.server->Resume();
}

}  // namespace
}  // namespace dayweave::agent
