#include "agent/input/caldav_source.h"

#include <gtest/gtest.h>

#include <fstream>

#include "agent/input/test_servers.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// A calendar object resource: one event of an hour from `start`.
std::string EventAt(const std::string& uid, const std::string& start) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//dayweave//tests//EN\r\nBEGIN:VEVENT\r\n"
         "UID:" +
         uid + "\r\nDTSTAMP:20030101T000000Z\r\nDTSTART:" + start +
         "\r\nDURATION:PT1H\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::vector<std::string> Hrefs(const FetchedCalendar& calendar) {
  std::vector<std::string> hrefs;
  for (const CalendarResource& resource : calendar.resources) hrefs.push_back(resource.href);
  return hrefs;
}

// Every line a command could print about the calendar, none of which may show a password.
void ExpectNoSecret(const FetchedCalendar& calendar) {
  std::vector<std::string> lines = calendar.warnings;
  lines.insert(lines.end(), calendar.exchanges.begin(), calendar.exchanges.end());
  lines.push_back(calendar.error);
  lines.push_back(calendar.url);
  for (const std::string& line : lines) {
    for (const std::string& secret : {testing::kAnaPassword, testing::kBoPassword}) {
      EXPECT_EQ(line.find(secret), std::string::npos) << line;
    }
  }
}

class RadicaleSource : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new testing::Radicale;
    const std::string zone =
        "<C:calendar-timezone>BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
        "END:STANDARD\r\nEND:VTIMEZONE\r\nEND:VCALENDAR\r\n</C:calendar-timezone>";
    server->Send("ana", "MKCALENDAR", "/ana/work/",
                 "<C:mkcalendar xmlns:D='DAV:' xmlns:C='urn:ietf:params:xml:ns:caldav'><D:set>"
                 "<D:prop>" +
                     zone + "</D:prop></D:set></C:mkcalendar>");
    // Put out of order: the answers must come back by href whatever order the server keeps.
    const std::pair<const char*, const char*> events[] = {{"c", "20030120T100000Z"},
                                                          {"e", "20030112T020000Z"},
                                                          {"a", "20030113T100000Z"},
                                                          {"d", "20030115T120000Z"},
                                                          {"b", "20030114T200000"}};
    for (const auto& [name, start] : events) {
      server->Send("ana", "PUT", "/ana/work/" + std::string(name) + ".ics", EventAt(name, start));
    }
    server->Send("bo", "MKCALENDAR", "/bo/home/", "");
    server->Send("bo", "PUT", "/bo/home/x.ics", EventAt("x", "20030113T090000Z"));
  }
  static void TearDownTestSuite() { delete server; }
  static testing::Radicale* server;
};
testing::Radicale* RadicaleSource::server = nullptr;

TEST_F(RadicaleSource, AsksForTheWindowADayWiderAndOrdersByHref) {
  ASSERT_TRUE(server->Running());
  const FetchOptions ana{.credentials = {"ana", testing::kAnaPassword, ""}, .limits = {}};
  // The window is 13 January (UTC). The floating b on the 14th at 20:00 and e on the 12th at
  // 02:00 lie outside it, but within a day of it; d and c lie further out.
  const TimeWindow day{sys_days(2003y / 1 / 13), sys_days(2003y / 1 / 14)};
  const std::string work = server->Url("/ana/work/");
  const struct {
    std::string url;
    std::optional<TimeWindow> window;
    std::vector<std::string> hrefs;
  } rows[] = {
      {work,
       std::nullopt,
       {"/ana/work/a.ics", "/ana/work/b.ics", "/ana/work/c.ics", "/ana/work/d.ics",
        "/ana/work/e.ics"}},
      {work, day, {"/ana/work/a.ics", "/ana/work/b.ics", "/ana/work/e.ics"}},
      {server->Url("/ana/work/a.ics"), day, {""}},  // no collection: read with a GET
  };
  for (const auto& row : rows) {
    const FetchedCalendar calendar = FetchCalendars({row.url}, row.window, ana)[0];
    EXPECT_EQ(calendar.error, "");
    EXPECT_EQ(Hrefs(calendar), row.hrefs) << row.url;
  }
  const FetchedCalendar calendar = FetchCalendars({work}, day, ana)[0];
  EXPECT_EQ(calendar.timeZoneId, "Europe/Berlin");
  EXPECT_NE(calendar.resources[0].text.find("UID:a"), std::string::npos);
  EXPECT_EQ(calendar.resources[0].url, server->Url("/ana/work/a.ics"));
}

