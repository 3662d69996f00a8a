#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dayweave/recurrence_data.h"
#include "tests/test_tables.h"

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

// A word of the rule table as its code: a type, "last", a day set, a day, or else a number.
long Named(const std::string& word) {
  const std::map<std::string, long> names = {{"daily", kDaily},
                                             {"weekly", kWeekly},
                                             {"monthly-date", kMonthlyByDate},
                                             {"monthly-position", kMonthlyByPosition},
                                             {"yearly-date", kYearlyByDate},
                                             {"yearly-position", kYearlyByPosition},
                                             {"last", kLastInstance},
                                             {"weekdays", kWeekdayMask},
                                             {"weekend", kWeekendMask},
                                             {"every", kEveryDayMask}};
  const std::string days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int d = 1; d <= 7; ++d) {
    if (word == days[d - 1]) return DayBit(d);
  }
  return names.count(word) ? names.at(word) : std::stol(word);
}

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
    const bool counts = days == kWeekdayMask   ? !weekend
                        : days == kWeekendMask ? weekend
                                               : days == kEveryDayMask || days == 1 << dayOfWeek;
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

// Each row of recurrence/testdata/rules.txt: a rule checked against the walk, or one answer.
TEST(OccurrenceTest, RulesAgreeWithTheWalkAndTheTable) {
  auto rows = TestRows("recurrence/testdata/rules.txt");
  EXPECT_EQ(rows.size(), 60u);
  for (std::istringstream& row : rows) {
    SCOPED_TRACE(row.str());
    std::string kind, type, instance, days, word;
    RuleFields f{};
    ASSERT_TRUE(row >> kind >> type >> f.interval >> instance >> days >> f.dayOfMonth >>
                f.start.year >> f.start.month >> f.start.day);
    f.type = static_cast<int>(Named(type));
    f.instance = Named(instance);
    std::istringstream dayNames(days);
    for (std::string name; std::getline(dayNames, name, '+');) f.days |= Named(name);
    if (row >> word && word == "until") {
      f.ends = 1;
      row >> f.end.year >> f.end.month >> f.end.day >> word;
    }
    if (kind == "walk") {
      ASSERT_GE(Enumerate(f, Sys(f.start) + chrono::days{3000}).size(), 2u);
      ExpectAgreement(f, f.type >= kYearlyByDate ? 12 : 6);
    } else if (kind == "never") {
      ASSERT_TRUE(Enumerate(f, Sys(f.start) + chrono::days{400}).empty());
      ExpectAgreement(f, 1);
    } else {
      Date d{};
      int occurs = -1;
      row >> d.year >> d.month >> d.day >> word >> occurs;
      EXPECT_EQ(Build(f).OccursOn(d.day, d.month, d.year), occurs);
    }
  }
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

}  // namespace
}  // namespace dayweave
