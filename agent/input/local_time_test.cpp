#include "agent/input/local_time.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Each row of library-days.txt, at the day's last second.
TEST(LocalTimeTest, LibraryValuesCountTheDaysOfACalendarTable) {
  for (const auto& row : testing::TableRows("library-days.txt")) {
    const local_days day = floor<days>(testing::WallClock(row.at(0)));
    EXPECT_EQ(ToOle(day).m_dt, std::stod(row.at(1))) << row[0];
    const local_seconds last = day + 23h + 59min + 59s;
    EXPECT_TRUE(LibraryHolds(last)) << row[0];
    EXPECT_EQ(FromOle(ToOle(last)), last) << row[0];
  }
}

TEST(LocalTimeTest, OnlyTheLibrarysYearsAreHeld) {
  EXPECT_FALSE(LibraryHolds(local_days{99y / 12 / 31} + 23h + 59min + 59s));
  EXPECT_FALSE(LibraryHolds(local_days{10000y / 1 / 1}));
  EXPECT_FALSE(FromOle(COleDateTime(2003, 2, 30, 0, 0, 0)).has_value());
}

TEST(LocalTimeTest, AValueAHairShortOfASecondReadsAsThatSecond) {
  const local_seconds at = local_days{2003y / 1 / 13} + 9h + 30min + 15s;
  EXPECT_EQ(FromOle(COleDateTime(ToOle(at).m_dt - 1e-9)), at);
}

}  // namespace
}  // namespace dayweave::agent
