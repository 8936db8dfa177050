"""Both windows as a window manager shows them, and the program's end."""

import time

import pytest
from Xlib import X

from conftest import ABOUT, TITLE, Desktop, wait_for


def centred(desktop, window, size):
    """The client area has the design's size, and the frame's centre is the
    work area's, within 2 pixels, once the window manager has framed it."""
    root = desktop.x.screen().root
    left, top, width, height = (desktop.property(root, "_NET_WORKAREA") or [0, 0, 1280, 1024])[:4]

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
    centred(desktop, main, (349, 202))
    actions = {desktop.x.get_atom_name(atom) for atom in
               wait_for("the actions allowed", lambda: desktop.property(main, "_NET_WM_ALLOWED_ACTIONS"))}
    assert "_NET_WM_ACTION_CLOSE" in actions
    assert not {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ"} & actions
    desktop.click(main, 44, 16)  # "A propos"
    about = desktop.window(ABOUT)
    centred(desktop, about, (383, 337))
    wait_for("the About dialog in front", lambda: desktop.in_front(ABOUT, TITLE))

    # Moved by hand from under the dialog, the main window comes in front when
    # clicked, and "A propos" brings the one dialog back in front.
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

    # Its main window closed, the program goes on with the dialog; its last
    # window closed, it ends with status 0.
    desktop.ewmh.setCloseWindow(main)
    desktop.x.flush()
    wait_for("the main window closed", lambda: TITLE not in desktop.windows())
    time.sleep(1)  # as long as a program that quit takes to end
    assert tuvo.poll() is None and ABOUT in desktop.windows(), "it ended with the About dialog open"
    desktop.ewmh.setCloseWindow(about)
    desktop.x.flush()
    assert tuvo.wait(10) == 0


def test_keeps_the_position_given(session):
    desktop = Desktop(session, "openbox")
    session.tuvo("-geometry", "+10+10")
    main = desktop.window(TITLE)
    wait_for("the frame at 10,10", lambda: (desktop.frame(main) or [0])[:2] == (10, 10),
             seen=lambda: f"Frame {desktop.frame(main)}")
