#include "dayweave/time_slot_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace dayweave {
namespace {

COleDateTime April14(int hour, int minute = 0) {
  return COleDateTime(2003, 4, 14, hour, minute, 0);
}

CTimeSlot* NewSlot(int fromHour, int toHour) {
  return new CTimeSlot(April14(fromHour), April14(toHour));
}

// Counts its own destructions, so that a test sees exactly which slots a store deletes.
class CountedSlot : public CTimeSlot {
 public:
  explicit CountedSlot(int& deaths) : m_deaths(deaths) {}
  ~CountedSlot() override { ++m_deaths; }

 private:
  int& m_deaths;
};

TEST(TimeSlotStoreTest, EmptyStoreFindsNothing) {
  CTimeSlotStore store;
  const CTimeSlot probe(April14(9), April14(17));
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(store.GetTimeSlot(0), nullptr);
  EXPECT_EQ(store.GetAttribute(0), "");
  EXPECT_EQ(store.GetID(0), "");
  EXPECT_EQ(store.GetIndex(&probe, "free"), -1);
  EXPECT_EQ(store.GetIndex(&probe, "free", 0), -1);
  EXPECT_EQ(store.Exists(&probe, "free"), 0);
  EXPECT_EQ(store.GetID(&probe, "free"), "");
  EXPECT_EQ(store.GetLastSlot("free"), nullptr);
  EXPECT_EQ(store.GetAttributes()->GetSize(), 0);
  EXPECT_EQ(store.GetIDs()->GetSize(), 0);
  CStringArray* unique = store.GetAttributesUnique();
  ASSERT_NE(unique, nullptr);
  EXPECT_EQ(unique->GetSize(), 0);
  delete unique;
}

TEST(TimeSlotStoreTest, PositionsOutsideTheEntriesGiveNothing) {
  CTimeSlotStore store;
  CTimeSlot* first = NewSlot(9, 10);
  store.Add(first, "free", "a");
  store.Add(NewSlot(10, 11), "busy", "b");
  EXPECT_EQ(store.GetTimeSlot(0), first);  // the store keeps the pointer it was given
  EXPECT_EQ(store.GetAttribute(1), "busy");
  EXPECT_EQ(store.GetID(1), "b");
  for (int index : {-1, 2, 3, INT_MIN, INT_MAX}) {
    EXPECT_EQ(store.GetTimeSlot(index), nullptr) << index;
    EXPECT_EQ(store.GetAttribute(index), "") << index;
    EXPECT_EQ(store.GetID(index), "") << index;
  }
}

TEST(TimeSlotStoreTest, TheIdOfAPositionIsTheNthIdGiven) {
  struct Case {
    const char* name;
    std::vector<const char*> ids;  // null: the entry is added without an ID
    std::vector<const char*> byPosition;
  } cases[] = {
      {"no IDs", {nullptr, nullptr, nullptr}, {"", "", ""}},
      {"every entry", {"a", "b", "c"}, {"a", "b", "c"}},
      {"second only", {nullptr, "x"}, {"x", ""}},
      {"mixed", {nullptr, "a", nullptr, "b", "c"}, {"a", "b", "c", "", ""}},
      {"empty IDs count", {"", nullptr, "z"}, {"", "z", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTimeSlotStore store;
    int given = 0;
    for (std::size_t i = 0; i < c.ids.size(); ++i) {
      CTimeSlot* slot = NewSlot(static_cast<int>(i), static_cast<int>(i) + 1);
      if (c.ids[i]) {
        store.Add(slot, "free", c.ids[i]);
        ++given;
      } else {
        store.Add(slot, "free");
      }
    }
    EXPECT_EQ(store.GetCount(), static_cast<int>(c.ids.size()));
    EXPECT_EQ(store.GetIDs()->GetSize(), given);
    for (std::size_t i = 0; i < c.byPosition.size(); ++i) {
      const int position = static_cast<int>(i);
      EXPECT_EQ(store.GetID(position), c.byPosition[i]) << position;
      // Looking the entry up by its slot reads the same position.
      EXPECT_EQ(store.GetID(store.GetTimeSlot(position), "free"), c.byPosition[i]) << position;
    }
  }
}

TEST(TimeSlotStoreTest, LookUpsTakeTheFirstMatch) {
  CTimeSlotStore store;
  const CTimeSlot a(April14(9), April14(17));
  const CTimeSlot b(April14(9), April14(12));
  store.Add(new CTimeSlot(a), "free", "id0");
  store.Add(new CTimeSlot(b), "busy", "id1");
  store.Add(new CTimeSlot(a), "free", "id2");
  store.Add(new CTimeSlot(a), "Free", "id3");
  store.Add(new CTimeSlot(a), "busy", "id4");
  CTimeSlot aInvalid(a);
  aInvalid.SetValidity(0);

  struct Case {
    const CTimeSlot* slot;
    const char* attribute;
    int start, index;
    const char* id;
  } cases[] = {
      {&a, "free", 0, 0, "id0"},        {&a, "free", 1, 2, "id0"},      {&a, "free", 2, 2, "id0"},
      {&a, "free", 3, -1, "id0"},       {&a, "free", 5, -1, "id0"},     {&a, "free", -1, -1, "id0"},
      {&a, "free", INT_MAX, -1, "id0"}, {&a, "Free", 0, 3, "id3"},      {&a, "FREE", 0, -1, ""},
      {&a, "busy", 0, 4, "id4"},        {&b, "busy", 0, 1, "id1"},      {&b, "busy", 2, -1, "id1"},
      {&b, "free", 0, -1, ""},          {&aInvalid, "free", 0, -1, ""}, {&a, "", 0, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.attribute) + " from " + std::to_string(c.start));
    EXPECT_EQ(store.GetIndex(c.slot, c.attribute, c.start), c.index);
    EXPECT_EQ(store.GetID(c.slot, c.attribute), c.id);
    // Every entry here has an ID, so an empty one means that no entry matches at all.
    EXPECT_EQ(store.Exists(c.slot, c.attribute), *c.id != '\0' ? 1 : 0);
    if (c.start == 0) {
      EXPECT_EQ(store.GetIndex(c.slot, c.attribute), c.index);
    }
  }
}

TEST(TimeSlotStoreTest, LastSlotEndsLatestFirstAddedOnATie) {
  CTimeSlotStore store;
  CTimeSlot* early = NewSlot(9, 12);
  CTimeSlot* late = NewSlot(13, 17);
  CTimeSlot* tie = NewSlot(15, 17);
  CTimeSlot* other = NewSlot(18, 20);
  store.Add(early, "free");
  store.Add(late, "free");
  store.Add(tie, "free");
  store.Add(other, "busy");
  EXPECT_EQ(store.GetLastSlot("free"), late);
  EXPECT_EQ(store.GetLastSlot("busy"), other);
  EXPECT_EQ(store.GetLastSlot("Free"), nullptr);
  EXPECT_EQ(store.GetLastSlot(""), nullptr);
}

TEST(TimeSlotStoreTest, LastSlotMustEndAfterNoonOnTheFirstOfJanuary1900) {
  struct Case {
    const char* name;
    COleDateTime end;
    bool chosen;
  } cases[] = {
      {"exactly the floor", COleDateTime(1900, 1, 1, 12, 0, 0), false},
      {"a second later", COleDateTime(1900, 1, 1, 12, 0, 1), true},
      {"a second earlier", COleDateTime(1900, 1, 1, 11, 59, 59), false},
      {"30 December 1899", COleDateTime(0.0), false},
      {"relative, 1 January 1000", COleDateTime(1000, 1, 1, 17, 0, 0), false},
      {"2 January 1900", COleDateTime(1900, 1, 2, 0, 0, 0), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTimeSlotStore store;
    auto* slot = new CTimeSlot(COleDateTime(1000, 1, 1, 9, 0, 0), c.end);
    store.Add(slot, "free");
    EXPECT_EQ(store.GetLastSlot("free"), c.chosen ? slot : nullptr);
  }
}

TEST(TimeSlotStoreTest, DistinctAttributesInFirstOccurrenceOrder) {
  struct Case {
    std::vector<const char*> attributes;
    std::vector<const char*> unique;
  } cases[] = {
      {{"a", "b", "a", "c", "b"}, {"a", "b", "c"}},
      {{"free", "Free", "FREE", "free"}, {"free", "Free", "FREE"}},
      {{"", "x", ""}, {"", "x"}},
      {{"z", "y", "x"}, {"z", "y", "x"}},
      {{"same", "same"}, {"same"}},
  };
  for (const Case& c : cases) {
    CTimeSlotStore store;
    for (const char* attribute : c.attributes) store.Add(NewSlot(9, 10), attribute);
    CStringArray* unique = store.GetAttributesUnique();
    ASSERT_EQ(unique->GetSize(), static_cast<int>(c.unique.size()));
    for (std::size_t i = 0; i < c.unique.size(); ++i) {
      EXPECT_EQ(unique->GetAt(static_cast<int>(i)), c.unique[i]) << i;
    }
    EXPECT_NE(unique, store.GetAttributes());
    delete unique;
    EXPECT_EQ(store.GetAttributes()->GetSize(), static_cast<int>(c.attributes.size()));
  }
}

TEST(TimeSlotStoreTest, DestroysExactlyTheSlotsItHolds) {
  int deaths = 0;
  {
    CTimeSlotStore store;
    for (int i = 0; i < 3; ++i) store.Add(new CountedSlot(deaths), "free");
    EXPECT_EQ(deaths, 0);
  }
  EXPECT_EQ(deaths, 3);
}

TEST(TimeSlotStoreTest, ClearForgetsWithoutDestroying) {
  int deaths = 0;
  auto* kept = new CountedSlot(deaths);
  auto* alsoKept = new CountedSlot(deaths);
  {
    CTimeSlotStore store;
    store.Add(kept, "free", "a");
    store.Add(alsoKept, "busy");
    CStringArray* attributes = store.GetAttributes();
    CStringArray* ids = store.GetIDs();
    store.Clear();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(store.GetTimeSlot(0), nullptr);
    EXPECT_EQ(attributes->GetSize(), 0);
    EXPECT_EQ(ids->GetSize(), 0);

    // The store fills again from position 0 and owns only what came after the Clear.
    store.Add(new CountedSlot(deaths), "later", "b");
    EXPECT_EQ(store.GetCount(), 1);
    EXPECT_EQ(store.GetAttribute(0), "later");
    EXPECT_EQ(store.GetID(0), "b");
  }
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(kept->IsValid(), 0);  // still alive and readable
  delete kept;
  delete alsoKept;
  EXPECT_EQ(deaths, 3);
}

TEST(TimeSlotStoreTest, NullSlotsAreIgnored) {
  CTimeSlotStore store;
  store.Add(nullptr, "free");
  store.Add(nullptr, "free", "a");
  EXPECT_EQ(store.GetCount(), 0);
  EXPECT_EQ(store.GetAttributes()->GetSize(), 0);
  EXPECT_EQ(store.GetIDs()->GetSize(), 0);
  store.Add(NewSlot(9, 10), "busy", "b");
  EXPECT_EQ(store.GetCount(), 1);
  EXPECT_EQ(store.GetID(0), "b");
}

TEST(TimeSlotStoreTest, ArraysEditedByTheCallerNeverReadPastTheirEnd) {
  CTimeSlotStore store;
  store.Add(NewSlot(9, 10), "free", "a");
  store.Add(NewSlot(10, 11), "busy", "b");
  store.GetAttributes()->RemoveAll();
  store.GetIDs()->RemoveAll();
  EXPECT_EQ(store.GetCount(), 2);
  EXPECT_EQ(store.GetAttribute(1), "");
  EXPECT_EQ(store.GetID(1), "");
  EXPECT_EQ(store.GetLastSlot("busy"), nullptr);
  EXPECT_EQ(store.GetLastSlot(""), store.GetTimeSlot(1));  // the positions read as ""
  EXPECT_EQ(store.GetIndex(store.GetTimeSlot(0), ""), 0);
  CStringArray* unique = store.GetAttributesUnique();
  EXPECT_EQ(unique->GetSize(), 0);
  delete unique;
}

}  // namespace
}  // namespace dayweave
