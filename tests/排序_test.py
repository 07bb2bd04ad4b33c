#!/usr/bin/env python3
"""End-to-end cases for score-rank.

usage: 排序_test.py [--windows] COMMAND...

Each case runs COMMAND (the program, possibly behind an emulator such as
`wine score-rank.exe`) on a given standard input and checks standard output
byte for byte, standard error and the exit status.  With --windows the count
line must end in CR LF, as a text-mode stream on Windows writes it, and
system error messages are those of the Windows C runtime; the program is
also started in a console window of its own, on a virtual X display (the
Debian packages xvfb and xdotool).
"""

import os
import pty
import re
import select
import subprocess
import sys
import tempfile
import time
import tty

TIMEOUT = 30
PROMPT = b"input score:"
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                       "CMakeLists.txt")) as f:
    VERSION = re.search(r"project\(score-rank VERSION (\S+)", f.read())[1]


def ascending(n):
    return " ".join(str(i) for i in range(1, n + 1))


def cut(n):
    return f'score-rank: only the 40 highest scores are ranked; {n} more were left out\n'


def ignoring(args):
    return (f'score-rank: ignoring {args}: scores are read from standard input '
            f'(score-rank < FILE)\n', f'score-rank: ignoring {args}: scores are '
            f'read from standard input (score-rank.exe < FILE)\n')


def stop(text, why="not a whole number"):
    return f'score-rank: stopped reading at "{text}": {why}\n'


TOO_LARGE = "larger than 2147483647"
FORTY = list(range(40, 0, -1))
SHUFFLED = " ".join(str(i * 37 % 101) for i in range(1, 101))  # 1 to 100

