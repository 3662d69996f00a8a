// Which rules the agent hands to the library as a recurring appointment and why the others
// are expanded. That the exact shapes occur on libical's dates, year after year, is checked
// in libical_agreement_test.cpp.
#include "agent/input/rrule_mapping.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// Each row of inexact-rules.txt: a rule that the model cannot hold and why it is expanded.
TEST(RruleMappingTest, ShapesThatMustBeExpandedSayWhy) {
  for (const auto& row : testing::TableRows("inexact-rules.txt")) {
    icalrecurrencetype rule = icalrecurrencetype_from_string(row.at(0).c_str());
    const RuleVerdict verdict = ClassifyRule(rule, std::chrono::year{2003} / 1 / 6);
    std::free(rule.rscale);  // the parse copies an RSCALE name for the caller to free
    EXPECT_FALSE(verdict.exact) << row[0];
    EXPECT_EQ(verdict.reason, row.at(1)) << row[0];
  }
}

// How the only event of `lines` maps on the clock of `display`.
EventMapping Map(const std::string& lines, const char* display = "Europe/Berlin") {
  const CalendarFile file =
      ReadCalendar(testing::Calendar(testing::Event("UID:e@test\n" + lines)), "m.ics");
  EXPECT_EQ(file.warnings.size(), 0u);
  ZoneChanges changes;
  return file.events.empty() ? EventMapping{}
                             : MapEvent(file.events.front(), FindZone(display), display, changes);
}

// Where the pattern starts and where UNTIL makes it end. COUNT, and UNTIL at an occurrence's
// start, are compared with libical's dates for years in libical_agreement_test.cpp (with
// mapped-shapes.txt); patterns moved onto another clock, on zones.ics.
TEST(MapEventTest, PatternDatesOnTheDisplayClock) {
  for (const auto& row : testing::TableRows("pattern-dates.txt")) {
    const EventMapping mapping = Map(row.at(0) + "\n", row.at(1).c_str());
    ASSERT_EQ(mapping.kind, EventMapping::kRecurring) << row[0] << mapping.reason;
    EXPECT_EQ(testing::Text(mapping.patternStart) + " to " + testing::Text(mapping.patternEnd),
              row.at(2));
    EXPECT_EQ(mapping.ends, std::stoi(row.at(3))) << row[0];
  }
}

// Each row of expanded-events.txt: an event whose rule the model holds, and why it must still
// be expanded on the Europe/Berlin clock.
TEST(MapEventTest, RecurrenceSetsAndTimesOfDayThatMustBeExpanded) {
  for (const auto& row : testing::TableRows("expanded-events.txt")) {
    const EventMapping mapping = Map(row.at(0) + "\n");
    EXPECT_EQ(mapping.kind, EventMapping::kExpanded) << row[0];
    EXPECT_EQ(mapping.reason, row.at(1)) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
