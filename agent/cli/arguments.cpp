#include "agent/cli/arguments.h"

#include "agent/cli/iso_instant.h"
#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// An argument read by `read` into `target`. CLI11 runs the check before it hands the text on,
// so the value is read only once it is known to be good; a bad one stops the command with
// "NAME "text" complaint".
template <typename T, typename Read>
CLI::Option* AddRead(CLI::App& app, const std::string& name, std::optional<T>& target, Read read,
                     const std::string& complaint, const std::string& typeName,
                     const std::string& help) {
  const auto check = [read, complaint](std::string& text) {
    return read(text) ? std::string() : Quoted(text) + " " + complaint;
  };
  return app
      .add_option_function<std::string>(
          name, [&target, read](const std::string& text) { target = read(text); }, help)
      ->check(CLI::Validator(check, ""))
      ->type_name(typeName);
}

const std::string kMinutesComplaint =
    "is not a whole number from 1 to " + std::to_string(kMostMinutes.count());

}  // namespace

std::optional<local_seconds> ReadWallClock(const std::string& text) {
  COleDateTime value;
  if (!value.ParseDateTime(text.c_str())) return {};
  return FromOle(value);
}

std::optional<Moment> ReadMoment(const std::string& text) {
  if (const auto instant = IsoInstant(text)) return Moment{*instant};
  if (const auto wallClock = ReadWallClock(text)) return Moment{*wallClock};
  return {};
}

local_seconds OnDisplayClock(const Moment& moment, icaltimezone* display) {
  if (const auto* wallClock = std::get_if<local_seconds>(&moment)) return *wallClock;
  return DisplayOf(EventTime{std::get<sys_seconds>(moment).time_since_epoch()}, false, display);
}

std::optional<minutes> ReadMinutes(const std::string& text) {
  if (text.empty() || text.size() > 7 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return {};
  }
  const minutes length{std::stol(text)};
  if (length < minutes{1} || length > kMostMinutes) return {};
  return length;
}

namespace {

// HH:MM with HH from 00 to 24 (24 only as 24:00).
std::optional<seconds> ReadClock(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return {};
  for (const std::size_t i : {0u, 1u, 3u, 4u}) {
    if (text[i] < '0' || text[i] > '9') return {};
  }
  const hours h{(text[0] - '0') * 10 + (text[1] - '0')};
  const minutes m{(text[3] - '0') * 10 + (text[4] - '0')};
  if (m > 59min || h > 24h || (h == 24h && m != 0min)) return {};
  return h + m;
}

}  // namespace

std::optional<DailyHours> ReadHours(const std::string& text) {
  const auto dash = text.find('-');
  if (dash == std::string::npos) return {};
  const auto from = ReadClock(text.substr(0, dash));
  const auto to = ReadClock(text.substr(dash + 1));
  if (!from || !to || *from >= *to) return {};
  return DailyHours{*from, *to};
}

CLI::Option* AddWallClock(CLI::App& app, const std::string& name,
                          std::optional<local_seconds>& target, const std::string& help) {
  return AddRead(app, name, target, ReadWallClock, "is not a date and time", "DATETIME", help);
}

CLI::Option* AddMoment(CLI::App& app, const std::string& name, std::optional<Moment>& target,
                       const std::string& help) {
  return AddRead(app, name, target, ReadMoment, "is not a date and time", "DATETIME", help);
}

CLI::Option* AddDate(CLI::App& app, const std::string& name, std::optional<local_days>& target,
                     const std::string& help) {
  const auto readDate = [](const std::string& text) -> std::optional<local_days> {
    const auto time = ReadWallClock(text);
    if (!time) return {};
    return floor<days>(*time);
  };
  return AddRead(app, name, target, readDate, "is not a date", "DATE", help);
}

CLI::Option* AddMinutes(CLI::App& app, const std::string& name, std::optional<minutes>& target,
                        const std::string& help) {
  return AddRead(app, name, target, ReadMinutes, kMinutesComplaint, "MINUTES", help);
}

CLI::Option* AddHours(CLI::App& app, const std::string& name, std::optional<DailyHours>& target,
                      const std::string& help) {
  return AddRead(app, name, target, ReadHours,
                 "is not HH:MM-HH:MM with the first time before the second", "HH:MM-HH:MM", help);
}

namespace {

// A whole number from 1 to `most`, or nothing.
std::optional<unsigned long long> ReadCount(const std::string& text, unsigned long long most) {
  if (text.empty() || text.size() > 12 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return {};
  }
  const unsigned long long count = std::stoull(text);
  if (count < 1 || count > most) return {};
  return count;
}

// An option read as a whole number from 1 to `most` into `target`.
template <typename T>
void AddCount(CLI::App& app, const std::string& name, T& target, unsigned long long most,
              const std::string& typeName, const std::string& help) {
  const auto check = [most](std::string& text) {
    return ReadCount(text, most)
               ? std::string()
               : Quoted(text) + " is not a whole number from 1 to " + std::to_string(most);
  };
  app.add_option_function<std::string>(
         name, [&target, most](const std::string& text) { target = T(*ReadCount(text, most)); },
         help)
      ->check(CLI::Validator(check, ""))
      ->type_name(typeName);
}

// The most --timeout a calendar's exchange may take: a day; the most --max-bytes: 4 GiB.
constexpr unsigned long long kMostSeconds = 86400;
constexpr unsigned long long kMostBytes = 1ull << 32;

}  // namespace

void AddSeconds(CLI::App& app, const std::string& name, seconds& target, const std::string& help) {
  AddCount(app, name, target, kMostSeconds, "SECONDS", help);
}

void AddZone(CLI::App& app, std::string& target) {
  const auto knownZone = [](std::string& name) {
    return FindZone(name) != nullptr ? std::string()
                                     : Quoted(name) + " is not a time zone libical knows";
  };
  app.add_option("--tz", target,
                 "show times on the clock of the zone NAME (IANA name such as Europe/Berlin; "
                 "default: the machine's zone); floating times and dates are taken as written")
      ->check(CLI::Validator(knownZone, ""))
      ->type_name("NAME");
}

void AddCalendarArguments(CLI::App& app, CalendarArguments& target) {
  app.add_option("CALENDAR", target.calendar,
                 "an iCalendar file, - for standard input, or the http or https URL of a CalDAV "
                 "calendar or a published iCalendar file")
      ->required();
  AddZone(app, target.zone);
  app.add_flag("--verbose", target.verbose,
               "say which events are expanded into one-off appointments, and why");
  AddServerArguments(app, target.server);
}

void AddServerArguments(CLI::App& app, ServerArguments& target) {
  app.add_option("--user", target.user,
                 "the login on a calendar server; its password is DAYWEAVE_PASSWORD's, else the "
                 "netrc file's (a URL's own user part is its login)")
      ->type_name("NAME");
  app.add_option("--netrc", target.netrc, "the netrc file of passwords (default ~/.netrc)")
      ->type_name("FILE");
  app.add_option("--cacert", target.caFile,
                 "verify servers' certificates against the authorities in FILE instead of the "
                 "system's")
      ->type_name("FILE");
  AddSeconds(app, "--timeout", target.timeout,
             "the longest a calendar's exchange with its server may take (default 30)");
  AddCount(app, "--max-bytes", target.maxBytes, kMostBytes, "BYTES",
           "the largest answer a calendar server may give (default 67108864)");
}

std::string DateText(local_seconds time) { return ToOle(time).Format().str(); }

}  // namespace dayweave::agent
