#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A notification service that misbehaves, on the session bus: `silent` takes every call
and never answers, `slow` answers the first call at once and each later one 4 s after
the one before, `refuse` answers every call with an error. Prints "ready" once it owns
the name.

Usage: notify_service.py silent|slow|refuse
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Service(dbus.service.Object):
    def __init__(self, bus, mode):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.mode = mode
        self.calls = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Notify(self, _app, _replaces, _icon, _summary, _body, _actions, _hints, _expire,
               reply, error):  # pylint: disable=invalid-name,too-many-arguments
        self.calls += 1
        if self.mode == "refuse":
            error(dbus.exceptions.DBusException("no room", name=NAME + ".Error.Refused"))
        elif self.mode == "slow":
            GLib.timeout_add(4000 * (self.calls - 1), lambda n=self.calls: reply(n) or False)


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    keep = Service(bus, sys.argv[1])  # pylint: disable=unused-variable
    # The previous service may still hold the name for a moment: wait for it in the queue.
    loop = GLib.MainLoop()
    bus.add_signal_receiver(lambda name: name == NAME and print("ready", flush=True),
                            "NameAcquired", "org.freedesktop.DBus")
    bus.request_name(NAME)
    loop.run()


if __name__ == "__main__":
    main()
