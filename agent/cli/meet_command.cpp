#include "agent/cli/meet_command.h"

#include <iterator>
#include <map>
#include <ostream>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/cli/freebusy_ics.h"
#include "agent/cli/meeting_json.h"
#include "agent/cli/meeting_store.h"
#include "agent/input/calendar_argument.h"
#include "agent/input/people_reading.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/meeting_search.h"
#include "agent/schedule/slot_search.h"

namespace dayweave::agent {

namespace {

using std::chrono::local_seconds;
using std::chrono::minutes;
using std::chrono::sys_seconds;

constexpr int kSome = 0;
constexpr int kNone = 1;
constexpr int kError = kExitError;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

const std::string kMinutesComplaint =
    " is not a whole number from 1 to " + std::to_string(kMostMinutes.count());
const std::string kHoursComplaint = " is not HH:MM-HH:MM with the first time before the second";

std::optional<WorkingHours> ReadWorkingHours(const std::string& text) {
  const auto hours = ReadHours(text);
  if (!hours) return {};
  return WorkingHours{std::chrono::duration_cast<minutes>(hours->from),
                      std::chrono::duration_cast<minutes>(hours->to)};
}

std::string HoursText(WorkingHours hours) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d:%02d", static_cast<int>(hours.from.count() / 60),
                static_cast<int>(hours.from.count() % 60), static_cast<int>(hours.to.count() / 60),
                static_cast<int>(hours.to.count() % 60));
  return text;
}

class Meet {
 public:
  Meet(const MeetOptions& options, AgentIo& io) : options_(options), io_(io) {}

  int Run();

 private:
  int Fail(const std::string& message) {
    io_.err << "dayweave: " << options_.command << ": " << message << "\n";
    return kError;
  }
  bool IsIcs() const { return options_.form == MeetOptions::Form::kIcs; }
  int Check();
  int Answer(std::vector<PersonCalendar>& people);
  void Explain(const NoSlot& none, const std::vector<Person>& required,
               const std::vector<PersonCalendar>& people) const;

  const MeetOptions& options_;
  AgentIo& io_;
  ZoneOffsetCache cache_;
  icaltimezone* zone_ = nullptr;
  std::string zoneName_;
  std::shared_ptr<const ZoneOffsets> display_;
  MeetingQuery query_;
  WorkingHours hours_;
  std::vector<CalendarArgument> calendars_;  // the required people, then the optional ones
  std::vector<WorkingHours> personHours_;    // by calendar
};

