#include "agent/input/multistatus.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

TEST(ReadMultistatus, KeepsTheFoundPropertiesOfResponsesWithAnHref) {
  const Multistatus answer = ReadMultistatus(testing::TestData("multistatus/found.xml"));
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
  for (const auto& row : testing::TableRows("multistatus/refused.txt")) {
    EXPECT_EQ(ReadMultistatus(row.at(0)).error, row.at(1)) << row[0];
  }
  const Multistatus answer = ReadMultistatus(testing::TestData("multistatus/outside-entity.xml"));
  ASSERT_EQ(answer.responses.size(), 1u);
  EXPECT_EQ(answer.responses[0].Find(kDavNamespace, "getetag")->text.find("root:"),
            std::string::npos);
}

}  // namespace
}  // namespace dayweave::agent
