"""The program as a user starts it, from a terminal or a session: what it says
without a window, and how it ends."""

import re
import signal
from pathlib import Path

import pytest

from conftest import TUVO, wait_for

TESTS = Path(__file__).resolve().parent.parent
VERSION = re.match(r"tuvo \((\S+)\)", (TESTS.parent / "debian/changelog").read_text())[1]
HELP = (TESTS / "reference" / "help.txt").read_text()
NO_DISPLAY = ("Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou Wayland, "
              "n'est joignable.\n")
OFFSCREEN = {"QT_QPA_PLATFORM": "offscreen"}


def started(process):
    """The program is past its start: it has its own handler for SIGTERM."""
    status = Path(f"/proc/{process.pid}/status").read_text()
    return int(re.search(r"SigCgt:\s*(\w+)", status)[1], 16) >> (signal.SIGTERM - 1) & 1


# The session has no locale at all, as on a fresh Debian.
@pytest.mark.parametrize("arguments, env, status, out, err", [
    (["--version"], {}, 0, f"Tuvo {VERSION}\n", ""),
    (["-style", "Fusion", "-v"], {}, 0, f"Tuvo {VERSION}\n", ""),
    (["--help"], {}, 0, HELP, ""),
    (["-style", "Fusion", "-h"], {}, 0, HELP, ""),
    ([], {}, 1, "", NO_DISPLAY),
    ([], {"DISPLAY": ":97"}, 1, "", NO_DISPLAY),
    ([], {"QT_QPA_PLATFORM": "wayland"}, 1, "", NO_DISPLAY),
    (["-x"], OFFSCREEN, 2, "", "tuvo : option inconnue « -x » ; tuvo --help donne la liste.\n"),
    (["--bogus=1"], OFFSCREEN, 2, "",
     "tuvo : option inconnue « --bogus=1 » ; tuvo --help donne la liste.\n"),
    (["-", "-x"], OFFSCREEN, 2, "", "tuvo : option inconnue « -x » ; tuvo --help donne la liste.\n"),
    (["a"], OFFSCREEN, 2, "", "tuvo : argument inattendu « a » ; tuvo n'en prend aucun.\n"),
    (["--", "-v"], OFFSCREEN, 2, "", "tuvo : argument inattendu « -v » ; tuvo n'en prend aucun.\n"),
])
def test_answers(session, arguments, env, status, out, err):
    result = session.run([TUVO, *arguments], **env)
    assert (result.returncode, result.stdout, result.stderr) == (status, out, err)


# The values of Qt's options are Qt's, even one that looks like an option of
# Tuvo's: whatever Qt then does with it, Tuvo does not answer its version.
@pytest.mark.parametrize("option", [
    "platform", "platformpluginpath", "platformtheme", "plugin", "session", "qwindowgeometry",
    "qwindowtitle", "qwindowicon", "geometry", "title", "icon", "display", "name", "visual",
    "style", "stylesheet"])
def test_leaves_qt_the_values_of_its_options(session, option):
    process = session.start([TUVO, "-" + option, "-v"], log="tuvo.log", **OFFSCREEN)
    wait_for("its start", lambda: started(process), seen=lambda: session.log("tuvo.log"))
    session.end(process)
    assert f"Tuvo {VERSION}" not in session.log("tuvo.log")


# Any other cause than a display is Qt's to tell, after a sentence: here a
# plugin that does not exist, and the ones there are.
def test_explains_a_plugin_missing(session):
    result = session.run([TUVO], QT_QPA_PLATFORM="nosuchplugin")
    assert result.returncode == 1
    assert result.stderr.startswith("Tuvo ne peut pas ouvrir sa fenêtre : Qt n'a pu démarrer aucun "
                                    "module d'affichage. Qt explique :\n")
    assert re.search(r'^qt.qpa.plugin: Could not find the Qt platform plugin "nosuchplugin"',
                     result.stderr, re.M)
    assert re.search(r"^Available platform plugins are: .*offscreen", result.stderr, re.M)


# Up until asked to end, by a session or by Ctrl+C in its terminal; with
# standard input closed, the pipe that hears the end takes descriptor 0.
@pytest.mark.parametrize("command, ending", [
    ([TUVO], signal.SIGTERM),
    ([TUVO], signal.SIGINT),
    (["sh", "-c", 'exec "$0" <&-', TUVO], signal.SIGTERM),
])
def test_ends_when_asked(session, command, ending):
    process = session.start(command, log="tuvo.log", **OFFSCREEN)
    wait_for("its start", lambda: started(process), seen=lambda: session.log("tuvo.log"))
    process.send_signal(ending)
    assert process.wait(5) == 0
    assert session.log("tuvo.log") == ""


# Qt's messages while it starts are held back, then passed on as they came,
# each with its category.
def test_passes_on_qt_messages(session, tuvo):
    del session.env["XDG_RUNTIME_DIR"]
    program = tuvo(QT_LOGGING_RULES="qt.qpa.plugin=true", **OFFSCREEN)
    wait_for("Qt's messages", lambda: "XDG_RUNTIME_DIR not set" in program.output(),
             seen=program.output)
    program.end()
    assert re.search(r'^qt.qpa.plugin: Successfully loaded Qt platform plugin "offscreen"$',
                     program.output(), re.M)
