// dayweave list FILE [--on DATE]: the appointments, one line each.
#include <memory>
#include <optional>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/cli/listing.h"

namespace dayweave::agent {

namespace {

struct ListRequest {
  std::optional<std::chrono::local_days> on;
};

}  // namespace

Command ListCommand() {
  return {"list", "the appointments, one line each",
          "One line per appointment: index, R for recurring, start, end, duration, status,\n"
          "reminder and subject. An event the library's rules cannot hold is listed by its\n"
          "occurrences in the year from its start. With --on DATE, only the appointments that\n"
          "occur on DATE.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<ListRequest>();
            AddCalendarArguments(app, run.Calendar());
            AddDate(app, "--on", request->on, "only the appointments that occur on DATE");
            return [request](Invocation& run) { return WriteListing(run, request->on); };
          }};
}

}  // namespace dayweave::agent
