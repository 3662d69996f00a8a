#include "agent/input/time_zones.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "agent/input/zone_offsets.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

constexpr std::array<const char*, 12> kUtcNames = {
    "UTC",       "Etc/UTC",       "GMT",  "Etc/GMT",  "UCT", "Etc/UCT",
    "Universal", "Etc/Universal", "Zulu", "Etc/Zulu", "Z",   "Etc/Greenwich"};

std::string AfterZoneinfo(const std::string& path) {
  static const std::string kMarker = "zoneinfo/";
  const auto at = path.rfind(kMarker);
  return at == std::string::npos ? std::string() : path.substr(at + kMarker.size());
}

icaltimetype UtcTime(sys_seconds instant) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(instant.time_since_epoch().count()), 0,
                                       icaltimezone_get_utc_timezone());
}

year YearOf(sys_seconds instant) { return year_month_day{floor<days>(instant)}.year(); }

}  // namespace

icaltimezone* FindZone(const std::string& name) {
  const auto sameLetters = [&](const char* utcName) {
    return std::equal(name.begin(), name.end(), utcName, utcName + std::strlen(utcName),
                      [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) ==
                               std::tolower(static_cast<unsigned char>(b));
                      });
  };
  if (std::any_of(kUtcNames.begin(), kUtcNames.end(), sameLetters)) {
    return icaltimezone_get_utc_timezone();
  }
  if (name.empty()) return nullptr;
  // libical looks a name up by comparing it with its zones' names one after another, which
  // costs more than reading the event that names it; the zones it finds live as long as the
  // program, so each name is looked up once. Only names that are zones are kept, so the table
  // stays as small as libical's list whatever names calendars write.
  static std::mutex mutex;
  static std::unordered_map<std::string, icaltimezone*> found;
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (const auto at = found.find(name); at != found.end()) return at->second;
  }
  icaltimezone* zone = icaltimezone_get_builtin_timezone(name.c_str());
  if (zone != nullptr) {
    const std::lock_guard<std::mutex> lock(mutex);
    found.emplace(name, zone);
  }
  return zone;
}

std::string MachineZoneName(const char* tzVariable, const std::string& localtimeTarget) {
  if (tzVariable != nullptr && *tzVariable != '\0') {
    std::string name = tzVariable;
    if (name.front() == ':') name.erase(0, 1);
    if (!name.empty() && name.front() == '/') {
      const std::string zone = AfterZoneinfo(name);
      return zone.empty() ? name : zone;
    }
    return name;
  }
  const std::string zone = AfterZoneinfo(localtimeTarget);
  return zone.empty() ? "UTC" : zone;
}

bool IsFloating(const icaltimetype& time) {
  return time.is_date || (time.zone == nullptr && !icaltime_is_utc(time));
}

local_seconds WrittenTime(const icaltimetype& time) {
  // A day past the end of its month counts on into the next: libical's Julian 29 February of
  // 1700 is 1 March here (the reader leaves out such times before they come this far).
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  const local_days midnight{date};
  if (time.is_date) return midnight;
  return midnight + hours{time.hour} + minutes{time.minute} + seconds{time.second};
}

icaltimetype FloatingTimeOf(local_seconds time) {
  const local_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{time - day};
  icaltimetype reading = icaltime_null_time();
  reading.year = static_cast<int>(date.year());
  reading.month = static_cast<int>(static_cast<unsigned>(date.month()));
  reading.day = static_cast<int>(static_cast<unsigned>(date.day()));
  reading.hour = static_cast<int>(clock.hours().count());
  reading.minute = static_cast<int>(clock.minutes().count());
  reading.second = static_cast<int>(clock.seconds().count());
  return reading;
}

sys_seconds InstantOf(const icaltimetype& time) {
  if (IsFloating(time)) return sys_seconds{WrittenTime(time).time_since_epoch()};
  return sys_seconds{seconds{icaltime_as_timet_with_zone(time, time.zone)}};
}

sys_seconds InstantOnClock(local_seconds time, icaltimezone* zone) {
  return sys_seconds{seconds{icaltime_as_timet_with_zone(FloatingTimeOf(time), zone)}};
}

EventTime EventTimeOf(const icaltimetype& time) {
  if (IsFloating(time)) return EventTime{WrittenTime(time).time_since_epoch()};
  return EventTime{InstantOf(time).time_since_epoch()};
}

local_seconds DisplayOf(EventTime time, bool floating, icaltimezone* display) {
  if (floating) return local_seconds{time.time_since_epoch()};
  return WrittenTime(icaltime_from_timet_with_zone(
      static_cast<time_t>(time.time_since_epoch().count()), 0, display));
}

local_seconds ToDisplay(const icaltimetype& time, icaltimezone* display) {
  if (IsFloating(time)) return WrittenTime(time);
  return WrittenTime(icaltime_convert_to_zone(time, display));
}

seconds OffsetAt(icaltimezone* zone, sys_seconds instant) {
  if (zone == nullptr || zone == icaltimezone_get_utc_timezone()) return seconds{0};
  icaltimetype utc = UtcTime(instant);
  int isDaylight = 0;
  return seconds{icaltimezone_get_utc_offset_of_utc_time(zone, &utc, &isDaylight)};
}

std::vector<ZoneChanges::Change> ZoneChanges::Between(icaltimezone* zone, sys_seconds from,
                                                      sys_seconds to) {
  std::vector<Change> found;
  if (zone == nullptr || zone == icaltimezone_get_utc_timezone() || from >= to) return found;
  // Zone rules change by law up to some year and repeat yearly after it, so a stretch that
  // runs on past kLastScannedYear is looked at up to two years past that year (or past
  // `from`, for a stretch that starts later still).
  const year fromYear = YearOf(from);
  const year horizon = std::max(fromYear, kLastScannedYear) + years{2};
  const year toYear = to >= sys_days{horizon / January / 1} ? horizon : YearOf(to);
  Scan(zone, fromYear - years{1}, toYear + years{1});
  for (const Change& change : scanned_[zone].changes) {
    if (change.at >= from && change.at < to) found.push_back(change);
  }
  return found;
}

void ZoneChanges::Scan(icaltimezone* zone, year first, year end) {
  Scanned& scanned = scanned_[zone];
  const bool any = scanned.end != year{0};
  if (any && first >= scanned.first && end <= scanned.end) return;
  if (any) {
    first = std::min(first, scanned.first);
    end = std::max(end, scanned.end);
  }
  scanned.first = first;
  scanned.end = end;
  scanned.changes = ZoneOffsets(zone, first, end - years{1}).Changes();
}

}  // namespace dayweave::agent
