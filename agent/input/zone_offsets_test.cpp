#include "agent/input/zone_offsets.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Every hour of two years, in zones with and without daylight saving and with a half-hour
// offset, read from the table and from libical's zone directly.
TEST(ZoneOffsets, AgreesWithLibicalHourByHour) {
  for (const char* name : {"America/New_York", "Europe/Berlin", "Asia/Tokyo", "Australia/Lord_Howe",
                           "Asia/Kolkata", "UTC"}) {
    icaltimezone* zone = FindZone(name);
    const ZoneOffsets offsets(zone, 2023y, 2024y);
    for (sys_seconds t{sys_days{2023y / January / 1}}; t < sys_days{2025y / January / 1}; t += 1h) {
      ASSERT_EQ(offsets.OffsetAt(t), OffsetAt(zone, t))
          << name << " at " << t.time_since_epoch().count();
    }
  }
}

// Wall-clock readings on the days the clocks change, with the instants RFC 5545 gives them.
TEST(ZoneOffsets, SkippedAndRepeatedTimes) {
  struct Row {
    const char* zone;
    local_seconds local;
    sys_seconds instant;
  };
  const Row rows[] = {
      // New York springs forward at 02:00 EST on 10 March 2024: 02:30 is read as EST.
      {"America/New_York", local_days{2024y / March / 10} + 2h + 30min,
       sys_days{2024y / March / 10} + 7h + 30min},
      {"America/New_York", local_days{2024y / March / 10} + 3h, sys_days{2024y / March / 10} + 7h},
      // ... and falls back at 02:00 EDT on 3 November: 01:30 is its first occurrence, in EDT.
      {"America/New_York", local_days{2024y / November / 3} + 1h + 30min,
       sys_days{2024y / November / 3} + 5h + 30min},
      {"America/New_York", local_days{2024y / November / 3} + 2h,
       sys_days{2024y / November / 3} + 7h},
      // Berlin: 02:00-03:00 skipped on 31 March, 02:00-03:00 repeated on 27 October 2024.
      {"Europe/Berlin", local_days{2024y / March / 31} + 2h + 15min,
       sys_days{2024y / March / 31} + 1h + 15min},
      {"Europe/Berlin", local_days{2024y / October / 27} + 2h + 15min,
       sys_days{2024y / October / 27} + 15min},
      // Lord Howe Island moves its clocks by half an hour.
      {"Australia/Lord_Howe", local_days{2024y / October / 6} + 2h + 10min,
       sys_days{2024y / October / 5} + 15h + 40min},
  };
  for (const Row& row : rows) {
    const ZoneOffsets offsets(FindZone(row.zone), 2024y, 2024y);
    EXPECT_EQ(offsets.ToInstant(row.local), row.instant)
        << row.zone << " " << row.local.time_since_epoch().count();
  }
}

// Outside the gaps, reading the clock and turning the reading back is the identity for the
// first pass through a repeated hour, and moves the second pass back by the repeated length.
TEST(ZoneOffsets, ToInstantUndoesToLocal) {
  const ZoneOffsets berlin(FindZone("Europe/Berlin"), 2024y, 2024y);
  for (sys_seconds t{sys_days{2024y / January / 1}}; t < sys_days{2025y / January / 1};
       t += 15min) {
    const sys_seconds back = berlin.ToInstant(berlin.ToLocal(t));
    const bool secondPass =
        t >= sys_days{2024y / October / 27} + 1h && t < sys_days{2024y / October / 27} + 2h;
    EXPECT_EQ(back, secondPass ? t - 1h : t) << t.time_since_epoch().count();
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
