"""Tuvo as a blind user meets it: under the Orca screen reader, with French
speech, driven by real key presses; what Orca sends to speech is read from
its log."""

import re
import time

from conftest import TITLE, Desktop, wait_for


def start_orca(session):
    for key, value in (("a11y.applications", "screen-reader-enabled"), ("interface", "toolkit-accessibility")):
        assert session.run(["gsettings", "set", f"org.gnome.desktop.{key}", value, "true"]).returncode == 0
    session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    # French speech through espeak-ng, with no sound device: nothing needs one.
    speechd = session.scratch / "xdg_config_home" / "speech-dispatcher"
    speechd.mkdir()
    (speechd / "speechd.conf").write_text('AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                                          'DefaultModule espeak-ng\nDefaultLanguage "fr"\nAudioOutputMethod "libao"\n')
    session.start(["speech-dispatcher", "-s", "-t", "0"])
    locales = session.scratch / "locales"
    locales.mkdir()
    assert session.run(["localedef", "-i", "fr_FR", "-f", "UTF-8", str(locales / "fr_FR.UTF-8")]).returncode in (0, 1)
    # What Orca sends to speech goes to its standard error, line by line.
    customizations = session.scratch / "xdg_data_home" / "orca" / "orca-customizations.py"
    customizations.parent.mkdir()
    customizations.write_text("import orca.debug\norca.debug.debugLevel = orca.debug.LEVEL_INFO\n")
    # Orca will not start beside another Orca of the same user, found with
    # pgrep even in another session (the user's own, another test's): this
    # session's pgrep finds none.
    pgrep = session.scratch / "bin" / "pgrep"
    pgrep.parent.mkdir()
    pgrep.write_text("#!/bin/sh\nexit 1\n")
    pgrep.chmod(0o755)
    session.start(["orca"], LOCPATH=str(locales), LANG="fr_FR.UTF-8", LANGUAGE="fr",
                  PATH=f"{pgrep.parent}:{session.env['PATH']}")
    wait_for("Orca's start", lambda: "Starting registry" in session.log("orca.log"))


def test_speaks_the_answer(session):
    desktop = Desktop(session, "openbox")
    start_orca(session)

    def said():
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\[?\{'", session.log("orca.log"))
    session.tuvo(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    desktop.xdotool("windowactivate", "--sync", desktop.window(TITLE).id)
    wait_for("the field read on opening", lambda: "Arabe (décimal) texte. 16." in " ".join(said()),
             seen=lambda: f"Orca said {said()}")
    opened = len(said())
    desktop.xdotool("key", "--delay", 50, "End", "BackSpace", "BackSpace", "type", "--delay", 50, "1994")
    desktop.xdotool("key", "--delay", 50, "Tab", "Tab", "Tab", "Return")
    # Said once, and last: nothing tells when Orca is done, so a second and a
    # half more is given.
    wait_for("the answer said", lambda: "notification MCMXCIV." in said()[opened:],
             seen=lambda: f"Orca said {said()[opened:]}")
    time.sleep(1.5)
    assert said()[opened:].count("notification MCMXCIV.") == 1 and said()[-1] == "notification MCMXCIV."
    assert "Convertir en chiffres romains bouton." in said()[opened:]
