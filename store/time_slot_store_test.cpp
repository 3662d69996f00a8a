#include "dayweave/time_slot_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <tuple>

namespace dayweave {
namespace {

CTimeSlot Slot(int fromHour, int toHour) {
  return CTimeSlot(COleDateTime(2003, 4, 14, fromHour, 0, 0),
                   COleDateTime(2003, 4, 14, toHour, 0, 0));
}
CTimeSlot* NewSlot(int fromHour, int toHour) { return new CTimeSlot(Slot(fromHour, toHour)); }

// The texts of an array, joined by "|".
CString Joined(const CStringArray& array) {
  CString text;
  for (int i = 0; i < array.GetSize(); ++i) text += (i ? "|" : "") + array.GetAt(i);
  return text;
}

TEST(TimeSlotStoreTest, OutsideTheEntriesNothingIsFound) {
  CTimeSlotStore store;
  const CTimeSlot probe = Slot(9, 10);
  EXPECT_EQ(store.GetIndex(&probe, "free"), -1);
  EXPECT_EQ(store.GetLastSlot("free"), nullptr);
  EXPECT_EQ(std::unique_ptr<CStringArray>(store.GetAttributesUnique())->GetSize(), 0);
  store.Add(NewSlot(9, 10), "free", "a");
  store.Add(nullptr, "free", "b");  // a null slot adds nothing, not even its ID
  store.Add(NewSlot(10, 11), "busy", "c");
  EXPECT_EQ(store.GetCount(), 2);
  EXPECT_EQ(Joined(*store.GetIDs()), "a|c");
  for (int index : {-1, 2, INT_MIN, INT_MAX}) {
    EXPECT_EQ(store.GetTimeSlot(index), nullptr) << index;
    EXPECT_EQ(store.GetAttribute(index) + store.GetID(index), "") << index;
  }
  // Arrays that the caller empties behind the store's back are never read past their end.
  store.GetAttributes()->RemoveAll();
  store.GetIDs()->RemoveAll();
  EXPECT_EQ(store.GetAttribute(1) + store.GetID(1), "");
  EXPECT_EQ(store.GetLastSlot(""), store.GetTimeSlot(1));  // the positions read as ""
}

TEST(TimeSlotStoreTest, LookUpsTakeTheFirstMatch) {
  CTimeSlotStore store;
  const CTimeSlot a = Slot(9, 17), b = Slot(9, 12);
  CTimeSlot aInvalid(a);
  aInvalid.SetValidity(0);
  store.Add(new CTimeSlot(b), "free", "id0");  // b ends before a
  store.Add(new CTimeSlot(a), "free", "id1");
  store.Add(new CTimeSlot(a), "busy", "id2");
  store.Add(new CTimeSlot(a), "free", "id3");
  store.Add(new CTimeSlot(a), "Free", "id4");
  // Slot and attribute looked up, a start position, the match from there on and the first
  // match (-1: none).
  const std::tuple<const CTimeSlot*, const char*, int, int, int> cases[] = {
      {&a, "free", 0, 1, 1},         {&a, "free", 2, 3, 1},  {&a, "free", 3, 3, 1},
      {&a, "free", 4, -1, 1},        {&a, "free", 5, -1, 1}, {&a, "Free", 0, 4, 4},
      {&a, "FREE", 0, -1, -1},       {&b, "free", 0, 0, 0},  {&b, "busy", 0, -1, -1},
      {&aInvalid, "free", 0, -1, -1}};
  for (const auto& [slot, attribute, start, index, first] : cases) {
    SCOPED_TRACE(testing::Message() << attribute << " from " << start);
    EXPECT_EQ(store.GetIndex(slot, attribute, start), index);
    EXPECT_EQ(store.GetIndex(slot, attribute), first);
    EXPECT_EQ(store.Exists(slot, attribute), first >= 0 ? 1 : 0);
    EXPECT_EQ(store.GetID(slot, attribute), first >= 0 ? "id" + std::to_string(first) : "");
  }
  // The latest end wins, the first added on a tie, and only an end after 1 January 1900 12:00.
  store.Add(new CTimeSlot(COleDateTime(1000, 1, 1, 9, 0, 0), {1900, 1, 1, 12, 0, 0}), "early");
  store.Add(new CTimeSlot(COleDateTime(1000, 1, 1, 9, 0, 0), {1900, 1, 1, 12, 0, 1}), "later");
  EXPECT_EQ(store.GetLastSlot("free"), store.GetTimeSlot(1));
  EXPECT_EQ(store.GetLastSlot("early"), nullptr);
  EXPECT_EQ(store.GetLastSlot("later"), store.GetTimeSlot(6));
  // The distinct attributes, in first-seen order.
  EXPECT_EQ(Joined(*std::unique_ptr<CStringArray>(store.GetAttributesUnique())),
            "free|busy|Free|early|later");
}

// Counts its own destructions, so that a test sees exactly which slots a store deletes.
struct CountedSlot : CTimeSlot {
  explicit CountedSlot(int& counter) : deaths(counter) {}
  ~CountedSlot() override { ++deaths; }
  int& deaths;
};

TEST(TimeSlotStoreTest, DestroysExactlyTheSlotsItHoldsAndNothingAfterClear) {
  int deaths = 0;
  auto* kept = new CountedSlot(deaths);
  {
    CTimeSlotStore store;
    store.Add(kept, "free", "a");
    CStringArray* attributes = store.GetAttributes();
    CStringArray* ids = store.GetIDs();
    store.Clear();
    EXPECT_EQ(store.GetCount() + attributes->GetSize() + ids->GetSize(), 0);
    for (int i = 0; i < 3; ++i) store.Add(new CountedSlot(deaths), "later", "b");
    EXPECT_EQ(store.GetAttribute(0) + store.GetID(0), "laterb");  // filled again from 0
  }
  EXPECT_EQ(deaths, 3);
  delete kept;
}

}  // namespace
}  // namespace dayweave
