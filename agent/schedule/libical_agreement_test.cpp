// The agent's answers checked against libical's own expansion of the same events
// (icalcomponent_foreach_recurrence): for every event of the recurrence and time zone test
// calendars, on the clocks of Berlin and New York, at every 15-minute instant of the tested ranges,
// the appointments the agent finds busy are exactly the events that libical has an occurrence for
// at that instant, and likewise for stretches of an hour (some crossing midnight) and of 25 hours.
// And every RRULE shape that maps onto the library's model occurs on exactly the dates libical
// gives, day by day over several years.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "agent/input/calendar_reader.h"
#include "agent/input/rrule_mapping.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/schedule.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;
using testing::Text;

// One occurrence as libical's expansion gives it, on the display clock.
struct Span {
  int event;
  local_seconds start;
  local_seconds end;
};

struct Expansion {
  const EventRecord& event;
  icaltimezone* display;
  std::vector<Span>& spans;
};

void Collect(icalcomponent*, icaltime_span* span, void* data) {
  const auto& [event, display, spans] = *static_cast<Expansion*>(data);
  // libical gives a floating time's span by its reading, as EventTime counts it.
  const EventTime start{seconds{span->start}};
  // libical stretches the span of an all-day event to the last second of the day after it
  // (DTEND's day); the event itself ends at DTEND's midnight.
  const EventTime end =
      EventTime{seconds{span->end}} - (event.start.is_date ? days{1} - seconds{1} : seconds{0});
  for (const icaltimetype& id : event.overridden) {  // the override stands in its place
    if (EventTimeOf(id) == start) return;
  }
  const bool floating = IsFloating(event.start);
  spans.push_back(
      Span{event.index, DisplayOf(start, floating, display), DisplayOf(end, floating, display)});
}

// Compares the agent with libical over [from, to) of the display clock.
void ExpectAgreement(const std::string& name, const char* zoneName, local_seconds first,
                     local_seconds last) {
  SCOPED_TRACE(name + " on the " + zoneName + " clock");
  const testing::Loaded loaded(testing::TestData(name), name.c_str(), zoneName);
  ASSERT_EQ(loaded.file.error, "");
  FreeBusy freeBusy(loaded.schedule);
  // libical's occurrences of the events that can block (busy status not 0), from three days
  // either side, which cover any zone's offset from the display clock.
  const auto utc = [](local_seconds t) {
    return icaltime_from_timet_with_zone(t.time_since_epoch().count(), 0,
                                         icaltimezone_get_utc_timezone());
  };
  std::vector<Span> spans;
  for (const EventRecord& event : loaded.file.events) {
    Expansion expansion{event, FindZone(zoneName), spans};
    if (event.status != 0) {
      icalcomponent_foreach_recurrence(event.component, utc(first - days{3}), utc(last + days{3}),
                                       Collect, &expansion);
    }
  }
  int mismatches = 0;
  const auto check = [&](local_seconds when, minutes length, const StretchAnswer& answer) {
    std::set<int> expected;
    for (const Span& span : spans) {
      // An event of no length takes no time: it blocks nothing.
      const bool blocks = span.start < span.end &&
                          (length == minutes{0} ? span.start <= when && when < span.end
                                                : span.start < when + length && span.end > when);
      if (blocks) expected.insert(span.event);
    }
    std::set<int> actual;
    for (const Appointment& a : answer.blocking) actual.insert(a.event->index);
    EXPECT_EQ(actual.empty(), answer.free);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << Text(when) << " for " << length.count() << " minutes: agent busy with "
                    << ::testing::PrintToString(actual) << ", libical with "
                    << ::testing::PrintToString(expected);
    }
  };
  for (local_seconds when = first; when < last; when += 15min) {
    check(when, 0min, freeBusy.AskAt(when));
    check(when, 60min, freeBusy.AskStretch(when, 60min));
    if (TimeOfDay(when) % 6h == 0s) check(when, 1500min, freeBusy.AskStretch(when, 1500min));
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(LibicalAgreementTest, RecurrenceShapesAndTimeZonesAroundTheClockChanges) {
  ExpectAgreement("recurrence.ics", "Europe/Berlin", testing::At(2003, 1, 1),
                  testing::At(2003, 7, 1));
  ExpectAgreement("schedule/before-1970.ics", "UTC", testing::At(1960, 1, 1),
                  testing::At(1960, 2, 1));
  for (const char* zone : {"Europe/Berlin", "America/New_York"}) {
    ExpectAgreement("zones.ics", zone, testing::At(2003, 1, 1), testing::At(2003, 1, 25));
    ExpectAgreement("zones.ics", zone, testing::At(2003, 3, 24), testing::At(2003, 4, 14));
    ExpectAgreement("zones.ics", zone, testing::At(2003, 10, 20), testing::At(2003, 11, 5));
  }
}

// The years over which the mapped shapes are compared with libical, day by day.
constexpr std::chrono::year kLastComparedYear{2011};

TEST(LibicalAgreementTest, MappedShapesOccurOnLibicalsDatesForYears) {
  const std::map<std::string, RecurrenceType> types = {{"daily", kDaily},
                                                       {"weekly", kWeekly},
                                                       {"monthly-by-date", kMonthlyByDate},
                                                       {"monthly-by-position", kMonthlyByPosition},
                                                       {"yearly-by-date", kYearlyByDate},
                                                       {"yearly-by-position", kYearlyByPosition}};
  ZoneChanges changes;
  for (const auto& row : testing::TableRows("mapped-shapes.txt")) {
    const char* text = row.at(0).c_str();
    const char* rule = row.at(1).c_str();
    SCOPED_TRACE(std::string(text) + " " + rule);
    const icaltimetype start = icaltime_from_string(text);
    const testing::Loaded loaded(testing::Calendar(testing::Event(
        std::string("UID:shape@test\nDTSTART:") + text + "\nDURATION:PT1H\nRRULE:" + rule + "\n")));
    ASSERT_EQ(loaded.schedule.Recurring().size(), 1u)
        << (loaded.schedule.Expanded().empty() ? "" : loaded.schedule.Expanded()[0].reason);
    const EventMapping mapping =
        MapEvent(loaded.file.events[0], icaltimezone_get_utc_timezone(), "UTC", changes);
    EXPECT_EQ(mapping.shape.type, types.at(row.at(2)));

    std::set<local_days> dates;
    icalrecur_iterator* iterator =
        icalrecur_iterator_new(icalrecurrencetype_from_string(rule), start);
    ASSERT_NE(iterator, nullptr);
    for (icaltimetype t = icalrecur_iterator_next(iterator);
         !icaltime_is_null_time(t) && year{t.year} <= kLastComparedYear;
         t = icalrecur_iterator_next(iterator)) {
      dates.insert(floor<days>(WrittenTime(t)));
    }
    icalrecur_iterator_free(iterator);
    ASSERT_FALSE(dates.empty());

    const CAppointment& appointment = loaded.schedule.Recurring()[0].appointment;
    int differences = 0;
    for (local_days day = floor<days>(WrittenTime(start)) - days{10};
         day <= local_days{kLastComparedYear / 12 / 31}; day += days{1}) {
      const year_month_day date{day};
      const bool occurs = appointment.OccursOn(unsigned{date.day()}, unsigned{date.month()},
                                               static_cast<int>(date.year())) != 0;
      if (occurs != dates.contains(day) && ++differences <= 5) {
        ADD_FAILURE() << Text(day) << ": agent " << occurs << ", libical " << !occurs;
      }
    }
    EXPECT_EQ(differences, 0);
  }
}

}  // namespace
}  // namespace dayweave::agent
