#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/test_tables.h"

namespace dayweave {
namespace {

COleDateTime At(int hour, int minute, int second = 0) {
  return COleDateTime(2003, 4, 14, hour, minute, second);
}

// A one-off appointment, by default 10:00 to 11:00 on Monday 14 April 2003. Its duration (600)
// and expiry (1 April, before every instant asked about) must take no part.
CAppointment Meeting(int status, const COleDateTime& start = At(10, 0),
                     const COleDateTime& end = At(11, 0)) {
  return CAppointment(1, "Meeting", "", "", "", "", start, end, 600, 0, 0, status,
                      COleDateTime(2003, 4, 1, 0, 0, 0), "");
}

// Mondays 09:00 to 10:00 from 6 January 2003; its own start and end, on Wednesday 1 January
// 2003 09:00 to 10:00, take no part.
CAppointment WeeklyMonday(int status) {
  const COleDateTime nine(2003, 1, 1, 9, 0, 0), ten(2003, 1, 1, 10, 0, 0);
  return CAppointment(1, "Weekly", "", "", "", "", nine, ten, 60, 0, 0, status, ten, "", 1, 1, 0, 0,
                      COleDateTime(2003, 1, 6, 9, 0, 0), COleDateTime(2003, 1, 6, 10, 0, 0), 0, 2);
}

TEST(AvailabilityTest, OneOffOccupiesItsStartUpToItsEnd) {
  // Tentative, busy, out of office and unknown codes all block alike; free never does.
  for (int status : {0, 1, 2, 3, 7, -1}) {
    const CAppointment meeting = Meeting(status);
    for (std::istringstream& row : TestRows("appointment/testdata/one_off_occupation.txt")) {
      SCOPED_TRACE(testing::Message() << "status " << status << ": " << row.str());
      std::string kind, bar;
      int hour = 0, minute = 0, second = 0, minutes = 0, free = 0;
      ASSERT_TRUE(row >> kind >> hour >> minute >> second);
      if (kind == "for") row >> minutes;
      ASSERT_TRUE(row >> bar >> free);
      const COleDateTime when = At(hour, minute, second);
      EXPECT_EQ(kind == "at" ? meeting.IsFree(when) : meeting.IsFree(when, minutes),
                status == 0 ? 1 : free);
    }
  }
}

// The window boundaries of a rule's instants are checked with the recurring constructor.
TEST(AvailabilityTest, RecurringAppointmentAsksItsRuleUnlessItsStatusIsFree) {
  const CAppointment weekly = WeeklyMonday(2), free = WeeklyMonday(0);
  const COleDateTime from(2003, 1, 13, 8, 30, 0), during(2003, 1, 13, 9, 30, 0);
  for (auto [minutes, isFree] : {std::pair{30, 1}, {31, 0}, {-60, 1}}) {
    EXPECT_EQ(weekly.IsFree(from, minutes), isFree) << minutes;
  }
  EXPECT_EQ(weekly.IsFree(during), 0);
  EXPECT_EQ(weekly.IsFree(COleDateTime(2003, 1, 14, 9, 30, 0)), 1);
  // Only the date of the start is asked about: from Sunday 08:00 into Monday's window is free.
  EXPECT_EQ(weekly.IsFree(COleDateTime(2003, 1, 12, 8, 0, 0), 1530), 1);
  COleDateTime unreadable(during);
  unreadable.SetStatus(COleDateTime::invalid);
  EXPECT_EQ(weekly.IsFree(unreadable), 1);
  EXPECT_EQ(free.IsFree(during) + free.IsFree(during, 30), 2);
}

TEST(AvailabilityTest, OneOffOccursOnTheDateOfItsStartOnly) {
  const CAppointment lateNight = Meeting(0, At(23, 30), COleDateTime(2003, 4, 15, 1, 0, 0));
  EXPECT_EQ(lateNight.OccursOn(14, 4, 2003), 1);  // status 0 still occurs
  EXPECT_EQ(lateNight.OccursOn(15, 4, 2003), 0);
  EXPECT_EQ(lateNight.OccursOn(4, 14, 2003), 0);  // month and day swapped
  EXPECT_EQ(lateNight.OccursOn(14, 4, 2004), 0);
  const CAppointment unreadable = Meeting(2, COleDateTime(2003, 2, 30, 0, 0, 0), At(11, 0));
  EXPECT_EQ(unreadable.OccursOn(-1, -1, -1) + unreadable.OccursOn(30, 12, 1899), 0);
}

}  // namespace
}  // namespace dayweave
