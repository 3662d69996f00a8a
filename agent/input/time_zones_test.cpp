#include "agent/input/time_zones.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::At;

// Names of UTC in any case (utc, Z, GMT), known zones and an unknown one are read through --tz
// in answers.txt and error-lines.txt, an empty name (no zone) in calendar-arguments.txt; floating
// times and dates, taken as written on any clock, in libical_agreement_test.cpp.

TEST(TimeZonesTest, MachineZoneComesFromTzThenLocaltimeThenUtc) {
  for (const auto& row : testing::TableRows("machine-zones.txt")) {
    const char* tz = row.at(0) == "(unset)" ? nullptr : row[0].c_str();
    EXPECT_EQ(MachineZoneName(tz, row.at(1)), row.at(2)) << row[0] << " " << row[1];
  }
}

TEST(TimeZonesTest, ConversionAcrossTheDaylightSavingChanges) {
  icaltimezone* berlin = FindZone("Europe/Berlin");
  for (const auto& row : testing::TableRows("clock-changes.txt")) {
    icaltimetype time = icaltime_from_string(row.at(0).c_str());
    if (row.at(1) != "UTC") time = icaltime_set_timezone(&time, FindZone(row[1].c_str()));
    const sys_seconds instant{seconds{std::stoll(row.at(2))}};
    const local_seconds inBerlin = testing::WallClock(row.at(3));
    EXPECT_EQ(InstantOf(time), instant) << row[0];
    EXPECT_EQ(ToDisplay(time, berlin), inBerlin) << row[0];
    EXPECT_EQ(DisplayOf(EventTime{instant.time_since_epoch()}, false, berlin), inBerlin) << row[0];
    // Back from Berlin's clock, but for the hour that the end of summer time shows twice.
    if (inBerlin < At(2003, 10, 26, 2, 0, 0) || inBerlin >= At(2003, 10, 26, 3, 0, 0)) {
      EXPECT_EQ(InstantOnClock(inBerlin, berlin), instant) << row[0];
    }
  }
}

// Each row of zone-changes.txt.
TEST(TimeZonesTest, ChangesAreFoundToTheSecond) {
  ZoneChanges changes;
  for (const auto& row : testing::TableRows("zone-changes.txt")) {
    const year y{std::stoi(row.at(1))};
    std::vector<long long> found, expected;
    for (const auto& change : changes.Between(FindZone(row.at(0)), sys_days{y / 1 / 1},
                                              sys_days{(y + years{1}) / 1 / 1})) {
      found.insert(found.end(), {change.at.time_since_epoch().count(), change.before.count(),
                                 change.after.count()});
    }
    std::istringstream cell(row.at(2));
    for (long long number; cell >> number;) expected.push_back(number);
    EXPECT_EQ(found, expected) << row[0];
  }
  // An open stretch that starts late is scanned around its own start.
  const auto late = changes.Between(FindZone("Europe/Berlin"), sys_days{2100y / 1 / 1}, kForever);
  ASSERT_FALSE(late.empty());
  EXPECT_EQ(year_month_day{floor<days>(late.front().at)}.year(), 2100y);
}

}  // namespace
}  // namespace dayweave::agent
