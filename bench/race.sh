#!/usr/bin/env bash
# Races the headless modes against xmllint as whole processes, in one run on the same files:
# parcelwright --format --stdout against xmllint --format, and parcelwright --check against
# xmllint --noout, on generated extensions of 20,000 and 200,000 files, on a file of 300,000 bare &
# on one line (refused, with the repair offer worked out) and on the real files of the corpus one
# after the other (when the corpus folder exists). Prints the median times (the two commands
# alternated after warm-up runs), their ratio, the median CPU times (user + system, which a machine
# busy with other work changes less) and each side's peak memory (/usr/bin/time -v).
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${PARCELWRIGHT_CORPUS:-$PWD/../shared/corpus}"

# PARCELWRIGHT names another build of the program to race, such as the one before a change.
if [ -n "${PARCELWRIGHT:-}" ]; then
    program=$(realpath "$PARCELWRIGHT")
else
    cmake --preset release >/dev/null
    cmake --build --preset release --target parcelwright >/dev/null
    program="$PWD/build/release/parcelwright"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# FILE FILES ITEMS: an extension with FILES file elements and ITEMS menu items among its
# configuration changes; every source exists beside it.
generate() {
    awk -v files="$2" -v items="$3" 'BEGIN {
        print "<macromedia-extension name=\"Large\" version=\"1.0\" type=\"command\" requires-restart=\"true\">"
        print "<description><![CDATA[A large extension]]></description><products>"
        print "<product name=\"dreamweaver\" primary=\"true\" version=\"6\"/></products><author name=\"Bench\"/><files>"
        for (i = 0; i < files; i++)
            printf "<file source=\"Commands/command%d.js\" destination=\"$dreamweaver/Configuration/Commands\" shared=\"true\"/>\n", i
        print "</files><configuration-changes><menu-insert insertAfter=\"DWMenu_Commands\">"
        for (i = 0; i < items; i++)
            printf "<menuitem name=\"Command %d\" id=\"Bench_Command_%d\" file=\"Commands/command%d.htm\" key=\"Cmd+Shift+%d\"/>\n", i, i, i, i % 10
        print "</menu-insert></configuration-changes></macromedia-extension>"
    }' >"$1"
}
mkdir -p "$work/Commands"
(cd "$work/Commands" && seq -f 'command%.0f.js' 0 199999 | xargs touch)
generate "$work/files20000.mxi" 20000 0
generate "$work/files200000.mxi" 200000 0
awk 'BEGIN { printf "<macromedia-extension name=\"x\">"; for (i = 0; i < 300000; i++) printf "&"; print "</macromedia-extension>" }' \
    >"$work/ampersands300000.mxi"

peak_kb() {
    /usr/bin/time -v -o "$work/time.txt" sh -c "$1" >/dev/null 2>&1 || true
    awk '/Maximum resident set size/ { print $6 }' "$work/time.txt"
}

# COMMAND: its wall-clock and CPU (user + system) times in milliseconds, on one line.
timed_ms() {
    local TIMEFORMAT='%3R %3U %3S' times
    times=$({ time { (eval "$1") >/dev/null 2>&1 || true; }; } 2>&1)
    awk '{ printf "%.2f %.2f\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$times"
}

# COLUMN: the median of that column of the lines read.
median() {
    cut -d' ' -f"$1" | sort -n |
        awk '{ v[NR] = $1 } END { printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# LABEL OURS THEIRS: the two commands in turn (A B A B ...), so that a machine busy with other work
# slows both alike, after warm-up runs; medians of RUNS (default 15) each.
race() {
    local runs="${RUNS:-15}" i ours="" theirs=""
    for ((i = 0; i < 3; i++)); do
        timed_ms "$2" >/dev/null
        timed_ms "$3" >/dev/null
    done
    for ((i = 0; i < runs; i++)); do
        ours+="$(timed_ms "$2")"$'\n'
        theirs+="$(timed_ms "$3")"$'\n'
    done
    local wall theirWall
    wall=$(printf '%s' "$ours" | median 1)
    theirWall=$(printf '%s' "$theirs" | median 1)
    printf '%-44s %9s ms %9s ms %7s %9s ms %9s ms %10s KB %10s KB\n' "$1" "$wall" "$theirWall" \
        "$(awk -v a="$wall" -v b="$theirWall" 'BEGIN { printf "%.2f", a / b }')" \
        "$(printf '%s' "$ours" | median 2)" "$(printf '%s' "$theirs" | median 2)" "$(peak_kb "$2")" "$(peak_kb "$3")"
}

# MODE XMLLINT_OPTION FILE...: one command for both tools that runs over the files one after the other.
loop() {
    local ours="" theirs=""
    for file in "${@:3}"; do
        ours+="'$program' $1 '$file' >/dev/null 2>&1; "
        theirs+="xmllint $2 '$file' >/dev/null 2>&1; "
    done
    printf '%s\n%s\n' "$ours" "$theirs"
}

printf '%-44s %12s %12s %7s %12s %12s %13s %13s\n' input parcelwright xmllint ratio "cpu (ours)" "cpu (xmllint)" \
    "peak (ours)" "peak (xmllint)"
inputs=("$work/files20000.mxi" "$work/files200000.mxi" "$work/ampersands300000.mxi")
for input in "${inputs[@]}"; do
    size=$(du -k "$input" | cut -f1)
    race "--format --stdout $(basename "$input") (${size} KB)" "'$program' --format --stdout '$input'" "xmllint --format '$input'"
    race "--check --quiet $(basename "$input")" "'$program' --check --quiet '$input'" "xmllint --noout '$input'"
done
if [ -d "$corpus" ]; then
    corpus_files=("$corpus"/*.mxi)
    mapfile -t commands < <(loop "--format --stdout" "--format" "${corpus_files[@]}")
    race "--format --stdout corpus (${#corpus_files[@]} files)" "${commands[0]}" "${commands[1]}"
    mapfile -t commands < <(loop "--check" "--noout" "${corpus_files[@]}")
    race "--check corpus (${#corpus_files[@]} files)" "${commands[0]}" "${commands[1]}"
fi
