#include "agent/schedule/meeting_search.h"

#include <algorithm>

namespace dayweave::agent {

namespace {

using std::chrono::sys_seconds;

// One person's working windows and blocking time, each walked by a position that only moves
// forward as the candidates do.
class Walker {
 public:
  Walker(const Person& person, const MeetingQuery& query)
      : windows_(WorkingWindows(*person.clock, person.hours, query.weekdaysOnly, query.from,
                                query.to + query.length)),
        blocking_(person.busy->Blocking(query.weakestBlocking)) {}

  // InHours
  // Whether [start, end) lies inside one working window; `start` never goes back.
  bool InHours(sys_seconds start, sys_seconds end) {
    while (window_ + 1 < windows_.size() && windows_[window_ + 1].start <= start) ++window_;
    return window_ < windows_.size() && windows_[window_].start <= start &&
           end <= windows_[window_].end;
  }

  // Blocked
  // Whether blocking time meets [start, end); `start` never goes back.
  bool Blocked(sys_seconds start, sys_seconds end) {
    while (block_ < blocking_.size() && blocking_[block_].end <= start) ++block_;
    return block_ < blocking_.size() && blocking_[block_].start < end;
  }

 private:
  std::vector<Interval> windows_;
  std::vector<Interval> blocking_;
  std::size_t window_ = 0;
  std::size_t block_ = 0;
};

std::vector<Walker> WalkersOf(const std::vector<Person>& people, const MeetingQuery& query) {
  std::vector<Walker> walkers;
  walkers.reserve(people.size());
  for (const Person& person : people) walkers.emplace_back(person, query);
  return walkers;
}

// The position of the largest count, the first on a tie.
std::size_t MostAt(const std::vector<std::size_t>& counts) {
  return static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

// Asks every required person about every candidate, counting what rules the candidates out.
NoSlot Diagnose(const std::vector<Person>& required, const MeetingQuery& query) {
  std::vector<Walker> walkers = WalkersOf(required, query);
  const std::size_t n = required.size();
  std::vector<std::size_t> inHours(n, 0);      // candidates inside the person's hours
  std::vector<std::size_t> onlyOutside(n, 0);  // inside everyone's hours but this person's
  std::vector<std::size_t> busyAt(n, 0);       // inside everyone's hours, blocked for them
  std::size_t insideAll = 0;
  std::vector<bool> inside(n);
  for (sys_seconds start = query.from; start < query.to; start += query.step) {
    const sys_seconds end = start + query.length;
    std::size_t outside = 0;
    for (std::size_t p = 0; p < n; ++p) {
      inside[p] = walkers[p].InHours(start, end);
      inHours[p] += inside[p] ? 1 : 0;
      outside += inside[p] ? 0 : 1;
    }
    if (outside == 1)
      ++onlyOutside[static_cast<std::size_t>(std::find(inside.begin(), inside.end(), false) -
                                             inside.begin())];
    if (outside > 0) continue;
    ++insideAll;
    for (std::size_t p = 0; p < n; ++p) busyAt[p] += walkers[p].Blocked(start, end) ? 1 : 0;
  }

  NoSlot none;
  if (insideAll > 0) {
    none.kind = NoSlot::kBlocked;
    const std::size_t busiest = MostAt(busyAt);
    none.people = {busiest};
    none.count = busyAt[busiest];
    none.of = insideAll;
    return none;
  }
  none.kind = NoSlot::kOutsideHours;
  for (std::size_t p = 0; p < n; ++p) {
    if (inHours[p] == 0) none.people.push_back(p);
  }
  if (!none.people.empty()) return none;
  // Everyone has hours among the candidates, but never all at once: name whose hours alone
  // rule out the most starts that the others' allow, else whose hours rule out the most.
  const std::size_t decisive = MostAt(onlyOutside);
  if (onlyOutside[decisive] > 0) {
    none.people = {decisive};
  } else {
    none.people = {static_cast<std::size_t>(std::min_element(inHours.begin(), inHours.end()) -
                                            inHours.begin())};
  }
  return none;
}

}  // namespace

std::size_t CandidateCount(const MeetingQuery& query) {
  if (query.from >= query.to || query.step <= std::chrono::minutes{0}) return 0;
  return static_cast<std::size_t>((query.to - query.from - std::chrono::seconds{1}) / query.step) +
         1;
}

MeetingAnswer FindMeetings(const std::vector<Person>& required, const std::vector<Person>& optional,
                           const MeetingQuery& query) {
  MeetingAnswer answer;
  if (CandidateCount(query) == 0 || query.length <= std::chrono::minutes{0}) {
    answer.none = NoSlot{};
    return answer;
  }
  std::vector<Walker> needed = WalkersOf(required, query);
  std::vector<Walker> welcome = WalkersOf(optional, query);
  for (sys_seconds start = query.from; start < query.to; start += query.step) {
    if (query.limit && answer.slots.size() >= *query.limit) break;
    const sys_seconds end = start + query.length;
    const bool qualifies = std::all_of(needed.begin(), needed.end(), [&](Walker& walker) {
      return walker.InHours(start, end) && !walker.Blocked(start, end);
    });
    if (!qualifies) continue;
    MeetingSlot slot{start, end, {}};
    for (std::size_t o = 0; o < welcome.size(); ++o) {
      if (welcome[o].InHours(start, end) && !welcome[o].Blocked(start, end)) {
        slot.optionalFree.push_back(o);
      }
    }
    answer.slots.push_back(std::move(slot));
  }
  if (answer.slots.empty()) answer.none = Diagnose(required, query);
  return answer;
}

}  // namespace dayweave::agent
