#!/bin/sh
# Installs the Debian packages that building, running or testing Tuvo needs.
# Usage: install-deps.sh run|test|bench|fuzz|package|screenshot
# As root, missing packages are installed with apt-get; otherwise the one
# apt-get line to run is printed and the script fails.
set -eu

packages="cmake ninja-build g++ make qt6-base-dev fonts-liberation2 qt6-translations-l10n"
case "${1:-run}" in
    run) ;;
    test) packages="$packages libgtest-dev qt6-base-private-dev" ;;
    bench) packages="$packages libbenchmark-dev libicu-dev xvfb xauth hyperfine time" ;;
    fuzz) packages="$packages clang libclang-rt-dev" ;;
    package) packages="$packages dpkg-dev file" ;;
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
    echo "Tuvo needs these Debian packages; install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends $missing
