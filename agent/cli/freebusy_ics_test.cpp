// The FREEBUSY periods and their kinds are checked against an independent computation, minute
// by minute, by meet_zoneinfo_check.py; here the VFREEBUSY's window, stamp and UID.
#include "agent/cli/freebusy_ics.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// The window and the stamp are written in UTC, as RFC 5545 has them in a VFREEBUSY.
TEST(FreeBusyCalendar, WritesTheWindowTheStampAndTheUid) {
  const sys_days day{2024y / March / 4};
  const testing::Parsed calendar = testing::Parse(
      FreeBusyCalendar(BusyTime(), Interval{day, day + 24h}, day + 7h, "u@dayweave"));
  icalcomponent* freebusy =
      icalcomponent_get_first_component(calendar.get(), ICAL_VFREEBUSY_COMPONENT);
  ASSERT_NE(freebusy, nullptr);
  EXPECT_STREQ(icaltime_as_ical_string(icalcomponent_get_dtstart(freebusy)), "20240304T000000Z");
  EXPECT_STREQ(icaltime_as_ical_string(icalcomponent_get_dtend(freebusy)), "20240305T000000Z");
  EXPECT_STREQ(icaltime_as_ical_string(icalcomponent_get_dtstamp(freebusy)), "20240304T070000Z");
  EXPECT_STREQ(icalcomponent_get_uid(freebusy), "u@dayweave");
}

TEST(FreeBusyUid, FollowsTheInputs) {
  const Interval week{sys_days{2024y / March / 4}, sys_days{2024y / March / 9}};
  const Interval other{week.start, week.end + 1h};
  const std::string uid = FreeBusyUid({"ana.ics", "bo.ics"}, week);
  EXPECT_EQ(FreeBusyUid({"ana.ics", "bo.ics"}, week), uid);
  EXPECT_NE(FreeBusyUid({"ana.icsbo.ics"}, week), uid);
  EXPECT_NE(FreeBusyUid({"ana.ics", "bo.ics"}, other), uid);
}

}  // namespace
}  // namespace dayweave::agent
