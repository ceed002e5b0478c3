#!/usr/bin/python3
"""Reads a calendar file the way calendar programs do (tests call it).

  ics_check.py parse FILE               parse it; print the number of events
  ics_check.py expand FILE FROM TO      print every occurrence between two dates
                                        (yyyy-mm-dd) as "UID|start|end|end", local times
                                        "dd.mm.yyyy HH:MM" in the event's own zone, the
                                        first end placed as the standard places it, the
                                        second as recurring-ical-events does
  ics_check.py summary FILE             print each event's SUMMARY and its attendees' CN
                                        as "summary|cn,cn"
  ics_check.py zone FILE ZONE FROM TO   compare the file's VTIMEZONE with the system's
                                        zone data hour by hour over the years FROM..TO;
                                        print the number of hours that differ
Exits non-zero when the file cannot be read.
"""
import datetime
import re
import sys
import zoneinfo

import icalendar
import recurring_ical_events


def load(path):
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"\xef\xbb\xbf"):
        raise SystemExit("byte-order mark before BEGIN:VCALENDAR")
    return icalendar.Calendar.from_ical(data)


def text(moment):
    return moment.strftime("%d.%m.%Y %H:%M")


def parse(path):
    calendar = load(path)
    events = calendar.walk("VEVENT")
    for event in events:
        event.decoded("DTSTART")
        if "DURATION" not in event:
            event.decoded("DTEND")
        event.decoded("DTSTAMP")
    print(len(events))


def localized(zone, wall):
    return zone.localize(wall) if hasattr(zone, "localize") else wall.replace(tzinfo=zone)


def on_wall_clock(moment, zone):
    return zone.normalize(moment) if hasattr(zone, "normalize") else moment.astimezone(zone)


def finish_of(event, start):
    """The end of an occurrence as the standard has it: a DTEND keeps the first occurrence's
    elapsed time; a DURATION counts its weeks and days on the wall clock and the rest as
    elapsed time.  Shown on the wall clock of the start's zone."""
    duration = event.get("DURATION")
    if duration is None:
        finish = event.decoded("DTEND")
    else:
        parts = re.fullmatch(r"P(?:(\d+)W)?(?:(\d+)D)?(?:T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+)S)?)?",
                             duration.to_ical().decode())
        weeks, days, hours, minutes, seconds = (int(p or 0) for p in parts.groups())
        wall = start.replace(tzinfo=None) + datetime.timedelta(weeks=weeks, days=days)
        finish = localized(start.tzinfo, wall) + datetime.timedelta(
            hours=hours, minutes=minutes, seconds=seconds)
    return on_wall_clock(finish, start.tzinfo)


def expand(path, first, last):
    calendar = load(path)
    begin = datetime.date.fromisoformat(first)
    end = datetime.date.fromisoformat(last)
    occurrences = []
    for event in recurring_ical_events.of(calendar).between(begin, end):
        start = event.decoded("DTSTART")
        zone = start.tzinfo
        occurrences.append((str(event["UID"]), start.replace(tzinfo=None),
                            text(on_wall_clock(start, zone)), text(finish_of(event, start)),
                            text(on_wall_clock(event.decoded("DTEND"), zone))))
    for uid, _, start, finish, library_finish in sorted(occurrences):
        print("%s|%s|%s|%s" % (uid, start, finish, library_finish))


def summary(path):
    for event in load(path).walk("VEVENT"):
        attendees = event.get("ATTENDEE", [])
        if not isinstance(attendees, list):
            attendees = [attendees]
        names = ",".join(str(a.params.get("CN", "")) for a in attendees)
        print("%s|%s" % (event.decoded("SUMMARY").decode("utf-8"), names))


def zone(path, name, first, last):
    calendar = load(path)
    ours = calendar.walk("VTIMEZONE")[0].to_tz()
    system = zoneinfo.ZoneInfo(name)
    moment = datetime.datetime(int(first), 1, 1, tzinfo=datetime.timezone.utc)
    end = datetime.datetime(int(last) + 1, 1, 1, tzinfo=datetime.timezone.utc)
    differences = 0
    while moment < end:
        if moment.astimezone(ours).utcoffset() != moment.astimezone(system).utcoffset():
            differences += 1
        moment += datetime.timedelta(hours=1)
    print(differences)


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    {"parse": parse, "expand": expand, "summary": summary, "zone": zone}[command](*arguments)
