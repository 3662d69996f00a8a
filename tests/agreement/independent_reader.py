"""An independent reader of iCalendar files: the busy time of each event, by RFC 5545.

It shares nothing with the agent: the text is split into content lines by python3-icalendar's
parser, recurrence rules are expanded by python3-dateutil, IANA zones come from python3-tz and
VTIMEZONE definitions are evaluated here. Everything it answers is in UTC; floating times and
dates are read as UTC, as the agent reads them with --tz UTC.

    reader = CalendarReader(text)
    reader.undefined          # {event number: why RFC 5545 leaves its time undefined}
    reader.busy(start, end)   # [(start, end, event number)] of busy time meeting [start, end)

Events are numbered from 1 in the order of the file. Beside RFC 5545 it keeps the agent's
documented choices where the RFC leaves room: an event is free time when it is TRANSPARENT,
CANCELLED or marked FREE by X-MICROSOFT-CDO-BUSYSTATUS (which wins over the other two); a
TZID that spells an IANA zone behind a prefix, or a Windows zone name, names that zone; and
before the first onset of a VTIMEZONE whose TZID names an IANA zone, the system zone holds.
"""

import bisect
import datetime as dt
import re

import pytz
from dateutil import rrule
from icalendar.parser import Contentlines
from icalendar.windows_to_olson import WINDOWS_TO_OLSON

UTC = dt.timezone.utc
# The most occurrences expanded per event: far beyond any window the comparison asks about.
MOST_OCCURRENCES = 400000
HISTORY_END = dt.datetime(2100, 1, 1)


class Undefined(Exception):
    """RFC 5545 gives the event no defined time."""


class Component:
    def __init__(self, name):
        self.name = name
        self.properties = []  # (name, params, value)
        self.children = []

    def all(self, name):
        return [p for p in self.properties if p[0] == name]

    def first(self, name):
        found = self.all(name)
        return found[0] if found else None


def parse(text):
    root = Component("ROOT")
    stack = [root]
    for line in Contentlines.from_ical(text):
        if not line:
            continue
        try:
            name, params, value = line.parts()
        except ValueError:  # a line that is no content line is passed over, as libical does
            continue
        name = name.upper()
        if name == "BEGIN":
            component = Component(value.upper())
            stack[-1].children.append(component)
            stack.append(component)
        elif name == "END":
            if len(stack) > 1:
                stack.pop()
        else:
            stack[-1].properties.append((name, params, value))
    return root


def walk(component, name):
    for child in component.children:
        if child.name == name:
            yield child
        yield from walk(child, name)


def parse_offset(text):
    m = re.fullmatch(r"([+-])(\d\d)(\d\d)(\d\d)?", text.strip())
    if not m:
        raise Undefined("bad UTC offset " + text)
    seconds = int(m.group(2)) * 3600 + int(m.group(3)) * 60 + int(m.group(4) or 0)
    return dt.timedelta(seconds=-seconds if m.group(1) == "-" else seconds)


def parse_wall(text):
    """A DATE or DATE-TIME as written: (naive datetime, is_date, is_utc)."""
    text = text.strip()
    m = re.fullmatch(r"(\d{4})(\d\d)(\d\d)(?:T(\d\d)(\d\d)(\d\d)(Z?))?", text)
    if not m:
        raise Undefined("unreadable date-time " + text)
    if m.group(4) is None:
        return dt.datetime(int(m.group(1)), int(m.group(2)), int(m.group(3))), True, False
    wall = dt.datetime(*(int(m.group(i)) for i in range(1, 7)))
    return wall, False, m.group(7) == "Z"


def parse_duration(text):
    m = re.fullmatch(r"([+-])?P(?:(\d+)W)?(?:(\d+)D)?(?:T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+)S)?)?",
                     text.strip())
    if not m or text.strip() in ("P", "PT", "+P", "-P"):
        raise Undefined("unreadable duration " + text)
    weeks, days, hours, minutes, seconds = (int(g or 0) for g in m.groups()[1:])
    sign = -1 if m.group(1) == "-" else 1
    nominal = dt.timedelta(weeks=weeks, days=days) * sign
    exact = dt.timedelta(hours=hours, minutes=minutes, seconds=seconds) * sign
    return nominal, exact


