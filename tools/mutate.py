#!/usr/bin/env python3
"""Plants typical faults in the program, one at a time, and tells which ones
the tests let through.

Each fault is one small edit of one line in convert/, ui/, app/, about/ or search/: a
comparison loosened or flipped, && and || swapped, true and false swapped, a
number moved by one (by one pixel, 15 twips, in a rectangle), a statement
deleted, a character dropped from a string (but for the names of controls),
an entry dropped from a list.
The tracked tree is copied into build-mutate/; for each fault the copy is
rebuilt incrementally and the whole suite run, stopping at the first failure.
A fault that does not build is no fault and is not counted.

Faults that cannot change what a user sees are listed, each with its reason,
in tests/equivalent-mutants.txt; a fault that survives and is not listed there
is a missing test.

Usage: tools/mutate.py [--only TEXT] [--every N] [--again LOG] [--list]
  --only TEXT   only files whose path contains TEXT
  --every N     only every Nth fault, for a quicker look
  --again LOG   only the faults that a run whose output is in LOG did not
                settle: those that survived it, listed or not, and those it
                never planted (on lines written since, or after it stopped),
                to see whether new tests catch them
  --list        print the faults without running anything
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

TOP = Path(__file__).resolve().parent.parent
WORK = TOP / "build-mutate"
TREE = WORK / "tree"
BUILD = WORK / "build"
FOLDERS = ("convert/", "ui/", "app/", "about/", "search/")
EQUIVALENT = "tests/equivalent-mutants.txt"
SEPARATOR = " ||| "  # between the fields of a line there, as code may hold "||"

STRING = re.compile(r'"(?:[^"\\]|\\.)*"')
# The design's names of the controls, which a user never sees: tests find the
# controls by them, and nothing else reads them.
CONTROL_NAME = re.compile(
    r'"(Label|Text|Command|Line)\d+"|"(cmd|lbl|pic)[A-Z]\w*"|"Form1"|"frmAbout"')
NUMBER = re.compile(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+\.\d+|\d+)(?![\w.])")
RELATIONS = {" == ": " != ", " != ": " == ", " < ": " <= ", " <= ": " < ",
             " > ": " >= ", " >= ": " > ", " && ": " || ", " || ": " && "}


def code_spans(line):
    """The line's code without its comment, and its string literals' spans."""
    strings = [m.span() for m in STRING.finditer(line)]
    end = len(line)
    at = 0
    while True:
        at = line.find("//", at)
        if at < 0 or not any(a <= at < b for a, b in strings):
            break
        at += 2
    if at >= 0:
        end = at
    return end, [(a, b) for a, b in strings if b <= end]


def outside(spans, start, stop):
    return not any(a < stop and start < b for a, b in spans)


def characters(body):
    """The characters of a literal's body, an escape sequence counting as one."""
    return re.findall(r"\\x[0-9A-Fa-f]{2}|\\.|[^\\]", body)


def list_items(code):
    """Spans of the items of one-line braced lists with two items or more."""
    for match in re.finditer(r"\{([^{}]*)\}", code):
        body, base = match.group(1), match.start(1)
        items, depth, start = [], 0, 0
        for i, c in enumerate(body):
            depth += c in "([" and 1 or c in ")]" and -1 or 0
            if c == "," and depth == 0:
                items.append((base + start, base + i + 1))
                start = i + 1
        if items and body[start:].strip():
            items.append((base + start, base + len(body)))
            yield items


