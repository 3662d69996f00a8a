#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dayweave/time_slot_store.h"

namespace dayweave {
namespace {

// A new valid one-hour slot from hour:00 on 14 April 2003, and its ToString text.
CTimeSlot* Hour(int hour) { return new CTimeSlot(COleDateTime(2003, 4, 14, hour, 0, 0), 60); }
std::string HourText(int hour) { return std::unique_ptr<CTimeSlot>(Hour(hour))->ToString().str(); }

TEST(StoreRenderingTest, KqmlNumbersEveryEntryFromOne) {
  CTimeSlotStore store;
  EXPECT_EQ(store.ToKQML(), "(tell)");
  CTimeSlotStore eleven;  // every entry, whatever its attribute
  for (int hour = 1; hour <= 11; ++hour) eleven.Add(Hour(hour), hour == 2 ? "busy" : "free");
  EXPECT_EQ(eleven.ToKQML(),
            "(tell :t1 (4/14/2003 1:00:00 AM) :t2 (4/14/2003 2:00:00 AM)"
            " :t3 (4/14/2003 3:00:00 AM) :t4 (4/14/2003 4:00:00 AM) :t5 (4/14/2003 5:00:00 AM)"
            " :t6 (4/14/2003 6:00:00 AM) :t7 (4/14/2003 7:00:00 AM) :t8 (4/14/2003 8:00:00 AM)"
            " :t9 (4/14/2003 9:00:00 AM) :t10 (4/14/2003 10:00:00 AM)"
            " :t11 (4/14/2003 11:00:00 AM))");
}

TEST(StoreRenderingTest, PlainTextListsSlotAttributeAndPositionId) {
  CTimeSlotStore store;
  EXPECT_EQ(store.ToString(), "");
  store.Add(Hour(9), "free");
  store.Add(Hour(10), "", "x");  // the one ID given belongs to position 0
  store.Add(Hour(11), "busy");
  EXPECT_EQ(store.ToString().str(),
            HourText(9) + "\nfree\nx\n" + HourText(10) + "\n\n\n" + HourText(11) + "\nbusy\n\n");
}

}  // namespace
}  // namespace dayweave
