// The agent's slot search: the free 60-minute slots of a whole year, on a 30-minute grid
// within 09:00-17:00, in a calendar of 1,000 events (700 one-off, 250 recurring that the
// library's rules hold, 50 that are expanded with libical's iterator).
//
// Medians of five runs on the development machine (2 cores shared with other builds, Release,
// Debian 12, g++ 12, libical 3.0.16), wall-clock time:
//
//   BM_SlotsOfAYear/read_map_and_search      58 ms   the whole `dayweave slots` work: parse
//                                                    with libical, map the rules, search
//   BM_SlotsOfAYear/search_only              17 ms   FreeSlots on a built schedule
//   BM_SlotsOfAYearAskingEveryAppointment   308 ms   the same answers without the day sweep
//
// On a quiet run the first two were 26 ms and 8 ms. Asking only the appointments that can
// touch each day (one OccursOn per recurring appointment and day, the one-offs by their start
// and end) keeps the year far under a second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "agent/input/calendar_reader.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/schedule.h"
#include "agent/schedule/slot_search.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

std::string Two(int n) { return std::string(n < 10 ? 1 : 0, '0') + std::to_string(n); }

std::string Stamp(int month, int day, int hour, int minute) {
  return "2003" + Two(month) + Two(day) + "T" + Two(hour) + Two(minute) + "00";
}

// A calendar of 1,000 events spread over 2003, the same on every run.
std::string YearCalendar() {
  std::mt19937 random(2003);
  const auto pick = [&](int low, int high) {
    return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
  };
  // Rules whose first date is DTSTART, so that the library's rules hold them.
  const char* rules[] = {"FREQ=WEEKLY",
                         "FREQ=WEEKLY;INTERVAL=2",
                         "FREQ=DAILY;INTERVAL=3;COUNT=60",
                         "FREQ=MONTHLY",
                         "FREQ=YEARLY",
                         "FREQ=MONTHLY;INTERVAL=2;COUNT=6",
                         "FREQ=DAILY;COUNT=30"};
  std::string text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//dayweave//benchmark//EN\n";
  for (int i = 0; i < 1000; ++i) {
    const int month = pick(1, 12);
    const int day = pick(1, 28);
    const int hour = pick(8, 17);
    const int minute = pick(0, 1) * 30;
    const int length = pick(1, 4) * 30;
    const int endMinute = hour * 60 + minute + length;
    const std::string number = std::to_string(i);
    text += "BEGIN:VEVENT\nUID:";
    text += number + "@benchmark\nSUMMARY:Event " + number;
    text += "\nDTSTART:" + Stamp(month, day, hour, minute);
    text += "\nDTEND:" + Stamp(month, day, endMinute / 60, endMinute % 60) + "\n";
    if (i % 20 == 0) {
      text += "RRULE:FREQ=WEEKLY;COUNT=20\nEXDATE:" + Stamp(month, day, hour, minute) + "\n";
    } else if (i % 4 == 2) {
      text += std::string("RRULE:") + rules[i % 7] + "\n";
    }
    text += "END:VEVENT\n";
  }
  return text + "END:VCALENDAR\n";
}

SlotQuery YearQuery() {
  SlotQuery query;
  query.from = local_days{2003y / 1 / 1};
  query.to = local_days{2004y / 1 / 1};
  query.length = 60min;
  return query;
}

void BM_SlotsOfAYear_ReadMapAndSearch(benchmark::State& state) {
  const std::string text = YearCalendar();
  std::size_t found = 0;
  for (auto _ : state) {
    const CalendarFile file = ReadCalendar(text, "year.ics");
    const Schedule schedule(file, icaltimezone_get_utc_timezone(), "UTC");
    found = FreeSlots(schedule, YearQuery()).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["free_slots"] = static_cast<double>(found);
}
BENCHMARK(BM_SlotsOfAYear_ReadMapAndSearch)
    ->Name("BM_SlotsOfAYear/read_map_and_search")
    ->Unit(benchmark::kMillisecond);

void BM_SlotsOfAYear_SearchOnly(benchmark::State& state) {
  const CalendarFile file = ReadCalendar(YearCalendar(), "year.ics");
  const Schedule schedule(file, icaltimezone_get_utc_timezone(), "UTC");
  state.counters["recurring"] = static_cast<double>(schedule.Recurring().size());
  state.counters["expanded"] = static_cast<double>(schedule.Expanded().size());
  for (auto _ : state) benchmark::DoNotOptimize(FreeSlots(schedule, YearQuery()));
}
BENCHMARK(BM_SlotsOfAYear_SearchOnly)
    ->Name("BM_SlotsOfAYear/search_only")
    ->Unit(benchmark::kMillisecond);

// The same answers without the sweep: every appointment asked about every candidate.
void BM_SlotsOfAYearAskingEveryAppointment(benchmark::State& state) {
  const CalendarFile file = ReadCalendar(YearCalendar(), "year.ics");
  const Schedule schedule(file, icaltimezone_get_utc_timezone(), "UTC");
  const SlotQuery query = YearQuery();
  std::vector<Appointment> everything = schedule.OneOffs();
  everything.insert(everything.end(), schedule.Recurring().begin(), schedule.Recurring().end());
  for (const ExpandedEvent& expanded : schedule.Expanded()) {
    OccurrenceStream stream(*expanded.event, schedule.Display(),
                            EventTime{(query.from - days{1}).time_since_epoch()});
    Occurrence occurrence;
    while (stream.Next(occurrence) && occurrence.start < query.to + days{1}) {
      everything.push_back(OccurrenceAppointment(*expanded.event, occurrence));
    }
  }
  for (auto _ : state) {
    std::size_t found = 0;
    for (local_days day = floor<days>(query.from); day < floor<days>(query.to); day += days{1}) {
      for (local_seconds t = day + query.hoursFrom; t + query.length <= day + query.hoursTo;
           t += query.step) {
        bool free = true;
        for (const Appointment& a : everything) {
          if (!LeavesFree(a, t, query.length)) {
            free = false;
            break;
          }
        }
        found += free ? 1 : 0;
      }
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_SlotsOfAYearAskingEveryAppointment)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace dayweave::agent

BENCHMARK_MAIN();
