// The recurrence cases of agent/input/testdata/recurrence_cases.txt (taken from libical) and
// recurrence_cases_own.txt, for the tests that hold an expansion to them: each a rule, its DTSTART,
// an optional later start and every occurrence, written as the file writes them ("19970902T090000",
// "20241024").
#pragma once

#include <libical/ical.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace dayweave::agent::testing {

struct RecurrenceCase {
  std::string title;
  std::string rule;
  std::string start;
  std::string startAt;  // empty when the case starts at DTSTART
  std::vector<std::string> instances;
};

inline std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::size_t from = 0;
  while (from < list.size()) {
    const std::size_t comma = list.find(',', from);
    const std::size_t to = comma == std::string::npos ? list.size() : comma;
    items.push_back(list.substr(from, to - from));
    from = to + 1;
  }
  return items;
}

inline void ReadRecurrenceCases(const std::string& name, std::vector<RecurrenceCase>& cases) {
  std::ifstream in(std::string(DAYWEAVE_SOURCE_DIR) + "/agent/input/testdata/" + name);
  RecurrenceCase current;
  std::string line;
  const auto after = [&](const char* key) { return line.substr(std::string(key).size()); };
  while (std::getline(in, line)) {
    if (line.rfind("# ", 0) == 0) {
      current = RecurrenceCase{line.substr(2), "", "", "", {}};
    } else if (line.rfind("RRULE:", 0) == 0) {
      current.rule = after("RRULE:");
    } else if (line.rfind("DTSTART:", 0) == 0) {
      current.start = after("DTSTART:");
    } else if (line.rfind("START-AT:", 0) == 0) {
      current.startAt = after("START-AT:");
    } else if (line.rfind("INSTANCES:", 0) == 0) {
      current.instances = SplitList(after("INSTANCES:"));
      cases.push_back(current);
    }
  }
}

inline std::vector<RecurrenceCase> ReadRecurrenceCases() {
  std::vector<RecurrenceCase> cases;
  ReadRecurrenceCases("recurrence_cases.txt", cases);
  ReadRecurrenceCases("recurrence_cases_own.txt", cases);
  return cases;
}

// The occurrences of a case that come at or after its later start.
inline std::vector<std::string> InstancesFromStartAt(const RecurrenceCase& c) {
  std::vector<std::string> later;
  for (const std::string& instance : c.instances) {
    if (icaltime_compare(icaltime_from_string(instance.c_str()),
                         icaltime_from_string(c.startAt.c_str())) >= 0) {
      later.push_back(instance);
    }
  }
  return later;
}

// A wall-clock time as the table writes it: a date alone for an all-day rule, and the
// table's trailing Z when DTSTART has one.
inline std::string TableForm(std::chrono::local_seconds time, bool allDay, bool utc) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss<std::chrono::seconds> at(time - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  std::string form = text;
  if (allDay) return form;
  std::snprintf(text, sizeof text, "T%02d%02d%02d", static_cast<int>(at.hours().count()),
                static_cast<int>(at.minutes().count()), static_cast<int>(at.seconds().count()));
  return form + text + (utc ? "Z" : "");
}

}  // namespace dayweave::agent::testing
