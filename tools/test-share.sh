#!/bin/sh
# The tests' share of the code, counted whole: every text file under tests/
# (C++, scripts, tables, CMake), but the reference pictures and the list of
# equivalent faults, against the C++ outside tests/, bench/ and fuzz/, in
# non-blank lines of the files git tracks.
set -eu
# Bytes as they are, whatever the locale: a test file that is not UTF-8 counts too.
export LC_ALL=C
cd "$(dirname "$0")/.."
nonblank() { xargs -r grep -I -h -v '^[[:space:]]*$' | wc -l; }
code=$(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc' | grep -v -E '^(tests|bench|fuzz)/' | nonblank)
tests=$(git ls-files tests | grep -v -E '^tests/(reference/|equivalent-mutants)' | nonblank)
echo "Tests, counted whole: $tests non-blank lines against $code of code ($((100 * tests / code))%)."
