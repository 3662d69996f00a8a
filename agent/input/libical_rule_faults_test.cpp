#include "agent/input/libical_rule_faults.h"

#include <gtest/gtest.h>

#include "agent/input/recurrence_case_table.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

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
  int kept = 0, routed = 0;
  for (const RecurrenceCase& c : testing::ReadRecurrenceCases()) {
    const icaltimetype start = icaltime_from_string(c.start.c_str());
    if (!LibicalFault(icalrecurrencetype_from_string(c.rule.c_str()), start).empty()) {
      ++routed;
      continue;
    }
    ++kept;
    EXPECT_EQ(LibicalExpansion(c, false), c.instances) << c.title << ": " << c.rule;
    if (c.startAt.empty()) continue;
    EXPECT_EQ(LibicalExpansion(c, true), testing::InstancesFromStartAt(c))
        << c.title << " from " << c.startAt;
  }
  EXPECT_GT(kept, 60);
  EXPECT_GT(routed, 60);
}

// Each row of libical-faults.txt. (The faulty shapes of the recurrence table are routed, or
// the test above fails.)
TEST(LibicalRuleFaultsTest, NamesTheFaultyShapesOnly) {
  for (const auto& row : testing::TableRows("libical-faults.txt")) {
    const std::string fault = LibicalFault(icalrecurrencetype_from_string(row.at(0).c_str()),
                                           icaltime_from_string(row.at(1).c_str()));
    EXPECT_EQ(!fault.empty(), row.at(2) == "1") << row[0] << " from " << row[1];
  }
}

}  // namespace
}  // namespace dayweave::agent
