#include "agent/input/credentials.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

TEST(ResolveLogin, TheUrlsLoginOverridesUserAndTheEnvironmentPasswordIsUsersOnly) {
  const std::string netrc = std::string(DAYWEAVE_SOURCE_DIR) + "/README.md";  // any readable file
  const auto file = [&](const std::string& cell) { return cell == "NETRC" ? netrc : cell; };
  const auto password = [](const std::string& cell) {
    return cell == "(none)" ? std::nullopt : std::optional(cell);
  };
  for (const auto& row : testing::TableRows("logins.txt")) {
    SCOPED_TRACE(row.at(0));
    const CredentialOptions options{
        .user = row.at(1), .password = password(row.at(2)), .netrcFile = file(row.at(3))};
    const CalendarLogin login = ResolveLogin(row[0], options);
    EXPECT_EQ(login.error, "");
    EXPECT_EQ(login.requestUrl, row.at(4));
    EXPECT_EQ(login.shownUrl.find('@'), std::string::npos) << login.shownUrl;
    EXPECT_EQ(login.user, row.at(5));
    EXPECT_EQ(login.password, password(row.at(6)));
    EXPECT_EQ(login.netrcFile, file(row.at(7)));
  }
}

TEST(ResolveLogin, RefusesWithoutShowingTheSecret) {
  for (const auto& row : testing::TableRows("refused-logins.txt")) {
    const CredentialOptions options{.user = "", .password = {}, .netrcFile = row.at(1)};
    const CalendarLogin login = ResolveLogin(row.at(0), options);
    EXPECT_EQ(login.error, row.at(2)) << row[0];
    EXPECT_EQ(login.requestUrl, "") << row[0];
  }
}

// URLs with the scheme in any case are taken by ResolveLogin's table above.
TEST(IsCalendarUrl, NotWithoutTheSchemesSlashes) {
  EXPECT_FALSE(IsCalendarUrl("http:/x"));
  EXPECT_FALSE(IsCalendarUrl("https.ics"));
}

}  // namespace
}  // namespace dayweave::agent
