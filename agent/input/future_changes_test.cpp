#include "agent/input/future_changes.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Where the later occurrences go, in whatever order the overrides come, is checked on
// moved-twice.ics in busy_reading_test.cpp and on this-and-future.ics in answers.txt. How far a
// moved occurrence reaches past its original start shows there only beyond a day, and the
// occurrence at an override's own RECURRENCE-ID not at all (the override replaces it first).
TEST(FutureChanges, ReachAndTheOccurrenceAtTheOverridesOwnStart) {
  const EventTime noon{(sys_days{2024y / 6 / 5} + 12h).time_since_epoch()};
  FutureChanges changes;
  // From 10 June on 13:00-13:30, 1.5 hours after the original start; from 5 June on
  // 09:00-16:00, 4 hours after it.
  changes.Add(noon + days{5}, noon + days{5} + 1h, 30min);
  changes.Add(noon, noon - 3h, 7h);
  EXPECT_EQ(changes.Reach(), 4h);
  EXPECT_EQ(changes.Apply(noon, 2h), (FutureChanges::Placed{noon - 3h, 7h}));
}

}  // namespace
}  // namespace dayweave::agent
