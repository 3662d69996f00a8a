#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <memory>

namespace dayweave {
namespace {

const COleDateTime kStart(2003, 4, 14, 10, 0, 0);
const COleDateTime kEnd(2003, 4, 14, 11, 0, 0);
const COleDateTime kExpires(2003, 5, 1, 0, 0, 0);

// Every argument distinct, so that a swapped position shows.
CAppointment OneOff() {
  return CAppointment(42, "subject", "body", "location", "required", "optional", kStart, kEnd, 90,
                      1, 15, 2, kExpires, "attribute");
}

// Positions 1 to 14 as OneOff, then a rule.
CAppointment Recurring(int type, int interval, long instance, int ends,
                       const COleDateTime& patternStart, const COleDateTime& patternEnd,
                       long dayOfMonth, int days) {
  return CAppointment(42, "subject", "body", "location", "required", "optional", kStart, kEnd, 90,
                      1, 15, 2, kExpires, "attribute", type, interval, instance, ends, patternStart,
                      patternEnd, dayOfMonth, days);
}

// Mondays from 6 January 2003, 09:00 to 10:00.
CAppointment WeeklyMonday() {
  return Recurring(1, 1, 0, 0, COleDateTime(2003, 1, 6, 9, 0, 0),
                   COleDateTime(2003, 1, 6, 10, 0, 0), 0, 2);
}

void ExpectOneOffFields(CAppointment& appointment) {
  EXPECT_EQ(appointment.GetOutlookIndex(), 42);
  EXPECT_EQ(appointment.GetSubject(), "subject");
  EXPECT_EQ(appointment.GetBody(), "body");
  EXPECT_EQ(appointment.GetLocation(), "location");
  EXPECT_EQ(appointment.GetReqAttendees(), "required");
  EXPECT_EQ(appointment.GetOptAttendees(), "optional");
  EXPECT_EQ(appointment.GetStartTime(), kStart);
  EXPECT_EQ(appointment.GetEndTime(), kEnd);
  EXPECT_EQ(appointment.GetDuration(), 90);
  EXPECT_EQ(appointment.IsReminder(), 1);
  EXPECT_EQ(appointment.GetReminder(), 15);
  EXPECT_EQ(appointment.GetApptStatus(), 2);
  EXPECT_EQ(appointment.GetExpires(), kExpires);
  EXPECT_EQ(appointment.GetAttribute(), "attribute");
}

TEST(AppointmentTest, DefaultAppointmentIsEmpty) {
  CAppointment empty;
  for (CString* text :
       {&empty.GetSubject(), &empty.GetBody(), &empty.GetLocation(), &empty.GetReqAttendees(),
        &empty.GetOptAttendees(), &empty.GetAttribute()}) {
    EXPECT_TRUE(text->IsEmpty());
  }
  for (COleDateTime* time : {&empty.GetStartTime(), &empty.GetEndTime(), &empty.GetExpires()}) {
    EXPECT_EQ(time->m_dt, 0.0);
    EXPECT_EQ(time->GetStatus(), COleDateTime::valid);
  }
  EXPECT_EQ(empty.IsRecurring(), 0);
  EXPECT_EQ(empty.GetOutlookIndex(), 0);
  EXPECT_EQ(empty.GetApptStatus(), 0);
  EXPECT_EQ(empty.GetDuration(), 0);
  EXPECT_EQ(empty.GetReminder(), 0);
  EXPECT_EQ(empty.IsReminder(), 0);
  EXPECT_EQ(empty.OccursOn(30, 12, 1899), 1);  // the date of its zero start time
}

TEST(AppointmentTest, OneOffStoresEachArgumentInItsPlace) {
  CAppointment appointment = OneOff();
  ExpectOneOffFields(appointment);
  EXPECT_EQ(appointment.IsRecurring(), 0);

  // Numbers are kept as given, whatever the times say; a long keeps its low 32 bits.
  COleDateTime invalid;
  invalid.SetDate(2003, 2, 30);
  CAppointment odd(-1, "", "", "", "", "", kEnd, invalid, (1L << 32) + 5, -7, -30, 9, invalid, "");
  EXPECT_EQ(odd.GetOutlookIndex(), -1);
  EXPECT_EQ(odd.GetDuration(), 5);
  EXPECT_EQ(odd.IsReminder(), -7);
  EXPECT_EQ(odd.GetReminder(), -30);
  EXPECT_EQ(odd.GetApptStatus(), 9);
  EXPECT_EQ(odd.GetEndTime().GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(odd.GetExpires().GetStatus(), COleDateTime::invalid);
}

TEST(AppointmentTest, RecurringConstructorBuildsItsRule) {
  // Daily from 14 April 2003 09:30:15 to 20 April 2003, the window ending at 10:00.
  CAppointment daily = Recurring(0, 1, 0, 1, COleDateTime(2003, 4, 14, 9, 30, 15),
                                 COleDateTime(2003, 4, 20, 10, 0, 0), 0, 0);
  ExpectOneOffFields(daily);
  EXPECT_EQ(daily.IsRecurring(), 1);
  EXPECT_EQ(daily.OccursOn(13, 4, 2003), 0);
  EXPECT_EQ(daily.OccursOn(14, 4, 2003), 1);  // the pattern start's date, at midnight
  EXPECT_EQ(daily.OccursOn(20, 4, 2003), 1);
  EXPECT_EQ(daily.OccursOn(21, 4, 2003), 0);
  const struct {
    int hour, minute, second, free;
  } window[] = {{9, 30, 14, 1}, {9, 30, 15, 0}, {9, 59, 59, 0}, {10, 0, 0, 1}};
  for (const auto& w : window) {
    EXPECT_EQ(daily.IsFree(COleDateTime(2003, 4, 17, w.hour, w.minute, w.second)), w.free)
        << w.hour << ":" << w.minute << ":" << w.second;
  }
  // The appointment's own start and end take no part.
  EXPECT_EQ(daily.IsFree(kStart), 1);

  // Positions 15 to 22 each reach the rule in their place.
  const COleDateTime from(2003, 1, 1, 9, 0, 0);
  const COleDateTime to(2003, 12, 31, 10, 0, 0);
  const struct {
    const char* what;
    CAppointment appointment;
    int occurs[3], doesNot[3];  // day, month, year
  } cases[] = {
      {"every second week on Wednesday",
       Recurring(1, 2, 3, 0, from, to, 5, 8),
       {15, 1, 2003},
       {8, 1, 2003}},
      {"third weekday of the month",
       Recurring(3, 1, 3, 0, from, to, 5, 62),
       {3, 1, 2003},
       {5, 1, 2003}},
      {"the 5th of every third month",
       Recurring(2, 3, 2, 0, from, to, 5, 0),
       {5, 4, 2003},
       {5, 2, 2003}},
      {"ends applies at the pattern end's date",
       Recurring(0, 1, 0, 1, from, to, 0, 0),
       {31, 12, 2003},
       {1, 1, 2004}},
      {"ends 0 ignores it", Recurring(0, 1, 0, 0, from, to, 0, 0), {1, 1, 2004}, {31, 12, 2002}},
  };
  for (auto& c : cases) {
    EXPECT_EQ(c.appointment.OccursOn(c.occurs[0], c.occurs[1], c.occurs[2]), 1) << c.what;
    EXPECT_EQ(c.appointment.OccursOn(c.doesNot[0], c.doesNot[1], c.doesNot[2]), 0) << c.what;
  }
}

TEST(AppointmentTest, InvalidPatternTimesReachTheRuleAsMinusOnes) {
  COleDateTime invalid;
  invalid.SetDate(2003, 2, 30);
  const COleDateTime start(2003, 4, 14, 9, 0, 0);
  const COleDateTime end(2003, 4, 14, 10, 0, 0);

  // An invalid pattern end gives the rule an end time of 00:00, so its window holds nothing,
  // and an end date of 30 December 1899, which counts once the rule ends.
  CAppointment endless = Recurring(0, 1, 0, 0, start, invalid, 0, 0);
  CAppointment ended = Recurring(0, 1, 0, 1, start, invalid, 0, 0);
  EXPECT_EQ(endless.OccursOn(15, 4, 2003), 1);
  EXPECT_EQ(ended.OccursOn(15, 4, 2003), 0);
  for (int hour = 0; hour < 24; ++hour) {
    EXPECT_EQ(endless.IsFree(COleDateTime(2003, 4, 15, hour, 0, 0)), 1) << hour;
  }

  // An invalid pattern start gives a window from 00:00 and a start date of 30 December 1899.
  CAppointment fromDayZero = Recurring(0, 1, 0, 0, invalid, end, 0, 0);
  EXPECT_EQ(fromDayZero.OccursOn(30, 12, 1899), 1);
  EXPECT_EQ(fromDayZero.OccursOn(29, 12, 1899), 0);
  EXPECT_EQ(fromDayZero.IsFree(COleDateTime(2003, 4, 15, 0, 0, 0)), 0);
  EXPECT_EQ(fromDayZero.IsFree(COleDateTime(2003, 4, 15, 10, 0, 0)), 1);
}

TEST(AppointmentTest, ReferenceGettersWriteThrough) {
  CAppointment appointment = OneOff();
  appointment.GetSubject() = "new subject";
  appointment.GetBody() += "!";
  appointment.GetLocation() = "";
  appointment.GetReqAttendees() = "ann";
  appointment.GetOptAttendees() = "bob";
  appointment.GetAttribute() = "x";
  appointment.GetStartTime() = COleDateTime(2003, 4, 15, 10, 0, 0);
  appointment.GetEndTime() += COleDateTimeSpan(1.0);
  appointment.GetExpires().SetStatus(COleDateTime::invalid);
  EXPECT_EQ(appointment.GetSubject(), "new subject");
  EXPECT_EQ(appointment.GetBody(), "body!");
  EXPECT_TRUE(appointment.GetLocation().IsEmpty());
  EXPECT_EQ(appointment.GetReqAttendees(), "ann");
  EXPECT_EQ(appointment.GetOptAttendees(), "bob");
  EXPECT_EQ(appointment.GetAttribute(), "x");
  EXPECT_EQ(appointment.GetEndTime(), COleDateTime(2003, 4, 15, 11, 0, 0));
  EXPECT_EQ(appointment.GetExpires().GetStatus(), COleDateTime::invalid);
  // The questions see the changed times.
  EXPECT_EQ(appointment.OccursOn(15, 4, 2003), 1);
  EXPECT_EQ(appointment.IsFree(COleDateTime(2003, 4, 15, 10, 30, 0)), 0);
}

TEST(AppointmentTest, CopiesOwnTheirRules) {
  const COleDateTime monday930(2003, 1, 13, 9, 30, 0);
  auto source = std::make_unique<CAppointment>(WeeklyMonday());
  const CAppointment copy(*source);
  CAppointment assigned = OneOff();
  assigned = *source;
  source.reset();  // the copies outlive their source
  for (const CAppointment* a : {&copy, static_cast<const CAppointment*>(&assigned)}) {
    EXPECT_EQ(a->IsRecurring(), 1);
    EXPECT_EQ(a->OccursOn(13, 1, 2003), 1);
    EXPECT_EQ(a->OccursOn(14, 1, 2003), 0);
    EXPECT_EQ(a->IsFree(monday930), 0);
    EXPECT_EQ(a->IsFree(monday930, 30), 0);
  }

  // A copy of a copy, then the middle one destroyed.
  auto middle = std::make_unique<CAppointment>(copy);
  const CAppointment last(*middle);
  middle.reset();
  EXPECT_EQ(last.IsFree(monday930), 0);

  // One-off over recurring: the rule goes, the one-off answers from its own times.
  CAppointment target = WeeklyMonday();
  target = OneOff();
  EXPECT_EQ(target.IsRecurring(), 0);
  EXPECT_EQ(target.OccursOn(13, 1, 2003), 0);
  EXPECT_EQ(target.OccursOn(14, 4, 2003), 1);
  EXPECT_EQ(target.IsFree(monday930), 1);

  // Recurring over recurring and over one-off.
  CAppointment daily = Recurring(0, 1, 0, 0, COleDateTime(2003, 1, 1, 9, 0, 0),
                                 COleDateTime(2003, 1, 1, 10, 0, 0), 0, 0);
  daily = WeeklyMonday();
  EXPECT_EQ(daily.OccursOn(14, 1, 2003), 0);
  target = daily;
  EXPECT_EQ(target.IsRecurring(), 1);
  EXPECT_EQ(target.OccursOn(20, 1, 2003), 1);

  // Assignment to itself changes nothing, rule included.
  CAppointment& alias = target;
  target = alias;
  EXPECT_EQ(target.IsRecurring(), 1);
  EXPECT_EQ(target.IsFree(monday930), 0);
  ExpectOneOffFields(target);
  CAppointment oneOff = OneOff();
  CAppointment& oneOffAlias = oneOff;
  oneOff = oneOffAlias;
  ExpectOneOffFields(oneOff);
  EXPECT_EQ(oneOff.IsRecurring(), 0);

  // A chain of assignments, and a copy of a one-off.
  CAppointment a, b;
  a = b = WeeklyMonday();
  EXPECT_EQ(a.IsFree(monday930), 0);
  EXPECT_EQ(b.IsFree(monday930), 0);
  CAppointment oneOffCopy(oneOff);
  EXPECT_EQ(oneOffCopy.IsRecurring(), 0);
  EXPECT_EQ(oneOffCopy.GetSubject(), "subject");
}

}  // namespace
}  // namespace dayweave
