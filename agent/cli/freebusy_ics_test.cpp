#include "agent/cli/freebusy_ics.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>
#include <vector>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

sys_seconds Instant(const icaltimetype& time) {
  EXPECT_TRUE(icaltime_is_utc(time));
  return sys_seconds{seconds{icaltime_as_timet(time)}};
}

BusyKind KindOf(icalproperty* property) {  // BUSY when FBTYPE is left out, as RFC 5545 says
  icalparameter* type = icalproperty_get_first_parameter(property, ICAL_FBTYPE_PARAMETER);
  const icalparameter_fbtype kind = type ? icalparameter_get_fbtype(type) : ICAL_FBTYPE_BUSY;
  return kind == ICAL_FBTYPE_BUSYTENTATIVE     ? BusyKind::kTentative
         : kind == ICAL_FBTYPE_BUSYUNAVAILABLE ? BusyKind::kUnavailable
                                               : BusyKind::kBusy;
}

// Two people's overlapping busy time of all three kinds, written, read back with libical's
// parser and compared with what it was written from.
TEST(FreeBusyCalendar, ReadsBackAsTheBusyTime) {
  const sys_days day{2024y / March / 4};
  const BusyTime ana({{day + 8h, day + 10h, BusyKind::kTentative},
                      {day + 13h, day + 14h, BusyKind::kBusy},
                      {day - 2h, day + 1h, BusyKind::kBusy}},
                     day - 24h, day + 48h);
  const BusyTime bo({{day + 9h, day + 9h + 30min, BusyKind::kUnavailable},
                     {day + 13h + 30min, day + 15h, BusyKind::kTentative},
                     {day + 23h, day + 26h, BusyKind::kUnavailable}},
                    day - 24h, day + 48h);
  const Interval window{day, day + 24h};
  const BusyTime together = Together({&ana, &bo}, window.start, window.end);
  const std::string uid = FreeBusyUid({"ana.ics", "bo.ics"}, window);
  const std::string text = FreeBusyCalendar(together, window, day + 7h, uid);

  const std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(
      icalparser_parse_string(text.c_str()), icalcomponent_free);
  ASSERT_NE(calendar, nullptr);
  icalcomponent* freebusy =
      icalcomponent_get_first_component(calendar.get(), ICAL_VFREEBUSY_COMPONENT);
  ASSERT_NE(freebusy, nullptr);
  EXPECT_EQ(Instant(icalcomponent_get_dtstart(freebusy)), window.start);
  EXPECT_EQ(Instant(icalcomponent_get_dtend(freebusy)), window.end);
  EXPECT_EQ(Instant(icalcomponent_get_dtstamp(freebusy)), day + 7h);
  EXPECT_EQ(icalcomponent_get_uid(freebusy), uid);

  std::vector<BusyInterval> read;
  for (icalproperty* p = icalcomponent_get_first_property(freebusy, ICAL_FREEBUSY_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(freebusy, ICAL_FREEBUSY_PROPERTY)) {
    const icalperiodtype period = icalproperty_get_freebusy(p);
    read.push_back(BusyInterval{Instant(period.start), Instant(period.end), KindOf(p)});
  }
  const std::vector<BusyInterval> expected = {
      {day, day + 1h, BusyKind::kBusy},
      {day + 8h, day + 9h, BusyKind::kTentative},
      {day + 9h, day + 9h + 30min, BusyKind::kUnavailable},
      {day + 9h + 30min, day + 10h, BusyKind::kTentative},
      {day + 13h, day + 14h, BusyKind::kBusy},
      {day + 14h, day + 15h, BusyKind::kTentative},
      {day + 23h, day + 24h, BusyKind::kUnavailable},
  };
  EXPECT_EQ(read, expected);
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
