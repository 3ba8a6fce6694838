#!/usr/bin/env python3
"""Replays the recorded sessions in tests/golden/ against a game command and compares the
transcript and the save folder with the recording: see the README's "Golden sessions"."""
import argparse
import contextlib
import difflib
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

CLEAR, MOST_LINES, MOST_BYTES = 300, 300, 400 * 1024  # lines per transcript, bytes in all
# The bright colours for a dark background, the plain ones and the terminal's own for a light one.
COLOURS = {b"0": b"reset", b"97": b"white", b"91": b"red", b"94": b"blue", b"92": b"green",
           b"95": b"purple", b"96": b"teal", b"93": b"yellow", b"39": b"foreground",
           b"31": b"dark red", b"34": b"dark blue", b"32": b"dark green", b"35": b"dark purple",
           b"36": b"dark teal", b"33": b"dark yellow"}
ESCAPE = re.compile(rb"\x1b\[([0-9;]*)m")
COLOUR_NAME = re.compile(r"\{[a-z0-9 ;]+\}")


def play(command, session, typed, folder, findReads):
    """Plays the typed lines in a fresh copy of before/; returns the output of a game that
    ended well and, if asked, where in it each line was read: a line is typed only once the
    game sleeps reading its standard input, everything shown before then taken."""
    shutil.rmtree(folder, ignore_errors=True)
    before = os.path.join(session, "before")
    shutil.copytree(before, folder, symlinks=True) if os.path.isdir(before) else os.mkdir(folder)
    args = Path(session, "args").read_text().split()
    game = subprocess.Popen(command + args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            cwd=folder)
    os.set_blocking(game.stdout.fileno(), False)
    shown, positions = bytearray(), []
    for line in typed:
        while findReads and game.poll() is None and not sleepsReading(game.pid):
            shown += game.stdout.read() or b""
            time.sleep(0.0001)
        shown += game.stdout.read() or b""
        positions.append(len(shown))
        with contextlib.suppress(BrokenPipeError):  # a game that has ended reads no more
            game.stdin.write(line)
            game.stdin.flush()
    game.stdin.close()
    os.set_blocking(game.stdout.fileno(), True)
    shown += game.stdout.read()
    if game.wait() != 0:
        raise subprocess.CalledProcessError(game.returncode, command)
    return bytes(shown), positions


def sleepsReading(pid):
    """Whether the process sleeps in a read of its standard input (system call 0 on x86-64, 63
    on ARM64, of descriptor 0), as Linux's /proc shows: asleep before and after that call is
    seen, and not woken in between."""
    def state():
        status = Path(f"/proc/{pid}/status").read_text()
        return "\nState:\tS" in status, re.findall(r"ctxt_switches:.*", status)
    with contextlib.suppress(FileNotFoundError):  # the game has just ended; other errors tell
        before = state()
        call = Path(f"/proc/{pid}/syscall").read_text()
        return before[0] and call.startswith(("0 0x0 ", "63 0x0 ")) and state() == before
    return False


def fold(data):
    """Output lines with every run of 300 line breaks as one marker line, and what follows
    the last line break. A colour chosen on an otherwise empty line goes onto the next line
    with text, so a clear stays one run."""
    shown = ESCAPE.sub(lambda m: b"{%s}" % COLOURS.get(m[1], b"esc " + m[1]), data)
    *lines, partial = shown.decode("utf-8", "replace").split("\n")
    folded, blank, colours = [], 0, ""
    for line in lines + [None]:
        if line is not None and COLOUR_NAME.sub("", line) == "":
            blank, colours = blank + 1, colours + line
            continue
        folded += [""] * (blank % CLEAR) + ["~~ clear ~~"] * (blank // CLEAR)
        if line is None:
            break
        folded.append(colours + line)
        blank, colours = 0, ""
    return folded, colours + partial


def transcript(full, typed, positions):
    text, start = [], 0
    for line, at in zip(typed, positions):
        part, prompt = fold(full[start:at])
        text += part + [prompt + "> " + line.rstrip(b"\n").decode("utf-8", "replace")]
        start = at
    part, rest = fold(full[start:])
    return "\n".join(text + part + ([rest] if rest else [])) + "\n"


def check(command, readsFrom, session, record, scratch):
    folder = os.path.join(scratch, os.path.basename(session))
    typed = Path(session, "input.txt").read_bytes().splitlines(keepends=True)
    final = folder + ".final"
    full, positions = play(command, session, typed, final, readsFrom == command)
    if readsFrom != command:
        # Any byte in which the two games differ still changes the transcript.
        positions = play(readsFrom, session, typed, folder, True)[1]
    text = transcript(full, typed, positions)
    expected, after = os.path.join(session, "transcript.txt"), os.path.join(session, "after")
    lines = text.count("\n")
    problems = [f"the transcript has {lines} lines, more than {MOST_LINES}"] * (lines > MOST_LINES)
    if record:
        Path(expected).write_text(text)
        shutil.rmtree(after, ignore_errors=True)
        if os.listdir(final):
            shutil.copytree(final, after, symlinks=True)
        return "\n".join(problems)
    diff = list(difflib.unified_diff(Path(expected).read_text().splitlines(), text.splitlines(),
                                     "recorded", "played", lineterm="", n=2))
    if diff:
        problems.append("transcript differs:\n" + "\n".join(diff[:30]))
    # The save folder against after/: same names, same bytes, nothing more or less.
    after = after if os.path.isdir(after) else tempfile.mkdtemp(dir=scratch)
    done = subprocess.run(["diff", "-r", "--no-dereference", after, final], text=True,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if done.stdout:
        problems.append("save folder differs from after/:\n" + "\n".join(done.stdout.split("\n")[:12]))
    return "\n".join(problems)


def main():
    parser = argparse.ArgumentParser(usage="%(prog)s [--record] [--reads-from GAME] COMMAND...")
    parser.add_argument("--record", action="store_true")
    parser.add_argument("--reads-from")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    if not options.command:
        parser.error("no game command")
    # The game runs inside each session's folder: paths given from here must still work. The
    # sessions are recorded in the palette for a dark background, whatever the terminal's.
    command = [os.path.abspath(w) if os.path.exists(w) else w for w in options.command]
    readsFrom = [os.path.abspath(options.reads_from)] if options.reads_from else command
    os.environ.pop("COLORFGBG", None)
    here = os.path.dirname(os.path.abspath(__file__))
    chosen = os.environ.get("KELMARCH_SESSIONS", "*").split()
    sessions = sorted(os.path.join(here, n) for n in os.listdir(here)
                      if os.path.isfile(os.path.join(here, n, "args"))
                      and any(fnmatch.fnmatch(n, p) for p in chosen))
    if not sessions:
        sys.exit(f"no sessions found in {here}")

    def one(session):
        try:
            return check(command, readsFrom, session, options.record, scratch)
        except subprocess.CalledProcessError as error:
            return str(error)
    with tempfile.TemporaryDirectory(prefix="kelmarch-golden.") as scratch:
        with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            results = list(pool.map(one, sessions))
    failed = [f"FAILED {os.path.basename(s)}: {p}" for s, p in zip(sessions, results) if p]
    size = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(here) for f in fs)
    if size > MOST_BYTES:
        failed.append(f"FAILED: tests/golden holds {size} bytes, more than {MOST_BYTES}")
    print("\n".join(failed) or (f"recorded {len(sessions)} sessions" if options.record
                                else f"{len(sessions)} sessions match"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
