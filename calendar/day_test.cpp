#include "dayweave/day.h"

#include <gtest/gtest.h>

#include "dayweave/recurrence_codes.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <utility>

#include "tests/test_tables.h"

namespace dayweave {
namespace {

// RemoveDays toggles (exclusive-or); RemoveCommonDays removes only what the set holds. The
// reference, pointer and mask forms of each operation must agree.
TEST(DayTest, RenderingsAndSetOperationsInEveryForm) {
  for (std::istringstream& row : TestRows("calendar/testdata/day_sets.txt")) {
    SCOPED_TRACE(row.str());
    std::string kind, names, abbreviations, bar;
    int mask = 0, otherMask = 0, added = 0, toggled = 0, removed = 0, common = 0;
    int contains = 0, intersects = 0;
    ASSERT_TRUE(row >> kind >> mask);
    if (kind == "names") {
      ASSERT_TRUE(row >> std::quoted(names) >> std::quoted(abbreviations));
      EXPECT_EQ(CDay(mask).ToString(), names);
      EXPECT_EQ(CDay(mask).ToStringAbb(), abbreviations);
      EXPECT_EQ(CDay(mask).GetDaysStr(), std::to_string(mask));
      continue;
    }
    ASSERT_TRUE(row >> otherMask >> bar >> added >> toggled >> removed >> common >> contains >>
                intersects);
    const CDay other(otherMask), set(mask);
    CDay a1(set), a2(set), a3(set), t1(set), t2(set), t3(set), r1(set), r2(set);
    a1.AddDays(other), a2.AddDays(&other), a3.AddDays(otherMask);
    t1.RemoveDays(other), t2.RemoveDays(&other), t3.RemoveDays(otherMask);
    r1.RemoveCommonDays(&other), r2.RemoveCommonDays(otherMask);
    for (const CDay* d : {&a1, &a2, &a3}) EXPECT_EQ(d->GetDays(), added);
    for (const CDay* d : {&t1, &t2, &t3}) EXPECT_EQ(d->GetDays(), toggled);
    for (const CDay* d : {&r1, &r2}) EXPECT_EQ(d->GetDays(), removed);
    EXPECT_EQ(set.GetCommonDays(&other), static_cast<unsigned>(common));
    EXPECT_EQ(set.GetCommonDays(otherMask), static_cast<unsigned>(common));
    EXPECT_EQ(set.ContainsDays(other) + set.ContainsDays(otherMask), 2 * contains);
    EXPECT_EQ(set.Intersect(&other) + set.Intersect(otherMask), 2 * intersects);
  }
}

TEST(DayTest, DayNumbersEqualityAndText) {
  for (int day = 1; day <= 7; ++day) {
    const int bit = 1 << (day - 1);
    EXPECT_EQ(CDay().MFC2CDays(day), static_cast<unsigned>(bit));
    EXPECT_EQ(CDay(bit).ContainsMFCDays(day), 1);
    EXPECT_EQ(CDay(kEveryDayMask ^ bit).ContainsMFCDays(day), 0);
  }
  for (int outside : {0, 8, -1}) {
    EXPECT_EQ(CDay().MFC2CDays(outside), 0u);
    EXPECT_EQ(CDay(-1).ContainsMFCDays(outside), 0);
  }
  EXPECT_EQ(CDay(1) == CDay(129), 0);  // all 32 bits count
  EXPECT_EQ(CDay(129) == CDay(129), 1);
  // A number read from text as atoi reads it.
  for (auto [text, mask] : {std::pair{"42", 42}, {" 12abc", 12}, {"abc", 0}, {"-1", -1}, {"", 0}}) {
    CDay days(5);
    days.SetDays(CString(text));
    EXPECT_EQ(days.GetDays(), mask) << text;
  }
}

}  // namespace
}  // namespace dayweave
