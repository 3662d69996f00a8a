#include "agent/time_zones.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

icaltimetype Zoned(const char* text, const char* zone) {
  icaltimetype time = icaltime_from_string(text);
  return icaltime_set_timezone(&time, FindZone(zone));
}

TEST(TimeZonesTest, FindsZonesByNameAndUtcByItsAliases) {
  icaltimezone* utc = icaltimezone_get_utc_timezone();
  for (const char* name : {"UTC", "Etc/UTC", "GMT", "Etc/GMT", "Zulu"}) {
    EXPECT_EQ(FindZone(name), utc) << name;
  }
  EXPECT_NE(FindZone("Europe/Berlin"), nullptr);
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
      {":/usr/share/zoneinfo/Asia/Tokyo", "", "Asia/Tokyo"},
      {"", "/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
      {nullptr, "../usr/share/zoneinfo/Etc/UTC", "Etc/UTC"},
      {nullptr, "", "UTC"},
      {nullptr, "/etc/somewhere/else", "UTC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MachineZoneName(c.tz, c.link), c.name) << (c.tz ? c.tz : "(unset)") << c.link;
  }
}

TEST(TimeZonesTest, FloatingTimesAndDatesAreTakenAsWritten) {
  icaltimezone* tokyo = FindZone("Asia/Tokyo");
  EXPECT_TRUE(IsFloating(icaltime_from_string("20030113T093000")));
  EXPECT_TRUE(IsFloating(icaltime_from_string("20030113")));
  EXPECT_FALSE(IsFloating(icaltime_from_string("20030113T093000Z")));
  EXPECT_FALSE(IsFloating(Zoned("20030113T093000", "Europe/Berlin")));
  EXPECT_EQ(ToDisplay(icaltime_from_string("20030113T093000"), tokyo),
            (LocalTime{2003, 1, 13, 9, 30, 0}));
  EXPECT_EQ(ToDisplay(icaltime_from_string("20030113"), tokyo), (LocalTime{2003, 1, 13, 0, 0, 0}));
  EXPECT_EQ(InstantOf(icaltime_from_string("19700101T000010")), 10);
}

TEST(TimeZonesTest, ConversionAcrossTheDaylightSavingChanges) {
  // Instants from Python's calendar.timegm; Berlin moves to summer time at 01:00 UTC on the
  // last Sunday of March, New York at 07:00 UTC on the first Sunday of April (2003 rules).
  icaltimezone* berlin = FindZone("Europe/Berlin");
  struct Case {
    const char* time;
    const char* zone;
    std::int64_t instant;
    LocalTime inBerlin;
  } cases[] = {
      {"20030113T083000Z", "UTC", 1042446600, {2003, 1, 13, 9, 30, 0}},
      {"20030113T093000", "Europe/Berlin", 1042446600, {2003, 1, 13, 9, 30, 0}},
      {"20030330T005959Z", "UTC", 1048985999, {2003, 3, 30, 1, 59, 59}},
      {"20030330T010000Z", "UTC", 1048986000, {2003, 3, 30, 3, 0, 0}},
      {"20031026T005959Z", "UTC", 1067129999, {2003, 10, 26, 2, 59, 59}},
      {"20031026T010000Z", "UTC", 1067130000, {2003, 10, 26, 2, 0, 0}},
      {"20030406T015959", "America/New_York", 1049612399, {2003, 4, 6, 8, 59, 59}},
      {"20030406T030000", "America/New_York", 1049612400, {2003, 4, 6, 9, 0, 0}},
  };
  for (const Case& c : cases) {
    icaltimetype time =
        c.zone == std::string("UTC") ? icaltime_from_string(c.time) : Zoned(c.time, c.zone);
    EXPECT_EQ(InstantOf(time), c.instant) << c.time;
    EXPECT_EQ(ToDisplay(time, berlin), c.inBerlin) << c.time;
    EXPECT_EQ(DisplayOfInstant(c.instant, false, berlin), c.inBerlin) << c.time;
  }
  EXPECT_EQ(DisplayOfInstant(1042446600, true, berlin), (LocalTime{2003, 1, 13, 8, 30, 0}));
}

TEST(TimeZonesTest, ChangesAreFoundToTheSecond) {
  ZoneChanges changes;
  const std::int64_t year2003 = DayNumber(2003, 1, 1) * kSecondsPerDay;
  const std::int64_t year2004 = DayNumber(2004, 1, 1) * kSecondsPerDay;
  const auto berlin = changes.Between(FindZone("Europe/Berlin"), year2003, year2004);
  ASSERT_EQ(berlin.size(), 2u);
  EXPECT_EQ(berlin[0].at, 1048986000);
  EXPECT_EQ(berlin[0].before, 3600);
  EXPECT_EQ(berlin[0].after, 7200);
  EXPECT_EQ(berlin[1].at, 1067130000);
  EXPECT_EQ(berlin[1].after, 3600);
  const auto newYork = changes.Between(FindZone("America/New_York"), year2003, year2004);
  ASSERT_EQ(newYork.size(), 2u);
  EXPECT_EQ(newYork[0].at, 1049612400);
  EXPECT_EQ(newYork[0].before, -18000);
  EXPECT_EQ(newYork[1].at, 1067148000);
  // The 2007 rules: New York on 11 March, Berlin on 25 March.
  const std::int64_t march2007 = DayNumber(2007, 3, 1) * kSecondsPerDay;
  const std::int64_t april2007 = DayNumber(2007, 4, 1) * kSecondsPerDay;
  EXPECT_EQ(changes.Between(FindZone("America/New_York"), march2007, april2007).at(0).at,
            1173596400);
  EXPECT_EQ(changes.Between(FindZone("Europe/Berlin"), march2007, april2007).at(0).at, 1174784400);
  EXPECT_TRUE(changes.Between(icaltimezone_get_utc_timezone(), year2003, kForever).empty());
}

TEST(TimeZonesTest, AnOpenStretchIsScannedTwoYearsPastTheLastScannedYear) {
  ZoneChanges changes;
  const auto all =
      changes.Between(FindZone("Europe/Berlin"), DayNumber(2003, 1, 1) * kSecondsPerDay, kForever);
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(FromSeconds(all.back().at).year, kLastScannedYear + 2);
  EXPECT_EQ(all.size() % 2, 0u);
  // A stretch that starts later still is scanned around its own start.
  const auto late =
      changes.Between(FindZone("Europe/Berlin"), DayNumber(2100, 1, 1) * kSecondsPerDay, kForever);
  ASSERT_FALSE(late.empty());
  EXPECT_EQ(FromSeconds(late.front().at).year, 2100);
}

}  // namespace
}  // namespace dayweave::agent
