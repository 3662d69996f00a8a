#include "agent/cli/commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "agent/cli/listing.h"
#include "agent/cli/tour.h"
#include "agent/input/calendar_reader.h"
#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/schedule.h"
#include "agent/schedule/slot_search.h"
#include "dayweave/time_slot.h"
#include "dayweave/time_slot_store.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

constexpr int kFree = 0;
constexpr int kBusy = 1;
constexpr int kError = 2;

// A stretch is at most a year long: 366 days of minutes.
constexpr long kMostMinutes = 527040;
// The most candidate starts one slots command may ask about: every minute of about two years.
// The free ones are all held in a store and written as one message, so a range of centuries
// on a fine grid would otherwise exhaust memory instead of answering.
constexpr long long kMostCandidates = 1000000;

struct Command {
  const char* name;
  const char* positionals;  // as the usage line names them
  std::size_t fewest;       // positional arguments
  std::size_t most;
  std::vector<std::string> flags;         // options without a value
  std::vector<std::string> valueOptions;  // options that take one
  const char* help;
};

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"list",
       {"list",
        "FILE [--on DATE]",
        1,
        1,
        {"--verbose"},
        {"--tz", "--on"},
        "One line per appointment: index, R for recurring, start, end, duration, status,\n"
        "reminder and subject. An event the library's rules cannot hold is listed by its\n"
        "occurrences in the year from its start. With --on DATE, only the appointments that\n"
        "occur on DATE.\n"}},
      {"free",
       {"free",
        "FILE WHEN [MINUTES]",
        2,
        3,
        {"--verbose"},
        {"--tz"},
        "Whether the user is free at the instant WHEN, or for MINUTES minutes from it. Prints\n"
        "free or busy, then one line per blocking appointment (status and subject).\n"
        "Exit status: 0 free, 1 busy, 2 error.\n"}},
      {"occurs",
       {"occurs",
        "FILE DATE",
        2,
        2,
        {"--verbose"},
        {"--tz"},
        "The appointments that occur on DATE, as list prints them.\n"}},
      {"slots",
       {"slots",
        "FILE FROM TO MINUTES",
        4,
        4,
        {"--verbose", "--weekdays", "--text"},
        {"--tz", "--step", "--hours"},
        "The free slots of MINUTES minutes: every candidate start from FROM (inclusive) to TO\n"
        "(exclusive) on a grid of --step minutes from FROM (default 30), lying within the\n"
        "daily --hours HH:MM-HH:MM (default 09:00-17:00), on Monday to Friday only with\n"
        "--weekdays, that every appointment leaves free. Printed as the KQML tell message of\n"
        "a time slot store whose slots carry the attribute \"free\", or with --text as the\n"
        "store's plain text.\n"}},
  };
  return commands;
}

constexpr const char* kCommonOptions =
    "Options of every command:\n"
    "  --tz NAME   show times on the clock of the zone NAME (IANA name such as\n"
    "              Europe/Berlin; default: the machine's zone). Floating times and dates\n"
    "              are taken as they are written.\n"
    "  --verbose   say which events are expanded into one-off appointments, and why\n"
    "  --help      this text\n"
    "FILE is an iCalendar file, or - for standard input. Dates and times are read as the\n"
    "library reads them: 4/14/2003 9:30 AM, 2003-04-14T09:30, 4/15/2003, 2003-04-15.\n";

std::string Usage(const Command& command) {
  std::string usage = std::string("dayweave ") + command.name + " " + command.positionals;
  for (const std::string& option : command.valueOptions) {
    if (option == "--tz") usage += " [--tz NAME]";
    if (option == "--step") usage += " [--step MINUTES]";
    if (option == "--hours") usage += " [--hours HH:MM-HH:MM]";
  }
  for (const std::string& flag : command.flags) usage += " [" + flag + "]";
  return usage;
}

std::string ProgramHelp() {
  std::string help =
      "dayweave: free/busy answers and free slots from an iCalendar file.\n"
      "\n"
      "  dayweave                 a tour on the bundled sample calendar\n";
  for (const auto& [name, command] : Commands()) help += "  " + Usage(command) + "\n";
  help +=
      "\n"
      "dayweave COMMAND --help tells more about a command.\n";
  return help + kCommonOptions;
}

// The arguments of one command, once sorted out.
struct Arguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string> values;
  std::map<std::string, bool> flags;
  bool help = false;
};

std::optional<Arguments> Parse(const Command& command, const std::vector<std::string>& words,
                               std::string& problem) {
  Arguments arguments;
  const auto has = [](const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 2 || word.compare(0, 2, "--") != 0) {
      arguments.positionals.push_back(word);
      continue;
    }
    if (word == "--help") {
      arguments.help = true;
      continue;
    }
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    if (has(command.flags, name) && equals == std::string::npos) {
      arguments.flags[name] = true;
    } else if (has(command.valueOptions, name)) {
      if (equals != std::string::npos) {
        arguments.values[name] = word.substr(equals + 1);
      } else if (i + 1 < words.size()) {
        arguments.values[name] = words[++i];
      } else {
        problem = name + " needs a value";
        return {};
      }
    } else {
      problem = "unknown option " + word;
      return {};
    }
  }
  if (!arguments.help && (arguments.positionals.size() < command.fewest ||
                          arguments.positionals.size() > command.most)) {
    problem =
        arguments.positionals.size() < command.fewest ? "too few arguments" : "too many arguments";
    return {};
  }
  return arguments;
}

