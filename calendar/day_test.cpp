#include "dayweave/day.h"

#include <gtest/gtest.h>

namespace dayweave {
namespace {

TEST(DayTest, RenderingsOfTheMask) {
  struct Case {
    int mask;
    const char* names;
    const char* abbreviations;
    const char* number;
  } cases[] = {
      {0, "No Days", "N", "0"},
      {127, "Sunday Monday Tuesday Wednesday Thursday Friday Saturday ", "SunMonTueWedThuFriSat",
       "127"},
      {2 | 8 | 32, "Monday Wednesday Friday ", "MonWedFri", "42"},
      {65, "Sunday Saturday ", "SunSat", "65"},
      {128, "", "", "128"},
      {129, "Sunday ", "Sun", "129"},
      {-1, "Sunday Monday Tuesday Wednesday Thursday Friday Saturday ", "SunMonTueWedThuFriSat",
       "-1"},
  };
  for (const Case& c : cases) {
    const CDay days(c.mask);
    EXPECT_EQ(days.ToString(), c.names) << c.mask;
    EXPECT_EQ(days.ToStringAbb(), c.abbreviations) << c.mask;
    EXPECT_EQ(days.GetDaysStr(), c.number) << c.mask;
  }
}

TEST(DayTest, RemoveDaysTogglesWhileRemoveCommonDaysRemoves) {
  CDay toggled(2);
  toggled.RemoveDays(4u);
  EXPECT_EQ(toggled.GetDays(), 6);
  CDay removed(2);
  removed.RemoveCommonDays(4u);
  EXPECT_EQ(removed.GetDays(), 2);

  CDay a(2), b(2);
  a.RemoveDays(2u);
  b.RemoveCommonDays(2u);
  EXPECT_EQ(a.GetDays(), 0);
  EXPECT_EQ(b.GetDays(), 0);

  // The reference, pointer and mask forms agree.
  const CDay tuesdayAndWednesday(4 | 8);
  CDay byRef(2 | 4), byPtr(2 | 4), byMask(2 | 4), common(2 | 4);
  byRef.RemoveDays(tuesdayAndWednesday);
  byPtr.RemoveDays(&tuesdayAndWednesday);
  byMask.RemoveDays(12u);
  common.RemoveCommonDays(&tuesdayAndWednesday);
  EXPECT_EQ(byRef.GetDays(), 2 | 8);
  EXPECT_EQ(byPtr.GetDays(), 2 | 8);
  EXPECT_EQ(byMask.GetDays(), 2 | 8);
  EXPECT_EQ(common.GetDays(), 2);
}

TEST(DayTest, AddingAndTestingSets) {
  CDay set(1);
  EXPECT_EQ(set.ContainsDays(3u), 0);
  EXPECT_EQ(set.Intersect(3u), 1);
  EXPECT_EQ(set.GetCommonDays(3u), 1u);
  EXPECT_EQ(set.ContainsDays(0u), 1);
  EXPECT_EQ(set.Intersect(0u), 0);

  const CDay monday(2);
  set.AddDays(monday);
  set.AddDays(&monday);
  set.AddDays(64u);
  EXPECT_EQ(set.GetDays(), 1 | 2 | 64);
  EXPECT_EQ(set.ContainsDays(CDay(3)), 1);
  EXPECT_EQ(set.Intersect(&monday), 1);
  EXPECT_EQ(set.GetCommonDays(&monday), 2u);
  EXPECT_EQ(set.GetDays(), 1 | 2 | 64);  // the tests left the set alone
}

TEST(DayTest, FrameworkDayNumbers) {
  const CDay all(127);
  for (int day = 1; day <= 7; ++day) {
    EXPECT_EQ(all.MFC2CDays(day), 1u << (day - 1));
    EXPECT_EQ(CDay(static_cast<int>(all.MFC2CDays(day))).ContainsMFCDays(day), 1);
    EXPECT_EQ(CDay(127 ^ static_cast<int>(all.MFC2CDays(day))).ContainsMFCDays(day), 0);
  }
  for (int outside : {0, 8, -1, 32, 1000}) {
    EXPECT_EQ(all.MFC2CDays(outside), 0u);
    EXPECT_EQ(CDay(-1).ContainsMFCDays(outside), 0);
  }
}

TEST(DayTest, SetDaysFromTextReadsLikeAtoi) {
  struct Case {
    const char* text;
    int mask;
  } cases[] = {{"42", 42},
               {" 12abc", 12},
               {"abc", 0},
               {"", 0},
               {"-1", -1},
               {"\t+7", 7},
               {"0x10", 0},
               {"4294967295", -1},
               {"99999999999999999999", -1},
               {"-99999999999999999999", 0}};
  for (const Case& c : cases) {
    CDay days(5);
    days.SetDays(CString(c.text));
    EXPECT_EQ(days.GetDays(), c.mask) << c.text;
  }
}

TEST(DayTest, EqualityAndAssignmentUseAllBits) {
  EXPECT_EQ(CDay(1) == CDay(129), 0);
  EXPECT_EQ(CDay(129) == CDay(129), 1);
  CDay target(4);
  const CDay source(129);
  target = source;
  EXPECT_EQ(target.GetDays(), 129);
  target = &source;
  EXPECT_EQ(target.GetDays(), 129);
  CDay copy(source);
  EXPECT_EQ(copy.GetDays(), 129);
}

}  // namespace
}  // namespace dayweave
