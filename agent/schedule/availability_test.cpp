#include "agent/schedule/availability.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::At;

// The stretch's end is formed by the library in floating point and lands a hair past a
// start a quarter of the time; a stretch that ends exactly at a one-off's start must still be
// free, and one a minute longer busy, whatever the date and times.
TEST(AvailabilityTest, StretchesThatEndExactlyAtAOneOffAreFree) {
  EventRecord event;
  for (int year : {1950, 2003, 2038, 2099}) {
    for (int startMinute = 6 * 60; startMinute < 20 * 60; startMinute += 37) {
      const local_seconds start = At(year, 4, 14) + minutes{startMinute};
      const local_seconds end = start + 1h;
      const Appointment meeting{CAppointment(1, "", "", "", "", "", ToOle(start), ToOle(end), 60, 0,
                                             0, 2, COleDateTime(), ""),
                                &event, start, end};
      for (minutes before{1}; before <= 300min; ++before) {
        EXPECT_TRUE(LeavesFree(meeting, start - before, before))
            << year << " " << startMinute << " " << before.count();
        EXPECT_FALSE(LeavesFree(meeting, start - before, before + 1min));
      }
      EXPECT_TRUE(LeavesFree(meeting, end, 30min));
    }
  }
}

// Each row of across-midnight.txt, on the weekly events of across-midnight.ics (14 April 2003
// is a Monday).
TEST(AvailabilityTest, RecurringAppointmentsAreAskedDayByDayAcrossMidnight) {
  const testing::Loaded loaded(testing::TestData("schedule/across-midnight.ics"));
  ASSERT_EQ(loaded.schedule.Recurring().size(), 2u);
  FreeBusy freeBusy(loaded.schedule);
  for (const auto& row : testing::TableRows("across-midnight.txt")) {
    EXPECT_EQ(
        freeBusy.AskStretch(testing::WallClock(row.at(0)), minutes{std::stoi(row.at(1))}).free,
        row.at(2) == "1")
        << row[0] << " for " << row[1];
  }
  // Questions may go back in time; the answers stay the same.
  EXPECT_FALSE(freeBusy.AskAt(At(2003, 4, 14, 0, 15)).free);
}

TEST(AvailabilityTest, BlockingAppointmentsAreNamedInEventOrder) {
  const testing::Loaded loaded(testing::TestData("schedule/blocking.ics"));
  FreeBusy freeBusy(loaded.schedule);
  const StretchAnswer answer = freeBusy.AskStretch(At(2003, 4, 14, 10, 0), 15min);
  EXPECT_FALSE(answer.free);
  ASSERT_EQ(answer.blocking.size(), 2u);
  EXPECT_EQ(answer.blocking[0].event->subject, "Second");
  EXPECT_EQ(answer.blocking[1].event->subject, "First");
  EXPECT_TRUE(freeBusy.AskStretch(At(2003, 4, 14, 11, 0), 60min).free);
}

}  // namespace
}  // namespace dayweave::agent
