"""Both windows as the desktops' window managers show them, and as the X
server does without one; and the program on Wayland."""

import re

import pytest
from Xlib import X

from conftest import ABOUT, ABOUT_SIZE, MAIN_SIZE, TITLE, Desktop, wait_for


def framed_centred(desktop, window, size):
    """The client area has the design's size, and the frame is centred in the
    work area, within 2 pixels, once the window manager has framed it."""
    left, top, width, height = desktop.work_area()

    def offset():
        frame = desktop.poll(lambda: desktop.frame(window))
        return frame and (2 * frame[0] + frame[2] - 2 * left - width,
                          2 * frame[1] + frame[3] - 2 * top - height)
    wait_for(f"{desktop.title(window)!r} centred with its frame",
             lambda: desktop.geometry(window)[2:] == size and max(map(abs, offset() or (9, 9))) <= 4,
             seen=lambda: f"Client {desktop.geometry(window)}, frame {desktop.frame(window)}, "
                          f"work area {desktop.work_area()}")


def at(desktop, window, x, y):
    """The frame's top-left corner, or the client area's, at x, y within 2
    pixels: window managers take a program's move either way."""
    client = desktop.poll(lambda: desktop.geometry(window))
    return framed_at(desktop, window, x, y) or client and abs(client[0] - x) <= 2 and abs(client[1] - y) <= 2


def framed_at(desktop, window, x, y):
    frame = desktop.poll(lambda: desktop.frame(window))
    return frame and abs(frame[0] - x) <= 2 and abs(frame[1] - y) <= 2


def test_windows(desktop, tuvo):
    program = tuvo()
    main = desktop.window(TITLE)
    # The title as clients that read only the ICCCM name show it, in a session
    # with no locale.
    assert main.get_wm_name() == TITLE
    if desktop.wm != "none":
        framed_centred(desktop, main, MAIN_SIZE)
        assert "_NET_WM_ACTION_CLOSE" in desktop.allowed_actions(main)
        assert not {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                    "_NET_WM_ACTION_MAXIMIZE_VERT"} & desktop.allowed_actions(main)
    desktop.click(main, 44, 16)  # "A propos"
    about = desktop.window(ABOUT)
    if desktop.wm != "none":
        framed_centred(desktop, about, ABOUT_SIZE)
    wait_for("the About dialog in front", lambda: desktop.above(about, main))

    # Centred once: moved by hand, out from under the dialog, the main window
    # stays there, comes in front when clicked, and "A propos" brings the one
    # dialog back in front.
    left, top, _, _ = desktop.work_area()
    desktop.move(main, left + 40, top + 60)
    wait_for("the main window moved by hand", lambda: at(desktop, main, left + 40, top + 60))
    desktop.click(main, 60, 100)
    if desktop.wm == "none":  # nothing raises a window clicked
        main.configure(stack_mode=X.Above)
    wait_for("the main window in front once clicked", lambda: desktop.above(main, about))
    assert at(desktop, main, left + 40, top + 60), "the main window moved again"
    desktop.click(main, 44, 16)
    wait_for("the About dialog in front again", lambda: desktop.above(about, main))
    assert list(desktop.windows()).count(ABOUT) == 1

    # 1994 typed and converted: the Roman field is drawn anew.
    roman = (200, 144, 137, 23)
    before = desktop.pixels(main, *roman)
    desktop.click(main, 70, 155)  # Text1
    desktop.xdotool("key", "End", "BackSpace", "BackSpace", "type", "--delay", 50, "1994")
    desktop.click(main, 168, 142)  # the arrow pointing right
    wait_for("MCMXCIV drawn in the Roman field",
             lambda: sum(a != b for a, b in zip(before, desktop.pixels(main, *roman))) > 100)
    program.end()


@pytest.mark.parametrize("wm", ["openbox", pytest.param("xfwm4", marks=pytest.mark.desktops),
                                pytest.param("kwin_x11", marks=pytest.mark.desktops)])
def test_keeps_the_position_given(session, tuvo, wm):
    desktop = Desktop(session, wm)
    program = tuvo("-geometry", "+10+10")
    main = desktop.window(TITLE)
    wait_for("the frame at 10,10", lambda: framed_at(desktop, main, 10, 10),
             seen=lambda: f"Frame {desktop.frame(main)}")
    program.end()
    program = tuvo("-geometry", "400x300+100+50", "-title", "-v")
    main = desktop.window("-v")
    wait_for("the frame at 100,50", lambda: framed_at(desktop, main, 100, 50))
    assert desktop.geometry(main)[2:] == MAIN_SIZE
    program.end()


# The main window closed by the user leaves the program running with the About
# dialog; its last window closed, the program ends with status 0.
def test_ends_with_its_last_window(session, tuvo):
    desktop = Desktop(session, "openbox")
    program = tuvo()
    main = desktop.window(TITLE)
    desktop.click(main, 44, 16)
    about = desktop.window(ABOUT)
    desktop.ewmh.setCloseWindow(main)
    desktop.x.flush()
    wait_for("the main window closed", lambda: TITLE not in desktop.windows())
    assert program.process.poll() is None, "it ended with the About dialog open"
    assert ABOUT in desktop.windows()
    desktop.ewmh.setCloseWindow(about)
    desktop.x.flush()
    assert program.process.wait(5) == 0


@pytest.fixture
def weston(session):
    session.start(["weston", "--backend=headless-backend.so", "--socket=tuvo-test",
                   "--idle-time=0", "--debug"])
    wait_for("weston's start", lambda: (session.scratch / "xdg_runtime_dir/tuvo-test").exists())

    def shown():
        scene = session.run(["timeout", "5", "weston-debug", "scene-graph"],
                            WAYLAND_DISPLAY="tuvo-test").stdout
        return re.search(rf"top-level window '{TITLE}' of fr\.tuvo\.tuvo.*\n(.*\n){{0,3}}.*outputs: 0",
                         scene)
    return shown


# A Wayland session takes Wayland, but GNOME's, with an X display there, takes
# X11 (here a bare X server), unless the user names the platform.
@pytest.mark.parametrize("desktop_names, arguments, env, x11", [
    (None, [], {}, False),
    ("GNOME", [], {}, True),
    ("GNOME-Classic:GNOME", [], {}, True),
    ("ubuntu:GNOME", [], {}, True),
    ("GNOME", ["-platform", "wayland"], {}, False),
    ("GNOME", [], {"QT_QPA_PLATFORM": "wayland"}, False),
])
def test_chooses_its_platform(session, tuvo, weston, desktop_names, arguments, env, x11):
    desktop = Desktop(session, "none")
    session.env.update(WAYLAND_DISPLAY="tuvo-test", XDG_SESSION_TYPE="wayland")
    if desktop_names:
        session.env["XDG_CURRENT_DESKTOP"] = desktop_names
    else:
        del session.env["DISPLAY"]
    program = tuvo(*arguments, **env)
    if x11:
        desktop.window(TITLE)
    else:
        wait_for("its window on Wayland", weston)
    program.end()
