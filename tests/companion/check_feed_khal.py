#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The feed that kalendar writes, imported by khal into a calendar of its own and listed
back: every critical day of the people, with its summary, in a calendar program.

Usage: check_feed_khal.py PATH-TO-cyklometrika
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

if shutil.which("khal") is None:
    print("SKIP: needs khal")
    sys.exit(77)

EXE = sys.argv[1]
PEOPLE = "Babička = 8.4.1968\nJana = 10.1.1996\nPetr = 3.5.1970\n"
KHAL_CONFIG = """[calendars]
[[feed]]
path = {folder}
type = calendar
[[shared]]
path = {shared}
type = calendar
[locale]
dateformat = %d.%m.%Y
longdateformat = %d.%m.%Y
datetimeformat = %d.%m.%Y %H:%M
longdatetimeformat = %d.%m.%Y %H:%M
local_timezone = Europe/Prague
default_timezone = Europe/Prague
"""


def run(arguments, env):
    done = subprocess.run(arguments, env=env, capture_output=True, text=True, timeout=120,
                          check=False)
    if done.returncode != 0:
        sys.exit(f"FAIL: {arguments[:2]}: exit {done.returncode}: {done.stderr}")
    return done.stdout


def uids(calendar):
    with open(calendar, encoding="utf-8") as f:
        return {line[4:].strip() for line in f if line.startswith("UID:")}


def grown_family(home, env):
    """The shared days of the family, then with one more (born 28 days after Jana, so sharing
    her emotional days), imported into one calendar: the unchanged events are not doubled."""
    before, after = os.path.join(home, "before.ics"), os.path.join(home, "after.ics")
    run([EXE, "spolecne", "--all", "2027", "-f", "ics", "-o", before], env)
    run([EXE, "lide", "pridat", "Vnuk", "7.2.1996"], env)
    run([EXE, "spolecne", "--all", "2027", "-f", "ics", "-o", after], env)
    for calendar in (before, after):
        run(["khal", "import", "--batch", "-a", "shared", calendar], env)
    listed = run(["khal", "list", "-a", "shared", "--day-format", "", "--format",
                  "{start-date}|{title}", "1.1.2027", "31.12.2027"], env).splitlines()
    old, new = uids(before), uids(after)
    if len(listed) == len(set(listed)) == len(old | new) and old & new and new - old:
        return []
    return [f"{len(listed)} shared events listed: {len(old)} UIDs before, {len(new)} after, "
            f"{len(old & new)} in both"]


def main():
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"))
        os.makedirs(os.path.join(home, "config", "cyklometrika"))
        os.makedirs(os.path.join(home, "config", "khal"))
        os.makedirs(os.path.join(home, "calendar"))
        os.makedirs(os.path.join(home, "shared"))
        with open(os.path.join(home, "config", "cyklometrika", "lide"), "w",
                  encoding="utf-8") as f:
            f.write(PEOPLE)
        with open(os.path.join(home, "config", "khal", "config"), "w", encoding="utf-8") as f:
            f.write(KHAL_CONFIG.format(folder=os.path.join(home, "calendar"),
                                       shared=os.path.join(home, "shared")))
        # From 1.6.2026 the feed spans 25.5.2026 to 6.7.2027, the critical days of which
        # critical lists; on 15.6.2026 Babička has a triple critical day.
        feed = os.path.join(home, "rodina.ics")
        run([EXE, "kalendar", "--den", "1.6.2026", "-o", feed], env)
        expected = sum(len(person["days"]) for person in json.loads(run(
            [EXE, "critical", "Babička,Jana,Petr", "25.5.2026", "6.7.2027", "-f", "json"], env)))
        run(["khal", "import", "--batch", "-a", "feed", feed], env)
        listed = run(["khal", "list", "-a", "feed", "--day-format", "", "--format",
                      "{start-date}|{title}", "1.1.2026", "31.12.2027"], env).splitlines()

        shared = grown_family(home, env)

    failures = shared
    if len(listed) != expected:
        failures.append(f"khal lists {len(listed)} events, critical gives {expected} days")
    triple = ("15.06.2026|Babička: Trojitě kritický den: fyzická kondice, citová vnímavost, "
              "síla intelektu")
    if triple not in listed:
        failures.append(f"Babička's triple critical day is missing: {listed[:5]}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
