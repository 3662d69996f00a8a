#include "agent/input/rrule_mapping.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "agent/input/local_time.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

template <std::size_t N>
std::vector<short> Values(const short (&list)[N]) {
  std::vector<short> values;
  for (std::size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    values.push_back(list[i]);
  }
  return values;
}

RuleVerdict Exact(RecurrenceType type, int interval, long instance, long dayOfMonth, int days) {
  return RuleVerdict{true, RuleShape{type, interval, instance, dayOfMonth, days}, {}};
}

RuleVerdict Inexact(std::string reason) { return RuleVerdict{false, {}, std::move(reason)}; }

// The day mask bit of a BYDAY value (libical counts 1 Sunday ... 7 Saturday, as the library).
int BitOf(short byDay) {
  return static_cast<int>(DayBit(static_cast<int>(icalrecurrencetype_day_day_of_week(byDay))));
}

// The instance code of a position: the first to the fourth as they are, -1 as the last.
std::optional<long> Instance(int position) {
  if (position >= kFirstInstance && position <= kFourthInstance) return position;
  if (position == -1) return kLastInstance;
  return {};
}

struct Position {
  long instance = 0;
  int days = 0;
};

// A position in the month from BYDAY and BYSETPOS: 2TU alone, or a set of plain days (the
// weekdays, the weekend, all seven or one day) with one BYSETPOS.
std::optional<Position> PositionOf(const std::vector<short>& byDay,
                                   const std::vector<short>& bySetPos, std::string& reason) {
  if (byDay.size() == 1 && icalrecurrencetype_day_position(byDay[0]) != 0) {
    if (!bySetPos.empty()) {
      reason = "its rule has BYSETPOS beside a BYDAY position";
      return {};
    }
    const auto instance = Instance(icalrecurrencetype_day_position(byDay[0]));
    if (!instance) {
      reason = "its BYDAY position is neither 1 to 4 nor -1 (the last)";
      return {};
    }
    return Position{*instance, BitOf(byDay[0])};
  }
  int days = 0;
  for (short day : byDay) {
    if (icalrecurrencetype_day_position(day) != 0) {
      reason = "its BYDAY has several positions";
      return {};
    }
    days |= BitOf(day);
  }
  if (bySetPos.size() != 1) {
    reason = bySetPos.empty() ? "its BYDAY names every such day of the month"
                              : "its rule has several BYSETPOS values";
    return {};
  }
  const auto instance = Instance(bySetPos[0]);
  if (!instance) {
    reason = "its BYSETPOS is neither 1 to 4 nor -1 (the last)";
    return {};
  }
  const bool oneDay = days != 0 && (days & (days - 1)) == 0;
  const auto mask = static_cast<unsigned>(days);
  if (mask != kWeekdayMask && mask != kWeekendMask && mask != kEveryDayMask && !oneDay) {
    reason = "its BYDAY is not the weekdays, the weekend, every day or one day";
    return {};
  }
  return Position{*instance, days};
}

// Whether weeks that begin on `weekStart` group `days` (a mask) as weeks that begin on Sunday
// do: a day that comes before weekStart in a Sunday week belongs to the week before.
bool SameWeeksAsSunday(int days, int weekStart) {
  const int before = (1 << (weekStart - 1)) - 1;  // Sunday up to the day before weekStart
  return (days & before) == 0 || (days & ~before) == 0;
}

// The RFC's names of the parts that the model never holds.
std::string UnheldPart(const icalrecurrencetype& rule) {
  if (rule.rscale != nullptr) return "RSCALE";
  if (!Values(rule.by_second).empty()) return "BYSECOND";
  if (!Values(rule.by_minute).empty()) return "BYMINUTE";
  if (!Values(rule.by_hour).empty()) return "BYHOUR";
  if (!Values(rule.by_year_day).empty()) return "BYYEARDAY";
  if (!Values(rule.by_week_no).empty()) return "BYWEEKNO";
  for (short month : Values(rule.by_month)) {
    if (icalrecurrencetype_month_is_leap(month)) return "a leap month in BYMONTH";
  }
  return {};
}

