#include <gtest/gtest.h>

#include <cstdlib>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dayweave/time_slot.h"
#include "tests/test_tables.h"

namespace dayweave {
namespace {

// A slot's validity flag, duration, start | end, each formatted.
std::string Read(const CTimeSlot& s) {
  return std::to_string(s.IsValid()) + " " + std::to_string(s.GetDuration()) + " " +
         s.GetStartTime().Format().str() + " | " + s.GetEndTime().Format().str();
}

TEST(TimeSlotTextTest, RemoveParensStripsTheOuterRuns) {
  const char* cases[][2] = {
      {"((480))", "480"}, {"(((480)", "480"}, {"(480)))", "480"}, {"(a)(b)", "a)(b"},
      {"()", ""},         {")x(", ")x("},     {"", ""},           {" (480) ", " (480) "}};
  for (const auto& c : cases) EXPECT_EQ(CTimeSlot::RemoveParens(c[0]), c[1]) << c[0];
}

// Each row of timeslot/testdata/text_constructors.txt: texts, the constructors asked about
// them, and the slot they make. Only a writable duration text selects the start-and-duration
// constructor, except that a literal end text that is only a whole number reads as minutes.
TEST(TimeSlotTextTest, TextConstructors) {
  for (std::istringstream& row : TestRows("timeslot/testdata/text_constructors.txt")) {
    SCOPED_TRACE(row.str());
    std::string forms, start, second, third, bar, expected;
    ASSERT_TRUE(row >> forms >> std::quoted(start) >> std::quoted(second) >> std::quoted(third) >>
                bar >> std::ws);
    std::getline(row, expected);
    char* writable = second == "-" ? nullptr : second.data();
    const int number = std::atoi(third.c_str());
    std::vector<CTimeSlot> slots;
    if (forms == "texts" || forms == "cstring") slots.emplace_back(start, CString(second), number);
    if (forms == "texts" || forms == "both" || forms == "literal") {
      slots.emplace_back(start, static_cast<const char*>(writable), number);
    }
    if (forms == "writable" || forms == "both") slots.emplace_back(start, writable, number);
    if (forms == "minutes") {
      slots.emplace_back(start, second, third == "-" ? nullptr : third.c_str());
    }
    ASSERT_FALSE(slots.empty());
    for (const CTimeSlot& slot : slots) {
      EXPECT_EQ(std::make_pair(slot.GetSlotType(), slot.GetDays()), std::make_pair(1, 0));
      EXPECT_EQ(Read(slot), expected);
    }
  }
}

// timeslot/testdata/slot_texts.txt holds, for each slot below, its duration, type and status
// words and its ToString text, then the ToStringDebug texts of the first and the last; each
// text ends at a "|".
TEST(TimeSlotTextTest, RenderingsAndDebugLines) {
  CTimeSlot absolute("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480);
  CTimeSlot relative(absolute), otherType(absolute);
  relative.AddDays(2u | 8u);
  relative.SetSlotType(0);
  otherType.SetSlotType(2);
  otherType.SetValidity(5);
  otherType.AddDays(1u);
  otherType.SetDuration(-1200);
  CTimeSlot unreadable("xyz", "(90)", 0);  // 90 minutes from a start that does not read
  CString texts;
  for (const CTimeSlot* slot : {&absolute, &relative, &otherType, &unreadable}) {
    texts += slot->GetDurationString() + " " + slot->GetSlotTypeString() + " " +
             slot->GetStatusString() + "\n" + slot->ToString() + "|\n";
  }
  texts += absolute.ToStringDebug() + "|\n" + unreadable.ToStringDebug() + "|\n";
  EXPECT_EQ(texts.str(), TestFile("timeslot/testdata/slot_texts.txt"));
}

}  // namespace
}  // namespace dayweave
