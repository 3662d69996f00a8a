#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <tuple>

#include "dayweave/time_slot.h"
#include "tests/test_tables.h"

namespace dayweave {
namespace {

constexpr const char* kNine = "(4/14/2003 9:00 AM)";
constexpr const char* kFive = "(4/14/2003 5:00 PM)";
const COleDateTime k9(2003, 4, 14, 9, 0, 0), k17(2003, 4, 14, 17, 0, 0);

// Slot type, validity flag, duration, day mask, start and end (day counts to the second) and
// their statuses.
using Fields = std::tuple<int, int, int, int, long long, long long, int, int>;
long long Seconds(const COleDateTime& t) { return std::llround(t.m_dt * 86400); }
Fields Of(const CTimeSlot& s) {
  const COleDateTime start = s.GetStartTime(), end = s.GetEndTime();
  return std::make_tuple(s.GetSlotType(), s.IsValid(), s.GetDuration(), s.GetDays(), Seconds(start),
                         Seconds(end), start.GetStatus(), end.GetStatus());
}
Fields Absolute(int valid, int duration, const COleDateTime& start, const COleDateTime& end,
                int startStatus = COleDateTime::valid) {
  return {1, valid, duration, 0, Seconds(start), Seconds(end), startStatus, COleDateTime::valid};
}
const Fields kUntouched = Absolute(0, 0, 0.0, 0.0);  // what a text that does not read leaves

TEST(TimeSlotTextTest, RemoveParensStripsTheOuterRuns) {
  const char* cases[][2] = {
      {"((480))", "480"}, {"(((480)", "480"}, {"(480)))", "480"}, {"(a)(b)", "a)(b"},
      {"()", ""},         {")x(", ")x("},     {"", ""},           {" (480) ", " (480) "}};
  for (const auto& c : cases) EXPECT_EQ(CTimeSlot::RemoveParens(c[0]), c[1]) << c[0];
}

// The start-and-end constructors: the duration as a number, and as a text read like atoi.
TEST(TimeSlotTextTest, StartAndEndTexts) {
  // Start and end texts, the duration as a number and as a text, and the slot they make.
  const std::tuple<const char*, const char*, int, const char*, Fields> cases[] = {
      {kNine, kFive, 480, "(480)", Absolute(1, 480, k9, k17)},
      {kNine, kFive, 60, "((60)", Absolute(0, 60, k9, k17)},
      {"((4/14/2003 9:00 AM)", "4/14/2003 5:00 PM)))", 480, "480", Absolute(1, 480, k9, k17)},
      {kNine, kFive, 0, "abc", Absolute(0, 0, k9, k17)},
      {kNine, kNine, 0, nullptr, Absolute(1, 0, k9, k9)},
      {kNine, "(xyz)", 480, "(480)", kUntouched},  // nothing read is kept unless both dates read
      {"xyz", kFive, 480, "(480)", kUntouched}};
  for (const auto& [start, end, minutes, minutesText, slot] : cases) {
    SCOPED_TRACE(testing::Message() << start << " " << end << " " << minutes);
    EXPECT_EQ(Of(CTimeSlot(CString(start), CString(end), minutes)), slot);
    EXPECT_EQ(Of(CTimeSlot(CString(start), end, minutes)), slot);
    EXPECT_EQ(Of(CTimeSlot(start, end, minutesText)), slot);
  }
}

TEST(TimeSlotTextTest, StartAndDurationTextsSelectedOnlyByAWritableText) {
  struct {  // not const: only a writable duration text selects this constructor
    const char* start;
    char duration[8];
    int valid;
    Fields slot;
  } cases[] = {
      {kNine, "(90)", 1, Absolute(1, 90, k9, {2003, 4, 14, 10, 30, 0})},
      {kNine, "(-30)", 5, Absolute(5, -30, k9, {2003, 4, 14, 8, 30, 0})},
      {kNine, "(abc)", 0, Absolute(0, 0, k9, k9)},
      // A start that is no date at all stays day 0, invalid; the flag is still the caller's.
      {"xyz", "(90)", 1, Absolute(1, 90, 0.0, 1.5 / 24, COleDateTime::invalid)},
      // A date that does not exist leaves day -1.0, 29 December 1899 at midnight.
      {"(2/30/2003)", "(90)", 1, Absolute(1, 90, -1.0, -1.0 - 1.5 / 24, COleDateTime::invalid)}};
  for (auto& c : cases) {
    EXPECT_EQ(Of(CTimeSlot(c.start, c.duration, c.valid)), c.slot) << c.start << " " << c.duration;
    // A literal end text that is only a whole number is no date: it reads as minutes too.
    const char* literal = c.duration;
    if (std::string_view(literal) != "(abc)") {
      EXPECT_EQ(Of(CTimeSlot(c.start, literal, c.valid)), c.slot) << c.start << " " << literal;
    }
  }
  char* none = nullptr;
  EXPECT_EQ(Of(CTimeSlot(kNine, none, 1)), Absolute(1, 0, k9, k9));
  // Any other end text is a date-time, as is a CString end text whatever it holds.
  for (const char* end : {"(90 minutes)", "(9O)", "()", "(+90)"}) {
    EXPECT_EQ(Of(CTimeSlot(kNine, end, 1)), kUntouched) << end;
  }
  EXPECT_EQ(Of(CTimeSlot(kNine, CString("(90)"), 1)), kUntouched);
}

// timeslot/testdata/slot_texts.txt holds, for each slot below, its duration, type and status
// words and its ToString text, then the ToStringDebug texts of the first and the last; each
// text ends at a "|".
TEST(TimeSlotTextTest, RenderingsAndDebugLines) {
  CTimeSlot absolute(kNine, kFive, 480), relative(absolute), otherType(absolute);
  relative.AddDays(2u | 8u);
  relative.SetSlotType(0);
  otherType.SetSlotType(2);
  otherType.SetValidity(5);
  otherType.AddDays(1u);
  otherType.SetDuration(-1200);
  char minutes[] = "(90)";
  CTimeSlot unreadable("xyz", minutes, 0);
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
