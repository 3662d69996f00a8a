#include "agent/cli/meeting_store.h"

#include <gtest/gtest.h>

#include <string>

#include "agent/input/time_zones.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(MeetingStore, SlotsOnTheDisplayClockWithTheOptionalCount) {
  const ZoneOffsets tokyo(FindZone("Asia/Tokyo"), 2024y, 2024y);
  const sys_days day{2024y / March / 4};
  const std::vector<MeetingSlot> slots = {{day + 5h, day + 6h, {0, 2}},
                                          {day + 6h + 30min, day + 7h + 30min, {}}};
  const auto store = MeetingStore(slots, 3, tokyo, 60min);
  EXPECT_STREQ(store->ToKQML(), "(tell :t1 (3/4/2024 2:00:00 PM) :t2 (3/4/2024 3:30:00 PM))");
  EXPECT_STREQ(store->GetAttribute(0), "free 2/3");
  EXPECT_STREQ(store->GetAttribute(1), "free 0/3");
  EXPECT_STREQ(MeetingStore(slots, 0, tokyo, 60min)->GetAttribute(0), "free");
}

}  // namespace
}  // namespace dayweave::agent