# name, standard input, scores listed (highest first), standard error; an
# error given as a pair is (on Linux, on Windows).  Every one of these exits
# with status 0.
CASES = [
    ("example", b"60 95 78 -1", [95, 78, 60], ""),
    ("example with line breaks", b"60\n95\n78\n-1\n", [95, 78, 60], ""),
    ("only the terminating value", b"-1\n", [], ""),
    ("zero is a score", b"0 5 0 -3", [5, 0, 0], ""),
    ("minus zero is a score", b"-0 4 -1", [4, 0], ""),
    ("plus sign", b"+7 -1", [7], ""),
    ("leading zeros", b"000042 -00 -1", [42, 0], ""),
    ("white space of every kind", b"1\t2\n3\r\n4\v5\f6  \r\n-1\r\n",
     [6, 5, 4, 3, 2, 1], ""),
    ("equal scores", b"5 9 5 5 -1", [9, 5, 5, 5], ""),
    ("worked example", b"3 1 4 1 5 -1", [5, 4, 3, 1, 1], ""),
    ("input after the end is not read", b"3 -1 99 abc 2147483648", [3], ""),
    ("sign straight after digits", b"5-3 7", [5], ""),
    ("largest score", b"2147483647 0 -1", [2147483647, 0], ""),
    ("any negative value ends", b"4 -99999999999 5", [4], ""),
    ("most negative value ends", b"4 -2147483648 5", [4], ""),
    ("huge negative value ends", b"4 -" + b"9" * 100000 + b" 5", [4], ""),
    ("end of input ends quietly", b"3 1 2", [3, 2, 1], ""),
    ("end of input after white space", b"3 1 2 \n\n", [3, 2, 1], ""),
    ("empty input", b"", [], ""),
    ("forty scores fill the table", (ascending(40) + " -1").encode(), FORTY, ""),
    ("one score too many", (ascending(41) + " -1").encode(),
     list(range(41, 1, -1)), cut(1)),
    ("45 descending", " ".join(map(str, range(45, 0, -1))).encode() + b" -1",
     list(range(45, 5, -1)), cut(5)),
    ("the highest last", b"50 " * 44 + b"99 -1", [99] + [50] * 39, cut(5)),
    ("each a new lowest", b"0" + b" 1000" * 39 + b" 1 2 3 4 5 -1",
     [1000] * 39 + [5], cut(5)),
    ("100 shuffled", SHUFFLED.encode() + b" -1", list(range(100, 60, -1)),
     cut(60)),
    ("ties at the lowest kept, no terminating value",
     (ascending(40) + " 7" * 100000).encode(),
     list(range(40, 7, -1)) + [7] * 7, cut(100000)),
    ("letters", b"abc -1", [], stop("abc")),
    ("lone minus", b"1 - 2 -1", [1], stop("-")),
    ("lone plus at end of input", b"1 +", [1], stop("+")),
    ("double sign", b"--5", [], stop("--5")),
    ("hex prefix", b"0x10 -1", [0], stop("x10")),
    ("comma", b"60,95 -1", [60], stop(",95")),
    ("letters after digits", b"12abc 5", [12], stop("abc")),
    ("NUL byte", b"5 \0 7 -1", [5], stop("?")),
    ("byte 0xFF is no end of input", b"5 \xff 7 -1", [5], stop("?")),
    ("UTF-8 text", "5 é7 -1".encode(), [5], stop("??7")),
    ("control byte, tilde and DEL", b"5 \x01a~\x7f -1", [5], stop("?a~?")),
    # Windows text-mode reads end the input at a Ctrl+Z byte.
    ("Ctrl+Z", b"5 \x1a 7 -1", [5], (stop("?"), "")),
    ("twenty characters are shown whole", b"abcdefghijklmnopqrst",
     [], stop("abcdefghijklmnopqrst")),
    ("longer tokens are cut", b"1 abcdefghijklmnopqrstu 2",
     [1], stop("abcdefghijklmnopqrst...")),
    ("bad token after the table is full",
     (ascending(42) + " x -1").encode(), list(range(42, 2, -1)),
     stop("x") + cut(2)),
    ("just too large", b"7 2147483648 -1", [7], stop("2147483648", TOO_LARGE)),
    ("largest score's digits and one more", b"21474836470 -1",
     [], stop("21474836470", TOO_LARGE)),
    ("too large with sign and zeros", b"+00002147483648",
     [], stop("+00002147483648", TOO_LARGE)),
    ("too large runs to white space", b"2147483648abc 1",
     [], stop("2147483648abc", TOO_LARGE)),
    ("a megabyte of digits", b"3 " + b"1" * 1000000 + b"\n-1",
     [3], stop("1" * 20 + "...", TOO_LARGE)),
]

# Arguments, with 60 95 78 -1 as standard input.  name, arguments, what
# standard output holds: "usage" (its first words), "version" or "ranking";
# standard error.  A pair is (on Linux, on Windows).  Every one exits with 0.
ARG_CASES = [
    ("--help", ["--help"], "usage", ""),
    ("-h", ["-h"], "usage", ""),
    ("/? on Windows", ["/?"], ("ranking", "usage"), (ignoring('"/?"')[0], "")),
    ("--help after a file name", ["scores.txt", "--help"], "usage", ""),
    ("--version", ["--version"], "version", ""),
    ("a file name", ["scores.txt"], "ranking", ignoring('"scores.txt"')),
    ("several arguments, one notice", ["a", "b", "-1"], "ranking",
     ignoring('"a" and the other arguments')),
    ("argument quoted safely", ["\x1b[2J~\x7f" + "x" * 30], "ranking",
     ignoring('"?[2J~?' + "x" * 14 + '..."')),
]

# Standard input a file: what the program leaves unread for the next reader
# of the same open file.  name, input, what is left.
REST_CASES = [
    ("two classes", b"60 95 78 -1\n50 40 -1\n", b"\n50 40 -1\n"),
    ("after a bad token", b"5 abc 7 -1", b" 7 -1"),
    ("after a too large value", b"2147483648x\n7", b"\n7"),
    ("at the end of input", b"3 1 \n", b""),
    ("past the first read block", b"1 " * 10000 + b"-1 tail", b" tail"),
]


