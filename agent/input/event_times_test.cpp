#include "agent/input/event_times.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

using Root = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

Root CalendarWith(const std::string& lines) {
  const std::string text =
      "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//t//EN\nBEGIN:VEVENT\nUID:a\n" + lines +
      "END:VEVENT\nEND:VCALENDAR\n";
  return Root(icalparser_parse_string(text.c_str()), icalcomponent_free);
}

// A zoned or UTC time's instant, or a floating time's reading as if it were UTC.
sys_seconds Reading(const icaltimetype& time) {
  return sys_seconds(seconds(icaltime_as_timet_with_zone(time, time.zone)));
}

TEST(ReadEventTimes, StartsAndEndsAsTheAuthorMeantThem) {
  // 5 March 2007 09:00: Los Angeles is UTC-8 then. Exporters' zone names, an unknown zone,
  // DTEND taken over DURATION and an event of no length are checked on real calendars in
  // cli/real_calendars_test.cpp.
  const sys_seconds nine = sys_days{2007y / 3 / 5} + 9h;
  const struct {
    std::string lines;
    sys_seconds start;
    sys_seconds end;
    bool floating;
    std::vector<std::string> notes;
  } cases[] = {
      {"DTSTART;TZID=Pacific Standard Time:20070305T090000\nDURATION:PT90M\n",
       nine + 8h,
       nine + 9h + 30min,
       false,
       {}},
      {"DTSTART:20070305T090000Z\nRDATE;TZID=Nowhere/Atlantis:20070306T090000,20070307T090000\n"
       "RDATE;TZID=Nowhere/Atlantis:20070308T090000\n",
       nine,
       nine,
       false,
       {"its RDATE names the unknown time zone Nowhere/Atlantis: read as floating time, on the "
        "display clock"}},
      // No end: a date lasts its day.
      {"DTSTART;VALUE=DATE:20070305\n", sys_days{2007y / 3 / 5}, sys_days{2007y / 3 / 6}, true, {}},
  };
  for (const auto& c : cases) {
    const Root root = CalendarWith(c.lines);
    const EventTimes times =
        ReadEventTimes(icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT));
    EXPECT_EQ(Reading(times.start), c.start) << c.lines;
    EXPECT_EQ(Reading(times.end), c.end) << c.lines;
    EXPECT_EQ(times.start.zone == nullptr && !icaltime_is_utc(times.start), c.floating) << c.lines;
    EXPECT_EQ(times.notes, c.notes) << c.lines;
  }
}

}  // namespace
}  // namespace dayweave::agent
