// dayweave slots CALENDAR FROM TO MINUTES: the free slots as a KQML tell message or as text.
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "agent/cli/arguments.h"
#include "agent/cli/command.h"
#include "agent/input/local_time.h"
#include "agent/schedule/slot_search.h"

namespace dayweave::agent {

namespace {

using namespace std::chrono;

struct SlotsRequest {
  std::optional<Moment> from;
  std::optional<Moment> to;
  std::optional<minutes> length;
  std::optional<minutes> step;
  std::optional<DailyHours> hours;
  bool weekdays = false;
  bool text = false;
};

int Slots(Invocation& run, const SlotsRequest& request) {
  // The arguments are checked together before the file is read.
  const local_seconds from = OnDisplayClock(*request.from, run.Display());
  const local_seconds to = OnDisplayClock(*request.to, run.Display());
  for (const auto& [name, time] : {std::pair{"FROM", from}, std::pair{"TO", to}}) {
    if (!LibraryHolds(time)) {
      return run.Fail(std::string(name) + " " + DateText(time) +
                      " is not a time of the years 100 to 9999");
    }
  }
  if (from >= to) {
    return run.Fail("FROM " + DateText(from) + " is not before TO " + DateText(to));
  }
  SlotQuery query;
  query.from = from;
  query.to = to;
  query.length = *request.length;
  if (request.step) query.step = *request.step;
  if (request.hours) {
    query.hoursFrom = request.hours->from;
    query.hoursTo = request.hours->to;
  }
  query.weekdaysOnly = request.weekdays;
  if ((query.to - query.from) / query.step >= kMostCandidates) {
    return run.Fail("FROM " + DateText(query.from) + " to TO " + DateText(query.to) + " every " +
                    std::to_string(query.step.count()) + " minutes is more than " +
                    std::to_string(kMostCandidates) + " candidate starts");
  }
  // A slot that starts just before TO lasts past it.
  const auto loaded = run.Load(AskedTimes{query.from, query.to + query.length});
  if (loaded == nullptr) return kExitError;
  std::vector<std::string> warnings;
  const auto store = FreeSlotStore(loaded->schedule, query, &warnings);
  for (const std::string& warning : warnings) run.Warn(warning);
  if (request.text) {
    run.Out() << store->ToString().str();
  } else {
    run.Out() << store->ToKQML().str() << "\n";
  }
  return 0;
}

}  // namespace

Command SlotsCommand() {
  return {"slots", "the free slots of MINUTES minutes from FROM to TO",
          "The free slots of MINUTES minutes: every candidate start from FROM (inclusive) to TO\n"
          "(exclusive) on a grid of --step minutes from FROM, lying within the daily --hours,\n"
          "on Monday to Friday only with --weekdays, that every appointment leaves free.\n"
          "Printed as the KQML tell message of a time slot store whose slots carry the\n"
          "attribute \"free\", or with --text as the store's plain text.",
          [](CLI::App& app, Invocation& run) -> Handler {
            auto request = std::make_shared<SlotsRequest>();
            AddCalendarArguments(app, run.Calendar());
            AddMoment(app, "FROM", request->from, "the first candidate start")->required();
            AddMoment(app, "TO", request->to, "candidates start before TO")->required();
            AddMinutes(app, "MINUTES", request->length, "the length of a slot")->required();
            AddMinutes(app, "--step", request->step, "minutes between candidates")
                ->default_str(std::to_string(SlotQuery{}.step.count()));
            AddHours(app, "--hours", request->hours, "the daily hours a slot lies within")
                ->default_str("09:00-17:00");
            app.add_flag("--weekdays", request->weekdays, "Monday to Friday only");
            app.add_flag("--text", request->text, "the store's plain text instead of KQML");
            return [request](Invocation& run) { return Slots(run, *request); };
          }};
}

}  // namespace dayweave::agent
