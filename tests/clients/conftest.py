"""The real program under the clients its users run: X servers, the window
managers and compositors of Debian's desktops, and the Orca screen reader.
Each test has a session of its own (a home, buses, displays), started here
and ended with it. TUVO names the program: the built one, or /usr/bin/tuvo."""

import os
import re
import shutil
import signal
import socket
import subprocess
import time
from pathlib import Path

import pytest
from ewmh import EWMH
from pyvirtualdisplay import Display
import Xlib.ext
from Xlib import X
from Xlib.display import Display as XConnection
from Xlib.error import XError

# The core protocol is all these tests read. python-xlib 0.33 loads every
# extension a server has into tables that displays of one process share, and
# fails on a second server whose extensions are numbered otherwise.
Xlib.ext.__extensions__ = []

TUVO = os.environ.get("TUVO", "/usr/bin/tuvo")
TITLE = "    Cliquer sur une flèche selon la conversion choisie"
ABOUT = "À propos de Tuvo"
MAIN_SIZE, ABOUT_SIZE = (349, 202), (383, 337)
# What the window managers that start with one command run, and what their
# sessions say of themselves.
SMALL_WINDOW_MANAGERS = {
    "openbox": (["openbox"], {}),
    "xfwm4": (["xfwm4"], {"XDG_CURRENT_DESKTOP": "XFCE", "XDG_SESSION_TYPE": "x11"}),
    "kwin_x11": (["kwin_x11", "--replace"], {"XDG_CURRENT_DESKTOP": "KDE", "XDG_SESSION_TYPE": "x11",
                                            "KDE_FULL_SESSION": "true", "KDE_SESSION_VERSION": "5"}),
}


def wait_for(what, check, seconds=20, seen=lambda: ""):
    """check() once it is true, within `seconds`; else the test fails, saying what was seen."""
    deadline = time.monotonic() + seconds
    while not (found := check()):
        if time.monotonic() > deadline:
            pytest.fail(f"{what}: not within {seconds} s. {seen()}", pytrace=False)
        time.sleep(0.1)
    return found


def answers(display, seconds=5):
    """An X server answers on the socket python-xlib connects to: it replies
    to a connection's first request, here without a key, within `seconds`."""
    with socket.socket(socket.AF_UNIX) as probe:
        probe.settimeout(seconds)
        try:
            probe.connect(f"/tmp/.X11-unix/X{display[1:]}")
            probe.sendall(b"l\0\x0b\0\0\0\0\0\0\0\0\0")  # little-endian, X11.0
            return len(probe.recv(8)) == 8
        except OSError:
            return False


