#!/usr/bin/env python3
"""Tuvo as a blind user meets it: the built program under the Orca screen
reader, on a private X server with a window manager, a session bus, the
accessibility bus and speech-dispatcher, all started here and stopped by their
ids at the end. Real key presses (xdotool) drive the program, and what Orca
sends to speech is read from its debug log.

Usage: screenreader.py PATH-TO-TUVO
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TOOLS = ["Xvfb", "dbus-daemon", "openbox", "orca", "speech-dispatcher", "xdotool",
         "gsettings", "localedef", "/usr/libexec/at-spi-bus-launcher"]
DEADLINE = 20  # seconds for anything to be said


def orca_python():
    """The interpreter Orca runs on, as its first line names it."""
    with open(shutil.which("orca")) as orca:
        return orca.readline()[2:].split()[0]


class Failure(Exception):
    pass


class Session:
    def __init__(self, tuvo):
        self.tuvo = tuvo
        self.scratch = tempfile.mkdtemp(prefix="tuvo-orca-")
        self.processes = []
        self.env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
                     "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER"):
            self.env.pop(name, None)
        for name, folder in (("HOME", "home"), ("XDG_RUNTIME_DIR", "run"),
                             ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                             ("XDG_CACHE_HOME", "cache")):
            path = os.path.join(self.scratch, folder)
            os.makedirs(path, mode=0o700)
            self.env[name] = path
        self.log = os.path.join(self.scratch, "orca.log")
        self.read_up_to = 0

    def start(self, argv, **options):
        """Starts argv in a process group of its own, so that what it starts stops with it."""
        process = subprocess.Popen(argv, env=options.pop("env", self.env), start_new_session=True,
                                   stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def run(self, argv):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30)
        if result.returncode != 0:
            raise Failure(f"{' '.join(argv)}: {result.stderr.strip()}")
        return result.stdout

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        if os.environ.get("TUVO_KEEP_SCRATCH"):
            print(f"screenreader: kept {self.scratch}")
        else:
            shutil.rmtree(self.scratch, ignore_errors=True)

    def wait_until(self, what, test):
        deadline = time.monotonic() + DEADLINE
        while time.monotonic() < deadline:
            found = test()
            if found:
                return found
            time.sleep(0.1)
        raise Failure(f"{what}: not within {DEADLINE} s")

    def set_up(self):
        pipe_read, pipe_write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(pipe_write), "-nolisten", "tcp",
                    "-screen", "0", "1024x768x24"], pass_fds=[pipe_write],
                   stderr=subprocess.DEVNULL)
        os.close(pipe_write)
        with os.fdopen(pipe_read) as display:
            number = display.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

        self.run(["gsettings", "set", "org.gnome.desktop.a11y.applications",
                  "screen-reader-enabled", "true"])
        self.run(["gsettings", "set", "org.gnome.desktop.interface", "toolkit-accessibility",
                  "true"])
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.start(["openbox"], stderr=subprocess.DEVNULL)

        # French speech through espeak-ng; there is no sound device, and none is needed,
        # as what Orca says is read from its log.
        speechd = os.path.join(self.env["XDG_CONFIG_HOME"], "speech-dispatcher")
        os.makedirs(speechd)
        with open(os.path.join(speechd, "speechd.conf"), "w") as conf:
            conf.write('AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                       'DefaultModule espeak-ng\nDefaultLanguage "fr"\n'
                       'AudioOutputMethod "libao"\n')
        self.start(["speech-dispatcher", "-s", "-t", "0"], stderr=subprocess.DEVNULL)

        locales = os.path.join(self.scratch, "locales")
        os.makedirs(locales)
        self.run(["localedef", "-i", "fr_FR", "-f", "UTF-8", os.path.join(locales, "fr_FR.UTF-8")])
        french = dict(self.env, LOCPATH=locales, LANG="fr_FR.UTF-8", LANGUAGE="fr")
        # Orca buffers its log: opened line-buffered here, no line is lost when it stops.
        wrapper = ("import builtins, runpy, sys\n"
                   "log = sys.argv[1]\n"
                   "plain = builtins.open\n"
                   "def opened(file, mode='r', buffering=-1, *rest, **named):\n"
                   "    return plain(file, mode, 1 if file == log else buffering, *rest, **named)\n"
                   "builtins.open = opened\n"
                   "sys.argv = ['orca', '--debug-file', log]\n"
                   "runpy.run_path('/usr/bin/orca', run_name='__main__')\n")
        self.start([orca_python(), "-c", wrapper, self.log], env=french,
                   stdout=subprocess.DEVNULL)
        self.wait_until("Orca's start", lambda: "Starting registry" in self.read_log())


    def open_tuvo(self):
        self.start([self.tuvo], env=dict(self.env, QT_ACCESSIBILITY="1",
                                         QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                         QT_QPA_PLATFORM="xcb"))
        window = self.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                           "Cliquer sur une flèche"]).split()[0]
        # Until openbox has started and says it can activate windows.
        activate = ["xdotool", "windowactivate", "--sync", window]
        self.wait_until("activating the window", lambda: subprocess.run(
            activate, env=self.env, capture_output=True, timeout=30).returncode == 0)

    def read_log(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def spoken(self, since):
        """What Orca has sent to speech since the offset `since` of its log."""
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\[?\{'", self.read_log()[since:])

    def keys(self, *keys):
        for key in keys:
            self.run(["xdotool", "key", "--delay", "50", key])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "50", text])

    def step(self, name, action, pattern, once=None, settle=1.5):
        """Does `action`, then waits until what Orca says, joined, matches `pattern` (and
        includes `once`), then for `settle` seconds more, as nothing tells that Orca is
        done: by then, Orca has said `once` once, and last."""
        since = len(self.read_log())
        action()

        def heard():
            said = self.spoken(since)
            return re.search(pattern, " ".join(said)) and (once is None or once in said)

        try:
            self.wait_until(name, heard)
        except Failure:
            raise Failure(f"{name}: Orca said {self.spoken(since)}")
        time.sleep(settle)
        said = self.spoken(since)
        if once is not None and (said.count(once) != 1 or said[-1] != once):
            raise Failure(f"{name}: '{once}' not said once and last: {said}")
        print(f"screenreader: {name}: Orca said {said}")


def main():
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print(f"screenreader: missing {', '.join(missing)} (make test installs them)",
              file=sys.stderr)
        return 1
    session = Session(sys.argv[1])
    try:
        session.set_up()
        session.step("on opening", session.open_tuvo,
                     r"Cliquer sur une flèche selon la conversion choisie cadre\. "
                     r"Arabe \(décimal\) texte\. 16\.")
        # The filters leave Ctrl+A to nothing, as every control character: a
        # field is emptied with Backspace, or its text selected and typed over.
        session.step("1994, then Return on the right arrow",
                     lambda: (session.keys("End", "BackSpace", "BackSpace"),
                              session.type("1994"), session.keys("Tab", "Tab", "Tab", "Return")),
                     r"Convertir en chiffres romains bouton\.", once="notification MCMXCIV.")
        session.step("the same answer again", lambda: session.keys("Return"),
                     r"entrée", once="notification MCMXCIV.")
        session.step("Text2 read whole on focus", lambda: session.keys("shift+Tab", "shift+Tab"),
                     r"Romain texte\. MCMXCIV sélectionné\.")
        session.step("both read with Orca's key for the current line",
                     lambda: session.keys("KP_Up"), r"^1994 MCMXCIV$")
        session.step("mmxxvi, then Space on the left arrow",
                     lambda: (session.keys("Home", "shift+End"), session.type("mmxxvi"),
                              session.keys("Tab", "space")),
                     r"Convertir en chiffres arabes bouton\.", once="notification 2026.")
        session.step("iiii is no standard numeral",
                     lambda: (session.keys("shift+Tab", "Home", "shift+End"),
                              session.type("iiii"), session.keys("Tab", "space")),
                     r"Convertir en chiffres arabes bouton\.", once="notification Non conforme.")
        session.step("Text1 read whole on focus", lambda: session.keys("shift+Tab", "shift+Tab"),
                     r"Arabe \(décimal\) texte\. Non conforme sélectionné\.")
        session.step("4000 becomes 3999, then its numeral",
                     lambda: (session.keys("Home", "shift+End"), session.type("4000"),
                              session.keys("Tab", "Tab", "Tab", "Return")),
                     r"Convertir en chiffres romains bouton\.",
                     once="notification 3999, MMMCMXCIX.")
        session.step("the About dialog is read on opening", lambda: session.keys("Tab", "Return"),
                     r"À propos de Tuvo boîte de dialogue Conversion de nombres arabes en nombres "
                     r"romains, ou l'inverse\. .* Valeurs limitées à 3999 Logiciel fourni tel quel, "
                     r"sans garantie\. Les auteurs de Tuvo\. OK bouton\.")
    except Failure as failure:
        print(f"screenreader: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
