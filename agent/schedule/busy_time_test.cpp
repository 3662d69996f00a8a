#include "agent/schedule/busy_time.h"

#include <gtest/gtest.h>

#include <vector>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

constexpr auto T = BusyKind::kTentative;
constexpr auto B = BusyKind::kBusy;
constexpr auto U = BusyKind::kUnavailable;

// Hours of 1 March 2024, UTC.
sys_seconds H(double hours) {
  return sys_days{2024y / March / 1} + duration_cast<seconds>(duration<double>(hours * 3600));
}

TEST(BusyTime, PiecesTakeTheStrongestKind) {
  struct Row {
    const char* what;
    std::vector<BusyInterval> occupied;
    std::vector<BusyInterval> pieces;
  };
  // Merging and the strongest kind are also checked minute by minute by
  // cli/meet_zoneinfo_check.py.
  const std::vector<Row> rows = {
      {"out of office wins over busy, which resumes after it",
       {{H(9), H(12), B}, {H(10), H(11), U}, {H(10.5), H(13), T}},
       {{H(9), H(10), B}, {H(10), H(11), U}, {H(11), H(12), B}, {H(12), H(13), T}}},
      {"the same stretch twice ends once",
       {{H(9), H(10), B}, {H(9), H(10), B}, {H(9.5), H(10), T}},
       {{H(9), H(10), B}}},
      {"cut to the window; empty and inverted stretches count for nothing",
       {{H(-2), H(1), B}, {H(5), H(5), U}, {H(7), H(6), U}, {H(23), H(26), T}},
       {{H(0), H(1), B}, {H(23), H(24), T}}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(BusyTime(row.occupied, H(0), H(24)).Pieces(), row.pieces) << row.what;
  }
}

TEST(BusyTime, BlockingKeepsTheKindsAsked) {
  const BusyTime busy({{H(9), H(10), B}, {H(10), H(11), T}, {H(11), H(12), U}, {H(14), H(15), T}},
                      H(0), H(24));
  EXPECT_EQ(busy.Blocking(T), (std::vector<Interval>{{H(9), H(12)}, {H(14), H(15)}}));
  EXPECT_EQ(busy.Blocking(B), (std::vector<Interval>{{H(9), H(10)}, {H(11), H(12)}}));
  EXPECT_EQ(busy.Blocking(U), (std::vector<Interval>{{H(11), H(12)}}));
}

TEST(BusyTime, StatusesAndPeopleTogether) {
  // Statuses 0 to 3 reach freebusy's kinds in cli/meet_zoneinfo_check.py; a code beyond them
  // blocks nothing.
  EXPECT_EQ(KindOfStatus(4), std::nullopt);
  const BusyTime ana({{H(9), H(11), T}}, H(0), H(24));
  const BusyTime bo({{H(10), H(12), U}}, H(0), H(24));
  EXPECT_EQ(Together({&ana, &bo}, H(0), H(11.5)).Pieces(),
            (std::vector<BusyInterval>{{H(9), H(10), T}, {H(10), H(11.5), U}}));
}

}  // namespace
}  // namespace dayweave::agent
