// Runs every benchmark, then prints what the figures mean side by side: the sizes of the
// library's values, and for each occurrence case how many times longer libical takes than
// dayweave (its better answer of the two, with or without icalrecur_iterator_set_start).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "dayweave/dayweave.h"

namespace {

// Passes every run on to the console and keeps each benchmark's CPU time per iteration in
// nanoseconds (the median when repetitions are asked for).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const double ns =
          run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const std::string name = run.run_name.str();
      if (median || !m_nanoseconds.count(name)) m_nanoseconds[name] = ns;
    }
  }

  void PrintRatios() const {
    std::printf("\nlibical / dayweave, occurrence test (libical's better answer):\n");
    std::printf("  %-40s %12s %12s %12s %10s\n", "case", "dayweave ns", "libical ns",
                "set_start ns", "ratio");
    for (const auto& [name, ours] : m_nanoseconds) {
      if (name.rfind("OccursOn/", 0) != 0) continue;
      const std::string rest = name.substr(9);
      const double plain = Find("Libical/" + rest), moved = Find("LibicalSetStart/" + rest);
      const double best = std::min(plain > 0 ? plain : 1e300, moved > 0 ? moved : 1e300);
      std::printf("  %-40s %12.1f %12.0f %12s %9.0fx\n", rest.c_str(), ours, plain,
                  moved > 0 ? std::to_string(static_cast<long>(moved)).c_str() : "refused",
                  best < 1e300 ? best / ours : 0.0);
    }
  }

 private:
  double Find(const std::string& name) const {
    const auto found = m_nanoseconds.find(name);
    return found == m_nanoseconds.end() ? -1.0 : found->second;
  }

  std::map<std::string, double> m_nanoseconds;
};

void PrintSizes() {
  std::printf(
      "\nsizeof: COleDateTime %zu, COleDateTimeSpan %zu, CDay %zu, CTimeSlot %zu, "
      "CTimeSlotStore %zu, CRecurrenceData %zu, CAppointment %zu bytes\n",
      sizeof(dayweave::COleDateTime), sizeof(dayweave::COleDateTimeSpan), sizeof(dayweave::CDay),
      sizeof(dayweave::CTimeSlot), sizeof(dayweave::CTimeSlotStore),
      sizeof(dayweave::CRecurrenceData), sizeof(dayweave::CAppointment));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.PrintRatios();
  PrintSizes();
  return 0;
}
