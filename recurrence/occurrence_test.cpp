#include "dayweave/recurrence_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dayweave {
namespace {

namespace chrono = std::chrono;

struct Date {
  int year, month, day;
};

// A rule as an appointment fills it.
struct RuleFields {
  int type;
  long interval;
  long instance;
  int days;
  long dayOfMonth;
  Date start;
  int ends = 0;
  Date end = {2003, 1, 1};
};

CRecurrenceData Build(const RuleFields& fields) {
  CRecurrenceData rule(fields.type);
  rule.SetInterval(fields.interval);
  rule.SetInstance(fields.instance);
  rule.Ends(fields.ends);
  rule.SetStartDate(fields.start.year, fields.start.month, fields.start.day);
  rule.SetEndDate(fields.end.year, fields.end.month, fields.end.day);
  rule.SetDayOfMonth(fields.dayOfMonth);
  rule.SetDays(static_cast<unsigned int>(fields.days));
  return rule;
}

constexpr int kMon = 2, kTue = 4, kWed = 8, kThu = 16, kFri = 32, kSat = 64, kSun = 1;
constexpr int kWeekdays = 62, kWeekend = 65, kEvery = 127;

TEST(OccurrenceTest, HandListedDates) {
  const struct {
    const char* what;
    RuleFields rule;
    std::vector<Date> occurs, doesNot;
  } cases[] = {
      {"daily every third day",
       {0, 3, 0, 0, 0, {2003, 4, 14}},
       {{2003, 4, 14}, {2003, 4, 17}, {2003, 4, 20}},
       {{2003, 4, 15}, {2003, 4, 16}, {2003, 4, 13}}},
      {"daily with days set",
       {0, 1, 0, kMon, 0, {2003, 4, 14}},
       {},
       {{2003, 4, 14}, {2003, 4, 21}}},
      {"Monday and Wednesday of every second week",
       {1, 2, 0, kMon | kWed, 0, {2003, 4, 2}},
       {{2003, 4, 2}, {2003, 4, 14}, {2003, 4, 16}, {2003, 4, 28}, {2003, 4, 30}},
       // 31 March lies in the start date's week, before the start date.
       {{2003, 3, 31}, {2003, 4, 7}, {2003, 4, 9}, {2003, 4, 15}}},
      {"weekend of every third week, from a Saturday whose week began on 30 March",
       {1, 3, 0, kSun | kSat, 0, {2003, 4, 5}},
       {{2003, 4, 5}, {2003, 4, 20}, {2003, 4, 26}, {2003, 5, 11}},
       {{2003, 3, 30}, {2003, 4, 6}, {2003, 4, 19}, {2003, 4, 27}}},
      {"weekly without days", {1, 1, 0, 0, 0, {2003, 4, 2}}, {}, {{2003, 4, 2}, {2003, 4, 9}}},
      {"the 15th of every second month",
       {2, 2, 0, 0, 15, {2003, 1, 15}},
       {{2003, 1, 15}, {2003, 3, 15}, {2003, 5, 15}, {2004, 1, 15}},
       {{2003, 2, 15}, {2003, 3, 16}}},
      {"the 31st of every month",
       {2, 1, 0, 0, 31, {2003, 1, 31}},
       {{2003, 3, 31}},
       {{2003, 4, 30}, {2003, 5, 1}}},
      {"every fifth month across year ends",
       {2, 5, 0, 0, 10, {2003, 11, 10}},
       {{2004, 4, 10}, {2004, 9, 10}, {2005, 2, 10}},
       {{2004, 11, 10}, {2004, 3, 10}}},
      {"second Tuesday",
       {3, 1, 2, kTue, 0, {2003, 1, 1}},
       {{2003, 1, 14}, {2003, 2, 11}},
       {{2003, 1, 7}, {2003, 1, 15}}},
      // May 2003 ends on a Saturday, August 2003 on a Sunday.
      {"last weekday",
       {3, 1, 5, kWeekdays, 0, {2003, 1, 1}},
       {{2003, 5, 30}, {2003, 8, 29}, {2003, 6, 30}},
       {{2003, 5, 31}, {2003, 8, 31}}},
      {"last day",
       {3, 1, 5, kEvery, 0, {2003, 1, 1}},
       {{2003, 5, 31}, {2004, 2, 29}, {2100, 2, 28}},
       {{2003, 5, 30}, {2004, 2, 28}}},
      // June 2003 begins on a Sunday, March 2003 on a Saturday.
      {"first weekend day",
       {3, 1, 1, kWeekend, 0, {2003, 1, 1}},
       {{2003, 6, 1}, {2003, 3, 1}, {2003, 5, 3}},
       {{2003, 3, 2}}},
      {"first weekday",
       {3, 1, 1, kWeekdays, 0, {2003, 1, 1}},
       {{2003, 3, 3}, {2003, 6, 2}},
       {{2003, 6, 1}, {2003, 3, 1}}},
      {"the last day of every twelfth month, from February 1900",
       {3, 12, 5, kEvery, 0, {1900, 2, 1}},
       {{1900, 2, 28}, {2000, 2, 29}, {2004, 2, 29}, {2100, 2, 28}},
       {{2000, 2, 28}, {1900, 3, 31}}},
      {"every 29 February",
       {5, 1, 0, 0, 0, {2004, 2, 29}},
       {{2008, 2, 29}},
       {{2005, 2, 28}, {2005, 3, 1}, {2100, 2, 28}, {2000, 2, 29}}},
      {"last Sunday of March",
       {6, 1, 5, kSun, 0, {2003, 3, 1}},
       {{2003, 3, 30}, {2004, 3, 28}},
       {{2003, 4, 27}, {2003, 3, 23}}},
      {"daily until 30 April",
       {0, 1, 0, 0, 0, {2003, 4, 1}, 1, {2003, 4, 30}},
       {{2003, 4, 30}},
       {{2003, 5, 1}}},
      {"daily with an end date that does not apply",
       {0, 1, 0, 0, 0, {2003, 4, 1}, 0, {2003, 4, 30}},
       {{2003, 5, 1}, {2090, 5, 1}},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CRecurrenceData rule = Build(c.rule);
    // The argument order is day, month, year.
    for (const Date& d : c.occurs) {
      EXPECT_EQ(rule.OccursOn(d.day, d.month, d.year), 1)
          << d.year << "-" << d.month << "-" << d.day;
    }
    for (const Date& d : c.doesNot) {
      EXPECT_EQ(rule.OccursOn(d.day, d.month, d.year), 0)
          << d.year << "-" << d.month << "-" << d.day;
    }
  }
}

// THE INDEPENDENT ENUMERATION
// Walks the calendar occurrence by occurrence from the start date, with std::chrono and the
// plain meaning of each rule type, and lists every occurrence up to `until`.

chrono::sys_days Sys(Date date) {
  return chrono::sys_days{chrono::year{date.year} / date.month / date.day};
}

// The instance-th day of the month counted by the day set, or nothing.
std::optional<chrono::sys_days> Position(chrono::year_month month, int days, long instance) {
  std::vector<chrono::sys_days> counted;
  const unsigned length = static_cast<unsigned>((month / chrono::last).day());
  for (unsigned d = 1; d <= length; ++d) {
    const chrono::sys_days date{month / chrono::day{d}};
    const unsigned dayOfWeek = chrono::weekday{date}.c_encoding();  // 0 Sunday
    const bool weekend = dayOfWeek == 0 || dayOfWeek == 6;
    const bool counts = days == kWeekdays  ? !weekend
                        : days == kWeekend ? weekend
                        : days == kEvery   ? true
                                           : days == (1 << dayOfWeek);
    if (counts) counted.push_back(date);
  }
  if (counted.empty()) return std::nullopt;
  if (instance == 5) return counted.back();
  if (instance >= 1 && instance <= 4 && counted.size() >= static_cast<size_t>(instance)) {
    return counted[instance - 1];
  }
  return std::nullopt;
}

std::set<long> Enumerate(const RuleFields& fields, chrono::sys_days until) {
  std::set<long> found;
  const chrono::sys_days start = Sys(fields.start);
  const long step = std::labs(fields.interval);
  auto add = [&](chrono::sys_days date) {
    if (date < start || date > until || (fields.ends != 0 && date > Sys(fields.end))) return;
    found.insert(date.time_since_epoch().count());
  };
  const chrono::year_month_day first{start};
  const chrono::year_month firstMonth = first.year() / first.month();
  const chrono::year lastYear = chrono::year_month_day{until}.year();
  auto monthStart = [](chrono::year_month month) { return chrono::sys_days{month / 1}; };

  switch (fields.type) {
    case 0:
      if (fields.days != 0) break;
      for (chrono::sys_days d = start; d <= until; d += chrono::days{step}) add(d);
      break;
    case 1:
      for (chrono::sys_days sunday = start - (chrono::weekday{start} - chrono::Sunday);
           sunday <= until; sunday += chrono::weeks{step}) {
        for (int i = 0; i < 7; ++i) {
          if (fields.days & (1 << i)) add(sunday + chrono::days{i});
        }
      }
      break;
    case 2:
      for (auto m = firstMonth; monthStart(m) <= until; m += chrono::months{step}) {
        const auto date = m / chrono::day{static_cast<unsigned>(fields.dayOfMonth)};
        if (date.ok()) add(chrono::sys_days{date});
      }
      break;
    case 3:
      for (auto m = firstMonth; monthStart(m) <= until; m += chrono::months{step}) {
        if (const auto date = Position(m, fields.days, fields.instance)) add(*date);
      }
      break;
    case 5:
      for (chrono::year y = first.year(); y <= lastYear; ++y) {
        const auto date = y / first.month() / first.day();
        if (date.ok()) add(chrono::sys_days{date});
      }
      break;
    case 6:
      for (chrono::year y = first.year(); y <= lastYear; ++y) {
        if (const auto date = Position(y / first.month(), fields.days, fields.instance)) add(*date);
      }
      break;
    default:
      break;
  }
  return found;
}

TEST(OccurrenceTest, YearsOfDatesAgreeWithAnIndependentEnumeration) {
  const struct {
    RuleFields fields;
    int years;
  } rules[] = {
      {{0, 1, 0, 0, 0, {2003, 4, 14}}, 4},
      {{0, 3, 0, 0, 0, {2003, 4, 14}}, 6},
      {{0, -3, 0, 0, 0, {2003, 4, 14}}, 6},
      {{0, 10, 0, 0, 0, {1899, 11, 1}}, 6},  // across day 0, 30 December 1899
      {{0, 2, 0, 0, 0, {2003, 4, 14}, 1, {2005, 6, 30}}, 6},
      {{1, 1, 0, kMon, 0, {2003, 1, 6}}, 6},
      {{1, 2, 0, kMon | kWed, 0, {2003, 4, 2}}, 6},
      {{1, 3, 0, kSun | kSat, 0, {2003, 4, 5}}, 6},
      {{1, -2, 0, kEvery, 0, {2003, 12, 31}}, 6},
      {{1, 4, 0, kWeekdays, 0, {1899, 12, 28}}, 6},
      {{1, 5, 0, kThu | kFri, 0, {2004, 2, 29}, 1, {2007, 1, 1}}, 6},
      {{2, 2, 0, 0, 15, {2003, 1, 15}}, 6},
      {{2, 1, 0, 0, 31, {2003, 1, 31}}, 6},
      {{2, 5, 0, 0, 29, {2003, 11, 29}}, 8},
      {{2, -3, 0, 0, 30, {2003, 12, 30}}, 6},
      {{2, 1, 0, 0, 10, {2003, 1, 20}}, 6},
      {{2, 7, 0, 0, 31, {1899, 8, 31}}, 6},
      {{3, 1, 2, kTue, 0, {2003, 1, 1}}, 6},
      {{3, 1, 5, kWeekdays, 0, {2003, 1, 1}}, 6},
      {{3, 1, 1, kWeekend, 0, {2003, 1, 1}}, 6},
      {{3, 1, 5, kEvery, 0, {2003, 1, 1}}, 6},
      {{3, 2, 4, kWeekend, 0, {2003, 11, 1}}, 6},
      {{3, -3, 3, kWeekdays, 0, {2003, 1, 1}}, 6},
      {{3, 1, 5, kSat, 0, {2003, 1, 1}}, 6},
      {{3, 1, 1, kSun, 0, {2003, 6, 15}}, 6},
      {{3, 4, 1, kEvery, 0, {2003, 1, 1}, 1, {2006, 3, 1}}, 6},
      {{5, 1, 0, 0, 0, {2004, 2, 29}}, 9},
      {{5, 9, 0, 0, 0, {1999, 12, 31}}, 6},
      {{5, 1, 0, 0, 0, {1896, 2, 29}}, 12},  // 1900 has no 29 February
      {{6, 1, 5, kSun, 0, {2003, 3, 1}}, 6},
      {{6, 1, 1, kWeekdays, 0, {2003, 1, 1}}, 6},
      {{6, 1, 5, kWeekend, 0, {1900, 2, 1}}, 12},
      {{6, 1, 5, kEvery, 0, {2000, 2, 10}}, 6},
      {{6, 4, 2, kFri, 0, {2003, 8, 20}, 1, {2007, 8, 31}}, 6},
  };
  for (const auto& r : rules) {
    const RuleFields& fields = r.fields;
    SCOPED_TRACE(testing::Message()
                 << "type " << fields.type << " interval " << fields.interval << " from "
                 << fields.start.year << "-" << fields.start.month << "-" << fields.start.day);
    const chrono::sys_days from = Sys(fields.start) - chrono::days{40};
    const chrono::sys_days until = Sys(fields.start) + chrono::days{366 * r.years};
    const std::set<long> expected = Enumerate(fields, until);
    ASSERT_GE(expected.size(), 2u);
    const CRecurrenceData rule = Build(fields);
    std::vector<std::string> wrong;
    for (chrono::sys_days d = from; d <= until; d += chrono::days{1}) {
      const chrono::year_month_day ymd{d};
      const int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
      const int month = static_cast<int>(static_cast<unsigned>(ymd.month()));
      const int year = static_cast<int>(ymd.year());
      const int want = expected.count(d.time_since_epoch().count()) ? 1 : 0;
      if (rule.OccursOn(day, month, year) != want) {
        wrong.push_back(std::to_string(year) + "-" + std::to_string(month) + "-" +
                        std::to_string(day) + (want ? " missed" : " extra"));
      }
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong, first "
                               << (wrong.empty() ? "" : wrong.front());
  }
}

TEST(OccurrenceTest, FarFromTheStartDate) {
  // 1 January 100 and 31 December 9999 are both Fridays, 3615899 days (516557 weeks) apart:
  // more than the span limit, which the whole-day count does not consult.
  const Date first{100, 1, 1};
  EXPECT_EQ(Build({0, 1, 0, 0, 0, first}).OccursOn(31, 12, 9999), 1);
  EXPECT_EQ(Build({0, 7, 0, 0, 0, first}).OccursOn(31, 12, 9999), 1);
  EXPECT_EQ(Build({0, 7, 0, 0, 0, first}).OccursOn(30, 12, 9999), 0);
  EXPECT_EQ(Build({1, 1, 0, kFri, 0, first}).OccursOn(31, 12, 9999), 1);
  EXPECT_EQ(Build({1, 2, 0, kFri, 0, first}).OccursOn(31, 12, 9999), 0);  // odd week
  EXPECT_EQ(Build({1, 2, 0, kFri, 0, first}).OccursOn(24, 12, 9999), 1);
  // 118797 months from January 100 to October 9999, a multiple of 7; December is not.
  EXPECT_EQ(Build({2, 7, 0, 0, 1, first}).OccursOn(1, 10, 9999), 1);
  EXPECT_EQ(Build({2, 7, 0, 0, 1, first}).OccursOn(1, 12, 9999), 0);
  EXPECT_EQ(Build({3, 7, 1, kEvery, 0, first}).OccursOn(1, 10, 9999), 1);
}

TEST(OccurrenceTest, HugeAndNegativeIntervals) {
  // A huge interval leaves the first period alone; 7 x INT_MAX weeks must not overflow.
  for (long interval : {long{INT_MAX}, long{INT_MIN}, long{INT_MIN} + 1}) {
    SCOPED_TRACE(interval);
    const CRecurrenceData daily = Build({0, interval, 0, 0, 0, {2003, 1, 6}});
    const CRecurrenceData weekly = Build({1, interval, 0, kMon | kTue, 0, {2003, 1, 6}});
    const CRecurrenceData monthly = Build({2, interval, 0, 0, 6, {2003, 1, 6}});
    const CRecurrenceData byPosition = Build({3, interval, 1, kMon, 0, {2003, 1, 6}});
    EXPECT_EQ(daily.OccursOn(6, 1, 2003), 1);
    EXPECT_EQ(daily.OccursOn(7, 1, 2003), 0);
    EXPECT_EQ(daily.OccursOn(6, 1, 9999), 0);
    EXPECT_EQ(weekly.OccursOn(6, 1, 2003), 1);
    EXPECT_EQ(weekly.OccursOn(7, 1, 2003), 1);
    EXPECT_EQ(weekly.OccursOn(13, 1, 2003), 0);
    EXPECT_EQ(monthly.OccursOn(6, 1, 2003), 1);
    EXPECT_EQ(monthly.OccursOn(6, 2, 2003), 0);
    EXPECT_EQ(byPosition.OccursOn(6, 1, 2003), 1);
    EXPECT_EQ(byPosition.OccursOn(3, 2, 2003), 0);
  }
  // -1 acts like 1; the low 32 bits of a long are what counts.
  EXPECT_EQ(Build({0, -1, 0, 0, 0, {2003, 1, 6}}).OccursOn(9, 3, 2007), 1);
  EXPECT_EQ(Build({1, -1, 0, kWed, 0, {2003, 1, 6}}).OccursOn(11, 3, 2009), 1);
  EXPECT_EQ(Build({0, (1L << 32) + 2, 0, 0, 0, {2003, 1, 6}}).OccursOn(8, 1, 2003), 1);
  EXPECT_EQ(Build({0, (1L << 32) + 2, 0, 0, 0, {2003, 1, 6}}).OccursOn(9, 1, 2003), 0);
}

TEST(OccurrenceTest, NumbersThatFormNoDateNeverOccur) {
  // Every real date after 1 January 100 occurs for this rule.
  const CRecurrenceData rule = Build({0, 1, 0, 0, 0, {100, 1, 1}});
  EXPECT_EQ(rule.OccursOn(29, 2, 2000), 1);
  EXPECT_EQ(rule.OccursOn(31, 12, 9999), 1);
  const Date bad[] = {
      {2003, 4, 31},
      {2003, 2, 29},
      {1900, 2, 29},
      {2100, 2, 29},
      {2003, 1, 0},
      {2003, 0, 1},
      {2003, 13, 1},
      {0, 1, 1},
      {99, 12, 31},
      {10000, 1, 1},
      {-1, -1, -1},
      {INT_MIN, INT_MIN, INT_MIN},
      {INT_MAX, INT_MAX, INT_MAX},
  };
  for (const Date& d : bad) {
    EXPECT_EQ(rule.OccursOn(d.day, d.month, d.year), 0) << d.year << "-" << d.month << "-" << d.day;
  }
  // Month and day swapped is another date, or none.
  const CRecurrenceData april14 = Build({5, 1, 0, 0, 0, {2003, 4, 14}});
  EXPECT_EQ(april14.OccursOn(14, 4, 2003), 1);
  EXPECT_EQ(april14.OccursOn(4, 14, 2003), 0);
}

TEST(OccurrenceTest, RulesThatNeverOccur) {
  std::vector<RuleFields> never = {
      {0, 1, 0, kMon, 0, {2003, 1, 1}},  // daily with days set
      {1, 1, 0, 0, 0, {2003, 1, 1}},     // weekly without days
      {4, 1, 1, kEvery, 15, {2003, 1, 1}},  {7, 1, 1, kEvery, 15, {2003, 1, 1}},
      {-1, 1, 1, kEvery, 15, {2003, 1, 1}}, {INT_MIN, 1, 1, kEvery, 15, {2003, 1, 1}},
      {2, 1, 0, 0, 0, {2003, 1, 1}},   // day of month 0
      {2, 1, 0, 0, 32, {2003, 1, 1}},  // day of month past any month
  };
  // By position: a day set that names no counted kind, or an instance outside 1 to 5.
  for (int type : {3, 6}) {
    for (int days : {kMon | kTue, kWeekdays | kSat, kWeekend | kMon, 128, 129, 0, -1}) {
      for (long instance : {1L, 2L, 3L, 4L, 5L}) {
        never.push_back({type, 1, instance, days, 0, {2003, 1, 1}});
      }
    }
    for (int days : {kMon, kWeekdays, kWeekend, kEvery}) {
      for (long instance : {0L, 6L, -1L, 1L << 32}) {
        never.push_back({type, 1, instance, days, 0, {2003, 1, 1}});
      }
    }
  }
  const chrono::sys_days first = Sys({2003, 1, 1});
  for (const RuleFields& fields : never) {
    const CRecurrenceData rule = Build(fields);
    int occurrences = 0;
    for (chrono::sys_days d = first; d < first + chrono::days{400}; d += chrono::days{1}) {
      const chrono::year_month_day ymd{d};
      occurrences += rule.OccursOn(static_cast<int>(static_cast<unsigned>(ymd.day())),
                                   static_cast<int>(static_cast<unsigned>(ymd.month())),
                                   static_cast<int>(ymd.year()));
    }
    EXPECT_EQ(occurrences, 0) << "type " << fields.type << " days " << fields.days << " instance "
                              << fields.instance << " day of month " << fields.dayOfMonth;
  }
}

TEST(OccurrenceTest, InvalidStartDateKeepsItsStoredDayCount) {
  // SetStartDate(-1, -1, -1) leaves day count 0.0 (30 December 1899) with status invalid: the
  // range test uses that day count, the month and year counts read -1.
  const CRecurrenceData daily = Build({0, 2, 0, 0, 0, {-1, -1, -1}});
  EXPECT_EQ(daily.OccursOn(30, 12, 1899), 1);
  EXPECT_EQ(daily.OccursOn(1, 1, 1900), 1);
  EXPECT_EQ(daily.OccursOn(2, 1, 1900), 0);
  EXPECT_EQ(daily.OccursOn(29, 12, 1899), 0);
  EXPECT_EQ(Build({5, 1, 0, 0, 0, {-1, -1, -1}}).OccursOn(30, 12, 1900), 0);
  // Month count from month -1 of year -1: (2003 + 1) x 12 + 1 + 4 is a multiple of 1.
  EXPECT_EQ(Build({2, 1, 0, 0, 14, {-1, -1, -1}}).OccursOn(14, 4, 2003), 1);
}

TEST(OccurrenceTest, FreeOrBusy) {
  // Mondays from 6 January 2003, 09:00 to 10:00.
  CRecurrenceData rule = Build({1, 1, 0, kMon, 0, {2003, 1, 6}});
  rule.SetStartTime(9, 0, 0);
  rule.SetEndTime(10, 0, 0);
  const struct {
    COleDateTime at;
    int free;
  } instants[] = {
      {{2003, 1, 13, 9, 30, 0}, 0}, {{2003, 1, 13, 9, 0, 0}, 0},   {{2003, 1, 13, 9, 59, 59}, 0},
      {{2003, 1, 13, 10, 0, 0}, 1}, {{2003, 1, 13, 8, 59, 59}, 1}, {{2003, 1, 14, 9, 30, 0}, 1},
      {{2003, 1, 6, 9, 30, 0}, 0},  {{2002, 12, 30, 9, 30, 0}, 1},  // before the start date
      {{2031, 6, 2, 9, 30, 0}, 0},
  };
  for (const auto& c : instants) {
    EXPECT_EQ(rule.IsFree(c.at), c.free) << c.at.Format().GetString();
  }
  COleDateTime unreadable(2003, 1, 13, 9, 30, 0);
  unreadable.SetStatus(COleDateTime::invalid);
  EXPECT_EQ(rule.IsFree(unreadable), 1);

  const struct {
    COleDateTime from, to;
    int free;
  } ranges[] = {
      {{2003, 1, 13, 8, 30, 0}, {2003, 1, 13, 9, 0, 0}, 1},  // ends where the window starts
      {{2003, 1, 13, 8, 30, 0}, {2003, 1, 13, 9, 0, 1}, 0},
      {{2003, 1, 13, 10, 0, 0}, {2003, 1, 13, 11, 0, 0}, 1},  // begins where it ends
      {{2003, 1, 13, 9, 59, 59}, {2003, 1, 13, 11, 0, 0}, 0},
      {{2003, 1, 14, 9, 0, 0}, {2003, 1, 14, 10, 0, 0}, 1},
      // Only the date of `from` is asked about: a Sunday evening running into Monday is free.
      {{2003, 1, 12, 8, 0, 0}, {2003, 1, 13, 9, 30, 0}, 1},
  };
  for (const auto& c : ranges) {
    EXPECT_EQ(rule.IsFree(c.from, c.to), c.free)
        << c.from.Format().GetString() << " to " << c.to.Format().GetString();
  }

  // A window that starts after it ends leaves every instant free.
  rule.SetStartTime(22, 0, 0);
  rule.SetEndTime(2, 0, 0);
  for (int hour = 0; hour < 24; ++hour) {
    EXPECT_EQ(rule.IsFree(COleDateTime(2003, 1, 13, hour, 0, 0)), 1) << hour;
  }
}

}  // namespace
}  // namespace dayweave
