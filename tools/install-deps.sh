#!/bin/sh
# Installs the Debian packages that building, running or testing Tuvo needs.
# Usage: install-deps.sh run|test|desktops|bench|fuzz|deb|screenshot
# As root, missing packages are installed with apt-get; otherwise the one
# command to run as root is printed (with sudo where there is sudo) and the
# script fails.
set -eu

packages="cmake ninja-build g++ make qt6-base-dev qt6-wayland fonts-liberation2 qt6-translations-l10n"
# What the tests of the program under real clients run on.
clients="python3-pytest python3-pytest-timeout python3-xlib python3-ewmh python3-pyvirtualdisplay xvfb dbus xdotool"
case "${1:-run}" in
    run) ;;
    # The program is also started under Xvfb (bare and under openbox) and
    # weston's headless backend, and heard through the Orca screen reader, by
    # tests on pytest and Debian's X11 libraries.
    test) packages="$packages libgtest-dev qt6-base-private-dev $clients weston
                    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng python3-speechd
                    at-spi2-core openbox libglib2.0-bin dconf-gsettings-backend dconf-cli
                    gsettings-desktop-schemas locales" ;;
    # The window managers of Debian's desktops, and GNOME Shell's search.
    desktops) packages="$packages $clients xfwm4 kwin-x11 kwin-style-breeze gnome-shell libglib2.0-bin" ;;
    bench) packages="$packages libbenchmark-dev libicu-dev xvfb xauth hyperfine time dbus python3-gi" ;;
    fuzz) packages="$packages clang libclang-rt-dev" ;;
    # The Debian package built and checked as Debian does.
    deb) packages="git dpkg-dev debhelper sbuild mmdebstrap uidmap lintian autopkgtest piuparts" ;;
    screenshot) packages="$packages xvfb xauth" ;;
    *) echo "install-deps.sh: unknown purpose '$1'" >&2; exit 2 ;;
esac

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    command="apt-get install --no-install-recommends$missing"
    echo "Tuvo needs these Debian packages. Install them as root:" >&2
    if command -v sudo >/dev/null 2>&1; then
        echo "  sudo $command" >&2
    else
        echo "  su -c '$command'" >&2
    fi
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends $missing
