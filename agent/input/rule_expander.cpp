#include "agent/input/rule_expander.h"

#include <algorithm>

namespace dayweave::agent {

namespace {

using std::chrono::days;
using std::chrono::floor;
using std::chrono::hh_mm_ss;
using std::chrono::hours;
using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::weekday;
using std::chrono::year;
using std::chrono::year_month_day;
using std::chrono::year_month_day_last;

constexpr int kLastYear = 9999;

// The Gregorian calendar repeats itself, days of the week included, every 400 years.
constexpr days kCalendarCycle{146097};

bool Contains(const std::vector<int>& list, int value) {
  return std::binary_search(list.begin(), list.end(), value);
}

// A value counted from the start (1, 2, ...) or, negative, from the end (-1 the last) of a
// stretch of `length`: whether the list names the `index`-th (from 1).
bool NamesPosition(const std::vector<int>& list, int index, int length) {
  return Contains(list, index) || Contains(list, index - length - 1);
}

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

local_days FirstDayOfWeek(local_days day, weekday weekStart) {
  return day - (weekday(day) - weekStart);
}

// The first day of week 1 of a year: the start of the week that holds 4 January.
local_days WeekOneStart(year y, weekday weekStart) {
  return FirstDayOfWeek(local_days(y / std::chrono::January / 4), weekStart);
}

}  // namespace

RuleExpander::RuleExpander(RuleParts rule, local_seconds start, bool allDay, long mostWork)
    : rule_(std::move(rule)),
      start_(allDay ? local_seconds(floor<days>(start)) : start),
      allDay_(allDay),
      ordinalsInMonth_(rule_.frequency == Frequency::kMonthly || !rule_.months.empty()),
      mostWork_(mostWork) {
  const local_days startDay = floor<days>(start_);
  const year_month_day date(startDay);
  const int startMonthDay = static_cast<int>(static_cast<unsigned>(date.day()));
  const int startMonth = static_cast<int>(static_cast<unsigned>(date.month()));
  const bool noDayParts = rule_.weekNumbers.empty() && rule_.yearDays.empty() &&
                          rule_.monthDays.empty() && rule_.days.empty();
  switch (rule_.frequency) {
    case Frequency::kYearly:
      if (noDayParts) {
        rule_.monthDays = {startMonthDay};
        if (rule_.months.empty()) rule_.months = {startMonth};
      } else if (!rule_.monthDays.empty() && rule_.months.empty() && rule_.weekNumbers.empty() &&
                 rule_.yearDays.empty()) {
        rule_.months = {startMonth};
      } else if (!rule_.weekNumbers.empty() && rule_.days.empty() && rule_.yearDays.empty() &&
                 rule_.monthDays.empty()) {
        rule_.days = {DayPart{0, weekday(startDay)}};
      }
      break;
    case Frequency::kMonthly:
      if (rule_.monthDays.empty() && rule_.days.empty()) rule_.monthDays = {startMonthDay};
      break;
    case Frequency::kWeekly:
      if (rule_.days.empty()) rule_.days = {DayPart{0, weekday(startDay)}};
      break;
    default:
      break;
  }
  if (allDay_) rule_.hours = rule_.minutes = rule_.seconds = {};
  offsets_ = Offsets();
  step_ = rule_.interval * (rule_.frequency == Frequency::kWeekly ? 7LL : 1LL);
  firstPeriod_ = PeriodOf(start_);
  period_ = firstPeriod_;
  lastFound_ = start_;
}

long long RuleExpander::PeriodOf(local_seconds time) const {
  const local_days day = floor<days>(time);
  const year_month_day date(day);
  switch (rule_.frequency) {
    case Frequency::kYearly:
      return static_cast<int>(date.year());
    case Frequency::kMonthly:
      return static_cast<int>(date.year()) * 12LL + static_cast<unsigned>(date.month()) - 1;
    case Frequency::kWeekly:
      return FirstDayOfWeek(day, rule_.weekStart).time_since_epoch().count();
    case Frequency::kDaily:
      return day.time_since_epoch().count();
    case Frequency::kHourly:
      return floor<hours>(time).time_since_epoch().count();
    case Frequency::kMinutely:
      return floor<minutes>(time).time_since_epoch().count();
    case Frequency::kSecondly:
      return time.time_since_epoch().count();
  }
  return 0;
}

local_seconds RuleExpander::PeriodStart(long long period) const {
  switch (rule_.frequency) {
    case Frequency::kYearly:
      return local_days(year(static_cast<int>(period)) / std::chrono::January / 1);
    case Frequency::kMonthly: {
      const long long y = FloorDiv(period, 12);
      const auto month = static_cast<unsigned>(period - y * 12 + 1);
      return local_days(year(static_cast<int>(y)) / std::chrono::month(month) / 1);
    }
    case Frequency::kWeekly:
    case Frequency::kDaily:
      return local_days(days(period));
    case Frequency::kHourly:
      return local_seconds(hours(period));
    case Frequency::kMinutely:
      return local_seconds(minutes(period));
    case Frequency::kSecondly:
      return local_seconds(seconds(period));
  }
  return start_;
}

// The first read period that holds `time` or comes after it, unless that is behind the next
// one. (Every period is one unit of its numbering long, a week seven.)
void RuleExpander::JumpTo(local_seconds time) {
  const long long behind = PeriodOf(time) - firstPeriod_;
  const long long steps = FloorDiv(behind + step_ - 1, step_);
  period_ = std::max(period_, firstPeriod_ + steps * step_);
}

void RuleExpander::SkipTo(local_seconds from) {
  if (rule_.count > 0 || done_) return;
  const long long before = period_;
  JumpTo(from);
  if (period_ > before) {
    lastFound_ = std::max(lastFound_, PeriodStart(period_));
    pending_.clear();
  }
}

local_seconds RuleExpander::CheckedUntil() const {
  if (done_ && !overLimit_) return local_seconds::max();
  if (!pending_.empty()) return pending_.back();
  return PeriodStart(period_);
}

bool RuleExpander::WeekNumberMatches(local_days day) const {
  const local_days weekStart = FirstDayOfWeek(day, rule_.weekStart);
  const year numbering = year_month_day(weekStart + days(3)).year();
  const local_days weekOne = WeekOneStart(numbering, rule_.weekStart);
  const auto weeks =
      (WeekOneStart(numbering + std::chrono::years(1), rule_.weekStart) - weekOne).count() / 7;
  const auto week = (weekStart - weekOne).count() / 7 + 1;
  return NamesPosition(rule_.weekNumbers, static_cast<int>(week), static_cast<int>(weeks));
}

bool RuleExpander::DayPartMatches(local_days day) const {
  const weekday dayOfWeek(day);
  const year_month_day date(day);
  const bool positioned =
      rule_.frequency == Frequency::kMonthly || rule_.frequency == Frequency::kYearly;
  for (const DayPart& part : rule_.days) {
    if (part.day != dayOfWeek) continue;
    if (part.position == 0 || !positioned) return true;
    const local_days first = ordinalsInMonth_ ? local_days(date.year() / date.month() / 1)
                                              : local_days(date.year() / std::chrono::January / 1);
    const local_days last =
        ordinalsInMonth_
            ? local_days(year_month_day_last(date.year(), date.month() / std::chrono::last))
            : local_days(date.year() / std::chrono::December / 31);
    const int fromStart = static_cast<int>((day - first).count() / 7 + 1);
    const int fromEnd = static_cast<int>((last - day).count() / 7 + 1);
    if (part.position == fromStart || part.position == -fromEnd) return true;
  }
  return false;
}

bool RuleExpander::DayMatches(local_days day) const {
  const year_month_day date(day);
  const int month = static_cast<int>(static_cast<unsigned>(date.month()));
  if (!rule_.months.empty() && !Contains(rule_.months, month)) return false;
  if (!rule_.weekNumbers.empty() && rule_.frequency == Frequency::kYearly &&
      !WeekNumberMatches(day)) {
    return false;
  }
  if (!rule_.yearDays.empty()) {
    const local_days newYear(date.year() / std::chrono::January / 1);
    const int length = date.year().is_leap() ? 366 : 365;
    if (!NamesPosition(rule_.yearDays, static_cast<int>((day - newYear).count()) + 1, length)) {
      return false;
    }
  }
  if (!rule_.monthDays.empty()) {
    const year_month_day_last last(date.year(), date.month() / std::chrono::last);
    if (!NamesPosition(rule_.monthDays, static_cast<int>(static_cast<unsigned>(date.day())),
                       static_cast<int>(static_cast<unsigned>(last.day())))) {
      return false;
    }
  }
  return rule_.days.empty() || DayPartMatches(day);
}

// The times a period gives, from its start: the times of day (BYHOUR x BYMINUTE x BYSECOND)
// of a day-long or longer period, the minutes and seconds of an hour, the seconds of a minute,
// each part DTSTART's own where the rule has none.
std::vector<seconds> RuleExpander::Offsets() const {
  const hh_mm_ss<seconds> at(start_ - floor<days>(start_));
  const auto orStart = [](const std::vector<int>& list, long long own) {
    return list.empty() ? std::vector<int>{static_cast<int>(own)} : list;
  };
  std::vector<int> hourList = orStart(rule_.hours, at.hours().count());
  std::vector<int> minuteList = orStart(rule_.minutes, at.minutes().count());
  std::vector<int> secondList = orStart(rule_.seconds, at.seconds().count());
  switch (rule_.frequency) {
    case Frequency::kSecondly:
      secondList = {0};
      [[fallthrough]];
    case Frequency::kMinutely:
      minuteList = {0};
      [[fallthrough]];
    case Frequency::kHourly:
      hourList = {0};
      break;
    default:
      break;
  }
  std::vector<seconds> offsets;
  for (const int h : hourList) {
    for (const int m : minuteList) {
      for (const int s : secondList) offsets.push_back(hours(h) + minutes(m) + seconds(s));
    }
  }
  return offsets;
}

void RuleExpander::ReadPeriod() {
  const local_seconds periodStart = PeriodStart(period_);
  // A rule repeats with the calendar every 400 years of its periods: one that has given
  // nothing for that long never will again.
  const local_seconds barren = lastFound_ + kCalendarCycle * rule_.interval + days(7);
  if (periodStart >= local_days(year(kLastYear + 1) / 1 / 1) ||
      (rule_.until && periodStart > *rule_.until) || periodStart > barren) {
    done_ = true;
    return;
  }
  const long long period = period_;
  period_ += step_;
  ++work_;
  std::vector<local_seconds>& set = set_;
  set.clear();
  const local_days day = floor<days>(periodStart);
  const hh_mm_ss<seconds> at(periodStart - day);
  const auto within = [](const std::vector<int>& list, long long value) {
    return list.empty() || Contains(list, static_cast<int>(value));
  };
  switch (rule_.frequency) {
    case Frequency::kYearly:
    case Frequency::kMonthly:
    case Frequency::kWeekly:
    case Frequency::kDaily: {
      const local_days end =
          floor<days>(PeriodStart(period + (rule_.frequency == Frequency::kWeekly ? 7 : 1)));
      std::vector<local_days>& matching = days_;
      matching.clear();
      for (local_days d = day; d < end; d += days(1)) {
        if (DayMatches(d)) matching.push_back(d);
      }
      // Counted before any is made, so that a period too big to read takes no memory.
      work_ += static_cast<long>(matching.size() * offsets_.size());
      if (work_ > mostWork_) break;
      for (const local_days d : matching) {
        for (const seconds offset : offsets_) set.push_back(d + offset);
      }
      break;
    }
    case Frequency::kHourly:
    case Frequency::kMinutely:
    case Frequency::kSecondly: {
      if (!DayMatches(day)) {
        JumpTo(day + days(1));
        break;
      }
      if (!within(rule_.hours, at.hours().count())) {
        JumpTo(day + at.hours() + hours(1));
        break;
      }
      if (rule_.frequency != Frequency::kHourly && !within(rule_.minutes, at.minutes().count())) {
        JumpTo(day + at.hours() + at.minutes() + minutes(1));
        break;
      }
      if (rule_.frequency == Frequency::kSecondly && !within(rule_.seconds, at.seconds().count())) {
        break;
      }
      for (const seconds offset : offsets_) set.push_back(periodStart + offset);
      work_ += static_cast<long>(set.size());
      break;
    }
  }
  if (work_ > mostWork_) {
    period_ = period;
    overLimit_ = done_ = true;
    return;
  }
  if (!rule_.setPositions.empty()) {
    std::vector<local_seconds> picked;
    const long long size = static_cast<long long>(set.size());
    for (const int position : rule_.setPositions) {
      const long long index = position > 0 ? position - 1 : size + position;
      if (index >= 0 && index < size) picked.push_back(set[static_cast<std::size_t>(index)]);
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    set.swap(picked);
  }
  if (!set.empty()) lastFound_ = periodStart;
  // Latest first, so that the next occurrence is at the back.
  for (auto it = set.rbegin(); it != set.rend() && *it >= start_; ++it) pending_.push_back(*it);
}

std::optional<local_seconds> RuleExpander::Next() {
  while (!done_) {
    if (rule_.count > 0 && emitted_ >= rule_.count) {
      done_ = true;
      break;
    }
    if (pending_.empty()) {
      ReadPeriod();
      continue;
    }
    const local_seconds next = pending_.back();
    pending_.pop_back();
    if (rule_.until && next > *rule_.until) {
      done_ = true;
      break;
    }
    ++emitted_;
    return next;
  }
  pending_.clear();
  return std::nullopt;
}

}  // namespace dayweave::agent
