#include "agent/cli/listing.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

constexpr std::size_t kColumns = 8;

std::array<std::string, kColumns> Columns(const Appointment& a) {
  const CAppointment& library = a.appointment;
  return {library.GetOutlookIndexStr().str(),
          library.GetRecurringStr().str(),
          library.GetStartTimeString().str(),
          library.GetEndTimeString().str(),
          library.GetDurationString().str(),
          library.GetApptStatusString().str(),
          library.IsReminder() ? library.GetReminderString().str() : "-",
          a.event->subject};
}

bool ByEventThenStart(const Appointment& a, const Appointment& b) {
  if (a.event->index != b.event->index) return a.event->index < b.event->index;
  return a.start < b.start;
}

// The most occurrences the list shows of one expanded event: a rule that recurs every minute
// would otherwise fill the listing, and memory, with half a million rows.
constexpr long kMostListedOccurrences = 1000;

// The occurrences of an expanded event that start in the year from its first start.
void AddFirstYear(const Schedule& schedule, const ExpandedEvent& expanded,
                  std::vector<Appointment>& listed, std::vector<std::string>& warnings) {
  const EventRecord& event = *expanded.event;
  const local_seconds first = ToDisplay(event.start, schedule.Display());
  // The same date a year later; 29 February counts on to 1 March.
  const local_days firstDay = floor<days>(first);
  const year_month_day date{firstDay};
  const local_seconds until = local_days{(date.year() + years{1}) / date.month() / 1} +
                              (date.day() - day{1}) + TimeOfDay(first);
  OccurrenceStream stream(event, schedule.Display(), EventTimeOf(event.start));
  Occurrence occurrence;
  long count = 0;
  // An override with RANGE=THISANDFUTURE may move later occurrences before earlier ones.
  while (stream.Next(occurrence) && occurrence.start < until + event.future.Lead()) {
    if (occurrence.start >= until) continue;
    if (++count > kMostListedOccurrences) {
      warnings.push_back(EventLabel(schedule.File().name, event) + " has more than " +
                         std::to_string(kMostListedOccurrences) +
                         " occurrences in its first year; the list shows the first " +
                         std::to_string(kMostListedOccurrences));
      return;
    }
    if (LibraryHolds(occurrence.start) && LibraryHolds(occurrence.end)) {
      listed.push_back(OccurrenceAppointment(event, occurrence));
    }
  }
  if (const auto unchecked = stream.UncheckedFrom()) {
    warnings.push_back(EventLabel(schedule.File().name, event) + " could not be listed from " +
                       ToOle(*unchecked).Format().str() +
                       " on (its expansion stopped at its limit of " +
                       std::to_string(kMostExpansionSteps) + " steps, or its rule cannot be read)");
  }
}

}  // namespace

std::vector<Appointment> Listed(const Schedule& schedule, std::optional<local_days> onDay,
                                std::vector<std::string>& warnings) {
  std::vector<Appointment> listed;
  if (onDay) {
    DaySweep sweep(schedule, *onDay);
    const year_month_day date{*onDay};
    for (const Appointment* a : sweep.Touching(*onDay)) {
      // A recurring appointment occurs on the dates its rule gives; any other on every date
      // that its stretch [start, end) meets, and one of no length on its date.
      const bool occurs = a->appointment.IsRecurring()
                              ? a->appointment.OccursOn(static_cast<int>(unsigned{date.day()}),
                                                        static_cast<int>(unsigned{date.month()}),
                                                        static_cast<int>(date.year())) != 0
                              : Meets(a->start, a->end, *onDay);
      if (occurs) listed.push_back(*a);
    }
    warnings.insert(warnings.end(), sweep.Warnings().begin(), sweep.Warnings().end());
  } else {
    listed = schedule.OneOffs();
    listed.insert(listed.end(), schedule.Recurring().begin(), schedule.Recurring().end());
    for (const ExpandedEvent& expanded : schedule.Expanded()) {
      AddFirstYear(schedule, expanded, listed, warnings);
    }
  }
  std::stable_sort(listed.begin(), listed.end(), ByEventThenStart);
  return listed;
}

std::string Rows(const std::vector<Appointment>& appointments) {
  std::vector<std::array<std::string, kColumns>> rows;
  // The recurring mark keeps its column even when no appointment is recurring.
  std::array<std::size_t, kColumns> widths{0, 1};
  for (const Appointment& a : appointments) {
    rows.push_back(Columns(a));
    for (std::size_t i = 0; i < kColumns; ++i) {
      widths[i] = std::max(widths[i], rows.back()[i].size());
    }
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < kColumns; ++i) {
      if (i > 0) line += "  ";
      line += row[i];
      if (i + 1 < kColumns) line.append(widths[i] - row[i].size(), ' ');
    }
    text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
  }
  return text;
}

int WriteListing(Invocation& run, std::optional<local_days> onDay) {
  std::optional<AskedTimes> asked;
  if (onDay) asked = AskedTimes{local_seconds{*onDay}, local_seconds{*onDay + days{1}}};
  const auto loaded = run.Load(asked);
  if (loaded == nullptr) return kExitError;
  std::vector<std::string> warnings;
  const std::vector<Appointment> listed = Listed(loaded->schedule, onDay, warnings);
  for (const std::string& warning : warnings) run.Warn(warning);
  run.Out() << Rows(listed);
  return 0;
}

}  // namespace dayweave::agent
