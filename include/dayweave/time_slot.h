// CTimeSlot: a stretch of time with a start, an end, a length in whole minutes, a validity
// flag, a slot type and the days of the week it applies on.
//
//   CTimeSlot work(COleDateTime(2003, 4, 14, 9, 0, 0), COleDateTime(2003, 4, 14, 17, 0, 0));
//   work.GetDuration();                      // 480, and IsValid() is 1
//
// ABSOLUTE AND RELATIVE SLOTS
//   An absolute slot (type 1) is a real stretch of the calendar and has no days. A relative
//   slot (type 0) is a time of day on chosen days of the week: its start and end keep only
//   their hour, minute and second and sit on the reference day, 1 January 1000, so relative
//   slots compare and subtract like absolute ones. Any other type is stored and kept, and is
//   neither relative nor absolute.
//
//   work.AddDays(2 | 8);                     // Monday and Wednesday
//   work.SetSlotType(0);                     // 1/1/1000 9:00:00 AM to 5:00:00 PM, still 480
//
//   The date is dropped, so a slot that crossed midnight (22:00 to 02:00 the next day) comes
//   out with its end before its start and a duration of -1200 minutes. Making a slot absolute
//   again empties its days but leaves its times on 1 January 1000.
//
// CONSISTENCY
//   The slot does not keep itself consistent. The single-field setters (SetStartTime,
//   SetEndTime, SetDuration, SetValidity and the two-argument SetTimeSlot) change what they
//   name and nothing else; the validity flag is the only summary, and only the operations that
//   say so compute it. A duration is always the whole minutes of end - start, half a second
//   short counting as the whole minute (COleDateTimeSpan::GetWholeMinutes).
//
// COMPARISON
//   Contains is inclusive at both ends: a slot contains an equal slot. OverLaps counts only a
//   staggered overlap, in which each slot has a part outside the other: 09:00-12:00 overlaps
//   11:00-14:00, but not 12:00-14:00 (they only touch) nor 10:00-11:00 (contained). A relative
//   slot lies on 1 January 1000 and therefore wholly before any absolute slot of a later date.
//
// TEXT
//   The text constructors read date-time texts as COleDateTime::ParseDateTime does, each
//   optionally wrapped in parentheses as a KQML message writes them, and a duration in whole
//   minutes as atoi reads it:
//
//   CTimeSlot sent("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480);  // valid, 480 minutes
//   CTimeSlot from("(4/14/2003 9:00 AM)", "(90)", 1);                  // 09:00 to 10:30
//
//   Which of them a call selects depends on its second argument. A CString, a string literal
//   or a const char* there selects the start-and-end constructor; a writable char* selects
//   the start-and-duration one. An end text that is only a whole number, such as "(90)", is
//   no date, so when it comes as a literal or a const char* the start-and-end constructor
//   reads it as minutes and takes its third argument as the validity flag, just as the
//   start-and-duration constructor does. Both calls below give 09:00 to 10:30, valid:
//
//   char minutes[] = "(90)";
//   CTimeSlot a("(4/14/2003 9:00 AM)", "(90)", 1);     // a literal: "(90)" read as minutes
//   CTimeSlot b("(4/14/2003 9:00 AM)", minutes, 1);    // a writable text: the duration
//
//   A CString end text is always read as a date-time: CTimeSlot(start, CString("(90)"), 1) is
//   invalid.
#pragma once

#include "dayweave/date_time.h"
#include "dayweave/day.h"
#include "dayweave/export.h"
#include "dayweave/object.h"
#include "dayweave/text.h"

namespace dayweave {

class DAYWEAVE_API CTimeSlot : public CObject, public CDay {
 public:
  // CONSTRUCTION

  // An absolute, invalid slot of 0 minutes from and to 30 December 1899 midnight, no days.
  CTimeSlot();
  // A copy of every value: validity, start, end, duration, type and days.
  CTimeSlot(const CTimeSlot& other);
  // As SetTimeSlotValid(start, end, duration): valid when `duration` matches start and end.
  CTimeSlot(COleDateTime start, COleDateTime end, int duration);
  // From start to end, with the duration they span; always valid.
  CTimeSlot(COleDateTime start, COleDateTime end);
  // As SetTimeSlot(start, duration): `duration` minutes from `start`, valid.
  CTimeSlot(COleDateTime start, int duration);

  // Reads a start and an end text (parentheses around them are dropped). When both read, the
  // slot is SetTimeSlotValid(start, end, duration); when either does not, the slot keeps its
  // default values with validity 0 and nothing read is stored.
  CTimeSlot(CString startText, CString endText, int duration);
  // The constructor above for a literal or const char* end text, except that an end text that
  // is only a whole number (parentheses dropped, an optional minus sign) is read as minutes:
  // the slot is then what CTimeSlot(startText, minutes, duration) with a writable text gives,
  // the third argument being the validity flag.
  CTimeSlot(CString startText, const char* endText, int duration);
  // As the start-and-end constructor, with the duration read from `durationText` (parentheses
  // dropped, read as atoi reads it; a null pointer or a text without a number reads as 0).
  CTimeSlot(CString startText, CString endText, const char* durationText);
  // Reads the start text and the duration text and sets SetTimeSlot(start, minutes, valid).
  // The flag is taken as given: a start that does not read only shows in the start's status.
  CTimeSlot(CString startText, char* durationText, int valid);

  ~CTimeSlot() override;

