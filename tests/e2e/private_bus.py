"""A private D-Bus daemon that stands in for the system bus during a test."""

import os
import subprocess
import time

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
        self.process = subprocess.Popen(["dbus-daemon", "--nofork", "--config-file=" + config],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.exists(socket):
            if self.process.poll() is not None or time.monotonic() > deadline:
                raise OSError("dbus-daemon did not start")
            time.sleep(0.01)

    def send_signal(self, path, member, *arguments):
        """Sends a signal on the bus with dbus-send (arguments such as 'string:off')."""
        subprocess.run(["dbus-send", "--address=" + self.address, "--type=signal", path, member,
                        *arguments], check=True, timeout=10)

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()
