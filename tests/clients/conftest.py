"""Each test in a session of its own (home, bus, display, no locale). TUVO names the program, and
TUVO_DATA_DIRS where the bus and the desktops find its files (/usr/share by default)."""

import os
import re
import signal
import subprocess
import time

import pytest
from ewmh import EWMH
from pyvirtualdisplay import Display
import Xlib.ext
from Xlib import X
from Xlib.display import Display as XConnection
from Xlib.error import XError

Xlib.ext.__extensions__ = []  # the core protocol is all these tests read
TUVO = os.environ.get("TUVO", "/usr/bin/tuvo")
TITLE = "    Cliquer sur une flèche selon la conversion choisie"
ABOUT = "À propos de Tuvo"
# Each window manager's command, and the desktop it belongs to.
WINDOW_MANAGERS = {"openbox": ["openbox"], "xfwm4": ["xfwm4"], "kwin_x11": ["kwin_x11", "--replace"]}
DESKTOPS = {"xfwm4": "XFCE", "kwin_x11": "KDE"}


def wait_for(what, check, seconds=60, seen=lambda: ""):
    deadline = time.monotonic() + seconds
    while not (found := check()):
        if time.monotonic() > deadline:
            pytest.fail(f"{what}: not within {seconds} s. {seen()}", pytrace=False)
        time.sleep(0.1)
    return found


@pytest.fixture
def session(tmp_path):
    session = Session(tmp_path)
    yield session
    for process in session.processes:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
    if session.display:
        session.display.stop()


class Session:
    def __init__(self, scratch):
        self.scratch, self.processes, self.display = scratch, [], None
        self.env = {name: value for name, value in os.environ.items()
                    if not re.match(r"DISPLAY|WAYLAND_|QT_|DBUS_|AT_SPI|XAUTH|XDG_|LC_|LANG", name)}
        for name in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"):
            (scratch / name.lower()).mkdir(mode=0o700)
            self.env[name] = str(scratch / name.lower())
        self.env["XDG_DATA_DIRS"] = os.environ.get("TUVO_DATA_DIRS", "/usr/share")
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()

    def start(self, argv, log=None, stdout=None, **env):
        with open(self.scratch / (log or os.path.basename(argv[0]) + ".log"), "ab") as output:
            self.processes.append(subprocess.Popen(argv, env=dict(self.env, **env), start_new_session=True,
                                                   stdin=subprocess.DEVNULL, stdout=stdout or output, stderr=output))
        return self.processes[-1]

    def run(self, argv, **env):
        return subprocess.run(argv, env=dict(self.env, **env), capture_output=True, text=True, timeout=60)

    def log(self, name):
        return (self.scratch / name).read_text(errors="replace") if (self.scratch / name).exists() else ""

    def tuvo(self, *arguments, **env):
        return self.start([TUVO, *arguments], log="tuvo.log", **env)


class Desktop:
    def __init__(self, session, wm):
        session.display = Display(size=(1280, 1024), manage_global_env=False, extra_args=["-nolisten", "tcp"]).start()
        self.session = session
        session.env.update(DISPLAY=session.display.new_display_var, XDG_SESSION_TYPE="x11",
                           XDG_CURRENT_DESKTOP=DESKTOPS.get(wm, ""))
        self.x = XConnection(session.env["DISPLAY"])
        self.ewmh = EWMH(self.x)
        session.start(WINDOW_MANAGERS[wm])
        # Ready once it manages a window of ours: openbox, still starting, can
        # lose a window mapped as it marks the root as its own.
        probe = self.x.screen().root.create_window(0, 0, 1, 1, 0, self.x.screen().root_depth)
        wait_for(f"{wm}'s start", lambda: probe.map() or probe.id in (self.windows().values()),
                 seen=lambda: session.log(wm + ".log"))
        probe.destroy()

    def property(self, window, name):
        try:
            value = window.get_full_property(self.x.intern_atom(name), X.AnyPropertyType)
            return value and list(value.value)
        except XError:  # a window gone
            return None

    def windows(self, stacking=""):
        """The windows managed, by title, bottom to top with stacking="_STACKING"."""
        ids = self.property(self.x.screen().root, "_NET_CLIENT_LIST" + stacking) or []
        return {bytes(self.property(self.x.create_resource_object("window", id), "_NET_WM_NAME") or []).decode():
                id for id in ids}

    def window(self, title):
        return self.x.create_resource_object("window", wait_for(
            f"a window titled {title!r}", lambda: self.windows().get(title),
            seen=lambda: f"Shown: {list(self.windows())}. Tuvo said: {self.session.log('tuvo.log')[-500:]}"))

    def in_front(self, upper, lower):
        titles = list(self.windows("_STACKING"))
        return upper in titles and lower in titles and titles.index(upper) > titles.index(lower)

    def geometry(self, window):
        at = window.translate_coords(self.x.screen().root, 0, 0)
        return -at.x, -at.y, window.get_geometry().width, window.get_geometry().height

    def frame(self, window):
        if not (extents := self.property(window, "_NET_FRAME_EXTENTS")):
            return None
        (left, right, top, bottom), (x, y, width, height) = extents, self.geometry(window)
        return x - left, y - top, width + left + right, height + top + bottom

    def close(self, window):
        self.ewmh.setCloseWindow(window)
        self.x.flush()

    def xdotool(self, *arguments):
        self.session.run(["xdotool", *map(str, arguments)])

    def click(self, window, x, y):
        self.xdotool("mousemove", self.geometry(window)[0] + x, self.geometry(window)[1] + y,
                     "sleep", 0.3, "click", 1, "sleep", 0.3)
