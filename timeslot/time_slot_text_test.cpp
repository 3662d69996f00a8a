#include <gtest/gtest.h>

#include "dayweave/time_slot.h"

namespace dayweave {
namespace {

// 14 April 2003 is day 37725 after 30 December 1899 (checked once with Python's datetime).
constexpr double kApril14 = 37725.0;
constexpr const char* kNine = "(4/14/2003 9:00 AM)";
constexpr const char* kFive = "(4/14/2003 5:00 PM)";

TEST(TimeSlotTextTest, RemoveParensStripsTheOuterRuns) {
  struct Case {
    const char* text;
    const char* stripped;
  } cases[] = {
      {"(4/14/2003 9:00 AM)", "4/14/2003 9:00 AM"},
      {"((480))", "480"},
      {"(((480)", "480"},
      {"(480)))", "480"},
      {"(a)(b)", "a)(b"},
      {"()", ""},
      {"((((", ""},
      {"))))", ""},
      {")x(", ")x("},
      {"(", ""},
      {")", ""},
      {"", ""},
      {" (480) ", " (480) "},
      {"480", "480"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CTimeSlot::RemoveParens(c.text), c.stripped) << c.text;
  }
}

// The slot that a failed start-and-end text leaves: a default one, invalid.
void ExpectUntouched(const CTimeSlot& slot) {
  EXPECT_EQ(slot.IsValid(), 0);
  EXPECT_EQ(slot.GetDuration(), 0);
  EXPECT_EQ(slot.IsAbsolute(), 1);
  EXPECT_EQ(slot.GetDays(), 0);
  EXPECT_EQ(slot.GetStartTime().m_dt, 0.0);
  EXPECT_EQ(slot.GetEndTime().m_dt, 0.0);
  EXPECT_EQ(slot.GetStartTime().GetStatus(), COleDateTime::valid);
  EXPECT_EQ(slot.GetEndTime().GetStatus(), COleDateTime::valid);
}

TEST(TimeSlotTextTest, StartAndEndTexts) {
  struct Case {
    const char *start, *end;
    int duration;
    bool read;
    int valid;
  } cases[] = {
      {kNine, kFive, 480, true, 1},
      {kNine, kFive, 60, true, 0},
      {"4/14/2003 9:00 AM", "4/14/2003 5:00 PM", 480, true, 1},
      {"((4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)))", 480, true, 1},
      {kNine, "(xyz)", 480, false, 0},
      {kNine, "(2/30/2003)", 480, false, 0},
      {kNine, "", 0, false, 0},
      {"xyz", kFive, 480, false, 0},
      {"(13/1/2003 9:00 AM)", kFive, 480, false, 0},
      {"", "", 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " | " + c.end + " | " + std::to_string(c.duration));
    // The CString and the const char* end text reach the same constructor.
    const CTimeSlot byText(CString(c.start), CString(c.end), c.duration);
    const CTimeSlot byPointer(CString(c.start), c.end, c.duration);
    EXPECT_EQ(byText == byPointer, 1);
    if (!c.read) {
      ExpectUntouched(byText);
      continue;
    }
    EXPECT_EQ(byText.IsValid(), c.valid);
    EXPECT_EQ(byText.GetDuration(), c.duration);
    EXPECT_EQ(byText.IsAbsolute(), 1);
    EXPECT_DOUBLE_EQ(byText.GetStartTime().m_dt, kApril14 + 9.0 / 24);
    EXPECT_DOUBLE_EQ(byText.GetEndTime().m_dt, kApril14 + 17.0 / 24);
  }
}

TEST(TimeSlotTextTest, StartEndAndDurationTexts) {
  struct Case {
    const char *start, *end, *duration;
    int minutes, valid;
  } cases[] = {
      {kNine, kFive, "(480)", 480, 1},
      {kNine, kFive, "480", 480, 1},
      {kNine, kFive, " +480 minutes", 480, 1},
      {kNine, kFive, "((479)", 479, 0},
      {kNine, kFive, "abc", 0, 0},
      {kNine, kNine, "abc", 0, 1},
      {kNine, kNine, nullptr, 0, 1},
      {kNine, kFive, "", 0, 0},
      // The number is stored only when both date texts read.
      {"xyz", kFive, "(480)", 0, 0},
      {kNine, "(xyz)", "(480)", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " | " + c.end + " | " + (c.duration ? c.duration : "null"));
    const CTimeSlot slot(c.start, c.end, c.duration);
    EXPECT_EQ(slot.GetDuration(), c.minutes);
    EXPECT_EQ(slot.IsValid(), c.valid);
    EXPECT_EQ(slot.IsAbsolute(), 1);
  }

  // A writable duration text reaches the same constructor.
  char writable[] = "(480)";
  const CTimeSlot slot(kNine, kFive, writable);
  EXPECT_EQ(slot.GetDuration(), 480);
  EXPECT_EQ(slot.IsValid(), 1);
}

TEST(TimeSlotTextTest, StartAndDurationTexts) {
  struct Case {
    const char* start;
    char duration[16];
    int valid;
    double startCount;
    COleDateTime::DateTimeStatus startStatus;
    double endCount;
    int minutes;
  } cases[] = {
      {kNine, "(90)", 1, kApril14 + 9.0 / 24, COleDateTime::valid, kApril14 + 10.5 / 24, 90},
      {"4/14/2003 9:00 AM", "90", 0, kApril14 + 9.0 / 24, COleDateTime::valid, kApril14 + 10.5 / 24,
       90},
      {kNine, "(-30)", 5, kApril14 + 9.0 / 24, COleDateTime::valid, kApril14 + 8.5 / 24, -30},
      {kNine, "(abc)", 1, kApril14 + 9.0 / 24, COleDateTime::valid, kApril14 + 9.0 / 24, 0},
      // A start that is no date at all stays day 0 and invalid; the flag is still the caller's.
      {"xyz", "(90)", 1, 0.0, COleDateTime::invalid, 1.5 / 24, 90},
      // A date that does not exist leaves day count -1.0, 29 December 1899 at midnight, and
      // the end lands 90 minutes later on that day.
      {"(2/30/2003)", "(90)", 1, -1.0, COleDateTime::invalid, -1.0 - 1.5 / 24, 90},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " | " + c.duration);
    const CTimeSlot slot(c.start, c.duration, c.valid);
    EXPECT_EQ(slot.IsValid(), c.valid);
    EXPECT_EQ(slot.GetDuration(), c.minutes);
    EXPECT_EQ(slot.IsAbsolute(), 1);
    EXPECT_EQ(slot.GetDays(), 0);
    EXPECT_DOUBLE_EQ(slot.GetStartTime().m_dt, c.startCount);
    EXPECT_EQ(slot.GetStartTime().GetStatus(), c.startStatus);
    EXPECT_DOUBLE_EQ(slot.GetEndTime().m_dt, c.endCount);
    EXPECT_EQ(slot.GetEndTime().GetStatus(), COleDateTime::valid);
  }

