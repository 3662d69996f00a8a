#include "agent/rrule_mapping.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

// The verdict on a rule for DTSTART on Monday 6 January 2003.
RuleVerdict Classify(const char* text) {
  icalrecurrencetype rule = icalrecurrencetype_from_string(text);
  const RuleVerdict verdict = ClassifyRule(rule, 1, 6, 2);
  std::free(rule.rscale);  // the parse copies an RSCALE name for the caller to free
  return verdict;
}

TEST(RruleMappingTest, ShapesThatTheModelHoldsExactly) {
  struct Case {
    const char* rule;
    RuleShape shape;
  } cases[] = {
      {"FREQ=DAILY", {0, 1, 0, 0, 0}},
      {"FREQ=DAILY;INTERVAL=3;COUNT=5", {0, 3, 0, 0, 0}},
      {"FREQ=WEEKLY", {1, 1, 0, 0, 2}},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", {1, 1, 0, 0, 2 | 8 | 32}},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE", {1, 2, 0, 0, 2 | 8}},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO;WKST=SU", {1, 2, 0, 0, 1 | 2}},
      {"FREQ=WEEKLY;BYDAY=SU,MO", {1, 1, 0, 0, 1 | 2}},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO;WKST=TU", {1, 2, 0, 0, 2}},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=SA;WKST=SU", {1, 2, 0, 0, 64}},
      {"FREQ=MONTHLY", {2, 1, 0, 6, 0}},
      {"FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=31", {2, 2, 0, 31, 0}},
      {"FREQ=MONTHLY;BYDAY=2TU", {3, 1, 2, 0, 4}},
      {"FREQ=MONTHLY;INTERVAL=3;BYDAY=-1FR", {3, 3, 5, 0, 32}},
      {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", {3, 1, 5, 0, 62}},
      {"FREQ=MONTHLY;BYDAY=SA,SU;BYSETPOS=1", {3, 1, 1, 0, 65}},
      {"FREQ=MONTHLY;BYDAY=SU,MO,TU,WE,TH,FR,SA;BYSETPOS=3", {3, 1, 3, 0, 127}},
      {"FREQ=MONTHLY;BYDAY=TU;BYSETPOS=4", {3, 1, 4, 0, 4}},
      {"FREQ=YEARLY", {5, 1, 0, 6, 0}},
      {"FREQ=YEARLY;BYMONTH=1", {5, 1, 0, 6, 0}},
      {"FREQ=YEARLY;BYMONTH=1;BYMONTHDAY=6;UNTIL=20100101", {5, 1, 0, 6, 0}},
      {"FREQ=YEARLY;BYMONTH=1;BYDAY=1MO", {6, 1, 1, 0, 2}},
      {"FREQ=YEARLY;BYMONTH=1;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", {6, 1, 5, 0, 62}},
  };
  for (const Case& c : cases) {
    const RuleVerdict verdict = Classify(c.rule);
    ASSERT_TRUE(verdict.exact) << c.rule << ": " << verdict.reason;
    EXPECT_EQ(verdict.shape.type, c.shape.type) << c.rule;
    EXPECT_EQ(verdict.shape.interval, c.shape.interval) << c.rule;
    EXPECT_EQ(verdict.shape.instance, c.shape.instance) << c.rule;
    EXPECT_EQ(verdict.shape.dayOfMonth, c.shape.dayOfMonth) << c.rule;
    EXPECT_EQ(verdict.shape.days, c.shape.days) << c.rule;
  }
}

