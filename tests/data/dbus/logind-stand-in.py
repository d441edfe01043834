#!/usr/bin/python3
# A stand-in for systemd-logind on a private bus, for the tests of the session actions.
#   logind-stand-in.py BUS_ADDRESS LOG STATE
# Writes "ready" once it owns the name. Each call of an action is appended to LOG as a line
# ("PowerOff interactive=true", "TerminateSession c2", "GetSessionByPID 1234"). STATE, a
# JSON file read on each call, sets the answers:
#   {"block": "shutdown:sleep", "inhibitors": [["shutdown", "who", "why", "block", 1000, 42]],
#    "error": ["org.freedesktop.DBus.Error.AccessDenied", "text"]}
# The session that GetSessionByPID finds has the id "7".
import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

MANAGER = "org.freedesktop.login1.Manager"
SESSION = "org.freedesktop.login1.Session"
PROPERTIES = "org.freedesktop.DBus.Properties"
SESSION_PATH = "/org/freedesktop/login1/session/_37"

address, log_path, state_path = sys.argv[1:4]


def state():
    try:
        with open(state_path, encoding="utf-8") as f:
            return json.load(f)
    except FileNotFoundError:
        return {}


def note(line):
    with open(log_path, "a", encoding="utf-8") as f:
        f.write(line + "\n")


class Failure(dbus.exceptions.DBusException):
    def __init__(self, name, text):
        super().__init__(text, name=name)


def act(line):
    note(line)
    error = state().get("error")
    if error:
        raise Failure(error[0], error[1])


def flag(value):
    return "true" if value else "false"


class Manager(dbus.service.Object):
    @dbus.service.method(MANAGER, in_signature="b")
    def Reboot(self, interactive):
        act("Reboot interactive=" + flag(interactive))

    @dbus.service.method(MANAGER, in_signature="b")
    def PowerOff(self, interactive):
        act("PowerOff interactive=" + flag(interactive))

    @dbus.service.method(MANAGER, in_signature="b")
    def Suspend(self, interactive):
        act("Suspend interactive=" + flag(interactive))

    @dbus.service.method(MANAGER, in_signature="s")
    def TerminateSession(self, session):
        act("TerminateSession " + session)

    @dbus.service.method(MANAGER, in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        note("GetSessionByPID %d" % pid)
        return dbus.ObjectPath(SESSION_PATH)

    @dbus.service.method(MANAGER, out_signature="a(ssssuu)")
    def ListInhibitors(self):
        return [tuple(i) for i in state().get("inhibitors", [])]

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == MANAGER and name == "BlockInhibited":
            return dbus.String(state().get("block", ""))
        raise Failure("org.freedesktop.DBus.Error.UnknownProperty", name)


class Session(dbus.service.Object):
    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SESSION and name == "Id":
            return dbus.String("7")
        raise Failure("org.freedesktop.DBus.Error.UnknownProperty", name)


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
manager = Manager(bus, "/org/freedesktop/login1")
session = Session(bus, SESSION_PATH)
name = dbus.service.BusName("org.freedesktop.login1", bus)
print("ready", flush=True)
GLib.MainLoop().run()
