#!/bin/sh
# The built program under the window managers of Debian's desktops, each on a
# private X server with its own buses and home: Xfce's xfwm4, GNOME on X11,
# KDE Plasma's KWin on X11, and GNOME's Wayland session (gnome-shell nested in
# the X server), where Tuvo goes through Xwayland. On each: the main window
# appears with its title and size, centred with its frame in the work area,
# with a close button and no maximise or resize; "A propos" opens the About
# dialog the same way; a click on the main window brings it in front of the
# dialog and "A propos" brings the dialog back; and 1994 typed and converted
# changes the Roman field.
# Usage: desktops.sh PATH-TO-TUVO
set -u
tuvo=$1
fail() { echo "desktops: $desktop: $*" >&2; exit 1; }
desktop=setup
for tool in Xvfb xdotool xprop xwininfo import compare dbus-daemon unshare xfwm4 kwin_x11 gnome-shell; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make desktops installs it)"
done
# A fresh Debian may have no locale at all: xdotool reads titles, and their
# "è", in the locale's encoding.
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY XAUTHORITY SESSION_MANAGER
scratch=$(mktemp -d)
pids=
trap 'kill $pids 2>/dev/null; sleep 0.5; kill -9 $pids 2>/dev/null; rm -rf "$scratch"' EXIT

title="    Cliquer sur une flèche selon la conversion choisie"
about_title="À propos de Tuvo"

# Waits up to twenty seconds for "$@" to succeed.
until_true() {
    for _ in $(seq 80); do
        "$@" 2>/dev/null && return 0
        sleep 0.25
    done
    return 1
}

# Starts a private X server and session bus, and a home of their own, for the
# desktop $1 (as XDG_CURRENT_DESKTOP names it) on a session of kind $2.
start_session() {
    dir="$scratch/$desktop"
    mkdir -p "$dir/home" "$dir/run"
    chmod 700 "$dir/run"
    export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/home/.config"
    export XDG_CURRENT_DESKTOP="$1" XDG_SESSION_TYPE="$2"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$dir/display" 2>/dev/null &
    pids="$pids $!"
    until_true test -s "$dir/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$dir/display")"
    start_bus DBUS_SESSION_BUS_ADDRESS
}

# Starts a message bus and sets the variable $1 to its address.
start_bus() {
    set -- "$1" $(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    pids="$pids $3"
    export "$1=$2"
}

# A shell that hangs leaves its X server waiting: every look is bounded.
window_manager_up() {
    timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"
}

# As a user finds it: GNOME's top bar is up, and leaves the work area below it.
top_bar_up() {
    timeout 5 xprop -root _NET_WORKAREA | grep -q '= 0, 32, '
}

# The shell opens on its overview, where a user would start Tuvo from; Escape
# leaves it. The pointer then rests in a corner, away from where Tuvo opens: a
# pointer that has not moved since a window appeared under it clicks nothing
# on the nested shell.
leave_overview() {
    sleep 2
    DISPLAY=${input_display:-$DISPLAY} xdotool mousemove $((origin_x + 10)) $((origin_y + 700)) \
        key Escape sleep 1
}

# gnome-shell wants a system bus and a /run/systemd of its own.
start_gnome_shell() {
    start_bus DBUS_SYSTEM_BUS_ADDRESS
    unshare -m --propagation private \
        sh -c 'mount -t tmpfs tmpfs /run/systemd && exec gnome-shell "$@"' gnome-shell "$@" \
        >"$dir/shell.log" 2>&1 &
    shell=$!
    pids="$pids $shell"
}

# GNOME Shell 43 now and then hangs as it starts (the child it forks to start
# ibus-daemon can deadlock before it becomes ibus-daemon): a shell that is not
# ready, as "$1" tells, after twenty seconds is started once more.
start_gnome_shell_ready() {
    ready=$1
    shift
    for _ in 1 2; do
        start_gnome_shell "$@"
        until_true "$ready" >/dev/null && return 0
        pkill -9 -P "$shell"
        kill -9 "$shell"
        rm -f "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* # the next shell's Xwayland has its own key
    done
    fail "gnome-shell did not start: $(tail -n 5 "$dir/shell.log")"
}

# x y width height of a window's client area, on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                             /Width/ { w = $NF } /Height/ { h = $NF } END { print x, y, w, h }'
}