bool SameTime(const icaltimetype& a, const icaltimetype& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second && a.is_date == b.is_date;
}

int PropertyCount(icalcomponent* event, icalproperty_kind kind) {
  int count = 0;
  for (icalproperty* p = icalcomponent_get_first_property(event, kind); p != nullptr;
       p = icalcomponent_get_next_property(event, kind)) {
    ++count;
  }
  return count;
}

std::string RecurrenceSetReason(const EventRecord& event) {
  if (PropertyCount(event.component, ICAL_RDATE_PROPERTY) > 0) return "it has RDATE";
  if (PropertyCount(event.component, ICAL_EXDATE_PROPERTY) > 0) return "it has EXDATE";
  if (PropertyCount(event.component, ICAL_EXRULE_PROPERTY) > 0) return "it has EXRULE";
  if (PropertyCount(event.component, ICAL_RRULE_PROPERTY) > 1) return "it has several RRULEs";
  if (!event.overridden.empty()) {
    return "RECURRENCE-ID overrides replace some of its occurrences";
  }
  return {};
}

// Why the first occurrence does not sit inside one day of the display clock, or "".
std::string DayFitReason(const EventRecord& event, local_seconds start, local_seconds end) {
  if (event.start.is_date) return "it lasts all day";
  const local_days startDay = floor<days>(start);
  const local_days endDay = floor<days>(end);
  if (endDay == startDay + days{1} && TimeOfDay(end) == seconds{0}) {
    return "it ends exactly at midnight";
  }
  if (endDay != startDay) return "it crosses midnight";
  if (end <= start) return "its end is not after its start";
  return {};
}

struct RuleLife {
  bool firstIsStart = false;
  bool counted = true;               // false when the count ran past the limit
  std::optional<icaltimetype> last;  // the last occurrence, for a rule with COUNT or UNTIL
};

// What libical's iterator says about the rule's first and last occurrences.
RuleLife LifeOf(const icalrecurrencetype& rule, const icaltimetype& start) {
  RuleLife life;
  icalrecur_iterator* iterator = icalrecur_iterator_new(rule, start);
  if (iterator == nullptr) return life;
  icaltimetype occurrence = icalrecur_iterator_next(iterator);
  life.firstIsStart = !icaltime_is_null_time(occurrence) && SameTime(occurrence, start);
  if (life.firstIsStart && (rule.count > 0 || !icaltime_is_null_time(rule.until))) {
    occurrence.zone = start.zone;
    long counted = 1;
    for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(iterator)) {
      occurrence = next;
      occurrence.zone = start.zone;
      if (++counted > kMostCountedOccurrences) {
        life.counted = false;
        break;
      }
    }
    life.last = occurrence;
  }
  icalrecur_iterator_free(iterator);
  return life;
}

// Why the occurrences between the instants `first` and `last` would not all keep the display
// time of day from `start` to `end`, or "".
std::string ZoneReason(const EventRecord& event, icaltimezone* display,
                       const std::string& displayName, ZoneChanges& changes, sys_seconds first,
                       sys_seconds last, local_seconds start, local_seconds end) {
  icaltimezone* own = event.start.zone != nullptr ? const_cast<icaltimezone*>(event.start.zone)
                                                  : icaltimezone_get_utc_timezone();
  if (own != display) {
    const auto offset = [&](sys_seconds at) { return OffsetAt(display, at) - OffsetAt(own, at); };
    const seconds shift = offset(first);
    for (icaltimezone* zone : {own, display}) {
      for (const ZoneChanges::Change& change : changes.Between(zone, first, last)) {
        if (offset(change.at) != shift || offset(change.at - seconds{1}) != shift) {
          return "its time of day on the " + displayName +
                 " clock moves with daylight saving, which its own zone keeps on other dates "
                 "or not at all";
        }
      }
    }
  }
  // With one offset between the two clocks, the display clock's own changes are the only ones
  // left; one that falls inside an occurrence stretches or shrinks it on that day.
  const seconds from = TimeOfDay(start);
  const seconds to = TimeOfDay(end);
  for (const ZoneChanges::Change& change : changes.Between(display, first, last)) {
    const auto local = [&](seconds offset) {
      return TimeOfDay(local_seconds{(change.at + offset).time_since_epoch()});
    };
    const seconds a = local(change.before);
    const seconds b = local(change.after);
    const seconds low = std::min(a, b);
    const seconds high = std::max(a, b);
    if (from < high && to > low) {
      return "a daylight-saving change of the " + displayName + " clock falls within its hours";
    }
  }
  return {};
}

