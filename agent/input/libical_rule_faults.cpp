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

// Whether a BYSETPOS picks from whole days of the week of a month or year, and only positions
// that every such set reaches (each day of the week comes at least four times a month).
bool PositionsAlwaysReached(const icalrecurrencetype& rule) {
  const std::vector<short> days = ListOf(rule.by_day);
  const bool wholeDays =
      (rule.freq == ICAL_MONTHLY_RECURRENCE || rule.freq == ICAL_YEARLY_RECURRENCE) &&
      !days.empty() && !Has(rule.by_month_day) && !Has(rule.by_year_day) && !Has(rule.by_week_no) &&
      !Has(rule.by_hour) && !Has(rule.by_minute) && !Has(rule.by_second) &&
      std::none_of(days.begin(), days.end(),
                   [](short day) { return icalrecurrencetype_day_position(day) != 0; });
  const std::vector<short> positions = ListOf(rule.by_set_pos);
  const int reached = 4 * static_cast<int>(days.size());
  return wholeDays && std::all_of(positions.begin(), positions.end(), [&](short position) {
           return position != 0 && position >= -reached && position <= reached;
         });
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
  if (Has(rule.by_set_pos) && !PositionsAlwaysReached(rule)) {
    return "BYSETPOS other than over whole days of the week in a month or year";
  }
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
    // Days counted from WKST, 0 for WKST itself.
    const int weekStart = rule.week_start == ICAL_NO_WEEKDAY ? ICAL_MONDAY_WEEKDAY
                                                             : static_cast<int>(rule.week_start);
    const auto intoWeek = [&](int day) { return (day - weekStart + 7) % 7; };
    const int startDay = icaltime_day_of_week(start);
    const std::vector<short> days = ListOf(rule.by_day);
    bool onItsDay = days.empty();
    bool dayBefore = false;
    for (const short day : days) {
      const int dayOfWeek = icalrecurrencetype_day_day_of_week(day);
      onItsDay = onItsDay || dayOfWeek == startDay;
      dayBefore = dayBefore || intoWeek(dayOfWeek) < intoWeek(startDay);
    }
    if (!onItsDay || (weekStart != ICAL_MONDAY_WEEKDAY && dayBefore)) {
      return "FREQ=WEEKLY;INTERVAL above 1 from a DTSTART on no BYDAY day, or with a WKST other "
             "than MO and a BYDAY day before DTSTART's in its week";
    }
  }
  if (allDay && timeParts) return "BYHOUR, BYMINUTE or BYSECOND with a date DTSTART";
  return "";
}

}  // namespace dayweave::agent
