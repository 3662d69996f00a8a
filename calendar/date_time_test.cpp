#include "dayweave/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace dayweave {
namespace {

struct CivilRow {
  long dayNumber;
  int year, month, day, dayOfWeek;
};

std::vector<CivilRow> LoadCivilTable() {
  std::ifstream in(std::string(DAYWEAVE_SOURCE_DIR) + "/calendar/testdata/civil_dates.txt");
  std::vector<CivilRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    CivilRow row{};
    fields >> row.dayNumber >> row.year >> row.month >> row.day >> row.dayOfWeek;
    rows.push_back(row);
  }
  return rows;
}

// The table was computed once with Python's datetime, independently of std::chrono.
TEST(DateTimeTest, CivilConversionsAgreeWithReferenceTable) {
  const auto rows = LoadCivilTable();
  ASSERT_GT(rows.size(), 1000u);
  for (const CivilRow& row : rows) {
    SCOPED_TRACE(row.dayNumber);
    COleDateTime date;
    ASSERT_EQ(date.SetDate(row.year, row.month, row.day), 0);
    EXPECT_EQ(date.m_dt, static_cast<double>(row.dayNumber));
    // Noon of that day, written with the negative-day convention: the fraction is the time
    // after midnight whatever the sign of the whole part.
    const double noon = row.dayNumber >= 0 ? row.dayNumber + 0.5 : row.dayNumber - 0.5;
    const COleDateTime atNoon(noon);
    EXPECT_EQ(atNoon.GetYear(), row.year);
    EXPECT_EQ(atNoon.GetMonth(), row.month);
    EXPECT_EQ(atNoon.GetDay(), row.day);
    EXPECT_EQ(atNoon.GetHour(), 12);
    EXPECT_EQ(atNoon.GetDayOfWeek(), row.dayOfWeek);
  }
}

TEST(DateTimeTest, NegativeDayCountsCarryTheTimeAfterMidnight) {
  EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
  EXPECT_EQ(COleDateTime(1000, 1, 1, 0, 0, 0).m_dt, -328716.0);
  EXPECT_EQ(COleDateTime(1000, 1, 1, 9, 0, 0).m_dt, -328716.375);

  // 06:00 comes before 12:00 on 29 December 1899 although -1.25 > -1.5.
  EXPECT_TRUE(COleDateTime(-1.25) < COleDateTime(-1.5));
  EXPECT_TRUE(COleDateTime(-1.5) > COleDateTime(-1.25));
  EXPECT_TRUE(COleDateTime(-1.25) <= COleDateTime(-1.25));
  EXPECT_FALSE(COleDateTime(-1.25) < COleDateTime(-1.25));
  EXPECT_TRUE(COleDateTime(-1.75) < COleDateTime(0.25));
  EXPECT_TRUE(COleDateTime(-2.0) < COleDateTime(-1.99));

  const COleDateTime nextDay = COleDateTime(1000, 1, 1, 9, 0, 0) + COleDateTimeSpan(1.0);
  EXPECT_EQ(nextDay.m_dt, -328715.375);
  EXPECT_EQ(nextDay.GetDay(), 2);
  EXPECT_EQ(nextDay.GetHour(), 9);

  // Across day 0: 29 December 1899 18:00 plus twelve hours is 30 December 06:00.
  EXPECT_EQ((COleDateTime(-1.75) + COleDateTimeSpan(0.5)).m_dt, 0.25);
  // And back: 30 December 06:00 minus twelve hours.
  EXPECT_EQ((COleDateTime(0.25) - COleDateTimeSpan(0.5)).m_dt, -1.75);
  // A difference is taken between the mapped instants: six hours, not a quarter day less.
  EXPECT_DOUBLE_EQ((COleDateTime(-1.5) - COleDateTime(-1.25)).m_span, 0.25);
  EXPECT_DOUBLE_EQ((COleDateTime(0.25) - COleDateTime(-1.75)).m_span, 0.5);
}