  // operator=
  // Takes every value of the other slot; answers this slot.
  CTimeSlot& operator=(const CTimeSlot& other);

  // GETTERS

  // GetStartTime, GetEndTime
  // Copies of the start and the end.
  COleDateTime GetStartTime() const;
  COleDateTime GetEndTime() const;
  // GetDuration
  // The duration in minutes as stored, which need not match start and end.
  int GetDuration() const;
  // IsValid
  // The validity flag as stored (1 valid, 0 invalid, or whatever number a caller gave).
  int IsValid() const;
  // GetSlotType
  // 0 relative, 1 absolute, or any other number stored by SetSlotType.
  int GetSlotType() const;
  // IsRelative, IsAbsolute
  // 1 when the slot type is 0, respectively 1.
  int IsRelative() const;
  int IsAbsolute() const;

  // SETTERS THAT CHANGE ONLY WHAT THEY NAME
  // Start, end, both, duration or validity flag; nothing is recomputed.

  void SetStartTime(COleDateTime start);
  void SetEndTime(COleDateTime end);
  void SetTimeSlot(COleDateTime start, COleDateTime end);
  void SetDuration(int minutes);
  void SetValidity(int flag);

  // SETTERS THAT MAKE AN ABSOLUTE SLOT (type 1, no days)

  // SetTimeSlot
  // From start to end with the duration they span, and the validity flag given.
  void SetTimeSlot(COleDateTime start, COleDateTime end, int valid);
  // SetTimeSlotValid
  // From start to end with the duration given; valid only when that duration matches start
  // and end. A mismatched duration is kept as given.
  void SetTimeSlotValid(COleDateTime start, COleDateTime end, int duration);
  // SetTimeSlot
  // `duration` minutes from `start`, with the validity flag given (1 when omitted).
  void SetTimeSlot(COleDateTime start, int duration, int valid);
  void SetTimeSlot(COleDateTime start, int duration);

  // TYPE AND ATTRIBUTES

  // SetSlotType
  // Type 0 moves start and end onto 1 January 1000 and recomputes the duration; type 1
  // empties the days; any other type is only stored. The validity flag does not change.
  void SetSlotType(int type);
  // SetAttributes
  // Takes the validity flag and the days, then SetSlotType(type); type 1 therefore leaves no
  // days.
  void SetAttributes(int valid, int type, const CDay* days);

  // COMPARISON (ranges, type, days and flags as each says; neither slot changes)

  // operator==
  // 1 when duration, start and end day counts, type, days and validity flag are all equal.
  int operator==(const CTimeSlot& other) const;
  // IsTimeRangeEqual
  // 1 when start and end day counts and durations are equal.
  int IsTimeRangeEqual(const CTimeSlot& other) const;
  int IsTimeRangeEqual(const CTimeSlot* other) const;
  // Contains
  // 1 when the other slot lies within this one, both ends included.
  int Contains(const CTimeSlot& other) const;
  int Contains(const CTimeSlot* other) const;
  // OverLaps
  // 1 when the two slots overlap with each having a part outside the other (see COMPARISON).
  int OverLaps(const CTimeSlot& other) const;
  int OverLaps(const CTimeSlot* other) const;

  // COMBINATION

  // operator+
  // A new slot from the earlier start to the later end, created with new: the caller owns it
  // and must delete it. When either operand is relative the result is relative, valid, on
  // the days of both; otherwise it is absolute, invalid, of duration 0 and without days.
  //
  //   CTimeSlot& both = morning + afternoon;
  //   ...
  //   delete &both;
  CTimeSlot& operator+(const CTimeSlot& other) const;

  // TEXT

  // RemoveParens
  // The text without its leading run of "(" and its trailing run of ")"; the runs need not
  // match: "((480))" gives "480", "(a)(b)" gives "a)(b", ")x(" stays as it is.
  static CString RemoveParens(const CString& text);

  // GetDurationString, GetSlotTypeString, GetStatusString
  // "480"; "Relative" for type 0 and "Absolute" for any other; "InValid" for flag 0 and
  // "Valid" for any other.
  CString GetDurationString() const;
  CString GetSlotTypeString() const;
  CString GetStatusString() const;

  // ToString
  // Six lines, the last without a line feed:
  //   StartTime: 4/14/2003 9:00:00 AM
  //   EndTime: 4/14/2003 5:00:00 PM
  //   Duration: 480 Minutes
  //   Valid: TRUE
  //   SlotType : Absolute
  //   Days : No Days
  // A type other than 0 and 1 writes no name, so "SlotType : Days : ..." share one line.
  CString ToString() const;

  // ToStringDebug
  // Start and end with their hour, minute and second (-1 each when unreadable), the duration
  // and the validity, ending in a line feed. The end's fields are not separated by blanks:
  //   StartTime: 4/14/2003 9:00:00 AM
  //   Hours: 9 Minutes: 0 Seconds: 0
  //   EndTime: 4/14/2003 5:00:00 PM
  //   Hours: 17Minutes: 0Seconds: 0
  //   Duration: 480 Minutes
  //   Valid: TRUE
  CString ToStringDebug() const;

  // AssertValid, Dump
  // The framework object's diagnostic hooks; a slot has nothing to check or dump.
  void AssertValid() const override;
  void Dump() const override;

 protected:
  int m_nValid = 0;
  COleDateTime m_StartTime;
  COleDateTime m_EndTime;
  int m_nDuration = 0;
  int m_nSlotType = 1;
};

}  // namespace dayweave
