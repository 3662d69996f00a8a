#include "agent/cli/meet_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "agent/input/test_servers.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Agent;
using testing::Outcome;

const std::string kExamples = std::string(DAYWEAVE_SOURCE_DIR) + "/examples/";

// meet's bad input, owners' zones and explanations are rows of testdata/command-answers.txt.

// Ana in New York and Bo in Berlin on a CalDAV server, one event per resource. Ana's
// collection names no zone, so her URL carries @America/New_York; Bo's names Europe/Berlin
// (behind an exporter's prefix) in its calendar-timezone, as his file does in X-WR-TIMEZONE.
class MeetOverUrls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new testing::Radicale;
    server->PutEachEvent("ana", "/ana/calendar/",
                         testing::ReadTestFile(kExamples + "ana-new-york.ics"));
    server->PutEachEvent("bo", "/bo/calendar/", testing::ReadTestFile(kExamples + "bo-berlin.ics"));
    const long answer = server->Send("bo", "PROPPATCH", "/bo/calendar/",
                                     testing::TestData("bo-calendar-timezone.xml"));
    EXPECT_EQ(answer, 207) << "PROPPATCH calendar-timezone";
    setenv("DAYWEAVE_PASSWORD", testing::kAnaPassword.c_str(), 1);
  }
  static void TearDownTestSuite() {
    unsetenv("DAYWEAVE_PASSWORD");
    delete server;
  }

  // A netrc file that gives bo `password`.
  static std::string Netrc(const testing::ScratchFolder& folder, const std::string& password) {
    const std::string path = folder.path + "/netrc";
    std::ofstream(path) << "machine 127.0.0.1 login bo password " << password << "\n";
    return path;
  }

  static testing::Radicale* server;
};
testing::Radicale* MeetOverUrls::server = nullptr;

// An answer less its DTSTAMP and UID lines: the time of the run and the calendars' names.
std::string Comparable(const std::string& answer) {
  std::istringstream lines(answer);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("DTSTAMP") && !line.starts_with("UID")) kept += line + "\n";
  }
  return kept;
}

TEST_F(MeetOverUrls, AnswersAsTheSameCalendarsInFiles) {
  ASSERT_TRUE(server->Running());
  testing::ScratchFolder folder;
  const std::string ana = server->Url("/ana/calendar/") + "@America/New_York";
  const std::string bo = "http://bo@" + server->Url("/bo/calendar/").substr(7);
  const std::string netrc = Netrc(folder, testing::kBoPassword);
  // ana works 08:00-12:00 New York, 13:00-17:00 UTC; bo's 09:00-17:00 end at 16:00 UTC in
  // Berlin, but at 17:00 on the UTC clock, so bo@UTC finds more slots. The login options are
  // given to the files too, where they change nothing.
  const auto ask = [&](std::vector<std::string> words) {
    words.insert(words.end(), {"--tz", "UTC", "--user", "ana", "--netrc", netrc});
    return Agent(words);
  };
  const auto answers = [&](const std::string& a, const std::string& b) {
    const std::string cy = kExamples + "cy-tokyo.ics", hours = a + "=08:00-12:00";
    return std::vector<Outcome>{ask({"meet", "2024-03-04", "2024-03-09", "60", a, b, "--optional",
                                     cy, "--json", "--person-hours", hours}),
                                ask({"meet", "2024-03-04", "2024-03-09", "60", a, b + "@UTC",
                                     "--optional", cy, "--json", "--person-hours", hours}),
                                ask({"freebusy", "2024-03-04", "2024-03-09", a, b})};
  };
  const std::vector<Outcome> files =
      answers(kExamples + "ana-new-york.ics", kExamples + "bo-berlin.ics");
  const std::vector<Outcome> urls = answers(ana, bo);
  for (std::size_t question = 0; question < urls.size(); ++question) {
    SCOPED_TRACE(question);
    EXPECT_EQ(urls[question].status, 0) << urls[question].err;
    EXPECT_EQ(urls[question].err, files[question].err);
    EXPECT_EQ(Comparable(urls[question].out), Comparable(files[question].out));
  }
  EXPECT_NE(urls[0].out, urls[1].out);
  EXPECT_NE(urls[2].out.find("\nFREEBUSY"), std::string::npos);
}

TEST_F(MeetOverUrls, ACalendarThatCannotBeReadIsTheOneError) {
  testing::ScratchFolder folder;
  const std::string bo = "http://bo@" + server->Url("/bo/calendar/").substr(7);
  const Outcome outcome =
      Agent({"meet", "2024-03-04", "2024-03-09", "60", server->Url("/ana/calendar/"), bo,
             kExamples + "cy-tokyo.ics", "--user", "ana", "--netrc", Netrc(folder, "wrong"),
             "--timeout", "10", "--verbose"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.out, "");
  const std::string line =
      "dayweave: meet: " + server->Url("/bo/calendar/") + ": not authorised (HTTP 401)\n";
  EXPECT_TRUE(outcome.err.ends_with(line)) << outcome.err;
  EXPECT_NE(outcome.err.find("REPORT " + server->Url("/ana/calendar/") + ": HTTP 207"),
            std::string::npos)
      << outcome.err;
  for (const std::string& secret : {testing::kAnaPassword, testing::kBoPassword}) {
    EXPECT_EQ(outcome.err.find(secret), std::string::npos) << outcome.err;
  }
}

}  // namespace
}  // namespace dayweave::agent
