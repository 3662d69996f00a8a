#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dayweave/time_slot_store.h"

namespace dayweave {
namespace {

// The texts of the valid one-hour slots that MorningHour gives for 9 and for 10.
constexpr const char* kNineToTen =
    "StartTime: 4/14/2003 9:00:00 AM\nEndTime: 4/14/2003 10:00:00 AM\nDuration: 60 Minutes\n"
    "Valid: TRUE\nSlotType : Absolute\nDays : No Days";
constexpr const char* kTenToEleven =
    "StartTime: 4/14/2003 10:00:00 AM\nEndTime: 4/14/2003 11:00:00 AM\nDuration: 60 Minutes\n"
    "Valid: TRUE\nSlotType : Absolute\nDays : No Days";

// A new slot on 14 April 2003 from hour:00 for 60 minutes.
CTimeSlot* MorningHour(int hour) {
  return new CTimeSlot(COleDateTime(2003, 4, 14, hour, 0, 0), 60);
}

TEST(StoreRenderingTest, KqmlForZeroOneTwoAndElevenEntries) {
  CTimeSlotStore store;
  EXPECT_EQ(store.ToKQML(), "(tell)");

  store.Add(new CTimeSlot("(4/14/2003 3:00 PM)", "(4/14/2003 4:00 PM)", 60), "free", "a");
  EXPECT_EQ(store.ToKQML(), "(tell :t1 (4/14/2003 3:00:00 PM))");

  store.Add(new CTimeSlot("(4/15/2003 9:30 AM)", "(4/15/2003 10:00 AM)", 30), "busy");
  EXPECT_EQ(store.ToKQML(), "(tell :t1 (4/14/2003 3:00:00 PM) :t2 (4/15/2003 9:30:00 AM))");

  CTimeSlotStore eleven;
  for (int hour = 1; hour <= 11; ++hour) eleven.Add(MorningHour(hour), "free");
  EXPECT_EQ(eleven.ToKQML(),
            "(tell :t1 (4/14/2003 1:00:00 AM) :t2 (4/14/2003 2:00:00 AM)"
            " :t3 (4/14/2003 3:00:00 AM) :t4 (4/14/2003 4:00:00 AM) :t5 (4/14/2003 5:00:00 AM)"
            " :t6 (4/14/2003 6:00:00 AM) :t7 (4/14/2003 7:00:00 AM) :t8 (4/14/2003 8:00:00 AM)"
            " :t9 (4/14/2003 9:00:00 AM) :t10 (4/14/2003 10:00:00 AM)"
            " :t11 (4/14/2003 11:00:00 AM))");
}

TEST(StoreRenderingTest, KqmlWritesEachStartAsItsValueFormats) {
  char minutes[] = "(90)";
  struct Case {
    const char* name;
    CTimeSlot* slot;
    const char* message;
  } cases[] = {
      {"midnight shows the date alone", new CTimeSlot(COleDateTime(2003, 4, 14, 0, 0, 0), 60),
       "(tell :t1 (4/14/2003))"},
      {"day 0 shows the time alone", new CTimeSlot(COleDateTime(0.375), 60),
       "(tell :t1 (9:00:00 AM))"},
      {"an unreadable start", new CTimeSlot("xyz", minutes, 1), "(tell :t1 (Invalid DateTime))"},
      {"a relative slot", new CTimeSlot(COleDateTime(2003, 4, 14, 9, 0, 0), 60),
       "(tell :t1 (1/1/1000 9:00:00 AM))"},
  };
  cases[3].slot->SetSlotType(0);
  for (const Case& c : cases) {
    CTimeSlotStore store;
    store.Add(c.slot, "free");
    EXPECT_EQ(store.ToKQML(), c.message) << c.name;
  }
}

TEST(StoreRenderingTest, PlainTextListsSlotAttributeAndPositionId) {
  struct Entry {
    int hour;
    const char* attribute;
    const char* id;  // null: added without an ID
  };
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    std::string text;
  } cases[] = {
      {"empty", {}, ""},
      {"one with an ID", {{9, "free", "a1"}}, std::string(kNineToTen) + "\nfree\na1\n"},
      {"no IDs",
       {{9, "free", nullptr}, {10, "busy", nullptr}},
       std::string(kNineToTen) + "\nfree\n\n" + kTenToEleven + "\nbusy\n\n"},
      {"empty attribute", {{9, "", "a1"}}, std::string(kNineToTen) + "\n\na1\n"},
      // The one ID given belongs to position 0, although it came with the second entry.
      {"mixed IDs",
       {{9, "free", nullptr}, {10, "busy", "x"}},
       std::string(kNineToTen) + "\nfree\nx\n" + kTenToEleven + "\nbusy\n\n"},
  };
  for (const Case& c : cases) {
    CTimeSlotStore store;
    for (const Entry& e : c.entries) {
      if (e.id) {
        store.Add(MorningHour(e.hour), e.attribute, e.id);
      } else {
        store.Add(MorningHour(e.hour), e.attribute);
      }
    }
    EXPECT_EQ(store.ToString(), c.text) << c.name;
  }
}

}  // namespace
}  // namespace dayweave
