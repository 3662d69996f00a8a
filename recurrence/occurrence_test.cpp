#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "dayweave/recurrence_data.h"

namespace dayweave {
namespace {

namespace chrono = std::chrono;

struct Date {
  int year, month, day;
};

// A rule as an appointment fills it.
struct RuleFields {
  int type;
  long interval, instance;
  int days;
  long dayOfMonth;
  Date start;
  int ends = 0;
  Date end = {2003, 1, 1};
};

CRecurrenceData Build(const RuleFields& f) {
  CRecurrenceData rule(f.type);
  rule.SetInterval(f.interval);
  rule.SetInstance(f.instance);
  rule.Ends(f.ends);
  rule.SetStartDate(f.start.year, f.start.month, f.start.day);
  rule.SetEndDate(f.end.year, f.end.month, f.end.day);
  rule.SetDayOfMonth(f.dayOfMonth);
  rule.SetDays(static_cast<unsigned int>(f.days));
  return rule;
}

constexpr int kSun = DayBit(1), kMon = DayBit(2), kTue = DayBit(3), kWed = DayBit(4),
              kFri = DayBit(6), kSat = DayBit(7);
constexpr int kWeekdays = kWeekdayMask, kWeekend = kWeekendMask, kEvery = kEveryDayMask;

chrono::sys_days Sys(Date d) { return chrono::sys_days{chrono::year{d.year} / d.month / d.day}; }

// THE INDEPENDENT ENUMERATION
// Walks the calendar occurrence by occurrence from the start date, with std::chrono and the
// plain meaning of each rule type, and lists every occurrence up to `until`.

// The instance-th day of the month counted by the day set; a date that is not ok() when none.
chrono::year_month_day Position(chrono::year_month month, int days, long instance) {
  std::vector<chrono::year_month_day> counted;
  for (unsigned d = 1; d <= static_cast<unsigned>((month / chrono::last).day()); ++d) {
    const unsigned dayOfWeek = chrono::weekday{chrono::sys_days{month / d}}.c_encoding();
    const bool weekend = dayOfWeek == 0 || dayOfWeek == 6;  // 0 is Sunday
    const bool counts = days == kWeekdays  ? !weekend
                        : days == kWeekend ? weekend
                                           : days == kEvery || days == 1 << dayOfWeek;
    if (counts) counted.push_back(month / d);
  }
  if (instance == kLastInstance && !counted.empty()) return counted.back();
  if (instance >= kFirstInstance && instance <= kFourthInstance &&
      counted.size() >= static_cast<size_t>(instance)) {
    return counted[instance - 1];
  }
  return month / 0;
}

std::set<long> Enumerate(const RuleFields& f, chrono::sys_days until) {
  std::set<long> found;
  const chrono::sys_days start = Sys(f.start);
  const long step = std::labs(f.interval);
  auto add = [&](chrono::year_month_day date) {
    if (!date.ok()) return;
    const chrono::sys_days day{date};
    if (day >= start && day <= until && (f.ends == 0 || day <= Sys(f.end))) {
      found.insert(day.time_since_epoch().count());
    }
  };
  for (auto d = start; f.type == kDaily && f.days == 0 && d <= until; d += chrono::days{step})
    add(d);
  for (auto sunday = start - (chrono::weekday{start} - chrono::Sunday);
       f.type == kWeekly && sunday <= until; sunday += chrono::weeks{step}) {
    for (int i = 0; i < 7; ++i)
      if (f.days & (1 << i)) add(sunday + chrono::days{i});
  }
  // Months from the start date's month: every interval-th one, or every twelfth for the yearly.
  const chrono::year_month_day first{start};
  const chrono::months monthStep{f.type >= kYearlyByDate ? 12 : step};
  for (auto m = first.year() / first.month(); chrono::sys_days{m / 1} <= until; m += monthStep) {
    if (f.type == kMonthlyByDate) add(m / static_cast<int>(f.dayOfMonth));
    if (f.type == kMonthlyByPosition || f.type == kYearlyByPosition)
      add(Position(m, f.days, f.instance));
    if (f.type == kYearlyByDate) add(m / first.day());
  }
  return found;
}

// Asks the rule about every date from 40 days before its start date to `years` later.
void ExpectAgreement(const RuleFields& f, int years) {
  SCOPED_TRACE(testing::Message() << "type " << f.type << " interval " << f.interval << " #"
                                  << f.instance << " days " << f.days << " from " << f.start.year);
  const chrono::sys_days until = Sys(f.start) + chrono::days{366 * years};
  const std::set<long> expected = Enumerate(f, until);
  const CRecurrenceData rule = Build(f);
  int wrong = 0;
  std::string first;
  for (auto d = Sys(f.start) - chrono::days{40}; d <= until; d += chrono::days{1}) {
    const chrono::year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year()), m = static_cast<int>(unsigned{ymd.month()}),
              day = static_cast<int>(unsigned{ymd.day()});
    const int want = expected.count(d.time_since_epoch().count()) ? 1 : 0;
    if (rule.OccursOn(day, m, y) != want && wrong++ == 0) {
      first = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(day);
      first += want ? " missed" : " extra";
    }
  }
  EXPECT_EQ(wrong, 0) << "days wrong, the first " << first;
}

TEST(OccurrenceTest, YearsOfDatesAgreeWithAnIndependentEnumeration) {
  const RuleFields rules[] = {
      {kDaily, 10, 0, 0, 0, {1899, 11, 1}},  // across day 0, 30 December 1899
      {kDaily, 2, 0, 0, 0, {2003, 4, 14}, 1, {2005, 6, 30}},
      {kWeekly, 2, 0, kMon | kWed, 0, {2003, 4, 2}},
      {kWeekly, 3, 0, kSun | kSat, 0, {2003, 4, 5}},
      {kWeekly, -2, 0, kEvery, 0, {2003, 12, 31}},
      {kWeekly, 4, 0, kWeekdays, 0, {1899, 12, 28}},
      {kMonthlyByDate, 5, 0, 0, 29, {2003, 11, 29}},
      {kMonthlyByDate, 1, 0, 0, 10, {2003, 1, 20}},
      {kMonthlyByDate, 7, 0, 0, 31, {1899, 8, 31}},
      {kMonthlyByPosition, 1, 2, kTue, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, kLastInstance, kWeekdays, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, 1, kWeekend, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, kLastInstance, kEvery, 0, {2003, 1, 1}},
      {kMonthlyByPosition, -2, 4, kWeekend, 0, {2003, 11, 1}},
      {kYearlyByDate, 9, 0, 0, 0, {1999, 12, 31}},
      {kYearlyByDate, 1, 0, 0, 0, {1896, 2, 29}},  // 1900 has no 29 February
      {kYearlyByPosition, 1, kLastInstance, kSun, 0, {2003, 3, 1}},
      {kYearlyByPosition, 1, kLastInstance, kWeekend, 0, {1900, 2, 1}},
      {kYearlyByPosition, 4, 2, kFri, 0, {2003, 8, 20}, 1, {2007, 8, 31}}};
  for (const RuleFields& f : rules) {
    ASSERT_GE(Enumerate(f, Sys(f.start) + chrono::days{3000}).size(), 2u);
    ExpectAgreement(f, f.type >= kYearlyByDate ? 12 : 6);
  }
  // Rules that never occur: the walk finds nothing for them either.
  // Daily with days set, weekly without days, no such type, no 32nd; by position a day set that
  // names no counted kind or an instance outside 1 to 5.
  const RuleFields never[] = {
      {kDaily, 1, 0, kMon, 0, {2003, 1, 1}},
      {kWeekly, 1, 0, 0, 0, {2003, 1, 1}},
      {4, 1, 1, kEvery, 15, {2003, 1, 1}},
      {7, 1, 1, kEvery, 15, {2003, 1, 1}},
      {-1, 1, 1, kEvery, 15, {2003, 1, 1}},
      {kMonthlyByDate, 1, 0, 0, 32, {2003, 1, 1}},
      {kMonthlyByPosition, 1, kLastInstance, kMon | kTue, 0, {2003, 1, 1}},
      {kYearlyByPosition, 1, kLastInstance, kWeekdays | kSat, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, 1, 128, 0, {2003, 1, 1}},
      {kYearlyByPosition, 1, kLastInstance, 0, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, 0, kMon, 0, {2003, 1, 1}},
      {kYearlyByPosition, 1, 6, kWeekend, 0, {2003, 1, 1}},
      {kMonthlyByPosition, 1, 1L << 32, kEvery, 0, {2003, 1, 1}},
      {kYearlyByPosition, 1, -1, kWeekdays, 0, {2003, 1, 1}}};
  for (const RuleFields& f : never) {
    ASSERT_TRUE(Enumerate(f, Sys(f.start) + chrono::days{400}).empty());
    ExpectAgreement(f, 1);
  }
}

TEST(OccurrenceTest, FarDatesHugeIntervalsAndBadDates) {
  // 1 January 100 and 31 December 9999 are both Fridays, 3615899 days (516557 weeks) apart:
  // more than the span limit, which the whole-day count does not consult. 118797 months from
  // January 100 to October 9999 are a multiple of 7.
  const Date first{100, 1, 1};
  EXPECT_EQ(Build({kDaily, 7, 0, 0, 0, first}).OccursOn(31, 12, 9999), 1);
  EXPECT_EQ(Build({kWeekly, 2, 0, kFri, 0, first}).OccursOn(31, 12, 9999), 0);  // odd week
  EXPECT_EQ(Build({kWeekly, 2, 0, kFri, 0, first}).OccursOn(24, 12, 9999), 1);
  EXPECT_EQ(Build({kMonthlyByDate, 7, 0, 0, 1, first}).OccursOn(1, 10, 9999), 1);
  // A huge interval leaves the first period alone; 7 x INT_MAX weeks must not overflow.
  for (long interval : {long{INT_MAX}, long{INT_MIN}}) {
    EXPECT_EQ(Build({kDaily, interval, 0, 0, 0, {2003, 1, 6}}).OccursOn(6, 1, 9999), 0) << interval;
    EXPECT_EQ(Build({kWeekly, interval, 0, kMon, 0, {2003, 1, 6}}).OccursOn(6, 1, 2003), 1)
        << interval;
    EXPECT_EQ(Build({kWeekly, interval, 0, kMon, 0, {2003, 1, 6}}).OccursOn(13, 1, 2003), 0);
    EXPECT_EQ(Build({kMonthlyByDate, interval, 0, 0, 6, {2003, 1, 6}}).OccursOn(6, 2, 2003), 0)
        << interval;
  }
  // Numbers that form no date never occur.
  const CRecurrenceData everyDay = Build({kDaily, 1, 0, 0, 0, {100, 1, 1}});
  const Date bad[] = {{2003, 4, 31}, {1900, 2, 29}, {2003, 1, 0}, {2003, 13, 1},
                      {99, 12, 31},  {10000, 1, 1}, {-1, -1, -1}, {INT_MIN, INT_MIN, INT_MIN}};
  for (const Date& d : bad) EXPECT_EQ(everyDay.OccursOn(d.day, d.month, d.year), 0) << d.year;
  EXPECT_EQ(Build({kYearlyByDate, 1, 0, 0, 0, {2003, 4, 14}}).OccursOn(4, 14, 2003),
            0);  // day, month swapped
  // SetStartDate(-1, -1, -1) leaves day count 0.0 (30 December 1899) with status invalid: the
  // range test uses that day count, the month and year counts read -1.
  const CRecurrenceData daily = Build({kDaily, 2, 0, 0, 0, {-1, -1, -1}});
  EXPECT_EQ(daily.OccursOn(1, 1, 1900), 1);
  EXPECT_EQ(daily.OccursOn(2, 1, 1900), 0);
  EXPECT_EQ(daily.OccursOn(29, 12, 1899), 0);
  // Month count from month -1 of year -1: (2003 + 1) x 12 + 1 + 4 is a multiple of 1.
  EXPECT_EQ(Build({kMonthlyByDate, 1, 0, 0, 14, {-1, -1, -1}}).OccursOn(14, 4, 2003), 1);
}

// The fields are open to derived classes: a start date written directly, not through
// SetStartDate, is the one the rule counts from.
TEST(OccurrenceTest, StartDateWrittenByADerivedClass) {
  struct Moved : CRecurrenceData {
    Moved() : CRecurrenceData(kYearlyByDate) { SetStartDate(2003, 4, 14); }
    void MoveStart(const COleDateTime& start) { m_startDate = start; }
  } rule;
  rule.MoveStart(COleDateTime(2003, 5, 20, 0, 0, 0));
  EXPECT_EQ(rule.OccursOn(20, 5, 2004), 1);
  EXPECT_EQ(rule.OccursOn(14, 4, 2004), 0);
}

// The appointment's availability questions cover the common answers of the rule's IsFree;
// these are its corner cases.
TEST(OccurrenceTest, FreeOrBusy) {
  CRecurrenceData rule = Build({kWeekly, 1, 0, kMon, 0, {2003, 1, 6}});  // Mondays, 09:00 to 10:00
  rule.SetStartTime(9, 0, 0);
  rule.SetEndTime(10, 0, 0);
  COleDateTime unreadable(2003, 1, 13, 9, 30, 0);
  unreadable.SetStatus(COleDateTime::invalid);
  EXPECT_EQ(rule.IsFree(unreadable), 1);
  // Only the date of `from` is asked about: a Sunday evening running into Monday is free.
  EXPECT_EQ(rule.IsFree({2003, 1, 12, 8, 0, 0}, {2003, 1, 13, 9, 30, 0}), 1);
  EXPECT_EQ(rule.IsFree({2003, 1, 13, 8, 0, 0}, {2003, 1, 14, 9, 30, 0}), 0);
}

}  // namespace
}  // namespace dayweave
