#include "agent/input/time_zones.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::At;

sys_seconds Utc(long long seconds) { return sys_seconds{std::chrono::seconds{seconds}}; }

icaltimetype Zoned(const char* text, const char* zone) {
  icaltimetype time = icaltime_from_string(text);
  return icaltime_set_timezone(&time, FindZone(zone));
}

TEST(TimeZonesTest, FindsZonesByNameAndUtcByItsAliases) {
  for (const char* name : {"UTC", "Etc/UTC", "GMT", "Etc/GMT", "Zulu"}) {
    EXPECT_EQ(FindZone(name), icaltimezone_get_utc_timezone()) << name;
  }
  EXPECT_NE(FindZone("America/New_York"), nullptr);
  EXPECT_EQ(FindZone("Mars/Olympus_Mons"), nullptr);
  EXPECT_EQ(FindZone(""), nullptr);
}

TEST(TimeZonesTest, MachineZoneComesFromTzThenLocaltimeThenUtc) {
  struct Case {
    const char* tz;
    const char* link;
    const char* name;
  } cases[] = {
      {"Europe/Berlin", "/usr/share/zoneinfo/Asia/Tokyo", "Europe/Berlin"},
      {":Europe/Paris", "", "Europe/Paris"},
      {"/usr/share/zoneinfo/America/New_York", "", "America/New_York"},
      {"", "/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
      {nullptr, "../usr/share/zoneinfo/Etc/UTC", "Etc/UTC"},
      {nullptr, "", "UTC"},
      {nullptr, "/etc/somewhere/else", "UTC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MachineZoneName(c.tz, c.link), c.name) << (c.tz ? c.tz : "(unset)") << c.link;
  }
}

TEST(TimeZonesTest, ConversionAcrossTheDaylightSavingChanges) {
  // Instants from Python's calendar.timegm; Berlin moves to summer time at 01:00 UTC on the
  // last Sunday of March, New York at 07:00 UTC on the first Sunday of April (2003 rules).
  icaltimezone* berlin = FindZone("Europe/Berlin");
  struct Case {
    const char* time;
    const char* zone;
    long long instant;
    local_seconds inBerlin;
  } cases[] = {
      {"20030113T083000Z", "UTC", 1042446600, At(2003, 1, 13, 9, 30, 0)},
      {"20030113T093000", "Europe/Berlin", 1042446600, At(2003, 1, 13, 9, 30, 0)},
      {"20030330T005959Z", "UTC", 1048985999, At(2003, 3, 30, 1, 59, 59)},
      {"20030330T010000Z", "UTC", 1048986000, At(2003, 3, 30, 3, 0, 0)},
      {"20031026T005959Z", "UTC", 1067129999, At(2003, 10, 26, 2, 59, 59)},
      {"20031026T010000Z", "UTC", 1067130000, At(2003, 10, 26, 2, 0, 0)},
      {"20030406T015959", "America/New_York", 1049612399, At(2003, 4, 6, 8, 59, 59)},
      {"20030406T030000", "America/New_York", 1049612400, At(2003, 4, 6, 9, 0, 0)},
  };
  for (const Case& c : cases) {
    icaltimetype time =
        c.zone == std::string("UTC") ? icaltime_from_string(c.time) : Zoned(c.time, c.zone);
    EXPECT_EQ(InstantOf(time), Utc(c.instant)) << c.time;
    EXPECT_EQ(ToDisplay(time, berlin), c.inBerlin) << c.time;
    EXPECT_EQ(DisplayOf(EventTime{seconds{c.instant}}, false, berlin), c.inBerlin) << c.time;
    // Back from Berlin's clock, but for the hour that the end of summer time shows twice.
    const bool repeated =
        c.inBerlin >= At(2003, 10, 26, 2, 0, 0) && c.inBerlin < At(2003, 10, 26, 3, 0, 0);
    if (!repeated) {
      EXPECT_EQ(InstantOnClock(c.inBerlin, berlin), Utc(c.instant)) << c.time;
    }
  }
  // Floating times and dates are taken as written, on any clock.
  EXPECT_EQ(DisplayOf(EventTime{seconds{1042446600}}, true, berlin), At(2003, 1, 13, 8, 30));
  EXPECT_TRUE(IsFloating(icaltime_from_string("20030113")));
  EXPECT_EQ(ToDisplay(icaltime_from_string("20030113T093000"), FindZone("Asia/Tokyo")),
            At(2003, 1, 13, 9, 30));
}

// Instants from Python's calendar.timegm, with the offsets from UTC before and after.
TEST(TimeZonesTest, ChangesAreFoundToTheSecond) {
  ZoneChanges changes;
  const auto changesOf = [&](const char* zone, int year) {
    std::vector<long long> found;
    const std::chrono::year y{year};
    for (const auto& change :
         changes.Between(FindZone(zone), sys_days{y / 1 / 1}, sys_days{(y + years{1}) / 1 / 1})) {
      found.insert(found.end(), {change.at.time_since_epoch().count(), change.before.count(),
                                 change.after.count()});
    }
    return found;
  };
  EXPECT_EQ(changesOf("Europe/Berlin", 2003),
            (std::vector<long long>{1048986000, 3600, 7200, 1067130000, 7200, 3600}));
  EXPECT_EQ(changesOf("America/New_York", 2003),
            (std::vector<long long>{1049612400, -18000, -14400, 1067148000, -14400, -18000}));
  EXPECT_TRUE(changesOf("UTC", 2003).empty());
  // An open stretch that starts late is scanned around its own start.
  const auto late = changes.Between(FindZone("Europe/Berlin"), sys_days{2100y / 1 / 1}, kForever);
  ASSERT_FALSE(late.empty());
  EXPECT_EQ(year_month_day{floor<days>(late.front().at)}.year(), 2100y);
}

}  // namespace
}  // namespace dayweave::agent
