// Date-time values: building from components and reading them back, and the text round
// trip beside the C library's strftime and strptime on the same instants.
//
// Every benchmark walks a shuffled array of 4,096 different instants (years 1000 to 9999,
// most of them between 1900 and 2100, every time of day), so that no answer repeats and the
// branch predictor cannot learn one.
#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <vector>

#include "dayweave/date_time.h"

namespace {

using dayweave::COleDateTime;

struct Instant {
  int year, month, day, hour, minute, second;
};

constexpr std::size_t kCount = 4096;  // a power of two: the index wraps with a mask

const std::vector<Instant>& Instants() {
  static const std::vector<Instant> instants = [] {
    std::mt19937 random(2003);
    std::uniform_int_distribution<int> modern(1900, 2100), any(1000, 9999), month(1, 12),
        day(1, 28), hour(0, 23), minute(0, 59);
    std::vector<Instant> all(kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
      all[i] = {i % 4 == 0 ? any(random) : modern(random),
                month(random),
                day(random),
                hour(random),
                minute(random),
                minute(random)};
    }
    return all;
  }();
  return instants;
}

void BM_BuildAndReadFourComponents(benchmark::State& state) {
  const std::vector<Instant>& instants = Instants();
  std::size_t i = 0;
  for (auto _ : state) {
    const Instant& at = instants[i++ & (kCount - 1)];
    const COleDateTime value(at.year, at.month, at.day, at.hour, at.minute, at.second);
    int sum = value.GetYear() + value.GetMonth() + value.GetDay() + value.GetDayOfWeek();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BuildAndReadFourComponents);

void BM_FormatAndParse(benchmark::State& state) {
  std::vector<COleDateTime> values;
  for (const Instant& at : Instants()) {
    values.emplace_back(at.year, at.month, at.day, at.hour, at.minute, at.second);
  }
  std::size_t i = 0;
  COleDateTime back;
  for (auto _ : state) {
    const auto text = values[i++ & (kCount - 1)].Format();
    back.ParseDateTime(text);
    benchmark::DoNotOptimize(back.m_dt);
  }
}
BENCHMARK(BM_FormatAndParse);

void BM_StrftimeAndStrptime(benchmark::State& state) {
  std::vector<std::tm> values;
  for (const Instant& at : Instants()) {
    std::tm t{};
    t.tm_year = at.year - 1900;
    t.tm_mon = at.month - 1;
    t.tm_mday = at.day;
    t.tm_hour = at.hour;
    t.tm_min = at.minute;
    t.tm_sec = at.second;
    values.push_back(t);
  }
  std::size_t i = 0;
  char text[64];
  std::tm back{};
  for (auto _ : state) {
    std::strftime(text, sizeof text, "%m/%d/%Y %I:%M:%S %p", &values[i++ & (kCount - 1)]);
    strptime(text, "%m/%d/%Y %I:%M:%S %p", &back);
    benchmark::DoNotOptimize(back.tm_sec);
  }
}
BENCHMARK(BM_StrftimeAndStrptime);

}  // namespace
