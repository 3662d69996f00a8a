// The calendars of a meeting's people, read side by side on the machine's cores: each file
// read and parsed with libical, its owner's zone settled, and its busy time over a window.
// The calendars at URLs are fetched first, all at once, asking only for the window.
//
//   ZoneOffsetCache cache;
//   std::vector<PersonCalendar> people = ReadPeople(
//       {{"ana.ics", "America/New_York"}, {"https://cal.example.org/bo/home/", {}}}, "",
//       server.Fetching(), berlin, window, cache);
//   people[1].zoneName;     // the collection's calendar-timezone, or "Europe/Berlin"
//
// THE OWNER'S ZONE
//   A calendar named CALENDAR@ZONE belongs to someone in ZONE. Otherwise the calendar says:
//   a CalDAV collection by its calendar-timezone, a file (or a published calendar) by its
//   X-WR-TIMEZONE. Either is read as a TZID is (zone_names.h: an IANA name, maybe behind an
//   exporter's prefix, or a Windows zone name); one that names no zone the system knows is
//   not used, and a warning says so. Failing both, the fallback zone (the one given with
//   --tz).
#pragma once

#include <libical/ical.h>

#include <string>
#include <vector>

#include "agent/input/caldav_source.h"
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
  std::vector<std::string> warnings;   // skipped events and the like, one line each
  std::vector<std::string> exchanges;  // a URL's HTTP exchanges, one line each, for --verbose
};

// Fallback
// The zone of a calendar that names none, and its name.
struct Fallback {
  icaltimezone* zone;
  std::string name;
};

// ReadPeople
// Reads every calendar (`standardInput` is the text of "-"; the URLs fetched with `fetching`)
// with its busy time over `window`, in the order given; the zone tables come from `cache`.
std::vector<PersonCalendar> ReadPeople(const std::vector<CalendarArgument>& calendars,
                                       const std::string& standardInput,
                                       const FetchOptions& fetching, const Fallback& fallback,
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
