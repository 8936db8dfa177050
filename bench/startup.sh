#!/bin/sh
# Start-up time and peak memory of Tuvo's main window beside a bare Qt window
# of the same size, each process quitting at its first paint. Run under an X
# server (make bench starts Xvfb). Usage: startup.sh BENCH-FOLDER [ROUNDS]
set -eu
bench=$1
rounds=${2:-30}
tuvo=$bench/startup_tuvo
bare=$bench/startup_bare

# Interleaved: one run of each per round, so that a busy moment of the machine
# falls on both alike.
results=$(mktemp)
memory=$(mktemp)
trap 'rm -f "$results" "$memory"' EXIT
for program in "$tuvo" "$bare"; do "$program"; done # warm the file cache
i=0
while [ "$i" -lt "$rounds" ]; do
    for program in "$tuvo" "$bare"; do
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$memory" "$program" >/dev/null 2>&1
        kib=$(tail -1 "$memory")
        end=$(date +%s%N)
        echo "$(basename "$program") $(( (end - start) / 1000 )) $kib" >>"$results"
    done
    i=$((i + 1))
done

echo "Start-up to first paint, $rounds interleaved runs each (median, whole process):"
for name in startup_tuvo startup_bare; do
    grep "^$name " "$results" | awk '{print $2}' | sort -n | awk -v n="$name" \
        '{a[NR]=$1} END {printf "  %-13s %6.1f ms", n, a[int((NR+1)/2)]/1000}'
    grep "^$name " "$results" | awk '{print $3}' | sort -n | awk \
        '{a[NR]=$1} END {printf "   peak RSS %6.1f MiB\n", a[int((NR+1)/2)]/1024}'
done

if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$rounds" "$tuvo" "$bare"
fi
