// The FREEBUSY periods and their kinds are checked against an independent computation, minute
// by minute, by meet_zoneinfo_check.py; here the VFREEBUSY's window, stamp and UID.
#include "agent/cli/freebusy_ics.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

sys_seconds Instant(const icaltimetype& time) {
  EXPECT_TRUE(icaltime_is_utc(time));
  return sys_seconds{seconds{icaltime_as_timet(time)}};
}

TEST(FreeBusyCalendar, WritesTheWindowTheStampAndTheUid) {
  const sys_days day{2024y / March / 4};
  const Interval window{day, day + 24h};
  const testing::Parsed calendar =
      testing::Parse(FreeBusyCalendar(BusyTime(), window, day + 7h, "u@dayweave"));
  icalcomponent* freebusy =
      icalcomponent_get_first_component(calendar.get(), ICAL_VFREEBUSY_COMPONENT);
  ASSERT_NE(freebusy, nullptr);
  EXPECT_EQ(Instant(icalcomponent_get_dtstart(freebusy)), window.start);
  EXPECT_EQ(Instant(icalcomponent_get_dtend(freebusy)), window.end);
  EXPECT_EQ(Instant(icalcomponent_get_dtstamp(freebusy)), day + 7h);
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
