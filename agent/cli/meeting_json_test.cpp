// Rfc3339 on clocks meet's other checks do not reach. The JSON's shape and the names of the free
// optional people are checked by the README's example and, with two optional people on Berlin's
// clock across its autumn change, by meet_zoneinfo_check.py.
#include "agent/cli/meeting_json.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(Rfc3339, WritesTheClockAndItsOffset) {
  for (const auto& row : testing::TableRows("rfc3339-times.txt")) {
    const ZoneOffsets clock(FindZone(row.at(0).c_str()), 2023y, 2024y);
    EXPECT_EQ(Rfc3339(testing::Instant(row.at(1)), clock), row.at(2)) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
