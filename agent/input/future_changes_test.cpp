#include "agent/input/future_changes.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// A daily series at 12:00-14:00 UTC in June 2024.
EventTime Noon(int day) { return EventTime{(sys_days{2024y / 6 / day} + 12h).time_since_epoch()}; }

TEST(FutureChanges, MoveAndResizeEveryLaterOccurrence) {
  FutureChanges changes;
  // From 5 June on: 09:00-16:00 (three hours earlier, seven hours long); from 10 June on:
  // 13:00-13:30.
  changes.Add(Noon(10), Noon(10) + 1h, 30min);
  changes.Add(Noon(5), Noon(5) - 3h, 7h);
  const struct {
    EventTime original;
    FutureChanges::Placed placed;
  } cases[] = {
      {Noon(4), {Noon(4), 2h}},           {Noon(5) - 1s, {Noon(5) - 1s, 2h}},
      {Noon(5), {Noon(5) - 3h, 7h}},      {Noon(9), {Noon(9) - 3h, 7h}},
      {Noon(10), {Noon(10) + 1h, 30min}}, {Noon(30), {Noon(30) + 1h, 30min}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(changes.Apply(c.original, 2h), c.placed) << c.original.time_since_epoch().count();
  }
  // An occurrence moved from 12:00 to 09:00-16:00 ends 4 hours after its original start, the
  // farthest of the two moves (13:00-13:30 ends 1.5 hours after it).
  EXPECT_EQ(changes.Reach(), 4h);
}

}  // namespace
}  // namespace dayweave::agent