  char* none = nullptr;
  const CTimeSlot empty(kNine, none, 1);
  EXPECT_EQ(empty.GetDuration(), 0);
  EXPECT_EQ(empty.GetEndTime(), empty.GetStartTime());
}

// The second argument decides between the start-and-end constructor and the
// start-and-duration one: only a writable char* selects the latter. Had a literal slipped to
// the char* constructor, "(4/14/2003 5:00 PM)" would read as 4 minutes with flag 480.
TEST(TimeSlotTextTest, OnlyAWritableSecondArgumentSelectsTheDurationConstructor) {
  const CTimeSlot literal("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480);
  const char* pointer = kFive;
  const CTimeSlot constPointer(kNine, pointer, 480);
  const CTimeSlot text(kNine, CString(kFive), 480);
  for (const CTimeSlot* slot : {&literal, &constPointer, &text}) {
    EXPECT_EQ(slot->IsValid(), 1);
    EXPECT_EQ(slot->GetDuration(), 480);
    EXPECT_DOUBLE_EQ(slot->GetEndTime().m_dt, kApril14 + 17.0 / 24);
  }

  // "(90)" as a literal is an end text that is no date: an invalid start-and-end slot.
  const CTimeSlot literalMinutes(kNine, "(90)", 1);
  ExpectUntouched(literalMinutes);

  char minutes[] = "(90)";
  const CTimeSlot writable(kNine, minutes, 1);
  EXPECT_EQ(writable.IsValid(), 1);
  EXPECT_EQ(writable.GetDuration(), 90);
  EXPECT_DOUBLE_EQ(writable.GetEndTime().m_dt, kApril14 + 10.5 / 24);
}

TEST(TimeSlotTextTest, ShortRenderings) {
  struct Case {
    int duration, type, valid;
    const char *durationText, *typeText, *statusText;
  } cases[] = {
      {480, 1, 1, "480", "Absolute", "Valid"},
      {-1200, 0, 0, "-1200", "Relative", "InValid"},
      {0, 2, 5, "0", "Absolute", "Valid"},
      {7, -1, -1, "7", "Absolute", "Valid"},
      {-2147483647 - 1, 1, 0, "-2147483648", "Absolute", "InValid"},
  };
  for (const Case& c : cases) {
    CTimeSlot slot;
    slot.SetSlotType(c.type);  // before the duration: type 0 recomputes it
    slot.SetDuration(c.duration);
    slot.SetValidity(c.valid);
    EXPECT_EQ(slot.GetDurationString(), c.durationText);
    EXPECT_EQ(slot.GetSlotTypeString(), c.typeText);
    EXPECT_EQ(slot.GetStatusString(), c.statusText);
  }
}

TEST(TimeSlotTextTest, ToStringLines) {
  CTimeSlot absolute(kNine, kFive, 480);
  CTimeSlot relative(absolute);
  relative.AddDays(2u | 8u);
  relative.SetSlotType(0);
  CTimeSlot otherType(absolute);
  otherType.SetSlotType(2);
  otherType.SetValidity(5);
  otherType.AddDays(1u);
  char minutes[] = "(90)";
  const CTimeSlot unreadable("xyz", minutes, 1);
  const CTimeSlot fresh;
  struct Case {
    const char* name;
    const CTimeSlot& slot;
    const char* text;
  } cases[] = {
      {"absolute", absolute,
       "StartTime: 4/14/2003 9:00:00 AM\nEndTime: 4/14/2003 5:00:00 PM\nDuration: 480 Minutes\n"
       "Valid: TRUE\nSlotType : Absolute\nDays : No Days"},
      {"relative", relative,
       "StartTime: 1/1/1000 9:00:00 AM\nEndTime: 1/1/1000 5:00:00 PM\nDuration: 480 Minutes\n"
       "Valid: TRUE\nSlotType : Relative\nDays : Monday Wednesday "},
      {"type 2, flag 5", otherType,
       "StartTime: 4/14/2003 9:00:00 AM\nEndTime: 4/14/2003 5:00:00 PM\nDuration: 480 Minutes\n"
       "Valid: TRUE\nSlotType : Days : Sunday "},
      {"unreadable start", unreadable,
       "StartTime: Invalid DateTime\nEndTime: 1:30:00 AM\nDuration: 90 Minutes\n"
       "Valid: TRUE\nSlotType : Absolute\nDays : No Days"},
      {"default", fresh,
       "StartTime: 12:00:00 AM\nEndTime: 12:00:00 AM\nDuration: 0 Minutes\n"
       "Valid: FALSE\nSlotType : Absolute\nDays : No Days"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.slot.ToString(), c.text) << c.name;
  }
}

TEST(TimeSlotTextTest, ToStringDebugLines) {
  char minutes[] = "(90)";
  struct Case {
    const char* name;
    CTimeSlot slot;
    const char* text;
  } cases[] = {
      {"absolute", CTimeSlot(kNine, kFive, 480),
       "StartTime: 4/14/2003 9:00:00 AM\nHours: 9 Minutes: 0 Seconds: 0\n"
       "EndTime: 4/14/2003 5:00:00 PM\nHours: 17Minutes: 0Seconds: 0\n"
       "Duration: 480 Minutes\nValid: TRUE\n"},
      {"default", CTimeSlot(),
       "StartTime: 12:00:00 AM\nHours: 0 Minutes: 0 Seconds: 0\n"
       "EndTime: 12:00:00 AM\nHours: 0Minutes: 0Seconds: 0\n"
       "Duration: 0 Minutes\nValid: FALSE\n"},
      {"unreadable start", CTimeSlot("xyz", minutes, 0),
       "StartTime: Invalid DateTime\nHours: -1 Minutes: -1 Seconds: -1\n"
       "EndTime: 1:30:00 AM\nHours: 1Minutes: 30Seconds: 0\n"
       "Duration: 90 Minutes\nValid: FALSE\n"},
      {"seconds", CTimeSlot(COleDateTime(2003, 4, 14, 8, 15, 30), 1),
       "StartTime: 4/14/2003 8:15:30 AM\nHours: 8 Minutes: 15 Seconds: 30\n"
       "EndTime: 4/14/2003 8:16:30 AM\nHours: 8Minutes: 16Seconds: 30\n"
       "Duration: 1 Minutes\nValid: TRUE\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.slot.ToStringDebug(), c.text) << c.name;
  }
}

}  // namespace
}  // namespace dayweave
