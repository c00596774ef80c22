#!/usr/bin/python3
"""A stand-in for the system's sensor service on a test's bus: an accelerometer whose
orientation the test sets with org.freedesktop.DBus.Properties.Set (the change is sent
as PropertiesChanged before the call is answered). The claims and releases it gets are
written to a file, one a line.

Usage: fake_sensor.py ADDRESS ORIENTATION CALLS_FILE (it writes "ready" once it has its name)
"""

import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "net.hadess.SensorProxy"
PATH = "/net/hadess/SensorProxy"


class SensorProxy(dbus.service.Object):
    def __init__(self, bus, orientation, calls):
        super().__init__(bus, PATH)
        self.properties = {"HasAccelerometer": dbus.Boolean(True),
                           "AccelerometerOrientation": dbus.String(orientation)}
        self.calls = calls

    @dbus.service.method(NAME)
    def ClaimAccelerometer(self):
        self._note("ClaimAccelerometer")

    @dbus.service.method(NAME)
    def ReleaseAccelerometer(self):
        self._note("ReleaseAccelerometer")

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties if interface == NAME else {}

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ssv")
    def Set(self, interface, name, value):
        self.properties[name] = value
        self.PropertiesChanged(interface, {name: value}, [])

    @dbus.service.signal(dbus.PROPERTIES_IFACE, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    def _note(self, call):
        self.calls.write(call + "\n")
        self.calls.flush()


def main():
    address, orientation, calls_path = sys.argv[1:]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(address)
    with open(calls_path, "w", encoding="utf-8") as calls:
        service = SensorProxy(bus, orientation, calls)
        name = dbus.service.BusName(NAME, bus)
        print("ready", flush=True)
        GLib.MainLoop().run()
    del service, name


if __name__ == "__main__":
    main()
