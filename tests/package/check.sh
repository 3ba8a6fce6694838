#!/usr/bin/env bash
# Checks the Debian package without installing it: unpacked into a temporary root, its game
# runs with a temporary HOME from an empty folder and must save in the player's data folder
# (or in the one --dir names), never in the working directory; man -l renders its page.
# usage: tests/package/check.sh kelmarch_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package check: $1" >&2; exit 1; }

dpkg-deb -f "$deb" Package Version Section Depends
test "$(dpkg-deb -f "$deb" Section)" = games || fail "the section is not games"
dpkg-deb -x "$deb" "$work/root"
game=$work/root/usr/games/kelmarch
file "$game" | grep -q ', stripped' || fail "/usr/games/kelmarch is missing or not stripped"
grep -q '^License: Expat' "$work/root/usr/share/doc/kelmarch/copyright" || fail "no MIT licence"
zcat "$work/root/usr/share/doc/kelmarch/changelog.Debian.gz" | head -1
version=$(dpkg-deb -f "$deb" Version)
test "$("$game" --version)" = "Kelmarch: Orvanis ${version%-*}" || fail "wrong --version"

page=$work/root/usr/share/man/man6/kelmarch.6.gz
warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
test -z "$warnings" || fail "groff finds faults in the manual page: $warnings"
MANWIDTH=80 man -l "$page" | grep -q '~/.local/share/kelmarch,' ||
    fail "man -l shows no data folder"

# Makes a new character in an empty working directory: NAME, then the variables and the command.
mkdir "$work/here"
newCharacter() {
    (cd "$work/here" && printf 'n\n%s\nyes\nmage\n' "$1" |
        env -i PATH="$PATH" "${@:2}" --color=never >/dev/null)
}
newCharacter Ann HOME="$work/home" "$game"
newCharacter Bob HOME="$work/home" XDG_DATA_HOME="$work/data" "$game"
newCharacter Cid HOME="$work/home" "$game" --dir "$work/chosen"
test "$(cat "$work/home/.local/share/kelmarch/profiles.txt")" = ann || fail "Ann is not in HOME"
test "$(stat -c %a "$work/home/.local/share/kelmarch")" = 700 || fail "the data folder is not private"
test "$(cat "$work/data/kelmarch/profiles.txt")" = bob || fail "Bob is not in XDG_DATA_HOME"
test "$(cat "$work/chosen/profiles.txt")" = cid || fail "Cid is not in the --dir folder"
test -z "$(ls -A "$work/here")" || fail "the game wrote into the working directory"
env -i HOME="$work/home" "$game" --help | grep -q "saved in $work/home/.local/share/kelmarch," ||
    fail "--help does not name the data folder"
echo "package check: $("$game" --version) saves in the player's data folder, or in --dir's"
