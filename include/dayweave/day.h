// CDay: a set of days of the week, held as a bit mask.
//
//   CDay meetings(2 | 8);                     // Monday and Wednesday
//   meetings.ContainsMFCDays(4);              // 1: framework day 4 is Wednesday
//
// THE MASK
//   Sunday 1, Monday 2, Tuesday 4, Wednesday 8, Thursday 16, Friday 32, Saturday 64: the bit
//   of framework day number n (1 Sunday ... 7 Saturday, as COleDateTime::GetDayOfWeek gives
//   it) is 2 to the power n - 1. 0 is the empty set, 127 every day, 62 Monday to Friday and
//   65 the weekend. Bits above the seventh carry no day but are kept, compared, combined and
//   printed with the rest.
//
// REMOVING DAYS
//   RemoveDays is an exclusive-or, not a plain removal: a day of the argument that is not in
//   the set joins it. RemoveCommonDays is the plain removal.
//
//   CDay monday(2);
//   monday.RemoveDays(4);          // 6: Monday and Tuesday
//   CDay other(2);
//   other.RemoveCommonDays(4);     // 2: Monday alone
//
// TEXT
//   SetDays(CString) reads the number as the C library's atoi does; a negative number is
//   kept as its 32-bit two's-complement pattern ("-1" sets every bit). ToString names the
//   days, each followed by one blank ("Monday Wednesday "), or "No Days"; ToStringAbb gives
//   "MonWed" or "N".
#pragma once

#include "dayweave/export.h"
#include "dayweave/text.h"

namespace dayweave {

class DAYWEAVE_API CDay {
 public:
  // The empty set.
  CDay() = default;
  // The set whose mask is `days`, bit for bit.
  CDay(int days);  // NOLINT(google-explicit-constructor): framework shape
  CDay(const CDay& other) = default;
  virtual ~CDay();

  // operator=
  // Takes the other set's mask.
  CDay& operator=(const CDay& other);
  CDay& operator=(const CDay* other);

  // operator==
  // 1 when the two masks are equal in all 32 bits.
  int operator==(const CDay& other) const;

  // SetDays
  // The mask becomes `days`, or the number read from `text` as atoi reads it.
  void SetDays(unsigned int days);
  void SetDays(const CString& text);

  // GetDays, GetDaysStr
  // The mask as a signed number, and as text in signed decimal.
  int GetDays() const;
  CString GetDaysStr() const;

  // AddDays
  // Adds the days of the argument (mask OR x).
  void AddDays(const CDay& days);
  void AddDays(const CDay* days);
  void AddDays(unsigned int days);

  // RemoveDays
  // Toggles the days of the argument (mask XOR x); see REMOVING DAYS.
  void RemoveDays(const CDay& days);
  void RemoveDays(const CDay* days);
  void RemoveDays(unsigned int days);

  // RemoveCommonDays
  // Removes exactly the days the set shares with the argument.
  void RemoveCommonDays(const CDay* days);
  void RemoveCommonDays(unsigned int days);

  // GetCommonDays
  // The days the set shares with the argument (mask AND x); the set does not change.
  unsigned int GetCommonDays(const CDay* days) const;
  unsigned int GetCommonDays(unsigned int days) const;

  // ContainsDays
  // 1 when every day of the argument is in the set (an empty argument gives 1).
  int ContainsDays(const CDay& days) const;
  int ContainsDays(unsigned int days) const;

  // Intersect
  // 1 when the set shares at least one day with the argument.
  int Intersect(const CDay* days) const;
  int Intersect(unsigned int days) const;

  // ContainsMFCDays
  // 1 when framework day number `day` (1 Sunday ... 7 Saturday) is in the set; 0 for any
  // other number.
  int ContainsMFCDays(int day) const;

  // MFC2CDays
  // The bit of framework day number `day`; 0 for a number outside 1 to 7.
  unsigned int MFC2CDays(int day) const;

  // ToString, ToStringAbb
  // The day names (see TEXT).
  CString ToString() const;
  CString ToStringAbb() const;

 protected:
  unsigned int m_days = 0;
};

}  // namespace dayweave
