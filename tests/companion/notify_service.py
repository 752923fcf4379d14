#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A notification service on the session bus that never answers (silent), answers each
call 4 s after the one before (slow) or refuses (refuse); says "ready" once it has the name.
Usage: notify_service.py silent|slow|refuse"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Service(dbus.service.Object):
    calls = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Notify(self, _a, _b, _c, _d, _e, _f, _g, _h, reply, error):  # pylint: disable=all
        self.calls += 1
        if sys.argv[1] == "refuse":
            error(dbus.exceptions.DBusException("no room", name=NAME + ".Error.Refused"))
        elif sys.argv[1] == "slow":
            GLib.timeout_add(4000 * (self.calls - 1), lambda n=self.calls: reply(n) or False)


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
BUS = dbus.SessionBus()
SERVICE = Service(BUS, "/org/freedesktop/Notifications")
BUS.add_signal_receiver(lambda name: name == NAME and print("ready", flush=True),
                        "NameAcquired", "org.freedesktop.DBus")
BUS.request_name(NAME)  # queued while an earlier service still holds it
GLib.MainLoop().run()
