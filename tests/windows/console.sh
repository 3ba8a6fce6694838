#!/usr/bin/env bash
# On a console the Windows game colours its text through the console's attributes and names
# the window. Wine's console shows both on a terminal: in tmux the Windows game's screen,
# colours included, must be the Linux game's, and the pane must carry the game's title.
# usage: tests/windows/console.sh WINDOWS_GAME LINUX_GAME   (Wine's environment set up)
set -euo pipefail
windowsGame=$(realpath "$1")
linuxGame=$(realpath "$2")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelmarch-console.XXXXXX")
tmux=(tmux -S "$scratch/socket" -f /dev/null)
trap '"${tmux[@]}" kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
mkdir "$scratch/linux" "$scratch/windows"

"${tmux[@]}" new-session -d -s linux -x 100 -y 40 -c "$scratch/linux" -e INPUTRC=/dev/null \
    "$linuxGame --seed 3; sleep 600"
"${tmux[@]}" new-session -d -s windows -x 100 -y 40 -c "$scratch/windows" \
    "wine $windowsGame --seed 3; sleep 600"

screen() { "${tmux[@]}" capture-pane -p -e -t "$1"; }
# Polls until both screens show the same and the text; Wine may take seconds to redraw.
sameScreens() {
    for _ in $(seq 200); do
        local windows
        windows=$(screen windows)
        if [ "$(screen linux)" = "$windows" ] && [[ "$windows" == *"$1"* ]]; then return 0; fi
        sleep 0.1
    done
    echo "the Windows game's console differs from the Linux game's terminal:"
    diff <(screen linux) <(screen windows) | head -n 20 | cat -v
    return 1
}

# Types a line into both games, then waits for the screens to agree on the text.
typeLine() {
    "${tmux[@]}" send-keys -t linux "$1" Enter
    "${tmux[@]}" send-keys -t windows "$1" Enter
    sameScreens "$2"
}

sameScreens "new game [n]"
typeLine n "Type your name below:"
typeLine Åsa "correct?"
typeLine yes "Which class"
typeLine warrior "plains [p]"
typeLine xyz "Please type in one of the options"
typeLine p "flee"
title=$("${tmux[@]}" display -p -t windows '#{pane_title}')
if [ "$title" != "Kelmarch: Orvanis" ]; then
    echo "the console's title is \"$title\""
    exit 1
fi

# NO_COLOR leaves the console's own colours alone.
"${tmux[@]}" new-session -d -s plain -x 100 -y 40 -c "$scratch/windows" -e NO_COLOR=1 \
    "wine $windowsGame; sleep 600"
for _ in $(seq 200); do [[ "$(screen plain)" == *"new game [n]"* ]] && break; sleep 0.1; done
if [[ "$(screen plain)" != *"new game [n]"* || "$(screen plain)" == *$'\e['* ]]; then
    echo "with NO_COLOR set the console shows:"
    screen plain | cat -v
    exit 1
fi
echo "the console shows the Linux game's screen, and no colour with NO_COLOR"
