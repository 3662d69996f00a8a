#include "agent/input/property_zone.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

using Root = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

// A calendar with one "Office" VTIMEZONE (UTC+3 all year) and one event holding `line`.
Root CalendarWith(const std::string& line) {
  const std::string text =
      "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//t//EN\n"
      "BEGIN:VTIMEZONE\nTZID:Office\nBEGIN:STANDARD\nDTSTART:19700101T000000\n"
      "TZOFFSETFROM:+0300\nTZOFFSETTO:+0300\nEND:STANDARD\nEND:VTIMEZONE\n"
      "BEGIN:VEVENT\nUID:a\nDTSTART:20060102T090000Z\n" +
      line + "\nEND:VEVENT\nEND:VCALENDAR\n";
  return Root(icalparser_parse_string(text.c_str()), icalcomponent_free);
}

icalproperty* RdateOf(icalcomponent* root) {
  icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
  return icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
}

// The instant at which the RDATE's period or date-time starts, read with its zone.
sys_seconds RdateStart(icalproperty* rdate, const PropertyZone& zone) {
  const icaldatetimeperiodtype value = icalproperty_get_rdate(rdate);
  const icaltimetype start =
      InZone(icaltime_is_null_time(value.period.start) ? value.time : value.period.start, zone);
  return sys_seconds(seconds(icaltime_as_timet_with_zone(start, start.zone)));
}

TEST(ZoneOfProperty, FindsTheZoneThatTheTzidMeans) {
  // 3 January 2006 15:00 on each clock: Berlin is UTC+1 in January. An RDATE in an IANA zone
  // is checked on a real calendar in cli/real_calendars_test.cpp.
  const sys_seconds at = sys_days{2006y / 1 / 3} + 15h;
  const struct {
    std::string line;
    sys_seconds instant;
  } cases[] = {
      {"RDATE;TZID=Office:20060103T150000", at - 3h},
      {"RDATE;TZID=W. Europe Standard Time;VALUE=PERIOD:20060103T150000/PT1H", at - 1h},
      // A UTC time keeps its instant whatever its TZID says.
      {"RDATE;TZID=America/New_York:20060103T150000Z", at},
  };
  for (const auto& c : cases) {
    const Root root = CalendarWith(c.line);
    icalproperty* rdate = RdateOf(root.get());
    const PropertyZone zone = ZoneOfProperty(rdate);
    EXPECT_FALSE(zone.Unresolved()) << c.line;
    EXPECT_EQ(RdateStart(rdate, zone), c.instant) << c.line;
  }
}

TEST(ZoneOfProperty, SaysWhenATzidNamesNoZone) {
  for (const std::string line : {"RDATE;TZID=Nowhere/Atlantis:20060103T150000",
                                 "RDATE;TZID=Nowhere/Atlantis;VALUE=PERIOD:20060103T150000/PT1H",
                                 "RDATE;TZID=office:20060103T150000"}) {
    const Root root = CalendarWith(line);
    const PropertyZone zone = ZoneOfProperty(RdateOf(root.get()));
    EXPECT_TRUE(zone.Unresolved()) << line;
    EXPECT_EQ(zone.zone, nullptr) << line;
  }
  const Root root = CalendarWith("RDATE:20060103T150000");
  EXPECT_FALSE(ZoneOfProperty(RdateOf(root.get())).Unresolved());
  EXPECT_TRUE(ZoneOfProperty(RdateOf(root.get())).tzid.empty());
  EXPECT_EQ(ZoneOfProperty(nullptr).zone, nullptr);
}

}  // namespace
}  // namespace dayweave::agent
