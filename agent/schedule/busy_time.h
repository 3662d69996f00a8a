// A person's busy time over a window: the stretches their events occupy, sorted and merged,
// each marked with how busy it is.
//
//   BusyTime busy({{nine, ten, BusyKind::kBusy}, {nine_thirty, eleven, BusyKind::kTentative}},
//                 monday, saturday);
//   busy.Pieces();      // 09:00-10:00 busy, 10:00-11:00 tentative
//   busy.Blocking(BusyKind::kBusy);        // 09:00-10:00
//   busy.Blocking(BusyKind::kTentative);   // 09:00-11:00
//
// KINDS
//   An event blocks its time as out of office (BusyKind::kUnavailable), busy, or tentatively;
//   free, transparent and cancelled events occupy nothing and are left out by whoever builds
//   the list (KindOfStatus says which appointment status is which kind). Where events of
//   several kinds overlap, the strongest holds: out of office, then busy, then tentative, so
//   that each instant has one kind, as a VFREEBUSY must write it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace dayweave::agent {

// From the weakest to the strongest.
enum class BusyKind : std::uint8_t { kTentative, kBusy, kUnavailable };

// A stretch of real time, [start, end).
struct Interval {
  std::chrono::sys_seconds start;
  std::chrono::sys_seconds end;

  friend bool operator==(const Interval&, const Interval&) = default;
};

struct BusyInterval {
  std::chrono::sys_seconds start;
  std::chrono::sys_seconds end;
  BusyKind kind;

  friend bool operator==(const BusyInterval&, const BusyInterval&) = default;
};

// KindOfStatus
// The kind of busy time of an appointment status (0 free, 1 tentative, 2 busy, 3 out of
// office); nothing for free and for any other number.
std::optional<BusyKind> KindOfStatus(int status);

class BusyTime {
 public:
  // No busy time.
  BusyTime() = default;

  // The busy time of the stretches `occupied` (in any order, overlapping or not; empty and
  // inverted ones count for nothing), cut to the window [from, to).
  BusyTime(std::vector<BusyInterval> occupied, std::chrono::sys_seconds from,
           std::chrono::sys_seconds to);

  // Pieces
  // The busy time in order: disjoint pieces, each of the strongest kind over it, and no two
  // touching pieces of the same kind.
  const std::vector<BusyInterval>& Pieces() const { return pieces_; }

  // Blocking
  // The time that is at least as busy as `weakest`, as disjoint, non-touching intervals in
  // order: what a meeting must keep clear of.
  std::vector<Interval> Blocking(BusyKind weakest) const;

 private:
  std::vector<BusyInterval> pieces_;
};

// Together
// The busy time of several people as one, over the window [from, to): each instant of the
// strongest kind that any of them has there.
BusyTime Together(const std::vector<const BusyTime*>& people, std::chrono::sys_seconds from,
                  std::chrono::sys_seconds to);

}  // namespace dayweave::agent