find_window() { # name, title
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$2\$") ||
        fail "no window titled '$2' appeared"
    id=${id%%[!0-9]*}
    eval "$1=$id"
}

# x y width height of the first desktop's work area: the whole screen where the
# window manager publishes none (KWin).
work_area() {
    xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | tr -d , | cut -d ' ' -f 1-4 | grep . ||
        echo 0 0 $(xwininfo -root | awk '/Width/ { w = $NF } /Height/ { h = $NF } END { print w, h }')
}

# The window's client area is WxH, and its frame is centred in the work area
# within 2 pixels, once the window manager has framed it.
framed_centred() {
    window=$1 what=$2 size=$3
    for _ in $(seq 40); do
        area=$(work_area)
        extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
        if [ -n "$extents" ] && [ -n "$area" ]; then
            set -- $extents $(geometry "$window") $area
            # left right top bottom, x y width height, the work area's x y width height:
            # twice the frame centre's offset from the work area's centre.
            dx=$((2 * ($5 - $1 - ${9}) + $7 + $1 + $2 - ${11}))
            dy=$((2 * ($6 - $3 - ${10}) + $8 + $3 + $4 - ${12}))
            [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] && [ "$7x$8" = "$size" ] && return 0
        fi
        sleep 0.25
    done
    fail "$what: client ${7:-?}x${8:-?} (not $size), frame ($extents), its centre off the work area's ($area) by twice ($dx, $dy) px"
}

# Close, and neither maximise nor resize, as the window manager offers them.
close_only() {
    actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
    case "$actions" in *_NET_WM_ACTION_CLOSE*) ;; *) fail "$2 cannot be closed: $actions" ;; esac
    case "$actions" in
        *MAXIMIZE* | *_NET_WM_ACTION_RESIZE*) fail "$2 may be maximised or resized: $actions" ;;
    esac
}

# Whether window $1 is above window $2 in the window manager's stacking order.
above() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr -d , | tr ' ' '\n' |
        awk -v a="$1" -v b="$2" '$1 + 0 == a + 0 { seen_a = NR } $1 + 0 == b + 0 { seen_b = NR }
                                 END { exit !(seen_a > seen_b && seen_b) }'
}

# A click at x y of window $1's client area. On GNOME's Wayland session the
# pointer moves on the outer X server, where the nested shell's output starts
# at $origin_x $origin_y.
click() {
    set -- $(geometry "$1") "$2" "$3"
    DISPLAY=${input_display:-$DISPLAY} xdotool mousemove $((origin_x + $1 + $5)) $((origin_y + $2 + $6)) \
        sleep 0.6 click 1 sleep 0.5
}

# The Roman field as it is drawn.
roman_field() {
    import -window "$main" -crop 137x23+200+144 "$1" 2>/dev/null
}

check_tuvo() {
    "$tuvo" 2>"$dir/tuvo.err" &
    tuvo_pid=$!
    pids="$pids $tuvo_pid"
    find_window main "$title"
    framed_centred "$main" "the main window" 349x202
    close_only "$main" "the main window"

    click "$main" 44 16 # "A propos"
    find_window about "$about_title"
    framed_centred "$about" "the About dialog" 383x337
    close_only "$about" "the About dialog"
    until_true above "$about" "$main" || fail "the About dialog opened behind the main window"

    # The dialog, larger, hides the main window: moved aside by hand, the main
    # window comes in front of it when clicked, and "A propos" brings it back.
    set -- $(work_area)
    xdotool windowmove "$about" $(($1 + $3 - 400)) $(($2 + 40))
    aside_x=$(($1 + $3 - 400)) aside_y=$(($2 + 40))
    until_true moved_aside || fail "the About dialog could not be moved aside"
    click "$main" 60 100
    until_true above "$main" "$about" || fail "a click on the main window left it behind the About dialog"
    click "$main" 44 16
    until_true above "$about" "$main" || fail "a second \"A propos\" left the About dialog behind"
    [ "$(xdotool search --onlyvisible --name "^$about_title\$" | wc -l)" -eq 1 ] ||
        fail "a second \"A propos\" opened a second dialog"

    roman_field "$dir/before.png" || fail "no picture of the window could be taken"
    click "$main" 70 155 # Text1
    DISPLAY=${input_display:-$DISPLAY} xdotool key End BackSpace BackSpace type --delay 50 1994
    click "$main" 168 142 # the arrow pointing right
    roman_field "$dir/after.png"
    changed=$(compare -metric AE "$dir/before.png" "$dir/after.png" null: 2>&1)
    [ "${changed%% *}" -gt 100 ] 2>/dev/null || fail "the Roman field did not change ($changed pixels)"

    kill "$tuvo_pid"
    wait "$tuvo_pid" || fail "asked to end, it exited with status $?"
    echo "desktops: $desktop: both windows centred, close only, in front when clicked; 1994 converted"
}