// A date and time read with the library's ParseDateTime, on the display clock.
std::optional<local_seconds> ReadWallClock(const std::string& text) {
  COleDateTime value;
  if (!value.ParseDateTime(text.c_str())) return {};
  return FromOle(value);
}

std::optional<int> ReadMinutes(const std::string& text) {
  if (text.empty() || text.size() > 7 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return {};
  }
  const long minutes = std::stol(text);
  if (minutes < 1 || minutes > kMostMinutes) return {};
  return static_cast<int>(minutes);
}

// HH:MM with HH from 00 to 24 (24 only as 24:00), as seconds of the day.
std::optional<int> ReadClock(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return {};
  for (const std::size_t i : {0u, 1u, 3u, 4u}) {
    if (text[i] < '0' || text[i] > '9') return {};
  }
  const int hours = (text[0] - '0') * 10 + (text[1] - '0');
  const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
  if (minutes > 59 || hours > 24 || (hours == 24 && minutes != 0)) return {};
  return hours * 3600 + minutes * 60;
}

std::optional<std::pair<int, int>> ReadHours(const std::string& text) {
  const auto dash = text.find('-');
  if (dash == std::string::npos) return {};
  const auto from = ReadClock(text.substr(0, dash));
  const auto to = ReadClock(text.substr(dash + 1));
  if (!from || !to || *from >= *to) return {};
  return std::pair{*from, *to};
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string DateText(local_seconds time) { return ToOle(time).Format().str(); }

class Run {
 public:
  Run(const Command& command, const Arguments& arguments, AgentIo& io)
      : command_(command), arguments_(arguments), io_(io) {}

  int Execute();

 private:
  int Fail(const std::string& message) {
    io_.err << "dayweave: " << message << "\n";
    return kError;
  }
  std::string Value(const std::string& option) const {
    const auto found = arguments_.values.find(option);
    return found == arguments_.values.end() ? std::string() : found->second;
  }
  bool Has(const std::string& option) const { return arguments_.values.count(option) > 0; }
  bool Flag(const std::string& flag) const { return arguments_.flags.count(flag) > 0; }

  std::optional<std::string> ReadInput(const std::string& name);
  int List(const Schedule& schedule, std::optional<local_days> day);
  int Free(const Schedule& schedule, local_seconds when, std::optional<int> minutes);
  int Slots(const Schedule& schedule, const SlotQuery& query);

  const Command& command_;
  const Arguments& arguments_;
  AgentIo& io_;
};

std::optional<std::string> Run::ReadInput(const std::string& name) {
  if (name == "-") {
    return std::string(std::istreambuf_iterator<char>(io_.in), std::istreambuf_iterator<char>());
  }
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) {
    Fail(name + ": cannot read the file (" + std::strerror(EISDIR) + ")");
    return {};
  }
  std::ifstream file(name, std::ios::binary);
  if (!file) {
    Fail(name + ": cannot read the file (" + std::strerror(errno) + ")");
    return {};
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad() || (file.fail() && !file.eof())) {
    Fail(name + ": cannot read the file (" + std::strerror(errno) + ")");
    return {};
  }
  return text.str();
}