int Meet::Check() {
  zoneName_ = options_.tz ? *options_.tz : io_.machineZone;
  zone_ = FindZone(zoneName_);
  if (zone_ == nullptr) {
    if (options_.tz) return Fail("--tz " + Quoted(zoneName_) + " is not a time zone libical knows");
    io_.err << "dayweave: warning: the machine's time zone " << Quoted(zoneName_)
            << " is not one libical knows; times are shown in UTC\n";
    zoneName_ = "UTC";
    zone_ = icaltimezone_get_utc_timezone();
  }
  const auto from = ReadWallClock(options_.from);
  if (!from) return Fail("FROM " + Quoted(options_.from) + " is not a date and time");
  const auto to = ReadWallClock(options_.to);
  if (!to) return Fail("TO " + Quoted(options_.to) + " is not a date and time");
  if (*from >= *to) return Fail("FROM " + DateText(*from) + " is not before TO " + DateText(*to));
  const auto yearOf = [](local_seconds t) {
    return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(t)}.year();
  };
  display_ =
      cache_.For(zone_, yearOf(*from) - std::chrono::years{1}, yearOf(*to) + std::chrono::years{1});
  query_.from = display_->ToInstant(*from);
  query_.to = display_->ToInstant(*to);
  if (query_.from >= query_.to) {
    return Fail("FROM " + DateText(*from) + " is not before TO " + DateText(*to) + " on the " +
                zoneName_ + " clock");
  }
  if (options_.command != "freebusy") {
    const auto length = ReadMinutes(options_.minutes);
    if (!length) {
      return Fail("MINUTES " + Quoted(options_.minutes) + kMinutesComplaint);
    }
    query_.length = *length;
  }
  if (options_.step) {
    const auto step = ReadMinutes(*options_.step);
    if (!step) {
      return Fail("--step " + Quoted(*options_.step) + kMinutesComplaint);
    }
    query_.step = *step;
  }
  if (options_.hours) {
    const auto hours = ReadWorkingHours(*options_.hours);
    if (!hours) return Fail("--hours " + Quoted(*options_.hours) + kHoursComplaint);
    hours_ = *hours;
  }
  if (options_.tentative) {
    if (*options_.tentative != "busy" && *options_.tentative != "free") {
      return Fail("--tentative " + Quoted(*options_.tentative) + " is neither busy nor free");
    }
    query_.weakestBlocking = *options_.tentative == "busy" ? BusyKind::kTentative : BusyKind::kBusy;
  }
  if (options_.limit) {
    // A limit beyond the most candidates limits nothing, so the minutes' bound serves.
    const auto limit = ReadMinutes(*options_.limit);
    if (!limit) return Fail("--limit " + Quoted(*options_.limit) + kMinutesComplaint);
    query_.limit = static_cast<std::size_t>(limit->count());
  }
  query_.weekdaysOnly = options_.weekdays;
  if (CandidateCount(query_) > static_cast<std::size_t>(kMostCandidates)) {
    return Fail("FROM " + DateText(*from) + " to TO " + DateText(*to) + " every " +
                std::to_string(query_.step.count()) + " minutes is more than " +
                std::to_string(kMostCandidates) + " candidate starts");
  }

  int standardInputs = 0;
  for (const auto* list : {&options_.calendars, &options_.optional}) {
    for (const std::string& text : *list) {
      calendars_.push_back(SplitCalendarArgument(text));
      // No file is named "-@...": after standard input's mark, the text can only be a zone.
      if (text.rfind("-@", 0) == 0 && calendars_.back().source != "-") {
        return Fail(text + ": " + Quoted(text.substr(2)) + " is not a time zone libical knows");
      }
      standardInputs += calendars_.back().source == "-" ? 1 : 0;
    }
  }
  if (standardInputs > 1) return Fail("standard input (-) may be named once only");
  personHours_.assign(calendars_.size(), hours_);
  for (const std::string& text : options_.personHours) {
    const auto equals = text.rfind('=');
    const auto hours =
        equals == std::string::npos ? std::nullopt : ReadWorkingHours(text.substr(equals + 1));
    if (!hours) {
      return Fail("--person-hours " + Quoted(text) +
                  " is not CALENDAR=HH:MM-HH:MM with the first time before the second");
    }
    const std::string name = text.substr(0, equals);
    bool named = false;
    const std::size_t all = options_.calendars.size() + options_.optional.size();
    for (std::size_t i = 0; i < all; ++i) {
      const std::string& given = i < options_.calendars.size()
                                     ? options_.calendars[i]
                                     : options_.optional[i - options_.calendars.size()];
      if (name == given || name == calendars_[i].source) {
        personHours_[i] = *hours;
        named = true;
      }
    }
    if (!named) return Fail("--person-hours " + Quoted(text) + " names no calendar of the search");
  }
  return kSome;
}