class DefinedZone:
    """A VTIMEZONE: its transitions as (onset instant, offset before, offset after)."""

    def __init__(self, component, system):
        self.system = system
        self.transitions = []
        for observance in component.children:
            if observance.name not in ("STANDARD", "DAYLIGHT"):
                continue
            start = observance.first("DTSTART")
            before = parse_offset(observance.first("TZOFFSETFROM")[2])
            after = parse_offset(observance.first("TZOFFSETTO")[2])
            onset, _, _ = parse_wall(start[2])
            onsets = {onset}
            for _, _, value in observance.all("RDATE"):
                for item in value.split(","):
                    onsets.add(parse_wall(item)[0])
            for _, _, value in observance.all("RRULE"):
                rule, until = rule_without_until(value)
                for when in rule_iter(rule, onset):
                    if when >= HISTORY_END or (until and when - before > until[0]):
                        break
                    onsets.add(when)
            for when in onsets:
                self.transitions.append((when - before, before, after))
        if not self.transitions:
            raise Undefined("a VTIMEZONE without observances")
        self.transitions.sort()
        # The first wall-clock time at which each transition matters.
        self.thresholds = [onset + min(before, after) for onset, before, after in self.transitions]

    def utc_of(self, wall):
        """RFC 5545 3.3.5: a repeated time is its first occurrence; a skipped time is read
        with the offset before the gap."""
        index = bisect.bisect_right(self.thresholds, wall) - 1
        if index < 0:
            if self.system is not None:
                return system_utc(self.system, wall)
            raise Undefined("a time before the first onset of a VTIMEZONE that names no IANA zone")
        onset, before, after = self.transitions[index]
        if wall < onset + max(before, after):
            return wall - before
        return wall - after


def system_utc(zone, wall):
    # pytz: is_dst=True reads a repeated time as its first occurrence and a skipped time
    # with the offset before the gap, as RFC 5545 does.
    return zone.localize(wall, is_dst=True).astimezone(UTC).replace(tzinfo=None)


def iana_zone(name):
    name = name.strip().strip('"')
    candidates = [name] if not name.startswith("/") else []
    candidates += [name[i + 1:] for i, c in enumerate(name) if c == "/"]
    for candidate in candidates:
        if candidate in pytz.all_timezones_set:
            return pytz.timezone(candidate)
    return None


def rule_without_until(value):
    """The RRULE text without UNTIL, and UNTIL as (naive wall, is_date, is_utc) or None."""
    parts = [p for p in value.strip().split(";") if p]
    until = None
    kept = []
    for part in parts:
        key, _, val = part.partition("=")
        if key.upper() == "UNTIL":
            until = parse_wall(val)
        else:
            kept.append(part)
    return ";".join(kept), until


def rule_iter(rule, start):
    try:
        return iter(rrule.rrulestr(rule, dtstart=start, cache=False))
    except (ValueError, TypeError) as error:
        raise Undefined("RRULE %s: %s" % (rule, error))


class Event:
    pass


