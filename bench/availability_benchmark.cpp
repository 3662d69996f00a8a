// CAppointment::IsFree for a 30-minute stretch, asked of every appointment of calendars of
// 10 to 10,000 appointments: a realistic mix of one-off appointments spread over a year and
// recurring ones of every rule type (one in four). The cost per query grows with the number
// of appointments asked; the cost per appointment should stay flat. Each query asks about
// another instant (64 drawn over the working hours of 2003), so the answers vary.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "alloc_counter.h"
#include "dayweave/appointment.h"
#include "dayweave/recurrence_codes.h"

namespace {

using dayweave::CAppointment;
using dayweave::COleDateTime;
using dayweave::COleDateTimeSpan;

std::vector<CAppointment> Calendar(int size) {
  std::mt19937 random(static_cast<unsigned>(size));
  std::uniform_int_distribution<int> dayOfYear(0, 364), hour(7, 18), type(0, 6), weekday(1, 5);
  const COleDateTime yearStart(2003, 1, 1, 0, 0, 0);
  const COleDateTime noExpiry;
  std::vector<CAppointment> calendar;
  calendar.reserve(static_cast<size_t>(size));
  for (int i = 0; i < size; ++i) {
    const COleDateTime start =
        yearStart + COleDateTimeSpan(static_cast<long>(dayOfYear(random)), hour(random), 0, 0);
    const COleDateTime end = start + COleDateTimeSpan(0L, 1, 0, 0);
    if (i % 4 != 0) {
      calendar.emplace_back(i, "one-off", "", "", "", "", start, end, 60, 0, 0, 2, noExpiry, "");
      continue;
    }
    const int drawn = type(random);
    const int rule = drawn == 4 ? dayweave::kWeekly : drawn;  // 4 is no type
    const bool byPosition =
        rule == dayweave::kMonthlyByPosition || rule == dayweave::kYearlyByPosition;
    const int days = byPosition ? dayweave::kWeekdayMask : dayweave::DayBit(1 + weekday(random));
    calendar.emplace_back(i, "recurring", "", "", "", "", start, end, 60, 0, 0, 2, noExpiry, "",
                          rule, 1 + i % 3, 1 + i % 5, 0, start, end, 1 + i % 28,
                          rule == dayweave::kDaily ? 0 : days);
  }
  return calendar;
}

void BM_IsFreeForStretch(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const auto allocatedBefore = bench::Allocated().bytes;
  const std::vector<CAppointment> calendar = Calendar(size);
  const auto calendarBytes = bench::Allocated().bytes - allocatedBefore;

  // Each query asks about another instant of the year, on the quarter hour of a working day.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> dayOfYear(0, 364), quarter(7 * 4, 18 * 4);
  std::vector<COleDateTime> whens;
  for (int k = 0; k < 64; ++k) {
    whens.push_back(
        COleDateTime(2003, 1, 1, 0, 0, 0) +
        COleDateTimeSpan(static_cast<long>(dayOfYear(random)), 0, 15 * quarter(random), 0));
  }
  std::size_t next = 0;
  const auto before = bench::Allocated().allocations;
  for (auto _ : state) {
    const COleDateTime when = whens[next++ & 63];
    int free = 0;
    for (const CAppointment& appointment : calendar) free += appointment.IsFree(when, 30);
    benchmark::DoNotOptimize(free);
  }
  state.SetItemsProcessed(state.iterations() * size);
  state.counters["ns_per_appointment"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * size,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["calendar_bytes"] = static_cast<double>(calendarBytes);
  state.counters["allocs_per_query"] = benchmark::Counter(
      static_cast<double>(bench::Allocated().allocations - before) / state.iterations());
}
BENCHMARK(BM_IsFreeForStretch)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
