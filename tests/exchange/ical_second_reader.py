#!/usr/bin/env python3
"""Reads an iCalendar file with Python's icalendar package and prints every
day an event falls on from FROM to TO as "YYYY-MM-DD<TAB>SUMMARY", expanding
RRULE with dateutil and adding RDATE.

usage: ical_second_reader.py FILE FROM TO"""
import datetime
import sys

import icalendar
from dateutil import rrule


def as_date(value):
    return value.date() if isinstance(value, datetime.datetime) else value


def main():
    path, first, last = sys.argv[1], sys.argv[2], sys.argv[3]
    first = datetime.date.fromisoformat(first)
    last = datetime.date.fromisoformat(last)
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    lines = []
    for event in calendar.walk("VEVENT"):
        for required in ("UID", "DTSTAMP", "DTSTART"):
            if required not in event:
                sys.exit("an event without " + required)
        summary = str(event.get("SUMMARY", ""))
        start = as_date(event.decoded("DTSTART"))
        days = {start}
        if "RRULE" in event:
            rule = event["RRULE"].to_ical().decode()
            begin = datetime.datetime.combine(start, datetime.time())
            end = datetime.datetime.combine(last, datetime.time())
            days.update(d.date() for d in rrule.rrulestr(rule, dtstart=begin).between(begin, end, inc=True))
        rdates = event.get("RDATE", [])
        if not isinstance(rdates, list):
            rdates = [rdates]
        for group in rdates:
            days.update(as_date(d.dt) for d in group.dts)
        lines += ["%s\t%s" % (d.isoformat(), summary) for d in days if first <= d <= last]
    for line in sorted(lines):
        print(line)


if __name__ == "__main__":
    main()
