// Calendars read from where they live: a CalDAV calendar collection (RFC 4791) or a published
// iCalendar URL, several at once.
//
//   FetchOptions options{.credentials = CredentialsFromEnvironment("ana", ""), .limits = {}};
//   TimeWindow week{from, to};  // the instants [from, to) the command asks about
//   std::vector<FetchedCalendar> calendars =
//       FetchCalendars({"https://cal.example.org/ana/work/"}, week, options);
//   if (!calendars[0].error.empty()) ...       // one line naming the URL and what went wrong
//   for (const CalendarResource& resource : calendars[0].resources) ...  // ordered by href
//
// HOW A URL IS READ
//   A PROPFIND of depth 0 asks what the URL is. When the answer is a multistatus naming a
//   calendar collection, a REPORT calendar-query asks for the VEVENTs whose time range meets
//   the window, widened by a day on each side (servers read floating times as UTC in these
//   filters; the caller keeps exactly what it needs), and reads each response's calendar-data.
//   Any other answer but 401 or 403 (a plain web server says 405 or 501) makes it a published
//   calendar: a GET whose body must be a VCALENDAR.
//
// WHAT COMES BACK
//   The resources ordered by href, so that a calendar's events can be numbered by resource
//   name, then by position within the resource. The collection's calendar-timezone, a
//   VCALENDAR holding one VTIMEZONE, is the person's zone, the part X-WR-TIMEZONE plays in a
//   file. A calendar-data item that is no VCALENDAR is left out with a warning; an answer
//   that cannot be used (no connection, a timeout, "not authorised", 404, 5xx, no iCalendar,
//   no well-formed multistatus, too large) makes the calendar's `error`:
//
//   dayweave: https://cal.example.org/ana/work/: not authorised (HTTP 401)
#pragma once

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "agent/input/calendar_reader.h"
#include "agent/input/credentials.h"
#include "agent/input/http_client.h"

namespace dayweave::agent {

// The instants [from, to) a command asks about.
struct TimeWindow {
  std::chrono::sys_seconds from;
  std::chrono::sys_seconds to;
};

struct FetchOptions {
  CredentialOptions credentials;
  HttpLimits limits;
};

// One calendar object resource: its href, its URL as messages show it, and its text.
struct CalendarResource {
  std::string href;  // "" for a published calendar read with a GET
  std::string url;
  std::string text;
};

struct FetchedCalendar {
  std::string url;    // as messages show it, without credentials
  std::string error;  // "URL: what went wrong", "" when the calendar was read
  std::vector<CalendarResource> resources;
  std::vector<std::string> warnings;
  std::string timeZone;                // the calendar-timezone VCALENDAR text, "" when none
  std::string timeZoneId;              // the TZID of its VTIMEZONE
  std::vector<std::string> exchanges;  // "PROPFIND URL: HTTP 207, 512 bytes", for --verbose
};

// FetchCalendars
// Reads every URL at once; `window` nullopt asks for all events. The answers keep the order
// of `urls`. A stop requested through `stop` ends the reading at once, each calendar not yet
// read with an error.
std::vector<FetchedCalendar> FetchCalendars(const std::vector<std::string>& urls,
                                            const std::optional<TimeWindow>& window,
                                            const FetchOptions& options, std::stop_token stop = {});

// ReadFetchedCalendar
// The calendar read from the resources of `fetched` (which has no error), named by its URL.
CalendarFile ReadFetchedCalendar(const FetchedCalendar& fetched);

}  // namespace dayweave::agent
