#include "agent/input/busy_reading.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// A rule that libical expands to nothing at all: were it followed by libical's iterator, the
// last day of every month would read as free time.
TEST(ReadBusyTime, FollowsTheRulesLibicalExpandsWronglyWithTheAgentsExpander) {
  const CalendarFile file = ReadCalendar(
      testing::Calendar(testing::Event("UID:close\nDTSTART:20240131T090000Z\n"
                                       "DTEND:20240131T170000Z\nRRULE:FREQ=DAILY;BYMONTHDAY=-1\n")),
      "close.ics");
  ZoneOffsetCache cache;
  InstantClock clock(cache, FindZone("UTC"), 2023y, 2025y);
  std::vector<std::string> warnings;
  const Interval window{sys_days{2024y / February / 1}, sys_days{2024y / June / 1}};
  const BusyTime busy = ReadBusyTime(file, clock, window, warnings);
  std::vector<BusyInterval> lastDays;
  for (unsigned m = 2; m <= 5; ++m) {
    const sys_days last{2024y / month{m} / std::chrono::last};
    lastDays.push_back({last + 9h, last + 17h, BusyKind::kBusy});
  }
  EXPECT_EQ(busy.Pieces(), lastDays);
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace dayweave::agent
