"""GNOME Shell's own search, headless: "1994" typed in the overview shows Tuvo's MCMXCIV, and
choosing it opens Tuvo's window on 1994."""

import ast
import json

import pytest

from conftest import TITLE, wait_for


@pytest.mark.desktops
def test_answers_in_the_overview(session):
    system = session.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], log="system-bus.log",
                           stdout=-1)  # logind's bus, which no session has here
    session.env["DBUS_SYSTEM_BUS_ADDRESS"] = system.stdout.readline().decode().strip()
    session.start(["unshare", "-m", "--propagation", "private", "sh", "-c", "mount -t tmpfs tmpfs /run/systemd && "
                   "exec gnome-shell --headless --unsafe-mode --virtual-monitor 1024x768 --no-x11"], log="gnome-shell.log")

    def shell(script):
        result = session.run(["gdbus", "call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                              "/org/gnome/Shell", "--method", "org.gnome.Shell.Eval", script], LC_ALL="C.UTF-8")
        return result.stdout.startswith("(true,") and json.loads(ast.literal_eval(result.stdout[6:-2]) or "null")
    wait_for("GNOME Shell", lambda: shell("1"), seen=lambda: session.log("gnome-shell.log")[-500:])
    # What a GNOME session tells the bus, for the programs it starts.
    session.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                 "--method", "org.freedesktop.DBus.UpdateActivationEnvironment",
                 "{'WAYLAND_DISPLAY': 'wayland-0', 'XDG_SESSION_TYPE': 'wayland', 'XDG_CURRENT_DESKTOP': 'GNOME'}"])
    shell("Main.overview.show(); Main.overview.searchEntry.set_text('1994')")
    tuvo = ("Main.overview._overview._controls._searchController._searchResults._providers"
            ".find(p => p.appInfo && p.appInfo.get_id() == 'fr.tuvo.tuvo.desktop').display._resultDisplays")
    wait_for("Tuvo's answer", lambda: shell(f"Object.values({tuvo}).map(r => r.metaInfo.name)") == ["MCMXCIV"],
             seen=lambda: session.log("gnome-shell.log")[-500:])
    shell(f"{tuvo}['1994=MCMXCIV'].activate()")
    windows = "global.get_window_actors().map(a => [a.meta_window.get_title(), a.meta_window.get_pid()])"
    pid = wait_for("Tuvo's window", lambda: dict(shell(windows) or []).get(TITLE), seen=lambda: shell(windows))
    assert open(f"/proc/{pid}/cmdline").read().split("\0")[1:] == ["1994", ""]
