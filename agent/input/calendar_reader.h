// Reading an iCalendar file (RFC 5545) with libical into one record per event.
//
//   CalendarFile file = ReadCalendar(text, "work.ics");
//   if (!file.error.empty()) ...                     // not a calendar at all
//   for (const EventRecord& event : file.events) ... // the events that could be read
//
// Each VEVENT becomes an EventRecord holding what the agent hands to an appointment (texts,
// busy status, reminder, duration) and the component itself, which the rule mapping and the
// expansion read further. The records keep the file's order and number the events from 1 in
// that order, skipped ones included, so the number of an event is its position in the file.
//
// BROKEN EVENTS
//   An event that cannot be placed in time (no DTSTART, a date-time libical cannot read, a
//   start or end the library's date-time value cannot hold, an unknown TZID, an end before the
//   start) is left out with one warning line naming the file, the event's line and its UID;
//   the rest of the calendar still answers:
//
//   work.ics:14: event 2 (UID b7@example.com) skipped: it has no DTSTART
#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>
#include <vector>

namespace dayweave::agent {

struct EventRecord {
  int index = 0;  // position among the file's events, from 1
  int line = 0;   // line of its BEGIN:VEVENT, 0 when not known
  std::string uid;

  std::string subject;    // SUMMARY
  std::string body;       // DESCRIPTION
  std::string location;   // LOCATION
  std::string required;   // ATTENDEE addresses with ROLE=REQ-PARTICIPANT or no role, "; "
  std::string optional;   // ATTENDEE addresses with ROLE=OPT-PARTICIPANT, "; "
  std::string attribute;  // CATEGORIES, ", "

  int status = 2;        // 0 free, 1 tentative, 2 busy, 3 out of office
  int reminderFlag = 0;  // 1 when the first alarm has a relative trigger
  long reminder = 0;     // minutes before the start
  long duration = 0;     // minutes from start to end

  icaltimetype start{};                // DTSTART, with its zone
  icaltimetype end{};                  // DTEND, or DTSTART plus DURATION, or the default end
  icalcomponent* component = nullptr;  // owned by the CalendarFile

  // The RECURRENCE-ID of every other event of the file that overrides one occurrence of this
  // one (same UID); empty for most events.
  std::vector<icaltimetype> overridden;
};

// A calendar as read: its events, a warning line per skipped event, or an error line when the
// text is no calendar at all. Owns the libical components the records point into.
struct CalendarFile {
  std::string name;
  std::string error;
  std::vector<EventRecord> events;
  std::vector<std::string> warnings;
  std::shared_ptr<icalcomponent> root;
};

// ReadCalendar
// Reads iCalendar text; `name` is how messages name the file.
CalendarFile ReadCalendar(const std::string& text, const std::string& name);

// EventLabel
// How messages name an event: "work.ics:14: event 2 (UID b7@example.com)", leaving out the
// line or the UID when it is not known.
std::string EventLabel(const std::string& fileName, const EventRecord& event);

// BusyStatusOf
// The appointment status of a VEVENT, by the first rule that applies:
// X-MICROSOFT-CDO-BUSYSTATUS (FREE 0, TENTATIVE 1, BUSY 2, OOF 3, other values 2),
// STATUS:CANCELLED 0, STATUS:TENTATIVE 1, TRANSP:TRANSPARENT 0, otherwise 2.
int BusyStatusOf(icalcomponent* event);

}  // namespace dayweave::agent
