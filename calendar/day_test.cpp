#include "dayweave/day.h"

#include <gtest/gtest.h>

#include "dayweave/recurrence_codes.h"

#include <tuple>
#include <utility>

namespace dayweave {
namespace {

constexpr const char* kAllDays = "Sunday Monday Tuesday Wednesday Thursday Friday Saturday ";

TEST(DayTest, RenderingsOfTheMask) {
  const std::tuple<int, const char*, const char*, const char*> cases[] = {
      {0, "No Days", "N", "0"},
      {kEveryDayMask, kAllDays, "SunMonTueWedThuFriSat", "127"},
      {2 | 8 | 32, "Monday Wednesday Friday ", "MonWedFri", "42"},
      {128, "", "", "128"},  // no day bit: neither empty nor named
      {129, "Sunday ", "Sun", "129"},
      {-1, kAllDays, "SunMonTueWedThuFriSat", "-1"}};
  for (const auto& [mask, names, abbreviations, number] : cases) {
    EXPECT_EQ(CDay(mask).ToString(), names) << mask;
    EXPECT_EQ(CDay(mask).ToStringAbb(), abbreviations) << mask;
    EXPECT_EQ(CDay(mask).GetDaysStr(), number) << mask;
  }
}

// RemoveDays toggles (exclusive-or); RemoveCommonDays removes only what the set holds. The
// reference, pointer and mask forms of each operation must agree.
TEST(DayTest, SetOperationsInEveryForm) {
  // The set, the other set, then added, toggled, removed, common, contains, intersects.
  const int cases[][8] = {
      {2, 4, 6, 6, 2, 0, 0, 0},
      {2, 2, 2, 0, 0, 2, 1, 1},
      {6, 12, 14, 10, 2, 4, 0, 1},
      {1, 0, 1, 1, 1, 0, 1, 0},
      {kEveryDayMask, kWeekdayMask, kEveryDayMask, kWeekendMask, kWeekendMask, kWeekdayMask, 1, 1}};
  for (const auto& [mask, otherMask, added, toggled, removed, common, contains, intersects] :
       cases) {
    SCOPED_TRACE(testing::Message() << mask << " with " << otherMask);
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
