#include "agent/input/zone_offsets.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Every hour of two years, in zones with and without daylight saving and with a half-hour
// offset, read from the table and from libical's zone directly. Turning the reading back gives
// the instant itself, or in a repeated stretch its first pass: an earlier instant that reads the
// same.
TEST(ZoneOffsets, AgreesWithLibicalHourByHour) {
  for (const char* name : {"America/New_York", "Europe/Berlin", "Asia/Tokyo", "Australia/Lord_Howe",
                           "Asia/Kolkata", "UTC"}) {
    icaltimezone* zone = FindZone(name);
    const ZoneOffsets offsets(zone, 2023y, 2024y);
    for (sys_seconds t{sys_days{2023y / January / 1}}; t < sys_days{2025y / January / 1}; t += 1h) {
      ASSERT_EQ(offsets.OffsetAt(t), OffsetAt(zone, t))
          << name << " at " << t.time_since_epoch().count();
      const local_seconds reading = offsets.ToLocal(t);
      ASSERT_EQ(reading, local_seconds{(t + OffsetAt(zone, t)).time_since_epoch()}) << name;
      const sys_seconds back = offsets.ToInstant(reading);
      ASSERT_TRUE(back == t || (back < t && offsets.ToLocal(back) == reading))
          << name << " at " << t.time_since_epoch().count();
    }
  }
}

TEST(ZoneOffsets, SkippedAndRepeatedTimes) {
  for (const auto& row : testing::TableRows("wall-clock-instants.txt")) {
    const ZoneOffsets offsets(FindZone(row.at(0).c_str()), 2024y, 2024y);
    EXPECT_EQ(offsets.ToInstant(testing::WallClock(row.at(1))), testing::Instant(row.at(2)))
        << row[0] << " " << row[1];
  }
}

TEST(ZoneOffsetCache, WidensToTheYearsAsked) {
  ZoneOffsetCache cache;
  icaltimezone* berlin = FindZone("Europe/Berlin");
  const auto first = cache.For(berlin, 2024y, 2024y);
  EXPECT_EQ(cache.For(berlin, 2024y, 2024y), first);
  const auto wider = cache.For(berlin, 2025y, 2025y);
  EXPECT_TRUE(wider->Covers(2024y, 2025y));
  EXPECT_EQ(wider->ToInstant(local_days{2025y / July / 1} + 9h), sys_days{2025y / July / 1} + 7h);
}

}  // namespace
}  // namespace dayweave::agent