def mutants_of(path, lines):
    inside_comment = False
    previous = ""
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if inside_comment or stripped.startswith("/*"):
            inside_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith(("#", "//")):
            continue
        end, strings = code_spans(line)
        code = line[:end]
        found = []

        def edit(start, stop, new, what):
            found.append((line[:start] + new + line[stop:], what))

        for old, new in RELATIONS.items():
            for m in re.finditer(re.escape(old), code):
                if outside(strings, *m.span()):
                    edit(*m.span(), new, f"{old.strip()} to {new.strip()}")
        for m in re.finditer(r"\b(true|false)\b", code):
            if outside(strings, *m.span()):
                edit(*m.span(), "false" if m.group() == "true" else "true", m.group() + " flipped")
        step = 15 if "twips(" in code or "px(" in code else 1
        for m in NUMBER.finditer(code):
            if outside(strings, *m.span()):
                text = m.group()
                value = (int(text, 16) if text.startswith("0x")
                         else float(text) if "." in text else int(text))
                moved = value + step
                new = hex(moved) if text.startswith("0x") else str(moved)
                edit(*m.span(), new, f"{text} to {new}")
        for a, b in strings:
            if CONTROL_NAME.fullmatch(line[a:b]):
                continue
            body = line[a + 1:b - 1]
            chars = characters(body)
            if not chars:
                edit(a, b, '"x"', "empty string filled")
                continue
            edit(a, b, '"' + "".join(chars[1:]) + '"', "first character dropped")
            if len(chars) > 1:
                edit(a, b, '"' + "".join(chars[:-1]) + '"', "last character dropped")
        for items in list_items(code):
            if outside(strings, items[0][0], items[-1][1]):
                edit(*items[0], "", "first list entry dropped")
                edit(items[-2][1] - 1, items[-1][1], "", "last list entry dropped")
        starts_statement = previous.endswith((";", "{", "}", ":")) or not previous
        if (path.endswith(".cpp") and code.rstrip().endswith(";") and starts_statement
                and not stripped.startswith(("return", "using", "class", "struct"))
                and "(" in code):
            found.append((line[:len(line) - len(line.lstrip())] + ";\n", "statement deleted"))
        for mutated, what in found:
            yield path, number, line, mutated, what
        if code.strip():
            previous = code.strip()


def all_mutants(only):
    files = subprocess.run(["git", "ls-files", *FOLDERS], cwd=TOP, check=True,
                           capture_output=True, text=True).stdout.split()
    for path in files:
        if not path.endswith((".cpp", ".h")) or (only and only not in path):
            continue
        yield from mutants_of(path, (TOP / path).read_text().splitlines(keepends=True))


def describe(mutant):
    path, number, line, mutated, what = mutant
    return f"{path}:{number}: {what}: {line.strip()}  ->  {mutated.strip()}"


def equivalent_key(path, line, mutated):
    return (path, " ".join(line.split()), " ".join(mutated.split()))


def read_equivalents():
    keys = set()
    listed = TOP / EQUIVALENT
    if not listed.exists():
        return keys
    for entry in listed.read_text().splitlines():
        if entry.startswith("#") or SEPARATOR not in entry:
            continue
        path, before, after, _reason = (part.strip() for part in entry.split(SEPARATOR, 3))
        keys.add(equivalent_key(path, before, after))
    return keys


def copy_tree():
    files = subprocess.run(["git", "ls-files"], cwd=TOP, check=True,
                           capture_output=True, text=True).stdout.split("\n")
    for name in filter(None, files):
        source, target = TOP / name, TREE / name
        if source.is_file() and (not target.exists()
                                 or target.read_bytes() != source.read_bytes()):
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, target)  # a new time stamp, so that the build sees it


