// The recurrence rule shapes that the libical the agent is built with (3.0.16, as Debian 12
// ships it) expands wrongly, found by running it over the cases of
// agent/input/testdata/recurrence_cases.txt and comparing with the agent's own expansion.
//
//   LibicalFault(icalrecurrencetype_from_string("FREQ=DAILY;BYMONTHDAY=-1"), dtstart)
//       == "a negative BYMONTHDAY or BYYEARDAY with FREQ=DAILY or finer"
//   LibicalFault(icalrecurrencetype_from_string("FREQ=WEEKLY;BYDAY=MO"), dtstart).empty()
//
// The shapes, with what libical makes of them:
//   - a value named twice in one BY list (BYDAY=SU,TH,TH): the occurrence twice;
//   - BYWEEKNO: other days than the weeks' (week 53 and negative weeks: none or wrong ones);
//   - BYSETPOS, except over whole days of the week of a month or year at positions every
//     month reaches (BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1): with FREQ=WEEKLY or finer, or with
//     BYHOUR, BYMINUTE or BYSECOND, positions counted over the wrong set; a position the set
//     never reaches (FREQ=MONTHLY;BYSETPOS=3 alone) makes libical search for ever;
//   - a negative BYMONTHDAY with FREQ=DAILY: those days missing (BYMONTHDAY=-1,-2 gives
//     nothing at all);
//   - FREQ=HOURLY, MINUTELY or SECONDLY: started late (icalrecur_iterator_set_start, as the
//     agent starts a rule near the time asked about) it keeps DTSTART's clock time instead of
//     DTSTART's step (FREQ=HOURLY;INTERVAL=4 from 22:57:12 started at 13:34 gives 16:57, not
//     14:57); and with any BY part: BYHOUR=8 from 05:25 starts the next day, BYHOUR=2,19,22 from
//     22:20 gives 22:20 twice, BYHOUR=7 with FREQ=MINUTELY keeps DTSTART's minute (07:39, not
//     07:00), BYSECOND=4,5 repeats and disorders seconds, an INTERVAL above 1 is ignored within the
//     day, a negative BYYEARDAY gives nothing, and BYMONTH=9 with FREQ=SECONDLY keeps libical
//     stepping second by second for minutes;
//   - BYYEARDAY with another FREQ than YEARLY, or with BYMONTH or BYMONTHDAY, and BYMONTH with
//     BYMONTHDAY that name no date together (BYMONTH=2;BYMONTHDAY=30): libical searches day
//     by day to its last year, for seconds or without end;
//   - FREQ=WEEKLY with INTERVAL above 1 from a DTSTART on none of its BYDAY days, or with a
//     WKST other than MO and a BYDAY day before DTSTART's in DTSTART's week: weeks counted
//     from the wrong week (BYDAY=SU every other week from a Friday skips the first Sunday;
//     BYDAY=TU,TH,FR;WKST=SA from a Thursday leaves out DTSTART and the Friday after it);
//   - BYHOUR, BYMINUTE or BYSECOND with a date DTSTART: the date repeated.
// Every other shape of the table is expanded right, and stays with libical.
#pragma once

#include <libical/ical.h>

#include <string>

namespace dayweave::agent {

// LibicalFault
// Which of the shapes above `rule` with DTSTART `start` has (the first that applies, as a
// phrase for messages); empty when libical expands it right.
std::string LibicalFault(const icalrecurrencetype& rule, const icaltimetype& start);

}  // namespace dayweave::agent
