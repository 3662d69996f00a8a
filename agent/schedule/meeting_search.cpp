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

// Asks every required person about each candidate in full, counting what rules the
// candidates out, for as long as no candidate has qualified: the counts say why none does.
class Tally {
 public:
  explicit Tally(std::size_t people)
      : inHours_(people, 0), onlyOutside_(people, 0), busyAt_(people, 0), inside_(people) {}

  // Qualifies
  // Whether the candidate qualifies, every walker asked.
  bool Qualifies(std::vector<Walker>& walkers, sys_seconds start, sys_seconds end) {
    std::size_t outside = 0;
    std::size_t outsider = 0;
    for (std::size_t p = 0; p < walkers.size(); ++p) {
      inside_[p] = walkers[p].InHours(start, end);
      inHours_[p] += inside_[p] ? 1 : 0;
      if (!inside_[p]) {
        ++outside;
        outsider = p;
      }
    }
    if (outside == 1) ++onlyOutside_[outsider];
    if (outside > 0) return false;
    ++insideAll_;
    bool free = true;
    for (std::size_t p = 0; p < walkers.size(); ++p) {
      const bool blocked = walkers[p].Blocked(start, end);
      busyAt_[p] += blocked ? 1 : 0;
      free = free && !blocked;
    }
    return free;
  }

  // Reason
  // Why no candidate qualified, from the counts of every candidate.
  NoSlot Reason() const {
    NoSlot none;
    if (inHours_.empty()) return none;
    if (insideAll_ > 0) {
      none.kind = NoSlot::kBlocked;
      const std::size_t busiest = MostAt(busyAt_);
      none.people = {busiest};
      none.count = busyAt_[busiest];
      none.of = insideAll_;
      return none;
    }
    none.kind = NoSlot::kOutsideHours;
    for (std::size_t p = 0; p < inHours_.size(); ++p) {
      if (inHours_[p] == 0) none.people.push_back(p);
    }
    if (!none.people.empty()) return none;
    // Everyone has hours among the candidates, but never all at once: name whose hours alone
    // rule out the most starts that the others' allow, else whose hours rule out the most.
    const std::size_t decisive = MostAt(onlyOutside_);
    if (onlyOutside_[decisive] > 0) {
      none.people = {decisive};
    } else {
      none.people = {static_cast<std::size_t>(std::min_element(inHours_.begin(), inHours_.end()) -
                                              inHours_.begin())};
    }
    return none;
  }

 private:
  std::vector<std::size_t> inHours_;      // candidates inside the person's hours
  std::vector<std::size_t> onlyOutside_;  // inside everyone's hours but this person's
  std::vector<std::size_t> busyAt_;       // inside everyone's hours, blocked for the person
  std::size_t insideAll_ = 0;
  std::vector<bool> inside_;
};

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
  Tally tally(required.size());
  for (sys_seconds start = query.from; start < query.to; start += query.step) {
    if (query.limit && answer.slots.size() >= *query.limit) break;
    const sys_seconds end = start + query.length;
    // Once a slot is found the counts are not needed, and the first person who rules a
    // candidate out spares asking the others.
    const bool qualifies = answer.slots.empty()
                               ? tally.Qualifies(needed, start, end)
                               : std::all_of(needed.begin(), needed.end(), [&](Walker& walker) {
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
  if (answer.slots.empty()) answer.none = tally.Reason();
  return answer;
}

}  // namespace dayweave::agent
