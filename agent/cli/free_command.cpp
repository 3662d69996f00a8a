// dayweave free CALENDAR WHEN [MINUTES]: "free" (exit 0) or "busy" (exit 1) and what blocks.
#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/input/local_time.h"
#include "agent/schedule/availability.h"

namespace dayweave::agent {

namespace {

struct FreeRequest {
  std::optional<Moment> when;
  std::optional<std::chrono::minutes> length;  // none: the moment WHEN alone
};

int Free(Invocation& run, const FreeRequest& request) {
  const std::chrono::local_seconds when = OnDisplayClock(*request.when, run.Display());
  if (!LibraryHolds(when)) {
    return run.Fail("WHEN " + DateText(when) + " is not a time of the years 100 to 9999");
  }
  const auto until = when + (request.length ? *request.length : std::chrono::minutes{1});
  const auto loaded = run.Load(AskedTimes{when, until});
  if (loaded == nullptr) return kExitError;
  FreeBusy freeBusy(loaded->schedule);
  const StretchAnswer answer =
      request.length ? freeBusy.AskStretch(when, *request.length) : freeBusy.AskAt(when);
  run.Out() << (answer.free ? "free" : "busy") << "\n";
  // Each blocking event once, in the order of their first blocking occurrence, with how many
  // of its occurrences block when more than one does.
  std::vector<std::pair<const Appointment*, long>> events;
  for (const Appointment& blocking : answer.blocking) {
    const auto same = std::find_if(events.begin(), events.end(), [&](const auto& entry) {
      return entry.first->event == blocking.event;
    });
    if (same == events.end()) {
      events.emplace_back(&blocking, 1);
    } else {
      ++same->second;
    }
  }
  for (const auto& [blocking, times] : events) {
    const std::string status = blocking->appointment.GetApptStatusString().str();
    run.Out() << status << std::string(status.size() < 14 ? 14 - status.size() : 1, ' ')
              << blocking->event->subject << (blocking->unchecked ? " (unchecked)" : "");
    if (times > 1) run.Out() << " (" << times << " times)";
    run.Out() << "\n";
  }
  for (const std::string& warning : freeBusy.Warnings()) run.Warn(warning);
  return answer.free ? kExitFree : kExitBusy;
}

}  // namespace

Command FreeCommand() {
  return {"free", "whether the user is free at WHEN, or for MINUTES from it",
          "Whether the user is free at the moment WHEN, or for MINUTES minutes from it. Prints\n"
          "free or busy, then each blocking event once (status and subject), followed by\n"
          "\" (N times)\" when N of its occurrences block.\n"
          "Exit status: 0 free, 1 busy, 2 error.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<FreeRequest>();
            AddCalendarArguments(app, run.Calendar());
            AddMoment(app, "WHEN", request->when, "the moment asked about")->required();
            AddMinutes(app, "MINUTES", request->length, "the length of the stretch asked about");
            return [request](Invocation& run) { return Free(run, *request); };
          }};
}

}  // namespace dayweave::agent
