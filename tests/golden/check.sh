#!/usr/bin/env bash
# Replays every recorded session in tests/golden/ against a game command and compares what
# it printed and the files it left with the recording.
#
#   tests/golden/check.sh [--record] COMMAND...
#
# Each session folder holds: args (the game's arguments, without --color), input.txt (what
# is typed), before/ (optional: files in the save folder at the start), output.txt (the
# whole output with --color=always) and after/ (the save folder at the end).
# The game runs twice per session, in an empty temporary folder each time: with
# --color=always against output.txt, and with --color=never against output.txt minus its
# colour escapes. --record rewrites output.txt and after/ from the coloured run instead.
# KELMARCH_SESSIONS="name ..." replays only the sessions named.
set -u
# The sessions are recorded in the palette for a dark background, whatever the terminal's.
unset COLORFGBG

record=0
if [ "${1-}" = "--record" ]; then
    record=1
    shift
fi
if [ $# -eq 0 ]; then
    echo "usage: $0 [--record] COMMAND..." >&2
    exit 2
fi

# The game runs inside the session's folder: paths given relative to here must still work.
command=()
for word in "$@"; do
    if [ -e "$word" ]; then
        command+=("$(cd "$(dirname "$word")" && pwd)/$(basename "$word")")
    else
        command+=("$word")
    fi
done

sessions=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelmarch-golden.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

stripColours() {
    sed 's/\x1b\[[0-9;]*m//g'
}

# Prints the first differing lines of two files, escapes made visible.
showDifference() {
    diff "$1" "$2" | head -n 12 | cat -v
}

# Runs one session with one colour setting: the folder is left in $scratch/dir, the output
# in $scratch/out. Returns the game's exit status; a game that stops answering is ended after
# a minute and fails.
play() {
    local session=$1 colour=$2
    local -a args=()
    rm -rf "$scratch/dir"
    mkdir "$scratch/dir"
    if [ -d "$session/before" ]; then cp -R "$session/before/." "$scratch/dir/"; fi
    read -r -a args <"$session/args"
    (cd "$scratch/dir" && timeout -k 5 60 "${command[@]}" "${args[@]}" "--color=$colour" \
        <"$session/input.txt" >"$scratch/out")
}

# The save folder against after/: same names, same bytes, nothing more or less.
sameFolder() {
    local session=$1
    mkdir -p "$scratch/empty"
    local expected="$session/after"
    [ -d "$expected" ] || expected="$scratch/empty"
    diff -r --no-dereference "$expected" "$scratch/dir" >"$scratch/folder-diff" 2>&1
}

failed=0
fail() {
    echo "FAILED $name: $1"
    failed=$((failed + 1))
}

# A game that had to be ended (timeout's 124, or 137 after its KILL) says the build loops
# somewhere: the other sessions would most likely hang too, a minute each.
stopIfHung() {
    if [ "$1" -eq 124 ] || [ "$1" -eq 137 ]; then
        echo "stopped after $checked sessions: the game stopped answering"
        exit 1
    fi
}

checked=0
for session in "$sessions"/*/; do
    session=${session%/}
    [ -f "$session/args" ] || continue
    name=$(basename "$session")
    if [ -n "${KELMARCH_SESSIONS-}" ] && [[ " $KELMARCH_SESSIONS " != *" $name "* ]]; then continue; fi
    checked=$((checked + 1))

    play "$session" always
    status=$?
    if [ $status -ne 0 ]; then
        fail "the game exited with status $status (--color=always)"
        stopIfHung $status
        continue
    fi
    if [ $record -eq 1 ]; then
        cp "$scratch/out" "$session/output.txt"
        rm -rf "$session/after"
        if [ -n "$(ls -A "$scratch/dir")" ]; then cp -R "$scratch/dir" "$session/after"; fi
    else
        if ! cmp -s "$session/output.txt" "$scratch/out"; then
            fail "output differs from output.txt (--color=always); first differences:"
            showDifference "$session/output.txt" "$scratch/out"
            continue
        fi
        if ! sameFolder "$session"; then
            fail "save folder differs from after/:"
            head -n 12 "$scratch/folder-diff"
            continue
        fi
    fi

    play "$session" never
    status=$?
    if [ $status -ne 0 ]; then
        fail "the game exited with status $status (--color=never)"
        stopIfHung $status
        continue
    fi
    stripColours <"$session/output.txt" >"$scratch/plain"
    if ! cmp -s "$scratch/plain" "$scratch/out"; then
        fail "output differs from output.txt minus its colours (--color=never); first differences:"
        showDifference "$scratch/plain" "$scratch/out"
        continue
    fi
    if ! sameFolder "$session"; then
        fail "save folder differs from after/ (--color=never):"
        head -n 12 "$scratch/folder-diff"
        continue
    fi
done

if [ $checked -eq 0 ]; then
    echo "no sessions found in $sessions" >&2
    exit 1
fi
if [ $failed -ne 0 ]; then
    echo "$failed of $checked sessions differ"
    exit 1
fi
if [ $record -eq 1 ]; then echo "recorded $checked sessions"; else echo "$checked sessions match"; fi
