#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>

namespace dayweave {
namespace {

CAppointment WithNumbers(int outlookIndex, long duration, long reminder, int status) {
  return CAppointment(outlookIndex, "", "", "", "", "", COleDateTime(2003, 4, 14, 15, 56, 57),
                      COleDateTime(2003, 4, 14, 0, 0, 0), duration, 1, reminder, status,
                      COleDateTime(0.0), "");
}

TEST(AppointmentTextTest, NumbersAsWords) {
  const std::pair<int, const char*> statuses[] = {{0, "Free"},          {1, "Tentative"},
                                                  {2, "Busy"},          {3, "Out Of Office"},
                                                  {7, "Out Of Office"}, {-1, "Out Of Office"}};
  for (const auto& [status, text] : statuses) {
    EXPECT_EQ(WithNumbers(0, 0, 0, status).GetApptStatusString(), text) << status;
  }
  EXPECT_EQ(WithNumbers(-1, 0, 0, 2).GetOutlookIndexStr(), "-1");
  EXPECT_EQ(WithNumbers(INT_MIN, 0, 0, 2).GetOutlookIndexStr(), "-2147483648");
  // Minutes, and their texts as a reminder and as a duration.
  const std::tuple<long, const char*, const char*> cases[] = {
      {0, "0 Minutes", "0 Minute"},
      {1, "1 Minutes", "1 Minute"},
      {-30, "-30 Minutes", "-30 Minute"},
      {60, "60 Minutes", "60 Minutes"},
      {61, "1 Hours", "1 Hour 1 Minute"},
      {90, "1 Hours", "1 Hour 30 Minutes"},
      {120, "2 Hours", "2 Hours"},
      {181, "3 Hours", "3 Hours 1 Minute"},
      {INT_MAX, "35791394 Hours", "35791394 Hours 7 Minutes"}};
  for (const auto& [minutes, reminder, duration] : cases) {
    EXPECT_EQ(WithNumbers(0, 0, minutes, 2).GetReminderString(), reminder) << minutes;
    EXPECT_EQ(WithNumbers(0, minutes, 0, 2).GetDurationString(), duration) << minutes;
  }
}

TEST(AppointmentTextTest, RecurringMarkAndDateTimes) {
  CAppointment appointment = WithNumbers(0, 0, 0, 2);
  const COleDateTime pattern(2003, 1, 6, 9, 0, 0);
  const CAppointment recurring(0, "", "", "", "", "", pattern, pattern, 0, 0, 0, 2, pattern, "", 1,
                               1, 0, 0, pattern, pattern, 0, 2);
  EXPECT_EQ(appointment.GetRecurringStr(), "");
  EXPECT_EQ(recurring.GetRecurringStr(), "R");
  appointment.GetEndTime().SetStatus(COleDateTime::invalid);
  appointment.GetExpires().SetStatus(COleDateTime::null);
  EXPECT_EQ(appointment.GetStartTimeString(), "4/14/2003 3:56:57 PM");
  EXPECT_EQ(appointment.GetEndTimeString(), "Invalid DateTime");
  EXPECT_EQ(appointment.GetExpiresString(), "");
}

}  // namespace
}  // namespace dayweave
