#include "dayweave/time_slot.h"

#include <gtest/gtest.h>

#include <tuple>
#include <type_traits>

namespace dayweave {
namespace {

// 14 April 2003 (another April day with `day`) and the reference day of relative slots.
COleDateTime At(int hour, int minute = 0, int day = 14) {
  return COleDateTime(2003, 4, day, hour, minute, 0);
}
COleDateTime Ref(int hour, int minute = 0) { return COleDateTime(1000, 1, 1, hour, minute, 0); }
COleDateTime Unreadable(COleDateTime value) {
  value.SetStatus(COleDateTime::invalid);
  return value;
}

// Slot type, validity flag, duration, day mask, start and end day counts.
using Fields = std::tuple<int, int, int, int, double, double>;
Fields Of(const CTimeSlot& s) {
  return std::make_tuple(s.GetSlotType(), s.IsValid(), s.GetDuration(), s.GetDays(),
                         s.GetStartTime().m_dt, s.GetEndTime().m_dt);
}
Fields Slot(int type, int valid, int duration, int days, COleDateTime start, COleDateTime end) {
  return {type, valid, duration, days, start.m_dt, end.m_dt};
}

CTimeSlot Absolute(int fromHour, int toHour) { return CTimeSlot(At(fromHour), At(toHour)); }
CTimeSlot Relative(int fromHour, int toHour, unsigned int days = 0) {
  CTimeSlot slot = Absolute(fromHour, toHour);
  slot.AddDays(days);
  slot.SetSlotType(0);
  return slot;
}

TEST(TimeSlotTest, ConstructorsAndAbsoluteSetters) {
  CTimeSlot relative = Relative(13, 15, 2 | 8);  // the absolute setters must empty its days
  CTimeSlot setValid(relative), setFlag(relative), setDefault(relative);
  setValid.SetTimeSlotValid(At(9), At(12), 181);
  setFlag.SetTimeSlot(At(9), At(12), 7);
  setDefault.SetTimeSlot(At(9), -60);
  CTimeSlot moved = Absolute(9, 17);  // a plain setter recomputes nothing
  moved.SetStartTime(At(10));
  CTimeSlot typeTwo = Absolute(9, 17);  // neither relative nor absolute: nothing else changes
  typeTwo.AddDays(129u);
  typeTwo.SetSlotType(2);
  const std::pair<CTimeSlot, Fields> cases[] = {
      {CTimeSlot(At(17), At(9)), Slot(1, 1, -480, 0, At(17), At(9))},
      {CTimeSlot(At(9), At(17), 479), Slot(1, 0, 479, 0, At(9), At(17))},
      {CTimeSlot(At(9), 90), Slot(1, 1, 90, 0, At(9), At(10, 30))},
      {typeTwo, Slot(2, 1, 480, 129, At(9), At(17))},
      {setValid, Slot(1, 0, 181, 0, At(9), At(12))},
      {setFlag, Slot(1, 7, 180, 0, At(9), At(12))},
      {setDefault, Slot(1, 1, -60, 0, At(9), At(8))},
      {moved, Slot(1, 1, 480, 0, At(10), At(17))}};
  for (const auto& [slot, fields] : cases) EXPECT_EQ(Of(slot), fields);
}

TEST(TimeSlotTest, RelativeSlotsLieOnTheReferenceDay) {
  // Start, end, the two on the reference day, and the duration computed there.
  const std::tuple<COleDateTime, COleDateTime, COleDateTime, COleDateTime, int> cases[] = {
      {At(22), At(2, 0, 15), Ref(22), Ref(2), -1200},  // crosses midnight
      {{2003, 4, 14, 8, 15, 30}, At(10, 45), {1000, 1, 1, 8, 15, 30}, Ref(10, 45), 149}};
  for (const auto& [start, end, refStart, refEnd, duration] : cases) {
    CTimeSlot slot(start, end);
    slot.SetDays(2u | 8u);
    slot.SetValidity(3);
    slot.SetSlotType(0);
    EXPECT_EQ(Of(slot), Slot(0, 3, duration, 10, refStart, refEnd));
    slot.SetSlotType(1);  // back to absolute: the days go, the times stay
    EXPECT_EQ(Of(slot), Slot(1, 3, duration, 0, refStart, refEnd));
  }
  const CDay monday(2);
  CTimeSlot relative = Absolute(9, 17), absolute = Absolute(9, 17);
  relative.SetAttributes(0, 0, &monday);
  absolute.SetAttributes(1, 1, &monday);
  EXPECT_EQ(Of(relative), Slot(0, 0, 480, 2, Ref(9), Ref(17)));
  EXPECT_EQ(Of(absolute), Slot(1, 1, 480, 0, At(9), At(17)));
  CTimeSlot unreadable(Unreadable(At(9)), At(17));  // stays unreadable
  unreadable.SetSlotType(0);
  EXPECT_EQ(unreadable.GetStartTime().GetStatus(), COleDateTime::invalid);
}

TEST(TimeSlotTest, EqualityLooksAtEveryFieldButStatus) {
  // A change to a copy, and whether the copy is still == and IsTimeRangeEqual.
  const std::tuple<void (*)(CTimeSlot&), int, int> cases[] = {
      {[](CTimeSlot& s) { s.SetValidity(0); }, 0, 1},
      {[](CTimeSlot& s) { s.SetDuration(479); }, 0, 0},
      {[](CTimeSlot& s) { s.SetStartTime(At(8)); }, 0, 0},
      {[](CTimeSlot& s) { s.SetEndTime(At(18)); }, 0, 0},
      {[](CTimeSlot& s) { s.SetSlotType(2); }, 0, 1},
      {[](CTimeSlot& s) { s.AddDays(128u); }, 0, 1},  // a bit above the days
      {[](CTimeSlot& s) { s.SetStartTime(Unreadable(At(9))); }, 1, 1}};
  for (const auto& [change, equal, rangeEqual] : cases) {
    const CTimeSlot base = Absolute(9, 17);
    CTimeSlot other(base);
    change(other);
    EXPECT_EQ(base == other, equal) << other.ToString();
    EXPECT_EQ(other == base, equal) << other.ToString();
    EXPECT_EQ(base.IsTimeRangeEqual(other), rangeEqual) << other.ToString();
    EXPECT_EQ(base.IsTimeRangeEqual(&other), rangeEqual) << other.ToString();
  }
}

TEST(TimeSlotTest, ContainsIsInclusiveAndOverLapsIsStaggeredOnly) {
  // Two slots, whether the first contains the second and the second the first, and overlap.
  const std::tuple<CTimeSlot, CTimeSlot, int, int, int> cases[] = {
      {Absolute(9, 17), Absolute(9, 17), 1, 1, 0},    // equal
      {Absolute(9, 17), Absolute(9, 12), 1, 0, 0},    // shared start
      {Absolute(9, 12), Absolute(10, 12), 1, 0, 0},   // shared end
      {Absolute(9, 12), Absolute(11, 14), 0, 0, 1},   // staggered
      {Absolute(9, 12), Absolute(12, 14), 0, 0, 0},   // touching
      {Relative(9, 12), Relative(11, 14), 0, 0, 1},   // staggered
      {Relative(9, 17), Absolute(10, 11), 0, 0, 0}};  // year 1000 lies before 2003
  for (const auto& [a, b, aContainsB, bContainsA, overlap] : cases) {
    SCOPED_TRACE(a.ToString() + "\n" + b.ToString());
    EXPECT_EQ(a.Contains(b), aContainsB);
    EXPECT_EQ(b.Contains(&a), bContainsA);
    EXPECT_EQ(a.OverLaps(b), overlap);
    EXPECT_EQ(b.OverLaps(&a), overlap);
  }
}

TEST(TimeSlotTest, SumSpansBothOperands) {
  const std::tuple<CTimeSlot, CTimeSlot, Fields> cases[] = {
      {Relative(9, 12, 2), Relative(11, 14, 8), Slot(0, 1, 300, 10, Ref(9), Ref(14))},
      {Absolute(9, 12), Absolute(11, 14), Slot(1, 0, 0, 0, At(9), At(14))},
      {Relative(9, 12, 2), Absolute(11, 14), Slot(0, 1, 300, 2, Ref(9), Ref(14))},
      {Absolute(11, 14), Relative(9, 12, 2), Slot(0, 1, 300, 2, Ref(9), Ref(14))},
      // The relative start (year 1000) is the earlier; the absolute end is the later.
      {Relative(15, 16, 1), Absolute(10, 11), Slot(0, 1, -240, 1, Ref(15), Ref(11))}};
  for (const auto& [a, b, fields] : cases) {
    CTimeSlot& sum = a + b;
    EXPECT_EQ(Of(sum), fields) << a.ToString() << "\n" << b.ToString();
    delete &sum;
  }
}

// A slot can be destroyed through either base: the store deletes it as a framework object.
static_assert(std::has_virtual_destructor_v<CObject> && std::has_virtual_destructor_v<CDay>);

}  // namespace
}  // namespace dayweave
