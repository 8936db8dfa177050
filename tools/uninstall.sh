#!/bin/sh
# Removes what `make install` installed: the files listed in its manifest
# (under PREFIX, with DESTDIR in front), then Tuvo's own documentation folder.
# Usage: uninstall.sh MANIFEST DESTDIR PREFIX
set -eu
manifest=$1 destdir=$2 prefix=$3
[ -f "$manifest" ] || { echo "uninstall: nothing was installed from here ($manifest is missing)" >&2; exit 1; }
while IFS= read -r file || [ -n "$file" ]; do
    case "$file" in
        "$prefix"/*) rm -f "$destdir$file" && echo "removed $destdir$file" ;;
        *) echo "uninstall: $file is not under $prefix; installed with another PREFIX?" >&2; exit 1 ;;
    esac
done <"$manifest"
rmdir "$destdir$prefix/share/doc/tuvo" 2>/dev/null || true