class Session:
    """A user's session: private folders and buses, and every process started
    in it, each in a process group of its own, ended with it."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.env = {name: value for name, value in os.environ.items()
                    if not re.match(r"DISPLAY|WAYLAND_|QT_|DBUS_|AT_SPI|XAUTH|XDG_|SESSION_MAN|LC_|LANG",
                                    name)}
        for name in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
            path = scratch / name.lower()
            path.mkdir(mode=0o700)
            self.env[name] = str(path)
        self.processes, self.displays, self.desktops = [], [], []
        self.bus("DBUS_SESSION_BUS_ADDRESS")

    def bus(self, variable):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=self.env, start_new_session=True, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
        self.processes.insert(0, bus)  # ended last
        self.env[variable] = bus.stdout.readline().strip()

    def display(self, size=(1280, 1024)):
        """An X server, waited for, whose screen is kept in a file for pictures."""
        screen = self.scratch / f"display-{len(self.displays)}"
        screen.mkdir()
        display = Display(size=size, color_depth=24, dpi=96, fbdir=str(screen),
                          manage_global_env=False, extra_args=["-nolisten", "tcp"])
        self.displays.append(display.start())
        return display.new_display_var

    def start(self, argv, log=None, **env):
        with open(self.scratch / (log or Path(argv[0]).name + ".log"), "ab") as output:
            process = subprocess.Popen(argv, env=dict(self.env, **env), start_new_session=True,
                                       stdin=subprocess.DEVNULL, stdout=output, stderr=output)
        self.processes.append(process)
        return process

    def run(self, argv, **env):
        return subprocess.run(argv, env=dict(self.env, **env), capture_output=True, text=True,
                              timeout=60)

    def log(self, name, lines=5):
        path = self.scratch / name
        return "".join(path.read_text(errors="replace").splitlines(True)[-lines:]) if path.exists() else ""

    def end(self, process, seconds=5):
        """Asks the process group to end, as a session does, then makes sure it has."""
        try:
            os.killpg(process.pid, signal.SIGTERM)
            return process.wait(seconds)
        except ProcessLookupError:
            return process.wait()
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return None

    def pictures(self):
        """Pictures of the screens as they are now, in XWD files: where they went."""
        pictures = []
        for screen in sorted(self.scratch.glob("display-*/Xvfb_screen0")):
            picture = self.scratch / (screen.parent.name.replace("display", "screen") + ".xwd")
            shutil.copy(screen, picture)
            pictures.append(str(picture))
        return pictures

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                self.end(process)
        for display in self.displays:
            display.stop()


@pytest.fixture
def session(tmp_path):
    session = Session(tmp_path)
    yield session
    session.close()


class Desktop:
    """An X display as a window manager runs it, read as EWMH pagers read it."""

    def __init__(self, session, wm):
        self.session, self.wm, self.origin = session, wm, (0, 0)
        session.desktops.append(self)
        self.env = session.env
        self.input_display = None  # where xdotool types, if not the program's display
        if wm == "gnome_wayland":
            self.start_nested_gnome()
            self.connect()
            self.leave_overview()
            return
        self.env["DISPLAY"] = session.display()
        self.connect()
        if wm == "gnome_x11":
            self.env.update(XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_TYPE="x11")
            self.start_gnome_shell(["--x11", "--replace"], self.top_bar)
            self.leave_overview()
        elif wm != "none":
            argv, env = SMALL_WINDOW_MANAGERS[wm]
            self.env.update(env)
            session.start(argv)
            wait_for(f"{wm}'s start", lambda: self.poll(lambda: self.property(
                self.x.screen().root, "_NET_SUPPORTING_WM_CHECK")))

    def connect(self):
        # Xlib finds the key to an X server in the process's own environment.
        saved = os.environ.get("XAUTHORITY")
        os.environ.update(XAUTHORITY=self.env.get("XAUTHORITY", ""))
        try:
            self.x = XConnection(self.env["DISPLAY"])
        finally:
            os.environ.pop("XAUTHORITY") if saved is None else os.environ.update(XAUTHORITY=saved)
        self.ewmh = EWMH(self.x)

    def start_nested_gnome(self):
        """GNOME's Wayland session nested in an X server, which takes the pointer
        and keys; the program goes through the shell's own Xwayland."""
        outer = self.session.display()
        self.input_display = outer
        self.env.update(DISPLAY=outer, XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_TYPE="x11")
        run = Path(self.env["XDG_RUNTIME_DIR"])

        def xwayland_top_bar():
            locks = [lock for lock in Path("/tmp").glob(".X*-lock")
                     if lock.read_text().strip() == str(self.shell.pid)]
            keys = list(run.glob(".mutter-Xwaylandauth.*"))
            if not (locks and keys):
                return False
            self.env.update(DISPLAY=":" + locks[0].name[2:-5], XAUTHORITY=str(keys[0]))
            return self.top_bar()

        self.start_gnome_shell(["--nested", "--wayland", "--wayland-display=tuvo-gnome"],
                               xwayland_top_bar, MUTTER_DEBUG_DUMMY_MODE_SPECS="1024x768")
        self.env.update(WAYLAND_DISPLAY="tuvo-gnome", XDG_SESSION_TYPE="wayland")
        outer_x = XConnection(outer)
        shell = next(w for w in outer_x.screen().root.query_tree().children
                     if (EWMH(outer_x).getWmName(w) or b"") == b"gnome-shell")
        at = shell.translate_coords(outer_x.screen().root, 0, 0)
        self.origin = (-at.x, -at.y)
        outer_x.close()

    def start_gnome_shell(self, options, ready, **env):
        """GNOME Shell wants a system bus and a /run/systemd of its own. It now and
        then hangs as it starts (the child it forks to start ibus-daemon can
        deadlock first): a shell not ready after 20 s is started once more."""
        self.session.bus("DBUS_SYSTEM_BUS_ADDRESS")
        for attempt in (1, 2):
            self.shell = self.session.start(
                ["unshare", "-m", "--propagation", "private", "sh", "-c",
                 'mount -t tmpfs tmpfs /run/systemd && exec gnome-shell "$@"', "gnome-shell",
                 *options], log="gnome-shell.log", **env)
            deadline = time.monotonic() + 20
            while not (up := ready()) and time.monotonic() < deadline:
                time.sleep(0.25)
            if up:
                break
            self.session.end(self.shell, 0)
            for key in Path(self.env["XDG_RUNTIME_DIR"]).glob(".mutter-Xwaylandauth.*"):
                key.unlink()  # the next shell's Xwayland has its own
        else:
            pytest.fail("gnome-shell did not start: " + self.session.log("gnome-shell.log"))

    def leave_overview(self):
        """GNOME Shell's start ends on its overview: once it shows, the shell is
        told to leave it, as Escape would, and asked until it has. The pointer
        then rests in a corner, away from where windows open."""
        def overview(method, *value):
            return self.session.run(["gdbus", "call", "--session", "--dest", "org.gnome.Shell",
                                     "--object-path", "/org/gnome/Shell", "--method",
                                     f"org.freedesktop.DBus.Properties.{method}", "org.gnome.Shell",
                                     "OverviewActive", *value]).stdout.strip()
        wait_for("GNOME's overview at its start", lambda: overview("Get") == "(<true>,)")
        overview("Set", "<false>")
        wait_for("GNOME's overview left", lambda: overview("Get") == "(<false>,)")
        self.xdotool("mousemove", self.origin[0] + 10, self.origin[1] + 700)

    def top_bar(self):
        """GNOME's top bar is up: the work area leaves it out. A shell that hangs
        holds its X server: each look is bounded."""
        if not answers(self.env["DISPLAY"]):
            return False
        look = subprocess.run(["timeout", "5", "xprop", "-root", "_NET_WORKAREA"], env=self.env,
                              capture_output=True, text=True)
        return "= 0, 32, " in look.stdout

    def poll(self, check):
        try:
            return check()
        except XError:  # a window gone, or a server not up yet
            return None

    # What the X server and the window manager say.
    def property(self, window, name):
        value = window.get_full_property(self.x.intern_atom(name), X.AnyPropertyType)
        return list(value.value) if value else None

    def shown(self, stacking="_NET_CLIENT_LIST"):
        """The top-level windows shown: with a window manager, those it manages,
        in the order the list named gives; without one, those the X server
        maps, bottom to top."""
        if self.wm == "none":
            return [w for w in self.x.screen().root.query_tree().children
                    if w.get_attributes().map_state == X.IsViewable]
        ids = self.property(self.x.screen().root, stacking) or []
        return [self.x.create_resource_object("window", id) for id in ids]

    def windows(self):
        """The windows shown, by title."""
        return {self.poll(lambda: self.title(window)): window for window in self.shown()}

    def title(self, window):
        return (self.ewmh.getWmName(window) or b"").decode() or window.get_wm_name()

    def window(self, title, seconds=20):
        return wait_for(f"a window titled {title!r}",
                        lambda: self.poll(lambda: self.windows().get(title)), seconds,
                        lambda: f"Shown: {list(self.windows())}")

    def geometry(self, window):
        """x, y, width, height of the window's client area on the screen."""
        size = window.get_geometry()
        at = window.translate_coords(self.x.screen().root, 0, 0)
        return -at.x, -at.y, size.width, size.height

    def frame(self, window):
        """x, y, width, height of the window's frame, once the window manager
        has told it; None before."""
        extents = self.property(window, "_NET_FRAME_EXTENTS")
        if not extents:
            return None
        left, right, top, bottom = extents
        x, y, width, height = self.geometry(window)
        return x - left, y - top, width + left + right, height + top + bottom

    def work_area(self):
        """The first desktop's work area, or the whole screen where none is published."""
        area = self.ewmh.getWorkArea()
        screen = self.x.screen()
        return tuple(area[:4]) if area else (0, 0, screen.width_in_pixels, screen.height_in_pixels)

    def above(self, upper, lower):
        stacking = [w.id for w in self.poll(lambda: self.shown("_NET_CLIENT_LIST_STACKING")) or []]
        return upper.id in stacking and lower.id in stacking[:stacking.index(upper.id)]

    def allowed_actions(self, window):
        return set(self.ewmh.getWmAllowedActions(window, str=True) or [])

    # What a user does, through the display that takes the pointer and keys.
    def xdotool(self, *arguments):
        display = self.input_display or self.env["DISPLAY"]
        self.session.run(["xdotool", *map(str, arguments)], DISPLAY=display)

    def click(self, window, x, y):
        left, top, _, _ = self.geometry(window)
        self.xdotool("mousemove", self.origin[0] + left + x, self.origin[1] + top + y,
                     "sleep", 0.6, "click", 1, "sleep", 0.5)

    def move(self, window, x, y):
        window.configure(x=x, y=y)
        self.x.sync()

    def pixels(self, window, x, y, width, height):
        return window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data


