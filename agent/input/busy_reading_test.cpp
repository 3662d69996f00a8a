// The busy time that meet reads agrees, instant by instant, with answers worked out by hand
// from each event's rule, and with what `free` answers from the schedule, on the event shapes
// where a walker of its own would go wrong.
#include "agent/input/busy_reading.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/loaded_schedule.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// The busy time that meet reads from `text` over `window`, on the UTC clock.
BusyTime Read(const std::string& text, Interval window, std::vector<std::string>& warnings) {
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), year_month_day{floor<days>(window.start)}.year(),
                     year_month_day{floor<days>(window.end)}.year());
  return ReadBusyTime(ReadCalendar(text, "t.ics"), clock, window, warnings);
}

// Each row of busy-readings.txt; `free` answers busy in the same half hours.
TEST(BusyReadingTest, AgreesWithHandWorkedAnswersAndWithFree) {
  for (const auto& row : testing::TableRows("busy-readings.txt")) {
    const std::string text = testing::TestData(row.at(0));
    const Interval window{testing::Instant(row.at(1)), testing::Instant(row.at(2))};
    std::vector<std::string> warnings;
    const BusyTime busy = Read(text, window, warnings);
    std::vector<BusyInterval> expected;
    std::istringstream pieces(row.at(3));
    for (std::string from, to; pieces >> from >> to;) {
      expected.push_back({testing::Instant(from), testing::Instant(to), BusyKind::kBusy});
    }
    EXPECT_EQ(busy.Pieces(), expected) << row[0];
    EXPECT_EQ(warnings.size(), row.at(4).empty() ? 0u : 1u) << row[0];
    for (const std::string& warning : warnings) EXPECT_TRUE(warning.starts_with(row[4])) << warning;
    const testing::Loaded loaded(text);
    FreeBusy freeBusy(loaded.schedule);
    for (sys_seconds at = window.start; at < window.end; at += 30min) {
      const local_seconds wallClock{at.time_since_epoch()};
      const bool busyAt = std::ranges::any_of(
          expected, [&](const BusyInterval& piece) { return piece.start <= at && at < piece.end; });
      EXPECT_EQ(!freeBusy.AskStretch(wallClock, minutes{1}).free, busyAt)
          << row[0] << " at " << testing::Text(wallClock);
    }
  }
}

}  // namespace
}  // namespace dayweave::agent
