// dayweave serve CALENDAR... [--host ADDRESS] [--port N] [--name NAME] [--allow CIDR]...
// [--details] [--refresh SECONDS] [--tz NAME] [--quiet] and the options of calendars on
// servers: the user's agent as a KQML service over TCP, answering free, slots and occurs over
// all the calendars (serve_answers.h) until SIGINT or SIGTERM. The URL calendars are fetched
// again every --refresh seconds on a thread of their own (background_fetch.h), read there,
// and put in place on the service's thread between answers.
#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/cli/serve_answers.h"
#include "agent/input/background_fetch.h"
#include "agent/service/kqml_service.h"

namespace dayweave::agent {

namespace {

struct ServeRequest {
  std::vector<std::string> calendars;
  std::string host = ServiceSettings{}.host;
  std::uint16_t port = ServiceSettings{}.port;
  std::string name = ServiceSettings{}.name;
  std::vector<AddressRange> allowed;
  bool details = false;
  std::chrono::seconds refresh{300};
  bool quiet = false;
  ServerArguments server;
};

int Serve(Invocation& run, const ServeRequest& request) {
  ServeAnswers answers(request.calendars, run.DisplayName(), request.details,
                       request.server.Fetching(), run.Io().err);
  std::string problem;
  if (!answers.Load(problem)) return run.Fail(problem);
  ServiceSettings settings;
  settings.host = request.host;
  settings.port = request.port;
  settings.name = request.name;
  settings.allowed = request.allowed;
  settings.quiet = request.quiet;
  const auto service = KqmlService::Open(
      settings, [&answers](const KqmlValue& content) { return answers.Ask(content); }, run.Io().err,
      problem);
  if (service == nullptr) return run.Fail(problem);
  run.Out() << "listening on " << service->Address() << std::endl;
  std::unique_ptr<BackgroundFetch> refetch;  // stopped before the service and the answers go
  if (const std::vector<std::string> urls = answers.Urls(); !urls.empty()) {
    refetch = std::make_unique<BackgroundFetch>(
        urls, request.server.Fetching(), request.refresh,
        [&answers, &service](std::vector<FetchedCalendar> fetched) {
          std::shared_ptr<ServeAnswers::Renewal> renewal = answers.ReadAgain(fetched);
          service->Post([&answers, renewal] { answers.Renew(*renewal); });
        });
  }
  service->Run();
  return 0;
}

// "TEXT" and why it is not good, or "" when it is: the checks' error texts.
std::string PortProblem(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 5 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  if (digits && std::stol(text) <= 65535) return "";
  return "\"" + text + "\" is not a port number from 0 to 65535";
}

std::string RangeProblem(const std::string& text) {
  std::string problem;
  AddressRange::Parse(text, problem);
  return problem;
}

}  // namespace

Command ServeCommand() {
  return {"serve", "answer other agents' KQML questions over TCP",
          "Listens on TCP (127.0.0.1 port 5555 unless told; --port 0 picks a free port) and\n"
          "answers KQML questions about the user's time over all the CALENDARs together:\n"
          "  (ask-one :content (free WHEN [MINUTES]))      (free) or (busy)\n"
          "  (ask-all :content (slots FROM TO MINUTES [:step N] [:hours \"HH:MM-HH:MM\"]\n"
          "                    [:weekdays]))               the slots' tell message\n"
          "  (ask-all :content (occurs DATE))              the subjects, with --details only\n"
          "Without --details no answer names a subject, location, description or attendee.\n"
          "Prints \"listening on HOST:PORT\" first. A calendar file changed on disk is read again\n"
          "before the next answer; a calendar at an http or https URL is fetched again in the\n"
          "background every --refresh seconds, and while a new version cannot be read, the last\n"
          "good one answers. A peer outside loopback and every --allow range is\n"
          "disconnected. SIGINT or SIGTERM stops the service after the answers in progress.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<ServeRequest>();
            app.add_option("CALENDAR", request->calendars,
                           "the user's calendars: iCalendar files, or the http or https URLs of "
                           "CalDAV calendars or published iCalendar files")
                ->required()
                ->type_name("CALENDAR");
            app.add_option("--host", request->host, "the address to listen on (default 127.0.0.1)")
                ->type_name("ADDRESS");
            app.add_option_function<std::string>(
                   "--port",
                   [request](const std::string& text) {
                     request->port = static_cast<std::uint16_t>(std::stol(text));
                   },
                   "the port to listen on (default 5555; 0 picks a free one)")
                ->check(CLI::Validator([](std::string& text) { return PortProblem(text); }, ""))
                ->type_name("N");
            app.add_option("--name", request->name,
                           "the agent's name in messages (default dayweave)")
                ->type_name("NAME");
            app.add_option_function<std::string>(
                   "--allow",
                   [request](const std::string& text) {
                     std::string problem;
                     request->allowed.push_back(*AddressRange::Parse(text, problem));
                   },
                   "also answer peers in this address range (CIDR), besides loopback")
                ->check(CLI::Validator([](std::string& text) { return RangeProblem(text); }, ""))
                ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                ->type_name("CIDR");
            app.add_flag("--details", request->details,
                         "let answers name the subjects of the user's appointments");
            AddSeconds(app, "--refresh", request->refresh,
                       "fetch the URL calendars again every SECONDS (default 300)");
            AddZone(app, run.Calendar().zone);
            app.add_flag("--quiet", request->quiet,
                         "no line on standard error per connection and fault");
            AddServerArguments(app, request->server);
            return [request](Invocation& run) { return Serve(run, *request); };
          }};
}

}  // namespace dayweave::agent
