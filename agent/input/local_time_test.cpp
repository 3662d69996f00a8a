#include "agent/input/local_time.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(LocalTimeTest, LibraryValuesCountTheDaysOfACalendarTable) {
  // Days from 30 December 1899, the library's day 0, listed with Python's datetime.
  struct Case {
    year_month_day date;
    double serial;
  } cases[] = {
      {1899y / 12 / 30, 0},       {2003y / 1 / 13, 37634}, {100y / 1 / 1, -657434},
      {9999y / 12 / 31, 2958465}, {2000y / 2 / 29, 36585}, {1700y / 3 / 1, -72987},
      {1969y / 12 / 31, 25568},
  };
  for (const Case& c : cases) {
    const local_days day{c.date};
    EXPECT_EQ(ToOle(day).m_dt, c.serial) << c.serial;
    EXPECT_TRUE(LibraryHolds(day + 23h + 59min + 59s)) << c.serial;
    EXPECT_EQ(FromOle(ToOle(day + 23h + 59min + 59s)), day + 23h + 59min + 59s) << c.serial;
  }
}

TEST(LocalTimeTest, OnlyTheLibrarysYearsAreHeld) {
  EXPECT_FALSE(LibraryHolds(local_days{99y / 12 / 31} + 23h + 59min + 59s));
  EXPECT_FALSE(LibraryHolds(local_days{10000y / 1 / 1}));
  EXPECT_FALSE(FromOle(COleDateTime(2003, 2, 30, 0, 0, 0)).has_value());
}

TEST(LocalTimeTest, AValueAHairShortOfASecondReadsAsThatSecond) {
  const local_seconds at = local_days{2003y / 1 / 13} + 9h + 30min + 15s;
  EXPECT_EQ(ToOle(at).Format(), CString("1/13/2003 9:30:15 AM"));
  EXPECT_EQ(FromOle(COleDateTime(ToOle(at).m_dt - 1e-9)), at);
}

}  // namespace
}  // namespace dayweave::agent