int Meet::Run() {
  if (const int status = Check(); status != kSome) return status;
  std::string standardInput;
  for (const CalendarArgument& calendar : calendars_) {
    if (calendar.source == "-") {
      standardInput.assign(std::istreambuf_iterator<char>(io_.in),
                           std::istreambuf_iterator<char>());
    }
  }
  // The last candidate's meeting ends the time looked at; a server is asked for no more.
  const Interval window{query_.from, IsIcs() ? query_.to : query_.to + query_.length};
  std::vector<PersonCalendar> people =
      ReadPeople(calendars_, standardInput, options_.server.Fetching(), Fallback{zone_, zoneName_},
                 window, cache_);
  if (options_.verbose) {
    for (const PersonCalendar& person : people) {
      for (const std::string& exchange : person.exchanges) {
        io_.err << "dayweave: " << exchange << "\n";
      }
    }
  }
  for (const PersonCalendar& person : people) {
    if (!person.error.empty()) return Fail(person.error);
  }
  for (const PersonCalendar& person : people) {
    for (const std::string& warning : person.warnings) io_.err << "dayweave: " << warning << "\n";
  }
  return Answer(people);
}

int Meet::Answer(std::vector<PersonCalendar>& people) {
  const std::size_t requiredCount = options_.calendars.size();
  if (IsIcs()) {
    std::vector<const BusyTime*> busy;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < requiredCount; ++i) {
      busy.push_back(&people[i].busy);
      names.push_back(options_.calendars[i]);
    }
    const Interval window{query_.from, query_.to};
    const sys_seconds now =
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    io_.out << FreeBusyCalendar(Together(busy, window.start, window.end), window, now,
                                FreeBusyUid(names, window));
    return kSome;
  }
  std::vector<Person> required;
  std::vector<Person> optional;
  std::vector<std::string> optionalNames;
  for (std::size_t i = 0; i < people.size(); ++i) {
    Person person{people[i].argument.source, people[i].clock.get(), personHours_[i],
                  &people[i].busy};
    if (i < requiredCount) {
      required.push_back(std::move(person));
    } else {
      optionalNames.push_back(person.name);
      optional.push_back(std::move(person));
    }
  }
  const MeetingAnswer answer = FindMeetings(required, optional, query_);
  switch (options_.form) {
    case MeetOptions::Form::kJson:
      io_.out << MeetingJson(answer.slots, optionalNames, *display_).dump(2) << "\n";
      break;
    case MeetOptions::Form::kText:
      io_.out << MeetingStore(answer.slots, optional.size(), *display_, query_.length)
                     ->ToString()
                     .str();
      break;
    default:
      io_.out
          << MeetingStore(answer.slots, optional.size(), *display_, query_.length)->ToKQML().str()
          << "\n";
      break;
  }
  if (answer.slots.empty()) {
    Explain(*answer.none, required, people);
    return kNone;
  }
  return kSome;
}

void Meet::Explain(const NoSlot& none, const std::vector<Person>& required,
                   const std::vector<PersonCalendar>& people) const {
  std::string named;
  for (std::size_t n = 0; n < none.people.size(); ++n) {
    const std::size_t p = none.people[n];
    named += n == 0 ? "" : n + 1 == none.people.size() ? " and " : ", ";
    named += required[p].name;
    if (none.kind == NoSlot::kOutsideHours) {
      named += " (" + HoursText(required[p].hours) + " " + people[p].zoneName + ")";
    }
  }
  io_.err << "dayweave: " << options_.command << ": ";
  if (none.kind == NoSlot::kOutsideHours) {
    io_.err << "no start lies inside every required person's working hours; the hours of " << named
            << " rule them out\n";
  } else {
    io_.err << "every start inside the required people's working hours is blocked; " << named
            << " is busy at " << none.count << " of the " << none.of << "\n";
  }
}

}  // namespace

int RunMeet(const MeetOptions& options, AgentIo& io) { return Meet(options, io).Run(); }

