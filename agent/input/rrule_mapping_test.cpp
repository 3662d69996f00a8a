// Which rules the agent hands to the library as a recurring appointment and why the others
// are expanded. That the exact shapes occur on libical's dates, year after year, is checked
// in libical_agreement_test.cpp.
#include "agent/input/rrule_mapping.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

TEST(RruleMappingTest, ShapesThatMustBeExpandedSayWhy) {
  const char* const wkst =
      "its WKST starts weeks on another day than Sunday, which changes which weeks count";
  const char* const position = "its BYDAY position is neither 1 to 4 nor -1 (the last)";
  const char* const days = "its BYDAY is not the weekdays, the weekend, every day or one day";
  struct Case {
    const char* rule;
    const char* reason;
  } cases[] = {
      {"FREQ=DAILY;BYDAY=MO", "its daily rule has BYxxx parts"},
      {"FREQ=DAILY;BYHOUR=9,17", "its rule has BYHOUR"},
      {"FREQ=WEEKLY;BYMINUTE=0,30", "its rule has BYMINUTE"},
      {"FREQ=MINUTELY;BYSECOND=10", "its rule has BYSECOND"},
      {"FREQ=HOURLY", "its rule repeats FREQ=HOURLY"},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO", wkst},
      {"FREQ=WEEKLY;INTERVAL=3;BYDAY=MO,WE;WKST=TU", wkst},
      {"FREQ=WEEKLY;BYDAY=1MO", "its weekly BYDAY has a position"},
      {"FREQ=WEEKLY;BYMONTH=1", "its weekly rule has BYMONTH, BYMONTHDAY or BYSETPOS"},
      {"FREQ=MONTHLY;BYMONTHDAY=1,15", "its rule has several BYMONTHDAY values"},
      {"FREQ=MONTHLY;BYMONTHDAY=-1", "its BYMONTHDAY counts from the end of the month"},
      {"FREQ=MONTHLY;BYDAY=5FR", position},
      {"FREQ=MONTHLY;BYDAY=-2FR", position},
      {"FREQ=MONTHLY;BYDAY=MO,TU", "its BYDAY names every such day of the month"},
      {"FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=1", days},
      {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=1,-1", "its rule has several BYSETPOS values"},
      {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=5",
       "its BYSETPOS is neither 1 to 4 nor -1 (the last)"},
      {"FREQ=MONTHLY;BYDAY=1MO,3MO", "its BYDAY has several positions"},
      {"FREQ=MONTHLY;BYDAY=2TU;BYSETPOS=1", "its rule has BYSETPOS beside a BYDAY position"},
      {"FREQ=MONTHLY;BYMONTH=1", "its monthly rule has BYMONTH"},
      {"FREQ=MONTHLY;BYDAY=MO;BYMONTHDAY=13", "its rule has both BYDAY and BYMONTHDAY"},
      {"FREQ=MONTHLY;BYSETPOS=1", "its rule has BYSETPOS without BYDAY"},
      {"FREQ=YEARLY;INTERVAL=2", "its yearly rule has an INTERVAL above 1"},
      {"FREQ=YEARLY;BYMONTH=3", "its BYMONTH is not the month of DTSTART"},
      {"FREQ=YEARLY;BYMONTH=1,7", "its rule has several BYMONTH values"},
      {"FREQ=YEARLY;BYMONTHDAY=6", "its BYMONTHDAY without BYMONTH repeats every month"},
      {"FREQ=YEARLY;BYMONTH=1;BYMONTHDAY=7", "its BYMONTHDAY is not the day of DTSTART"},
      {"FREQ=YEARLY;BYDAY=1MO", "its yearly BYDAY counts through the whole year"},
      {"FREQ=YEARLY;BYWEEKNO=2", "its rule has BYWEEKNO"},
      {"FREQ=YEARLY;BYYEARDAY=6", "its rule has BYYEARDAY"},
      {"RSCALE=GREGORIAN;FREQ=YEARLY", "its rule has RSCALE"},
  };
  for (const Case& c : cases) {
    // DTSTART on Monday 6 January 2003.
    icalrecurrencetype rule = icalrecurrencetype_from_string(c.rule);
    const RuleVerdict verdict =
        ClassifyRule(rule, std::chrono::year_month_day{std::chrono::year{2003} / 1 / 6});
    std::free(rule.rscale);  // the parse copies an RSCALE name for the caller to free
    EXPECT_FALSE(verdict.exact) << c.rule;
    EXPECT_EQ(verdict.reason, c.reason) << c.rule;
  }
}

class MapEventTest : public ::testing::Test {
 protected:
  EventMapping Map(const std::string& lines, const char* display = "Europe/Berlin") {
    file_ = ReadCalendar(Calendar(Event("UID:e@test\n" + lines)), "m.ics");
    EXPECT_EQ(file_.warnings.size(), 0u);
    if (file_.events.empty()) return {};
    return MapEvent(file_.events.front(), FindZone(display), display, changes_);
  }

  CalendarFile file_;
  ZoneChanges changes_;
};

// Where the pattern starts and where COUNT or UNTIL make it end. Patterns moved onto another
// clock are compared with libical on zones.ics.
TEST_F(MapEventTest, PatternDatesOnTheDisplayClock) {
  const std::string hour = "DTSTART:20030106T090000\nDTEND:20030106T100000\n";
  struct Case {
    std::string lines;
    const char* display;
    const char* pattern;
    int ends;
  } cases[] = {
      {hour + "RRULE:FREQ=WEEKLY;BYDAY=MO\n", "Europe/Berlin",
       "1/6/2003 9:00:00 AM to 1/6/2003 10:00:00 AM", 0},
      // Mondays 6, 13, 20 and 27 January and 3 February.
      {hour + "RRULE:FREQ=WEEKLY;COUNT=5\n", "UTC", "1/6/2003 9:00:00 AM to 2/3/2003 10:00:00 AM",
       1},
      // UNTIL half an hour before the 31 March occurrence leaves 24 March the last one; UNTIL
      // at the very start of an occurrence keeps it.
      {"DTSTART:20030303T090000\nDTEND:20030303T100000\nRRULE:FREQ=WEEKLY;UNTIL=20030331T083000\n",
       "UTC", "3/3/2003 9:00:00 AM to 3/24/2003 10:00:00 AM", 1},
      {"DTSTART:20030303T090000\nDTEND:20030303T100000\nRRULE:FREQ=WEEKLY;UNTIL=20030331T090000\n",
       "UTC", "3/3/2003 9:00:00 AM to 3/31/2003 10:00:00 AM", 1},
      // The twelfth last weekday of a month from 31 January 2003 is Wednesday 31 December.
      {"DTSTART:20030131T160000\nDTEND:20030131T170000\n"
       "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=12\n",
       "UTC", "1/31/2003 4:00:00 PM to 12/31/2003 5:00:00 PM", 1},
  };
  for (const Case& c : cases) {
    const EventMapping mapping = Map(c.lines, c.display);
    ASSERT_EQ(mapping.kind, EventMapping::kRecurring) << c.lines << mapping.reason;
    EXPECT_EQ(ToOle(mapping.patternStart).Format().str() + " to " +
                  ToOle(mapping.patternEnd).Format().str(),
              c.pattern);
    EXPECT_EQ(mapping.ends, c.ends) << c.lines;
  }
  EXPECT_EQ(Map(hour).kind, EventMapping::kOneOff);
  // Paris and Berlin change their clocks together; a night in Berlin without a change keeps.
  for (const char* lines : {"DTSTART;TZID=Europe/Paris:20030106T090000\n"
                            "DTEND;TZID=Europe/Paris:20030106T100000\nRRULE:FREQ=WEEKLY\n",
                            "DTSTART;TZID=Europe/Berlin:20030105T003000\n"
                            "DTEND;TZID=Europe/Berlin:20030105T013000\nRRULE:FREQ=WEEKLY\n"}) {
    EXPECT_EQ(Map(lines).kind, EventMapping::kRecurring) << lines;
  }
}

TEST_F(MapEventTest, RecurrenceSetsAndTimesOfDayThatMustBeExpanded) {
  const std::string weekly = "DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=WEEKLY\n";
  const char* const moves =
      "its time of day on the Europe/Berlin clock moves with daylight saving, which its own "
      "zone keeps on other dates or not at all";
  struct Case {
    std::string lines;
    const char* reason;
  } cases[] = {
      {weekly + "EXDATE:20030113T090000\n", "it has EXDATE"},
      {weekly + "RDATE:20030115T090000\n", "it has RDATE"},
      {"DTSTART:20030106T090000\nDTEND:20030106T100000\nRDATE:20030115T090000\n", "it has RDATE"},
      {weekly + "EXRULE:FREQ=MONTHLY\n", "it has EXRULE"},
      {weekly + "RRULE:FREQ=MONTHLY\n", "it has several RRULEs"},
      {"DTSTART;VALUE=DATE:20030106\nRRULE:FREQ=WEEKLY\n", "it lasts all day"},
      {"DTSTART:20030106T230000\nDTEND:20030107T010000\nRRULE:FREQ=WEEKLY\n",
       "it crosses midnight"},
      {"DTSTART:20030106T230000\nDTEND:20030107T000000\nRRULE:FREQ=WEEKLY\n",
       "it ends exactly at midnight"},
      {"DTSTART:20030106T090000\nRRULE:FREQ=WEEKLY\n", "its end is not after its start"},
      {"DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=WEEKLY;BYDAY=TU\n",
       "its DTSTART is not one of the dates its rule gives"},
      {"DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=DAILY;COUNT=60000\n",
       "its rule runs past 50000 occurrences"},
      {"DTSTART;TZID=America/New_York:20030106T090000\n"
       "DTEND;TZID=America/New_York:20030106T100000\nRRULE:FREQ=WEEKLY\n",
       moves},
      {"DTSTART:20030106T080000Z\nDTEND:20030106T090000Z\nRRULE:FREQ=WEEKLY\n", moves},
      {"DTSTART;TZID=Europe/Berlin:20030105T013000\nDTEND;TZID=Europe/Berlin:20030105T033000\n"
       "RRULE:FREQ=WEEKLY\n",
       "a daylight-saving change of the Europe/Berlin clock falls within its hours"},
      {"DTSTART;TZID=America/New_York:20030106T200000\n"
       "DTEND;TZID=America/New_York:20030106T210000\nRRULE:FREQ=WEEKLY;COUNT=3\n",
       "on the Europe/Berlin clock it falls on another date than in its zone"},
  };
  for (const Case& c : cases) {
    const EventMapping mapping = Map(c.lines);
    EXPECT_EQ(mapping.kind, EventMapping::kExpanded) << c.lines;
    EXPECT_EQ(mapping.reason, c.reason) << c.lines;
  }
}

}  // namespace
}  // namespace dayweave::agent