TEST(RruleMappingTest, ShapesThatMustBeExpandedSayWhy) {
  struct Case {
    const char* rule;
    const char* reason;
  } cases[] = {
      {"FREQ=DAILY;BYDAY=MO", "its daily rule has BYxxx parts"},
      {"FREQ=DAILY;BYMONTH=1", "its daily rule has BYxxx parts"},
      {"FREQ=DAILY;BYHOUR=9,17", "its rule has BYHOUR"},
      {"FREQ=WEEKLY;BYMINUTE=0,30", "its rule has BYMINUTE"},
      {"FREQ=MINUTELY;BYSECOND=10", "its rule has BYSECOND"},
      {"FREQ=HOURLY", "its rule repeats FREQ=HOURLY"},
      {"FREQ=SECONDLY", "its rule repeats FREQ=SECONDLY"},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO",
       "its WKST starts weeks on another day than Sunday, which changes which weeks count"},
      {"FREQ=WEEKLY;INTERVAL=3;BYDAY=MO,WE;WKST=TU",
       "its WKST starts weeks on another day than Sunday, which changes which weeks count"},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=SU",
       "its WKST starts weeks on another day than Sunday, which changes which weeks count"},
      {"FREQ=WEEKLY;BYDAY=1MO", "its weekly BYDAY has a position"},
      {"FREQ=WEEKLY;BYMONTH=1", "its weekly rule has BYMONTH, BYMONTHDAY or BYSETPOS"},
      {"FREQ=MONTHLY;BYMONTHDAY=1,15", "its rule has several BYMONTHDAY values"},
      {"FREQ=MONTHLY;BYMONTHDAY=-1", "its BYMONTHDAY counts from the end of the month"},
      {"FREQ=MONTHLY;BYDAY=5FR", "its BYDAY position is neither 1 to 4 nor -1 (the last)"},
      {"FREQ=MONTHLY;BYDAY=-2FR", "its BYDAY position is neither 1 to 4 nor -1 (the last)"},
      {"FREQ=MONTHLY;BYDAY=MO,TU", "its BYDAY names every such day of the month"},
      {"FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=1",
       "its BYDAY is not the weekdays, the weekend, every day or one day"},
      {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR,SA;BYSETPOS=1",
       "its BYDAY is not the weekdays, the weekend, every day or one day"},
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
    const RuleVerdict verdict = Classify(c.rule);
    EXPECT_FALSE(verdict.exact) << c.rule;
    EXPECT_EQ(verdict.reason, c.reason) << c.rule;
  }
}

class MapEventTest : public ::testing::Test {
 protected:
  EventMapping Map(const std::string& lines, const char* display = "Europe/Berlin") {
    file_ = ReadCalendar(Calendar(Event("UID:e@test\n" + lines)), "m.ics");
    EXPECT_EQ(file_.error, "");
    EXPECT_EQ(file_.warnings.size(), 0u);
    if (file_.events.empty()) return {};
    return MapEvent(file_.events.front(), FindZone(display), display, changes_);
  }

  CalendarFile file_;
  ZoneChanges changes_;
};

TEST_F(MapEventTest, OneOffWeeklyAndTheirPatternDates) {
  EXPECT_EQ(Map("DTSTART:20030106T090000\nDTEND:20030106T100000\n").kind, EventMapping::kOneOff);

  const EventMapping open =
      Map("DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=WEEKLY;BYDAY=MO\n");
  ASSERT_EQ(open.kind, EventMapping::kRecurring) << open.reason;
  EXPECT_EQ(open.shape.type, 1);
  EXPECT_EQ(open.shape.days, 2);
  EXPECT_EQ(open.ends, 0);
  EXPECT_EQ(open.patternStart, (LocalTime{2003, 1, 6, 9, 0, 0}));
  EXPECT_EQ(open.patternEnd, (LocalTime{2003, 1, 6, 10, 0, 0}));

  // Mondays 6, 13, 20 and 27 January and 3 February.
  const EventMapping counted =
      Map("DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=WEEKLY;COUNT=5\n");
  ASSERT_EQ(counted.kind, EventMapping::kRecurring) << counted.reason;
  EXPECT_EQ(counted.ends, 1);
  EXPECT_EQ(counted.patternEnd, (LocalTime{2003, 2, 3, 10, 0, 0}));

  // UNTIL half an hour before the 31 March occurrence leaves 24 March the last one; UNTIL at
  // the very start of an occurrence keeps it.
  EXPECT_EQ(Map("DTSTART:20030303T090000\nDTEND:20030303T100000\n"
                "RRULE:FREQ=WEEKLY;UNTIL=20030331T083000\n")
                .patternEnd,
            (LocalTime{2003, 3, 24, 10, 0, 0}));
  EXPECT_EQ(Map("DTSTART:20030303T090000\nDTEND:20030303T100000\n"
                "RRULE:FREQ=WEEKLY;UNTIL=20030331T090000\n")
                .patternEnd,
            (LocalTime{2003, 3, 31, 10, 0, 0}));

  // The twelfth last weekday of a month from 31 January 2003 is Wednesday 31 December 2003.
  const EventMapping lastWeekday =
      Map("DTSTART:20030131T160000\nDTEND:20030131T170000\n"
          "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=12\n");
  ASSERT_EQ(lastWeekday.kind, EventMapping::kRecurring) << lastWeekday.reason;
  EXPECT_EQ(lastWeekday.patternEnd, (LocalTime{2003, 12, 31, 17, 0, 0}));
}

