"""Compares the dayweave agent's free and busy minutes with the independent reader's.

    python3 agree.py --agent build/agent/dayweave [--icalendar-tests] FILE...

For each calendar it asks the agent, day by day on the UTC clock, for every free minute
(`slots FILE DAY NEXTDAY 1 --step 1 --hours 00:00-24:00 --tz UTC`) and compares them with
the minutes that the independent reader (independent_reader.py) finds busy. The days asked
are those of the first occurrences of every event. Events whose time RFC 5545 leaves
undefined (a DTSTART off its RRULE, a TZID that names no zone, both DTEND and DURATION...) are
taken out of a copy of the file first, so the comparison covers exactly what the RFC defines.

--icalendar-tests adds the example calendars that python3-icalendar installs with its tests
(BSD-licensed, read where Debian puts them). Exit status 0 when every minute agrees.
"""

import argparse
import datetime as dt
import os
import pathlib
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from independent_reader import CalendarReader  # noqa: E402

# The most days asked of one calendar: spread over its events' first occurrences.
MOST_DAYS = 30
MINUTE = dt.timedelta(minutes=1)
SLOT = re.compile(r"\((\d+)/(\d+)/(\d+)(?: (\d+):(\d+):(\d+) ([AP]M))?\)")


def without_events(text, numbers):
    """The calendar text less the VEVENTs of the given numbers (from 1, in file order)."""
    kept, number, skipping = [], 0, False
    for line in text.splitlines(keepends=True):
        stripped = line.strip().upper()
        if stripped == "BEGIN:VEVENT":
            number += 1
            skipping = number in numbers
        if not skipping:
            kept.append(line)
        if stripped == "END:VEVENT":
            skipping = False
    return "".join(kept)


def agent_free_minutes(agent, path, day, days):
    nxt = day + dt.timedelta(days=days)
    command = [agent, "slots", path, day.strftime("%Y-%m-%d"), nxt.strftime("%Y-%m-%d"), "1",
               "--step", "1", "--hours", "00:00-24:00", "--tz", "UTC"]
    result = subprocess.run(command, capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        raise RuntimeError("%s: %s" % (" ".join(command), result.stderr.strip()))
    free = set()
    for m in SLOT.finditer(result.stdout):
        month, mday, year = int(m.group(1)), int(m.group(2)), int(m.group(3))
        hour, minute = int(m.group(4) or 0), int(m.group(5) or 0)
        if m.group(7) == "PM" and hour != 12:
            hour += 12
        if m.group(7) == "AM" and hour == 12:
            hour = 0
        free.add(dt.datetime(year, month, mday, hour, minute))
    return free


def reader_busy_minutes(reader, day):
    end = day + dt.timedelta(days=1)
    busy = {}
    for start, stop, number in reader.busy(day, end):
        minute = max(day, start.replace(second=0, microsecond=0))
        while minute < min(stop, end):
            busy.setdefault(minute, number)
            minute += MINUTE
    return busy


def runs(minutes):
    """Sorted minutes as HH:MM-HH:MM runs."""
    text, ordered = [], sorted(minutes)
    i = 0
    while i < len(ordered):
        j = i
        while j + 1 < len(ordered) and ordered[j + 1] - ordered[j] == MINUTE:
            j += 1
        text.append("%s-%s" % (ordered[i].strftime("%H:%M"), (ordered[j] + MINUTE).strftime("%H:%M")))
        i = j + 1
    return ", ".join(text)


def spread(days):
    # python3-tz reads no rules past the transitions it lists, which end in 2037.
    days = sorted(d for d in days if 1900 <= d.year <= 2037)
    if len(days) <= MOST_DAYS:
        return days
    step = len(days) / MOST_DAYS
    return [days[int(i * step)] for i in range(MOST_DAYS)]


def stretches(days):
    """The days as (first day, number of days) of consecutive runs, one agent call each."""
    found = []
    for day in days:
        if found and found[-1][0] + dt.timedelta(days=found[-1][1]) == day:
            found[-1] = (found[-1][0], found[-1][1] + 1)
        else:
            found.append((day, 1))
    return found


def compare(agent, path, workdir):
    text = pathlib.Path(path).read_bytes().decode("utf-8", errors="replace")
    try:
        reader = CalendarReader(text)
    except Exception as error:  # a file the reader cannot split into lines is not compared
        return ["%s: not compared: the independent reader cannot read it (%s)" % (path, error)], 0, 0
    notes = ["%s: event %d left out: %s" % (path, n, why) for n, why in sorted(reader.undefined.items())]
    asked = path
    if reader.undefined:
        asked = os.path.join(workdir, os.path.basename(path))
        pathlib.Path(asked).write_text(without_events(text, set(reader.undefined)))
    disagreements = 0
    days = spread(reader.occurrence_days())
    free = set()
    for first, count in stretches(days):
        free |= agent_free_minutes(agent, asked, first, count)
    for day in days:
        busy = reader_busy_minutes(reader, day)
        all_minutes = {day + i * MINUTE for i in range(1440)}
        agent_busy = all_minutes - free
        only_agent = agent_busy - set(busy)
        only_reader = set(busy) - agent_busy
        if only_agent or only_reader:
            disagreements += 1
            line = "%s: %s:" % (path, day.strftime("%Y-%m-%d"))
            if only_reader:
                events = sorted({busy[m] for m in only_reader})
                line += " the agent says free where the reader finds event %s busy: %s;" % (
                    ", ".join(map(str, events)), runs(only_reader))
            if only_agent:
                line += " the agent says busy where the reader finds free: %s" % runs(only_agent)
            notes.append(line)
    return notes, len(days), disagreements


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--agent", required=True)
    parser.add_argument("--icalendar-tests", action="store_true")
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    files = list(args.files)
    if args.icalendar_tests:
        import icalendar
        files += sorted(str(p) for p in (pathlib.Path(icalendar.__file__).parent / "tests").glob("*.ics"))
    total_days = total_bad = 0
    with tempfile.TemporaryDirectory() as workdir:
        for path in files:
            notes, days, bad = compare(args.agent, path, workdir)
            total_days += days
            total_bad += bad
            for note in notes:
                if args.verbose or ": the agent says" in note or "not compared" in note:
                    print(note)
    print("%d files, %d days compared, %d days disagree" % (len(files), total_days, total_bad))
    return 1 if total_bad else 0


if __name__ == "__main__":
    sys.exit(main())
