#include "agent/input/future_changes.h"

#include <algorithm>

namespace dayweave::agent {

using std::chrono::seconds;

void FutureChanges::Add(EventTime recurrenceId, EventTime start, seconds length) {
  const Change change{recurrenceId, start - recurrenceId, length};
  const auto at = std::upper_bound(changes_.begin(), changes_.end(), recurrenceId,
                                   [](EventTime from, const Change& c) { return from < c.from; });
  changes_.insert(at, change);
}

FutureChanges::Placed FutureChanges::Apply(EventTime start, seconds length) const {
  const auto after = std::upper_bound(changes_.begin(), changes_.end(), start,
                                      [](EventTime at, const Change& c) { return at < c.from; });
  if (after == changes_.begin()) return Placed{start, length};
  const Change& change = *std::prev(after);
  return Placed{start + change.shift, change.length};
}

seconds FutureChanges::Reach() const {
  seconds most{0};
  for (const Change& change : changes_) most = std::max(most, change.shift + change.length);
  return most;
}

seconds FutureChanges::Lead() const {
  seconds latest{0};
  seconds earliest{0};
  for (const Change& change : changes_) {
    latest = std::max(latest, change.shift);
    earliest = std::min(earliest, change.shift);
  }
  return latest - earliest;
}

}  // namespace dayweave::agent
