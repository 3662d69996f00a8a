// dayweave occurs FILE DATE: the appointments that occur on DATE.
#include <memory>
#include <optional>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/cli/listing.h"

namespace dayweave::agent {

namespace {

struct OccursRequest {
  std::optional<std::chrono::local_days> date;
};

}  // namespace

Command OccursCommand() {
  return {"occurs", "the appointments that occur on DATE",
          "The appointments that occur on DATE, as list prints them.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<OccursRequest>();
            AddCalendarArguments(app, run.Calendar());
            AddDate(app, "DATE", request->date, "the date asked about")->required();
            return [request](Invocation& run) { return WriteListing(run, request->date); };
          }};
}

}  // namespace dayweave::agent
