#include "agent/input/future_changes.h"

#include <algorithm>

namespace dayweave::agent {

using std::chrono::seconds;
using std::chrono::sys_seconds;

void FutureChanges::Add(sys_seconds recurrenceId, sys_seconds start, seconds length) {
  const Change change{recurrenceId, start - recurrenceId, length};
  const auto at = std::upper_bound(changes_.begin(), changes_.end(), recurrenceId,
                                   [](sys_seconds from, const Change& c) { return from < c.from; });
  changes_.insert(at, change);
}

FutureChanges::Placed FutureChanges::Apply(sys_seconds start, seconds length) const {
  const auto after = std::upper_bound(changes_.begin(), changes_.end(), start,
                                      [](sys_seconds at, const Change& c) { return at < c.from; });
  if (after == changes_.begin()) return Placed{start, length};
  const Change& change = *std::prev(after);
  return Placed{start + change.shift, change.length};
}

seconds FutureChanges::Reach() const {
  seconds most{0};
  for (const Change& change : changes_) most = std::max(most, change.shift + change.length);
  return most;
}

}  // namespace dayweave::agent
