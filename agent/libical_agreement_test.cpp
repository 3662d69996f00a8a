// The agent's answers checked against libical's own expansion of the same events
// (icalcomponent_foreach_recurrence): for every event of the bundled sample calendar and of
// the test calendars, at every 15-minute instant of the tested ranges, the appointments the
// agent finds busy are exactly the events that libical has an occurrence for at that instant,
// and likewise for stretches of an hour (some crossing midnight) and of 25 hours. And every
// RRULE shape that maps onto the library's model occurs on exactly the dates libical gives,
// day by day over several years.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "agent/availability.h"
#include "agent/calendar_reader.h"
#include "agent/sample_calendar.h"
#include "agent/schedule.h"
#include "agent/test_support.h"
#include "agent/time_zones.h"

namespace dayweave::agent {
namespace {

// One occurrence as libical's expansion gives it, on the display clock.
struct Span {
  int event;
  std::int64_t start;
  std::int64_t end;
};

struct Expansion {
  const EventRecord* event;
  icaltimezone* display;
  std::vector<std::int64_t> overridden;  // instants of the RECURRENCE-IDs of its overrides
  std::vector<Span>* spans;
};

void Collect(icalcomponent*, icaltime_span* span, void* data) {
  const Expansion& expansion = *static_cast<Expansion*>(data);
  const EventRecord& event = *expansion.event;
  const std::int64_t start = span->start;
  // libical stretches the span of an all-day event to the last second of the day after it
  // (DTEND's day); the event itself ends at DTEND's midnight.
  const std::int64_t end = span->end - (event.start.is_date ? kSecondsPerDay - 1 : 0);
  for (std::int64_t id : expansion.overridden) {
    if (id == start) return;
  }
  const bool floating = IsFloating(event.start);
  expansion.spans->push_back(Span{event.index,
                                  ToSeconds(DisplayOfInstant(start, floating, expansion.display)),
                                  ToSeconds(DisplayOfInstant(end, floating, expansion.display))});
}

// libical's occurrences of the events that can block (busy status not 0).
std::vector<Span> LibicalSpans(const CalendarFile& file, icaltimezone* display, std::int64_t from,
                               std::int64_t to) {
  std::vector<Span> spans;
  const icaltimetype first =
      icaltime_from_timet_with_zone(static_cast<time_t>(from), 0, icaltimezone_get_utc_timezone());
  const icaltimetype last =
      icaltime_from_timet_with_zone(static_cast<time_t>(to), 0, icaltimezone_get_utc_timezone());
  for (const EventRecord& event : file.events) {
    if (event.status == 0) continue;
    Expansion expansion{&event, display, {}, &spans};
    for (const icaltimetype& id : event.overridden) expansion.overridden.push_back(InstantOf(id));
    icalcomponent_foreach_recurrence(event.component, first, last, Collect, &expansion);
  }
  return spans;
}

std::string DateTextOf(std::int64_t seconds) { return ToOle(FromSeconds(seconds)).Format().str(); }

std::string Names(const std::set<int>& events) {
  std::ostringstream text;
  for (int event : events) text << " " << event;
  return text.str();
}

std::set<int> Events(const StretchAnswer& answer) {
  std::set<int> events;
  for (const Appointment& a : answer.blocking) events.insert(a.event->index);
  return events;
}

// Compares the agent with libical over [from, to) of the display clock.
void ExpectAgreement(const std::string& text, const char* name, const char* zoneName,
                     LocalTime from, LocalTime to) {
  SCOPED_TRACE(std::string(name) + " on the " + zoneName + " clock");
  const CalendarFile file = ReadCalendar(text, name);
  ASSERT_EQ(file.error, "");
  icaltimezone* zone = FindZone(zoneName);
  const Schedule schedule(file, zone, zoneName);
  FreeBusy freeBusy(schedule);
  const std::int64_t first = ToSeconds(from);
  const std::int64_t last = ToSeconds(to);
  const std::vector<Span> spans =
      LibicalSpans(file, zone, first - 3 * kSecondsPerDay, last + 3 * kSecondsPerDay);
  int mismatches = 0;
  const auto check = [&](std::int64_t when, int minutes, const StretchAnswer& answer) {
    std::set<int> expected;
    for (const Span& span : spans) {
      const bool blocks = minutes == 0 ? span.start <= when && when < span.end
                                       : span.start < when + minutes * 60LL && span.end > when;
      if (blocks) expected.insert(span.event);
    }
    const std::set<int> actual = Events(answer);
    EXPECT_EQ(actual.empty(), answer.free);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << DateTextOf(when) << " for " << minutes << " minutes: agent busy with"
                    << Names(actual) << ", libical with" << Names(expected);
    }
  };
  for (std::int64_t when = first; when < last; when += 15 * 60) {
    check(when, 0, freeBusy.AskInstant(when));
    check(when, 45, freeBusy.AskStretch(when, 45));
    check(when, 60, freeBusy.AskStretch(when, 60));
    if (when % (6 * 3600) == 0) check(when, 1500, freeBusy.AskStretch(when, 1500));
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(LibicalAgreementTest, SampleCalendar) {
  ExpectAgreement(kSampleCalendar, "sample.ics", "UTC", {2003, 1, 1, 0, 0, 0},
                  {2003, 5, 1, 0, 0, 0});
}

TEST(LibicalAgreementTest, RecurrenceShapes) {
  const std::string text = testing::ReadTestFile(testing::TestDataPath("recurrence.ics"));
  ExpectAgreement(text, "recurrence.ics", "Europe/Berlin", {2003, 1, 1, 0, 0, 0},
                  {2003, 7, 1, 0, 0, 0});
}

TEST(LibicalAgreementTest, TimeZonesAroundTheClockChanges) {
  const std::string text = testing::ReadTestFile(testing::TestDataPath("zones.ics"));
  for (const char* zone : {"Europe/Berlin", "America/New_York"}) {
    ExpectAgreement(text, "zones.ics", zone, {2003, 1, 1, 0, 0, 0}, {2003, 1, 25, 0, 0, 0});
    ExpectAgreement(text, "zones.ics", zone, {2003, 3, 24, 0, 0, 0}, {2003, 4, 14, 0, 0, 0});
    ExpectAgreement(text, "zones.ics", zone, {2003, 10, 20, 0, 0, 0}, {2003, 11, 5, 0, 0, 0});
  }
}

TEST(LibicalAgreementTest, OtherTestCalendars) {
  for (const char* name : {"broken.ics", "crlf.ics"}) {
    ExpectAgreement(testing::ReadTestFile(testing::TestDataPath(name)), name, "UTC",
                    {2003, 4, 13, 0, 0, 0}, {2003, 4, 17, 0, 0, 0});
  }
}

}  // namespace
}  // namespace dayweave::agent
