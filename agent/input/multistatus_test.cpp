#include "agent/input/multistatus.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

TEST(ReadMultistatus, KeepsTheFoundPropertiesOfResponsesWithAnHref) {
  const Multistatus answer = ReadMultistatus(
      "<?xml version='1.0'?>\n<multistatus xmlns='DAV:' xmlns:C='urn:ietf:params:xml:ns:caldav'>"
      "<response><href>/c/a.ics</href>"
      "  <propstat><prop><C:calendar-data>BEGIN:VCALENDAR&#13;\nX:a&amp;b</C:calendar-data>"
      "  <resourcetype><collection/><C:calendar/></resourcetype></prop>"
      "  <status>HTTP/1.1 200 OK</status></propstat>"
      "  <propstat><prop><C:calendar-timezone/></prop><status>HTTP/1.1 404 Not Found</status>"
      "  </propstat></response>"
      "<response><propstat><prop><getetag>1</getetag></prop><status>HTTP/1.1 200 OK</status>"
      "</propstat></response></multistatus>");
  ASSERT_EQ(answer.error, "");
  ASSERT_EQ(answer.responses.size(), 1u);
  const DavResponse& response = answer.responses[0];
  EXPECT_EQ(response.href, "/c/a.ics");
  ASSERT_NE(response.Find(kCalDavNamespace, "calendar-data"), nullptr);
  EXPECT_EQ(response.Find(kCalDavNamespace, "calendar-data")->text, "BEGIN:VCALENDAR\r\nX:a&b");
  EXPECT_EQ(response.Find(kCalDavNamespace, "calendar-timezone"), nullptr);
  EXPECT_EQ(response.Find(kDavNamespace, "calendar-data"), nullptr);
  const std::vector<XmlName> kinds = {{"DAV:", "collection"},
                                      {std::string(kCalDavNamespace), "calendar"}};
  EXPECT_EQ(response.Find(kDavNamespace, "resourcetype")->children, kinds);
}

TEST(ReadMultistatus, RefusesWhatIsNoMultistatusAndLoadsNothingFromOutside) {
  const struct {
    std::string body, error;
  } rows[] = {
      {"", "not well-formed XML"},
      {"<multistatus><response/></multistatus>", "no DAV multistatus"},
      {"<!DOCTYPE html><html><body>Sign in</body></html>", "no DAV multistatus"},
  };
  for (const auto& row : rows) EXPECT_EQ(ReadMultistatus(row.body).error, row.error) << row.body;

  const Multistatus answer = ReadMultistatus(
      "<!DOCTYPE m [<!ENTITY secret SYSTEM 'file:///etc/passwd'>]>"
      "<multistatus xmlns='DAV:'><response><href>/x</href><propstat><prop><getetag>&secret;"
      "</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>");
  ASSERT_EQ(answer.responses.size(), 1u);
  EXPECT_EQ(answer.responses[0].Find(kDavNamespace, "getetag")->text.find("root:"),
            std::string::npos);
}

}  // namespace
}  // namespace dayweave::agent
