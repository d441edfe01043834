#!/usr/bin/python3
# A stand-in for systemd-timedated on a private bus, for the tests of setting the clock.
#   timedated-stand-in.py BUS_ADDRESS LOG STATE
# Writes "ready" once it owns the name. Each SetTime is appended to LOG as a line
# ("SetTime 1799101805000000 relative=false interactive=true"). STATE, a JSON file read on
# each call, may hold an error to answer with:
#   {"error": ["org.freedesktop.timedate1.AutomaticTimeSyncEnabled", "text"]}
import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

TIMEDATE = "org.freedesktop.timedate1"

address, log_path, state_path = sys.argv[1:4]


def state():
    try:
        with open(state_path, encoding="utf-8") as f:
            return json.load(f)
    except FileNotFoundError:
        return {}


class Failure(dbus.exceptions.DBusException):
    def __init__(self, name, text):
        super().__init__(text, name=name)


def flag(value):
    return "true" if value else "false"


class Timedate(dbus.service.Object):
    @dbus.service.method(TIMEDATE, in_signature="xbb")
    def SetTime(self, usec, relative, interactive):
        with open(log_path, "a", encoding="utf-8") as f:
            f.write("SetTime %d relative=%s interactive=%s\n" % (usec, flag(relative), flag(interactive)))
        error = state().get("error")
        if error:
            raise Failure(error[0], error[1])


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
timedate = Timedate(bus, "/org/freedesktop/timedate1")
name = dbus.service.BusName(TIMEDATE, bus)
print("ready", flush=True)
GLib.MainLoop().run()
