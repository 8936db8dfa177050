#!/bin/sh
# Checks a built Tuvo package: lintian, its file list and dependencies, its
# desktop entry and AppStream metainfo; then, installed (as root), that the
# program answers --version and starts, and that removing it leaves nothing
# behind. Without root the package is unpacked and its program run from there.
# Usage: check-package.sh PACKAGE.deb
set -eu
deb=$1
fail() { echo "check-package: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The project has no public address yet, so the Maintainer field names the
# authors without one: the only complaint allowed.
lintian --fail-on error,warning --suppress-tags malformed-contact "$deb" \
    || fail "lintian has complaints"

files=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\.||')
for expected in /usr/bin/tuvo /usr/share/applications/fr.tuvo.tuvo.desktop \
    /usr/share/metainfo/fr.tuvo.tuvo.metainfo.xml /usr/share/man/man1/tuvo.1.gz \
    /usr/share/doc/tuvo/copyright /usr/share/doc/tuvo/changelog.gz \
    /usr/share/icons/hicolor/16x16/apps/tuvo.png /usr/share/icons/hicolor/256x256/apps/tuvo.png \
    /usr/share/icons/hicolor/scalable/apps/tuvo.svg; do
    echo "$files" | grep -qx "$expected" || fail "$expected is not in the package"
done
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "tuvo_${version}_amd64.deb" ] || fail "the file name does not give version $version"
depends=$(dpkg-deb -f "$deb" Depends)
for expected in libqt6widgets6 qt6-wayland fonts-liberation2 qt6-translations-l10n; do
    echo "$depends" | grep -q "$expected" || fail "no dependency on $expected: $depends"
done

dpkg-deb -x "$deb" "$scratch/unpacked"
desktop-file-validate "$scratch/unpacked/usr/share/applications/fr.tuvo.tuvo.desktop" \
    || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$scratch/unpacked/usr/share/metainfo/fr.tuvo.tuvo.metainfo.xml" \
    || fail "the AppStream metainfo is not valid"

program=$scratch/unpacked/usr/bin/tuvo
if [ "$(id -u)" -eq 0 ]; then
    was_installed=$(dpkg-query -W -f='${db:Status-Status}' tuvo 2>/dev/null || true)
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "$(realpath "$deb")" >/dev/null
    program=/usr/bin/tuvo
fi
[ "$("$program" --version)" = "Tuvo $version" ] || fail "tuvo --version does not answer Tuvo $version"
# Started and still running after two seconds: timeout's status 124.
status=0
XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=offscreen timeout 2 "$program" || status=$?
[ "$status" -eq 124 ] || fail "the installed program exited with status $status"

if [ "$(id -u)" -eq 0 ] && [ "$was_installed" != installed ]; then
    apt-get purge -y -q tuvo >/dev/null
    # Folders shared with other packages stay; the package's own files and
    # its documentation folder go.
    for file in $(echo "$files" | grep -v '/$') /usr/share/doc/tuvo; do
        [ ! -e "$file" ] || fail "$file is left behind after removal"
    done
fi
echo "check-package: $deb is sound"
