#!/bin/sh
# Installs the build in BUILD under DESTDIR, after noting in
# BUILD/created_folders.txt, deepest first, the folders that the install is
# about to create, for uninstall.sh to remove once they are empty again.
# Usage: install.sh BUILD DESTDIR
set -eu
build=$1 destdir=$2
cmake=${CMAKE:-cmake}
stage=$build/stage
rm -rf "$stage"
DESTDIR="$stage" "$cmake" --install "$build" >/dev/null
(cd "$stage" && find . -mindepth 1 -type d) | sed 's|^\.||' | sort -r |
    while IFS= read -r folder; do
        [ -e "$destdir$folder" ] || echo "$folder"
    done >"$build/created_folders.txt"
rm -rf "$stage"
DESTDIR="$destdir" "$cmake" --install "$build"
