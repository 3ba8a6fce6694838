#!/usr/bin/env bash
# Runs the Windows build under Wine: its unit tests, every golden session, and a game on a
# console against the Linux game on a terminal.
# usage: tests/windows/run.sh BUILD_DIR LINUX_GAME   (BUILD_DIR: the cross build)
set -euo pipefail
build=$(realpath "$1")
linuxGame=$(realpath "$2")
cd "$(dirname "$0")/../.."
# A prefix of the build's own; no Mono or Gecko, which a console game never needs.
export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The first start prepares the prefix (about 15 s). The Wine server it leaves serves every
# later run and is stopped at the end, whatever happens.
trap 'wineserver --kill 2>/dev/null || true' EXIT
wineboot --init >/dev/null 2>&1

wine "$build/tests/unit_tests.exe"
bash tests/golden/check.sh wine "$build/kelmarch.exe"
bash tests/windows/console.sh "$build/kelmarch.exe" "$linuxGame"
