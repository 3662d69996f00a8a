#include "agent/cli/invocation.h"

#include <ostream>

#include "agent/input/caldav_source.h"
#include "agent/input/calendar_source.h"
#include "agent/input/credentials.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

FetchOptions ServerArguments::Fetching() const {
  return {CredentialsFromEnvironment(user, netrc),
          HttpLimits{timeout, HttpLimits{}.connectTimeout, maxBytes, caFile}};
}

int Invocation::Fail(const std::string& message) {
  io_.err << "dayweave: " << command_ << ": " << message << "\n";
  return kExitError;
}

void Invocation::Warn(const std::string& line) { io_.err << "dayweave: " << line << "\n"; }

std::optional<CalendarFile> Invocation::Fetch(const std::optional<AskedTimes>& asked,
                                              icaltimezone* zone) {
  std::optional<TimeWindow> window;
  if (asked)
    window = TimeWindow{InstantOnClock(asked->from, zone), InstantOnClock(asked->to, zone)};
  const FetchedCalendar fetched =
      FetchCalendars({calendar_.calendar}, window, calendar_.server.Fetching()).front();
  if (calendar_.verbose) {
    for (const std::string& exchange : fetched.exchanges) Warn(exchange);
  }
  if (!fetched.error.empty()) {
    Fail(fetched.error);
    return std::nullopt;
  }
  for (const std::string& warning : fetched.warnings) Warn(warning);
  return ReadFetchedCalendar(fetched);
}

icaltimezone* Invocation::Display() {
  if (display_ != nullptr) return display_;
  // A --tz value is checked as it is read; the machine's zone falls back to UTC.
  displayName_ = calendar_.zone.empty() ? io_.machineZone : calendar_.zone;
  display_ = FindZone(displayName_);
  if (display_ == nullptr) {
    Warn("warning: the machine's time zone \"" + displayName_ +
         "\" is not one libical knows; times are shown in UTC");
    displayName_ = "UTC";
    display_ = icaltimezone_get_utc_timezone();
  }
  return display_;
}

const std::string& Invocation::DisplayName() {
  Display();
  return displayName_;
}

std::unique_ptr<LoadedSchedule> Invocation::Load(const std::optional<AskedTimes>& asked) {
  icaltimezone* zone = Display();
  std::optional<CalendarFile> file;
  if (IsCalendarUrl(calendar_.calendar)) {
    file = Fetch(asked, zone);
  } else {
    const CalendarText source = ReadCalendarText(calendar_.calendar, io_.in);
    if (!source.error.empty()) Fail(source.error);
    if (source.error.empty()) file = ReadCalendar(source.text, source.name);
  }
  if (!file) return nullptr;
  auto loaded = std::make_unique<LoadedSchedule>(std::move(*file), zone, displayName_);
  if (!loaded->file.error.empty()) {
    Fail(loaded->file.error);
    return nullptr;
  }
  for (const std::string& warning : loaded->Warnings()) Warn(warning);
  if (calendar_.verbose) {
    for (const std::string& note : loaded->schedule.ExpansionNotes()) Warn(note);
  }
  return loaded;
}

}  // namespace dayweave::agent
