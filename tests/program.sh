#!/bin/sh
# The built program as a user starts it: on Qt's offscreen platform, on X11
# (Xvfb) and on a Wayland-only session (weston's headless backend), where it
# shows its window and stays up until it is asked to end, or under openbox
# until the user has closed its last window; with no display, or
# a display that names nothing, where it explains itself in one sentence; with
# a platform plugin that does not exist, where Qt's account follows; and with
# its two options and a wrong one.
# Usage: program.sh PATH-TO-TUVO VERSION
set -u
tuvo=$1 version=$2
fail() { echo "program: $*" >&2; exit 1; }
scratch=$(mktemp -d)
chmod 700 "$scratch"
trap 'kill $servers 2>/dev/null; rm -rf "$scratch"' EXIT
servers=
export XDG_RUNTIME_DIR="$scratch" # else Qt warns that there is none
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
unset LANG LANGUAGE LC_ALL LC_CTYPE # as on a fresh Debian: no locale at all

title="    Cliquer sur une flèche selon la conversion choisie"

# Runs "$@" in the background; checks that it shows its window (with the
# command $window_shown, which waits for it and says what went wrong if it
# did not) or else that it is still up
# after a second; ends it as a session would (or with the signal $signal),
# and expects status 0.
window_shown=
signal=TERM
stays_up() {
    what=$1
    shift
    "$@" 2>"$scratch/err" &
    pid=$!
    if [ -n "$window_shown" ]; then
        why=$($window_shown) || fail "$what: $why: $(cat "$scratch/err")"
    else
        sleep 1
    fi
    kill -0 "$pid" 2>/dev/null || fail "$what: it did not stay up: $(cat "$scratch/err")"
    kill -"$signal" "$pid"
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        fail "$what: asked to end, it was still running five seconds later"
    fi
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "$what: asked to end, it exited with status $status"
    echo "program: $what: up${window_shown:+, its window shown}, and ended cleanly"
}

# Expects status $2 and exactly the text $3, ending with a newline, on stream
# $1 (out or err).
answers() {
    stream=$1 expected_status=$2 expected=$3
    shift 3
    "$@" >"$scratch/out" 2>"$scratch/err"
    status=$?
    [ "$status" -eq "$expected_status" ] || fail "$*: status $status, not $expected_status"
    printf '%s\n' "$expected" | cmp -s - "$scratch/$stream" ||
        fail "$*: said '$(cat "$scratch/$stream")'"
}

stays_up offscreen env QT_QPA_PLATFORM=offscreen "$tuvo"
[ ! -s "$scratch/err" ] || fail "offscreen, it complained: $(cat "$scratch/err")"
# Qt's messages while it starts are held back, then passed on as they came,
# each with its category.
stays_up "offscreen, with a warning" env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen \
    QT_LOGGING_RULES=qt.qpa.plugin=true "$tuvo"
grep -q "XDG_RUNTIME_DIR not set" "$scratch/err" || fail "Qt's warning was lost: $(cat "$scratch/err")"
grep -q '^qt.qpa.plugin: Successfully loaded Qt platform plugin "offscreen"$' "$scratch/err" ||
    fail "Qt's message lost its category: $(cat "$scratch/err")"
# Ctrl+C in the terminal that started it.
signal=INT
stays_up "offscreen, interrupted" env QT_QPA_PLATFORM=offscreen "$tuvo"
signal=TERM
# With standard input closed, the pipe that hears the end of the session gets
# descriptor 0.
stays_up "standard input closed" env QT_QPA_PLATFORM=offscreen sh -c 'exec "$0" <&-' "$tuvo"

sentence="Tuvo ne peut pas ouvrir sa fenêtre : aucun affichage graphique, X11 ou Wayland, n'est joignable."
answers err 1 "$sentence" "$tuvo"
answers err 1 "$sentence" env DISPLAY=:97 "$tuvo"
answers err 1 "$sentence" env QT_QPA_PLATFORM=wayland "$tuvo"
# Any other cause is Qt's to tell, after a sentence: here a plugin that does
# not exist, and the ones there are.
env QT_QPA_PLATFORM=nosuchplugin "$tuvo" 2>"$scratch/err"
status=$?
[ "$status" -eq 1 ] || fail "no such plugin: status $status, not 1"
[ "$(head -n 1 "$scratch/err")" = "Tuvo ne peut pas ouvrir sa fenêtre : Qt n'a pu démarrer aucun module d'affichage. Qt explique :" ] &&
    grep -q '^qt.qpa.plugin: Could not find the Qt platform plugin "nosuchplugin"' "$scratch/err" &&
    grep -q '^Available platform plugins are: .*offscreen' "$scratch/err" ||
    fail "no such plugin: said '$(cat "$scratch/err")'"
