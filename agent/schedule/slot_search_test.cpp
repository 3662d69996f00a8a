#include "agent/schedule/slot_search.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(SlotSearchTest, CandidateSlotsFollowTheGridTheHoursAndTheWeekdays) {
  const testing::Loaded loaded(testing::Calendar(
      testing::Event("UID:m@test\nDTSTART:20030414T100000\nDTEND:20030414T110000\n")));
  for (const auto& row : testing::TableRows("slot-grid.txt")) {
    const SlotQuery query{testing::WallClock(row.at(0)),
                          testing::WallClock(row.at(1)),
                          minutes{std::stoi(row.at(2))},
                          minutes{std::stoi(row.at(3))},
                          hours{std::stoi(row.at(4))},
                          hours{std::stoi(row.at(5))},
                          row.at(6) == "1"};
    std::vector<local_seconds> free;
    std::istringstream starts(row.at(7));
    for (std::string start; starts >> start;) free.push_back(testing::WallClock(start));
    EXPECT_EQ(FreeSlots(loaded.schedule, query), free) << row[0] << " " << row[2];
  }
}

}  // namespace
}  // namespace dayweave::agent
