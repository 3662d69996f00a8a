#include "agent/input/time_zones.h"

#include <algorithm>
#include <array>

namespace dayweave::agent {

namespace {

constexpr std::array<const char*, 12> kUtcNames = {
    "UTC",       "Etc/UTC",       "GMT",  "Etc/GMT",  "UCT", "Etc/UCT",
    "Universal", "Etc/Universal", "Zulu", "Etc/Zulu", "Z",   "Etc/Greenwich"};

std::string AfterZoneinfo(const std::string& path) {
  static const std::string kMarker = "zoneinfo/";
  const auto at = path.rfind(kMarker);
  return at == std::string::npos ? std::string() : path.substr(at + kMarker.size());
}

icaltimetype UtcTime(std::int64_t instant) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0,
                                       icaltimezone_get_utc_timezone());
}

LocalTime FromIcal(const icaltimetype& time) {
  return LocalTime{time.year,
                   time.month,
                   time.day,
                   time.is_date ? 0 : time.hour,
                   time.is_date ? 0 : time.minute,
                   time.is_date ? 0 : time.second};
}

int YearOf(std::int64_t instant) { return FromSeconds(instant).year; }

}  // namespace

icaltimezone* FindZone(const std::string& name) {
  if (std::find(kUtcNames.begin(), kUtcNames.end(), name) != kUtcNames.end()) {
    return icaltimezone_get_utc_timezone();
  }
  if (name.empty()) return nullptr;
  return icaltimezone_get_builtin_timezone(name.c_str());
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

std::int64_t InstantOf(const icaltimetype& time) {
  if (IsFloating(time)) return ToSeconds(FromIcal(time));
  return static_cast<std::int64_t>(icaltime_as_timet_with_zone(time, time.zone));
}

LocalTime DisplayOfInstant(std::int64_t instant, bool floating, icaltimezone* display) {
  if (floating) return FromSeconds(instant);
  return FromIcal(icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0, display));
}

LocalTime ToDisplay(const icaltimetype& time, icaltimezone* display) {
  if (IsFloating(time)) return FromIcal(time);
  return FromIcal(icaltime_convert_to_zone(time, display));
}

int OffsetAt(icaltimezone* zone, std::int64_t instant) {
  if (zone == nullptr || zone == icaltimezone_get_utc_timezone()) return 0;
  icaltimetype utc = UtcTime(instant);
  int isDaylight = 0;
  return icaltimezone_get_utc_offset_of_utc_time(zone, &utc, &isDaylight);
}

std::vector<ZoneChanges::Change> ZoneChanges::Between(icaltimezone* zone, std::int64_t from,
                                                      std::int64_t to) {
  std::vector<Change> found;
  if (zone == nullptr || zone == icaltimezone_get_utc_timezone() || from >= to) return found;
  // Zone rules change by law up to some year and repeat yearly after it, so a stretch that
  // runs on past kLastScannedYear is looked at up to two years past that year (or past
  // `from`, for a stretch that starts later still).
  const int fromYear = YearOf(from);
  const int horizon = std::max(fromYear, kLastScannedYear) + 2;
  const std::int64_t horizonStart = DayNumber(horizon, 1, 1) * kSecondsPerDay;
  const int toYear = to >= horizonStart ? horizon : YearOf(to);
  Scan(zone, fromYear - 1, toYear + 1);
  for (const Change& change : scanned_[zone].changes) {
    if (change.at >= from && change.at < to) found.push_back(change);
  }
  return found;
}

void ZoneChanges::Scan(icaltimezone* zone, int firstYear, int endYear) {
  Scanned& scanned = scanned_[zone];
  if (scanned.endYear != 0 && firstYear >= scanned.firstYear && endYear <= scanned.endYear) {
    return;
  }
  if (scanned.endYear != 0) {
    firstYear = std::min(firstYear, scanned.firstYear);
    endYear = std::max(endYear, scanned.endYear);
  }
  scanned.firstYear = firstYear;
  scanned.endYear = endYear;
  scanned.changes.clear();
  // A zone changes its offset at most once a day, so a daily reading finds every change, and
  // halving the day in which the reading moved pins the change to the second.
  const std::int64_t first = DayNumber(firstYear, 1, 1) * kSecondsPerDay;
  const std::int64_t end = DayNumber(endYear, 1, 1) * kSecondsPerDay;
  int previous = OffsetAt(zone, first);
  for (std::int64_t day = first + kSecondsPerDay; day <= end; day += kSecondsPerDay) {
    const int offset = OffsetAt(zone, day);
    if (offset == previous) continue;
    std::int64_t low = day - kSecondsPerDay;  // still the old offset
    std::int64_t high = day;                  // already the new one
    while (high - low > 1) {
      const std::int64_t middle = low + (high - low) / 2;
      (OffsetAt(zone, middle) == previous ? low : high) = middle;
    }
    scanned.changes.push_back(Change{high, previous, offset});
    previous = offset;
  }
}

}  // namespace dayweave::agent