EventMapping Expanded(std::string reason) {
  EventMapping mapping;
  mapping.kind = EventMapping::kExpanded;
  mapping.reason = std::move(reason);
  return mapping;
}

}  // namespace

RuleVerdict ClassifyRule(const icalrecurrencetype& rule, year_month_day start) {
  const int startMonth = static_cast<int>(unsigned{start.month()});
  const int startDay = static_cast<int>(unsigned{start.day()});
  // The library counts the days of the week from 1 (Sunday), as DayBit takes them.
  const int startWeekday = static_cast<int>(weekday{local_days{start}}.c_encoding()) + 1;
  const std::string unheld = UnheldPart(rule);
  if (!unheld.empty()) return Inexact("its rule has " + unheld);
  if (rule.interval < 1) return Inexact("its INTERVAL is not a positive number");
  const std::vector<short> byDay = Values(rule.by_day);
  const std::vector<short> byMonthDay = Values(rule.by_month_day);
  const std::vector<short> byMonth = Values(rule.by_month);
  const std::vector<short> bySetPos = Values(rule.by_set_pos);
  std::string reason;

  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      if (!byDay.empty() || !byMonthDay.empty() || !byMonth.empty() || !bySetPos.empty()) {
        return Inexact("its daily rule has BYxxx parts");
      }
      return Exact(kDaily, rule.interval, 0, 0, 0);

    case ICAL_WEEKLY_RECURRENCE: {
      if (!byMonthDay.empty() || !byMonth.empty() || !bySetPos.empty()) {
        return Inexact("its weekly rule has BYMONTH, BYMONTHDAY or BYSETPOS");
      }
      int days = 0;
      for (short day : byDay) {
        if (icalrecurrencetype_day_position(day) != 0) {
          return Inexact("its weekly BYDAY has a position");
        }
        days |= BitOf(day);
      }
      const int startBit = static_cast<int>(DayBit(startWeekday));
      if (days == 0) days = startBit;
      const int weekStart = static_cast<int>(rule.week_start);
      if (rule.interval > 1 && weekStart >= 1 && weekStart <= 7 &&
          !SameWeeksAsSunday(days | startBit, weekStart)) {
        return Inexact(
            "its WKST starts weeks on another day than Sunday, which changes which "
            "weeks count");
      }
      return Exact(kWeekly, rule.interval, 0, 0, days);
    }

    case ICAL_MONTHLY_RECURRENCE:
      if (!byMonth.empty()) return Inexact("its monthly rule has BYMONTH");
      if (byDay.empty()) {
        if (!bySetPos.empty()) return Inexact("its rule has BYSETPOS without BYDAY");
        if (byMonthDay.size() > 1) return Inexact("its rule has several BYMONTHDAY values");
        if (byMonthDay.size() == 1 && (byMonthDay[0] < 1 || byMonthDay[0] > 31)) {
          return Inexact("its BYMONTHDAY counts from the end of the month");
        }
        return Exact(kMonthlyByDate, rule.interval, 0,
                     byMonthDay.empty() ? startDay : byMonthDay[0], 0);
      }
      if (!byMonthDay.empty()) return Inexact("its rule has both BYDAY and BYMONTHDAY");
      if (const auto position = PositionOf(byDay, bySetPos, reason)) {
        return Exact(kMonthlyByPosition, rule.interval, position->instance, 0, position->days);
      }
      return Inexact(reason);

    case ICAL_YEARLY_RECURRENCE:
      if (rule.interval != 1) return Inexact("its yearly rule has an INTERVAL above 1");
      if (byMonth.size() > 1) return Inexact("its rule has several BYMONTH values");
      if (byMonth.size() == 1 && byMonth[0] != startMonth) {
        return Inexact("its BYMONTH is not the month of DTSTART");
      }
      if (byDay.empty()) {
        if (!bySetPos.empty()) return Inexact("its rule has BYSETPOS without BYDAY");
        if (!byMonthDay.empty() && byMonth.empty()) {
          return Inexact("its BYMONTHDAY without BYMONTH repeats every month");
        }
        if (byMonthDay.size() > 1 || (byMonthDay.size() == 1 && byMonthDay[0] != startDay)) {
          return Inexact("its BYMONTHDAY is not the day of DTSTART");
        }
        return Exact(kYearlyByDate, 1, 0, startDay, 0);
      }
      if (byMonth.empty()) return Inexact("its yearly BYDAY counts through the whole year");
      if (!byMonthDay.empty()) return Inexact("its rule has both BYDAY and BYMONTHDAY");
      if (const auto position = PositionOf(byDay, bySetPos, reason)) {
        return Exact(kYearlyByPosition, 1, position->instance, 0, position->days);
      }
      return Inexact(reason);

    default:
      return Inexact(std::string("its rule repeats FREQ=") + icalrecur_freq_to_string(rule.freq));
  }
}