@pytest.fixture(params=[pytest.param("none"), pytest.param("openbox")]
                + [pytest.param(wm, marks=pytest.mark.desktops)  # Debian's large desktops'
                   for wm in ("xfwm4", "kwin_x11", "gnome_x11", "gnome_wayland")])
def desktop(request, session):
    return Desktop(session, request.param)


class Tuvo:
    """The program, started as a user starts it, and what it wrote."""

    def __init__(self, session, *arguments, **env):
        self.session = session
        self.process = session.start([TUVO, *arguments], log="tuvo.log", **env)

    def output(self):
        return self.session.log("tuvo.log", 50)

    def end(self):
        """Asked to end, as a session does: it ends with status 0, within 5 s."""
        status = self.session.end(self.process)
        assert status == 0, f"asked to end, it gave status {status}: {self.output()}"


@pytest.fixture
def tuvo(session):
    def start(*arguments, **env):
        return Tuvo(session, *arguments, **env)
    return start


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item):
    """A failure says what the clients saw last: the windows shown, and where
    a picture of each screen was written."""
    report = (yield).get_result()
    session = item.funcargs.get("session")
    if report.failed and report.when == "call" and session:
        for desktop in session.desktops:
            report.sections.append((f"what {desktop.wm} showed",
                                    f"windows {list(desktop.poll(desktop.windows) or {})}"))
        report.sections.append(("pictures of the screens", " ".join(session.pictures())))

