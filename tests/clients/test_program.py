"""The program as a user starts it: what it says without a window, and the
window system it chooses."""

import re
from pathlib import Path

import pytest

from conftest import TITLE, TUVO, Desktop, wait_for

TESTS = Path(__file__).resolve().parent.parent
VERSION = re.match(r"tuvo \((\S+)\)", (TESTS.parent / "debian/changelog").read_text())[1]
NO_DISPLAY = "Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou Wayland, n'est joignable.\n"


# The session has no locale at all, as on a fresh Debian. With no display, the
# program ends with status 1, not with Qt's abort and its core.
@pytest.mark.parametrize("arguments, env, status, out, err", [
    (["--version"], {}, 0, f"Tuvo {VERSION}\n", ""),
    (["--help"], {}, 0, (TESTS / "reference" / "help.txt").read_text(), ""),
    (["-x"], {"QT_QPA_PLATFORM": "offscreen"}, 2, "",
     "tuvo : option inconnue « -x » ; tuvo --help donne la liste.\n"),
    ([], {}, 1, "", NO_DISPLAY),
    ([], {"QT_QPA_PLATFORM": "wayland"}, 1, "", NO_DISPLAY),
])
def test_answers(session, arguments, env, status, out, err):
    result = session.run([TUVO, *arguments], **env)
    assert (result.returncode, result.stdout, result.stderr[-len(err):] if err else "") == (status, out, err)


# A Wayland session takes Wayland, but GNOME's, with an X display there, takes
# X11, unless the user names the platform.
@pytest.mark.parametrize("desktop, env, x11", [
    (None, {}, False), ("GNOME", {}, True), ("ubuntu:GNOME", {}, True),
    ("GNOME", {"QT_QPA_PLATFORM": "wayland"}, False),
])
def test_chooses_its_platform(session, desktop, env, x11):
    x = Desktop(session, "openbox")
    session.start(["weston", "--backend=headless-backend.so", "--socket=tuvo", "--idle-time=0", "--debug"])
    wait_for("weston's start", lambda: Path(session.env["XDG_RUNTIME_DIR"], "tuvo").exists())
    session.env.update(WAYLAND_DISPLAY="tuvo", XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP=desktop or "")

    def on_wayland():
        scene = session.run(["timeout", "5", "weston-debug", "scene-graph"]).stdout
        return re.search(rf"top-level window '{TITLE}' of fr\.tuvo\.tuvo.*\n(.*\n){{0,3}}.*outputs: 0", scene)
    session.tuvo(**env)
    wait_for("its window", lambda: TITLE in x.windows() if x11 else on_wayland())
    assert (TITLE in x.windows()) == x11