# Started with a position, the main window's frame goes there, within 2 pixels.
frame_at() { # window x y
    set -- $(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,) $(geometry "$1") "$2" "$3"
    [ $# -eq 10 ] || return 1
    at="$(($5 - $1)),$(($6 - $3))"
    dx=$(($5 - $1 - $9)) dy=$(($6 - $3 - ${10}))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]
}
# The About dialog moved aside: its frame there, or its client area, as the
# window manager takes the move.
moved_aside() {
    frame_at "$about" "$aside_x" "$aside_y" ||
        xwininfo -id "$about" | grep -q "Absolute upper-left X: *$aside_x\$"
}
placed_as_asked() {
    "$tuvo" -geometry +10+10 2>"$dir/tuvo.err" &
    tuvo_pid=$!
    pids="$pids $tuvo_pid"
    find_window main "$title"
    at=none
    until_true frame_at "$main" 10 10 || fail "-geometry +10+10: the frame is at $at"
    kill "$tuvo_pid"
    wait "$tuvo_pid" || fail "-geometry +10+10: asked to end, it exited with status $?"
    echo "desktops: $desktop: -geometry +10+10 put the frame at $at"
}

# Each desktop ends with its session: its processes are ended before the next.
end_session() {
    kill $pids 2>/dev/null
    sleep 1
    kill -9 $pids 2>/dev/null
    pids=
    unset DBUS_SYSTEM_BUS_ADDRESS
}

xfce() {
    start_session XFCE x11
    xfwm4 >/dev/null 2>&1 &
    pids="$pids $!"
    until_true window_manager_up || fail "xfwm4 did not start"
    check_tuvo
    placed_as_asked
}

kde() {
    start_session KDE x11
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 kwin_x11 --replace >"$dir/kwin.log" 2>&1 &
    pids="$pids $!"
    until_true window_manager_up || fail "kwin_x11 did not start"
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 check_tuvo
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 placed_as_asked
}

gnome_x11() {
    start_session GNOME x11
    start_gnome_shell_ready top_bar_up --x11 --replace
    leave_overview
    check_tuvo
}

# GNOME's Wayland session, nested: the shell's output is a window on the outer
# X server, which takes the pointer and keys; Tuvo is told the session is
# Wayland, and shows itself through the shell's Xwayland.
gnome_wayland() {
    start_session GNOME x11 # the outer X server's session, where the shell runs
    input_display=$DISPLAY
    MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 start_gnome_shell_ready nested_top_bar_up --nested \
        --wayland --wayland-display=tuvo-gnome
    export DISPLAY=":$(xwayland_display)" WAYLAND_DISPLAY=tuvo-gnome XDG_SESSION_TYPE=wayland
    export XAUTHORITY="$(xwayland_auth)"
    output=$(DISPLAY=$input_display xwininfo -root -children | awk '/"gnome-shell"/ { print $1 }')
    [ -n "$output" ] || fail "the shell's output is not on the X server"
    set -- $(DISPLAY=$input_display geometry "$output")
    origin_x=$1 origin_y=$2
    leave_overview
    check_tuvo
    unset WAYLAND_DISPLAY XAUTHORITY
}

# The shell names its Xwayland display in the lock file it writes for it, and
# writes the key to it in a file of its own.
xwayland_display() {
    grep -l "^ *$shell\$" /tmp/.X*-lock | sed 's/.*\.X\([0-9]*\)-lock/\1/' | head -n 1 | grep .
}
xwayland_auth() {
    ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -n 1 | grep .
}
nested_top_bar_up() {
    display=$(xwayland_display) && auth=$(xwayland_auth) &&
        DISPLAY=":$display" XAUTHORITY="$auth" top_bar_up
}

for desktop in ${DESKTOPS:-xfce kde gnome_x11 gnome_wayland}; do
    origin_x=0 origin_y=0 input_display=
    $desktop
    end_session
done
