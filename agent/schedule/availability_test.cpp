#include "agent/schedule/availability.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::At;
using testing::Calendar;
using testing::Event;

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

TEST(AvailabilityTest, RecurringAppointmentsAreAskedDayByDayAcrossMidnight) {
  // Mondays from 00:10 to 00:20 and from 23:59:30 to 23:59:50 (14 April 2003 is a Monday).
  const testing::Loaded loaded(
      Calendar(Event("UID:early@test\nDTSTART:20030414T001000\nDTEND:20030414T002000\n"
                     "RRULE:FREQ=WEEKLY\n") +
               Event("UID:late@test\nDTSTART:20030414T235930\nDTEND:20030414T235950\n"
                     "RRULE:FREQ=WEEKLY\n")));
  const Schedule& schedule = loaded.schedule;
  ASSERT_EQ(schedule.Recurring().size(), 2u);
  struct Case {
    local_seconds when;
    int minutes;
    bool free;
  } cases[] = {
      {At(2003, 4, 13, 23, 50), 20, true},  // Sunday night, up to the Monday window
      {At(2003, 4, 13, 23, 50), 21, false},
      {At(2003, 4, 14, 23, 59, 50), 5, true},    // starts at the window's end
      {At(2003, 4, 14, 23, 59, 49), 1, false},   // one second of overlap
      {At(2003, 4, 13, 23, 0), 1500, false},     // 25 hours over the whole Monday
      {At(2003, 4, 14, 0, 20), 1419, true},      // 00:20 to 23:59
      {At(2003, 4, 14, 0, 20), 1420, false},     // 00:20 to midnight
      {At(2003, 4, 20, 23, 59, 59), 11, false},  // one second of Sunday, then Monday 00:10
      {At(2003, 4, 20, 23, 59, 59), 10, true},
  };
  FreeBusy freeBusy(schedule);
  for (const Case& c : cases) {
    EXPECT_EQ(freeBusy.AskStretch(c.when, minutes{c.minutes}).free, c.free)
        << testing::Text(c.when) << " for " << c.minutes;
  }
  // Questions may go back in time; the answers stay the same.
  EXPECT_FALSE(freeBusy.AskAt(At(2003, 4, 14, 0, 15)).free);
}

TEST(AvailabilityTest, BlockingAppointmentsAreNamedInEventOrder) {
  const testing::Loaded loaded(Calendar(
      Event("UID:b@test\nSUMMARY:Second\nDTSTART:20030414T100000\nDTEND:20030414T110000\n") +
      Event("UID:a@test\nSUMMARY:First\nDTSTART:20030414T093000\nDTEND:20030414T103000\n"
            "STATUS:TENTATIVE\n") +
      Event("UID:c@test\nSUMMARY:Free\nDTSTART:20030414T090000\nDTEND:20030414T120000\n"
            "TRANSP:TRANSPARENT\n")));
  const Schedule& schedule = loaded.schedule;
  FreeBusy freeBusy(schedule);
  const StretchAnswer answer = freeBusy.AskStretch(At(2003, 4, 14, 10, 0), 15min);
  EXPECT_FALSE(answer.free);
  ASSERT_EQ(answer.blocking.size(), 2u);
  EXPECT_EQ(answer.blocking[0].event->subject, "Second");
  EXPECT_EQ(answer.blocking[1].event->subject, "First");
  EXPECT_TRUE(freeBusy.AskStretch(At(2003, 4, 14, 11, 0), 60min).free);
}

}  // namespace
}  // namespace dayweave::agent
