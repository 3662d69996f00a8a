// A calendar on a CalDAV server answers every command as the same calendar in a file does.
#include "agent/cli/invocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "agent/input/test_servers.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Agent;
using testing::Outcome;

// A listing without its index column: a server asked about some days hands back only the
// events that meet them, and numbers those.
std::string WithoutIndex(const std::string& listing) {
  std::istringstream lines(listing);
  std::string result;
  for (std::string line; std::getline(lines, line);) {
    const auto rest = line.find_first_not_of(' ', line.find(' '));
    result += (rest == std::string::npos ? line : line.substr(rest)) + "\n";
  }
  return result;
}

TEST(InvocationTest, ACalDavCalendarAnswersAsTheSameFile) {
  const testing::Radicale server;
  ASSERT_TRUE(server.Running());
  server.PutEachEvent("ana", "/ana/sample/", testing::ReadTestFile(testing::kSamplePath));
  const std::string url = server.Url("/ana/sample/");
  setenv("DAYWEAVE_PASSWORD", testing::kAnaPassword.c_str(), 1);
  const std::vector<std::vector<std::string>> questions = {
      {"list"},
      {"list", "--on", "2003-04-15"},
      {"occurs", "1/13/2003"},
      {"free", "1/13/2003 9:30 AM", "30"},
      {"free", "4/2/2003 6:30 PM", "--tz", "Asia/Tokyo"},
      {"slots", "4/12/2003", "4/15/2003", "60", "--weekdays", "--text"},
  };
  for (std::vector<std::string> question : questions) {
    std::vector<std::string> fromFile = question, fromServer = question;
    fromFile.insert(fromFile.begin() + 1, testing::kSamplePath);
    fromServer.insert(fromServer.begin() + 1, url);
    fromServer.insert(fromServer.end(), {"--user", "ana", "--verbose"});
    const Outcome file = Agent(fromFile), served = Agent(fromServer);
    SCOPED_TRACE(question[0] + " " + (question.size() > 1 ? question[1] : ""));
    EXPECT_EQ(served.status, file.status);
    const bool someDays = question[0] == "occurs" || (question[0] == "list" && question.size() > 1);
    EXPECT_EQ(someDays ? WithoutIndex(served.out) : served.out,
              someDays ? WithoutIndex(file.out) : file.out);
    EXPECT_NE(served.err.find("REPORT " + url + ": HTTP 207"), std::string::npos) << served.err;
    EXPECT_EQ(served.err.find(testing::kAnaPassword), std::string::npos) << served.err;
  }
  unsetenv("DAYWEAVE_PASSWORD");
  const Outcome refused = Agent({"list", url, "--user", "ana"});
  EXPECT_EQ(refused.status, kExitError);
  EXPECT_EQ(refused.err, "dayweave: list: " + url + ": not authorised (HTTP 401)\n");
}

}  // namespace
}  // namespace dayweave::agent