EventMapping MapEvent(const EventRecord& event, icaltimezone* display,
                      const std::string& displayName, ZoneChanges& changes) {
  const std::string setReason = RecurrenceSetReason(event);
  icalproperty* rrule = icalcomponent_get_first_property(event.component, ICAL_RRULE_PROPERTY);
  if (rrule == nullptr && setReason.empty()) return EventMapping{};
  if (!setReason.empty()) return Expanded(setReason);

  const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
  const icaltimetype& own = event.start;
  const local_days ownDay = floor<days>(WrittenTime(own));
  const RuleVerdict verdict = ClassifyRule(rule, year_month_day{ownDay});
  if (!verdict.exact) return Expanded(verdict.reason);

  const local_seconds start = ToDisplay(event.start, display);
  const local_seconds end = ToDisplay(event.end, display);
  const std::string dayFit = DayFitReason(event, start, end);
  if (!dayFit.empty()) return Expanded(dayFit);
  if (floor<days>(start) != ownDay) {
    return Expanded("on the " + displayName + " clock it falls on another date than in its zone");
  }

  const RuleLife life = LifeOf(rule, event.start);
  if (!life.firstIsStart) return Expanded("its DTSTART is not one of the dates its rule gives");
  if (!life.counted) {
    return Expanded("its rule runs past " + std::to_string(kMostCountedOccurrences) +
                    " occurrences");
  }
  if (!IsFloating(event.start)) {
    const sys_seconds first = InstantOf(event.start);
    const sys_seconds last =
        life.last ? InstantOf(*life.last) + (InstantOf(event.end) - first) : kForever;
    const std::string zone =
        ZoneReason(event, display, displayName, changes, first, last, start, end);
    if (!zone.empty()) return Expanded(zone);
  }

  EventMapping mapping;
  mapping.kind = EventMapping::kRecurring;
  mapping.shape = verdict.shape;
  mapping.patternStart = start;
  mapping.patternEnd = end;
  if (life.last) {
    // The last occurrence's date, with the end's time of day.
    mapping.ends = 1;
    mapping.patternEnd = floor<days>(ToDisplay(*life.last, display)) + TimeOfDay(end);
  }
  return mapping;
}

}  // namespace dayweave::agent
