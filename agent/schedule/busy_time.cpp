#include "agent/schedule/busy_time.h"

#include <algorithm>
#include <array>

namespace dayweave::agent {

namespace {

using std::chrono::sys_seconds;

// One end of an occupied stretch: where a kind begins (+1) or ends (-1) to hold.
struct Edge {
  sys_seconds at;
  BusyKind kind;
  int change;
};

}  // namespace

std::optional<BusyKind> KindOfStatus(int status) {
  switch (status) {
    case 1:
      return BusyKind::kTentative;
    case 2:
      return BusyKind::kBusy;
    case 3:
      return BusyKind::kUnavailable;
    default:
      return std::nullopt;
  }
}

BusyTime::BusyTime(std::vector<BusyInterval> occupied, sys_seconds from, sys_seconds to) {
  std::vector<Edge> edges;
  edges.reserve(occupied.size() * 2);
  for (const BusyInterval& stretch : occupied) {
    const sys_seconds start = std::max(stretch.start, from);
    const sys_seconds end = std::min(stretch.end, to);
    if (start >= end) continue;
    edges.push_back(Edge{start, stretch.kind, 1});
    edges.push_back(Edge{end, stretch.kind, -1});
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.at < b.at; });
  // Walk the edges in time, counting how many stretches of each kind hold; between two
  // instants at which something changes, the strongest kind still counted is the piece's.
  std::array<int, 3> holding{};
  for (std::size_t i = 0; i < edges.size();) {
    const sys_seconds at = edges[i].at;
    for (; i < edges.size() && edges[i].at == at; ++i) {
      holding[static_cast<std::size_t>(edges[i].kind)] += edges[i].change;
    }
    if (i == edges.size()) break;
    const sys_seconds next = edges[i].at;
    for (std::size_t k = holding.size(); k-- > 0;) {
      if (holding[k] == 0) continue;
      const auto kind = static_cast<BusyKind>(k);
      if (!pieces_.empty() && pieces_.back().end == at && pieces_.back().kind == kind) {
        pieces_.back().end = next;
      } else {
        pieces_.push_back(BusyInterval{at, next, kind});
      }
      break;
    }
  }
}

std::vector<Interval> BusyTime::Blocking(BusyKind weakest) const {
  std::vector<Interval> blocking;
  for (const BusyInterval& piece : pieces_) {
    if (piece.kind < weakest) continue;
    if (!blocking.empty() && blocking.back().end == piece.start) {
      blocking.back().end = piece.end;
    } else {
      blocking.push_back(Interval{piece.start, piece.end});
    }
  }
  return blocking;
}

BusyTime Together(const std::vector<const BusyTime*>& people, sys_seconds from, sys_seconds to) {
  std::vector<BusyInterval> all;
  for (const BusyTime* person : people) {
    all.insert(all.end(), person->Pieces().begin(), person->Pieces().end());
  }
  return BusyTime(std::move(all), from, to);
}

}  // namespace dayweave::agent
