#!/bin/sh
# Removes what `make install` installed: the files listed in its manifest
# (under PREFIX, with DESTDIR in front), then the folders it created, those
# that are empty again; a folder that was there before stays.
# Usage: uninstall.sh BUILD DESTDIR PREFIX
set -eu
build=$1 destdir=$2 prefix=$3
manifest=$build/install_manifest.txt
[ -f "$manifest" ] || { echo "uninstall: nothing was installed from here ($manifest is missing)" >&2; exit 1; }
while IFS= read -r file || [ -n "$file" ]; do
    case "$file" in
        "$prefix"/*) rm -f "$destdir$file" && echo "removed $destdir$file" ;;
        *) echo "uninstall: $file is not under $prefix; installed with another PREFIX?" >&2; exit 1 ;;
    esac
done <"$manifest"
while IFS= read -r folder; do
    if rmdir "$destdir$folder" 2>/dev/null; then echo "removed $destdir$folder/"; fi
done <"$build/created_folders.txt"
