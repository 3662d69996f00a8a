#include "agent/input/calendar_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>

#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string TrailingTrimmed(const std::string& text) {
  const auto last = text.find_last_not_of(" \t\r");
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string Text(const char* text) { return text == nullptr ? std::string() : text; }

void Append(std::string& list, const std::string& item, const char* separator) {
  if (item.empty()) return;
  if (!list.empty()) list += separator;
  list += item;
}

long Clamped(long long value) {
  return static_cast<long>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The lines on which the events begin, in the order they appear. A folded line starts with a
// blank, so a text that merely contains BEGIN:VEVENT is not taken for one.
std::vector<int> EventLines(const std::string& text) {
  std::vector<int> lines;
  int line = 1;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    if (Upper(TrailingTrimmed(text.substr(begin, end - begin))) == "BEGIN:VEVENT")
      lines.push_back(line);
    ++line;
    begin = end + 1;
  }
  return lines;
}

// Every VEVENT below `component`, in the order of the text.
void CollectEvents(icalcomponent* component, std::vector<icalcomponent*>& events) {
  for (icalcomponent* child = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
       child != nullptr; child = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(child) == ICAL_VEVENT_COMPONENT) events.push_back(child);
    CollectEvents(child, events);
  }
}

// libical prints some of the problems it meets while parsing to standard error itself, while
// the agent reports each problem once, in its own words; so the parse runs with standard
// error sent to /dev/null.
class QuietStandardError {
 public:
  QuietStandardError() : saved_(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
      dup2(null, STDERR_FILENO);
      close(null);
    }
  }
  ~QuietStandardError() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_;
};

icalcomponent* Parse(const std::string& text) {
  const QuietStandardError quiet;
  return icalparser_parse_string(text.c_str());
}

bool HoldsCalendar(icalcomponent* root) {
  if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) return true;
  return icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT) != nullptr;
}

// The property whose value libical could not read, when it is one that places the event in
// time; libical replaces such a property with an X-LIC-ERROR that names it.
std::string UnreadableTimeProperty(icalcomponent* event) {
  static constexpr std::array<const char*, 8> kNames = {
      "DTSTART", "DTEND", "DURATION", "RRULE", "RDATE", "EXDATE", "EXRULE", "RECURRENCE-ID"};
  for (icalproperty* error = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY);
       error != nullptr; error = icalcomponent_get_next_property(event, ICAL_XLICERROR_PROPERTY)) {
    const std::string message = Text(icalproperty_get_xlicerror(error));
    for (const char* name : kNames) {
      if (message.find(std::string(" in ") + name + " property") != std::string::npos) {
        return name;
      }
    }
  }
  return {};
}

// Whether the library's date-time value holds a calendar time as written. libical counts the
// years before 1752 by the Julian rule and so reads 29 February 1700, which the library's
// Gregorian calendar has not.
bool HeldAsWritten(const icaltimetype& time) {
  if (time.is_date) return LibraryHolds(time.year, time.month, time.day, 0, 0, 0);
  return LibraryHolds(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

// The TZID of a property whose zone libical could not find, or "".
std::string UnknownZone(icalcomponent* event, icalproperty_kind kind, const icaltimetype& time) {
  icalproperty* property = icalcomponent_get_first_property(event, kind);
  if (property == nullptr || time.zone != nullptr || time.is_date) return {};
  icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
  return tzid == nullptr ? std::string() : Text(icalparameter_get_tzid(tzid));
}

std::string Address(const char* attendee) {
  std::string address = Text(attendee);
  if (Upper(address.substr(0, 7)) == "MAILTO:") address.erase(0, 7);
  return address;
}

void ReadAttendees(icalcomponent* event, EventRecord& record) {
  for (icalproperty* attendee = icalcomponent_get_first_property(event, ICAL_ATTENDEE_PROPERTY);
       attendee != nullptr;
       attendee = icalcomponent_get_next_property(event, ICAL_ATTENDEE_PROPERTY)) {
    icalparameter* role = icalproperty_get_first_parameter(attendee, ICAL_ROLE_PARAMETER);
    const icalparameter_role kind =
        role == nullptr ? ICAL_ROLE_REQPARTICIPANT : icalparameter_get_role(role);
    if (kind == ICAL_ROLE_REQPARTICIPANT) {
      Append(record.required, Address(icalproperty_get_attendee(attendee)), "; ");
    } else if (kind == ICAL_ROLE_OPTPARTICIPANT) {
      Append(record.optional, Address(icalproperty_get_attendee(attendee)), "; ");
    }
  }
}

void ReadCategories(icalcomponent* event, EventRecord& record) {
  for (icalproperty* category = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
       category != nullptr;
       category = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
    Append(record.attribute, Text(icalproperty_get_categories(category)), ", ");
  }
}

long long Seconds(const icaldurationtype& duration) {
  const long long seconds = 604800LL * duration.weeks + 86400LL * duration.days +
                            3600LL * duration.hours + 60LL * duration.minutes + duration.seconds;
  return duration.is_neg ? -seconds : seconds;
}

// The first alarm's trigger, as minutes before the start, when it is relative.
void ReadReminder(icalcomponent* event, long long eventSeconds, EventRecord& record) {
  icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
  if (alarm == nullptr) return;
  icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (trigger == nullptr) return;
  const icaltriggertype value = icalproperty_get_trigger(trigger);
  if (!icaltime_is_null_time(value.time)) return;
  long long fromStart = Seconds(value.duration);
  icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
  if (related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END) {
    fromStart += eventSeconds;
  }
  record.reminderFlag = 1;
  record.reminder = Clamped(-fromStart / 60);
}

// Why the event cannot be placed in time, or "" when it can.
std::string Unplaceable(icalcomponent* event, EventRecord& record) {
  const std::string unreadable = UnreadableTimeProperty(event);
  if (!unreadable.empty()) return "libical cannot read its " + unreadable;
  if (icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY) == nullptr) {
    return "it has no DTSTART";
  }
  record.start = icalcomponent_get_dtstart(event);
  record.end = icalcomponent_get_dtend(event);
  for (const auto& [kind, time, name] : {std::tuple{ICAL_DTSTART_PROPERTY, record.start, "DTSTART"},
                                         std::tuple{ICAL_DTEND_PROPERTY, record.end, "DTEND"}}) {
    const std::string zone = UnknownZone(event, kind, time);
    if (!zone.empty()) return std::string("its ") + name + " names the unknown time zone " + zone;
  }
  static constexpr const char* kRange =
      " is not a date of the library's calendar (years 100 "
      "to 9999, Gregorian)";
  if (!HeldAsWritten(record.start)) return std::string("its DTSTART") + kRange;
  if (!HeldAsWritten(record.end)) return std::string("its end") + kRange;
  if (EventTimeOf(record.end) < EventTimeOf(record.start)) return "it ends before it starts";
  return {};
}

}  // namespace