TEST(DateTimeTest, StatusOfArithmeticResults) {
  COleDateTime invalid;
  invalid.SetDate(2003, 2, 30);
  EXPECT_EQ((invalid + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::valid);
  invalid += COleDateTimeSpan(1.0);
  EXPECT_EQ(invalid.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ((COleDateTime(2958465.0) - COleDateTime(-657434.0)).GetStatus(),
            COleDateTimeSpan::invalid);
  EXPECT_EQ((COleDateTime(3615897.0) - COleDateTime(0.0)).GetStatus(), COleDateTimeSpan::valid);
}

TEST(DateTimeTest, ComponentsThatFormNoDateAreInvalid) {
  const int cases[][6] = {{2003, 2, 30, 0, 0, 0},  {-1, -1, -1, 0, 0, 0},   {1900, 2, 29, 0, 0, 0},
                          {2100, 2, 29, 0, 0, 0},  {2003, 13, 1, 0, 0, 0},  {2003, 0, 1, 0, 0, 0},
                          {2003, 4, 31, 0, 0, 0},  {99, 12, 31, 0, 0, 0},   {10000, 1, 1, 0, 0, 0},
                          {2003, 4, 14, 24, 0, 0}, {2003, 4, 14, 0, 60, 0}, {2003, 4, 14, 0, 0, 60},
                          {2003, 4, 14, -1, 0, 0}};
  for (const auto& c : cases) {
    COleDateTime value;
    EXPECT_EQ(value.SetDateTime(c[0], c[1], c[2], c[3], c[4], c[5]), 1);
    EXPECT_EQ(value.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(value.GetDay(), -1);
    EXPECT_EQ(value.GetYear(), -1);
    EXPECT_EQ(value.Format(), "Invalid DateTime");
  }
  COleDateTime leap;
  EXPECT_EQ(leap.SetDate(2000, 2, 29), 0);
  EXPECT_EQ(leap.SetDate(2004, 2, 29), 0);
  EXPECT_EQ(leap.SetDate(100, 1, 1), 0);
  EXPECT_EQ(leap.SetDate(9999, 12, 31), 0);
}

TEST(DateTimeTest, SetTimeLiesOnDayZero) {
  COleDateTime time;
  ASSERT_EQ(time.SetTime(9, 30, 0), 0);
  EXPECT_DOUBLE_EQ(time.m_dt, 0.3958333333333333);
  EXPECT_EQ(time.GetYear(), 1899);
  EXPECT_EQ(time.GetMonth(), 12);
  EXPECT_EQ(time.GetDay(), 30);
  EXPECT_EQ(time.GetDayOfWeek(), 7);
  EXPECT_EQ(COleDateTime(2023, 1, 1, 0, 0, 0).GetDayOfWeek(), 1);
}

TEST(DateTimeTest, ReadingRoundsToTheNearestSecond) {
  COleDateTime t(2003, 1, 13, 9, 0, 0);
  for (int i = 0; i < 90; ++i) t += COleDateTimeSpan(0, 0, 1, 0);
  EXPECT_EQ(t.GetHour(), 10);
  EXPECT_EQ(t.GetMinute(), 30);
  EXPECT_EQ(t.GetSecond(), 0);

  const double base = COleDateTime(2003, 1, 13, 23, 59, 59).m_dt;
  const double second = 1.0 / 86400;
  const COleDateTime justUnderHalf(base + 0.49 * second);
  EXPECT_EQ(justUnderHalf.GetSecond(), 59);
  const COleDateTime overHalf(base + 0.51 * second);  // rolls over to the next day
  EXPECT_EQ(overHalf.GetDay(), 14);
  EXPECT_EQ(overHalf.GetHour(), 0);
  EXPECT_EQ(overHalf.GetSecond(), 0);

  // On the negative side the next day is the one with the larger (less negative) number.
  const COleDateTime beforeDayZero(-1.0 - 0.9999999);
  EXPECT_EQ(beforeDayZero.GetDay(), 30);
  EXPECT_EQ(beforeDayZero.GetHour(), 0);
}

TEST(DateTimeTest, UnreadableValuesAnswerMinusOne) {
  const double unreadable[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               1e300,
                               -1e300,
                               2958466.0,
                               -657435.5,
                               std::numeric_limits<double>::max()};
  for (double count : unreadable) {
    const COleDateTime value(count);
    EXPECT_EQ(value.GetYear(), -1);
    EXPECT_EQ(value.GetDayOfWeek(), -1);
    EXPECT_EQ(value.GetSecond(), -1);
    EXPECT_EQ(value.Format(), "Invalid DateTime");
    DateTimeParts parts;
    EXPECT_EQ(value.GetAsSystemTime(parts), 0);
    // Comparison and arithmetic stay defined.
    EXPECT_FALSE(value < value && value > value);
    (void)(value + COleDateTimeSpan(1.0));
  }
  COleDateTime nullValue(1.0);
  nullValue.SetStatus(COleDateTime::null);
  EXPECT_EQ(nullValue.Format(), "");
  EXPECT_EQ(nullValue.GetMonth(), -1);
}

TEST(DateTimeTest, SpanLimitAndConstants) {
  EXPECT_EQ(COleDateTimeSpan(3615897.0).GetStatus(), COleDateTimeSpan::valid);
  EXPECT_EQ(COleDateTimeSpan(-3615897.0).GetStatus(), COleDateTimeSpan::valid);
  EXPECT_EQ(COleDateTimeSpan(3615897.5).GetStatus(), COleDateTimeSpan::invalid);
  EXPECT_EQ(COleDateTimeSpan(-3615897.5).GetStatus(), COleDateTimeSpan::invalid);
  EXPECT_EQ(COleDateTimeSpan(std::nan("")).GetStatus(), COleDateTimeSpan::invalid);
  EXPECT_EQ(COleDateTimeSpan(3615898L, 0, 0, 0).GetStatus(), COleDateTimeSpan::invalid);

  EXPECT_EQ(COleDateTimeSpan(0, 0, 1, 0).m_span, 0.0006944444444444445);
  EXPECT_EQ(COleDateTimeSpan(0, 0, 0, 1).m_span, 1.1574074074074073e-05);
  EXPECT_EQ(COleDateTimeSpan(0, 1, 0, 0).m_span, 0.041666666666666664);
  // The sum is taken seconds first, then minutes, hours and days.
  EXPECT_EQ(
      COleDateTimeSpan(2, 3, 4, 5).m_span,
      ((5 * 1.1574074074074073e-05 + 4 * 0.0006944444444444445) + 3 * 0.041666666666666664) + 2.0);
}

TEST(DateTimeTest, WholeUnitsRoundByHalfASecondAwayFromZero) {
  const double second = 1.0 / 86400;
  struct Case {
    double seconds;
    int minutes;
  } cases[] = {{59.6, 1}, {59.4, 0}, {-59.6, -1}, {-59.4, 0}, {90, 1}, {0, 0}, {28800, 480}};
  for (const Case& c : cases) {
    EXPECT_EQ(COleDateTimeSpan(c.seconds * second).GetWholeMinutes(), c.minutes) << c.seconds;
  }
  EXPECT_EQ(COleDateTimeSpan(6.9999999).GetWholeDays(), 7);
  EXPECT_EQ(COleDateTimeSpan(7.4).GetWholeDays(), 7);
  EXPECT_EQ(COleDateTimeSpan(6.5).GetWholeDays(), 6);
  EXPECT_EQ(COleDateTimeSpan(-6.9999999).GetWholeDays(), -7);
  // Nothing overflows: NaN reads 0 and huge spans saturate.
  EXPECT_EQ(COleDateTimeSpan(std::nan("")).GetWholeMinutes(), 0);
  EXPECT_EQ(COleDateTimeSpan(1e300).GetWholeMinutes(), std::numeric_limits<int>::max());
  EXPECT_EQ(COleDateTimeSpan(-1e300).GetWholeDays(), std::numeric_limits<int>::min());
  EXPECT_EQ(COleDateTimeSpan(std::numeric_limits<double>::infinity()).GetWholeDays(),
            std::numeric_limits<int>::max());
}

TEST(DateTimeTest, FormatWritesUsEnglish) {
  struct Case {
    COleDateTime value;
    const char* text;
  } cases[] = {
      {COleDateTime(2003, 4, 14, 15, 56, 57), "4/14/2003 3:56:57 PM"},
      {COleDateTime(2003, 4, 14, 0, 0, 0), "4/14/2003"},
      {COleDateTime(2003, 4, 14, 0, 0, 1), "4/14/2003 12:00:01 AM"},
      {COleDateTime(2003, 12, 1, 12, 0, 0), "12/1/2003 12:00:00 PM"},
      {COleDateTime(2003, 12, 1, 9, 5, 7), "12/1/2003 9:05:07 AM"},
      {COleDateTime(1000, 1, 1, 9, 0, 0), "1/1/1000 9:00:00 AM"},
      {COleDateTime(100, 1, 1, 23, 59, 59), "1/1/100 11:59:59 PM"},
      {COleDateTime(0.0), "12:00:00 AM"},
      {COleDateTime(0.3958333333333333), "9:30:00 AM"},
      {COleDateTime(-1.25), "12/29/1899 6:00:00 AM"},
      {COleDateTime(1.0), "12/31/1899"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.Format(), c.text);
}

TEST(DateTimeTest, ParseDateTimeReadsEveryDocumentedForm) {
  struct Case {
    const char* text;
    int year, month, day, hour, minute, second;
  } cases[] = {
      {"4/14/2003 3:56:57 PM", 2003, 4, 14, 15, 56, 57},
      {"  4/14/2003 9:00 AM \t", 2003, 4, 14, 9, 0, 0},
      {"4/14/2003 12:00 AM", 2003, 4, 14, 0, 0, 0},
      {"4/14/2003 12:30 pm", 2003, 4, 14, 12, 30, 0},
      {"4/14/2003 9 p.m.", 2003, 4, 14, 21, 0, 0},
      {"4/14/2003 15:30", 2003, 4, 14, 15, 30, 0},
      {"4/14/2003 15:30:00", 2003, 4, 14, 15, 30, 0},
      {"4/14/2003", 2003, 4, 14, 0, 0, 0},
      {"4-14-2003", 2003, 4, 14, 0, 0, 0},
      {"2003-04-14", 2003, 4, 14, 0, 0, 0},
      {"2003-04-14T15:30:00", 2003, 4, 14, 15, 30, 0},
      {"2003-04-14 15:30", 2003, 4, 14, 15, 30, 0},
      {"1/5/29", 2029, 1, 5, 0, 0, 0},
      {"1/5/30", 1930, 1, 5, 0, 0, 0},
      {"1/1/150", 150, 1, 1, 0, 0, 0},
      {"9:30 AM", 1899, 12, 30, 9, 30, 0},
      {"15:30", 1899, 12, 30, 15, 30, 0},
      {"2/29/2004 11:59:59 PM", 2004, 2, 29, 23, 59, 59},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    COleDateTime value;
    ASSERT_TRUE(value.ParseDateTime(c.text));
    EXPECT_EQ(value.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(value, COleDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second));
  }
}

TEST(DateTimeTest, ParseDateTimeFailuresSayWhetherTheTextWasADate) {
  struct Case {
    const char* text;
    double dayCount;
  } cases[] = {
      {"", 0.0},
      {"   ", 0.0},
      {"hello", 0.0},
      {"4/14", 0.0},
      {"4/14/2003 x", 0.0},
      {"2003-04-14X10:00", 0.0},
      {"+4/14/2003", 0.0},
      {"9:", 0.0},
      {"4//2003", 0.0},
      {"4/14/2003 9", 0.0},
      {"(4/14/2003)", 0.0},
      {"2/30/2003", -1.0},
      {"13/1/2003", -1.0},
      {"25:00", -1.0},
      {"1/1/10000", -1.0},
      {"12:60", -1.0},
      {"0:30 AM", -1.0},
      {"13:00 PM", -1.0},
      {"2/29/1900", -1.0},
      {"0/1/2003", -1.0},
      {"1/1/99999999999999999999", -1.0},
      {"10000-01-01", -1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    COleDateTime value(5.0);
    EXPECT_FALSE(value.ParseDateTime(c.text));
    EXPECT_EQ(value.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(value.m_dt, c.dayCount);
  }
  COleDateTime fromNull(5.0);
  EXPECT_FALSE(fromNull.ParseDateTime(nullptr));
  EXPECT_EQ(fromNull.m_dt, 0.0);
}

TEST(DateTimeTest, EveryFormattedValueReadsBackToTheSameSecond) {
  std::mt19937_64 random(1899);
  std::uniform_real_distribution<double> anyDay(-657434.0, 2958465.99);
  std::uniform_int_distribution<int> anySecond(0, 86399);
  for (int i = 0; i < 20000; ++i) {
    // Half the samples are arbitrary day counts, half exact seconds, midnights included.
    double count = anyDay(random);
    if (i % 2 == 1) {
      const double whole = std::trunc(count);
      const double fraction = (i % 7 == 1 ? 0 : anySecond(random)) / 86400.0;
      count = whole >= 0 ? whole + fraction : whole - fraction;
    }
    const COleDateTime value(count);
    DateTimeParts expected;
    ASSERT_EQ(value.GetAsSystemTime(expected), 1) << count;
    COleDateTime back;
    ASSERT_TRUE(back.ParseDateTime(value.Format())) << value.Format().GetString();
    DateTimeParts read;
    ASSERT_EQ(back.GetAsSystemTime(read), 1);
    ASSERT_EQ(std::tie(read.year, read.month, read.day, read.hour, read.minute, read.second),
              std::tie(expected.year, expected.month, expected.day, expected.hour, expected.minute,
                       expected.second))
        << value.Format().GetString();
  }
}

}  // namespace
}  // namespace dayweave
