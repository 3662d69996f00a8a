#include "agent/input/caldav_source.h"

#include <gtest/gtest.h>

#include "agent/input/test_servers.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

std::vector<std::string> Hrefs(const FetchedCalendar& calendar) {
  std::vector<std::string> hrefs;
  for (const CalendarResource& resource : calendar.resources) hrefs.push_back(resource.href);
  return hrefs;
}

// The window, the GET path and the certificate against a real server; the whole calendar
// (no window) is read by cli/invocation_test.cpp, the order by href whatever order the server
// keeps is checked against /odd/ below, the calendar-timezone and each calendar's own login in
// cli/meet_command_test.cpp.
TEST(FetchCalendars, AsksForTheWindowADayWiderAndVerifiesTheCertificate) {
  const testing::Radicale server(true);
  ASSERT_TRUE(server.Running());
  // The window is 13 January (UTC): the floating 02.ics on the 14th at 20:00 and 05.ics on the
  // 12th at 02:00 lie outside it, but within a day of it; 03.ics and 04.ics lie further out.
  server.PutEachEvent("ana", "/ana/work/", testing::TestData("caldav/window.ics"));
  const CredentialOptions login{"ana", testing::kAnaPassword, ""};
  const FetchOptions ana{login, {.caFile = server.Certificate()}};
  const TimeWindow day{sys_days(2003y / 1 / 13), sys_days(2003y / 1 / 14)};
  const std::string work = server.Url("/ana/work/");
  const FetchedCalendar calendar = FetchCalendars({work}, day, ana)[0];
  EXPECT_EQ(calendar.error, "");
  EXPECT_EQ(Hrefs(calendar),
            (std::vector<std::string>{"/ana/work/01.ics", "/ana/work/02.ics", "/ana/work/05.ics"}));
  EXPECT_EQ(calendar.resources.at(0).url, server.Url("/ana/work/01.ics"));
  // No collection: read with a GET.
  EXPECT_EQ(Hrefs(FetchCalendars({server.Url("/ana/work/01.ics")}, day, ana)[0]),
            std::vector<std::string>{""});
  // Without the certificate's authority the server is not trusted.
  const FetchedCalendar refused = FetchCalendars({work}, day, FetchOptions{login, {}})[0];
  EXPECT_TRUE(refused.error.starts_with(work + ": TLS: ")) << refused.error;
}

// Each way a server can go wrong makes one line naming the URL: a server that is not there, and
// each row of fetch-faults.txt.
TEST(FetchCalendars, EachBadAnswerIsOneLineNamingTheUrl) {
  testing::FakeServer fake;
  const auto rows = testing::TableRows("fetch-faults.txt");
  std::vector<std::string> urls = {
      "http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()) + "/"};
  for (const auto& row : rows) urls.push_back(fake.Url(row.at(0)));
  const FetchOptions options{.credentials = {"ana", testing::kAnaPassword, ""},
                             .limits = {seconds(1), seconds(10), 65536, ""}};
  const auto start = steady_clock::now();
  const auto calendars = FetchCalendars(urls, std::nullopt, options);
  // All at once: the whole batch ends within a few timeouts, however slow the machine.
  EXPECT_LT(steady_clock::now() - start, seconds(10));
  EXPECT_EQ(calendars[0].error, urls[0] + ": could not connect to the server");
  for (std::size_t i = 1; i < urls.size(); ++i) {
    const std::vector<std::string>& row = rows[i - 1];
    const auto named = [&](const std::string& cell) {
      return cell.empty() ? cell : urls[i] + ": " + cell;
    };
    EXPECT_EQ(calendars[i].error, named(row.at(1)));
    EXPECT_EQ(calendars[i].resources.size(), std::stoul(row.at(2))) << row[0];
    EXPECT_EQ(calendars[i].warnings, std::vector(!row.at(3).empty(), named(row[3]))) << row[0];
  }
  for (const FetchedCalendar& calendar : calendars) {
    // Nothing a command could print about the calendar shows the password.
    std::string shown = calendar.url + "\n" + calendar.error;
    for (const std::string& line : calendar.exchanges) shown += "\n" + line;
    EXPECT_EQ(shown.find(testing::kAnaPassword), std::string::npos) << shown;
  }
  // The last row's resources, in href order whatever order the server keeps.
  EXPECT_EQ(Hrefs(calendars.back()), (std::vector<std::string>{"/odd/a.ics", "/odd/b.ics"}));
}

}  // namespace
}  // namespace dayweave::agent
