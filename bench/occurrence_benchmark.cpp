// The occurrence test of every rule type, asked about dates 1, 10 and 40 years after the
// start date, beside libical answering the same question about the equivalent RRULE the way
// a libical user would: an icalrecur_iterator run from DTSTART until it reaches or passes the
// date, and the same iterator first moved to the date with icalrecur_iterator_set_start.
//
// dayweave is asked about 1,024 different (rule, date) pairs in shuffled order: 128 rules of
// the case's pattern with start dates five days apart, and for each the first four occurrences
// on or after the start date's anniversary 1, 10 or 40 years on, and four dates near them on
// which it does not occur. Half the answers are 1 and half 0, in no order a branch predictor
// could learn. libical is asked about the first of those occurrences, the first rule's, and set-up
// checks that it agrees that the date occurs.
#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "alloc_counter.h"
#include "dayweave/recurrence_data.h"

namespace {

using dayweave::COleDateTime;
using dayweave::COleDateTimeSpan;
using dayweave::CRecurrenceData;
using dayweave::DayBit;
using dayweave::kDaily;
using dayweave::kLastInstance;
using dayweave::kMonthlyByDate;
using dayweave::kMonthlyByPosition;
using dayweave::kWeekdayMask;
using dayweave::kWeekly;
using dayweave::kYearlyByDate;
using dayweave::kYearlyByPosition;

struct RuleCase {
  const char* name;
  int type, interval, instance, dayOfMonth;
  unsigned int days;
  int startYear, startMonth, startDay;
  const char* rrule;
};

const RuleCase kCases[] = {
    {"daily", kDaily, 3, 0, 0, 0, 2003, 1, 1, "FREQ=DAILY;INTERVAL=3"},
    {"weekly_interval2", kWeekly, 2, 0, 0, DayBit(2) | DayBit(4), 2003, 1, 1,
     "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;WKST=SU"},
    {"monthly_by_date", kMonthlyByDate, 1, 0, 15, 0, 2003, 1, 15, "FREQ=MONTHLY;BYMONTHDAY=15"},
    {"monthly_last_weekday", kMonthlyByPosition, 1, kLastInstance, 0, kWeekdayMask, 2003, 1, 1,
     "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1"},
    {"monthly_second_tuesday", kMonthlyByPosition, 1, 2, 0, DayBit(3), 2003, 1, 1,
     "FREQ=MONTHLY;BYDAY=2TU"},
    {"yearly_by_date", kYearlyByDate, 1, 0, 0, 0, 2003, 4, 14, "FREQ=YEARLY"},
    {"yearly_last_sunday_of_march", kYearlyByPosition, 1, kLastInstance, 0, DayBit(1), 2003, 3, 1,
     "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU"},
};

CRecurrenceData RuleOf(const RuleCase& c) {
  CRecurrenceData rule(c.type);
  rule.SetStatus(1);
  rule.SetInterval(c.interval);
  rule.SetInstance(c.instance);
  rule.Ends(0);
  rule.SetStartTime(9, 0, 0);
  rule.SetEndTime(10, 0, 0);
  rule.SetStartDate(c.startYear, c.startMonth, c.startDay);
  rule.SetDayOfMonth(c.dayOfMonth);
  rule.SetDays(c.days);
  return rule;
}

icaltimetype IcalDate(int year, int month, int day, int hour) {
  icaltimetype t = icaltime_null_time();
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  return t;
}

// libical's answer: does the rule, started at DTSTART, have an occurrence on `date`?
bool LibicalOccursOn(const icalrecurrencetype& rule, const icaltimetype& dtstart,
                     const icaltimetype& date, bool moveToDate, bool& moved) {
  icalrecur_iterator* it = icalrecur_iterator_new(rule, dtstart);
  moved = !moveToDate || icalrecur_iterator_set_start(it, date) != 0;
  bool found = false;
  for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
       t = icalrecur_iterator_next(it)) {
    const int order = icaltime_compare_date_only(t, date);
    if (order >= 0) {
      found = order == 0;
      break;
    }
  }
  icalrecur_iterator_free(it);
  return found;
}

