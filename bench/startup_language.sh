#!/bin/sh
# Times the program's start-up in each language: a headless run on the virtual clock whose script
# leaves at the parameter dialog, repeated, the three ways taken in turn so that the machine's load
# falls on each alike. "english" loads the catalogue; "english-without-catalogue" is the same run
# from a copy of the program with no catalogue beside it (so it falls back to Russian);
# "russian" loads none. Prints each way's median and its ratio to the Russian run. By hand:
#   bench/startup_language.sh build/talvena [RUNS]
set -eu
program=$(realpath "$1")
runs=${2:-30}
build=$(dirname "$program")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data"
mkdir -p "$XDG_RUNTIME_DIR" "$dir/bare" "$dir/work"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$program" "$dir/bare/talvena"
cp "$build/talvena.sym" "$dir/work/"
printf 'on dialog-shown id=101 dialog press 2\n' > "$dir/leave.script"

run() { # WAY: prints the seconds one run took
    case "$1" in
    russian) set -- "$program" ;;
    english) set -- "$program" --language en ;;
    english-without-catalogue) set -- "$dir/bare/talvena" --language en ;;
    esac
    start=$(date +%s.%N)
    (cd "$dir/work" && "$@" --headless --virtual-clock --data-dir . --script "$dir/leave.script" \
        >/dev/null 2>&1)
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

ways="russian english english-without-catalogue"
for way in $ways; do run "$way" >/dev/null; done # warm the caches
i=0
while [ "$i" -lt "$runs" ]; do
    for way in $ways; do run "$way" >> "$dir/$way.times"; done
    i=$((i + 1))
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
base=$(median "$dir/russian.times")
for way in $ways; do
    m=$(median "$dir/$way.times")
    printf '%-27s median %.4f s  ratio to russian %.3f  (%s runs)\n' "$way" "$m" \
        "$(echo "$m / $base" | bc -l)" "$runs"
done
