#!/usr/bin/env python3
"""Replays every recorded session in tests/golden/ against a game command and compares what
it showed and the files it left with the recording.

    tests/golden/check.py [--record] [--reads-from GAME] COMMAND...

Each session folder holds: args (the game's arguments), input.txt (what is typed), before/
(optional: files in the save folder at the start), transcript.txt and after/ (the save folder
at the end). The transcript is the game's real output made readable: each clear (300 line
breaks) becomes one "~~ clear ~~" line, and each typed line stands as "> line" where the game
read it. Output goes to a pipe, so colours are off unless args asks for them with
--color=always; then each escape shows as {colour}.
Where a line was read is found by replaying the session once per typed line, stopped after
that many lines: nothing the game itself says about its reads is used. With --reads-from,
those replays are made with GAME (a native build, say) instead of COMMAND, which then plays each
session once: a slow-starting port is checked against the same transcripts in seconds.
--record rewrites transcript.txt and after/ instead. KELMARCH_SESSIONS="pattern ..." replays
only the sessions whose names match one of the patterns ("files_*").
"""
import difflib
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

CLEAR = 300
MOST_LINES = 300            # per transcript
MOST_BYTES = 400 * 1024     # the whole folder
COLOURS = {"0": "reset", "97": "white", "91": "red", "94": "blue", "92": "green",
           "95": "purple", "96": "teal", "93": "yellow"}
ESCAPE = re.compile(rb"\x1b\[([0-9;]*)m")
COLOUR_NAME = re.compile(r"\{[a-z0-9 ;]+\}")


def run(command, session, lines, folder):
    """Plays the first `lines` typed lines in a fresh copy of before/; returns the output."""
    shutil.rmtree(folder, ignore_errors=True)
    before = os.path.join(session, "before")
    if os.path.isdir(before):
        shutil.copytree(before, folder, symlinks=True)
    else:
        os.mkdir(folder)
    with open(os.path.join(session, "args")) as f:
        args = f.read().split()
    typed = b"".join(lines)
    # The sessions are recorded in the palette for a dark background, whatever the terminal's.
    env = {key: value for key, value in os.environ.items() if key != "COLORFGBG"}
    # A build that loops instead of stopping at the end of its input fails in a minute.
    done = subprocess.run(command + args, input=typed, stdout=subprocess.PIPE, cwd=folder,
                          env=env, timeout=60)
    if done.returncode != 0:
        raise RuntimeError(f"the game exited with status {done.returncode}")
    return done.stdout


def readPositions(command, session, typed, full, folder):
    """Where in `full` each typed line was read. A game stopped after k lines has shown
    everything up to the (k+1)th read, then the messages still waiting (a blank line after
    them), then a colour reset: the read is where its output stops agreeing with the whole
    game's, stepped back over that tail."""
    positions = []
    for k in range(len(typed)):
        out = run(command, session, typed[:k], folder)
        at = len(os.path.commonprefix([out, full]))
        while at > 0 and not isStopTail(out[at:]):
            at -= 1
        positions.append(at)
    return positions


def isStopTail(tail):
    plain = ESCAPE.sub(b"", tail)
    return plain == b"" or (plain.endswith(b"\n\n") and b"\n\n" not in plain[:-2])


def show(data):
    def name(match):
        code = match.group(1).decode()
        return "{" + COLOURS.get(code, "esc " + code) + "}"
    return ESCAPE.sub(lambda m: name(m).encode(), data).decode("utf-8", "replace")


