#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dayweave/time_slot_store.h"
#include "tests/test_tables.h"

namespace dayweave {
namespace {

// A new valid one-hour slot from hour:00 on 14 April 2003, and its ToString text.
CTimeSlot* Hour(int hour) { return new CTimeSlot(COleDateTime(2003, 4, 14, hour, 0, 0), 60); }
std::string HourText(int hour) { return std::unique_ptr<CTimeSlot>(Hour(hour))->ToString().str(); }

TEST(StoreRenderingTest, KqmlNumbersEveryEntryFromOne) {
  EXPECT_EQ(CTimeSlotStore().ToKQML(), "(tell)");
  CTimeSlotStore eleven;  // every entry, whatever its attribute
  for (int hour = 1; hour <= 11; ++hour) eleven.Add(Hour(hour), hour == 2 ? "busy" : "free");
  EXPECT_EQ(eleven.ToKQML() + "\n", TestFile("store/testdata/eleven_slots.kqml"));
}

TEST(StoreRenderingTest, PlainTextListsSlotAttributeAndPositionId) {
  CTimeSlotStore store;
  EXPECT_EQ(store.ToString(), "");
  store.Add(Hour(9), "free", "");  // an empty ID is an ID given: it is position 0's
  store.Add(Hour(10), "");
  store.Add(Hour(11), "busy", "x");  // the second ID given belongs to position 1
  EXPECT_EQ(store.ToString().str(),
            HourText(9) + "\nfree\n\n" + HourText(10) + "\n\nx\n" + HourText(11) + "\nbusy\n\n");
}

}  // namespace
}  // namespace dayweave
