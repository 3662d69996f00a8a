#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace dayweave {
namespace {

CAppointment WithNumbers(int outlookIndex, long duration, long reminder, int status) {
  return CAppointment(outlookIndex, "", "", "", "", "", COleDateTime(2003, 4, 14, 15, 56, 57),
                      COleDateTime(2003, 4, 14, 0, 0, 0), duration, 1, reminder, status,
                      COleDateTime(0.0), "");
}

TEST(AppointmentTextTest, StatusWords) {
  const struct {
    int status;
    const char* text;
  } cases[] = {{0, "Free"},
               {1, "Tentative"},
               {2, "Busy"},
               {3, "Out Of Office"},
               {7, "Out Of Office"},
               {-1, "Out Of Office"},
               {INT_MIN, "Out Of Office"}};
  for (const auto& c : cases) {
    EXPECT_EQ(WithNumbers(0, 0, 0, c.status).GetApptStatusString(), c.text) << c.status;
  }
}

TEST(AppointmentTextTest, ReminderInMinutesThenWholeHours) {
  const struct {
    long reminder;
    const char* text;
  } cases[] = {
      {0, "0 Minutes"},
      {1, "1 Minutes"},
      {15, "15 Minutes"},
      {60, "60 Minutes"},
      {61, "1 Hours"},
      {90, "1 Hours"},
      {119, "1 Hours"},
      {120, "2 Hours"},
      {1440, "24 Hours"},
      {-5, "-5 Minutes"},
      {INT_MAX, "35791394 Hours"},
      {INT_MIN, "-2147483648 Minutes"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithNumbers(0, 0, c.reminder, 2).GetReminderString(), c.text) << c.reminder;
  }
}

TEST(AppointmentTextTest, DurationInMinutesThenHoursAndMinutes) {
  const struct {
    long duration;
    const char* text;
  } cases[] = {
      {1, "1 Minute"},
      {0, "0 Minute"},
      {-30, "-30 Minute"},
      {2, "2 Minutes"},
      {60, "60 Minutes"},
      {61, "1 Hour 1 Minute"},
      {62, "1 Hour 2 Minutes"},
      {90, "1 Hour 30 Minutes"},
      {119, "1 Hour 59 Minutes"},
      {120, "2 Hours"},
      {121, "2 Hours 1 Minute"},
      {150, "2 Hours 30 Minutes"},
      {181, "3 Hours 1 Minute"},
      {1440, "24 Hours"},
      {INT_MAX, "35791394 Hours 7 Minutes"},
      {INT_MIN, "-2147483648 Minute"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithNumbers(0, c.duration, 0, 2).GetDurationString(), c.text) << c.duration;
  }
}

TEST(AppointmentTextTest, IndexAndRecurringMark) {
  for (int index : {42, -1, 0, INT_MIN}) {
    EXPECT_EQ(WithNumbers(index, 0, 0, 2).GetOutlookIndexStr(), std::to_string(index).c_str());
  }
  EXPECT_EQ(WithNumbers(0, 0, 0, 2).GetRecurringStr(), "");
  const COleDateTime pattern(2003, 1, 6, 9, 0, 0);
  CAppointment recurring(0, "", "", "", "", "", pattern, pattern, 0, 0, 0, 2, pattern, "", 1, 1, 0,
                         0, pattern, pattern, 0, 2);
  EXPECT_EQ(recurring.GetRecurringStr(), "R");
}

TEST(AppointmentTextTest, DateTimesAsFormatWritesThem) {
  CAppointment empty;
  const CString zero = COleDateTime().Format();
  EXPECT_EQ(zero, "12:00:00 AM");
  EXPECT_EQ(empty.GetStartTimeString(), zero);
  EXPECT_EQ(empty.GetEndTimeString(), zero);
  EXPECT_EQ(empty.GetExpiresString(), zero);

  CAppointment appointment = WithNumbers(0, 0, 0, 2);
  appointment.GetEndTime().SetStatus(COleDateTime::invalid);
  appointment.GetExpires().SetStatus(COleDateTime::null);
  EXPECT_EQ(appointment.GetStartTimeString(), "4/14/2003 3:56:57 PM");
  EXPECT_EQ(appointment.GetEndTimeString(), "Invalid DateTime");
  EXPECT_EQ(appointment.GetExpiresString(), "");
  appointment.GetEndTime().SetStatus(COleDateTime::valid);
  EXPECT_EQ(appointment.GetEndTimeString(), "4/14/2003");  // midnight: the date alone
}

}  // namespace
}  // namespace dayweave
