#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <climits>
#include <iomanip>
#include <sstream>
#include <string>

#include "tests/test_tables.h"

namespace dayweave {
namespace {

CAppointment WithNumbers(int outlookIndex, long duration, long reminder, int status) {
  return CAppointment(outlookIndex, "", "", "", "", "", COleDateTime(2003, 4, 14, 15, 56, 57),
                      COleDateTime(2003, 4, 14, 0, 0, 0), duration, 1, reminder, status,
                      COleDateTime(0.0), "");
}

TEST(AppointmentTextTest, NumbersAsWords) {
  EXPECT_EQ(WithNumbers(-1, 0, 0, 2).GetOutlookIndexStr(), "-1");
  EXPECT_EQ(WithNumbers(INT_MIN, 0, 0, 2).GetOutlookIndexStr(), "-2147483648");
  for (std::istringstream& row : TestRows("appointment/testdata/number_texts.txt")) {
    SCOPED_TRACE(row.str());
    std::string kind, text, duration;
    long number = 0;
    ASSERT_TRUE(row >> kind >> number >> std::quoted(text));
    if (kind == "status") {
      EXPECT_EQ(WithNumbers(0, 0, 0, static_cast<int>(number)).GetApptStatusString(), text);
    } else {
      ASSERT_TRUE(row >> std::quoted(duration));
      EXPECT_EQ(WithNumbers(0, 0, number, 2).GetReminderString(), text);
      EXPECT_EQ(WithNumbers(0, number, 0, 2).GetDurationString(), duration);
    }
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