// A refused login is checked through the command line in cli/invocation_test.cpp.
TEST_F(RadicaleSource, EachCalendarLogsInAsItsOwner) {
  testing::ScratchFolder folder;
  const std::string netrc = folder.path + "/netrc";
  std::ofstream(netrc) << "machine 127.0.0.1 login bo password " << testing::kBoPassword
                       << "\nmachine 127.0.0.1 login ana password " << testing::kAnaPassword
                       << "\n";
  const std::string bo = "http://bo@" + server->Url("/bo/home/").substr(7);
  const FetchOptions options{{"ana", testing::kAnaPassword, netrc}, {}};
  const auto calendars = FetchCalendars({server->Url("/ana/work/"), bo}, std::nullopt, options);
  for (const FetchedCalendar& calendar : calendars) {
    EXPECT_EQ(calendar.error, "") << calendar.url;
    EXPECT_FALSE(calendar.resources.empty()) << calendar.url;
    ExpectNoSecret(calendar);
  }
}

TEST(FetchCalendars, VerifiesTheServersCertificate) {
  const testing::Radicale server(true);
  ASSERT_TRUE(server.Running());
  server.Send("ana", "MKCALENDAR", "/ana/work/", "");
  server.Send("ana", "PUT", "/ana/work/a.ics", EventAt("a", "20030113T100000Z"));
  const CredentialOptions ana{"ana", testing::kAnaPassword, ""};
  const FetchOptions systemAuthorities{ana, {}};
  const FetchOptions privateAuthority{ana, {.caFile = server.Certificate()}};
  const std::string url = server.Url("/ana/work/");
  const FetchedCalendar refused = FetchCalendars({url}, std::nullopt, systemAuthorities)[0];
  EXPECT_TRUE(refused.error.starts_with(url + ": TLS: ")) << refused.error;
  const FetchedCalendar trusted = FetchCalendars({url}, std::nullopt, privateAuthority)[0];
  EXPECT_EQ(trusted.error, "");
  EXPECT_EQ(Hrefs(trusted), std::vector<std::string>{"/ana/work/a.ics"});
}

TEST(FetchCalendars, EachBadAnswerIsOneLineNamingTheUrl) {
  testing::FakeServer fake;
  const struct {
    std::string url, error;
  } rows[] = {
      {"http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()) + "/",
       "could not connect to the server"},
      {fake.Url("/silent"), "timed out: no complete answer within 1 second"},
      {fake.Url("/status/401"), "not authorised (HTTP 401)"},
      {fake.Url("/status/403"), "not authorised (HTTP 403)"},
      {fake.Url("/status/404"), "not found (HTTP 404)"},
      {fake.Url("/status/500"), "server error (HTTP 500)"},
      {fake.Url("/html"), "the answer is not iCalendar (Content-Type text/html)"},
      {fake.Url("/bad-xml"), "the PROPFIND answer is not well-formed XML"},
      {fake.Url("/huge"), "the answer is larger than 65536 bytes (--max-bytes)"},
  };
  std::vector<std::string> urls;
  for (const auto& row : rows) urls.push_back(row.url);
  const FetchOptions options{.credentials = {"ana", testing::kAnaPassword, ""},
                             .limits = {seconds(1), seconds(10), 65536, ""}};
  const auto start = steady_clock::now();
  const auto calendars = FetchCalendars(urls, std::nullopt, options);
  // All at once: the whole batch ends within a few timeouts, however slow the machine.
  EXPECT_LT(steady_clock::now() - start, seconds(10));
  for (std::size_t i = 0; i < urls.size(); ++i) {
    EXPECT_EQ(calendars[i].error, rows[i].url + ": " + rows[i].error);
    EXPECT_TRUE(calendars[i].resources.empty());
    ExpectNoSecret(calendars[i]);
  }
}

TEST(FetchCalendars, AnswersADigestChallenge) {
  testing::FakeServer fake;
  const FetchOptions ana{{"ana", testing::kAnaPassword, ""}, {}};
  const FetchedCalendar calendar = FetchCalendars({fake.Url("/digest")}, std::nullopt, ana)[0];
  EXPECT_EQ(calendar.error, "");
  EXPECT_EQ(calendar.resources.size(), 1u);
}

TEST(FetchCalendars, SkipsACalendarDataItemThatIsNoCalendar) {
  testing::FakeServer fake;
  const FetchedCalendar calendar = FetchCalendars({fake.Url("/odd/")}, std::nullopt, {})[0];
  EXPECT_EQ(calendar.error, "");
  EXPECT_EQ(Hrefs(calendar), (std::vector<std::string>{"/odd/a.ics", "/odd/b.ics"}));
  EXPECT_EQ(calendar.warnings,
            std::vector<std::string>{fake.Url("/odd/") +
                                     ": /odd/c.ics skipped: its calendar-data is not iCalendar"});
}

}  // namespace
}  // namespace dayweave::agent