int Run::Execute() {
  const std::string name = command_.name;
  const std::vector<std::string>& p = arguments_.positionals;
  const std::string where = name + ": ";

  // Every argument is checked before the file is read.
  std::optional<local_seconds> when, from, to;
  std::optional<local_days> day;
  std::optional<int> minutes;
  SlotQuery query;
  if (name == "free") {
    when = ReadWallClock(p[1]);
    if (!when) return Fail(where + "WHEN " + Quoted(p[1]) + " is not a date and time");
    if (p.size() == 3) {
      minutes = ReadMinutes(p[2]);
      if (!minutes) {
        return Fail(where + "MINUTES " + Quoted(p[2]) + " is not a whole number from 1 to " +
                    std::to_string(kMostMinutes));
      }
    }
  } else if (name == "occurs" || (name == "list" && Has("--on"))) {
    const std::string text = name == "occurs" ? p[1] : Value("--on");
    const auto date = ReadWallClock(text);
    if (!date) return Fail(where + "DATE " + Quoted(text) + " is not a date");
    day = floor<days>(*date);
  } else if (name == "slots") {
    from = ReadWallClock(p[1]);
    if (!from) return Fail(where + "FROM " + Quoted(p[1]) + " is not a date and time");
    to = ReadWallClock(p[2]);
    if (!to) return Fail(where + "TO " + Quoted(p[2]) + " is not a date and time");
    if (*from >= *to) {
      return Fail(where + "FROM " + DateText(*from) + " is not before TO " + DateText(*to));
    }
    minutes = ReadMinutes(p[3]);
    if (!minutes) {
      return Fail(where + "MINUTES " + Quoted(p[3]) + " is not a whole number from 1 to " +
                  std::to_string(kMostMinutes));
    }
    query.from = *from;
    query.to = *to;
    query.length = std::chrono::minutes{*minutes};
    if (Has("--step")) {
      const auto step = ReadMinutes(Value("--step"));
      if (!step) {
        return Fail(where + "--step " + Quoted(Value("--step")) +
                    " is not a whole number from 1 to " + std::to_string(kMostMinutes));
      }
      query.step = std::chrono::minutes{*step};
    }
    if (Has("--hours")) {
      const auto hours = ReadHours(Value("--hours"));
      if (!hours) {
        return Fail(where + "--hours " + Quoted(Value("--hours")) +
                    " is not HH:MM-HH:MM with the first time before the second");
      }
      query.hoursFrom = seconds{hours->first};
      query.hoursTo = seconds{hours->second};
    }
    query.weekdaysOnly = Flag("--weekdays");
    if ((query.to - query.from) / query.step >= kMostCandidates) {
      return Fail(where + "FROM " + DateText(*from) + " to TO " + DateText(*to) + " every " +
                  std::to_string(query.step.count()) + " minutes is more than " +
                  std::to_string(kMostCandidates) + " candidate starts");
    }
  }

  std::string zoneName = Has("--tz") ? Value("--tz") : io_.machineZone;
  icaltimezone* zone = FindZone(zoneName);
  if (zone == nullptr) {
    if (Has("--tz")) return Fail("--tz: " + Quoted(zoneName) + " is not a time zone libical knows");
    io_.err << "dayweave: warning: the machine's time zone " << Quoted(zoneName)
            << " is not one libical knows; times are shown in UTC\n";
    zoneName = "UTC";
    zone = icaltimezone_get_utc_timezone();
  }

  const std::string fileName = p[0] == "-" ? "<stdin>" : p[0];
  const auto text = ReadInput(p[0]);
  if (!text) return kError;
  const CalendarFile file = ReadCalendar(*text, fileName);
  if (!file.error.empty()) return Fail(file.error);
  for (const std::string& warning : file.warnings) io_.err << "dayweave: " << warning << "\n";
  const Schedule schedule(file, zone, zoneName);
  for (const std::string& warning : schedule.Warnings()) io_.err << "dayweave: " << warning << "\n";
  if (Flag("--verbose")) {
    for (const std::string& note : schedule.ExpansionNotes())
      io_.err << "dayweave: " << note << "\n";
  }

  if (name == "free") return Free(schedule, *when, minutes);
  if (name == "slots") return Slots(schedule, query);
  return List(schedule, day);
}

int Run::List(const Schedule& schedule, std::optional<local_days> day) {
  std::vector<std::string> warnings;
  const std::vector<Appointment> listed = Listed(schedule, day, warnings);
  for (const std::string& warning : warnings) io_.err << "dayweave: " << warning << "\n";
  io_.out << Rows(listed);
  return 0;
}

int Run::Free(const Schedule& schedule, local_seconds when, std::optional<int> minutes) {
  FreeBusy freeBusy(schedule);
  const StretchAnswer answer =
      minutes ? freeBusy.AskStretch(when, std::chrono::minutes{*minutes}) : freeBusy.AskAt(when);
  io_.out << (answer.free ? "free" : "busy") << "\n";
  for (const Appointment& blocking : answer.blocking) {
    const std::string status = blocking.appointment.GetApptStatusString().str();
    io_.out << status << std::string(status.size() < 14 ? 14 - status.size() : 1, ' ')
            << blocking.event->subject << "\n";
  }
  return answer.free ? kFree : kBusy;
}

int Run::Slots(const Schedule& schedule, const SlotQuery& query) {
  const auto store = FreeSlotStore(schedule, query);
  if (Flag("--text")) {
    io_.out << store->ToString().str();
  } else {
    io_.out << store->ToKQML().str() << "\n";
  }
  return 0;
}

}  // namespace

int RunAgent(const std::vector<std::string>& arguments, AgentIo& io) {
  if (arguments.empty()) {
    RunTour(io.out);
    return 0;
  }
  const std::string& first = arguments.front();
  if (first == "--help" || first == "-h" || first == "help") {
    io.out << ProgramHelp();
    return 0;
  }
  const auto found = Commands().find(first);
  if (found == Commands().end()) {
    io.err << "dayweave: unknown command " << Quoted(first)
           << " (commands: list, free, occurs, slots; dayweave --help tells more)\n";
    return kError;
  }
  const Command& command = found->second;
  std::string problem;
  const std::vector<std::string> words(arguments.begin() + 1, arguments.end());
  const auto parsed = Parse(command, words, problem);
  if (!parsed) {
    io.err << "dayweave: " << command.name << ": " << problem << " (usage: " << Usage(command)
           << ")\n";
    return kError;
  }
  if (parsed->help) {
    io.out << "usage: " << Usage(command) << "\n\n" << command.help << "\n" << kCommonOptions;
    return 0;
  }
  Run run(command, *parsed, io);
  return run.Execute();
}

}  // namespace dayweave::agent
