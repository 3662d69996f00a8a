#include "agent/input/rule_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// The first `count` starts of a rule, as UTC date-times.
std::vector<std::string> UtcStarts(RuleStream& stream, int count) {
  std::vector<std::string> starts;
  for (icaltimetype t = stream.Next(); !icaltime_is_null_time(t) && count-- > 0;
       t = stream.Next()) {
    starts.push_back(
        icaltime_as_ical_string(icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone())));
  }
  return starts;
}

icaltimetype InNewYork(const char* text) {
  icaltimetype time = icaltime_from_string(text);
  time.zone = icaltimezone_get_builtin_timezone("America/New_York");
  return time;
}

// Each row of rule-streams.txt.
TEST(RuleStreamTest, StartsOnDtstartsClockSkipsOnlyARuleWithoutCountAndSaysWhereItStopped) {
  for (const auto& row : testing::TableRows("rule-streams.txt")) {
    long mostSteps = 0, mostWork = 0;
    std::istringstream(row.at(5)) >> mostSteps >> mostWork;
    RuleStream stream(icalrecurrencetype_from_string(row.at(0).c_str()),
                      InNewYork(row.at(1).c_str()), mostSteps, mostWork);
    if (!row.at(2).empty()) stream.SkipTo(InNewYork(row[2].c_str()));
    std::vector<std::string> starts;
    std::istringstream cell(row.at(4));
    for (std::string start; cell >> start;) starts.push_back(start);
    EXPECT_EQ(UtcStarts(stream, std::stoi(row.at(3))), starts) << row[0];
    EXPECT_EQ(stream.Complete(), row.at(6).empty()) << row[0];
    if (stream.Complete()) continue;
    EXPECT_STREQ(icaltime_as_ical_string(stream.CheckedUntil()), row[6].c_str()) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
