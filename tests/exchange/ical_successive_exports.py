#!/usr/bin/env python3
"""Checks two successive iCalendar exports with independent readers:

- recurring-ical-events expands both; on the days both periods cover they
  must give the same occurrences (date, summary, UID);
- khal imports the earlier export, then the later one over it (events with
  the same UID are replaced); every occurrence khal listed for the earlier
  period after the first import must still be listed after the second.

usage: ical_successive_exports.py EARLIER.ics FROM TO LATER.ics FROM TO WORKDIR
Exits 77 when a reader is not installed, 1 with the differences when a
check fails."""
import datetime
import os
import shutil
import subprocess
import sys

try:
    import icalendar
    import recurring_ical_events
except ImportError as e:
    print("not installed: %s" % e.name)
    sys.exit(77)

# khal expands a rule up to 2037 only.
KHAL_LAST = datetime.date(2037, 12, 31)


def day(text):
    return datetime.date.fromisoformat(text)


def as_date(value):
    return value.date() if isinstance(value, datetime.datetime) else value


def expanded(path, first, last):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    lines = set()
    for e in recurring_ical_events.of(calendar).between(first, last + datetime.timedelta(days=1)):
        d = as_date(e.decoded("DTSTART"))
        if first <= d <= last:
            lines.add("%s\t%s\t%s" % (d.isoformat(), e.get("SUMMARY", ""), e.get("UID")))
    return lines


def khal(workdir, *args):
    config = os.path.join(workdir, "khal.conf")
    result = subprocess.run(["khal", "-c", config] + list(args), capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("khal %s failed: %s" % (" ".join(args), result.stderr))
    return result.stdout


def khal_listed(workdir, first, last):
    out = khal(workdir, "list", "--format", "{start-date}\t{title}\t{uid}", "--day-format", "",
               first.isoformat(), last.isoformat())
    return {line for line in out.splitlines() if line.strip()}


def differences(what, missing):
    return ["%s: %s" % (what, line) for line in sorted(missing)[:20]]


def main():
    earlier, e_from, e_to, later, l_from, l_to, workdir = sys.argv[1:8]
    e_from, e_to, l_from, l_to = day(e_from), day(e_to), day(l_from), day(l_to)
    problems = []

    both_from, both_to = max(e_from, l_from), min(e_to, l_to)
    a = expanded(earlier, both_from, both_to)
    b = expanded(later, both_from, both_to)
    if not a:
        problems.append("recurring-ical-events found nothing from %s to %s" % (both_from, both_to))
    problems += differences("only in the earlier export", a - b)
    problems += differences("only in the later export", b - a)

    if shutil.which("khal") is None:
        print("khal is not installed")
        sys.exit(77)
    os.makedirs(os.path.join(workdir, "calendar"), exist_ok=True)
    with open(os.path.join(workdir, "khal.conf"), "w") as f:
        f.write("[calendars]\n[[orv]]\npath = %s\ntype = calendar\n"
                "[sqlite]\npath = %s\n"
                "[locale]\ntimeformat = %%H:%%M\ndateformat = %%Y-%%m-%%d\nlongdateformat = %%Y-%%m-%%d\n"
                "datetimeformat = %%Y-%%m-%%d %%H:%%M\nlongdatetimeformat = %%Y-%%m-%%d %%H:%%M\n"
                "default_timezone = UTC\nlocal_timezone = UTC\n"
                "[default]\ndefault_calendar = orv\n"
                % (os.path.join(workdir, "calendar"), os.path.join(workdir, "khal.db")))
    k_to = min(e_to, KHAL_LAST)
    khal(workdir, "import", "--batch", earlier)
    first = khal_listed(workdir, e_from, k_to)
    want = expanded(earlier, e_from, k_to)
    problems += differences("khal misses after the first import", want - first)
    problems += differences("khal adds after the first import", first - want)
    khal(workdir, "import", "--batch", later)
    second = khal_listed(workdir, e_from, k_to)
    problems += differences("gone after the later export was imported", first - second)

    if problems:
        print("\n".join(problems))
        sys.exit(1)
    print("%d occurrences in both periods agree; khal keeps all %d of the earlier export"
          % (len(a), len(first)))


if __name__ == "__main__":
    main()
