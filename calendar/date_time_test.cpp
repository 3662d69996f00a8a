#include "dayweave/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "tests/test_tables.h"

namespace dayweave {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::tuple<int, int, int, int, int, int> Parts(const COleDateTime& t) {
  return {t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond()};
}

// The table was computed once with Python's datetime, independently of std::chrono.
TEST(DateTimeTest, CivilConversionsAgreeWithReferenceTable) {
  auto rows = TestRows("calendar/testdata/civil_dates.txt");
  EXPECT_GT(rows.size(), 1000u);
  for (std::istringstream& row : rows) {
    SCOPED_TRACE(row.str());
    long dayNumber = 0;
    int year = 0, month = 0, day = 0, dayOfWeek = 0;
    ASSERT_TRUE(row >> dayNumber >> year >> month >> day >> dayOfWeek);
    COleDateTime date;
    ASSERT_EQ(date.SetDate(year, month, day), 0);
    EXPECT_EQ(date.m_dt, static_cast<double>(dayNumber));
    // Noon of that day: the fraction is the time after midnight whatever the sign.
    const COleDateTime noon(dayNumber >= 0 ? dayNumber + 0.5 : dayNumber - 0.5);
    EXPECT_EQ(Parts(noon), std::make_tuple(year, month, day, 12, 0, 0));
    EXPECT_EQ(noon.GetDayOfWeek(), dayOfWeek);
  }
}

TEST(DateTimeTest, NegativeDayCountsCarryTheTimeAfterMidnight) {
  const COleDateTime nextDay = COleDateTime(1000, 1, 1, 9, 0, 0) + COleDateTimeSpan(1.0);
  EXPECT_EQ(nextDay.m_dt, -328715.375);
  EXPECT_EQ(Parts(nextDay), std::make_tuple(1000, 1, 2, 9, 0, 0));
  // Across day 0 and back: 29 December 1899 18:00 and 30 December 06:00 are twelve hours apart.
  EXPECT_EQ((COleDateTime(-1.75) + COleDateTimeSpan(0.5)).m_dt, 0.25);
  COleDateTime back(0.25);
  back -= COleDateTimeSpan(0.5);
  EXPECT_EQ(back.m_dt, -1.75);
  EXPECT_DOUBLE_EQ((COleDateTime(-1.5) - COleDateTime(-1.25)).m_span, 0.25);
  // A difference is a span, valid within the span limit only.
  EXPECT_EQ((COleDateTime(3615897.5) - COleDateTime(0.0)).GetStatus(), COleDateTimeSpan::invalid);
  EXPECT_EQ((COleDateTime(3615897.0) - COleDateTime(0.0)).GetStatus(), COleDateTimeSpan::valid);
}

TEST(DateTimeTest, BadComponentsAreInvalidAndUnreadableValuesReadMinusOne) {
  const int cases[][6] = {
      {2003, 2, 30, 0, 0, 0},  {-1, -1, -1, 0, 0, 0},   {1900, 2, 29, 0, 0, 0},
      {2003, 13, 1, 0, 0, 0},  {2003, 4, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},
      {2003, 4, 14, 24, 0, 0}, {2003, 4, 14, 0, 60, 0}, {2003, 4, 14, 0, 0, -1}};
  for (const auto& c : cases) {
    COleDateTime value;
    EXPECT_EQ(value.SetDateTime(c[0], c[1], c[2], c[3], c[4], c[5]), 1) << c[0] << "-" << c[1];
    EXPECT_EQ(value.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(value.GetDay(), -1);
  }
  // Day counts that name no readable date: every reading is -1, and arithmetic stays defined.
  for (double count : {kNaN, kInf, -kInf, 1e300, 2958466.0, -657435.5}) {
    const COleDateTime value(count);
    EXPECT_EQ(Parts(value), std::make_tuple(-1, -1, -1, -1, -1, -1)) << count;
    EXPECT_EQ(value.Format(), "Invalid DateTime") << count;
    (void)(value + COleDateTimeSpan(1.0));
  }
}

// Each row of calendar/testdata/day_count_cases.txt: how two day counts compare, or the whole
// units of a span.
TEST(DateTimeTest, ComparisonsFollowTimeAndSpansCountWholeUnits) {
  for (std::istringstream& row : TestRows("calendar/testdata/day_count_cases.txt")) {
    SCOPED_TRACE(row.str());
    std::string kind;
    double first = 0, second = 0;
    int order = 0;
    ASSERT_TRUE(row >> kind >> first >> second);
    if (kind != "compare") {
      const COleDateTimeSpan span(kind == "minutes" ? first / 86400 : first);
      EXPECT_EQ(kind == "minutes" ? span.GetWholeMinutes() : span.GetWholeDays(), second);
      continue;
    }
    ASSERT_TRUE(row >> order);
    const COleDateTime a(first);
    COleDateTime b(second);
    b.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(std::make_tuple((a < b), (a <= b), (a > b), (a >= b), (a == b), (a != b)),
              std::make_tuple((order < 0), (order <= 0), (order > 0), (order >= 0), (order == 0),
                              (order != 0)));
  }
  EXPECT_EQ(COleDateTimeSpan(kNaN).GetWholeDays(), 0);
  EXPECT_EQ(COleDateTimeSpan(-3615897.0).GetStatus(), COleDateTimeSpan::valid);
  EXPECT_DOUBLE_EQ(COleDateTimeSpan(2, 3, 4, 5).m_span, 2 + (3 * 3600 + 4 * 60 + 5) / 86400.0);
}

// Each row of calendar/testdata/date_texts.txt: a text, what ParseDateTime reads from it, and
// whether Format writes that text. A failure says whether the text was a date at all.
TEST(DateTimeTest, FormatAndParseDateTimeUseUsEnglish) {
  auto rows = TestRows("calendar/testdata/date_texts.txt");
  EXPECT_EQ(rows.size(), 32u);
  for (std::istringstream& row : rows) {
    SCOPED_TRACE(row.str());
    std::string text, bar, kind, formatted;
    int p[6] = {};
    double count = 0;
    ASSERT_TRUE(row >> std::quoted(text) >> bar >> kind);
    ASSERT_TRUE(kind == "at" ? row >> p[0] >> p[1] >> p[2] >> p[3] >> p[4] >> p[5] : row >> count);
    const COleDateTime value =
        kind == "at" ? COleDateTime(p[0], p[1], p[2], p[3], p[4], p[5]) : COleDateTime(count);
    COleDateTime read(5.0);
    EXPECT_EQ(read.ParseDateTime(text.c_str()), kind != "fails");
    EXPECT_EQ(
        std::make_pair(read.GetStatus(), read.m_dt),
        std::make_pair(kind == "fails" ? COleDateTime::invalid : COleDateTime::valid, value.m_dt));
    row >> formatted;  // "formatted" when Format writes this very text, else nothing
    EXPECT_EQ(value.Format() == text, formatted == "formatted") << value.Format().GetString();
  }
  COleDateTime fromNull(5.0);
  EXPECT_FALSE(fromNull.ParseDateTime(nullptr));
  EXPECT_EQ(std::make_pair(fromNull.GetStatus(), fromNull.m_dt),
            std::make_pair(COleDateTime::invalid, 0.0));
}

TEST(DateTimeTest, EveryFormattedValueReadsBackToTheSameSecond) {
  std::mt19937_64 random(1899);
  std::uniform_real_distribution<double> anyDay(-657434.0, 2958465.99);
  std::uniform_int_distribution<int> anySecond(0, 86399);
  for (int i = 0; i < 20000; ++i) {
    double count = anyDay(random);
    if (i % 2 == 1) {  // a whole second of the day, midnight one time in seven
      const double fraction = (i % 7 == 1 ? 0 : anySecond(random)) / 86400.0;
      count = count >= 0 ? std::trunc(count) + fraction : std::trunc(count) - fraction;
    }
    const COleDateTime value(count);
    COleDateTime back;
    ASSERT_TRUE(back.ParseDateTime(value.Format())) << value.Format().GetString();
    ASSERT_EQ(Parts(back), Parts(value)) << value.Format().GetString();
  }
}

}  // namespace
}  // namespace dayweave
