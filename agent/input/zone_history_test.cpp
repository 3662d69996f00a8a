#include "agent/input/zone_history.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

using testing::Parse;
using testing::Parsed;

// The instant at which each event of the calendar starts, by its SUMMARY.
std::map<std::string, sys_seconds> Starts(icalcomponent* root) {
  std::map<std::string, sys_seconds> starts;
  for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
       event != nullptr; event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
    const icaltimetype start = icalcomponent_get_dtstart(event);
    starts[icalcomponent_get_summary(event)] =
        sys_seconds(seconds(icaltime_as_timet_with_zone(start, start.zone)));
  }
  return starts;
}

// Times in the winter of 2016, before short-vtimezone.ics defines Europe/Berlin, are checked on
// that calendar in answers.txt.
TEST(AddZoneHistory, ReachesBackToTheZonesOlderRules) {
  // Berlin kept double summer time (+3) in the summer of 1945.
  const Parsed older = Parse(testing::TestData("zone-history/older-rules.ics"));
  AddZoneHistory(older.get());
  const std::map<std::string, sys_seconds> expected = {
      {"1945", sys_days{1945y / 6 / 1} + 9h},
      {"2020", sys_days{2020y / 7 / 1} + 10h},
  };
  EXPECT_EQ(Starts(older.get()), expected);
}

TEST(AddZoneHistory, LeavesDefinitionsItCannotPlaceAsTheyAre) {
  for (const auto& row : testing::TableRows("zone-history/unplaceable.txt")) {
    const std::string text = testing::Calendar(
        row.at(0) + "\n" +
        testing::Event("UID:a\nSUMMARY:a\nDTSTART;TZID=Europe/Berlin:20160704T140000\n"));
    const Parsed plain = Parse(text);
    const Parsed completed = Parse(text);
    AddZoneHistory(completed.get());
    EXPECT_EQ(Starts(completed.get()), Starts(plain.get())) << row[0];
  }
  AddZoneHistory(nullptr);
}

}  // namespace
}  // namespace dayweave::agent
