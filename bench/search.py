"""Figures of the search provider through a private session bus that starts it from the build
tree's service file: the first answer (D-Bus activation included), later answers, its memory, and
a 100,000-character query. Run under dbus-run-session, XDG_DATA_DIRS naming the build's share/."""

import statistics
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def ask(method, signature, *values):
    start = time.perf_counter()
    reply = bus.call_sync("fr.tuvo.tuvo.SearchProvider", "/fr/tuvo/tuvo/SearchProvider",
                          method.rsplit(".", 1)[0], method.rsplit(".", 1)[1], GLib.Variant(signature, values),
                          None, Gio.DBusCallFlags.NONE, 10_000, None)
    return (time.perf_counter() - start) * 1000, reply.unpack()[0]


first, answer = ask("org.gnome.Shell.SearchProvider2.GetInitialResultSet", "(as)", ["1994"])
print(f"first answer, the provider started by D-Bus: {first:.1f} ms {answer}")
for method, signature, value in (("org.gnome.Shell.SearchProvider2.GetInitialResultSet", "(as)", ["mcmxciv"]),
                                 ("org.kde.krunner1.Match", "(s)", "3999")):
    times = [ask(method, signature, value)[0] for _ in range(1000)]
    print(f"{method.split('.')[-1]}({value}), 1000 later calls: median {statistics.median(times):.3f} ms, "
          f"slowest {max(times):.3f} ms")
long, answer = ask("org.kde.krunner1.Match", "(s)", "m" * 100_000)
print(f"a 100,000-character query: {long:.3f} ms, {len(answer)} results")
pid = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                    "GetConnectionUnixProcessID", GLib.Variant("(s)", ("fr.tuvo.tuvo.SearchProvider",)),
                    None, Gio.DBusCallFlags.NONE, 1000, None).unpack()[0]
status = open(f"/proc/{pid}/status").read()
print("memory:", ", ".join(line.replace("\t", " ").replace("  ", "") for line in status.splitlines()
                           if line.startswith(("VmRSS", "VmHWM", "RssAnon"))))
