#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""upozornit against a mock notification service on a private session bus: one
notification per person with messages on a known triple critical day, none on a quiet
day, once a day from the login fallback; against no service and services that never
answer, answer slowly or refuse: the run ends by its deadline, exit status 3, with a line
naming what was not shown.

Usage: dbus-run-session -- check_notify.py PATH-TO-cyklometrika
"""
import os
import subprocess
import sys
import tempfile

try:
    import dbusmock
except ImportError:
    print("SKIP: needs python3-dbusmock")
    sys.exit(77)

EXE = sys.argv[1]
SERVICE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "notify_service.py")
FAILURES = []
# 15.6.2026: Babička's triple critical day (21252 days after her birth), Jana's
# intellectual low, nothing for Petr. 18.6.2026: no message for anyone.
PEOPLE = "Babička = 8.4.1968\nJana = 10.1.1996\nPetr = 3.5.1970\n"


def check(condition, what):
    if not condition:
        FAILURES.append(what)


def notify(config, day, **extra):
    env = dict(os.environ, XDG_CONFIG_HOME=config, CYKLOMETRIKA_NOTIFY_DEADLINE="2", **extra)
    return subprocess.run([EXE, "upozornit", "--den", day], env=env, capture_output=True,
                          text=True, timeout=60, check=False)


def main():
    with tempfile.TemporaryDirectory() as config:
        os.makedirs(os.path.join(config, "cyklometrika"))
        with open(os.path.join(config, "cyklometrika", "lide"), "w", encoding="utf-8") as f:
            f.write(PEOPLE)

        # What each service gets shown by the deadline, named on a line of its own, and why.
        for mode, line, why in ((None, "neukázáno: Babička, Jana", "Notifications"),
                                ("silent", "neukázáno: Babička, Jana", " 2 s"),
                                ("slow", "neukázáno: Jana; ukázáno: Babička", " 2 s"),
                                ("refuse", "neukázáno: Babička, Jana", "no room")):
            service = mode and subprocess.Popen([sys.executable, SERVICE, mode],
                                                stdout=subprocess.PIPE, text=True)
            try:
                check(service is None or service.stdout.readline() == "ready\n", f"{mode} ready")
                done = notify(config, "15.6.2026")
            finally:
                if service:
                    service.terminate()
                    service.wait()
            check(done.returncode == 3 and "upozornění nelze ukázat" in done.stderr
                  and f"cyklometrika: {line}\n" in done.stderr and why in done.stderr,
                  f"{mode}: exit 3 naming what was not shown, got {done.returncode} {done.stderr!r}")

        dbusmock.DBusTestCase.setUpClass()  # the bus of dbus-run-session
        server, mock = dbusmock.DBusTestCase.spawn_server_template(
            "notification_daemon", {}, stdout=subprocess.DEVNULL)
        try:
            done = notify(config, "18.6.2026")
            check(done.returncode == 0 and done.stderr == "", f"quiet day: {done}")
            calls = mock.GetMethodCalls("Notify", dbus_interface=dbusmock.MOCK_IFACE)
            check(len(calls) == 0, f"quiet day: {len(calls)} notifications")

            done = notify(config, "15.6.2026")
            check(done.returncode == 0 and done.stderr == "", f"triple day: {done}")
            calls = mock.GetMethodCalls("Notify", dbus_interface=dbusmock.MOCK_IFACE)
            shown = [(str(a[3]), str(a[4]), int(a[6]["urgency"]), str(a[2]), str(a[0]),
                      str(a[6]["desktop-entry"])) for _, a in calls]
            check(len(shown) == 2, f"one notification per person with messages: {shown}")
            expected = [
                ("Babička, 15.6.2026: Trojitě kritický den: fyzická kondice, citová "
                 "vnímavost, síla intelektu", 3, 2),
                ("Jana, 15.6.2026: Útlum síly intelektu", 1, 1),
            ]
            for (summary, body, urgency, icon, app, entry), (want, lines, level) in zip(
                    shown, expected):
                check(summary == want, f"summary {summary!r}")
                check(len(body.split("\n")) == lines, f"body {body!r}")
                check(urgency == level, f"{summary}: urgency {urgency}")
                check((icon, app, entry) == ("cyklometrika", "Cyklometrika",
                                             "io.github.cyklometrika.Cyklometrika"),
                      f"who: {icon} {app} {entry}")
            check("Obávám se, že si dnes" in shown[1][1] if len(shown) > 1 else False,
                  "Jana's body is the window's text")

            for _ in range(2):  # the login fallback: the second login of the day tells nothing
                done = notify(config, "15.6.2026", CYKLOMETRIKA_NOTIFY_AT_LOGIN="1")
                check(done.returncode == 0, f"at login: {done}")
            calls = mock.GetMethodCalls("Notify", dbus_interface=dbusmock.MOCK_IFACE)
            check(len(calls) == 4, f"once a day at login: {len(calls)} notifications in all")
        finally:
            server.terminate()
            server.wait()

    for failure in FAILURES:
        print("FAIL:", failure)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
