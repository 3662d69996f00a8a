#include "agent/cli/meeting_tour.h"

#include <vector>

#include "agent/cli/meeting_calendars.h"
#include "agent/cli/meeting_store.h"
#include "agent/input/people_reading.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/meeting_search.h"

namespace dayweave::agent {

namespace {

using namespace std::chrono;

struct TourPerson {
  const char* name;
  const char* text;
  WorkingHours hours;
};

}  // namespace

void ShowMeetingSearch(std::ostream& out, const std::string& number) {
  const TourPerson tourPeople[] = {
      {"examples/ana-new-york.ics", kAnaCalendar, {8h, 12h}},
      {"examples/bo-berlin.ics", kBoCalendar, {9h, 17h}},
      {"examples/cy-tokyo.ics", kCyCalendar, {21h, 24h}},
  };
  icaltimezone* berlin = FindZone("Europe/Berlin");
  ZoneOffsetCache cache;
  const std::shared_ptr<const ZoneOffsets> display = cache.For(berlin, 2024y, 2024y);
  MeetingQuery query;
  query.from = display->ToInstant(local_days{2024y / March / 4});
  query.to = display->ToInstant(local_days{2024y / March / 9});
  const Interval window{query.from, query.to + query.length};

  std::vector<PersonCalendar> calendars;
  std::vector<Person> people;
  calendars.reserve(std::size(tourPeople));
  for (const TourPerson& person : tourPeople) {
    calendars.push_back(ReadPersonText(CalendarArgument{person.name, std::nullopt}, person.text,
                                       person.name, Fallback{berlin, "Europe/Berlin"}, window,
                                       cache));
    const PersonCalendar& read = calendars.back();
    people.push_back(Person{person.name, read.clock.get(), person.hours, &read.busy});
  }
  const MeetingAnswer answer = FindMeetings(people, {}, query);

  out << number
      << "An hour for Ana in New York (08:00-12:00), Bo in Berlin (09:00-17:00) and Cy in\n"
         "   Tokyo (21:00-24:00), each on their own clock, in the week of 4 March 2024, as\n"
         "   `dayweave meet 2024-03-04 2024-03-09 60 examples/ana-new-york.ics\n"
         "   examples/bo-berlin.ics examples/cy-tokyo.ics --person-hours\n"
         "   examples/ana-new-york.ics=08:00-12:00 --person-hours "
         "examples/cy-tokyo.ics=21:00-24:00\n"
         "   --tz Europe/Berlin` prints it on the Berlin clock:\n\n"
      << "     " << MeetingStore(answer.slots, 0, *display, query.length)->ToKQML().str() << "\n";
}

}  // namespace dayweave::agent
