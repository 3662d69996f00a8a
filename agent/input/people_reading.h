// The calendars of a meeting's people, read side by side on the machine's cores: each file
// read and parsed with libical, its owner's zone settled, and its busy time over a window.
//
//   ZoneOffsetCache cache;
//   std::vector<PersonCalendar> people =
//       ReadPeople({{"ana.ics", "America/New_York"}, {"bo.ics", {}}}, "", berlin, window, cache);
//   people[1].zoneName;     // the X-WR-TIMEZONE of bo.ics, or "Europe/Berlin"
//
// THE OWNER'S ZONE
//   A calendar named CALENDAR@ZONE belongs to someone in ZONE. Otherwise the calendar's own
//   X-WR-TIMEZONE says, when it names a zone libical knows (else a warning says it was not
//   used), and failing that the fallback zone (the one given with --tz).
#pragma once

#include <libical/ical.h>

#include <string>
#include <vector>

#include "agent/input/calendar_argument.h"
#include "agent/input/calendar_reader.h"
#include "agent/input/zone_offsets.h"
#include "agent/schedule/busy_time.h"

namespace dayweave::agent {

struct PersonCalendar {
  CalendarArgument argument;
  std::string error;  // why the calendar could not be read at all; then nothing else is set
  CalendarFile file;
  icaltimezone* zone = nullptr;
  std::string zoneName;
  std::shared_ptr<const ZoneOffsets> clock;
  BusyTime busy;
  std::vector<std::string> warnings;  // skipped events and the like, one line each
};

// Fallback
// The zone of a calendar that names none, and its name.
struct Fallback {
  icaltimezone* zone;
  std::string name;
};

// ReadPeople
// Reads every calendar (`standardInput` is the text of "-") with its busy time over `window`,
// in the order given; the zone tables come from `cache`.
std::vector<PersonCalendar> ReadPeople(const std::vector<CalendarArgument>& calendars,
                                       const std::string& standardInput, const Fallback& fallback,
                                       Interval window, ZoneOffsetCache& cache);

// ReadPersonText
// One calendar from its text, named `name` in messages.
PersonCalendar ReadPersonText(const CalendarArgument& argument, const std::string& text,
                              const std::string& name, const Fallback& fallback, Interval window,
                              ZoneOffsetCache& cache);

// CalendarZoneName
// The X-WR-TIMEZONE of a calendar, or "" when it has none.
std::string CalendarZoneName(const CalendarFile& file);

}  // namespace dayweave::agent
