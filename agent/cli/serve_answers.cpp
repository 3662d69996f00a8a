#include "agent/cli/serve_answers.h"

#include <algorithm>
#include <iterator>
#include <ostream>
#include <sstream>

#include "agent/cli/arguments.h"
#include "agent/cli/listing.h"
#include "agent/cli/program.h"
#include "agent/input/calendar_source.h"
#include "agent/input/credentials.h"
#include "agent/input/file_stamp.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/loaded_schedule.h"
#include "agent/schedule/slot_search.h"
#include "agent/service/kqml_message.h"

namespace dayweave::agent {

using namespace std::chrono;

// One version of a calendar, laid out for the answers.
struct ServeAnswers::Version {
  explicit Version(std::unique_ptr<LoadedSchedule> read)
      : loaded(std::move(read)), freeBusy(loaded->schedule) {}
  std::unique_ptr<LoadedSchedule> loaded;
  FreeBusy freeBusy;  // asked again and again: it keeps the days it walked
};

struct ServeAnswers::Calendar {
  std::string source;  // a file or a URL
  bool url = false;
  std::optional<FileStamp> seen;  // a file's version last looked at, read or not
  std::unique_ptr<Version> version;
};

// What ReadAgain remembers of a URL calendar between fetches.
struct ServeAnswers::Fetched {
  std::size_t calendar = 0;  // its place among the calendars
  std::string read;          // the text of the version answering, resource by resource
  bool failing = false;      // since the last fetch that was read
};

struct ServeAnswers::Renewal {
  std::vector<std::pair<std::size_t, std::unique_ptr<Version>>> versions;  // by calendar
  std::vector<std::string> lines;                                          // whole lines
};

// A question's content read apart, and the command line that asks the same.
struct ServeAnswers::Question {
  std::string command;
  std::vector<std::string> positionals;
  std::optional<std::string> step;
  std::optional<std::string> hours;
  bool weekdays = false;
  bool plain = true;  // no option twice, no value the command line might read as an option
  std::vector<std::string> arguments;  // for the command line, after the command and FILE
  std::string problem;                 // a question the command line cannot be asked
};

namespace {

constexpr const char* kQuestions =
    "(free WHEN [MINUTES]), (slots FROM TO MINUTES [:step N] "
    "[:hours \"HH:MM-HH:MM\"] [:weekdays]) or (occurs DATE)";

bool LooksLikeOption(const std::string& text) { return !text.empty() && text[0] == '-'; }

// The fetched text, all resources in order, to tell a calendar that changed from one that
// did not.
std::string TextOf(const FetchedCalendar& fetched) {
  std::string text;
  for (const CalendarResource& resource : fetched.resources) {
    text += resource.url + '\0' + resource.text + '\0';
  }
  return text;
}

std::string KeptWarning(const std::string& problem) {
  return "dayweave: warning: " + problem + "; the version read before keeps answering";
}

}  // namespace

ServeAnswers::ServeAnswers(std::vector<std::string> calendars, std::string zoneName, bool details,
                           FetchOptions fetching, std::ostream& err)
    : sources_(std::move(calendars)),
      zoneName_(std::move(zoneName)),
      zone_(FindZone(zoneName_)),
      details_(details),
      fetching_(std::move(fetching)),
      err_(err) {}

ServeAnswers::~ServeAnswers() = default;

bool ServeAnswers::Load(std::string& problem) {
  for (const std::string& source : sources_) {
    auto calendar = std::make_unique<Calendar>();
    calendar->source = source;
    calendar->url = IsCalendarUrl(source);
    if (calendar->url) {
      fetched_.push_back({calendars_.size(), "", false});
    } else {
      calendar->seen = StampOf(source);
      if (auto error = ReadFile(*calendar)) {
        problem = *error;
        return false;
      }
    }
    calendars_.push_back(std::move(calendar));
  }
  if (fetched_.empty()) return true;  // no HTTP machinery for files alone
  const std::vector<FetchedCalendar> fetched = FetchCalendars(Urls(), std::nullopt, fetching_);
  for (std::size_t i = 0; i < fetched.size(); ++i) {
    if (!fetched[i].error.empty()) {
      problem = fetched[i].error;
      return false;
    }
    std::vector<std::string> lines;
    auto version = Read(ReadFetchedCalendar(fetched[i]), lines, problem);
    for (const std::string& warning : fetched[i].warnings) err_ << "dayweave: " << warning << "\n";
    for (const std::string& line : lines) err_ << line << "\n";
    if (version == nullptr) return false;
    calendars_[fetched_[i].calendar]->version = std::move(version);
    fetched_[i].read = TextOf(fetched[i]);
  }
  return true;
}

std::vector<std::string> ServeAnswers::Urls() const {
  std::vector<std::string> urls;
  for (const std::string& source : sources_) {
    if (IsCalendarUrl(source)) urls.push_back(source);
  }
  return urls;
}

// The calendar laid out on the display clock, after its warning lines; null with the error
// text when it is no calendar.
std::unique_ptr<ServeAnswers::Version> ServeAnswers::Read(CalendarFile file,
                                                          std::vector<std::string>& lines,
                                                          std::string& error) const {
  auto loaded = std::make_unique<LoadedSchedule>(std::move(file), zone_, zoneName_);
  if (!loaded->file.error.empty()) {
    error = loaded->file.error;
    return nullptr;
  }
  for (const std::string& warning : loaded->Warnings()) lines.push_back("dayweave: " + warning);
  return std::make_unique<Version>(std::move(loaded));
}

// Reads the calendar's file into a new version; answers the command line's error text when
// it cannot, and then the version read before stays.
std::optional<std::string> ServeAnswers::ReadFile(Calendar& calendar) {
  std::istringstream noInput;
  const CalendarText source = ReadCalendarText(calendar.source, noInput);
  if (!source.error.empty()) return source.error;
  std::vector<std::string> lines;
  std::string error;
  auto version = Read(ReadCalendar(source.text, source.name), lines, error);
  for (const std::string& line : lines) err_ << line << "\n";
  if (version == nullptr) return error;
  calendar.version = std::move(version);
  return {};
}

void ServeAnswers::Refresh() {
  for (const auto& calendar : calendars_) {
    if (calendar->url) continue;
    const std::optional<FileStamp> now = StampOf(calendar->source);
    if (now == calendar->seen) continue;
    calendar->seen = now;
    if (auto error = ReadFile(*calendar)) err_ << KeptWarning(*error) << std::endl;
  }
}

std::shared_ptr<ServeAnswers::Renewal> ServeAnswers::ReadAgain(
    const std::vector<FetchedCalendar>& fetched) {
  auto renewal = std::make_shared<Renewal>();
  for (std::size_t i = 0; i < fetched.size() && i < fetched_.size(); ++i) {
    Fetched& known = fetched_[i];
    std::string problem = fetched[i].error;
    std::string text;
    if (problem.empty()) {
      text = TextOf(fetched[i]);
      if (text == known.read) {
        known.failing = false;
        continue;
      }
      std::vector<std::string> lines;
      auto version = Read(ReadFetchedCalendar(fetched[i]), lines, problem);
      if (version != nullptr) {
        for (const std::string& warning : fetched[i].warnings) {
          renewal->lines.push_back("dayweave: " + warning);
        }
        renewal->lines.insert(renewal->lines.end(), lines.begin(), lines.end());
        renewal->versions.emplace_back(known.calendar, std::move(version));
        known.read = std::move(text);
        known.failing = false;
        continue;
      }
    }
    // Said once, until a fetch is read again.
    if (!known.failing) renewal->lines.push_back(KeptWarning(problem));
    known.failing = true;
  }
  return renewal;
}

void ServeAnswers::Renew(Renewal& renewal) {
  for (auto& [calendar, version] : renewal.versions) {
    calendars_[calendar]->version = std::move(version);
  }
  for (const std::string& line : renewal.lines) err_ << line << "\n";
  err_.flush();
}

Answer ServeAnswers::Ask(const KqmlValue& content) {
  Question question;
  if (!content.IsList() || content.items.empty() ||
      content.items[0].kind != KqmlValue::Kind::kWord) {
    return Answer::Error(std::string("a question is ") + kQuestions);
  }
  question.command = LowerCase(content.items[0].text);
  const std::vector<KqmlValue>& items = content.items;
  for (std::size_t i = 1; i < items.size() && question.problem.empty(); ++i) {
    const KqmlValue& item = items[i];
    if (item.IsList()) {
      question.problem = "the arguments of a question are words and strings, not lists";
    } else if (item.kind == KqmlValue::Kind::kWord && item.text.size() > 1 && item.text[0] == ':') {
      const std::string name = LowerCase(item.text.substr(1));
      question.arguments.push_back("--" + name);
      if (name == "weekdays") {
        question.plain = question.plain && !question.weekdays;
        question.weekdays = true;
      } else if (name == "step" || name == "hours") {
        std::optional<std::string>& value = name == "step" ? question.step : question.hours;
        question.plain = question.plain && !value && i + 1 < items.size() &&
                         !items[i + 1].IsList() && !LooksLikeOption(items[i + 1].text);
        if (i + 1 < items.size() && !items[i + 1].IsList()) {
          value = items[++i].text;
          question.arguments.push_back(*value);
        }
      } else {
        question.problem = "unknown option " + item.text;
      }
    } else {
      question.plain = question.plain && !LooksLikeOption(item.text);
      question.positionals.push_back(item.text);
      question.arguments.push_back(item.text);
    }
  }
  if (question.problem.empty() && question.command != "free" && question.command != "slots" &&
      question.command != "occurs") {
    question.problem =
        "unknown question \"" + content.items[0].text + "\" (questions: " + kQuestions + ")";
  }
  if (!question.problem.empty()) return Answer::Error(question.problem);
  if (question.command == "free") return Free(question);
  if (question.command == "slots") return Slots(question);
  return Occurs(question);
}

// The answer to a question whose arguments the command line would refuse: its error line,
// found by running the command on them, without its "dayweave: COMMAND: " prefix.
Answer ServeAnswers::Refusal(const Question& question) const {
  std::vector<std::string> arguments = {question.command, "-", "--tz", zoneName_};
  arguments.insert(arguments.end(), question.arguments.begin(), question.arguments.end());
  std::istringstream noCalendar;
  std::ostringstream out, err;
  AgentIo io{noCalendar, out, err, zoneName_};
  RunAgent(arguments, io);
  const std::string line = err.str().substr(0, err.str().find('\n'));
  const std::string prefix = "dayweave: " + question.command + ": ";
  if (line.rfind(prefix, 0) == 0) return Answer::Error(line.substr(prefix.size()));
  return Answer::Error(std::string("the question is not ") + kQuestions);
}

Answer ServeAnswers::Free(const Question& question) {
  const std::vector<std::string>& words = question.positionals;
  if (!question.plain || question.step || question.hours || question.weekdays || words.empty() ||
      words.size() > 2) {
    return Refusal(question);
  }
  const auto when = ReadWallClock(words[0]);
  const auto length = words.size() == 2 ? ReadMinutes(words[1]) : std::nullopt;
  if (!when || (words.size() == 2 && !length)) return Refusal(question);

  Refresh();
  bool free = true;
  std::vector<KqmlValue> content = {KqmlValue::Word("busy")};
  for (const auto& calendar : calendars_) {
    const StretchAnswer answer = length ? calendar->version->freeBusy.AskStretch(*when, *length)
                                        : calendar->version->freeBusy.AskAt(*when);
    free = free && answer.free;
    if (!details_) continue;
    for (const Appointment& blocking : answer.blocking) {
      const KqmlValue subject = KqmlValue::String(blocking.event->subject);
      const bool named = std::any_of(content.begin() + 1, content.end(),
                                     [&](const KqmlValue& v) { return v.text == subject.text; });
      if (!named) content.push_back(subject);
    }
  }
  if (free) return Answer::Tell(KqmlValue::List({KqmlValue::Word("free")}));
  return Answer::Tell(KqmlValue::List(std::move(content)));
}

Answer ServeAnswers::Slots(const Question& question) {
  const std::vector<std::string>& words = question.positionals;
  if (!question.plain || words.size() != 3) return Refusal(question);
  const auto from = ReadWallClock(words[0]);
  const auto to = ReadWallClock(words[1]);
  const auto length = ReadMinutes(words[2]);
  const auto step = question.step ? ReadMinutes(*question.step) : std::nullopt;
  const auto hours = question.hours ? ReadHours(*question.hours) : std::nullopt;
  if (!from || !to || !length || (question.step && !step) || (question.hours && !hours)) {
    return Refusal(question);
  }
  SlotQuery query;
  query.from = *from;
  query.to = *to;
  query.length = *length;
  if (step) query.step = *step;
  if (hours) {
    query.hoursFrom = hours->from;
    query.hoursTo = hours->to;
  }
  query.weekdaysOnly = question.weekdays;
  if (query.from >= query.to || (query.to - query.from) / query.step >= kMostCandidates) {
    return Refusal(question);
  }

  Refresh();
  std::unique_ptr<CTimeSlotStore> store;
  if (calendars_.size() == 1) {
    store = FreeSlotStore(calendars_[0]->version->loaded->schedule, query);
  } else {
    std::vector<local_seconds> free = FreeSlots(calendars_[0]->version->loaded->schedule, query);
    for (std::size_t i = 1; i < calendars_.size(); ++i) {
      const std::vector<local_seconds> also =
          FreeSlots(calendars_[i]->version->loaded->schedule, query);
      std::vector<local_seconds> both;
      std::set_intersection(free.begin(), free.end(), also.begin(), also.end(),
                            std::back_inserter(both));
      free = std::move(both);
    }
    store = SlotStore(free, query.length);
  }
  const std::string message = store->ToKQML().str();  // "(tell :t1 (...) ...)"
  return {"tell",
          ":zone " + WriteKqml(KqmlValue::Word(zoneName_)) + message.substr(5, message.size() - 6)};
}

Answer ServeAnswers::Occurs(const Question& question) {
  const std::vector<std::string>& words = question.positionals;
  if (!question.plain || question.step || question.hours || question.weekdays ||
      words.size() != 1) {
    return Refusal(question);
  }
  const auto when = ReadWallClock(words[0]);
  if (!when) return Refusal(question);
  if (!details_) {
    return Answer::Sorry(
        "occurs would tell what the user does; this agent answers it only "
        "when it serves with --details");
  }
  Refresh();
  std::vector<KqmlValue> subjects;
  for (const auto& calendar : calendars_) {
    std::vector<std::string> warnings;
    for (const Appointment& a :
         Listed(calendar->version->loaded->schedule, floor<days>(*when), warnings)) {
      subjects.push_back(KqmlValue::String(a.event->subject));
    }
  }
  return Answer::Tell(KqmlValue::List(std::move(subjects)));
}

}  // namespace dayweave::agent