class Run:
    def __init__(self, command, windows):
        self.command = command
        self.newline = b"\r\n" if windows else b"\n"
        self.windows = windows

    def ranking(self, scores):
        return (PROMPT + b"Total students are %d" % len(scores) + self.newline
                + b"".join(b"%d " % s for s in scores))

    def run(self, stdin):
        return subprocess.run(self.command, input=stdin, capture_output=True,
                              timeout=TIMEOUT)


def check(got, out, err, status):
    """Returns what differs between a finished run and what it should be."""
    wrong = []
    if got.stdout != out:
        wrong.append(f"stdout {got.stdout[:300]!r}, want {out[:300]!r}")
    if got.stderr.decode(errors="replace") != err:
        wrong.append(f"stderr {got.stderr[:300]!r}, want {err!r}")
    if got.returncode != status:
        wrong.append(f"status {got.returncode}, want {status}")
    return wrong


def table_case(stdin, scores, err):
    def case(r):
        want = err[r.windows] if isinstance(err, tuple) else err
        return check(r.run(stdin), r.ranking(scores), want, 0)
    return case


def arg_case(args, out, err):
    def case(r):
        pick = (lambda x: x[r.windows] if isinstance(x, tuple) else x)
        got = subprocess.run(r.command + args, input=b"60 95 78 -1",
                             capture_output=True, timeout=TIMEOUT)
        want = {"usage": b"usage: score-rank",
                "version": b"score-rank " + VERSION.encode() + r.newline,
                "ranking": r.ranking([95, 78, 60])}[pick(out)]
        if pick(out) == "usage":  # its first words; the rest is for people
            got.stdout = got.stdout[:len(want)]
        return check(got, want, pick(err), 0)
    return case


def rest_case(stdin, rest):
    def case(r):
        with tempfile.TemporaryFile() as f:
            f.write(stdin)
            f.seek(0)
            got = subprocess.run(r.command, stdin=f, capture_output=True,
                                 timeout=TIMEOUT)
            left = f.read()
        wrong = [f"status {got.returncode}, want 0"] if got.returncode else []
        return wrong + ([] if left == rest else
                        [f"left {left[:300]!r}, want {rest!r}"])
    return case


def read_error(r):
    # Reading a directory fails: EISDIR on Linux, EINVAL under Windows.
    directory = os.open("/", os.O_RDONLY)
    try:
        got = subprocess.run(r.command, stdin=directory, capture_output=True,
                             timeout=TIMEOUT)
    finally:
        os.close(directory)
    message = "Invalid argument" if r.windows else "Is a directory"
    return check(got, r.ranking([]), f"score-rank: read error: {message}\n", 1)


def full_output(r):
    with open("/dev/full", "wb") as full:
        got = subprocess.run(r.command, input=b"1 2 -1", stdout=full,
                             stderr=subprocess.PIPE, timeout=TIMEOUT)
    got.stdout = b""
    return check(got, b"",
                 "score-rank: write error: No space left on device\n", 1)


def closed_output(r):
    got = subprocess.run(r.command, input=b"1 -1", stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, timeout=TIMEOUT,
                         preexec_fn=lambda: os.close(1))
    got.stdout = b""
    return check(got, b"", "score-rank: write error: Bad file descriptor\n", 1)


