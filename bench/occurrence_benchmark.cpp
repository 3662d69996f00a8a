// The occurrence test of every rule type, asked about dates 1, 10 and 40 years after the
// start date, beside libical answering the same question about the equivalent RRULE the way
// a libical user would: an icalrecur_iterator run from DTSTART until it reaches or passes the
// date, and the same iterator first moved to the date with icalrecur_iterator_set_start.
//
// Each asked date is an occurrence (the first on or after the anniversary), found once in
// set-up, where libical is also checked to agree that it occurs.
#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <cstdio>
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

void BM_OccursOn(benchmark::State& state, const RuleCase* c, int years) {
  const CRecurrenceData rule = RuleOf(*c);
  const COleDateTime asked = AskedDate(rule, *c, years);
  const int day = asked.GetDay(), month = asked.GetMonth(), year = asked.GetYear();
  const auto before = bench::Allocated().allocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rule.OccursOn(day, month, year));
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
