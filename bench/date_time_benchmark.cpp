// Date-time values: building from components and reading them back, and the text round
// trip beside the C library's strftime and strptime on the same instants.
#include <benchmark/benchmark.h>

#include <array>
#include <ctime>

#include "dayweave/date_time.h"

namespace {

using dayweave::COleDateTime;

struct Instant {
  int year, month, day, hour, minute, second;
};

constexpr std::array<Instant, 8> kInstants = {{{2003, 4, 14, 15, 56, 57},
                                               {1999, 12, 31, 23, 59, 59},
                                               {2024, 2, 29, 0, 0, 1},
                                               {1000, 1, 1, 9, 0, 0},
                                               {2100, 3, 1, 12, 30, 0},
                                               {1900, 1, 1, 6, 15, 45},
                                               {2040, 7, 4, 18, 5, 9},
                                               {1971, 10, 31, 1, 2, 3}}};

void BM_BuildAndReadFourComponents(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    const Instant& at = kInstants[i++ % kInstants.size()];
    const COleDateTime value(at.year, at.month, at.day, at.hour, at.minute, at.second);
    int sum = value.GetYear() + value.GetMonth() + value.GetDay() + value.GetDayOfWeek();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BuildAndReadFourComponents);

void BM_FormatAndParse(benchmark::State& state) {
  std::array<COleDateTime, kInstants.size()> values;
  for (size_t k = 0; k < values.size(); ++k) {
    const Instant& at = kInstants[k];
    values[k] = COleDateTime(at.year, at.month, at.day, at.hour, at.minute, at.second);
  }
  size_t i = 0;
  COleDateTime back;
  for (auto _ : state) {
    const auto text = values[i++ % values.size()].Format();
    back.ParseDateTime(text);
    benchmark::DoNotOptimize(back.m_dt);
  }
}
BENCHMARK(BM_FormatAndParse);

void BM_StrftimeAndStrptime(benchmark::State& state) {
  std::array<std::tm, kInstants.size()> values{};
  for (size_t k = 0; k < values.size(); ++k) {
    const Instant& at = kInstants[k];
    values[k].tm_year = at.year - 1900;
    values[k].tm_mon = at.month - 1;
    values[k].tm_mday = at.day;
    values[k].tm_hour = at.hour;
    values[k].tm_min = at.minute;
    values[k].tm_sec = at.second;
  }
  size_t i = 0;
  char text[64];
  std::tm back{};
  for (auto _ : state) {
    std::strftime(text, sizeof text, "%m/%d/%Y %I:%M:%S %p", &values[i++ % values.size()]);
    strptime(text, "%m/%d/%Y %I:%M:%S %p", &back);
    benchmark::DoNotOptimize(back.tm_sec);
  }
}
BENCHMARK(BM_StrftimeAndStrptime);

}  // namespace
