#include "agent/schedule/schedule.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

std::chrono::local_days Day(int year, unsigned month, unsigned day) {
  return std::chrono::local_days{std::chrono::year{year} / month / day};
}

std::vector<int> Indices(const std::vector<const Appointment*>& appointments) {
  std::vector<int> indices;
  for (const Appointment* a : appointments) indices.push_back(a->event->index);
  return indices;
}

// Event 2 ends at the first second of 10 March and event 3 is empty at midnight of 11 March:
// the boundaries of a day are half-open except for an empty stretch at its start.
TEST(ScheduleTest, TheSweepHandsEachDayTheAppointmentsThatCanTouchIt) {
  const testing::Loaded loaded(
      Calendar(Event("UID:1\nDTSTART:20030310T090000\nDTEND:20030312T120000\n") +
               Event("UID:2\nDTSTART:20030309T220000\nDTEND:20030310T000000\n") +
               Event("UID:3\nDTSTART:20030311T000000\n") +
               Event("UID:4\nDTSTART:20030303T090000\nDTEND:20030303T100000\n"
                     "RRULE:FREQ=WEEKLY\n") +
               Event("UID:5\nDTSTART:20030308T080000\nDTEND:20030308T083000\n"
                     "RRULE:FREQ=DAILY\nEXDATE:20030311T080000\n")),
      "s.ics");
  const Schedule& schedule = loaded.schedule;
  EXPECT_EQ(schedule.ExpansionNotes(),
            std::vector<std::string>{
                "s.ics:24: event 5 (UID 5) is expanded into one-off appointments: it has EXDATE"});
  DaySweep sweep(schedule, Day(2003, 3, 9));
  const std::vector<std::vector<int>> expected = {{2, 5}, {1, 4, 5}, {1, 3}, {1, 5}, {5}};
  for (unsigned i = 0; i < 5; ++i) {
    EXPECT_EQ(Indices(sweep.Touching(Day(2003, 3, 9u + i))), expected[i]) << 9 + i;
  }
  // Skipping ahead keeps the walk right.
  EXPECT_EQ(Indices(sweep.Touching(Day(2003, 3, 17))), (std::vector<int>{4, 5}));
  EXPECT_TRUE(sweep.Warnings().empty());
}

TEST(ScheduleTest, DaysBefore1970AreWalkedLikeAnyOther) {
  const testing::Loaded loaded(
      Calendar(Event("UID:a\nDTSTART:19600104T090000\nDTEND:19600104T100000\n"
                     "RRULE:FREQ=WEEKLY;BYDAY=MO\n") +
               Event("UID:b\nDTSTART:19600105T090000\nDTEND:19600105T100000\n"
                     "RRULE:FREQ=WEEKLY;BYDAY=TU\nEXDATE:19600112T090000\n")),
      "old.ics");
  const Schedule& schedule = loaded.schedule;
  DaySweep sweep(schedule, Day(1960, 1, 11));
  EXPECT_EQ(Indices(sweep.Touching(Day(1960, 1, 11))), std::vector<int>{1});
  EXPECT_TRUE(sweep.Touching(Day(1960, 1, 12)).empty());
  EXPECT_EQ(Indices(sweep.Touching(Day(1960, 1, 19))), std::vector<int>{2});
}

TEST(ScheduleTest, EventsThatTheDisplayClockPutsOutsideTheYearsAreLeftOut) {
  const testing::Loaded loaded(
      Calendar(Event("UID:edge\nDTSTART:99991231T233000Z\nDTEND:99991231T234500Z\n") +
               Event("UID:fine\nDTSTART:20030101T090000Z\nDTEND:20030101T100000Z\n")),
      "edge.ics", "Asia/Tokyo");
  const Schedule& schedule = loaded.schedule;
  EXPECT_EQ(schedule.Warnings(),
            std::vector<std::string>{"edge.ics:4: event 1 (UID edge) skipped: on the Asia/Tokyo "
                                     "clock it lies outside the years 100 to 9999"});
  ASSERT_EQ(schedule.OneOffs().size(), 1u);
  EXPECT_EQ(schedule.OneOffs()[0].appointment.GetStartTimeString(), CString("1/1/2003 6:00:00 PM"));
}

}  // namespace
}  // namespace dayweave::agent