answers out 0 "Tuvo $version" "$tuvo" --version
answers out 0 "Tuvo $version" "$tuvo" -style Fusion -v
answers out 0 "$(cat "$(dirname "$0")/reference/help.txt")" "$tuvo" --help
answers out 0 "$(cat "$(dirname "$0")/reference/help.txt")" "$tuvo" -style Fusion -h

# Waits for a server to write its file $1, up to five seconds.
wait_for() {
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ -s "$1" ] || [ -S "$1" ] && return 0
        sleep 0.5
    done
    fail "$2 did not start"
}

for tool in Xvfb xdotool xprop openbox weston weston-debug; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
done

# The visible window titled $1, waited for. xdotool reads titles in the
# locale's encoding, and a fresh Debian may have no locale set.
find_title() {
    LC_ALL=C.UTF-8 timeout 10 xdotool search --sync --onlyvisible --name "^$1\$"
}

# The window as the X server has it mapped, found by its title.
# The About dialog then opens from "A propos", and a second click brings it
# back above the main window. With no window manager, the window under the
# pointer is the top one.
x11_window() {
    main=$(find_title "$title") ||
        { echo "no window titled '$title' appeared"; return 1; }
    xdotool mousemove --window "$main" 44 16 click 1
    about=$(find_title "À propos de Tuvo") ||
        { echo "no About dialog appeared"; return 1; }
    xdotool windowraise "$main" mousemove --window "$main" 44 16 click 1 sleep 0.5
    eval "$(xdotool mousemove --window "$main" 100 100 getmouselocation --shell)"
    [ "$WINDOW" = "$about" ] || { echo "the About dialog stayed behind"; return 1; }
}
Xvfb -displayfd 3 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
servers="$servers $!"
wait_for "$scratch/display" Xvfb
export DISPLAY=":$(cat "$scratch/display")"
window_shown=x11_window stays_up X11 "$tuvo"
# Qt's own options, as every Qt program takes them; what Qt leaves is refused,
# as typed.
window_shown=
for options in "-geometry 400x300+10+10" "-title x" "-style Fusion"; do
    stays_up "X11, $options" "$tuvo" $options
done
answers err 2 "tuvo : option inconnue « -x » ; tuvo --help donne la liste." "$tuvo" -x
answers err 2 "tuvo : option inconnue « --bogus » ; tuvo --help donne la liste." "$tuvo" --bogus
answers err 2 "tuvo : argument inattendu « a » ; tuvo n'en prend aucun." "$tuvo" a