def dialogue(r):
    """The prompt arrives while standard input is still open, and the program
    ends at the terminating value without waiting for end of input."""
    p = subprocess.Popen(r.command, stdin=subprocess.PIPE,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    try:
        out = b""
        deadline = time.monotonic() + TIMEOUT
        while len(out) < len(PROMPT) and time.monotonic() < deadline:
            if select.select([p.stdout], [], [], 0.1)[0]:
                chunk = os.read(p.stdout.fileno(), 4096)
                if not chunk:
                    break
                out += chunk
        if out != PROMPT:
            return [f"before any input, stdout {out!r}, want {PROMPT!r}"]
        p.stdin.write(b"60 95\n78 -1\n")
        p.stdin.flush()
        p.wait(timeout=TIMEOUT)
        got = subprocess.CompletedProcess(p.args, p.returncode,
                                          out + p.stdout.read(),
                                          p.stderr.read())
        return check(got, r.ranking([95, 78, 60]), "", 0)
    except subprocess.TimeoutExpired:
        return ["still running after the terminating value"]
    finally:
        p.kill()
        p.wait()
        for f in (p.stdin, p.stdout, p.stderr):
            f.close()


def terminal(r):
    """In a terminal, a Unix one under Wine too, the program ends at the
    terminating value: there is no window there to keep open."""
    fd, term = pty.openpty()
    tty.setraw(term)  # CR is Enter, as in Wine's console, however early typed
    p = subprocess.Popen(r.command, stdin=term, stdout=term,
                         stderr=subprocess.PIPE)
    os.close(term)
    out = b""
    try:
        os.write(fd, b"60 95\r78 -1\r")
        while select.select([fd], [], [], TIMEOUT)[0]:
            out += os.read(fd, 4096)
    except OSError:  # the terminal's other side closed: the program ended
        pass
    try:
        p.wait(timeout=1)
        # What a person sees, in short: no control sequences, CRs or spaces
        # (Wine's console moves the cursor over them); the echoed input
        # comes before the count line.
        seen = (lambda t: re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|[\r ]", b"", t))
        want = seen(r.ranking([95, 78, 60])[len(PROMPT):])
        return check(subprocess.CompletedProcess(
            p.args, p.returncode, seen(out)[-len(want):], p.stderr.read()),
            want, "", 0)
    finally:
        p.kill()
        p.wait()
        p.stderr.close()
        os.close(fd)


def window(r):
    """Started in a console window of its own, as from Explorer, the program
    keeps the window open after the listing until Enter is pressed again.
    Wine's start.exe opens the window; xdotool types into it."""
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=":" + xvfb.stdout.readline().decode().strip())

    def xdotool(*args):
        return subprocess.run(["xdotool", *args], env=env, check=True,
                              capture_output=True, timeout=TIMEOUT).stdout

    p = subprocess.Popen(r.command[:-1] + ["start", "/wait", "/unix", r.command[-1]],
                         env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        console = xdotool("search", "--sync", "--onlyvisible", "--class",
                          "conhost.exe").split()[0]
        xdotool("windowfocus", "--sync", console)
        xdotool("type", "60 95 78 -1")
        xdotool("key", "Return")
        time.sleep(3)
        if p.poll() is not None:
            return [f"the window closed after the listing, status {p.returncode}"]
        xdotool("key", "Return")
        return [] if p.wait(timeout=TIMEOUT) == 0 else [f"status {p.returncode}, want 0"]
    finally:
        p.kill()
        p.wait()
        xvfb.kill()
        xvfb.wait()
        xvfb.stdout.close()


def main(argv):
    windows = argv[:1] == ["--windows"]
    if windows:
        argv = argv[1:]
    if not argv:
        sys.exit(__doc__)
    r = Run(argv, windows)
    cases = [(name, table_case(i, s, e)) for name, i, s, e in CASES]
    if not windows:  # there the runtime keeps what it has read ahead
        cases += [(name + ": what is left", rest_case(i, left))
                  for name, i, left in REST_CASES]
    cases += [(name, arg_case(a, o, e)) for name, a, o, e in ARG_CASES]
    cases += [("read error", read_error), ("output full", full_output),
              ("output closed", closed_output), ("dialogue", dialogue),
              ("dialogue in a terminal", terminal)]
    if windows:
        cases += [("a console window of its own stays open", window)]
    failed = 0
    for name, case in cases:
        try:
            wrong = case(r)
        except subprocess.TimeoutExpired:
            wrong = [f"did not finish in {TIMEOUT} s"]
        print(("FAIL " if wrong else "ok   ") + name)
        for w in wrong:
            print("     " + w)
        failed += bool(wrong)
    print(f"{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
