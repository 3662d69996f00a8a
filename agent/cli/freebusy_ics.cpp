#include "agent/cli/freebusy_ics.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace dayweave::agent {

namespace {

icaltimetype Utc(std::chrono::sys_seconds instant) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(instant.time_since_epoch().count()), 0,
                                       icaltimezone_get_utc_timezone());
}

icalparameter_fbtype FbTypeOf(BusyKind kind) {
  switch (kind) {
    case BusyKind::kTentative:
      return ICAL_FBTYPE_BUSYTENTATIVE;
    case BusyKind::kUnavailable:
      return ICAL_FBTYPE_BUSYUNAVAILABLE;
    case BusyKind::kBusy:
      break;
  }
  return ICAL_FBTYPE_BUSY;
}

// FNV-1a, 64 bits: a stable hash that needs no library.
void Mix(std::uint64_t& hash, const std::string& text) {
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  hash ^= 0xff;  // ends each text, so that ("ab", "c") and ("a", "bc") differ
  hash *= 0x100000001b3ULL;
}

}  // namespace

std::string FreeBusyUid(const std::vector<std::string>& calendars, Interval window) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const std::string& name : calendars) Mix(hash, name);
  Mix(hash, std::to_string(window.start.time_since_epoch().count()));
  Mix(hash, std::to_string(window.end.time_since_epoch().count()));
  char text[48];
  std::snprintf(text, sizeof text, "freebusy-%016llx@dayweave",
                static_cast<unsigned long long>(hash));
  return text;
}

std::string FreeBusyCalendar(const BusyTime& busy, Interval window, std::chrono::sys_seconds stamp,
                             const std::string& uid) {
  const std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(
      icalcomponent_new_vcalendar(), icalcomponent_free);
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//dayweave//freebusy//EN"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
  icalcomponent* freebusy = icalcomponent_new_vfreebusy();
  icalcomponent_add_property(freebusy, icalproperty_new_dtstamp(Utc(stamp)));
  icalcomponent_add_property(freebusy, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(freebusy, icalproperty_new_dtstart(Utc(window.start)));
  icalcomponent_add_property(freebusy, icalproperty_new_dtend(Utc(window.end)));
  for (const BusyInterval& piece : busy.Pieces()) {
    icalperiodtype period = icalperiodtype_null_period();
    period.start = Utc(piece.start);
    period.end = Utc(piece.end);
    icalproperty* property = icalproperty_new_freebusy(period);
    icalproperty_add_parameter(property, icalparameter_new_fbtype(FbTypeOf(piece.kind)));
    icalcomponent_add_property(freebusy, property);
  }
  icalcomponent_add_component(calendar.get(), freebusy);
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  std::string written = text == nullptr ? std::string() : text;
  std::free(text);
  return written;
}

}  // namespace dayweave::agent
