#include "agent/input/people_reading.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "agent/input/busy_reading.h"
#include "agent/input/credentials.h"
#include "agent/input/instant_clock.h"
#include "agent/input/time_zones.h"
#include "agent/input/zone_names.h"

namespace dayweave::agent {

namespace {

using std::chrono::year;

// The text of a file, or why it cannot be read.
bool ReadFileText(const std::string& path, std::string& text, std::string& error) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) {
    error = path + ": cannot read the file (" + std::strerror(EISDIR) + ")";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream read;
  if (file) read << file.rdbuf();
  if (!file || file.bad()) {
    error = path + ": cannot read the file (" + std::strerror(errno) + ")";
    return false;
  }
  text = read.str();
  return true;
}

year YearOf(std::chrono::sys_seconds instant) {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(instant)}.year();
}

// The person of a calendar as read: its owner's zone settled (`collectionZone` is the TZID of
// a CalDAV collection's calendar-timezone, "" for none) and its busy time over the window.
PersonCalendar OfCalendar(const CalendarArgument& argument, CalendarFile file,
                          const std::string& collectionZone, const Fallback& fallback,
                          Interval window, ZoneOffsetCache& cache) {
  PersonCalendar person;
  person.argument = argument;
  person.file = std::move(file);
  if (!person.file.error.empty()) {
    person.error = person.file.error;
    return person;
  }
  person.warnings = person.file.warnings;
  person.zone = fallback.zone;
  person.zoneName = fallback.name;
  const bool collection = !collectionZone.empty();
  const std::string named = collection ? collectionZone : CalendarZoneName(person.file);
  if (person.argument.zone) {
    person.zoneName = *person.argument.zone;
    person.zone = FindZone(person.zoneName);
  } else if (!named.empty()) {
    if (const std::optional<std::string> zone = IanaZoneName(named)) {
      person.zoneName = *zone;
      person.zone = FindZone(*zone);
    } else {
      person.warnings.push_back(person.file.name + ": " +
                                (collection ? "its calendar-timezone" : "X-WR-TIMEZONE") +
                                " names the unknown zone " + named +
                                "; the calendar is read on the " + fallback.name + " clock");
    }
  }
  // A year on either side holds every local day that meets the window, in any zone.
  const year first = YearOf(window.start) - std::chrono::years{1};
  const year last = YearOf(window.end) + std::chrono::years{1};
  person.clock = cache.For(person.zone, first, last);
  InstantClock clock(cache, person.zone, first, last);
  person.busy = ReadBusyTime(person.file, clock, window, person.warnings);
  return person;
}

void ReadPerson(PersonCalendar& person, const std::string& standardInput,
                const FetchedCalendar* fetched, const Fallback& fallback, Interval window,
                ZoneOffsetCache& cache) {
  const CalendarArgument argument = person.argument;
  if (fetched != nullptr) {
    if (!fetched->error.empty()) {
      person.error = fetched->error;
    } else {
      person = OfCalendar(argument, ReadFetchedCalendar(*fetched), fetched->timeZoneId, fallback,
                          window, cache);
      person.warnings.insert(person.warnings.begin(), fetched->warnings.begin(),
                             fetched->warnings.end());
    }
    person.exchanges = fetched->exchanges;
    return;
  }
  std::string text;
  if (argument.source == "-") {
    text = standardInput;
  } else if (!ReadFileText(argument.source, text, person.error)) {
    return;
  }
  person =
      ReadPersonText(argument, text, argument.source == "-" ? "(standard input)" : argument.source,
                     fallback, window, cache);
}

}  // namespace

PersonCalendar ReadPersonText(const CalendarArgument& argument, const std::string& text,
                              const std::string& name, const Fallback& fallback, Interval window,
                              ZoneOffsetCache& cache) {
  return OfCalendar(argument, ReadCalendar(text, name), "", fallback, window, cache);
}

std::string CalendarZoneName(const CalendarFile& file) {
  icalcomponent* root = file.root.get();
  if (root == nullptr) return {};
  if (icalcomponent_isa(root) != ICAL_VCALENDAR_COMPONENT) {
    root = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
  }
  for (icalproperty* x = root == nullptr ? nullptr
                                         : icalcomponent_get_first_property(root, ICAL_X_PROPERTY);
       x != nullptr; x = icalcomponent_get_next_property(root, ICAL_X_PROPERTY)) {
    const char* name = icalproperty_get_x_name(x);
    const char* value = icalproperty_get_x(x);
    if (name != nullptr && value != nullptr && strcasecmp(name, "X-WR-TIMEZONE") == 0) {
      return value;
    }
  }
  return {};
}

std::vector<PersonCalendar> ReadPeople(const std::vector<CalendarArgument>& calendars,
                                       const std::string& standardInput,
                                       const FetchOptions& fetching, const Fallback& fallback,
                                       Interval window, ZoneOffsetCache& cache) {
  std::vector<PersonCalendar> people(calendars.size());
  for (std::size_t i = 0; i < calendars.size(); ++i) people[i].argument = calendars[i];
  // The calendars on servers are asked for first, all at once; their answers are then read
  // beside the files.
  std::vector<std::string> urls;
  for (const CalendarArgument& calendar : calendars) {
    if (IsCalendarUrl(calendar.source)) urls.push_back(calendar.source);
  }
  const std::vector<FetchedCalendar> fetchedAll =
      urls.empty() ? std::vector<FetchedCalendar>{}
                   : FetchCalendars(urls, TimeWindow{window.start, window.end}, fetching);
  std::vector<const FetchedCalendar*> fetched(calendars.size(), nullptr);
  for (std::size_t i = 0, url = 0; i < calendars.size(); ++i) {
    if (IsCalendarUrl(calendars[i].source)) fetched[i] = &fetchedAll[url++];
  }
  // Each worker takes the next calendar not yet taken; a calendar is one worker's alone.
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < people.size(); i = next++) {
      ReadPerson(people[i], standardInput, fetched[i], fallback, window, cache);
    }
  };
  const std::size_t workers =
      std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), people.size());
  std::vector<std::thread> threads;
  for (std::size_t w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return people;
}

}  // namespace dayweave::agent
