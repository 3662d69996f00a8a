#include "dayweave/time_slot.h"

#include <gtest/gtest.h>

namespace dayweave {
namespace {

// Day counts worked out by hand: 14 April 2003 is day 37725 after 30 December 1899 and
// 1 January 1000 is day -328716 (both checked once against Python's datetime).
constexpr double kApril14 = 37725.0;
constexpr double kReferenceDay = -328716.0;

// 14 April 2003 at hour:minute, or 15 April 2003 when `nextDay`.
COleDateTime April14(int hour, int minute = 0, bool nextDay = false) {
  return COleDateTime(2003, 4, nextDay ? 15 : 14, hour, minute, 0);
}

CTimeSlot Absolute(int fromHour, int toHour) {
  return CTimeSlot(April14(fromHour), April14(toHour));
}

CTimeSlot Relative(int fromHour, int toHour, unsigned int days = 0) {
  CTimeSlot slot = Absolute(fromHour, toHour);
  slot.AddDays(days);
  slot.SetSlotType(0);
  return slot;
}

// Hour and minute of a value that must lie on the reference day.
void ExpectOnReferenceDay(const COleDateTime& when, int hour, int minute) {
  EXPECT_EQ(when.GetYear(), 1000);
  EXPECT_EQ(when.GetMonth(), 1);
  EXPECT_EQ(when.GetDay(), 1);
  EXPECT_EQ(when.GetHour(), hour);
  EXPECT_EQ(when.GetMinute(), minute);
}

TEST(TimeSlotTest, DefaultSlotIsAnInvalidEmptyAbsoluteSlot) {
  const CTimeSlot slot;
  EXPECT_EQ(slot.IsAbsolute(), 1);
  EXPECT_EQ(slot.IsRelative(), 0);
  EXPECT_EQ(slot.GetSlotType(), 1);
  EXPECT_EQ(slot.IsValid(), 0);
  EXPECT_EQ(slot.GetDuration(), 0);
  EXPECT_EQ(slot.GetDays(), 0);
  EXPECT_EQ(slot.GetStartTime().m_dt, 0.0);
  EXPECT_EQ(slot.GetEndTime().m_dt, 0.0);
  EXPECT_EQ(slot.GetStartTime().GetStatus(), COleDateTime::valid);
  EXPECT_EQ(slot.GetEndTime().GetStatus(), COleDateTime::valid);
}

TEST(TimeSlotTest, ConstructorsFromValues) {
  const CTimeSlot spanned(April14(9), April14(17));
  EXPECT_EQ(spanned.GetDuration(), 480);
  EXPECT_EQ(spanned.IsValid(), 1);
  EXPECT_EQ(spanned.IsAbsolute(), 1);

  const CTimeSlot matching(April14(9), April14(17), 480);
  EXPECT_EQ(matching.IsValid(), 1);
  const CTimeSlot mismatched(April14(9), April14(17), 479);
  EXPECT_EQ(mismatched.IsValid(), 0);
  EXPECT_EQ(mismatched.GetDuration(), 479);
  EXPECT_EQ(mismatched.GetEndTime(), April14(17));

  const CTimeSlot ninety(April14(9), 90);
  EXPECT_DOUBLE_EQ(ninety.GetEndTime().m_dt, kApril14 + 10.5 / 24);
  EXPECT_EQ(ninety.GetEndTime().GetHour(), 10);
  EXPECT_EQ(ninety.GetEndTime().GetMinute(), 30);
  EXPECT_EQ(ninety.GetDuration(), 90);
  EXPECT_EQ(ninety.IsValid(), 1);

  const CTimeSlot backwards(April14(17), April14(9));
  EXPECT_EQ(backwards.GetDuration(), -480);
  EXPECT_EQ(backwards.IsValid(), 1);
}

TEST(TimeSlotTest, DurationsRoundHalfASecondAwayFromZero) {
  const double nine = kApril14 + 0.375;
  struct Case {
    double seconds;
    int minutes;
  } cases[] = {{59.6, 1}, {59.4, 0}, {-59.6, -1}, {90, 1}, {119.6, 2}, {0, 0}, {-0.4, 0}};
  for (const Case& c : cases) {
    const CTimeSlot slot(COleDateTime(nine), COleDateTime(nine + c.seconds / 86400));
    EXPECT_EQ(slot.GetDuration(), c.minutes) << c.seconds;
  }
}

TEST(TimeSlotTest, SingleFieldSettersChangeNothingElse) {
  CTimeSlot slot(April14(9), April14(17));
  slot.AddDays(2u);
  slot.SetStartTime(April14(10));
  EXPECT_EQ(slot.GetStartTime(), April14(10));
  EXPECT_EQ(slot.GetDuration(), 480);
  EXPECT_EQ(slot.IsValid(), 1);
  slot.SetEndTime(April14(11));
  slot.SetTimeSlot(April14(12), April14(13));
  EXPECT_EQ(slot.GetStartTime(), April14(12));
  EXPECT_EQ(slot.GetEndTime(), April14(13));
  EXPECT_EQ(slot.GetDuration(), 480);
  slot.SetDuration(7);
  slot.SetValidity(5);
  EXPECT_EQ(slot.GetDuration(), 7);
  EXPECT_EQ(slot.IsValid(), 5);
  EXPECT_EQ(slot.GetDays(), 2);
  EXPECT_EQ(slot.GetEndTime(), April14(13));
}

TEST(TimeSlotTest, AbsoluteSettersEmptyTheDaysAndSetTheFlag) {
  struct Case {
    const char* name;
    void (*set)(CTimeSlot&);
    int duration, valid;
    double endHours;
  } cases[] = {
      {"SetTimeSlot(start, end, 7)",
       [](CTimeSlot& s) { s.SetTimeSlot(April14(9), April14(12), 7); }, 180, 7, 12},
      {"SetTimeSlotValid match",
       [](CTimeSlot& s) { s.SetTimeSlotValid(April14(9), April14(12), 180); }, 180, 1, 12},
      {"SetTimeSlotValid mismatch",
       [](CTimeSlot& s) { s.SetTimeSlotValid(April14(9), April14(12), 181); }, 181, 0, 12},
      {"SetTimeSlot(start, 45, 0)", [](CTimeSlot& s) { s.SetTimeSlot(April14(9), 45, 0); }, 45, 0,
       9.75},
      {"SetTimeSlot(start, 45)", [](CTimeSlot& s) { s.SetTimeSlot(April14(9), 45); }, 45, 1, 9.75},
      {"SetTimeSlot(start, -60)", [](CTimeSlot& s) { s.SetTimeSlot(April14(9), -60); }, -60, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTimeSlot slot = Relative(13, 15, 2 | 8);
    c.set(slot);
    EXPECT_EQ(slot.IsAbsolute(), 1);
    EXPECT_EQ(slot.GetDays(), 0);
    EXPECT_EQ(slot.GetDuration(), c.duration);
    EXPECT_EQ(slot.IsValid(), c.valid);
    EXPECT_EQ(slot.GetStartTime(), April14(9));
    EXPECT_DOUBLE_EQ(slot.GetEndTime().m_dt, kApril14 + c.endHours / 24);
  }
}

TEST(TimeSlotTest, RelativeSlotsLieOnTheReferenceDay) {
  struct Case {
    COleDateTime start, end;
    double startCount, endCount;
    int duration;
  } cases[] = {
      {April14(9), April14(17), kReferenceDay - 9.0 / 24, kReferenceDay - 17.0 / 24, 480},
      {April14(22), April14(2, 0, true), kReferenceDay - 22.0 / 24, kReferenceDay - 2.0 / 24,
       -1200},
      {April14(0), COleDateTime(2003, 4, 14, 23, 59, 59), kReferenceDay,
       kReferenceDay - 86399.0 / 86400, 1439},
      {COleDateTime(2003, 4, 14, 8, 15, 30), COleDateTime(2003, 4, 14, 10, 45, 30),
       kReferenceDay - 29730.0 / 86400, kReferenceDay - 38730.0 / 86400, 150},
  };
  for (const Case& c : cases) {
    CTimeSlot slot(c.start, c.end);
    slot.SetDays(2u | 8u);
    slot.SetValidity(3);
    slot.SetSlotType(0);
    SCOPED_TRACE(c.duration);
    EXPECT_EQ(slot.IsRelative(), 1);
    EXPECT_DOUBLE_EQ(slot.GetStartTime().m_dt, c.startCount);
    EXPECT_DOUBLE_EQ(slot.GetEndTime().m_dt, c.endCount);
    EXPECT_EQ(slot.GetDuration(), c.duration);
    EXPECT_EQ(slot.GetDays(), 2 | 8);
    EXPECT_EQ(slot.IsValid(), 3);

    // Back to absolute: the days go, the times stay on the reference day.
    slot.SetSlotType(1);
    EXPECT_EQ(slot.GetDays(), 0);
    EXPECT_EQ(slot.GetStartTime().GetYear(), 1000);
    EXPECT_EQ(slot.GetDuration(), c.duration);
  }
}

TEST(TimeSlotTest, OtherSlotTypesAreKeptAndChangeNothing) {
  CTimeSlot slot(April14(9), April14(17));
  slot.AddDays(4u);
  slot.SetSlotType(2);
  EXPECT_EQ(slot.GetSlotType(), 2);
  EXPECT_EQ(slot.IsRelative(), 0);
  EXPECT_EQ(slot.IsAbsolute(), 0);
  EXPECT_EQ(slot.GetDays(), 4);
  EXPECT_EQ(slot.GetStartTime(), April14(9));
  EXPECT_EQ(slot.GetDuration(), 480);
}

TEST(TimeSlotTest, RelativeConversionOfAnUnreadableTimeIsInvalid) {
  CTimeSlot slot(April14(9), April14(17));
  COleDateTime bad;
  bad.SetDateTime(2003, 2, 30, 0, 0, 0);
  slot.SetStartTime(bad);
  slot.SetSlotType(0);
  EXPECT_EQ(slot.GetStartTime().GetStatus(), COleDateTime::invalid);
  ExpectOnReferenceDay(slot.GetEndTime(), 17, 0);
}

TEST(TimeSlotTest, SetAttributes) {
  const CDay monday(2);
  CTimeSlot absolute(April14(9), April14(17));
  absolute.SetAttributes(1, 1, &monday);
  EXPECT_EQ(absolute.GetDays(), 0);
  EXPECT_EQ(absolute.IsAbsolute(), 1);
  EXPECT_EQ(absolute.GetStartTime(), April14(9));

  CTimeSlot relative(April14(9), April14(17));
  relative.SetAttributes(0, 0, &monday);
  EXPECT_EQ(relative.GetDays(), 2);
  EXPECT_EQ(relative.IsRelative(), 1);
  EXPECT_EQ(relative.IsValid(), 0);
  ExpectOnReferenceDay(relative.GetStartTime(), 9, 0);
  EXPECT_EQ(relative.GetDuration(), 480);
}

TEST(TimeSlotTest, EqualityLooksAtEveryFieldButStatus) {
  const CTimeSlot base(April14(9), April14(17));
  struct Case {
    const char* change;
    void (*apply)(CTimeSlot&);
    int equal, rangeEqual;
  } cases[] = {
      {"nothing", [](CTimeSlot&) {}, 1, 1},
      {"validity", [](CTimeSlot& s) { s.SetValidity(0); }, 0, 1},
      {"duration", [](CTimeSlot& s) { s.SetDuration(479); }, 0, 0},
      {"start", [](CTimeSlot& s) { s.SetStartTime(April14(8)); }, 0, 0},
      {"end", [](CTimeSlot& s) { s.SetEndTime(April14(18)); }, 0, 0},
      {"type", [](CTimeSlot& s) { s.SetSlotType(2); }, 0, 1},
      {"days", [](CTimeSlot& s) { s.AddDays(1u); }, 0, 1},
      {"a bit above the days", [](CTimeSlot& s) { s.AddDays(128u); }, 0, 1},
      {"start status",
       [](CTimeSlot& s) {
         COleDateTime start = s.GetStartTime();
         start.SetStatus(COleDateTime::invalid);
         s.SetStartTime(start);
       },
       1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    CTimeSlot other(base);
    c.apply(other);
    EXPECT_EQ(base == other, c.equal);
    EXPECT_EQ(other == base, c.equal);
    EXPECT_EQ(base.IsTimeRangeEqual(other), c.rangeEqual);
    EXPECT_EQ(base.IsTimeRangeEqual(&other), c.rangeEqual);
  }
}

TEST(TimeSlotTest, ContainsIsInclusiveAndOverLapsIsStaggeredOnly) {
  struct Case {
    const char* name;
    CTimeSlot a, b;
    int aContainsB, bContainsA, overlap;
  } cases[] = {
      {"equal", Absolute(9, 17), Absolute(9, 17), 1, 1, 0},
      {"inside", Absolute(9, 17), Absolute(10, 11), 1, 0, 0},
      {"shared start", Absolute(9, 17), Absolute(9, 12), 1, 0, 0},
      {"shared end", Absolute(9, 12), Absolute(10, 12), 1, 0, 0},
      {"staggered", Absolute(9, 12), Absolute(11, 14), 0, 0, 1},
      {"staggered early", Absolute(9, 17), Absolute(8, 10), 0, 0, 1},
      {"touching", Absolute(9, 12), Absolute(12, 14), 0, 0, 0},
      {"apart", Absolute(9, 10), Absolute(11, 12), 0, 0, 0},
      {"relative inside", Relative(9, 17), Relative(10, 11), 1, 0, 0},
      {"relative staggered", Relative(9, 12), Relative(11, 14), 0, 0, 1},
      {"relative touching", Relative(9, 12), Relative(12, 14), 0, 0, 0},
      {"relative before absolute", Relative(9, 17), Absolute(10, 11), 0, 0, 0},
      {"relative and absolute, same hours", Relative(9, 12), Absolute(9, 12), 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.a.Contains(c.b), c.aContainsB);
    EXPECT_EQ(c.a.Contains(&c.b), c.aContainsB);
    EXPECT_EQ(c.b.Contains(c.a), c.bContainsA);
    EXPECT_EQ(c.b.Contains(&c.a), c.bContainsA);
    EXPECT_EQ(c.a.OverLaps(c.b), c.overlap);
    EXPECT_EQ(c.a.OverLaps(&c.b), c.overlap);
    EXPECT_EQ(c.b.OverLaps(c.a), c.overlap);
    EXPECT_EQ(c.b.OverLaps(&c.b), 0);
  }
}

TEST(TimeSlotTest, SumSpansBothOperands) {
  struct Case {
    const char* name;
    CTimeSlot a, b;
    bool relative;
    int startHour, endHour, duration, valid, days;
  } cases[] = {
      {"relative + relative", Relative(9, 12, 2), Relative(11, 14, 8), true, 9, 14, 300, 1, 10},
      {"relative + relative swapped", Relative(11, 14, 8), Relative(9, 12, 2), true, 9, 14, 300, 1,
       10},
      {"absolute + absolute", Absolute(9, 12), Absolute(11, 14), false, 9, 14, 0, 0, 0},
      {"absolute inside absolute", Absolute(9, 17), Absolute(10, 11), false, 9, 17, 0, 0, 0},
      {"relative + absolute", Relative(9, 12, 2), Absolute(11, 14), true, 9, 14, 300, 1, 2},
      {"absolute + relative", Absolute(11, 14), Relative(9, 12, 2), true, 9, 14, 300, 1, 2},
      // The relative start (year 1000) is the earlier; the absolute end is the later.
      {"relative + late absolute", Relative(15, 16, 1), Absolute(10, 11), true, 15, 11, -240, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CTimeSlot a(c.a), b(c.b);
    CTimeSlot& sum = c.a + c.b;
    EXPECT_EQ(sum.IsRelative(), c.relative ? 1 : 0);
    EXPECT_EQ(sum.IsAbsolute(), c.relative ? 0 : 1);
    EXPECT_EQ(sum.GetStartTime().GetHour(), c.startHour);
    EXPECT_EQ(sum.GetEndTime().GetHour(), c.endHour);
    EXPECT_EQ(sum.GetStartTime().GetYear(), c.relative ? 1000 : 2003);
    EXPECT_EQ(sum.GetEndTime().GetYear(), c.relative ? 1000 : 2003);
    EXPECT_EQ(sum.GetDuration(), c.duration);
    EXPECT_EQ(sum.IsValid(), c.valid);
    EXPECT_EQ(sum.GetDays(), c.days);
    EXPECT_EQ(c.a == a, 1);  // neither operand changed
    EXPECT_EQ(c.b == b, 1);
    EXPECT_NE(&sum, &c.a);
    EXPECT_NE(&sum, &c.b);
    delete &sum;
  }
}

TEST(TimeSlotTest, CopyAndAssignmentTakeEveryValue) {
  CTimeSlot source(April14(9), April14(17), 479);
  source.AddDays(129u);
  source.SetSlotType(2);
  const CTimeSlot copy(source);
  EXPECT_EQ(copy == source, 1);
  CTimeSlot assigned;
  CTimeSlot& result = (assigned = source);
  EXPECT_EQ(&result, &assigned);
  EXPECT_EQ(assigned == source, 1);
  EXPECT_EQ(assigned.GetSlotType(), 2);
  EXPECT_EQ(assigned.GetDays(), 129);
  EXPECT_EQ(assigned.GetDuration(), 479);
}

// Counts its own destructions, to see that deleting through either base reaches the slot.
class CountedSlot : public CTimeSlot {
 public:
  explicit CountedSlot(int& deaths) : m_deaths(deaths) {}
  ~CountedSlot() override { ++m_deaths; }

 private:
  int& m_deaths;
};

TEST(TimeSlotTest, DestroyedThroughEitherBase) {
  int deaths = 0;
  CObject* object = new CountedSlot(deaths);
  delete object;
  EXPECT_EQ(deaths, 1);
  CDay* days = new CountedSlot(deaths);
  delete days;
  EXPECT_EQ(deaths, 2);
}

}  // namespace
}  // namespace dayweave