// The first occurrence on or after the start date's anniversary `years` later.
COleDateTime AskedDate(const CRecurrenceData& rule, const RuleCase& c, int years) {
  COleDateTime d(c.startYear + years, c.startMonth, 1, 0, 0, 0);
  while (!rule.OccursOn(d.GetDay(), d.GetMonth(), d.GetYear())) d += COleDateTimeSpan(1.0);
  return d;
}

struct Query {
  int rule, day, month, year;
};

constexpr std::size_t kRules = 128, kQueries = 1024;  // powers of two: indices wrap with a mask

// The rules of one case, each started five days after the one before, and the shuffled
// questions asked of them `years` after their starts: four hits and four misses each.
void Questions(const RuleCase& c, int years, std::vector<CRecurrenceData>& rules,
               std::vector<Query>& queries) {
  std::mt19937 random(static_cast<unsigned>(years * 31 + c.type));
  std::uniform_int_distribution<int> step(1, 40);
  const COleDateTime first(c.startYear, c.startMonth, c.startDay, 0, 0, 0);
  for (std::size_t r = 0; r < kRules; ++r) {
    RuleCase shifted = c;
    const COleDateTime start = first + COleDateTimeSpan(5.0 * static_cast<double>(r));
    shifted.startYear = start.GetYear();
    shifted.startMonth = start.GetMonth();
    shifted.startDay = start.GetDay();
    rules.push_back(RuleOf(shifted));
    const CRecurrenceData& rule = rules.back();
    auto occurs = [&rule](const COleDateTime& d) {
      return rule.OccursOn(d.GetDay(), d.GetMonth(), d.GetYear()) != 0;
    };
    auto ask = [&](const COleDateTime& d) {
      queries.push_back({static_cast<int>(r), d.GetDay(), d.GetMonth(), d.GetYear()});
    };
    COleDateTime hit = AskedDate(rule, shifted, years);
    for (int k = 0; k < 4; ++k) {
      ask(hit);
      COleDateTime miss = hit + COleDateTimeSpan(static_cast<double>(step(random)));
      while (occurs(miss)) miss += COleDateTimeSpan(1.0);
      ask(miss);
      do {
        hit += COleDateTimeSpan(1.0);
      } while (!occurs(hit));
    }
  }
  std::shuffle(queries.begin(), queries.end(), random);
}

void BM_OccursOn(benchmark::State& state, const RuleCase* c, int years) {
  std::vector<CRecurrenceData> rules;
  std::vector<Query> queries;
  Questions(*c, years, rules, queries);
  std::size_t i = 0;
  const auto before = bench::Allocated().allocations;
  for (auto _ : state) {
    const Query& q = queries[i++ & (kQueries - 1)];
    benchmark::DoNotOptimize(
        rules[static_cast<std::size_t>(q.rule)].OccursOn(q.day, q.month, q.year));
  }
  state.counters["allocs_per_query"] = benchmark::Counter(
      static_cast<double>(bench::Allocated().allocations - before) / state.iterations());
}

void BM_Libical(benchmark::State& state, const RuleCase* c, int years, bool moveToDate) {
  const COleDateTime asked = AskedDate(RuleOf(*c), *c, years);
  const icalrecurrencetype rule = icalrecurrencetype_from_string(c->rrule);
  const icaltimetype dtstart = IcalDate(c->startYear, c->startMonth, c->startDay, 9);
  const icaltimetype date = IcalDate(asked.GetYear(), asked.GetMonth(), asked.GetDay(), 0);
  bool moved = true;
  if (!LibicalOccursOn(rule, dtstart, date, moveToDate, moved) || !moved) {
    state.SkipWithError(moved ? "libical disagrees: the date does not occur"
                              : "icalrecur_iterator_set_start refuses this rule");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(LibicalOccursOn(rule, dtstart, date, moveToDate, moved));
  }
}

const int kYears[] = {1, 10, 40};

const bool kRegistered = [] {
  for (const RuleCase& c : kCases) {
    for (int years : kYears) {
      const std::string suffix = std::string(c.name) + "/" + std::to_string(years) + "y";
      benchmark::RegisterBenchmark(("OccursOn/" + suffix).c_str(), BM_OccursOn, &c, years);
      benchmark::RegisterBenchmark(("Libical/" + suffix).c_str(), BM_Libical, &c, years, false)
          ->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("LibicalSetStart/" + suffix).c_str(), BM_Libical, &c, years,
                                   true)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace
