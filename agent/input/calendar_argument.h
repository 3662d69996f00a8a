// A calendar as the command line names it: its source, and the zone its owner keeps when the
// name ends in @ZONE.
//
//   SplitCalendarArgument("ana.ics@America/New_York");   // {"ana.ics", "America/New_York"}
//   SplitCalendarArgument("https://ana@cal.example.org/dav/ana/");   // the whole URL, no zone
//   SplitCalendarArgument("team@home.ics");              // the whole name: "home.ics" is no zone
//
// The text after the last @ is taken as a zone only when it names one (an IANA name, or UTC and
// its kin), so that addresses and URLs with an @ in them stay whole.
#pragma once

#include <optional>
#include <string>

namespace dayweave::agent {

struct CalendarArgument {
  std::string source;               // a file, "-", or a URL
  std::optional<std::string> zone;  // the @ZONE suffix
};

// SplitCalendarArgument
// The source and the zone of a CALENDAR argument.
CalendarArgument SplitCalendarArgument(const std::string& text);

}  // namespace dayweave::agent
