#include "dayweave/appointment.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "dayweave/recurrence_codes.h"

namespace dayweave {
namespace {

const COleDateTime kStart(2003, 4, 14, 10, 0, 0), kEnd(2003, 4, 14, 11, 0, 0);
const COleDateTime kExpires(2003, 5, 1, 0, 0, 0), k930(2003, 1, 13, 9, 30, 0);

// Every argument distinct, so that a swapped position shows.
CAppointment OneOff() {
  return CAppointment(42, "subject", "body", "location", "required", "optional", kStart, kEnd, 90,
                      1, 15, 2, kExpires, "attribute");
}

// Positions 1 to 14 as OneOff, then a rule from positions 15 to 22.
CAppointment Recurring(int type, int interval, long instance, int ends, const COleDateTime& from,
                       const COleDateTime& to, long dayOfMonth, int days) {
  return CAppointment(42, "subject", "body", "location", "required", "optional", kStart, kEnd, 90,
                      1, 15, 2, kExpires, "attribute", type, interval, instance, ends, from, to,
                      dayOfMonth, days);
}

// Mondays from 6 January 2003, 09:00 to 10:00.
CAppointment WeeklyMonday() {
  return Recurring(kWeekly, 1, 0, 0, {2003, 1, 6, 9, 0, 0}, {2003, 1, 6, 10, 0, 0}, 0, DayBit(2));
}

void ExpectOneOffFields(CAppointment& a) {
  EXPECT_EQ(std::make_tuple(a.GetOutlookIndex(), a.GetDuration(), a.IsReminder(), a.GetReminder(),
                            a.GetApptStatus()),
            std::make_tuple(42, 90, 1, 15, 2));
  EXPECT_EQ(a.GetSubject() + a.GetBody() + a.GetLocation() + a.GetReqAttendees() +
                a.GetOptAttendees() + a.GetAttribute(),
            "subjectbodylocationrequiredoptionalattribute");
  EXPECT_EQ(std::make_tuple(a.GetStartTime().m_dt, a.GetEndTime().m_dt, a.GetExpires().m_dt),
            std::make_tuple(kStart.m_dt, kEnd.m_dt, kExpires.m_dt));
}

TEST(AppointmentTest, ConstructorsStoreEachArgumentInItsPlace) {
  CAppointment empty;
  EXPECT_EQ(empty.GetSubject() + empty.GetBody() + empty.GetLocation() + empty.GetReqAttendees() +
                empty.GetOptAttendees() + empty.GetAttribute(),
            "");
  EXPECT_EQ(std::make_tuple(empty.GetStartTime().m_dt, empty.GetEndTime().m_dt,
                            empty.GetExpires().m_dt, empty.GetStartTime().GetStatus()),
            std::make_tuple(0.0, 0.0, 0.0, COleDateTime::valid));
  EXPECT_EQ(empty.IsRecurring(), 0);
  // The getters of texts and times hand out the fields themselves.
  empty.GetSubject() = "new subject";
  empty.GetStartTime() = COleDateTime(2003, 4, 15, 10, 0, 0);
  EXPECT_EQ(empty.GetSubject(), "new subject");
  EXPECT_EQ(empty.OccursOn(15, 4, 2003), 1);
}

TEST(AppointmentTest, RecurringConstructorBuildsItsRuleEvenFromInvalidTimes) {
  // The pattern's dates and the rule's fields are checked through the agent, against libical;
  // here the pattern's times of day, seconds included: a window from 09:30:15 to 10:00.
  CAppointment daily =
      Recurring(kDaily, 1, 0, 1, {2003, 4, 14, 9, 30, 15}, {2003, 4, 20, 10, 0, 0}, 0, 0);
  for (auto [hour, minute, second, free] :
       {std::tuple{9, 30, 14, 1}, {9, 30, 15, 0}, {9, 59, 59, 0}, {10, 0, 0, 1}}) {
    EXPECT_EQ(daily.IsFree(COleDateTime(2003, 4, 17, hour, minute, second)), free) << second;
  }

  const COleDateTime invalid(2003, 2, 30, 0, 0, 0), nine(2003, 4, 14, 9, 0, 0);
  // An invalid pattern end gives the rule an end time of 00:00, so its window holds nothing,
  // and an end date of 30 December 1899, which counts once the rule ends.
  EXPECT_EQ(Recurring(kDaily, 1, 0, 0, nine, invalid, 0, 0).OccursOn(15, 4, 2003), 1);
  EXPECT_EQ(Recurring(kDaily, 1, 0, 0, nine, invalid, 0, 0).IsFree({2003, 4, 15, 9, 30, 0}), 1);
  EXPECT_EQ(Recurring(kDaily, 1, 0, 1, nine, invalid, 0, 0).OccursOn(15, 4, 2003), 0);
  // An invalid pattern start gives a window from 00:00 and a start date of 30 December 1899.
  const CAppointment fromDayZero = Recurring(kDaily, 1, 0, 0, invalid, nine, 0, 0);
  EXPECT_EQ(fromDayZero.OccursOn(30, 12, 1899), 1);
  EXPECT_EQ(fromDayZero.OccursOn(29, 12, 1899), 0);
  EXPECT_EQ(fromDayZero.IsFree(COleDateTime(2003, 4, 15, 0, 0, 0)), 0);
}

TEST(AppointmentTest, CopiesOwnTheirRules) {
  auto source = std::make_unique<CAppointment>(WeeklyMonday());
  CAppointment copy(*source), assigned = OneOff();
  assigned = *source;
  source.reset();  // the copies outlive their source
  for (CAppointment* a : {&copy, &assigned}) {
    ExpectOneOffFields(*a);
    EXPECT_EQ(a->IsRecurring(), 1);
    EXPECT_EQ(a->OccursOn(14, 1, 2003), 0);
    EXPECT_EQ(a->IsFree(k930), 0);
  }
  // One-off over recurring: the rule goes, the one-off answers from its own times.
  CAppointment target = WeeklyMonday();
  target = OneOff();
  EXPECT_EQ(target.IsRecurring(), 0);
  EXPECT_EQ(target.IsFree(k930), 1);
  // Assignment to itself changes nothing, rule included.
  CAppointment& alias = copy;
  copy = alias;
  ExpectOneOffFields(copy);
  EXPECT_EQ(copy.IsFree(k930), 0);
}

}  // namespace
}  // namespace dayweave
