// The opening example of every public header, run as written there, with the answer its
// comment states. A change that makes a header's example wrong fails here.
#include <gtest/gtest.h>

#include <dayweave/dayweave.h>

namespace dayweave {
namespace {

TEST(HeaderExamplesTest, Appointment) {
  const COleDateTime ten(2003, 4, 14, 10, 0, 0), eleven(2003, 4, 14, 11, 0, 0);
  CAppointment review(7, "Review", "", "Room 2", "", "", ten, eleven, 60, 0, 0, 2, ten, "");
  EXPECT_EQ(review.IsFree(COleDateTime(2003, 4, 14, 10, 30, 0)), 0);
}

TEST(HeaderExamplesTest, DateTimeAndSpan) {
  COleDateTime when(2003, 4, 14, 15, 56, 57);
  EXPECT_EQ(when.Format(), "4/14/2003 3:56:57 PM");
  EXPECT_EQ(COleDateTime(1000, 1, 1, 9, 0, 0).m_dt, -328716.375);
  COleDateTimeSpan ninety(0, 1, 30, 0);
  EXPECT_EQ(ninety.GetWholeMinutes(), 90);
}

TEST(HeaderExamplesTest, DayAndUmbrella) {
  CDay meetings(2 | 8);
  EXPECT_EQ(meetings.ContainsMFCDays(4), 1);
  dayweave::COleDateTime when(2003, 1, 13, 9, 30, 0);
  EXPECT_EQ(when.GetDayOfWeek(), 2);
}

TEST(HeaderExamplesTest, ObjectArrayAndTexts) {
  CObArray objects;
  int where = objects.Add(new CTimeSlot());
  EXPECT_EQ(where, 0);
  delete objects.GetAt(where);
  CStringArray names;
  EXPECT_EQ(names.Add("free"), 0);
  CString status("Busy");
  status += " until 5 PM";
  EXPECT_EQ(status.GetLength(), 15);
  CString n;
  n.Format("%d Minutes", 15);
  EXPECT_EQ(n, "15 Minutes");
}

TEST(HeaderExamplesTest, RecurrenceRules) {
  CRecurrenceData lastWeekday(kMonthlyByPosition);
  lastWeekday.SetInstance(kLastInstance);
  lastWeekday.SetDays(kWeekdayMask);
  EXPECT_EQ(lastWeekday.OccursOn(30, 5, 2003), 1);  // a Friday; the 31st is a Saturday
  EXPECT_EQ(lastWeekday.OccursOn(29, 5, 2003), 0);
  CRecurrenceData mondays(kWeekly);
  mondays.SetDays(DayBit(2));
  mondays.SetStartDate(2003, 1, 6);
  EXPECT_EQ(mondays.OccursOn(13, 1, 2003), 1);
}

TEST(HeaderExamplesTest, TimeSlot) {
  CTimeSlot work(COleDateTime(2003, 4, 14, 9, 0, 0), COleDateTime(2003, 4, 14, 17, 0, 0));
  EXPECT_EQ(work.GetDuration(), 480);
  EXPECT_EQ(work.IsValid(), 1);
  work.AddDays(2 | 8);
  work.SetSlotType(0);
  EXPECT_EQ(work.GetStartTime().Format() + " " + work.GetEndTime().Format(),
            "1/1/1000 9:00:00 AM 1/1/1000 5:00:00 PM");
  EXPECT_EQ(work.GetDuration(), 480);

  CTimeSlot sent("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480);
  EXPECT_EQ(sent.IsValid(), 1);
  EXPECT_EQ(sent.GetDuration(), 480);
  char minutes[] = "(90)";
  CTimeSlot a("(4/14/2003 9:00 AM)", "(90)", 1);
  CTimeSlot b("(4/14/2003 9:00 AM)", minutes, 1);
  for (const CTimeSlot* slot : {&a, &b}) {
    EXPECT_EQ(slot->GetStartTime(), COleDateTime(2003, 4, 14, 9, 0, 0));
    EXPECT_EQ(slot->GetEndTime().Format(), "4/14/2003 10:30:00 AM");
    EXPECT_EQ(slot->GetDuration(), 90);
    EXPECT_EQ(slot->IsValid(), 1);
  }
}

TEST(HeaderExamplesTest, TimeSlotStore) {
  CTimeSlotStore store;
  store.Add(new CTimeSlot("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480), "free", "a1");
  EXPECT_EQ(store.ToKQML(), "(tell :t1 (4/14/2003 9:00:00 AM))");

  CTimeSlotStore mixed;
  mixed.Add(new CTimeSlot(), "free");
  mixed.Add(new CTimeSlot(), "free", "x");
  EXPECT_EQ(mixed.GetID(0), "x");
  EXPECT_EQ(mixed.GetID(1), "");
}

}  // namespace
}  // namespace dayweave
