#include "agent/input/libical_rule_faults.h"

#include <gtest/gtest.h>

#include "agent/input/recurrence_case_table.h"

namespace dayweave::agent {
namespace {

using testing::ReadRecurrenceCases;
using testing::RecurrenceCase;

// libical's occurrences of a case, from DTSTART or from the case's later start, as libical
// writes them (the table's own form).
std::vector<std::string> LibicalExpansion(const RecurrenceCase& c, bool late) {
  const icalrecurrencetype rule = icalrecurrencetype_from_string(c.rule.c_str());
  icalrecur_iterator* iterator =
      icalrecur_iterator_new(rule, icaltime_from_string(c.start.c_str()));
  if (iterator == nullptr) return {"(refused)"};
  if (late) icalrecur_iterator_set_start(iterator, icaltime_from_string(c.startAt.c_str()));
  std::vector<std::string> found;
  for (icaltimetype t = icalrecur_iterator_next(iterator);
       !icaltime_is_null_time(t) && found.size() <= c.instances.size();
       t = icalrecur_iterator_next(iterator)) {
    found.push_back(icaltime_as_ical_string(t));
  }
  icalrecur_iterator_free(iterator);
  return found;
}

// Every case whose shape stays with libical is one that libical expands right. (The cases of
// the other shapes are not run through libical: some of them keep it searching for ever.)
TEST(LibicalRuleFaultsTest, EveryShapeLeftToLibicalIsExpandedRight) {
  int kept = 0;
  int routed = 0;
  for (const RecurrenceCase& c : ReadRecurrenceCases()) {
    const icaltimetype start = icaltime_from_string(c.start.c_str());
    if (!LibicalFault(icalrecurrencetype_from_string(c.rule.c_str()), start).empty()) {
      ++routed;
      continue;
    }
    ++kept;
    EXPECT_EQ(LibicalExpansion(c, false), c.instances) << c.title << ": " << c.rule;
    if (c.startAt.empty()) continue;
    std::vector<std::string> later;
    for (const std::string& instance : c.instances) {
      if (icaltime_compare(icaltime_from_string(instance.c_str()),
                           icaltime_from_string(c.startAt.c_str())) >= 0) {
        later.push_back(instance);
      }
    }
    EXPECT_EQ(LibicalExpansion(c, true), later) << c.title << " from " << c.startAt;
  }
  EXPECT_GT(kept, 60);
  EXPECT_GT(routed, 60);
}

// Shapes that calendar programs write every day stay with libical; a few of the faulty ones,
// each with the DTSTART that decides it. (The faulty shapes of the table are routed, or the test
// above fails.)
TEST(LibicalRuleFaultsTest, NamesTheFaultyShapesOnly) {
  struct Case {
    const char* rule;
    const char* start;
    bool faulty;
  } cases[] = {
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE", "20240101T090000", false},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE", "20240102T090000", true},  // a Tuesday
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;WKST=SU", "20240101T090000", false},
      {"FREQ=WEEKLY;BYDAY=MO,WE,MO", "20240101T090000", true},
      {"FREQ=MONTHLY;BYMONTH=2;BYMONTHDAY=30", "20240101T090000", true},
      {"FREQ=MONTHLY;BYMONTH=2;BYMONTHDAY=29", "20240101T090000", false},
      {"FREQ=DAILY;BYHOUR=9", "20240101", true},
      {"FREQ=DAILY;BYHOUR=9", "20240101T090000", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!LibicalFault(icalrecurrencetype_from_string(c.rule), icaltime_from_string(c.start))
                   .empty(),
              c.faulty)
        << c.rule << " from " << c.start;
  }
}

}  // namespace
}  // namespace dayweave::agent
