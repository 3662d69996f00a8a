// The appointments of a calendar as lines of text: what `dayweave list` and `dayweave occurs`
// print, in the library's own display texts.
//
//   1  R  1/6/2003 9:00:00 AM   1/6/2003 10:00:00 AM   60 Minutes  Busy  15 Minutes  Weekly review
//
// Columns: the Outlook index (the event's position in the file), "R" for a recurring
// appointment, start and end (of the first occurrence, for a recurring one), duration, busy
// status, reminder ("-" when there is none) and subject, lined up in columns.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "agent/cli/invocation.h"
#include "agent/schedule/schedule.h"

namespace dayweave::agent {

// Listed
// Every appointment of the schedule, by event and start. An expanded event contributes its
// occurrences in the year from its start; with `onDay`, only the appointments that occur on
// that day of the display clock, as the library's OccursOn answers. Warnings of the walk over the
// occurrences are added to `warnings`.
std::vector<Appointment> Listed(const Schedule& schedule,
                                std::optional<std::chrono::local_days> onDay,
                                std::vector<std::string>& warnings);

// Rows
// One line per appointment, each ending in a line feed.
std::string Rows(const std::vector<Appointment>& appointments);

// WriteListing
// What list and occurs answer: loads the calendar of `run`, writes the rows of Listed and its
// warnings, and answers the exit status.
int WriteListing(Invocation& run, std::optional<std::chrono::local_days> onDay);

}  // namespace dayweave::agent
