#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The command's CSV and iCalendar read back by real parsers (Python's csv module and the
icalendar package) and compared with its JSON for the same days.

Usage: check_formats.py PATH-TO-cyklometrika
"""
import csv
import datetime
import io
import json
import os
import subprocess
import sys
import tempfile

import icalendar

EXE = sys.argv[1]
FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)


def run(*arguments):
    done = subprocess.run([EXE, *arguments], capture_output=True, check=False, timeout=60)
    check(done.returncode == 0, f"{arguments}: exit {done.returncode}: {done.stderr!r}")
    return done.stdout, done.stderr.decode("utf-8")


def as_json(*arguments):
    return json.loads(run(*arguments, "--format", "json")[0].decode("utf-8"))


def rows_of_csv(*arguments, excel=False):
    raw = run(*arguments, *(["--excel"] if excel else ["--format", "csv"]))[0]
    check(raw.endswith(b"\r\n"), f"{arguments}: CSV ends in CRLF")
    check(raw.startswith(b"\xef\xbb\xbf") == excel, f"{arguments}: byte order mark")
    rows = list(csv.DictReader(io.StringIO(raw.decode("utf-8-sig"), newline=""),
                               delimiter=";" if excel else ","))
    # Line breaks within the texts are bare; every record ends in CRLF.
    check(raw.count(b"\r\n") == len(rows) + 1, f"{arguments}: CSV records end in CRLF")
    return rows


FIELDS = ["date", "physical", "emotional", "intellectual", "codes", "messages", "critical_cycles"]
CZECH = ["datum", "fyzická", "citová", "intelekt", "kódy", "hlášení", "kritické cykly"]


def check_day_row(row, day, fields=FIELDS):
    date, p, e, i, codes, messages, cycles = fields
    for field, cycle in zip((p, e, i), ("physical", "emotional", "intellectual")):
        check(int(row[field]) == day[cycle], f"{row[date]} {cycle}")
    check([int(c) for c in row[codes].split()] == day["codes"], f"{row[date]} codes")
    check(row[messages].split("\n") == [m["text"] for m in day["messages"]] or
          (row[messages] == "" and not day["messages"]), f"{row[date]} messages")
    check(int(row[cycles]) == sum(1 for c in day["codes"] if c <= 6) == day["critical_cycles"],
          f"{row[date]} critical cycles")


def check_csv():
    birth = "10.1.1996"
    month = as_json("month", birth, "1996-02")
    rows = rows_of_csv("month", birth, "1996-02")
    check(len(rows) == 29, "February 1996 has 29 rows")
    for row, day in zip(rows, month["days"]):
        check(list(row) == FIELDS, "month header")
        check(row["date"] == day["date"], f"month date {row['date']}")
        check_day_row(row, day)

    span = ("critical", birth, "1.1.2026", "31.12.2030")
    critical = as_json(*span)
    rows = rows_of_csv(*span)
    check(len(rows) == len(critical["days"]) > 100, "one CSV row per critical day")
    for row, day in zip(rows, critical["days"]):
        check(row["date"] == day["date"], f"critical date {row['date']}")
        check_day_row(row, day)

    # For a spreadsheet set to Czech: semicolons, a byte order mark, Czech headings, dates
    # as it reads them.
    excel = rows_of_csv(*span, excel=True)
    check(len(excel) == len(rows) and list(excel[0]) == CZECH, "Czech CSV header")
    for row, day in zip(excel, critical["days"]):
        check(datetime.datetime.strptime(row["datum"], "%d.%m.%Y").date().isoformat()
              == day["date"], f"Czech date {row['datum']}")
        check_day_row(row, day, CZECH)

    named = rows_of_csv(*span, "--name", "Jana; Nováková")
    check(list(named[0]) == FIELDS + ["name"] and named[0]["name"] == "Jana; Nováková",
          "the name as the last field")

    # The texts of the day's messages hold commas and quotes' neighbours; they must survive.
    day = as_json("day", birth, "10.1.1996")
    rows = rows_of_csv("day", birth, "10.1.1996")
    check(len(rows) == 1, "one day row")
    check(rows[0]["critical_cycles"] == "3", "the birth day is triply critical")
    check(rows[0]["messages"].split("\n") == [m["text"] for m in day["messages"]],
          "day messages through CSV")
    check(rows[0]["codes"] == "4 5 6", "codes of the birth day")


def events_of(raw):
    calendar = icalendar.Calendar.from_ical(raw)
    check(str(calendar["VERSION"]) == "2.0", "VERSION 2.0")
    check("PRODID" in calendar, "PRODID")
    return [c for c in calendar.walk() if c.name == "VEVENT"]


def check_raw_lines(raw):
    check(raw.endswith(b"\r\n"), "iCalendar ends with CRLF")
    for line in raw.split(b"\r\n")[:-1]:
        check(len(line) <= 75, f"line of {len(line)} octets")
        check(b"\n" not in line and b"\r" not in line, "bare line break")
        line.decode("utf-8")  # every physical line is whole UTF-8


def check_ics():
    birth = "10.1.1996"
    span = ("critical", birth, "2026-01-01", "2027-06-30")
    raw, _ = run(*span, "--format", "ics", "--remind", "12")
    check_raw_lines(raw)
    events = events_of(raw)
    days = as_json(*span)["days"]
    check(len(events) == len(days) > 50, f"{len(events)} events for {len(days)} days")
    uids = set()
    for event, day in zip(events, days):
        start = event.decoded("DTSTART")
        end = event.decoded("DTEND")
        check(type(start) is datetime.date, "all-day DTSTART")
        check(start.isoformat() == day["date"], f"event on {start}")
        check(end == start + datetime.timedelta(days=1), f"DTEND of {start}")
        check("DTSTAMP" in event, "DTSTAMP")
        uid = str(event["UID"])
        check(uid == f"{start:%Y%m%d}-b19960110@cyklometrika", f"UID {uid}")
        uids.add(uid)
        summary = str(event["SUMMARY"])
        check(summary and summary[0].isupper(), f"summary {summary!r}")
        critical = sum(1 for c in day["codes"] if c <= 6)
        if critical == 2:
            check(summary.startswith("Dvojitě kritický den: "), summary)
        description = str(event["DESCRIPTION"]).split("\n")
        check(len(description) == len(day["codes"]), f"one text per code on {start}")
        alarms = [c for c in event.subcomponents if c.name == "VALARM"]
        check(len(alarms) == 1, "one alarm")
        check(alarms[0].decoded("TRIGGER") == -datetime.timedelta(hours=12), "alarm 12 h before")
        check(str(alarms[0]["ACTION"]) == "DISPLAY", "alarm action")
    check(len(uids) == len(events), "UIDs are unique")

    # A second export of an overlapping span gives the same UIDs for the same days.
    again = events_of(run("kriticke", birth, "2026-06-01", "2026-07-31", "-f", "ics")[0])
    check(again and all(str(e["UID"]) in uids for e in again), "UIDs stay the same")
    check(all("VALARM" not in [c.name for c in e.subcomponents] for e in again),
          "no alarm unless asked")


def check_day_without_civil_date():
    # 29 February 1900 is a day of the calculation only; it never reaches the calendar.
    span = ("critical", "1.1.1900", "1.2.1900", "31.3.1900")
    days = [d["date"] for d in as_json(*span)["days"]]
    raw, err = run(*span, "--format", "ics")
    events = events_of(raw)
    expected = [d for d in days if d != "1900-02-29"]
    check([e.decoded("DTSTART").isoformat() for e in events] == expected, "1900 events")
    check(("1900-02-29" in days) == ("29.2.1900" in err), "29.2.1900 reported when left out")


def check_people_options():
    birth = "10.1.1996"
    span = ("critical", birth, "2027")
    plain = events_of(run(*span, "-f", "ics")[0])
    named = events_of(run(*span, "-f", "ics", "--name", "Jana", "--only-critical",
                          "--remind", "7:00")[0])
    check(all(str(e["SUMMARY"]).startswith("Jana: ") for e in named), "summaries carry the name")
    check(not {str(e["UID"]) for e in named} & {str(e["UID"]) for e in plain},
          "a named calendar never shares a UID")
    check(0 < len(named) < len(plain), "only the critical days")
    for event in named:
        check(event.decoded("DTSTART").year == 2027, "the year 2027")
        check("Kritický den" in str(event["SUMMARY"]) or "kritický den" in str(event["SUMMARY"]),
              f"critical: {event['SUMMARY']}")
        alarm = [c for c in event.subcomponents if c.name == "VALARM"][0]
        check(alarm.decoded("TRIGGER") == datetime.timedelta(hours=7), "an alarm at 7:00")
    merged = events_of(run(*span, "-f", "ics", "--merge")[0])
    covered = sum((e.decoded("DTEND") - e.decoded("DTSTART")).days for e in merged)
    check(covered == len(plain) and len(merged) < len(plain), "merged events cover every day")

    # The last day a calendar program takes: its event would end in the year 10000.
    raw, err = run("critical", "1.1.9900", "1.1.9999", "31.12.9999", "-f", "ics")
    check(b"METHOD" not in raw, "no METHOD without what it asks for")
    events = events_of(raw)
    check(all(e.decoded("DTEND").year <= 9999 for e in events), "no event ends after 9999")
    days = [d["date"] for d in as_json("critical", "1.1.9900", "1.1.9999", "31.12.9999")["days"]]
    check(("9999-12-31" in days) == ("31.12.9999" in err), "31.12.9999 reported when left out")


def check_family_ics():
    # A family of four in a people file of its own; their shared days of a year.
    saved = os.environ.get("XDG_CONFIG_HOME")
    with tempfile.TemporaryDirectory() as config:
        os.environ["XDG_CONFIG_HOME"] = config
        for name, birth in (("Jana", "10.1.1996"), ("Petr", "5.3.1990"), ("Tomáš", "7.7.1988"),
                            ("Eva", "24.12.2019")):
            run("people", "add", name, birth)
        days = as_json("together", "--all", "2027")["days"]
        raw, _ = run("spolecne", "--all", "2027", "-f", "ics", "--remind", "7:00")
        check_raw_lines(raw)
        events = events_of(raw)
        verdicts = [(day["date"], shared) for day in days for shared in day["shared"]]
        check(len(events) == len(verdicts) > 10, f"{len(events)} events, {len(verdicts)} shared")
        for event, (date, shared) in zip(events, verdicts):
            check(event.decoded("DTSTART").isoformat() == date, f"event on {date}")
            line = shared["verdict"] + " (" + ", ".join(shared["people"]) + ")"
            check(str(event["SUMMARY"]) == "Společný den: " + line, str(event["SUMMARY"]))
            check(str(event["DESCRIPTION"]).startswith(line + ": "), f"{date}: the text")
            alarm = [c for c in event.subcomponents if c.name == "VALARM"][0]
            check(alarm.decoded("TRIGGER") == datetime.timedelta(hours=7), "an alarm at 7:00")
        uids = [str(e["UID"]) for e in events]
        check(len(set(uids)) == len(uids), "shared UIDs are unique")
        own = events_of(run("critical", "--all", "2027", "-f", "ics")[0])
        check(not set(uids) & {str(e["UID"]) for e in own}, "never a UID of one person's day")
        again = events_of(run("together", "Eva,Tomáš,Petr,Jana", "2027", "-f", "ics")[0])
        check([str(e["UID"]) for e in again] == uids, "the same UIDs in any order of people")
        rows = rows_of_csv("together", "--all", "2027")
        check(len(rows) == sum(len(d["shared"]) for d in days), "one CSV row per shared verdict")
        czech = rows_of_csv("together", "--all", "2027", excel=True)
        check({(r["cyklus"], r["druh"]) for r in czech} <= {(c, k) for c in ("fyzická", "citová",
              "intelekt") for k in ("kritický", "vrchol", "útlum")}, "Czech words under Czech heads")
        calendar = icalendar.Calendar.from_ical(raw)
        check(str(calendar["X-WR-CALNAME"]) == "Cyklometrika společné dny: Jana, Petr a 2 další"
              and str(calendar["X-WR-CALDESC"]) == "Jana, Petr, Tomáš, Eva", "a short name")
    if saved is None:
        del os.environ["XDG_CONFIG_HOME"]
    else:
        os.environ["XDG_CONFIG_HOME"] = saved


def check_uids_of_names():
    # Names that an escape of bytes alone would run together ("A B" and "A20B"), through
    # the real writer: one UID per event across all of them, and a name of letters and
    # digits keeps the UID calendars already hold.
    names = ["A B", "A20B", "A_20B", "a b", "A  B", "A\u00a0B", "A-B", "A2DB", "Jiří", "Jiri",
             "Ji_C5_99_C3_AD", "J", "Jana", "Jana Nováková", "Jana_Nov"]
    uids = []
    for name in names:
        events = events_of(run("critical", "10.1.1996", "2027", "--only-critical", "-f", "ics",
                               "--name", name)[0])
        check(len(events) > 10, f"events of {name!r}")
        uids += [str(e["UID"]) for e in events]
        if name.isascii() and name.isalnum():
            check(all(u.endswith(f"-b19960110-{name}@cyklometrika") for u in uids[-len(events):]),
                  f"the UID of {name!r} as it was")
    check(len(set(uids)) == len(uids), f"{len(set(uids))} distinct UIDs of {len(uids)}")


def check_feed():
    # The feed of a people file read by the parser: refreshed daily, the events of the
    # critical command for the same names and days, each with its SEQUENCE.
    with tempfile.TemporaryDirectory() as config:
        os.makedirs(os.path.join(config, "cyklometrika"))
        with open(os.path.join(config, "cyklometrika", "lide"), "w", encoding="utf-8") as f:
            f.write("Jana = 10.1.1996\nPetr Novák = 3.5.1970\n")
        os.environ["XDG_CONFIG_HOME"] = config
        raw, _ = run("kalendar", "--den", "1.6.2026")
        critical = events_of(run("critical", "Jana,Petr Novák", "25.5.2026", "6.7.2027",
                                 "-f", "ics")[0])
        del os.environ["XDG_CONFIG_HOME"]
    check_raw_lines(raw)
    calendar = icalendar.Calendar.from_ical(raw)
    refresh = calendar["REFRESH-INTERVAL"]
    check(str(refresh) == "P1D" and refresh.params["VALUE"] == "DURATION", "refresh daily")
    check(str(calendar["X-PUBLISHED-TTL"]) == "P1D", "published TTL")
    events = events_of(raw)
    check([str(e["UID"]) for e in events] == [str(e["UID"]) for e in critical],
          "the feed's UIDs are those of critical")
    check(all(int(e["SEQUENCE"]) >= 1 for e in events), "every event has its SEQUENCE")


check_feed()
check_csv()
check_ics()
check_family_ics()
check_uids_of_names()
check_day_without_civil_date()
check_people_options()
for failure in FAILURES[:20]:
    print("FAIL:", failure)
print(f"{len(FAILURES)} failures")
sys.exit(1 if FAILURES else 0)
