// A short tour of what the library answers: date-time values and their text, spans, and
// sets of days of the week.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

// Two slots as another agent sends them, kept in a store and reported back in KQML.
void ShowSlotsAndStore() {
  CTimeSlotStore store;
  store.Add(new CTimeSlot("(4/14/2003 9:00 AM)", "(4/14/2003 12:00 PM)", 180), "free", "morning");
  store.Add(new CTimeSlot("(4/15/2003 2:00 PM)", "(4/15/2003 3:30 PM)", 90), "busy", "review");
  std::printf("\nA store of two slots:\n%s", store.ToString().GetString());
  std::printf("As a KQML message:   %s\n", store.ToKQML().GetString());
}

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
  return 0;
}
