#include "agent/input/zone_history.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

using Root = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

Root Parse(const std::string& text) {
  return Root(icalparser_parse_string(text.c_str()), icalcomponent_free);
}

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

TEST(AddZoneHistory, TimesBeforeAnIanaZonesDefinitionFollowTheSystemZone) {
  const Root root = Parse(testing::TestData("short-vtimezone.ics"));
  AddZoneHistory(root.get());
  // Berlin keeps CET (+1) in the winter of 2016, before the file's definition begins. The
  // other events of the file are checked by cli/real_calendars_test.cpp.
  EXPECT_EQ(Starts(root.get())["Winter workshop"], sys_days{2016y / 12 / 3} + 13h);
}

TEST(AddZoneHistory, ReachesBackToTheZonesOlderRules) {
  // Berlin kept double summer time (+3) in the summer of 1945.
  const Root root = Parse(
      "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//t//EN\n"
      "BEGIN:VTIMEZONE\nTZID:/example.org/Europe/Berlin\n"
      "BEGIN:STANDARD\nDTSTART:19961027T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\n"
      "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\nEND:STANDARD\n"
      "BEGIN:DAYLIGHT\nDTSTART:19970330T020000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\nEND:DAYLIGHT\nEND:VTIMEZONE\n"
      "BEGIN:VEVENT\nUID:a\nSUMMARY:1945\nDTSTART;TZID=/example.org/Europe/Berlin:"
      "19450601T120000\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:c\nSUMMARY:2020\nDTSTART;TZID=/example.org/Europe/Berlin:"
      "20200701T120000\nEND:VEVENT\nEND:VCALENDAR\n");
  AddZoneHistory(root.get());
  const std::map<std::string, sys_seconds> expected = {
      {"1945", sys_days{1945y / 6 / 1} + 9h},
      {"2020", sys_days{2020y / 7 / 1} + 10h},
  };
  EXPECT_EQ(Starts(root.get()), expected);
}

TEST(AddZoneHistory, LeavesDefinitionsItCannotPlaceAsTheyAre) {
  const std::string events =
      "BEGIN:VEVENT\nUID:a\nSUMMARY:a\nDTSTART;TZID=Europe/Berlin:20160704T140000\nEND:VEVENT\n"
      "END:VCALENDAR\n";
  const std::string zones[] = {
      "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nEND:VTIMEZONE\n",
      "BEGIN:VTIMEZONE\nBEGIN:STANDARD\nDTSTART:20181028T030000\nTZOFFSETFROM:+0200\n"
      "TZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n",
      "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nBEGIN:STANDARD\nDTSTART:garbage\n"
      "TZOFFSETFROM:+0200\nTZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n",
      "BEGIN:VTIMEZONE\nTZID:Europe/Berlin\nBEGIN:STANDARD\nDTSTART:20181028T030000\n"
      "TZOFFSETTO:+0100\nEND:STANDARD\nEND:VTIMEZONE\n",
  };
  for (const std::string& zone : zones) {
    const std::string text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//t//EN\n" + zone + events;
    const Root plain = Parse(text);
    const Root completed = Parse(text);
    AddZoneHistory(completed.get());
    EXPECT_EQ(Starts(completed.get()), Starts(plain.get())) << zone;
  }
  AddZoneHistory(nullptr);
}

}  // namespace
}  // namespace dayweave::agent
