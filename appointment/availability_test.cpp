#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <climits>

namespace dayweave {
namespace {

COleDateTime At(int hour, int minute, int second = 0) {
  return COleDateTime(2003, 4, 14, hour, minute, second);
}

// 10:00 to 11:00 on Monday 14 April 2003.
CAppointment Meeting(int status, const COleDateTime& start = At(10, 0),
                     const COleDateTime& end = At(11, 0), long duration = 60,
                     const COleDateTime& expires = COleDateTime(2003, 5, 1, 0, 0, 0)) {
  return CAppointment(1, "Meeting", "", "", "", "", start, end, duration, 0, 0, status, expires,
                      "");
}

// The weekly appointment of Mondays 09:00 to 10:00 from 6 January 2003; its own start and end,
// on Wednesday 1 January 2003, take no part.
CAppointment WeeklyMonday(int status) {
  return CAppointment(1, "Weekly", "", "", "", "", COleDateTime(2003, 1, 1, 9, 0, 0),
                      COleDateTime(2003, 1, 1, 10, 0, 0), 60, 0, 0, status,
                      COleDateTime(2003, 1, 2, 0, 0, 0), "", 1, 1, 0, 0,
                      COleDateTime(2003, 1, 6, 9, 0, 0), COleDateTime(2003, 1, 6, 10, 0, 0), 0, 2);
}

struct Instant {
  COleDateTime when;
  int busyFree;  // the answer when the status blocks
};

struct Stretch {
  COleDateTime when;
  int minutes;
  int busyFree;
};

const Instant kInstants[] = {
    {At(10, 0), 0},     {At(10, 59, 59), 0}, {At(11, 0), 1},
    {At(9, 59, 59), 1}, {At(10, 30), 0},     {COleDateTime(2003, 4, 15, 10, 30, 0), 1},
};

const Stretch kStretches[] = {
    {At(9, 0), 120, 0},       {At(11, 0), 30, 1},
    {At(10, 30), 0, 0},       {At(10, 0), 0, 1},  // the query ends where the meeting starts
    {At(10, 30), -15, 0},                         // ends at 10:15
    {At(10, 30), -60, 1},                         // ends at 09:30, not after the start
    {At(9, 0), 60, 1},   // 09:00 plus sixty 1440ths of a day is exactly 10:00
    {At(8, 0), 120, 0},  // 08:00 plus 120 of them lands a hair after 10:00
    {At(9, 0), 180, 0},       {At(10, 59), 1, 0},
    {At(9, 30), INT_MAX, 0},  {At(11, 0), INT_MAX, 1},
    {At(10, 30), INT_MIN, 1}, {At(12, 0), INT_MIN, 1},  // begins after the end
};

TEST(AvailabilityTest, OneOffOccupiesItsStartUpToItsEnd) {
  // Tentative, busy, out of office and unknown codes all block alike; free never does.
  for (int status : {0, 1, 2, 3, 7, -1}) {
    SCOPED_TRACE(status);
    const CAppointment meeting = Meeting(status);
    for (const Instant& c : kInstants) {
      EXPECT_EQ(meeting.IsFree(c.when), status == 0 ? 1 : c.busyFree)
          << c.when.Format().GetString();
    }
    for (const Stretch& c : kStretches) {
      EXPECT_EQ(meeting.IsFree(c.when, c.minutes), status == 0 ? 1 : c.busyFree)
          << c.when.Format().GetString() << " for " << c.minutes;
    }
  }
}

TEST(AvailabilityTest, ExpiryAndDurationAreNotConsulted) {
  const COleDateTime expired(2003, 4, 1, 0, 0, 0);
  for (long duration : {0L, 1L, 600L, -60L}) {
    const CAppointment meeting = Meeting(2, At(10, 0), At(11, 0), duration, expired);
    EXPECT_EQ(meeting.IsFree(At(10, 30)), 0) << duration;
    EXPECT_EQ(meeting.IsFree(At(11, 0), 1), 1) << duration;
    EXPECT_EQ(meeting.IsFree(At(9, 0), 90), 0) << duration;
  }
}

TEST(AvailabilityTest, NegativeDayCountsCompareAsInstants) {
  // 1 January 1000, 10:00 to 11:00: day counts -328716.41666... to -328716.45833...
  const CAppointment meeting =
      Meeting(2, COleDateTime(1000, 1, 1, 10, 0, 0), COleDateTime(1000, 1, 1, 11, 0, 0));
  EXPECT_EQ(meeting.IsFree(COleDateTime(1000, 1, 1, 10, 30, 0)), 0);
  EXPECT_EQ(meeting.IsFree(COleDateTime(1000, 1, 1, 11, 0, 0)), 1);
  EXPECT_EQ(meeting.IsFree(COleDateTime(1000, 1, 1, 9, 59, 59)), 1);
  EXPECT_EQ(meeting.IsFree(COleDateTime(1000, 1, 1, 9, 30, 0), 45), 0);
  EXPECT_EQ(meeting.IsFree(COleDateTime(1000, 1, 1, 9, 0, 0), 30), 1);
  EXPECT_EQ(meeting.IsFree(COleDateTime(999, 12, 31, 10, 30, 0), 24 * 60), 0);
  EXPECT_EQ(meeting.OccursOn(1, 1, 1000), 1);
}

TEST(AvailabilityTest, RecurringAppointmentAsksItsRule) {
  const CAppointment weekly = WeeklyMonday(2);
  const struct {
    COleDateTime when;
    int free;
  } instants[] = {
      {{2003, 1, 13, 9, 30, 0}, 0}, {{2003, 1, 13, 10, 0, 0}, 1}, {{2003, 1, 14, 9, 30, 0}, 1},
      {{2003, 1, 1, 9, 30, 0}, 1},  // inside its own start and end, on no occurrence
      {{2003, 1, 6, 9, 0, 0}, 0},
  };
  for (const auto& c : instants) {
    EXPECT_EQ(weekly.IsFree(c.when), c.free) << c.when.Format().GetString();
  }
  const COleDateTime from(2003, 1, 13, 8, 30, 0);
  const struct { int minutes, free; } stretches[] = {{29, 1}, {30, 1}, {31, 0}, {120, 0}, {-60, 1}};
  for (const auto& c : stretches) {
    EXPECT_EQ(weekly.IsFree(from, c.minutes), c.free) << c.minutes;
  }
  // The typical question: free for 30 minutes from 13 January 2003 09:30? No.
  EXPECT_EQ(weekly.IsFree(COleDateTime(2003, 1, 13, 9, 30, 0), 30), 0);
  EXPECT_EQ(weekly.OccursOn(13, 1, 2003), 1);
  EXPECT_EQ(weekly.OccursOn(14, 1, 2003), 0);
  EXPECT_EQ(weekly.OccursOn(1, 1, 2003), 0);

  // Status 0 leaves the user free even where the rule would block, yet it still occurs.
  const CAppointment free = WeeklyMonday(0);
  EXPECT_EQ(free.IsFree(COleDateTime(2003, 1, 13, 9, 30, 0)), 1);
  EXPECT_EQ(free.IsFree(COleDateTime(2003, 1, 13, 9, 30, 0), 30), 1);
  EXPECT_EQ(free.OccursOn(13, 1, 2003), 1);
}

TEST(AvailabilityTest, OneOffOccursOnTheDateOfItsStartOnly) {
  const CAppointment lateNight =
      Meeting(2, COleDateTime(2003, 4, 14, 23, 30, 0), COleDateTime(2003, 4, 15, 1, 0, 0));
  EXPECT_EQ(lateNight.OccursOn(14, 4, 2003), 1);
  EXPECT_EQ(lateNight.OccursOn(15, 4, 2003), 0);
  EXPECT_EQ(lateNight.OccursOn(4, 14, 2003), 0);  // month and day swapped
  EXPECT_EQ(lateNight.OccursOn(14, 4, 2004), 0);
  EXPECT_EQ(Meeting(0).OccursOn(14, 4, 2003), 1);

  COleDateTime invalid;
  invalid.SetDate(2003, 2, 30);
  const CAppointment unreadable = Meeting(2, invalid, At(11, 0));
  EXPECT_EQ(unreadable.OccursOn(-1, -1, -1), 0);
  EXPECT_EQ(unreadable.OccursOn(30, 2, 2003), 0);
  EXPECT_EQ(unreadable.OccursOn(30, 12, 1899), 0);
}

}  // namespace
}  // namespace dayweave
