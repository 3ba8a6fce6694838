#!/usr/bin/env bash
# Times a scripted session of the game against cat of the very same output bytes, times one
# saving action (its durable save included), checks the order of a save's flushes, and counts
# the write system calls per pass of the screen loop.
# usage: bench/run.sh [BINARY] [ROUNDS]   (defaults: build/kelmarch, 100 rounds)
set -euo pipefail
binary=$(realpath "${1:-build/kelmarch}")
rounds=${2:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A strong warrior: every enemy of the plains and the forest falls to one blow.
cat > profiles.txt <<'END'
bench
END
cat > bench.txt <<'END'
Name:Bench
Level:20
XP:0
Stat Points:0
Skill Points:0
Gold:100000
Current Health:100000
Max Health:100000
Attack:100000
Defense:100000
Agility:100
Current Mana:100
Max Mana:100
Wilderness:0
Whirlwind Mana:2
Stab Mana:3
Blades Mana:3
Slice Mana:2
Gouge Mana:2
Bolt Mana:5
Stun Mana:7
Fire Mana:6
Heal Mana:5
Poison Mana:6
END
cp bench.txt bench.start

# Each round walks the village's rooms, then the plains and the forest with a fight in each.
# A second "attack" covers a dodged blow; after a win it is one refused line.
{
    printf 'l\nbench\n'
    for ((i = 0; i < rounds; ++i)); do
        printf 's\nexit\nt\nexit\ntown crier\nexit\ne\ngo back\nh\n'
        printf 'p\nattack\nattack\nf\nattack\nattack\np\nattack\nattack\nv\n'
    done
} > session.txt
lines=$(wc -l < session.txt)

play() { cp bench.start bench.txt; "$binary" --seed 1 --color=always < session.txt; }
play > output.bin
bytes=$(wc -c < output.bin)

# Median of seven runs, in microseconds, of a command whose output goes to /dev/null.
median() {
    local times=()
    for _ in 1 2 3 4 5 6 7; do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 4p
}
game_us=$(median play)
cat_us=$(median cat output.bin)

echo "session: $lines input lines, $bytes output bytes"
echo "game: ${game_us} us   cat: ${cat_us} us   ratio: $(awk "BEGIN { printf \"%.2f\", $game_us / $cat_us }")"

# Saving actions: the trainer spends one stat point per line and saves the character at once.
sed -e 's/^Stat Points:0$/Stat Points:1000000/' bench.start > saver.start
saves=1000
{
    printf 'l\nbench\nt\nstats\n'
    for ((i = 0; i < saves; ++i)); do printf 'attack\n'; done
} > saving.txt
save() { cp saver.start bench.txt; "$binary" --color=always < saving.txt; }
save_us=$(median save)
echo "saving action: $(awk "BEGIN { printf \"%.3f\", $save_us / $saves / 1000 }") ms each" \
    "(median of 7 runs of $saves, screen and durable save included)"

if ! command -v strace > /dev/null; then
    echo "strace not installed: save order and write counts skipped"
    exit 0
fi
# One save: the file reaches the disk before the rename, and the rename before the game goes on.
cp saver.start bench.txt
printf 'l\nbench\nt\nstats\nattack\n' > one.txt
strace -f -e trace=fsync,fdatasync,rename,renameat,renameat2 -o order.txt "$binary" < one.txt > /dev/null
order=$(grep -oE '^[0-9]+ +(fsync|fdatasync|rename[a-z0-9]*)' order.txt | awk '{ print $2 }' | tr '\n' ' ')
echo "one save: ${order}"

cp bench.start bench.txt
strace -f -c -e trace=write -o writes.txt "$binary" --seed 1 --color=always < session.txt > /dev/null
writes=$(awk '$NF == "write" { print $4 }' writes.txt)
echo "writes: $writes, $(awk "BEGIN { printf \"%.2f\", $writes / $lines }") per line read"