int BusyStatusOf(icalcomponent* event) {
  for (icalproperty* x = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); x != nullptr;
       x = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
    if (Upper(Text(icalproperty_get_x_name(x))) != "X-MICROSOFT-CDO-BUSYSTATUS") continue;
    const std::string value = Upper(Trimmed(Text(icalproperty_get_value_as_string(x))));
    if (value == "FREE") return 0;
    if (value == "TENTATIVE") return 1;
    if (value == "OOF") return 3;
    return 2;
  }
  const icalproperty_status status = icalcomponent_get_status(event);
  if (status == ICAL_STATUS_CANCELLED) return 0;
  if (status == ICAL_STATUS_TENTATIVE) return 1;
  icalproperty* transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY);
  if (transp != nullptr && icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT) return 0;
  return 2;
}

std::string EventLabel(const std::string& fileName, const EventRecord& event) {
  std::string label = fileName;
  if (event.line > 0) label += ":" + std::to_string(event.line);
  label += ": event " + std::to_string(event.index);
  if (!event.uid.empty()) label += " (UID " + event.uid + ")";
  return label;
}

CalendarFile ReadCalendar(const std::string& text, const std::string& name) {
  CalendarFile file;
  file.name = name;
  icalcomponent* root = Parse(text);
  if (root == nullptr) {
    file.error = name + ": not an iCalendar file (libical finds no complete calendar in it)";
    return file;
  }
  file.root = std::shared_ptr<icalcomponent>(root, icalcomponent_free);
  if (!HoldsCalendar(root)) {
    file.error = name + ": not an iCalendar file (it has no VCALENDAR)";
    return file;
  }

  std::vector<icalcomponent*> components;
  CollectEvents(root, components);
  const std::vector<int> lines = EventLines(text);
  const bool linesKnown = lines.size() == components.size();

  for (std::size_t i = 0; i < components.size(); ++i) {
    icalcomponent* event = components[i];
    EventRecord record;
    record.index = static_cast<int>(std::min<std::size_t>(i + 1, INT_MAX));
    record.line = linesKnown ? lines[i] : 0;
    record.uid = Text(icalcomponent_get_uid(event));
    record.component = event;
    const std::string why = Unplaceable(event, record);
    if (!why.empty()) {
      file.warnings.push_back(EventLabel(name, record) + " skipped: " + why);
      continue;
    }
    record.subject = Text(icalcomponent_get_summary(event));
    record.body = Text(icalcomponent_get_description(event));
    record.location = Text(icalcomponent_get_location(event));
    ReadAttendees(event, record);
    ReadCategories(event, record);
    record.status = BusyStatusOf(event);
    const long long seconds = (EventTimeOf(record.end) - EventTimeOf(record.start)).count();
    record.duration = Clamped(seconds / 60);
    ReadReminder(event, seconds, record);
    file.events.push_back(std::move(record));
  }

  // An event with a RECURRENCE-ID replaces one occurrence of the event with the same UID.
  std::map<std::string, EventRecord*> masters;
  for (EventRecord& event : file.events) {
    if (icalcomponent_get_first_property(event.component, ICAL_RECURRENCEID_PROPERTY) == nullptr &&
        !event.uid.empty()) {
      masters.emplace(event.uid, &event);
    }
  }
  for (EventRecord& event : file.events) {
    icalproperty* id =
        icalcomponent_get_first_property(event.component, ICAL_RECURRENCEID_PROPERTY);
    if (id == nullptr) continue;
    const auto master = masters.find(event.uid);
    if (master == masters.end()) continue;
    master->second->overridden.push_back(
        icalproperty_get_datetime_with_component(id, event.component));
  }
  return file;
}

}  // namespace dayweave::agent