def fold(data):
    """Output lines with every run of 300 line breaks as one marker line, and what follows
    the last line break. A colour chosen on an otherwise empty line goes onto the next line
    with text, so a clear stays one run."""
    lines = show(data).split("\n")
    partial = lines.pop()
    folded, blank, colours = [], 0, ""
    for line in lines + [None]:
        if line is not None and COLOUR_NAME.sub("", line) == "":
            blank += 1
            colours += line
            continue
        folded += [""] * (blank % CLEAR) + ["~~ clear ~~"] * (blank // CLEAR)
        blank = 0
        if line is not None:
            folded.append(colours + line)
            colours = ""
    return folded, colours + partial


def transcript(full, typed, positions):
    text, start = [], 0
    for line, at in zip(typed, positions):
        part, prompt = fold(full[start:at])
        text += part
        text.append(prompt + "> " + line.rstrip(b"\n").decode("utf-8", "replace"))
        start = at
    part, rest = fold(full[start:])
    return "\n".join(text + part + ([rest] if rest else [])) + "\n"


def folderDifference(expected, actual):
    """The save folder against after/: same names, same bytes, nothing more or less."""
    if not os.path.isdir(expected):
        expected = tempfile.mkdtemp(dir=os.path.dirname(actual))
    done = subprocess.run(["diff", "-r", "--no-dereference", expected, actual],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return "\n".join(done.stdout.splitlines()[:12])


def check(command, readsFrom, session, record, scratch):
    name = os.path.basename(session)
    folder = os.path.join(scratch, name)
    with open(os.path.join(session, "input.txt"), "rb") as f:
        typed = f.read().splitlines(keepends=True)
    full = run(command, session, typed, folder)
    final = folder + ".final"
    os.rename(folder, final)
    # Any byte in which the two games differ still changes the transcript.
    reference = full if readsFrom == command else run(readsFrom, session, typed, folder)
    text = transcript(full, typed, readPositions(readsFrom, session, typed, reference, folder))
    expected = os.path.join(session, "transcript.txt")
    after = os.path.join(session, "after")
    problems = []
    if text.count("\n") > MOST_LINES:
        problems.append(f"the transcript has {text.count(chr(10))} lines, more than {MOST_LINES}")
    if record:
        with open(expected, "w") as f:
            f.write(text)
        shutil.rmtree(after, ignore_errors=True)
        if os.listdir(final):
            shutil.copytree(final, after, symlinks=True)
        return "\n".join(problems)
    with open(expected) as f:
        recorded = f.read()
    if recorded != text:
        diff = difflib.unified_diff(recorded.splitlines(), text.splitlines(), "recorded",
                                    "played", lineterm="", n=2)
        problems.append("transcript differs:\n" + "\n".join(list(diff)[:30]))
    difference = folderDifference(after, final)
    if difference:
        problems.append("save folder differs from after/:\n" + difference)
    return "\n".join(problems)


def folderBytes(path):
    return sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(path) for f in files)


def main():
    argv = sys.argv[1:]
    record = bool(argv) and argv[0] == "--record"
    if record:
        argv = argv[1:]
    readsFrom = None
    if len(argv) > 1 and argv[0] == "--reads-from":
        readsFrom, argv = argv[1], argv[2:]
    if not argv:
        print(f"usage: {sys.argv[0]} [--record] [--reads-from GAME] COMMAND...", file=sys.stderr)
        return 2
    # The game runs inside each session's folder: paths given from here must still work.
    command = [os.path.abspath(w) if os.path.exists(w) else w for w in argv]
    readsFrom = [os.path.abspath(readsFrom)] if readsFrom else command
    here = os.path.dirname(os.path.abspath(__file__))
    chosen = os.environ.get("KELMARCH_SESSIONS", "").split()
    sessions = sorted(os.path.join(here, n) for n in os.listdir(here)
                      if os.path.isfile(os.path.join(here, n, "args"))
                      and (not chosen or any(fnmatch.fnmatch(n, p) for p in chosen)))
    if not sessions:
        print(f"no sessions found in {here}", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory(prefix="kelmarch-golden.") as scratch:
        hung = []

        # A build that hangs once most likely hangs everywhere: the rest are not played.
        def one(session):
            if hung:
                return "not played: another session stopped answering"
            try:
                return check(command, readsFrom, session, record, scratch)
            except subprocess.TimeoutExpired:
                hung.append(session)
                return "the game stopped answering"
            except RuntimeError as error:
                return str(error)
        with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            results = list(pool.map(one, sessions))
    failed = 0
    for session, problem in zip(sessions, results):
        if problem:
            failed += 1
            print(f"FAILED {os.path.basename(session)}: {problem}")
    size = folderBytes(here)
    if size > MOST_BYTES:
        print(f"FAILED: tests/golden holds {size} bytes, more than {MOST_BYTES}")
    if failed:
        print(f"{failed} of {len(sessions)} sessions differ")
    if failed or size > MOST_BYTES:
        return 1
    print(f"recorded {len(sessions)} sessions" if record else f"{len(sessions)} sessions match")
    return 0


if __name__ == "__main__":
    sys.exit(main())
