#include "agent/input/libical_rule_faults.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace dayweave::agent {

namespace {

template <std::size_t N>
std::vector<short> ListOf(const short (&list)[N]) {
  std::vector<short> values;
  for (std::size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    values.push_back(list[i]);
  }
  return values;
}

template <std::size_t N>
bool Repeats(const short (&list)[N]) {
  std::vector<short> values = ListOf(list);
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) != values.end();
}

template <std::size_t N>
bool HasNegative(const short (&list)[N]) {
  const std::vector<short> values = ListOf(list);
  return std::any_of(values.begin(), values.end(), [](short value) { return value < 0; });
}

template <std::size_t N>
bool Has(const short (&list)[N]) {
  return list[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

// Whether some month of BYMONTH has some day of BYMONTHDAY in a leap year.
bool NamesADate(const icalrecurrencetype& rule) {
  for (const short month : ListOf(rule.by_month)) {
    const std::chrono::year_month_day_last last(
        std::chrono::year(2000),
        std::chrono::month(static_cast<unsigned>(month)) / std::chrono::last);
    const int length = last.ok() ? static_cast<int>(static_cast<unsigned>(last.day())) : 31;
    for (const short day : ListOf(rule.by_month_day)) {
      if (day >= -length && day <= length) return true;
    }
  }
  return false;
}

}  // namespace

std::string LibicalFault(const icalrecurrencetype& rule, const icaltimetype& start) {
  const bool allDay = start.is_date != 0;
  const bool daily = rule.freq == ICAL_DAILY_RECURRENCE;
  const bool finerThanDaily = rule.freq == ICAL_HOURLY_RECURRENCE ||
                              rule.freq == ICAL_MINUTELY_RECURRENCE ||
                              rule.freq == ICAL_SECONDLY_RECURRENCE;
  const bool timeParts = Has(rule.by_hour) || Has(rule.by_minute) || Has(rule.by_second);
  if (Repeats(rule.by_second) || Repeats(rule.by_minute) || Repeats(rule.by_hour) ||
      Repeats(rule.by_day) || Repeats(rule.by_month_day) || Repeats(rule.by_year_day) ||
      Repeats(rule.by_week_no) || Repeats(rule.by_month) || Repeats(rule.by_set_pos)) {
    return "a value named twice in one BY list";
  }
  if (Has(rule.by_week_no)) return "BYWEEKNO";
  if (Has(rule.by_set_pos)) return "BYSETPOS";
  if (daily && HasNegative(rule.by_month_day)) return "a negative BYMONTHDAY with FREQ=DAILY";
  if (finerThanDaily) return "FREQ=HOURLY, MINUTELY or SECONDLY";
  if (Has(rule.by_year_day) &&
      (rule.freq != ICAL_YEARLY_RECURRENCE || Has(rule.by_month) || Has(rule.by_month_day))) {
    return "BYYEARDAY with FREQ other than YEARLY, or with BYMONTH or BYMONTHDAY";
  }
  if (Has(rule.by_month) && Has(rule.by_month_day) && !NamesADate(rule)) {
    return "BYMONTH and BYMONTHDAY that name no date together";
  }
  if (rule.freq == ICAL_WEEKLY_RECURRENCE && rule.interval > 1) {
    const bool mondayWeeks =
        rule.week_start == ICAL_MONDAY_WEEKDAY || rule.week_start == ICAL_NO_WEEKDAY;
    const std::vector<short> days = ListOf(rule.by_day);
    const auto startDay = static_cast<short>(icaltime_day_of_week(start));
    const bool startsOnItsDay =
        days.empty() || std::any_of(days.begin(), days.end(), [&](short day) {
          return icalrecurrencetype_day_day_of_week(day) == startDay;
        });
    if (!mondayWeeks || !startsOnItsDay) {
      return "FREQ=WEEKLY;INTERVAL above 1 with a WKST other than MO or a DTSTART on no BYDAY day";
    }
  }
  if (allDay && timeParts) return "BYHOUR, BYMINUTE or BYSECOND with a date DTSTART";
  return "";
}

}  // namespace dayweave::agent
