#!/usr/bin/env python3
"""Checks `dayweave meet` and `dayweave freebusy` against an independent computation.

Writes three calendars (New York, Berlin, Tokyo) of one-off and recurring events, works out
every qualifying start of a week-and-a-half that holds both zones' autumn clock changes with
Python's zoneinfo, minute by minute, and compares the program's answers with it.

Usage: meet_zoneinfo_check.py PATH/TO/dayweave
"""
import json
import random
import subprocess
import sys
import tempfile
from datetime import date, datetime, time, timedelta, timezone
from pathlib import Path
from zoneinfo import ZoneInfo

UTC = timezone.utc
FROM = datetime(2024, 10, 25, tzinfo=UTC)  # Berlin changes on 27 October, New York on 3 November
TO = datetime(2024, 11, 5, tzinfo=UTC)
KINDS = {"TENTATIVE": 1, "BUSY": 2, "OOF": 3}  # strength of each busy kind
FBTYPE = {1: "BUSY-TENTATIVE", 2: "BUSY", 3: "BUSY-UNAVAILABLE"}


def stamp(moment):
    return moment.strftime("%Y%m%dT%H%M%S")


class Person:
    """A calendar: its events as written, and the busy stretches they make."""

    def __init__(self, name, zone, hours, rnd, zone_line):
        self.name, self.zone, self.hours = name, ZoneInfo(zone), hours
        self.zone_line = zone_line
        self.lines, self.busy = [], []  # busy: (start, end, strength) in UTC
        event_zones = [zone, zone, "UTC", "America/New_York", "Europe/Berlin", "Asia/Tokyo"]
        for n in range(40):
            self.add(rnd, n, rnd.choice(event_zones))

    def add(self, rnd, n, zone_name):
        zone = ZoneInfo(zone_name)
        day = date(2024, 10, 20) + timedelta(days=rnd.randrange(16))
        start = datetime.combine(day, time(rnd.randrange(6, 22), rnd.choice([0, 15, 30, 45])))
        length = timedelta(minutes=rnd.choice([15, 30, 45, 60, 90, 150]))
        status = rnd.choice(["BUSY"] * 4 + ["TENTATIVE", "OOF", "FREE", "TRANSPARENT",
                                             "CANCELLED"])
        rule = rnd.choice([None, None, "daily", "weekly"])
        lines = [f"UID:{self.name}-{n}@check", f"SUMMARY:event {n}"]
        if zone_name == "UTC":
            lines += [f"DTSTART:{stamp(start)}Z", f"DTEND:{stamp(start + length)}Z"]
        else:
            lines += [f"DTSTART;TZID={zone_name}:{stamp(start)}",
                      f"DTEND;TZID={zone_name}:{stamp(start + length)}"]
        starts = [start]
        if rule == "daily":
            count, every = rnd.randrange(3, 12), rnd.choice([1, 2])
            lines.append(f"RRULE:FREQ=DAILY;INTERVAL={every};COUNT={count}")
            starts = [start + timedelta(days=every * k) for k in range(count)]
        elif rule == "weekly":
            days = sorted({start.weekday(), rnd.randrange(7)})  # DTSTART's day among them
            names = ["MO", "TU", "WE", "TH", "FR", "SA", "SU"]
            until = start + timedelta(days=14)
            lines.append("RRULE:FREQ=WEEKLY;BYDAY=" + ",".join(names[d] for d in days) +
                         f";UNTIL={stamp(until.replace(tzinfo=zone).astimezone(UTC))}Z")
            starts = [start + timedelta(days=k) for k in range(15)
                      if (start + timedelta(days=k)).weekday() in days]
        if len(starts) > 2:
            skipped = starts.pop(rnd.randrange(1, len(starts)))
            prefix = "EXDATE:" if zone_name == "UTC" else f"EXDATE;TZID={zone_name}:"
            lines.append(prefix + stamp(skipped) + ("Z" if zone_name == "UTC" else ""))
        if status == "TRANSPARENT":
            lines.append("TRANSP:TRANSPARENT")
        elif status == "CANCELLED":
            lines.append("STATUS:CANCELLED")
        elif status != "BUSY":
            lines.append(f"X-MICROSOFT-CDO-BUSYSTATUS:{status}")
        self.lines += ["BEGIN:VEVENT"] + lines + ["END:VEVENT"]
        if status in KINDS:
            for local in starts:
                begin = local.replace(tzinfo=zone).astimezone(UTC)
                self.busy.append((begin, begin + length, KINDS[status]))

    def write(self, folder):
        path = Path(folder) / self.name
        head = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//dayweave//check//EN"]
        path.write_text("\r\n".join(head + self.zone_line + self.lines + ["END:VCALENDAR"]) +
                        "\r\n")
        return str(path)

    def in_hours(self, start, end, weekdays):
        local = start.astimezone(self.zone)
        day = local.date()
        if weekdays and day.weekday() >= 5:
            return False
        (h1, m1), (h2, m2) = self.hours
        opens = datetime.combine(day, time(h1, m1), self.zone)
        closes = (datetime.combine(day + timedelta(days=1), time(0, 0), self.zone) if h2 == 24
                  else datetime.combine(day, time(h2, m2), self.zone))
        return opens <= start and end <= closes

    def free(self, start, end, weakest):
        return not any(s < end and start < e for s, e, k in self.busy if k >= weakest)


