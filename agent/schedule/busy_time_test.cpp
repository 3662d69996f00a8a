#include "agent/schedule/busy_time.h"

#include <gtest/gtest.h>

#include <vector>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Hours of 1 March 2024, UTC.
sys_seconds H(double hours) {
  return sys_days{2024y / March / 1} + duration_cast<seconds>(duration<double>(hours * 3600));
}

// Stretches as busy-pieces.txt writes them.
std::vector<BusyInterval> Stretches(const std::string& cell) {
  std::vector<BusyInterval> stretches;
  std::istringstream in(cell);
  double from, to;
  for (std::string kind; in >> from >> to >> kind;) {
    stretches.push_back({H(from), H(to),
                         kind[0] == 'T'   ? BusyKind::kTentative
                         : kind[0] == 'B' ? BusyKind::kBusy
                                          : BusyKind::kUnavailable});
  }
  return stretches;
}

// Merging and the strongest kind are also checked minute by minute by
// cli/meet_zoneinfo_check.py.
TEST(BusyTime, PiecesTakeTheStrongestKind) {
  for (const auto& row : testing::TableRows("busy-pieces.txt")) {
    EXPECT_EQ(BusyTime(Stretches(row.at(1)), H(0), H(24)).Pieces(), Stretches(row.at(2))) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
