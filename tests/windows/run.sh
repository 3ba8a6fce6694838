#!/usr/bin/env bash
# Runs one part of the Windows build's tests under Wine:
#   prefix   prepares Wine's prefix, which the other parts need (about 15 s the first time)
#   unit     the unit tests
#   golden   the golden sessions, each played once (where each line was read comes from Linux)
#   e2e      the end-to-end tests that hold on both systems (suites named Portable*; the
#            others need POSIX modes, links, signals, or the Linux game's own traces and memory)
#   console  a game on Wine's console against the Linux game on a terminal
# usage: tests/windows/run.sh WINDOWS_BUILD LINUX_BUILD PART
set -euo pipefail
build=$(realpath "$1")
linux=$(realpath "$2")
cd "$(dirname "$0")/../.."
# A prefix of the build's own; no Mono or Gecko, which a console game never needs. The Wine
# server serves the parts running at once and leaves a few seconds after the last.
export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case "$3" in
prefix) wineboot --init >/dev/null 2>&1 ;;
unit) wine "$build/tests/unit_tests.exe" ;;
golden)
    bash tests/golden/check.sh --reads-from "$linux/kelmarch" wine "$build/kelmarch.exe"
    ;;
e2e)
    KELMARCH_GAME="wine $build/kelmarch.exe" "$linux/tests/e2e_tests" --gtest_filter='Portable*'
    ;;
console) bash tests/windows/console.sh "$build/kelmarch.exe" "$linux/kelmarch" ;;
*)
    echo "usage: $0 WINDOWS_BUILD LINUX_BUILD prefix|unit|golden|e2e|console" >&2
    exit 2
    ;;
esac
