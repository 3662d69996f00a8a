// The meet and freebusy commands: a meeting time among several people's calendars, and their
// busy time together as an iCalendar VFREEBUSY.
//
//   dayweave meet 2024-03-04 2024-03-09 60 ana.ics@America/New_York bo.ics --optional cy.ics
//   dayweave freebusy 2024-03-04 2024-03-09 ana.ics bo.ics
//   dayweave meet 2024-03-04 2024-03-09 60 https://ana@cal.example.org/ana/work/ bo.ics
//
// MeetOptions holds the command line's words as given; RunMeet checks every one of them
// before a calendar is read, then reads the calendars side by side (those at URLs fetched all
// at once, asked only for the times the search needs), searches (meeting_search.h) and writes
// the answer in the form asked for. Exit status: 0 with a slot (and always for the
// VFREEBUSY), 1 with none (and one line on standard error saying why), 2 on an error, a
// calendar that cannot be read among them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "agent/cli/invocation.h"
#include "agent/cli/program.h"

namespace dayweave::agent {

struct MeetOptions {
  enum class Form { kKqml, kText, kJson, kIcs };

  std::string command = "meet";  // "meet", or "freebusy" (which has no MINUTES)
  std::string from;
  std::string to;
  std::string minutes;                   // unused for freebusy
  std::vector<std::string> calendars;    // the required people, CALENDAR[@ZONE]
  std::vector<std::string> optional;     // --optional, one calendar per use
  std::optional<std::string> step;       // --step MINUTES
  std::optional<std::string> hours;      // --hours HH:MM-HH:MM
  std::vector<std::string> personHours;  // --person-hours CALENDAR=HH:MM-HH:MM, one per use
  bool weekdays = false;                 // --weekdays
  std::optional<std::string> tentative;  // --tentative busy|free
  std::optional<std::string> limit;      // --limit N
  std::optional<std::string> tz;         // --tz ZONE
  Form form = Form::kKqml;               // --text, --json, --ics
  bool verbose = false;                  // --verbose: the HTTP exchanges with servers
  ServerArguments server;                // the login and limits of the calendars at URLs
};

// RunMeet
// Runs meet (or freebusy, with form kIcs and no minutes) and answers the exit status.
int RunMeet(const MeetOptions& options, AgentIo& io);

// DeclareMeetOptions
// Declares FROM, TO, MINUTES (not for freebusy), CALENDAR..., --tz, --verbose and the server
// options on `app`, read into `options` as written; RunMeet checks them.
void DeclareMeetOptions(CLI::App& app, MeetOptions& options);

}  // namespace dayweave::agent
