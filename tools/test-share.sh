#!/bin/sh
# The tests' share of the code, in non-blank lines of the files git tracks.
# Tests: every text file under tests/ (but the reference pictures and the list
# of equivalent faults), debian/tests/ and fuzz/, and the code that only the
# tests, the fuzzer and the benchmarks use (the independent Roman writer).
# Code: the C++ of the folders the installed programs are built from.
set -eu
# Bytes as they are, whatever the locale: a test file that is not UTF-8 counts too.
export LC_ALL=C
cd "$(dirname "$0")/.."
nonblank() { xargs -r grep -I -h -v '^[[:space:]]*$' | wc -l; }
product='^(app|about|ui|convert|search)/'
code=$(git ls-files '*.cpp' '*.h' | grep -E "$product" | nonblank)
tests=$(git ls-files tests debian/tests fuzz romanwriter \
        | grep -v -E '^tests/(reference/|equivalent-mutants)' | nonblank)
echo "Tests, counted whole: $tests non-blank lines against $code of code ($(awk "BEGIN { printf \"%.1f\", 100 * $tests / $code }")%)."
