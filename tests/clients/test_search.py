"""Tuvo's answers in the desktop's search, through a session bus that starts the provider from its
service file, called as GNOME Shell and KRunner call it."""

import re
import subprocess

import pytest

from conftest import TITLE, Desktop

PROVIDER = ["--dest", "fr.tuvo.tuvo.SearchProvider", "--object-path", "/fr/tuvo/tuvo/SearchProvider"]
GNOME, KRUNNER = "org.gnome.Shell.SearchProvider2.", "org.kde.krunner1."


def call(session, method, *arguments):
    result = session.run(["gdbus", "call", "--session", *PROVIDER, "--method", method, *arguments])
    assert result.returncode == 0, result.stderr
    return result.stdout.strip()


@pytest.mark.parametrize("query, id, description", [
    ("1994", "1994=MCMXCIV", "1994 en chiffres romains"), ("mcmxciv", "MCMXCIV=1994", "MCMXCIV en chiffres arabes"),
    ("3999", "3999=MMMCMXCIX", "3999 en chiffres romains"), ("CM", "CM=900", "CM en chiffres arabes"),
    ("4000", None, None), ("0", None, None), ("IIII", None, None), ("mix", None, None), ("1 9", None, None),
    ("m" * 100_000, None, None),
])
def test_answers(session, query, id, description):
    ids = call(session, GNOME + "GetInitialResultSet", repr(query.split()))
    matches = call(session, KRUNNER + "Match", query)
    if id is None:
        assert (ids, matches) == ("(@as [],)", "(@a(sssida{sv}) [],)")
        return
    answer = id.split("=")[1]
    assert ids == f"(['{id}'],)"
    assert call(session, GNOME + "GetSubsearchResultSet", "['1']", repr([query])) == ids
    assert call(session, GNOME + "GetResultMetas", repr([id])) == (
        f"([{{'clipboardText': <'{answer}'>, 'description': <'{description}'>, 'icon': <'tuvo'>, 'id': <'{id}'>, "
        f"'name': <'{answer}'>}}],)")
    assert re.match(rf"\(\[\('{id}', '{answer}', 'tuvo', (100|30), [01]\.\d+, {{'subtext': <'{description}'>}}\)\],\)",
                    matches)
    assert call(session, KRUNNER + "Actions") == "(@a(sss) [],)"


# Clients at once, each answered its own.
def test_answers_clients_at_once(session):
    asked = {"1994": "MCMXCIV", "2009": "MMIX", "3888": "MMMDCCCLXXXVIII", "MMXXVI": "2026"}
    calls = [(answer, subprocess.Popen(["gdbus", "call", "--session", *PROVIDER, "--method", KRUNNER + "Match", query],
                                       env=session.env, stdout=subprocess.PIPE, text=True))
             for query, answer in list(asked.items()) * 8]
    assert all(f"', '{answer}', 'tuvo'" in call.communicate(timeout=60)[0] for answer, call in calls)


# A chosen result opens Tuvo with the query, which the window types and converts.
@pytest.mark.parametrize("method, arguments", [(GNOME + "ActivateResult", ["MCMXCIV=1994", "['mcmxciv']", "0"]),
                                               (KRUNNER + "Run", ["MCMXCIV=1994", ""])])
def test_opens_tuvo(session, method, arguments):
    desktop = Desktop(session, "openbox")
    session.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                 "--method", "org.freedesktop.DBus.UpdateActivationEnvironment", f"{{'DISPLAY': '{session.env['DISPLAY']}'}}"])
    call(session, method, *arguments)
    window = desktop.window(TITLE)
    pid = desktop.property(window, "_NET_WM_PID")[0]
    assert open(f"/proc/{pid}/cmdline").read().split("\0")[1:] == ["MCMXCIV", ""]