def expected_slots(required, optional, minutes, step, weekdays, weakest):
    slots, start = [], FROM
    while start < TO:
        end = start + timedelta(minutes=minutes)
        if all(p.in_hours(start, end, weekdays) and p.free(start, end, weakest)
               for p in required):
            names = [p.name for p in optional
                     if p.in_hours(start, end, weekdays) and p.free(start, end, weakest)]
            slots.append((start, end, names))
        start += timedelta(minutes=step)
    return slots


def expected_freebusy(people):
    """Minute by minute, the strongest kind anyone has; merged into periods."""
    periods, minute = [], FROM
    while minute < TO:
        after = minute + timedelta(minutes=1)
        kind = max([k for p in people for s, e, k in p.busy if s < after and minute < e],
                   default=0)
        if kind and periods and periods[-1][1] == minute and periods[-1][2] == kind:
            periods[-1][1] = after
        elif kind:
            periods.append([minute, after, kind])
        minute = after
    return [(s, e, FBTYPE[k]) for s, e, k in periods]


def run(program, *arguments):
    done = subprocess.run([program, *arguments], capture_output=True, text=True)
    if done.returncode not in (0, 1):
        sys.exit(f"dayweave {' '.join(arguments)} failed: {done.stderr}")
    return done.stdout


def main():
    program, rnd = sys.argv[1], random.Random(20241103)
    ana = Person("ana.ics", "America/New_York", ((6, 0), (14, 0)), rnd,
                 ["X-WR-TIMEZONE:America/New_York"])
    bo = Person("bo.ics", "Europe/Berlin", ((9, 0), (20, 0)), rnd, [])
    cy = Person("cy.ics", "Asia/Tokyo", ((0, 0), (7, 0)), rnd,
                ["X-WR-TIMEZONE:Europe/Lisbon"])
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        paths = {p.name: p.write(folder) for p in (ana, bo, cy)}
        # ana's zone from X-WR-TIMEZONE, bo's from --tz, cy's from @ZONE over X-WR-TIMEZONE.
        calendars = [paths["ana.ics"], paths["bo.ics"], paths["cy.ics"] + "@Asia/Tokyo"]
        hours = ["--person-hours", paths["ana.ics"] + "=06:00-14:00", "--hours", "09:00-20:00",
                 "--person-hours", paths["cy.ics"] + "=00:00-07:00"]
        window = [FROM.strftime("%Y-%m-%dT%H:%M"), TO.strftime("%Y-%m-%dT%H:%M")]
        cases = [
            ([ana, bo, cy], [], 60, 1, False, 1),
            ([ana, bo, cy], [], 45, 15, True, 2),
            ([ana, cy], [bo], 30, 5, False, 1),
            ([bo], [ana, cy], 90, 30, True, 2),
        ]
        for required, optional, minutes, step, weekdays, weakest in cases:
            want = expected_slots(required, optional, minutes, step, weekdays, weakest)
            args = ["meet", *window, str(minutes)]
            for p in required:
                args.append(calendars[[ana, bo, cy].index(p)])
            for p in optional:
                args += ["--optional", calendars[[ana, bo, cy].index(p)]]
            args += hours + ["--step", str(step), "--tz", "Europe/Berlin", "--json",
                             "--tentative", "busy" if weakest == 1 else "free"]
            if weekdays:
                args.append("--weekdays")
            got = [(datetime.fromisoformat(s["start"]), datetime.fromisoformat(s["end"]),
                    [Path(n.split("@")[0]).name for n in s["optional_free"]])
                   for s in json.loads(run(program, *args))["slots"]]
            wrong = [a != b for a, b in zip(got, want)].count(True) + abs(len(got) - len(want))
            print(f"meet {[p.name for p in required]} optional {[p.name for p in optional]} "
                  f"{minutes} min every {step}: {len(want)} slots expected, {len(got)} answered, "
                  f"{wrong} differ")
            failures += wrong != 0
        text = run(program, "freebusy", *window, calendars[0], calendars[1], calendars[2],
                   "--tz", "UTC")
        got = []
        for line in text.replace("\r\n ", "").splitlines():
            if line.startswith("FREEBUSY"):
                kind = line.split("FBTYPE=")[1].split(":")[0].split(";")[0]
                s, e = line.split(":", 1)[1].split("/")
                parse = lambda t: datetime.strptime(t, "%Y%m%dT%H%M%SZ").replace(tzinfo=UTC)
                got.append((parse(s), parse(e), kind))
        want = expected_freebusy([ana, bo, cy])
        print(f"freebusy: {len(want)} periods expected, {len(got)} written, "
              f"{'the same' if got == want else 'different'}")
        failures += got != want
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
