// The codes of a recurrence rule, named: its types, the instance that means "last", and the
// day sets that the positions count.
//
//   CRecurrenceData lastWeekday(kMonthlyByPosition);
//   lastWeekday.SetInstance(kLastInstance);
//   lastWeekday.SetDays(kWeekdayMask);     // the last Monday-to-Friday day of each month
//
// The rule's interface takes and gives plain ints (recurrence_data.h); these names are those
// ints. A single day of the week is its CDay bit: 1 << (dayOfWeek - 1), with 1 Sunday ...
// 7 Saturday (DayBit below).
#pragma once

namespace dayweave {

// RecurrenceType
// The type codes of CRecurrenceData. Code 4 is no type: a rule of type 4 never occurs.
enum RecurrenceType : int {
  kDaily = 0,
  kWeekly = 1,
  kMonthlyByDate = 2,
  kMonthlyByPosition = 3,
  kYearlyByDate = 5,
  kYearlyByPosition = 6,
};

// kFirstInstance ... kLastInstance
// The instances of a position: the first to fourth counted day of the month, and the last.
inline constexpr int kFirstInstance = 1;
inline constexpr int kFourthInstance = 4;
inline constexpr int kLastInstance = 5;

// kWeekdayMask, kWeekendMask, kEveryDayMask
// The day sets that make the positions count weekdays (Monday to Friday), weekend days
// (Saturday and Sunday) or every day; any other set of more than one day counts nothing.
inline constexpr unsigned int kWeekdayMask = 62;
inline constexpr unsigned int kWeekendMask = 65;
inline constexpr unsigned int kEveryDayMask = 127;

// DayBit
// The CDay bit of a framework day of the week (1 Sunday ... 7 Saturday): DayBit(2) is 2,
// Monday. A number outside 1 to 7 is no day: 0.
constexpr unsigned int DayBit(int dayOfWeek) {
  return dayOfWeek >= 1 && dayOfWeek <= 7 ? 1u << (dayOfWeek - 1) : 0u;
}

}  // namespace dayweave
