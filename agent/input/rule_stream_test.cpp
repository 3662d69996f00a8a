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
TEST(RuleStreamTest, StartsOnDtstartsClockAndSkipsOnlyARuleWithoutCount) {
  for (const auto& row : testing::TableRows("rule-streams.txt")) {
    RuleStream stream(icalrecurrencetype_from_string(row.at(0).c_str()),
                      InNewYork(row.at(1).c_str()), 100);
    if (!row.at(2).empty()) stream.SkipTo(InNewYork(row[2].c_str()));
    std::vector<std::string> starts;
    std::istringstream cell(row.at(4));
    for (std::string start; cell >> start;) starts.push_back(start);
    EXPECT_EQ(UtcStarts(stream, std::stoi(row.at(3))), starts) << row[0];
  }
}

// A stream stopped by its limit says where what it knows ends, on either path.
TEST(RuleStreamTest, AStreamOverItsLimitSaysWhereItStopped) {
  RuleStream libical(icalrecurrencetype_from_string("FREQ=DAILY"),
                     icaltime_from_string("20240101T090000"), 3);
  EXPECT_EQ(UtcStarts(libical, 10).size(), 3u);
  EXPECT_FALSE(libical.Complete());
  EXPECT_STREQ(icaltime_as_ical_string(libical.CheckedUntil()), "20240103T090001");

  RuleStream own(icalrecurrencetype_from_string("FREQ=HOURLY"),
                 icaltime_from_string("20240101T090000"), 3, 7);
  EXPECT_EQ(UtcStarts(own, 10).size(), 3u);
  EXPECT_FALSE(own.Complete());
  EXPECT_STREQ(icaltime_as_ical_string(own.CheckedUntil()), "20240101T120000");

  RuleStream unreadable(icalrecurrencetype_from_string("FREQ=MONTHLY;BYYEARDAY=400"),
                        icaltime_from_string("20240101T090000"), 3);
  EXPECT_TRUE(icaltime_is_null_time(unreadable.Next()));
  EXPECT_FALSE(unreadable.Complete());
}

}  // namespace
}  // namespace dayweave::agent
