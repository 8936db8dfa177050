"""The program as a user starts it, its windows as a window manager shows them, and its end."""

import re
import time
from pathlib import Path

import pytest
from Xlib import X

from conftest import ABOUT, TITLE, TUVO, Desktop, wait_for

TESTS = Path(__file__).resolve().parent.parent
VERSION = re.match(r"tuvo \((\S+)\)", (TESTS.parent / "debian/changelog").read_text())[1]
NO_DISPLAY = "Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou Wayland, n'est joignable.\n"


# In a session with no locale. With no display, status 1, not Qt's abort and its core.
@pytest.mark.parametrize("arguments, env, status, out, err", [
    (["--version"], {}, 0, f"Tuvo {VERSION}\n", ""),
    (["--help"], {}, 0, (TESTS / "reference" / "help.txt").read_text(), ""),
    (["-x"], {"QT_QPA_PLATFORM": "offscreen"}, 2, "", "tuvo : option inconnue « -x » ; tuvo --help donne la liste.\n"),
    (["1", "2"], {"QT_QPA_PLATFORM": "offscreen"}, 2, "", "tuvo : argument inattendu « 2 » ; tuvo en prend un au plus.\n"),
    ([], {}, 1, "", NO_DISPLAY),
    ([], {"QT_QPA_PLATFORM": "wayland"}, 1, "", NO_DISPLAY),
])
def test_answers(session, arguments, env, status, out, err):
    result = session.run([TUVO, *arguments], **env)
    assert (result.returncode, result.stdout, result.stderr[-len(err):] if err else "") == (status, out, err)


# A Wayland session takes Wayland, but GNOME's takes X11 unless the user names the platform.
@pytest.mark.parametrize("desktop, env, x11", [(None, {}, False), ("ubuntu:GNOME", {}, True),
                                               ("GNOME", {"QT_QPA_PLATFORM": "wayland"}, False)])
def test_chooses_its_platform(session, desktop, env, x11):
    x = Desktop(session, "openbox")  # GNOME's Xwayland
    session.start(["weston", "--backend=headless-backend.so", "--socket=tuvo", "--idle-time=0", "--debug"])
    wait_for("weston's start", lambda: Path(session.env["XDG_RUNTIME_DIR"], "tuvo").exists())
    session.env.update(WAYLAND_DISPLAY="tuvo", XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP=desktop or "")

    def on_wayland():
        scene = session.run(["timeout", "5", "weston-debug", "scene-graph"]).stdout
        return re.search(rf"top-level window '{TITLE}' of fr\.tuvo\.tuvo.*\n(.*\n){{0,3}}.*outputs: 0", scene)
    session.tuvo(**env)
    wait_for("its window", lambda: TITLE in x.windows() if x11 else on_wayland())
    assert (TITLE in x.windows()) == x11


def centred(desktop, window, size):
    """The client area of the design's size, its frame centred in the work area within 2 pixels."""
    left, top, width, height = (desktop.property(desktop.x.screen().root, "_NET_WORKAREA") or [0, 0, 1280, 1024])[:4]

    def offset():
        x, y, w, h = desktop.frame(window) or (-99, -99, 0, 0)
        return max(abs(2 * x + w - 2 * left - width), abs(2 * y + h - 2 * top - height))
    wait_for(f"{size} centred with its frame", lambda: desktop.geometry(window)[2:] == size and offset() <= 4,
             seen=lambda: f"Client {desktop.geometry(window)}, frame {desktop.frame(window)}")


@pytest.mark.parametrize("wm", ["openbox", pytest.param("xfwm4", marks=pytest.mark.desktops),
                                pytest.param("kwin_x11", marks=pytest.mark.desktops)])
def test_windows(session, wm):
    desktop = Desktop(session, wm)
    tuvo = session.tuvo()
    main = desktop.window(TITLE)
    assert main.get_wm_name() == TITLE  # as clients that read only the ICCCM name show it
    assert len(desktop.property(main, "_NET_WM_ICON") or []) > 24 * 24  # the temple, for title bars and task lists
    centred(desktop, main, (349, 202))
    actions = {desktop.x.get_atom_name(atom) for atom in
               wait_for("the actions allowed", lambda: desktop.property(main, "_NET_WM_ALLOWED_ACTIONS"))}
    assert "_NET_WM_ACTION_CLOSE" in actions and not {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ"} & actions
    desktop.click(main, 44, 16)  # "A propos"
    about = desktop.window(ABOUT)
    centred(desktop, about, (383, 337))
    wait_for("the About dialog in front", lambda: desktop.in_front(ABOUT, TITLE))

    # Moved from under the dialog and clicked, the main window comes in front; "A propos" brings the dialog back.
    main.configure(x=20, y=60)
    wait_for("the main window moved", lambda: desktop.geometry(main)[0] < 100)
    desktop.click(main, 60, 100)
    wait_for("the main window in front once clicked", lambda: desktop.in_front(TITLE, ABOUT))
    desktop.click(main, 44, 16)
    wait_for("the About dialog in front again", lambda: desktop.in_front(ABOUT, TITLE))
    assert list(desktop.windows()).count(ABOUT) == 1

    # 1994 typed and converted while the dialog is open: the Roman field is drawn anew.
    def roman_field():
        return main.get_image(200, 144, 137, 23, X.ZPixmap, 0xFFFFFFFF).data
    before = roman_field()
    desktop.click(main, 70, 155)  # Text1
    desktop.xdotool("key", "End", "BackSpace", "BackSpace", "type", "--delay", 50, "1994")
    desktop.click(main, 168, 142)  # the arrow pointing right
    wait_for("MCMXCIV drawn", lambda: sum(a != b for a, b in zip(before, roman_field())) > 100)

    # Its main window closed, the program goes on with the dialog, and ends with status 0 with it.
    desktop.close(main)
    wait_for("the main window closed", lambda: TITLE not in desktop.windows())
    time.sleep(1)  # as long as a program that quit takes to end
    assert tuvo.poll() is None and ABOUT in desktop.windows(), "it ended with the About dialog open"
    desktop.close(about)
    assert tuvo.wait(10) == 0


def test_keeps_the_position_given(session):
    desktop = Desktop(session, "openbox")
    session.tuvo("-geometry", "+10+10")
    main = desktop.window(TITLE)
    wait_for("the frame at 10,10", lambda: (desktop.frame(main) or [0])[:2] == (10, 10),
             seen=lambda: f"Frame {desktop.frame(main)}")
