#include "agent/input/local_time.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

TEST(LocalTimeTest, DayNumbersWeekdaysAndSecondsAgainstACalendarTable) {
  // Day numbers and weekdays (1 Sunday ... 7 Saturday) listed with Python's datetime.
  struct Case {
    int year, month, day;
    std::int64_t number;
    int weekday;
  } cases[] = {
      {1970, 1, 1, 0, 5},        {2003, 1, 13, 12065, 2},    {1969, 12, 31, -1, 4},
      {100, 1, 1, -683003, 6},   {9999, 12, 31, 2932896, 6}, {2000, 2, 29, 11016, 3},
      {1899, 12, 30, -25569, 7}, {2003, 4, 14, 12156, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DayNumber(c.year, c.month, c.day), c.number) << c.year << "-" << c.month;
    EXPECT_EQ(DayOfWeek(c.number), c.weekday) << c.year << "-" << c.month;
    const LocalTime last{c.year, c.month, c.day, 23, 59, 59};
    EXPECT_EQ(ToSeconds(last), c.number * kSecondsPerDay + kSecondsPerDay - 1);
    EXPECT_EQ(FromSeconds(ToSeconds(last)), last);
    EXPECT_EQ(DayOf(ToSeconds(last)), c.number);
    EXPECT_TRUE(InLibraryRange(last));
  }
  EXPECT_FALSE(InLibraryRange({99, 12, 31, 23, 59, 59}));
  EXPECT_FALSE(InLibraryRange({10000, 1, 1, 0, 0, 0}));
}

TEST(LocalTimeTest, LibraryValuesMatchTheComponentsExactly) {
  const LocalTime at{2003, 1, 13, 9, 30, 15};
  EXPECT_EQ(ToOle(at).Format(), CString("1/13/2003 9:30:15 AM"));
  EXPECT_FALSE(FromOle(COleDateTime(2003, 2, 30, 0, 0, 0)).has_value());
  // The library reads a value a hair short of a second as that second.
  EXPECT_EQ(FromOle(COleDateTime(ToOle(at).m_dt - 1e-9)), at);
}

}  // namespace
}  // namespace dayweave::agent
