#!/bin/sh
# The last commit as Debian builds and checks a package: its source package;
# built with its tests in a clean bookworm root by sbuild; lintian --pedantic;
# the installed package's tests by autopkgtest; install, removal and purge by
# piuparts; and a second build, in a build path of another length, that must
# give the same bytes. Everything is written to build-deb/. Root's subordinate
# ids, which unshare mode needs, are added for the run and put back after it.
# Usage: deb.sh (as root)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/build-deb
fail() { echo "deb: $*" >&2; exit 1; }
step() { echo "deb: $* ($(($(date +%s) - started)) s)"; }
started=$(date +%s)
[ "$(id -u)" -eq 0 ] || fail "run it as root: unshare mode needs root's subordinate ids"

rm -rf "$out"
mkdir -p "$out/home" "$out/saved"
for ids in /etc/subuid /etc/subgid; do
    cp -p "$ids" "$out/saved/" 2>/dev/null || : >"$out/saved/$(basename "$ids").absent"
done
put_back() {
    for ids in /etc/subuid /etc/subgid; do
        name=$(basename "$ids")
        if [ -e "$out/saved/$name.absent" ]; then rm -f "$ids"; else cp -p "$out/saved/$name" "$ids"; fi
    done
}
trap put_back EXIT
trap 'exit 1' HUP INT TERM
for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo root:100000:65536 >>"$ids"
done
# Debian's archive as this machine's apt reaches it.
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
         awk '$2 == "bookworm" { print $1; exit }')
[ -n "$mirror" ] || fail "apt knows no bookworm archive"
export HOME="$out/home" # no stray ~/.sbuildrc

version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
git -C "$top" archive --prefix="tuvo-$version/" HEAD | tar -x -C "$out"
(cd "$out" && dpkg-source -b "tuvo-$version" >/dev/null)
dsc=$out/tuvo_$version.dsc
step "source package $(basename "$dsc")"

mmdebstrap --quiet --variant=buildd --mode=unshare bookworm "$out/bookworm.tar" "$mirror"
step "a clean bookworm root"
for build in first second; do
    mkdir "$out/$build"
    path=/build/tuvo
    [ "$build" = first ] || path=/build/a-build-path-of-another-length
    sbuild --chroot-mode=unshare -d bookworm --chroot "$out/bookworm.tar" --build-path="$path" \
        --build-dir="$out/$build" --no-run-lintian --no-run-piuparts --no-run-autopkgtest \
        --quiet "$dsc" >"$out/$build.log" 2>&1 || fail "sbuild failed: see $out/$build.log"
    step "built in $path, tests included"
done
deb=$out/first/tuvo_${version}_amd64.deb
cmp "$deb" "$out/second/tuvo_${version}_amd64.deb" || fail "the two builds differ"
step "both builds gave the same bytes"

# Every tag is printed; an error or a warning fails, but the one that only a
# real upload, closing its bug, can mend.
lintian --pedantic -I -E "$dsc" "$out/first/tuvo_${version}_amd64.changes" >"$out/lintian.log" 2>&1 || :
cat "$out/lintian.log"
if grep -E '^[EW]: ' "$out/lintian.log" | grep -v 'initial-upload-closes-no-bugs' | grep -q .; then
    fail "lintian has errors or warnings"
fi
step "lintian"

autopkgtest --setup-commands='apt-get update' "$dsc" "$deb" \
    -- unshare --release bookworm --tarball "$out/bookworm.tar" >"$out/autopkgtest.log" 2>&1 ||
    { tail -n 30 "$out/autopkgtest.log"; fail "autopkgtest failed: see $out/autopkgtest.log"; }
grep -E '^(clients|installed) ' "$out/autopkgtest.log"
step "autopkgtest"

piuparts -d bookworm -m "$mirror" "$deb" >"$out/piuparts.log" 2>&1 ||
    { tail -n 30 "$out/piuparts.log"; fail "piuparts failed: see $out/piuparts.log"; }
step "piuparts: installed, removed and purged without a trace"
echo "deb: $deb"
