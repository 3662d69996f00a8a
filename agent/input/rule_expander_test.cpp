#include "agent/input/rule_expander.h"

#include <gtest/gtest.h>

#include "agent/input/recurrence_case_table.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {
namespace {

using std::chrono::local_seconds;
using testing::RecurrenceCase;

// Every occurrence the expander gives for a case of the table, from `from` on when set.
std::vector<std::string> Expand(const RecurrenceCase& c, std::optional<local_seconds> from) {
  const icaltimetype start = icaltime_from_string(c.start.c_str());
  const std::optional<RuleParts> parts =
      PartsOf(icalrecurrencetype_from_string(c.rule.c_str()), start);
  if (!parts) return {"(rule not read)"};
  RuleExpander expander(*parts, WrittenTime(start), start.is_date != 0);
  if (from) expander.SkipTo(*from);
  std::vector<std::string> found;
  while (const std::optional<local_seconds> next = expander.Next()) {
    if (from && *next < *from) continue;
    found.push_back(testing::TableForm(*next, start.is_date != 0, icaltime_is_utc(start) != 0));
    if (found.size() > c.instances.size()) break;
  }
  if (expander.OverLimit()) found.push_back("(over limit)");
  return found;
}

// Each case of the table, read from DTSTART and, where it says so, from a later start.
TEST(RuleExpanderTest, GivesTheOccurrencesOfEveryTableCase) {
  const std::vector<RecurrenceCase> cases = testing::ReadRecurrenceCases();
  ASSERT_GT(cases.size(), 100u);
  for (const RecurrenceCase& c : cases) {
    EXPECT_EQ(Expand(c, std::nullopt), c.instances) << c.title << ": " << c.rule;
    if (c.startAt.empty()) continue;
    const local_seconds from = WrittenTime(icaltime_from_string(c.startAt.c_str()));
    EXPECT_EQ(Expand(c, from), testing::InstancesFromStartAt(c))
        << c.title << " from " << c.startAt;
  }
}

}  // namespace
}  // namespace dayweave::agent