def run(command, timeout=None):
    try:
        return subprocess.run(command, cwd=TREE, capture_output=True,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return 124


def build():
    return run(["cmake", "--build", str(BUILD), "--parallel", "2"]) == 0


# The slow test runs only for faults in the files it is for, and only once the
# quick tests have passed: "clients" checks under openbox and weston how the
# program starts and ends, its windows and their centring, and hears through
# Orca what a screen reader is told. A fault elsewhere that broke it would
# fail the quicker tests too: the GUI test checks every announcement.
SLOW = {"clients": ("app/main.cpp", "app/application.cpp", "app/startup.cpp", "app/form1.cpp",
                    "ui/window.cpp", "app/accessibility.cpp", "search/answers.cpp", "search/providers.cpp",
                    "search/main.cpp")}
# What only the desktops' window managers show: the kind of window both are,
# and their centring. (The platform chosen on GNOME's Wayland session is the
# program test's too, under weston.)
DESKTOPS = ("ui/window.cpp",)
# The core's tests run a program that links convert/ alone: a fault elsewhere
# leaves it the same bytes, so they run only for faults in convert/.
CORE_TESTS = "(ArabicToRoman|RomanToArabic|BothWays)[.].*"


def ctest(*selection):
    return run(["env", "QT_QPA_PLATFORM=offscreen", "ctest", "--test-dir", str(BUILD),
                "--stop-on-failure", "--timeout", "60", "--parallel", "2", *selection],
               timeout=600) == 0


def suite_passes(path=None):
    if path is None:
        return ctest()
    quick = list(SLOW) + ([] if path.startswith("convert/") else [CORE_TESTS])
    if not ctest("--exclude-regex", "^(" + "|".join(quick) + ")$"):
        return False
    slow = [test for test, files in SLOW.items() if path in files]
    if slow and not ctest("--tests-regex", "^(" + "|".join(slow) + ")$"):
        return False
    return path not in DESKTOPS or run(["env", f"TUVO={BUILD / 'app/tuvo'}", "/usr/bin/python3",
                                        "-m", "pytest", "-x",
                                        "-m", "desktops", str(TREE / "tests/clients")],
                                       timeout=900) == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--only", default="")
    parser.add_argument("--every", type=int, default=1)
    parser.add_argument("--again", default="")
    parser.add_argument("--list", action="store_true")
    options = parser.parse_args()

    mutants = list(all_mutants(options.only))[::max(1, options.every)]
    if options.again:
        # Matched without their line numbers, which edits since then may have moved.
        unnumbered = lambda text: re.sub(r"^([^:]+):\d+: ", r"\1: ", text)
        settled = {unnumbered(line.split(": ", 1)[1].rstrip("\n"))
                   for line in open(options.again)
                   if re.match(r"\[\d+/\d+\] (caught|does not build): ", line)}
        mutants = [mutant for mutant in mutants if unnumbered(describe(mutant)) not in settled]
    if options.list:
        for mutant in mutants:
            print(describe(mutant))
        print(f"{len(mutants)} faults")
        return 0

    TREE.mkdir(parents=True, exist_ok=True)
    copy_tree()
    generator = ["-G", "Ninja"] if shutil.which("ninja") else []
    if run(["cmake", "-S", str(TREE), "-B", str(BUILD), *generator,
            "-DCMAKE_BUILD_TYPE=Debug", "-DTUVO_BUILD_TESTS=ON"]) != 0 or not build():
        sys.exit("mutate: the unchanged tree does not build")
    if not suite_passes():
        sys.exit("mutate: the suite fails on the unchanged tree")

    equivalents = read_equivalents()
    planted = {equivalent_key(path, line, mutated) for path, _, line, mutated, _ in all_mutants("")}
    for path, before, after in sorted(equivalents - planted):
        print(f"mutate: {EQUIVALENT} lists a fault no longer planted: {path}: {before}")
    caught, survivors, known, unbuilt = 0, [], 0, 0
    started = time.monotonic()
    for index, mutant in enumerate(mutants, 1):
        path, number, line, mutated, what = mutant
        file = TREE / path
        original = file.read_text()
        lines = original.splitlines(keepends=True)
        lines[number - 1] = mutated
        file.write_text("".join(lines))
        try:
            if not build():
                unbuilt += 1
                verdict = "does not build"
            elif suite_passes(path):
                if equivalent_key(path, line, mutated) in equivalents:
                    known += 1
                    verdict = "survived (listed as equivalent)"
                else:
                    survivors.append(mutant)
                    verdict = "SURVIVED"
            else:
                caught += 1
                verdict = "caught"
        finally:
            file.write_text(original)
        print(f"[{index}/{len(mutants)}] {verdict}: {describe(mutant)}", flush=True)
    build()

    counted = caught + len(survivors) + known
    print(f"\n{len(mutants)} faults planted in {time.monotonic() - started:.0f} s; "
          f"{unbuilt} did not build.")
    if counted:
        print(f"Caught {caught} of {counted} ({100 * caught / counted:.1f}%); "
              f"{known} listed as equivalent; {len(survivors)} survived unexplained.")
    if counted - known:
        print(f"Caught {caught} of the {counted - known} that can change what a user sees "
              f"({100 * caught / (counted - known):.1f}%).")
    for mutant in survivors:
        print("  survived: " + describe(mutant))
    return 1 if survivors else 0


if __name__ == "__main__":
    sys.exit(main())