TEST_F(MapEventTest, RecurrenceSetsAndTimesOfDayThatMustBeExpanded) {
  const std::string weekly = "DTSTART:20030106T090000\nDTEND:20030106T100000\nRRULE:FREQ=WEEKLY\n";
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
       "its time of day on the Europe/Berlin clock moves with daylight saving, which its own "
       "zone keeps on other dates or not at all"},
      {"DTSTART:20030106T080000Z\nDTEND:20030106T090000Z\nRRULE:FREQ=WEEKLY\n",
       "its time of day on the Europe/Berlin clock moves with daylight saving, which its own "
       "zone keeps on other dates or not at all"},
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
  file_ = ReadCalendar(Calendar(Event("UID:o@test\n" + weekly) +
                                Event("UID:o@test\nRECURRENCE-ID:20030113T090000\n"
                                      "DTSTART:20030113T140000\nDTEND:20030113T150000\n")),
                       "o.ics");
  ASSERT_EQ(file_.events.size(), 2u);
  const EventMapping master =
      MapEvent(file_.events[0], FindZone("Europe/Berlin"), "Europe/Berlin", changes_);
  EXPECT_EQ(master.reason, "RECURRENCE-ID overrides replace some of its occurrences");
}

TEST_F(MapEventTest, ZonesThatKeepOneTimeOfDayMapExactly) {
  // New York and Berlin agree through a January without clock changes: 09:00 there is 15:00.
  const EventMapping january =
      Map("DTSTART;TZID=America/New_York:20030106T090000\n"
          "DTEND;TZID=America/New_York:20030106T100000\nRRULE:FREQ=WEEKLY;COUNT=4\n");
  ASSERT_EQ(january.kind, EventMapping::kRecurring) << january.reason;
  EXPECT_EQ(january.patternStart, (LocalTime{2003, 1, 6, 15, 0, 0}));
  EXPECT_EQ(january.patternEnd, (LocalTime{2003, 1, 27, 16, 0, 0}));

  // Paris and Berlin change their clocks together.
  const EventMapping paris =
      Map("DTSTART;TZID=Europe/Paris:20030106T090000\n"
          "DTEND;TZID=Europe/Paris:20030106T100000\nRRULE:FREQ=WEEKLY\n");
  EXPECT_EQ(paris.kind, EventMapping::kRecurring) << paris.reason;

  // UTC on a UTC clock, and a floating time on any clock, keep their hours.
  EXPECT_EQ(Map("DTSTART:20030106T080000Z\nDTEND:20030106T090000Z\nRRULE:FREQ=WEEKLY\n", "UTC")
                .patternStart,
            (LocalTime{2003, 1, 6, 8, 0, 0}));
  const EventMapping floating =
      Map("DTSTART:20030106T013000\nDTEND:20030106T033000\nRRULE:FREQ=WEEKLY;BYDAY=SU,MO\n",
          "Asia/Tokyo");
  ASSERT_EQ(floating.kind, EventMapping::kRecurring) << floating.reason;
  EXPECT_EQ(floating.patternStart, (LocalTime{2003, 1, 6, 1, 30, 0}));

  // A Berlin event at night keeps its hours in Berlin when no change falls inside them.
  EXPECT_EQ(Map("DTSTART;TZID=Europe/Berlin:20030105T003000\n"
                "DTEND;TZID=Europe/Berlin:20030105T013000\nRRULE:FREQ=WEEKLY\n")
                .kind,
            EventMapping::kRecurring);
}

}  // namespace
}  // namespace dayweave::agent
