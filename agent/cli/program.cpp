#include "agent/cli/program.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>

#include "agent/cli/command.h"
#include "agent/cli/tour.h"

namespace dayweave::agent {

namespace {

constexpr const char* kDescription =
    "dayweave: free/busy answers and free slots from an iCalendar file or a calendar server, "
    "and meeting times among several.";

constexpr const char* kCommonText =
    "CALENDAR is an iCalendar file, - for standard input, or the http or https URL of a\n"
    "CalDAV calendar or a published iCalendar file; a server's calendar is read with the\n"
    "login of the URL's user part or --user (password from DAYWEAVE_PASSWORD or the netrc\n"
    "file), its TLS certificate always verified. Dates and times are read as the\n"
    "library reads them: 4/14/2003 9:30 AM, 2003-04-14T09:30, 4/15/2003, 2003-04-15.";

// "dayweave NAME POSITIONALS [--option TYPE]... [--flag]...", from the command's declaration.
std::string Usage(const CLI::App& command) {
  std::string usage = "dayweave " + command.get_name();
  const auto options = command.get_options();
  for (const CLI::Option* option : options) {
    if (!option->get_positional()) continue;
    const std::string name = option->get_name();
    usage += " " + (option->get_required() ? name : "[" + name + "]");
  }
  for (const bool flags : {false, true}) {
    for (const CLI::Option* option : options) {
      if (option->get_positional() || option == command.get_help_ptr()) continue;
      if (option->get_group().empty()) continue;  // hidden
      if ((option->get_expected_max() == 0) != flags) continue;
      usage += " [" + option->get_name();
      if (!flags) usage += " " + option->get_type_name();
      usage += "]";
    }
  }
  return usage;
}

// The help of a command opens with its own usage line.
class Formatter : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App* app, std::string) const override {
    if (app->get_parent() == nullptr) return "usage: dayweave [COMMAND ARGUMENTS...]\n";
    return "usage: " + Usage(*app) + "\n";
  }
};

// The problem of a parse as one line. CLI11 says "NAME: problem" of a value that fails its
// check, which names the value; the program says "NAME problem", as of every value it reads.
// Any other problem is with the shape of the command line, which the usage line shows.
std::string OneLine(const CLI::ParseError& error, const CLI::App& command) {
  std::string message = error.what();
  if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
    const auto colon = message.find(": ");
    if (colon != std::string::npos) message.erase(colon, 1);
  } else {
    message += " (usage: " + Usage(command) + ")";
  }
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

struct Declared {
  CLI::App* app;
  std::unique_ptr<Invocation> run;
  Handler handler;
};

}  // namespace

int RunAgent(const std::vector<std::string>& arguments, AgentIo& io) {
  if (arguments.empty()) {
    RunTour(io.out);
    return 0;
  }
  CLI::App program(kDescription, "dayweave");
  program.formatter(std::make_shared<Formatter>());
  program.require_subcommand(1);
  std::vector<Declared> declared;
  std::string commandList;
  std::string usageLines = "  dayweave                 a tour on the bundled sample calendar\n";
  for (const Command& command : Commands()) {
    CLI::App* app = program.add_subcommand(command.name, command.summary);
    app->footer(std::string(command.details) + "\n\n" + kCommonText);
    auto run = std::make_unique<Invocation>(command.name, io);
    Handler handler = command.declare(*app, *run);
    declared.push_back(Declared{app, std::move(run), std::move(handler)});
    commandList += (commandList.empty() ? "" : ", ") + std::string(command.name);
    usageLines += "  " + Usage(*app) + "\n";
  }
  program.footer(usageLines + "\ndayweave COMMAND --help tells more about a command.\n\n" +
                 kCommonText);

  const std::string& first = arguments.front();
  if (first == "help") {
    io.out << program.help();
    return 0;
  }
  const auto& commands = Commands();
  const bool known = std::any_of(commands.begin(), commands.end(),
                                 [&](const Command& command) { return first == command.name; });
  if (!known && (first.empty() || first.front() != '-')) {
    io.err << "dayweave: unknown command \"" << first << "\" (commands: " << commandList
           << "; dayweave --help tells more)\n";
    return kExitError;
  }
  try {
    program.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::CallForHelp&) {
    io.out << program.help();
    return 0;
  } catch (const CLI::ParseError& error) {
    const auto chosen = program.get_subcommands();
    if (chosen.empty()) {
      io.err << "dayweave: " << error.what() << " (dayweave --help tells more)\n";
    } else {
      io.err << "dayweave: " << chosen.front()->get_name() << ": "
             << OneLine(error, *chosen.front()) << "\n";
    }
    return kExitError;
  } catch (const CLI::Error& error) {
    io.err << "dayweave: " << error.what() << "\n";
    return kExitError;
  }
  for (Declared& command : declared) {
    if (command.app->parsed()) return command.handler(*command.run);
  }
  return kExitError;
}

}  // namespace dayweave::agent
