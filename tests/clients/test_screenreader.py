"""Tuvo as a blind user meets it: under the Orca screen reader, with French
speech, driven by real key presses; what Orca sends to speech is read from
what it logs."""

import re
import time

from conftest import TITLE, Desktop, wait_for

# Keys pressed, then what Orca says, joined, must match; and, where given, one
# notification it says once, and last.
STEPS = [
    ("1994, then Return on the right arrow", ["End", "BackSpace", "BackSpace", "type 1994",
                                              "Tab", "Tab", "Tab", "Return"],
     r"Convertir en chiffres romains bouton\.", "notification MCMXCIV."),
    ("the same answer again", ["Return"], r"entrée", "notification MCMXCIV."),
    ("Text2 read whole on focus", ["shift+Tab", "shift+Tab"], r"Romain texte\. MCMXCIV sélectionné\.",
     None),
    ("both read with Orca's key for the current line", ["KP_Up"], r"^1994 MCMXCIV$", None),
    ("mmxxvi, then Space on the left arrow", ["Home", "shift+End", "type mmxxvi", "Tab", "space"],
     r"Convertir en chiffres arabes bouton\.", "notification 2026."),
    ("iiii is no standard numeral", ["shift+Tab", "Home", "shift+End", "type iiii", "Tab", "space"],
     r"Convertir en chiffres arabes bouton\.", "notification Non conforme."),
    ("Text1 read whole on focus", ["shift+Tab", "shift+Tab"],
     r"Arabe \(décimal\) texte\. Non conforme sélectionné\.", None),
    ("4000 becomes 3999, then its numeral", ["Home", "shift+End", "type 4000", "Tab", "Tab", "Tab",
                                             "Return"],
     r"Convertir en chiffres romains bouton\.", "notification 3999, MMMCMXCIX."),
    ("the About dialog is read on opening", ["Tab", "Return"],
     r"À propos de Tuvo boîte de dialogue Conversion de nombres arabes en nombres romains, ou "
     r"l'inverse\. .* Valeurs limitées à 3999 Logiciel fourni tel quel, sans garantie\. Les "
     r"auteurs de Tuvo\. OK bouton\.", None),
]


class Orca:
    def __init__(self, session):
        self.log = session.scratch / "orca.log"
        for key, value in (("a11y.applications", "screen-reader-enabled"),
                           ("interface", "toolkit-accessibility")):
            assert session.run(["gsettings", "set", f"org.gnome.desktop.{key}", value,
                                "true"]).returncode == 0
        session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # French speech through espeak-ng, with no sound device: nothing needs one.
        speechd = session.scratch / "xdg_config_home" / "speech-dispatcher"
        speechd.mkdir()
        (speechd / "speechd.conf").write_text(
            'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\nDefaultModule espeak-ng\n'
            'DefaultLanguage "fr"\nAudioOutputMethod "libao"\n')
        session.start(["speech-dispatcher", "-s", "-t", "0"])
        locales = session.scratch / "locales"
        locales.mkdir()
        assert session.run(["localedef", "-i", "fr_FR", "-f", "UTF-8",
                            str(locales / "fr_FR.UTF-8")]).returncode in (0, 1)
        # What Orca sends to speech, on its standard error, which Python writes
        # out line by line: none is lost when it stops.
        customizations = session.scratch / "xdg_data_home" / "orca" / "orca-customizations.py"
        customizations.parent.mkdir()
        customizations.write_text("import orca.debug\norca.debug.debugLevel = orca.debug.LEVEL_INFO\n")
        # Orca will not start beside another of the same user, which it finds
        # with pgrep, even one in another session on its own buses (the user's
        # own Orca, another test's): this session's pgrep finds none.
        pgrep = session.scratch / "bin" / "pgrep"
        pgrep.parent.mkdir()
        pgrep.write_text("#!/bin/sh\nexit 1\n")
        pgrep.chmod(0o755)
        session.start(["orca"], LOCPATH=str(locales), LANG="fr_FR.UTF-8", LANGUAGE="fr",
                      PATH=f"{pgrep.parent}:{session.env['PATH']}")
        wait_for("Orca's start", lambda: "Starting registry" in self.read(), seconds=60)

    def read(self):
        return self.log.read_text(errors="replace") if self.log.exists() else ""

    def said(self, since):
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\[?\{'", self.read()[since:])

    def hears(self, name, action, pattern, once=None, settle=1.5):
        """Does `action`, then waits until what Orca says matches `pattern` (and
        includes `once`), then `settle` seconds more, as nothing tells that Orca
        is done: by then it has said `once` once, and last."""
        since = len(self.read())
        action()
        wait_for(name, lambda: re.search(pattern, " ".join(self.said(since)))
                 and (once is None or once in self.said(since)),
                 seen=lambda: f"Orca said {self.said(since)}")
        time.sleep(settle)
        said = self.said(since)
        assert once is None or (said.count(once) == 1 and said[-1] == once), said


def test_speaks_every_answer(session, tuvo):
    desktop = Desktop(session, "openbox")
    orca = Orca(session)

    def open_tuvo():
        tuvo(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        main = desktop.window(TITLE)
        desktop.xdotool("windowactivate", "--sync", main.id)

    orca.hears("on opening", open_tuvo, r"Cliquer sur une flèche selon la conversion choisie "
                                        r"cadre\. Arabe \(décimal\) texte\. 16\.")
    for name, keys, pattern, once in STEPS:
        orca.hears(name, lambda: [desktop.xdotool("type", "--delay", 50, key[5:])
                                  if key.startswith("type ") else
                                  desktop.xdotool("key", "--delay", 50, key) for key in keys],
                   pattern, once)
