// dayweave free FILE WHEN [MINUTES]: "free" (exit 0) or "busy" (exit 1) and what blocks.
#include <memory>
#include <optional>
#include <ostream>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/schedule/availability.h"

namespace dayweave::agent {

namespace {

struct FreeRequest {
  std::optional<std::chrono::local_seconds> when;
  std::optional<std::chrono::minutes> length;  // none: the moment WHEN alone
};

int Free(Invocation& run, const FreeRequest& request) {
  const auto loaded = run.Load();
  if (loaded == nullptr) return kExitError;
  FreeBusy freeBusy(loaded->schedule);
  const StretchAnswer answer = request.length ? freeBusy.AskStretch(*request.when, *request.length)
                                              : freeBusy.AskAt(*request.when);
  run.Out() << (answer.free ? "free" : "busy") << "\n";
  for (const Appointment& blocking : answer.blocking) {
    const std::string status = blocking.appointment.GetApptStatusString().str();
    run.Out() << status << std::string(status.size() < 14 ? 14 - status.size() : 1, ' ')
              << blocking.event->subject << "\n";
  }
  return answer.free ? kExitFree : kExitBusy;
}

}  // namespace

Command FreeCommand() {
  return {"free", "whether the user is free at WHEN, or for MINUTES from it",
          "Whether the user is free at the moment WHEN, or for MINUTES minutes from it. Prints\n"
          "free or busy, then one line per blocking appointment (status and subject).\n"
          "Exit status: 0 free, 1 busy, 2 error.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<FreeRequest>();
            AddCalendarArguments(app, run.Calendar());
            AddWallClock(app, "WHEN", request->when, "the moment asked about")->required();
            AddMinutes(app, "MINUTES", request->length, "the length of the stretch asked about");
            return [request](Invocation& run) { return Free(run, *request); };
          }};
}

}  // namespace dayweave::agent
