#include "agent/schedule/schedule.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

std::vector<int> Indices(const std::vector<const Appointment*>& appointments) {
  std::vector<int> indices;
  for (const Appointment* a : appointments) indices.push_back(a->event->index);
  return indices;
}

// Event 2 ends at the first second of 10 March and event 3 is empty at midnight of 11 March:
// the boundaries of a day are half-open except for an empty stretch at its start.
TEST(ScheduleTest, TheSweepHandsEachDayTheAppointmentsThatCanTouchIt) {
  const testing::Loaded loaded(testing::TestData("schedule/sweep.ics"), "sweep.ics");
  EXPECT_EQ(loaded.schedule.ExpansionNotes(),
            std::vector<std::string>{"sweep.ics:24: event 5 (UID 5) is expanded into one-off "
                                     "appointments: it has EXDATE"});
  const std::chrono::local_days march9{std::chrono::year{2003} / 3 / 9};
  DaySweep sweep(loaded.schedule, march9);
  const std::vector<std::vector<int>> expected = {{2, 5}, {1, 4, 5}, {1, 3}, {1, 5}, {5}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Indices(sweep.Touching(march9 + std::chrono::days{i})), expected[i]) << 9 + i;
  }
  // Skipping ahead keeps the walk right.
  EXPECT_EQ(Indices(sweep.Touching(march9 + std::chrono::days{8})), (std::vector<int>{4, 5}));
  EXPECT_TRUE(sweep.Warnings().empty());
}

TEST(ScheduleTest, EventsThatTheDisplayClockPutsOutsideTheYearsAreLeftOut) {
  const testing::Loaded loaded(testing::TestData("schedule/year-9999.ics"), "edge.ics",
                               "Asia/Tokyo");
  const Schedule& schedule = loaded.schedule;
  EXPECT_EQ(schedule.Warnings(),
            std::vector<std::string>{"edge.ics:4: event 1 (UID edge) skipped: on the Asia/Tokyo "
                                     "clock it lies outside the years 100 to 9999"});
  ASSERT_EQ(schedule.OneOffs().size(), 1u);
  EXPECT_EQ(schedule.OneOffs()[0].appointment.GetStartTimeString(), CString("1/1/2003 6:00:00 PM"));
}

}  // namespace
}  // namespace dayweave::agent
