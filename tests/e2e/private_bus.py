"""A private D-Bus daemon that stands in for the system bus during a test."""

import os
import re
import subprocess
import threading
import time

FAKE_SENSOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fake_sensor.py")
SENSOR = "net.hadess.SensorProxy"

CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""

# An address where no bus listens: the program must start without one.
NO_BUS = "unix:path=/nonexistent/kestro-no-system-bus"


class PrivateBus:
    """Starts dbus-daemon in `directory`; `address` is what DBUS_SYSTEM_BUS_ADDRESS takes."""

    def __init__(self, directory):
        socket = os.path.join(directory, "system_bus_socket")
        config = os.path.join(directory, "bus.conf")
        with open(config, "w", encoding="utf-8") as out:
            out.write(CONFIG.format(socket=socket))
        self.address = "unix:path=" + socket
        self.sensor = None
        self.process = subprocess.Popen(["dbus-daemon", "--nofork", "--config-file=" + config],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.exists(socket):
            if self.process.poll() is not None or time.monotonic() > deadline:
                raise OSError("dbus-daemon did not start")
            time.sleep(0.01)

    def start_sensor(self, orientation, calls_path):
        """Starts fake_sensor.py on the bus; it reports `orientation` and writes the calls
        it gets to `calls_path`. Its D-Bus module is the system Python's."""
        self.sensor = subprocess.Popen(["/usr/bin/python3", FAKE_SENSOR, self.address,
                                        orientation, calls_path], stdin=subprocess.DEVNULL,
                                       stdout=subprocess.PIPE, text=True)
        if self.sensor.stdout.readline() != "ready\n":
            raise OSError("fake_sensor.py did not start")

    def turn_sensor(self, orientation):
        """Sets the fake sensor's orientation; its change is on the bus when this returns."""
        subprocess.run(["dbus-send", "--bus=" + self.address, "--print-reply",
                        "--dest=" + SENSOR, "/net/hadess/SensorProxy",
                        "org.freedesktop.DBus.Properties.Set", "string:" + SENSOR,
                        "string:AccelerometerOrientation", "variant:string:" + orientation],
                       stdout=subprocess.DEVNULL, check=True, timeout=10)

    def close(self):
        for process in filter(None, (self.sensor, self.process)):
            process.terminate()
            process.wait(timeout=10)


class SignalMonitor:
    """dbus-monitor on the bus: the signals sent by others, as "PATH interface.member"."""

    SIGNAL = re.compile(r"^signal .*path=([^;]*); interface=([^;]*); member=(\S*)")

    def __init__(self, address):
        self.process = subprocess.Popen(["dbus-monitor", "--address", address],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True)
        self.lines = []
        # The monitor's first line (its own connection on the bus) says it listens.
        self.ready = threading.Event()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        if not self.ready.wait(10):
            self.stop()
            raise OSError("dbus-monitor did not start")

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line)
            self.ready.set()

    def signals(self):
        found = (self.SIGNAL.match(line) for line in list(self.lines))
        return [f"{match[1]} {match[2]}.{match[3]}" for match in found
                if match and not match[2].startswith("org.freedesktop.DBus")]

    def stop(self, expected=0):
        """Waits a little for `expected` signals still on their way, then stops."""
        deadline = time.monotonic() + 5
        while len(self.signals()) < expected and time.monotonic() < deadline:
            time.sleep(0.02)
        self.process.terminate()
        self.process.wait(timeout=10)
        self.reader.join(timeout=10)
        return self.signals()
