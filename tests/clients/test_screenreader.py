"""Tuvo under the Orca screen reader, with French speech, driven by real key presses."""

import re
import time

from conftest import TITLE, Desktop, wait_for


def test_speaks_the_answer(session):
    desktop = Desktop(session, "openbox")
    for key, value in (("a11y.applications", "screen-reader-enabled"), ("interface", "toolkit-accessibility")):
        assert session.run(["gsettings", "set", f"org.gnome.desktop.{key}", value, "true"]).returncode == 0
    session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    speechd = session.scratch / "xdg_config_home" / "speech-dispatcher"  # espeak-ng, with no sound device
    speechd.mkdir()
    (speechd / "speechd.conf").write_text('AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                                          'DefaultModule espeak-ng\nDefaultLanguage "fr"\nAudioOutputMethod "libao"\n')
    session.start(["speech-dispatcher", "-s", "-t", "0"])
    # What Orca sends to speech goes to its log; it will not start beside another Orca found by pgrep.
    (session.scratch / "xdg_data_home" / "orca").mkdir()
    (session.scratch / "xdg_data_home" / "orca" / "orca-customizations.py").write_text(
        "import orca.debug\norca.debug.debugLevel = orca.debug.LEVEL_INFO\n")
    (session.scratch / "pgrep").symlink_to("/bin/false")
    session.start(["orca"], LANGUAGE="fr", PATH=f"{session.scratch}:{session.env['PATH']}")
    wait_for("Orca's start", lambda: "Starting registry" in session.log("orca.log"))

    def said():
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\[?\{'", session.log("orca.log"))
    session.tuvo(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    desktop.xdotool("windowactivate", "--sync", desktop.window(TITLE).id)
    wait_for("the field read", lambda: "16." in " ".join(said()), seen=lambda: f"Orca said {said()}")
    opened = len(said())
    desktop.xdotool("key", "End", "BackSpace", "BackSpace", "type", "1994")
    desktop.xdotool("key", "Tab", "Tab", "Tab", "Return")
    # Said once, and last: nothing tells when Orca is done, so 1.5 s more is given.
    wait_for("the answer", lambda: "notification MCMXCIV." in said()[opened:], seen=lambda: f"Orca said {said()}")
    time.sleep(1.5)
    assert said()[opened:].count("notification MCMXCIV.") == 1 and said()[-1] == "notification MCMXCIV."
