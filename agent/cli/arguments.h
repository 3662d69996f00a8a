// The kinds of argument the commands take, each declared on a CLI11 command with its reading
// into a typed value, its check and its error text in one call.
//
//   std::optional<local_seconds> when;
//   AddWallClock(app, "WHEN", when, "the moment asked about")->required();
//   // dayweave free CALENDAR 4/31/2003  ->  dayweave: free: WHEN "4/31/2003" is not a date and
//   time
//
// Dates and times are read by the library's own ParseDateTime (4/14/2003 9:30 AM,
// 2003-04-14T09:30, 4/15/2003, 2003-04-15) and taken on the display clock. A moment (WHEN,
// FROM, TO) may also be an instant in ISO 8601 with Z or an offset (2003-01-13T10:00Z,
// 2003-01-13T10:00+02:00), which the display zone puts on its clock once it is known.
#pragma once

#include <CLI/CLI.hpp>

#include <chrono>
#include <optional>
#include <string>
#include <variant>

#include "agent/cli/invocation.h"

namespace dayweave::agent {

// The most minutes a stretch or a step may take: 366 days.
constexpr std::chrono::minutes kMostMinutes = std::chrono::days{366};

// The daily hours within which slots lie.
struct DailyHours {
  std::chrono::seconds from;
  std::chrono::seconds to;  // up to 24 hours
};

// ReadWallClock, ReadMinutes, ReadHours
// The value of an argument's text, or nothing when the text is not one: a date and time of
// the library's, a whole number of minutes from 1 to kMostMinutes, HH:MM-HH:MM with the first
// time before the second (24:00 the latest).
std::optional<std::chrono::local_seconds> ReadWallClock(const std::string& text);
std::optional<std::chrono::minutes> ReadMinutes(const std::string& text);
std::optional<DailyHours> ReadHours(const std::string& text);

// A moment as a command line gives it: a time of the display clock, or an instant.
using Moment = std::variant<std::chrono::local_seconds, std::chrono::sys_seconds>;

// ReadMoment
// The moment of an argument's text: an ISO 8601 instant (iso_instant.h), else a date and time
// of the library's; nothing when it is neither.
std::optional<Moment> ReadMoment(const std::string& text);

// OnDisplayClock
// A moment on the display clock: a wall-clock time as it is, an instant converted.
std::chrono::local_seconds OnDisplayClock(const Moment& moment, icaltimezone* display);

// AddWallClock, AddMoment, AddDate, AddMinutes, AddHours
// Declare an argument (a positional NAME or an option --name) read into `target`.
CLI::Option* AddWallClock(CLI::App& app, const std::string& name,
                          std::optional<std::chrono::local_seconds>& target,
                          const std::string& help);
CLI::Option* AddMoment(CLI::App& app, const std::string& name, std::optional<Moment>& target,
                       const std::string& help);
CLI::Option* AddDate(CLI::App& app, const std::string& name,
                     std::optional<std::chrono::local_days>& target, const std::string& help);
CLI::Option* AddMinutes(CLI::App& app, const std::string& name,
                        std::optional<std::chrono::minutes>& target, const std::string& help);
CLI::Option* AddHours(CLI::App& app, const std::string& name, std::optional<DailyHours>& target,
                      const std::string& help);

// AddSeconds
// Declares an option --name SECONDS, a whole number of seconds from 1 to a day, read into
// `target`.
void AddSeconds(CLI::App& app, const std::string& name, std::chrono::seconds& target,
                const std::string& help);

// AddZone
// Declares --tz NAME, a zone libical knows, read into `target`.
void AddZone(CLI::App& app, std::string& target);

// AddCalendarArguments
// Declares CALENDAR, --tz NAME and --verbose, the arguments of every command that reads a
// calendar, and the options of a calendar on a server (--user NAME, --netrc FILE, --cacert
// FILE, --timeout SECONDS, --max-bytes BYTES); CALENDAR comes first among the positionals.
void AddCalendarArguments(CLI::App& app, CalendarArguments& target);

// AddServerArguments
// Declares --user NAME, --netrc FILE, --cacert FILE, --timeout SECONDS and --max-bytes BYTES,
// the login and limits of calendars on servers.
void AddServerArguments(CLI::App& app, ServerArguments& target);

// DateText
// A wall-clock time as the library writes it, for messages.
std::string DateText(std::chrono::local_seconds time);

}  // namespace dayweave::agent
