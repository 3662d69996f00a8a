// A short tour of what the library answers: date-time values and their text, spans, sets of
// days of the week, appointments and their availability, and a store of time slots in KQML.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

namespace {

// Two slots as another agent sends them, kept in a store and reported back in KQML.
void ShowSlotsAndStore() {
  CTimeSlotStore store;
  store.Add(new CTimeSlot("(4/14/2003 9:00 AM)", "(4/14/2003 12:00 PM)", 180), "free", "morning");
  store.Add(new CTimeSlot("(4/15/2003 2:00 PM)", "(4/15/2003 3:30 PM)", 90), "busy", "review");
  std::printf("\nA store of two slots:\n%s", store.ToString().GetString());
  std::printf("As a KQML message:   %s\n", store.ToKQML().GetString());
}

// The scheduler's typical question, asked of a weekly meeting and of a one-off appointment
// beside it: is the user free for 30 minutes from Monday 13 January 2003 09:30?
void ShowAppointments() {
  const COleDateTime patternStart(2003, 1, 6, 9, 0, 0);
  const COleDateTime patternEnd(2003, 1, 6, 10, 0, 0);
  // Busy (2), weekly, every week, Mondays, never ending.
  CAppointment weekly(1, "Team meeting", "", "Room 2", "", "", patternStart, patternEnd, 60, 1, 15,
                      2, COleDateTime(2003, 12, 31, 0, 0, 0), "", kWeekly, 1, 0, 0, patternStart,
                      patternEnd, 0, static_cast<int>(DayBit(2)));
  // Out of office (3) from 09:45 to 10:30 the same Monday.
  CAppointment dentist(2, "Dentist", "", "", "", "", COleDateTime(2003, 1, 13, 9, 45, 0),
                       COleDateTime(2003, 1, 13, 10, 30, 0), 45, 1, 90, 3,
                       COleDateTime(2003, 1, 14, 0, 0, 0), "");

  const COleDateTime when(2003, 1, 13, 9, 30, 0);
  for (CAppointment* appointment : {&weekly, &dentist}) {
    std::printf("\n%s%s: %s, %s, reminder %s\n", appointment->GetSubject().GetString(),
                appointment->IsRecurring() ? " (recurring)" : "",
                appointment->GetApptStatusString().GetString(),
                appointment->GetDurationString().GetString(),
                appointment->GetReminderString().GetString());
    std::printf(
        "  starts %s, ends %s, expires %s [%s]\n", appointment->GetStartTimeString().GetString(),
        appointment->GetEndTimeString().GetString(), appointment->GetExpiresString().GetString(),
        appointment->GetRecurringStr().GetString());
    const CString instant = "free at " + when.Format() + "?";
    std::printf("  %-36s %d\n", instant.GetString(), appointment->IsFree(when));
    std::printf("  %-36s %d\n", "free for the 30 minutes from then?",
                appointment->IsFree(when, 30));
    std::printf("  %-36s %d\n", "occurs on 13 January 2003?", appointment->OccursOn(13, 1, 2003));
  }
}

}  // namespace

int main() {
  COleDateTime when(2003, 1, 13, 9, 30, 0);
  std::printf("An instant:           %s (day %d of the week)\n", when.Format().GetString(),
              when.GetDayOfWeek());

  const COleDateTime later = when + COleDateTimeSpan(0, 0, 90, 0);
  std::printf("Ninety minutes later: %s\n", later.Format().GetString());

  COleDateTime parsed;
  parsed.ParseDateTime("2003-04-14T15:56:57");
  std::printf("Read from ISO text:   %s\n", parsed.Format().GetString());

  CDay days(2 | 8);
  days.AddDays(32);
  std::printf("A set of days:        %s(%s)\n", days.ToString().GetString(),
              days.ToStringAbb().GetString());

  ShowSlotsAndStore();
  ShowAppointments();
  return 0;
}
