// free and slots on small calendars whose rules the agent expands itself or cannot expand:
// time that could not be checked is never answered free.
#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Outcome;

// The agent run on a calendar of one event (given on standard input), in UTC.
Outcome OnEvent(const std::string& summary, const std::string& lines,
                std::vector<std::string> arguments) {
  arguments.insert(arguments.begin() + 1, "-");
  arguments.push_back("--tz=UTC");
  return testing::Agent(
      arguments, testing::Calendar(testing::Event("UID:" + summary + "@test\nSUMMARY:" + summary +
                                                  "\n" + lines)));
}

// Rules the independent reader cannot check (more rule shapes are in answers.txt): each row an
// event and a time at which free answers busy.
TEST(FreeCommandTest, UnboundedAndWeekNumberRulesAnswerAsTheyRecur) {
  const struct {
    std::string summary;
    std::string lines;
    std::string when;
  } cases[] = {
      // Once a second without end, asked on its second day.
      {"Secondly", "DTSTART:20180101T090000Z\nDTEND:20180101T090001Z\nRRULE:FREQ=SECONDLY\n",
       "2018-01-02T12:00:30"},
      // Monday of week 1 (libical takes another day): 30 December 2024 is in week 1 of 2025.
      {"WeekOne",
       "DTSTART:20240101T090000Z\nDTEND:20240101T100000Z\nRRULE:FREQ=YEARLY;BYWEEKNO=1\n",
       "2024-12-30T09:30"},
  };
  for (const auto& c : cases) {
    const Outcome result = OnEvent(c.summary, c.lines, {"free", c.when});
    EXPECT_EQ(result.status, 1) << c.summary << "\n" << result.err;
    EXPECT_EQ(result.out, "busy\nBusy          " + c.summary + "\n") << c.summary;
    EXPECT_EQ(result.err, "") << c.summary;
  }
}

// The last of every second of a year (31 million in one yearly period, more than the expander
// may read): the event's time from the start of 2024 on is unchecked, so free says busy and
// names it, slots leaves it out, and each says why on standard error.
TEST(FreeCommandTest, TimeThatCouldNotBeCheckedIsBusy) {
  std::string hours = "0", every = "0";
  for (int i = 1; i < 60; ++i) every += "," + std::to_string(i);
  for (int i = 1; i < 24; ++i) hours += "," + std::to_string(i);
  const std::string unreadable =
      "DTSTART:20240101T090000Z\nDTEND:20240101T090001Z\n"
      "RRULE:FREQ=YEARLY;BYDAY=SU,MO,TU,WE,TH,FR,SA;BYSECOND=" +
      every + ";BYMINUTE=" + every + ";BYHOUR=" + hours + ";BYSETPOS=-1\n";
  const Outcome free = OnEvent("Opaque", unreadable, {"free", "2024-03-05T12:00"});
  EXPECT_EQ(free.status, 1);
  EXPECT_EQ(free.out, "busy\nBusy          Opaque (unchecked)\n");
  EXPECT_NE(free.err.find("event 1 (UID Opaque@test) could not be checked from"), std::string::npos)
      << free.err;
  EXPECT_EQ(OnEvent("Opaque", unreadable, {"free", "2023-12-31T12:00"}).status, 0);

  const Outcome slots =
      OnEvent("Opaque", unreadable, {"slots", "2023-12-29", "2024-01-03", "60", "--text"});
  EXPECT_NE(slots.out.find("12/29/2023"), std::string::npos) << slots.out;
  EXPECT_EQ(slots.out.find("1/2/2024"), std::string::npos) << slots.out;
  EXPECT_NE(slots.err.find("could not be checked"), std::string::npos);
}

}  // namespace
}  // namespace dayweave::agent