class CalendarReader:
    def __init__(self, text):
        root = parse(text)
        self.zones = {}
        for component in walk(root, "VTIMEZONE"):
            tzid = component.first("TZID")
            if tzid is None:
                continue
            name = tzid[2].strip().strip('"')
            try:
                self.zones[name] = DefinedZone(component, iana_zone(name))
            except Undefined:
                self.zones[name] = None
        self.undefined = {}
        self.events = []
        components = list(walk(root, "VEVENT"))
        for number, component in enumerate(components, start=1):
            try:
                self.events.append(self.read_event(number, component))
            except Undefined as why:
                self.undefined[number] = str(why)
        self.apply_overrides()

    # Times -------------------------------------------------------------------------------

    def zone_of(self, params):
        tzid = params.get("TZID")
        if tzid is None:
            return None
        name = tzid.strip().strip('"')
        if name in self.zones:
            if self.zones[name] is None:
                raise Undefined("TZID %s has an unreadable VTIMEZONE" % name)
            return self.zones[name]
        zone = iana_zone(name)
        if zone is None and name in WINDOWS_TO_OLSON:
            zone = pytz.timezone(WINDOWS_TO_OLSON[name])
        if zone is None:
            raise Undefined("TZID %s names no zone" % name)
        return zone

    def instant(self, wall, is_date, is_utc, zone):
        """The UTC instant (naive) of a time; floating times and dates as written."""
        if is_date or (zone is None and not is_utc):
            return wall
        if is_utc:
            return wall
        if isinstance(zone, DefinedZone):
            return zone.utc_of(wall)
        return system_utc(zone, wall)

    def time_of(self, prop):
        _, params, value = prop
        wall, is_date, is_utc = parse_wall(value)
        if params.get("VALUE", "").upper() == "DATE" and not is_date:
            raise Undefined("VALUE=DATE with a time")
        zone = None if (is_date or is_utc) else self.zone_of(params)
        return wall, is_date, is_utc, zone

    # Events ------------------------------------------------------------------------------

    def read_event(self, number, component):
        event = Event()
        event.number = number
        event.uid = (component.first("UID") or (None, None, ""))[2]
        event.busy = busy_status(component)
        start = component.first("DTSTART")
        if start is None:
            raise Undefined("no DTSTART")
        event.start = self.time_of(start)
        wall, is_date, is_utc, zone = event.start
        event.floating = is_date or (zone is None and not is_utc)
        event.first = self.instant(*event.start)
        end, duration = component.first("DTEND"), component.first("DURATION")
        if end is not None and duration is not None:
            raise Undefined("both DTEND and DURATION")
        event.nominal = event.exact = dt.timedelta(0)
        if end is not None:
            end_time = self.time_of(end)
            if end_time[1] != is_date:
                raise Undefined("DTSTART and DTEND of different value types")
            event.exact = self.instant(*end_time) - event.first
        elif duration is not None:
            event.nominal, event.exact = parse_duration(duration[2])
        elif is_date:
            event.nominal = dt.timedelta(days=1)
        if self.span_end(event, event.start, event.first) < event.first:
            raise Undefined("it ends before it starts")

        rid = component.first("RECURRENCE-ID")
        event.recurrence_id = None
        event.this_and_future = False
        if rid is not None:
            event.recurrence_id = self.instant(*self.time_of(rid))
            event.this_and_future = rid[1].get("RANGE", "").upper() == "THISANDFUTURE"
        event.occurrences = self.expand(event, component) if rid is None else [
            (event.first, self.span_end(event, event.start, event.first))]
        return event

    def span_end(self, event, start, instant):
        """The end of an occurrence that starts at the wall time `start` (its DTSTART
        value) and the instant `instant`: nominal days on the wall clock, then exact time."""
        wall, is_date, is_utc, zone = start
        if event.nominal:
            instant = self.instant(wall + event.nominal, is_date, is_utc, zone)
        return instant + event.exact

    def expand(self, event, component):
        wall, is_date, is_utc, zone = event.start
        starts = {}  # instant -> (start value, end instant)

        def add(value, end=None):
            instant = self.instant(*value)
            starts[instant] = (value, end if end is not None else self.span_end(event, value, instant))

        rules = component.all("RRULE")
        if len(rules) > 1:
            raise Undefined("more than one RRULE")
        if component.all("EXRULE"):
            raise Undefined("EXRULE (deprecated)")
        add(event.start)
        if rules:
            rule, until = rule_without_until(rules[0][2])
            generated = rule_iter(rule, wall)
            first = next(generated, None)
            if first != wall:
                raise Undefined("DTSTART is not synchronized with its RRULE")
            count = 0
            for when in generated:
                count += 1
                if count > MOST_OCCURRENCES or when >= HISTORY_END:
                    break
                value = (when, is_date, is_utc, zone)
                if until is not None:
                    u_wall, u_is_date, u_is_utc = until
                    if is_date or event.floating:
                        if when > u_wall:
                            break
                    elif self.instant(*value) > (u_wall if u_is_utc else self.instant(u_wall, u_is_date, False, zone)):
                        break
                add(value)
        for prop in component.all("RDATE"):
            _, params, value = prop
            rzone = self.zone_of(params)
            for item in value.split(","):
                if "/" in item:
                    first_text, second = item.split("/", 1)
                    p_wall, p_date, p_utc = parse_wall(first_text)
                    p_value = (p_wall, p_date, p_utc, None if p_utc else rzone)
                    p_start = self.instant(*p_value)
                    if second.strip().upper().lstrip("+-").startswith("P"):
                        nominal, exact = parse_duration(second)
                        p_end = self.instant(p_wall + nominal, p_date, p_utc, p_value[3]) + exact
                    else:
                        e_wall, e_date, e_utc = parse_wall(second)
                        p_end = self.instant(e_wall, e_date, e_utc, None if e_utc else rzone)
                    if p_end < p_start:
                        raise Undefined("an RDATE period that ends before it starts")
                    add(p_value, p_end)
                else:
                    r_wall, r_date, r_utc = parse_wall(item)
                    add((r_wall, r_date, r_utc, None if r_utc else rzone))
        for prop in component.all("EXDATE"):
            _, params, value = prop
            xzone = None if "TZID" not in params else self.zone_of(params)
            for item in value.split(","):
                x_wall, x_date, x_utc = parse_wall(item)
                if x_date != is_date:
                    raise Undefined("an EXDATE of another value type than DTSTART")
                if event.floating != (not x_utc and xzone is None) and not x_date:
                    raise Undefined("an EXDATE that is floating where DTSTART is not, or not "
                                    "where it is")
                starts.pop(self.instant(x_wall, x_date, x_utc, xzone), None)
        return sorted((instant, end) for instant, (_, end) in starts.items())

    def apply_overrides(self):
        """An override replaces the occurrence that its RECURRENCE-ID names; one with
        RANGE=THISANDFUTURE also moves every later occurrence that has no override of its
        own by the same shift, and gives it the same length (RFC 5545 3.8.4.4)."""
        masters = {e.uid: e for e in self.events if e.recurrence_id is None}
        ranges = {}
        for override in self.events:
            if override.recurrence_id is None or override.uid not in masters:
                continue
            master = masters[override.uid]
            master.occurrences = [o for o in master.occurrences if o[0] != override.recurrence_id]
            if override.this_and_future:
                start, end = override.occurrences[0]
                ranges.setdefault(override.uid, []).append(
                    (override.recurrence_id, start - override.recurrence_id, end - start))
        for uid, moves in ranges.items():
            moves.sort()
            moved = []
            for start, end in masters[uid].occurrences:
                applicable = [m for m in moves if m[0] <= start]
                if applicable:
                    _, shift, length = applicable[-1]
                    start, end = start + shift, start + shift + length
                moved.append((start, end))
            masters[uid].occurrences = sorted(moved)

    # Questions ---------------------------------------------------------------------------

    def busy(self, start, end):
        found = []
        for event in self.events:
            if not event.busy:
                continue
            for s, e in event.occurrences:
                if s >= end:
                    break
                if e > s and e > start:
                    found.append((s, e, event.number))
        return found

    def occurrence_days(self):
        """The days worth comparing: those of each event's first three occurrences, of a few
        spread over the rest of its series and of its last, and of the occurrences that follow
        each override of it."""
        overrides = {}
        for event in self.events:
            if event.recurrence_id is not None:
                overrides.setdefault(event.uid, []).append(event.recurrence_id)
        days = set()
        for event in self.events:
            occurrences = event.occurrences
            n = len(occurrences)
            picked = {0, 1, 2, n // 4, n // 2, 3 * n // 4, n - 1}
            if event.recurrence_id is None:
                for rid in overrides.get(event.uid, []):
                    at = bisect.bisect_left(occurrences, (rid,))
                    picked |= {at, at + 1, at + 2}
            for index in sorted(i for i in picked if 0 <= i < n):
                s, e = occurrences[index]
                day = dt.datetime(s.year, s.month, s.day)
                while day < max(e, s + dt.timedelta(seconds=1)) and day - s <= dt.timedelta(days=3):
                    days.add(day)
                    day += dt.timedelta(days=1)
        return days


def busy_status(component):
    for name, _, value in component.properties:
        if name == "X-MICROSOFT-CDO-BUSYSTATUS":
            return value.strip().upper() != "FREE"
    status = component.first("STATUS")
    if status and status[2].strip().upper() == "CANCELLED":
        return False
    transp = component.first("TRANSP")
    if transp and transp[2].strip().upper() == "TRANSPARENT":
        return False
    return True