# Under a window manager, which frames a window once it is shown: each window
# centred on the screen with its frame and title bar, within 2 pixels.
geometry() { # x y width height, as the X server has them (xdotool adds the frame to x and y)
    xwininfo "$@" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                         /Width/ { w = $NF } /Height/ { h = $NF } END { print x, y, w, h }'
}
framed_centred() {
    window=$1 what=$2 dx=? dy=?
    for _ in $(seq 40); do
        extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
        if [ -n "$extents" ]; then
            set -- $extents $(geometry -id "$window") $(geometry -root)
            # left right top bottom, x y width height, then the screen's
            # Twice the frame centre's offset from the screen's centre, in whole pixels.
            dx=$((2 * ($5 - $1) + $7 + $1 + $2 - ${11}))
            dy=$((2 * ($6 - $3) + $8 + $3 + $4 - ${12}))
            [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] && return 0
        fi
        sleep 0.25
    done
    echo "$what its frame's centre is off the screen's by twice ($dx, $dy) pixels"
    return 1
}
framed_windows() {
    main=$(find_title "$title") ||
        { echo "no window titled '$title' appeared"; return 1; }
    framed_centred "$main" "the main window:" || return 1
    # Centred once: moved by hand, it stays where it was put.
    xdotool windowmove "$main" 20 30 sleep 1
    set -- $(geometry -id "$main")
    [ "$1,$2" = "20,30" ] || { echo "the main window moved by hand came to $1,$2"; return 1; }
    xdotool mousemove --window "$main" 44 16 click 1
    about=$(find_title "À propos de Tuvo") ||
        { echo "no About dialog appeared"; return 1; }
    framed_centred "$about" "the About dialog:"
}
openbox >/dev/null 2>&1 &
servers="$servers $!"
for _ in $(seq 80); do
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && break
    sleep 0.25
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "openbox did not start"
window_shown=framed_windows stays_up "X11, under openbox" "$tuvo"
# A position the user gives is where the frame goes, as X11's geometry means it;
# the size stays the design's. Qt's options take their values, even one that
# looks like an option of Tuvo's.
placed_at() { # x y: the frame's top-left corner, within 2 pixels
    main=$(find_title "$title") || { echo "no window titled '$title' appeared"; return 1; }
    for _ in $(seq 40); do
        set -- $(xprop -id "$main" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,) \
            $(geometry -id "$main")
        if [ $# -eq 8 ]; then
            dx=$(($5 - $1 - want_x)) dy=$(($6 - $3 - want_y))
            [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] && [ "$7x$8" = 349x202 ] && return 0
        fi
        sleep 0.25
    done
    echo "its frame is at ($(($5 - $1)), $(($6 - $3))), ${7}x$8, not at ($want_x, $want_y), 349x202"
    return 1
}
want_x=10 want_y=10 window_shown=placed_at stays_up "X11, under openbox, -geometry +10+10" \
    "$tuvo" -geometry +10+10
want_x=100 want_y=50 window_shown=placed_at stays_up "X11, under openbox, -geometry 400x300+100+50" \
    "$tuvo" -geometry 400x300+100+50
titled_v() { find_title "-v" >/dev/null || { echo "no window titled '-v' appeared"; return 1; }; }
window_shown=titled_v stays_up "X11, under openbox, -title -v" "$tuvo" -title -v
# Alt+F4, openbox's close, on window $1 until it is no longer shown, again if
# a busy machine lost it.
close_by_hand() {
    for _ in 1 2 3 4 5; do
        xdotool windowactivate --sync "$1" key alt+F4 2>/dev/null
        for _ in $(seq 20); do
            xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
            sleep 0.1
        done
    done
    return 1
}
# The main window closed by the user leaves the program running with the About
# dialog; its last window closed, the program ends with status 0.
"$tuvo" 2>"$scratch/err" &
pid=$!
main=$(find_title "$title") || fail "closed by the user: no window appeared"
xdotool mousemove --window "$main" 44 16 click 1
about=$(find_title "À propos de Tuvo") || fail "closed by the user: no About dialog appeared"
close_by_hand "$main" || fail "its main window could not be closed"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "its main window closed by the user, it ended with the About dialog open"
xwininfo -id "$about" | grep -q IsViewable || fail "the About dialog closed with the main window"
close_by_hand "$about" || fail "the About dialog could not be closed"
for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "its last window closed by the user, it was still running"
wait "$pid" || fail "its last window closed by the user, it exited with status $?"
echo "program: X11, under openbox: its windows closed by the user, it ended cleanly after the last"
x11_display=$DISPLAY
unset DISPLAY

# The window as weston has it in its scene: a top-level view of that title on
# its output.
wayland_window() {
    for _ in $(seq 20); do
        WAYLAND_DISPLAY=tuvo-test timeout 5 weston-debug scene-graph 2>/dev/null |
            grep -A3 -F "top-level window '$title' of fr.tuvo.tuvo" | grep -q "outputs: 0" &&
            return 0
        sleep 0.5
    done
    echo "no window titled '$title' appeared"
    return 1
}
weston --backend=headless-backend.so --socket=tuvo-test --idle-time=0 --debug >/dev/null 2>&1 &
servers="$servers $!"
wait_for "$scratch/tuvo-test" weston
window_shown=wayland_window stays_up Wayland env WAYLAND_DISPLAY=tuvo-test "$tuvo"

# On GNOME's Wayland session Tuvo takes X11, here the Xvfb, unless the user
# names a platform.
on_x11() {
    find_title "$title" >/dev/null || { echo "no window titled '$title' on X11"; return 1; }
}
gnome="env XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME WAYLAND_DISPLAY=tuvo-test"
export DISPLAY=$x11_display
window_shown=on_x11 stays_up "GNOME's Wayland session" $gnome "$tuvo"
window_shown=wayland_window stays_up "GNOME's Wayland session, -platform wayland" \
    $gnome "$tuvo" -platform wayland
window_shown=wayland_window stays_up "GNOME's Wayland session, QT_QPA_PLATFORM=wayland" \
    $gnome QT_QPA_PLATFORM=wayland "$tuvo"
