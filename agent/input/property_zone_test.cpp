#include "agent/input/property_zone.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

using testing::Parsed;

// A calendar with one "Office" VTIMEZONE (UTC+3 all year) and one event holding `line`.
Parsed CalendarWith(const std::string& line) {
  return testing::Parse(
      testing::Calendar("BEGIN:VTIMEZONE\nTZID:Office\nBEGIN:STANDARD\nDTSTART:19700101T000000\n"
                        "TZOFFSETFROM:+0300\nTZOFFSETTO:+0300\nEND:STANDARD\nEND:VTIMEZONE\n" +
                        testing::Event("UID:a\nDTSTART:20060102T090000Z\n" + line + "\n")));
}

// The instant at which the RDATE's period or date-time starts, read with its zone.
sys_seconds RdateStart(icalproperty* rdate, const PropertyZone& zone) {
  const icaldatetimeperiodtype value = icalproperty_get_rdate(rdate);
  const icaltimetype start =
      InZone(icaltime_is_null_time(value.period.start) ? value.time : value.period.start, zone);
  return sys_seconds(seconds(icaltime_as_timet_with_zone(start, start.zone)));
}

// Each row of property-zones.txt. An RDATE in an IANA zone is checked on a real calendar in
// answers.txt.
TEST(ZoneOfProperty, FindsTheZoneThatTheTzidMeansOrSaysItNamesNone) {
  for (const auto& row : testing::TableRows("property-zones.txt")) {
    const Parsed root = CalendarWith(row.at(0));
    icalproperty* rdate = icalcomponent_get_first_property(
        icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT), ICAL_RDATE_PROPERTY);
    const PropertyZone zone = ZoneOfProperty(rdate);
    const bool unresolved = row.at(1) == "unresolved";  // and so without a zone
    EXPECT_EQ(zone.Unresolved(), unresolved) << row[0];
    if (unresolved) continue;
    EXPECT_EQ(RdateStart(rdate, zone), testing::Instant(row[1])) << row[0];
  }
  EXPECT_EQ(ZoneOfProperty(nullptr).zone, nullptr);
}

}  // namespace
}  // namespace dayweave::agent
