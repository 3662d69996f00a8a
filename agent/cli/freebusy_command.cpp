// dayweave freebusy FROM TO CALENDAR...: the calendars' busy time together as an iCalendar
// VFREEBUSY, as meet --ics writes it.
#include <memory>

#include "agent/cli/command.h"
#include "agent/cli/meet_command.h"

namespace dayweave::agent {

Command FreeBusyCommand() {
  return {"freebusy", "the busy time of the calendars from FROM to TO as iCalendar free/busy",
          "One VFREEBUSY (RFC 5545) over FROM to TO (on the --tz clock) for all the calendars\n"
          "together, written with libical: DTSTART, DTEND and the FREEBUSY periods in UTC,\n"
          "merged and in order, out of office as BUSY-UNAVAILABLE, tentative as\n"
          "BUSY-TENTATIVE (a minute of several kinds under the strongest).",
          [](CLI::App& app, Invocation&) -> Handler {
            auto options = std::make_shared<MeetOptions>();
            options->command = "freebusy";
            options->form = MeetOptions::Form::kIcs;
            DeclareMeetOptions(app, *options);
            return [options](Invocation& run) { return RunMeet(*options, run.Io()); };
          }};
}

}  // namespace dayweave::agent
