#!/bin/sh
# The built program as a user starts it: it shows its window and stays up
# until it is asked to end, and it explains itself where no window can be shown.
# Usage: program.sh PATH-TO-TUVO
set -u
tuvo=$1
fail() { echo "program: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch" # else Qt warns that there is none

QT_QPA_PLATFORM=offscreen "$tuvo" 2>"$scratch/err" &
pid=$!
sleep 1
kill -0 "$pid" 2>/dev/null || fail "it did not stay up: $(cat "$scratch/err")"
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "asked to end, it exited with status $status"
[ ! -s "$scratch/err" ] || fail "it complained: $(cat "$scratch/err")"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tuvo" 2>"$scratch/err"
status=$?
[ "$status" -eq 1 ] || fail "with no display it exited with status $status"
[ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "with no display it said: $(cat "$scratch/err")"
echo "program: starts, ends cleanly, and explains a missing display"