void DeclareMeetOptions(CLI::App& app, MeetOptions& options) {
  app.add_option("FROM", options.from, "the first candidate start, on the --tz clock")
      ->required()
      ->type_name("DATETIME");
  app.add_option("TO", options.to, "candidates start before TO")->required()->type_name("DATETIME");
  if (options.command != "freebusy") {
    app.add_option("MINUTES", options.minutes, "the length of the meeting")
        ->required()
        ->type_name("MINUTES");
  }
  CLI::Option* calendars =
      app.add_option("CALENDAR", options.calendars,
                     "a required person's calendar: a file, - for standard input, or the http or "
                     "https URL of a CalDAV calendar or a published iCalendar file, with @ZONE "
                     "for the owner's zone")
          ->required();
  // CLI11 reads "-@ZONE" (standard input on a zone's clock) as an option named '@'; as soon
  // as it is read, it goes back among the calendars, in the place it was given.
  app.add_option_function<std::string>(
         "-@", [calendars](const std::string& zone) { calendars->add_result("-@" + zone); })
      ->trigger_on_parse()
      ->group("");
  app.add_option("--tz", options.tz,
                 "FROM, TO and the answers on the clock of the zone NAME (default: the "
                 "machine's), and the zone of calendars that name none")
      ->type_name("NAME");
  app.add_flag("--verbose", options.verbose, "list each HTTP exchange with a calendar server");
  AddServerArguments(app, options.server);
}

Command MeetCommand() {
  return {"meet", "a time for a meeting of MINUTES among several people's calendars",
          "The candidate starts every --step minutes (default 30) from FROM up to TO, both on\n"
          "the --tz clock, at which every required person's working hours (--person-hours for\n"
          "that calendar, else --hours) hold the whole meeting on one day of their own zone, on\n"
          "Monday to Friday of it with --weekdays, and their calendar leaves it free (tentative\n"
          "time blocks unless --tentative free). A person's zone is the @ZONE after their\n"
          "calendar, else the calendar's X-WR-TIMEZONE (a CalDAV collection's\n"
          "calendar-timezone), else --tz. Each slot counts the --optional people free for it.\n"
          "Written as the KQML tell message of a time slot store, its text with --text, JSON\n"
          "with --json, or the required people's busy time as an iCalendar VFREEBUSY with\n"
          "--ics. Calendars at URLs are fetched all at once. Exit status: 0 with a slot (and\n"
          "with --ics), 1 with none (standard error says why), 2 on an error.",
          [](CLI::App& app, Invocation&) -> Handler {
            auto options = std::make_shared<MeetOptions>();
            DeclareMeetOptions(app, *options);
            app.add_option("--optional", options->optional,
                           "an optional person's calendar (one per use)")
                ->allow_extra_args(false)
                ->type_name("CALENDAR");
            app.add_option("--step", options->step, "minutes between candidates")
                ->type_name("MINUTES")
                ->default_str("30");
            app.add_option("--hours", options->hours, "everyone's working hours")
                ->type_name("HH:MM-HH:MM")
                ->default_str("09:00-17:00");
            app.add_option("--person-hours", options->personHours,
                           "one calendar's working hours (one per use)")
                ->allow_extra_args(false)
                ->type_name("CALENDAR=HH:MM-HH:MM");
            app.add_flag("--weekdays", options->weekdays, "Monday to Friday of each person's zone");
            app.add_option("--tentative", options->tentative,
                           "whether tentative time blocks (busy, the default) or not (free)")
                ->type_name("busy|free");
            app.add_option("--limit", options->limit, "the first N slots only")->type_name("N");
            auto* text = app.add_flag_callback(
                "--text", [options] { options->form = MeetOptions::Form::kText; },
                "the store's plain text");
            auto* json = app.add_flag_callback(
                "--json", [options] { options->form = MeetOptions::Form::kJson; }, "JSON");
            auto* ics = app.add_flag_callback(
                "--ics", [options] { options->form = MeetOptions::Form::kIcs; },
                "the required people's busy time as iCalendar free/busy");
            text->excludes(json)->excludes(ics);
            json->excludes(ics);
            return [options](Invocation& run) { return RunMeet(*options, run.Io()); };
          }};
}

}  // namespace dayweave::agent
