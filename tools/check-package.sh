#!/bin/sh
# Checks a built Tuvo package: its file list, its dependencies, and that the
# program it installs starts. As root the package is really installed (and
# removed again if it was not there before); otherwise it is unpacked into a
# scratch folder and run from there.
# Usage: check-package.sh PACKAGE.deb
set -eu
deb=$1
fail() { echo "check-package: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for expected in ./usr/bin/tuvo ./usr/share/applications/tuvo.desktop \
    ./usr/share/icons/hicolor/24x24/apps/tuvo.png ./usr/share/icons/hicolor/192x192/apps/tuvo.png; do
    echo "$files" | grep -qx "$expected" || fail "$expected is not in the package"
done
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "the version is not 1.00"
depends=$(dpkg-deb -f "$deb" Depends)
for expected in libqt6widgets6 fonts-liberation2 qt6-qpa-plugins qt6-translations-l10n; do
    echo "$depends" | grep -q "$expected" || fail "no dependency on $expected: $depends"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ "$(id -u)" -eq 0 ]; then
    was_installed=$(dpkg-query -W -f='${db:Status-Status}' tuvo 2>/dev/null || true)
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$(realpath "$deb")" >/dev/null
    program=/usr/bin/tuvo
else
    dpkg-deb -x "$deb" "$scratch"
    program=$scratch/usr/bin/tuvo
fi
# Started and still running after two seconds: timeout's status 124.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$program" || status=$?
if [ "$(id -u)" -eq 0 ] && [ "$was_installed" != installed ]; then
    apt-get remove -y -q tuvo >/dev/null
fi
[ "$status" -eq 124 ] || fail "the installed program exited with status $status"
echo "check-package: $deb is sound"
