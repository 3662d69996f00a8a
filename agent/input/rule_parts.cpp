#include "agent/input/rule_parts.h"

#include <algorithm>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

// The values of one of libical's BY lists, which end at ICAL_RECURRENCE_ARRAY_MAX or at the
// array's end; false when one lies outside [low, high] or is 0 where 0 means nothing.
template <std::size_t N>
bool Read(const short (&list)[N], int low, int high, bool zeroAllowed, std::vector<int>& out) {
  for (std::size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    const int value = list[i];
    if (value < low || value > high || (value == 0 && !zeroAllowed)) return false;
    out.push_back(value);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return true;
}

std::optional<Frequency> FrequencyOf(icalrecurrencetype_frequency frequency) {
  switch (frequency) {
    case ICAL_SECONDLY_RECURRENCE:
      return Frequency::kSecondly;
    case ICAL_MINUTELY_RECURRENCE:
      return Frequency::kMinutely;
    case ICAL_HOURLY_RECURRENCE:
      return Frequency::kHourly;
    case ICAL_DAILY_RECURRENCE:
      return Frequency::kDaily;
    case ICAL_WEEKLY_RECURRENCE:
      return Frequency::kWeekly;
    case ICAL_MONTHLY_RECURRENCE:
      return Frequency::kMonthly;
    case ICAL_YEARLY_RECURRENCE:
      return Frequency::kYearly;
    default:
      return std::nullopt;
  }
}

// libical numbers the days of the week 1 Sunday ... 7 Saturday, std::chrono 0 Sunday.
std::optional<std::chrono::weekday> WeekdayOf(int libicalDay) {
  if (libicalDay < ICAL_SUNDAY_WEEKDAY || libicalDay > ICAL_SATURDAY_WEEKDAY) return std::nullopt;
  return std::chrono::weekday(static_cast<unsigned>(libicalDay - ICAL_SUNDAY_WEEKDAY));
}

}  // namespace

std::optional<RuleParts> PartsOf(const icalrecurrencetype& rule, const icaltimetype& start) {
  RuleParts parts;
  const std::optional<Frequency> frequency = FrequencyOf(rule.freq);
  const std::optional<std::chrono::weekday> weekStart =
      WeekdayOf(rule.week_start == ICAL_NO_WEEKDAY ? ICAL_MONDAY_WEEKDAY : rule.week_start);
  if (!frequency || !weekStart || rule.rscale != nullptr || rule.interval < 1 || rule.count < 0) {
    return std::nullopt;
  }
  parts.frequency = *frequency;
  parts.interval = rule.interval;
  parts.count = rule.count;
  parts.weekStart = *weekStart;
  if (!icaltime_is_null_time(rule.until)) {
    icaltimetype until = rule.until;
    const bool zoned = !start.is_date && start.zone != nullptr && until.zone != nullptr;
    if (zoned) until = icaltime_convert_to_zone(until, const_cast<icaltimezone*>(start.zone));
    parts.until = WrittenTime(until);
  }
  std::vector<int> months;
  if (!Read(rule.by_second, 0, 59, true, parts.seconds) ||
      !Read(rule.by_minute, 0, 59, true, parts.minutes) ||
      !Read(rule.by_hour, 0, 23, true, parts.hours) ||
      !Read(rule.by_month_day, -31, 31, false, parts.monthDays) ||
      !Read(rule.by_year_day, -366, 366, false, parts.yearDays) ||
      !Read(rule.by_week_no, -53, 53, false, parts.weekNumbers) ||
      !Read(rule.by_set_pos, -366, 366, false, parts.setPositions) ||
      !Read(rule.by_month, 1, 12, false, months)) {
    return std::nullopt;
  }
  for (const int month : months) {
    if (icalrecurrencetype_month_is_leap(static_cast<short>(month))) return std::nullopt;
    parts.months.push_back(icalrecurrencetype_month_month(static_cast<short>(month)));
  }
  for (std::size_t i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
       ++i) {
    const std::optional<std::chrono::weekday> day =
        WeekdayOf(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
    const int position = icalrecurrencetype_day_position(rule.by_day[i]);
    if (!day || position < -53 || position > 53) return std::nullopt;
    const DayPart part{position, *day};
    if (std::find(parts.days.begin(), parts.days.end(), part) == parts.days.end()) {
      parts.days.push_back(part);
    }
  }
  return parts;
}

}  // namespace dayweave::agent
