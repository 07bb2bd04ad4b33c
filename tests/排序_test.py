#!/usr/bin/env python3
"""End-to-end cases for score-rank.

usage: 排序_test.py [--windows] [--block BYTES] [--version VERSION]
                   [--part K/N] COMMAND...

Each case runs COMMAND (the program, possibly behind an emulator such as
`wine score-rank.exe`) on a given standard input and checks standard output
byte for byte, standard error and the exit status.  Nothing else is needed
of a build: BYTES is what the program asks for in a read (16384, the size
a build makes unless told otherwise), which decides what a pipe holds after
the end of the list; VERSION is what --version must print (where not
given, any version number).  --part K/N runs the Kth of N shares of the
cases, every Nth case from the Kth, so that N runs can share the cases.  With --windows the count
line must end in CR LF, as a text-mode stream on Windows writes it, and
system error messages are those of the Windows C runtime; the program is
also started in a console window of its own, on a virtual X display (the
Debian packages xvfb and xdotool).
"""

import contextlib
import fcntl
import os
import pty
import re
import resource
import select
import signal
import struct
import subprocess
import sys
import tempfile
import termios
import time
import tty
import unicodedata

TIMEOUT = 30
PROMPT = b"input score:"


def ascending(n):
    return " ".join(str(i) for i in range(1, n + 1))


def wrapped(text):
    """A notice as the program writes it: broken at a space before a word
    that would pass column 79, and indented on the lines after the first."""
    lines = [""]
    # A part in parentheses is not broken.
    for i, word in enumerate(re.findall(r"\([^)]*\)?|[^ ]+|(?<= )(?= )", text)):
        if i and columns(lines[-1]) + 1 + columns(word) > 79:
            lines.append(" ")
        lines[-1] += (" " if i else "") + word
    return "\n".join(lines) + "\n"


def columns(text):
    """Terminal columns: two for a wide or fullwidth East Asian character."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1
               for c in text)


def cut(n, highest, equal=0):
    return wrapped(f"score-rank: the 40 highest are listed; {n} more, none "
                   f"above {highest}, were left out"
                   + (f" ({equal} equal to the lowest listed)" if equal else ""))


def out(text, why="not a whole number", line=1, where=None):
    """A word left out, from a file or a pipe."""
    return wrapped(f"score-rank: {where or f'line {line}'}: left out "
                   f'"{text}": {why}')


def typo(text, why="not a whole number"):
    return wrapped(f'score-rank: left out "{text}": {why}; go on typing')


def left(*notices, words=None, unnamed=0, noun="word"):
    """The notices of the words left out, and the one that counts them."""
    words = words or len(notices)
    return "".join(notices) + wrapped(
        f"score-rank: {words} {noun}"
        + (" that is not a score was" if words == 1
           else "s that are not scores were") + " left out"
        + (f", {unnamed} of them not named above" if unnamed else ""))


def windows_too(*notices):
    """The notices, and as Windows writes them to a pipe: in its code page,
    1252 under Wine here, each UTF-16 unit that it lacks a '?'."""
    text = left(*notices)

    def ansi(c):
        try:
            return c.encode("cp1252")
        except UnicodeEncodeError:
            return b"?" * (2 if ord(c) > 0xFFFF else 1)
    return text, b"".join(map(ansi, text)).decode(errors="replace")


def ranked(where, column, of, name=None):
    return wrapped(f"score-rank: {where}: ranked "
                   + (f'the column "{name}" ({column} of {of})' if name
                      else f"column {column} of {of}"))


def choose(where, columns, typed, numbers=2):
    """The notice of a table whose column of scores is not known."""
    return wrapped(f"score-rank: {where}: "
                   + (f"{numbers} columns hold numbers, {columns}" if numbers
                      else f"no column holds a number below the header "
                      f"{columns}")
                   + f"; choose one, as in --column {typed}")


def after(text):
    return wrapped(f'score-rank: "{text}" after the end of the list was not '
                   "ranked")


def not_text(line=1, where=None):
    return wrapped(f"score-rank: {where or f'line {line}'}: not a text file; "
                   "save the sheet as CSV or as text")


def usage(wrong):
    return tuple(wrapped(f"score-rank: {wrong}")
                 + f"usage: {command} [--help | --version] "
                 f"[--column N|NAME] [--] [FILE | -]\n"
                 for command in ("score-rank", "score-rank.exe"))


def utf16(text, order):
    return ("\ufeff" + text).encode("utf-16-" + order)


class NonBlocking(list):
    """Pieces of standard input, read from a pipe left non-blocking."""


class SmallStack(bytes):
    """Standard input for a program run alone with a stack of 64 KiB."""


class Unechoed(bytes):
    """What is typed into a terminal that does not echo it, so that the
    terminal shows the program's output alone."""


class WholeLine(bytes):
    """A typed line that a read of the program's block size takes whole."""


class Listed(Unechoed):
    """Typed into a terminal that does not echo, with standard output not
    the terminal."""


class Many(list):
    """The scores listed of more read: the count line counts all read."""
    def __init__(self, read, listed):
        super().__init__(listed)
        self.read = read


TOO_LARGE = "larger than 2147483647"
LETTER_O = "the letter O is not a zero"
SPACES = "scores are separated by spaces"
WHOLE = "a score is a whole number; round it"
MINUS = "the character - is not a digit"
SIGN = "a sign must touch its number, as in -1"
DASH = "type the minus with the - key"
FORTY = list(range(40, 0, -1))
SHUFFLED = " ".join(str(i * 37 % 101) for i in range(1, 101))  # 1 to 100

# name, standard input, scores listed (highest first), standard error; a
# pair is (on Linux, on Windows).  The exit status is 1 where a word was left
# out or the input was not text, and 0 for every other row.
CASES = [
    ("example", b"60 95 78 -1", [95, 78, 60], ""),
    ("example with line breaks", b"60\n95\n78\n-1\n", [95, 78, 60], ""),
    ("only the terminating value", b"-1\n", [], ""),
    ("zero is a score", b"0 5 0 -3", [5, 0, 0], ""),
    ("minus zero is a score", b"-0 4 -1", [4, 0], ""),
    ("plus sign", b"+7 -1", [7], ""),
    ("leading zeros", b"000042 -00 -1", [42, 0], ""),
    ("more than ten digits of leading zeros", b"00000000000095 "
     b"000000000002147483647 -1", [2147483647, 95], ""),
    ("white space of every kind", b"1\t2\n3\r\n4\v5\f6  \r\n-1\r\n",
     [6, 5, 4, 3, 2, 1], ""),
    ("equal scores", b"5 9 5 5 -1", [9, 5, 5, 5], ""),
    ("worked example", b"3 1 4 1 5 -1", [5, 4, 3, 1, 1], ""),
    # What a pipe held after the end is named, not ranked.
    ("input after the end is not read", b"3 -1 99 abc 2147483648", [3],
     after("99 abc 2147483648")),
    ("a pipe's next line after the end", b"80 72 -1\n60 95\n", [80, 72],
     after("60 95")),
    ("a negative value ends whatever is glued to it", b"3 -1abc 4", [3],
     after("abc 4")),
    ("a NUL after the end is named, as a ?", b"5 -1 \0", [5], after("?")),
    ("white space around what follows the end", b"5 -1 \t60\t\n95 \n\n", [5],
     after("60  95")),
    ("a control byte after the end, and a space", b"5 -1 x\x01 60", [5],
     after("x? 60")),
    ("a long line after the end is cut", b"5 -1 60 70 80 90 100 110 120 130",
     [5], after("60 70 80 90 100 110 ...")),
    ("largest score", b"2147483647 0 -1", [2147483647, 0], ""),
    ("any negative value ends", b"4 -99999999999 5", [4], after("5")),
    ("most negative value ends", b"4 -2147483648 5", [4], after("5")),
    ("huge negative value ends", b"4 -" + b"9" * 100000 + b" 5", [4], ""),
    ("a first line of numbers and commas longer than a read",
     b", ".join(b"%d" % i for i in range(1, 4001)) + b", -1",
     Many(4000, range(4000, 3960, -1)), cut(3960, 3960)),
    ("end of input ends quietly", b"3 1 2", [3, 2, 1], ""),
    ("end of input after white space", b"3 1 2 \n\n", [3, 2, 1], ""),
    ("empty input", b"", [], ""),
    ("one byte", b"7", [7], ""),
    ("only a line break", b"\n", [], ""),
    ("only a UTF-8 byte-order mark", b"\xef\xbb\xbf", [], ""),
    ("only a UTF-16 byte-order mark", b"\xff\xfe", [], ""),
    ("only a big-endian UTF-16 byte-order mark", b"\xfe\xff", [], ""),
    ("forty scores fill the table", (ascending(40) + " -1").encode(), FORTY, ""),
    ("one score too many", (ascending(41) + " -1").encode(),
     Many(41, range(41, 1, -1)), cut(1, 1)),
    ("45 descending: all 45 counted", " ".join(map(str, range(45, 0, -1)))
     .encode() + b" -1", Many(45, range(45, 5, -1)), cut(5, 5)),
    ("100 ascending", (ascending(100) + " -1").encode(),
     Many(100, range(100, 60, -1)), cut(60, 60)),
    ("a tie split at the cut", b"37 " * 4 + " ".join(map(
        str, range(38, 75))).encode() + b" 1 2 3 4 -1",
     Many(45, list(range(74, 37, -1)) + [37] * 3), cut(5, 37, 1)),
    ("the highest last", b"50 " * 44 + b"99 -1", Many(45, [99] + [50] * 39),
     cut(5, 50, 5)),
    ("each a new lowest", b"0" + b" 1000" * 39 + b" 1 2 3 4 5 -1",
     Many(45, [1000] * 39 + [5]), cut(5, 4)),
    ("every score left out is 0", (ascending(40) + " 0" * 3).encode(),
     Many(43, FORTY), cut(3, 0)),
    ("100 shuffled", SHUFFLED.encode() + b" -1",
     Many(100, range(100, 60, -1)), cut(60, 60)),
    ("ties at the lowest kept, no terminating value",
     (ascending(40) + " 7" * 100000).encode(),
     Many(100040, list(range(40, 7, -1)) + [7] * 7), cut(100000, 7, 99994)),
    ("9999 scores up to 100, the cut notice in 79 columns",
     " ".join(str(i % 101) for i in range(9999)).encode() + b" -1",
     Many(9999, [100] * 40), cut(9959, 100, 59)),
    # A word that is not a score is left out, and the list goes on.
    ("letters", b"abc -1", [], left(out("abc"))),
    ("a letter O for a zero", b"90 8O 70 -1", [90, 70],
     left(out("8O", LETTER_O))),
    ("a letter O first", b"O5 -1", [], left(out("O5", LETTER_O))),
    ("a letter l for a one", b"9l -1", [],
     left(out("9l", "the letter l is not a one"))),
    ("decimal point", b"80 72 60 72.5 95 88 -1", [95, 88, 80, 72, 60],
     left(out("72.5", WHOLE))),
    ("minus glued to a score", b"60 95-78 80 -1", [80, 60],
     left(out("95-78", MINUS))),
    ("a sign apart from its number takes it along", b"80 72 - 1 -1", [80, 72],
     left(out("- 1", SIGN))),
    ("a sign alone before a word", b"- x -1", [], left(out("-", SIGN), out("x"))),
    ("lone plus at end of input", b"1 +", [1], left(out("+", SIGN))),
    ("double sign", b"--5", [], left(out("--5", MINUS))),
    ("a word processor's minus", "5 \u22121 -1".encode(), [5],
     windows_too(out("\u22121", DASH))),
    ("an en dash before digits", "\u20132 5 -1".encode(), [5],
     windows_too(out("\u20132", DASH))),
    ("minus zero with letters", b"-0x1 -1", [],
     left(out("-0x1", "the letter x is not a digit"))),
    ("hex prefix", b"0x10 -1", [],
     left(out("0x10", "the letter x is not a digit"))),
    ("a comma past the first line separates nothing", b"70\n60,95 -1", [70],
     left(out("60,95", SPACES, line=2))),
    ("a first line of numbers and commas is a list", b"60, 95 -1", [95, 60],
     ""),
    ("a first line of numbers and semicolons is a list", b"60;95 -1",
     [95, 60], ""),
    ("letters after digits", b"12abc 5", [5],
     left(out("12abc", "the letter a is not a digit"))),
    ("a header on line 1", b"Score\n60\n95\n-1\n", [95, 60], left(out("Score"))),
    ("a typo on line 3", b"60\r\n95\r\n8O\r\n70\r\n-1\r\n", [95, 70, 60],
     left(out("8O", LETTER_O, 3))),
    ("a typo on line 3 of UTF-16", utf16("60\n95\n8O\n-1", "le"), [95, 60],
     left(out("8O", LETTER_O, 3))),
    ("a typo on line 3, past the first block",
     b"\n\n" + b" " * 20000 + b"8O", [], left(out("8O", LETTER_O, 3))),
    ("two typos on two lines", b"x 5\n\ny -1", [5],
     left(out("x"), out("y", line=3))),
    ("ten words named, the rest counted", b"x " * 12 + b"5 -1", [5],
     left(*[out("x")] * 10, words=12, unnamed=2)),
    ("eleven words: one not named", b"x " * 11 + b"5 -1", [5],
     left(*[out("x")] * 10, words=11, unnamed=1)),
    # Input that is not text ends the list at the word that holds a NUL.
    ("NUL byte: what a pipe held after it is named", b"5 \0 7 8 9", [5],
     after("7 8 9") + not_text()),
    ("a NUL glued to a score", b"5 6\0 7 -1", [5], after("7 -1") + not_text()),
    ("a NUL on line 2", b"5 x\n6 \0", [6, 5], out("x") + not_text(2)
     + left(words=1)),
    ("a megabyte of NUL bytes", b"\0" * 1000000, [],
     after("?" * 20 + "...") + not_text()),
    ("a spreadsheet's zip", b"PK\x03\x04\x14\0\x06\0" + b"\x01" * 200, [],
     after("?" * 20 + "...") + not_text()),
    ("a NUL unit in UTF-16", utf16("5 \0", "le"), [5], not_text()),
    ("byte 0xFF is no end of input", b"5 \xff 7 -1", [7, 5], left(out("?"))),
    # The start of a byte-order mark, and no more, is text.
    ("the first two bytes of a UTF-8 mark", b"\xef\xbb5 -1", [],
     left(out("??5"))),
    ("the first byte of a UTF-8 mark", b"\xef5 -1", [], left(out("?5"))),
    ("the first byte of a little-endian mark", b"\xff5 -1", [], left(out("?5"))),
    ("the first byte of a big-endian mark", b"\xfe5 -1", [], left(out("?5"))),
    ("the first two bytes of a UTF-8 mark, and the end", b"\xef\xbb", [],
     left(out("??"))),
    ("the first byte of a UTF-16 mark, and the end", b"\xff", [],
     left(out("?"))),
    # A word is shown as it is where it is well-formed UTF-8 free of
    # control characters, else each character outside printable ASCII a ?.
    ("UTF-8 text shown as it is", "5 \u00e97 -1".encode(), [5],
     windows_too(out("\u00e97", "U+00E9 is not a digit"))),
    ("full-width digits shown as typed", "\uff15\uff10 3 -1".encode(), [3],
     windows_too(out("\uff15\uff10"))),
    ("a bidirectional control quoted", "\u202e12 -1".encode(), [],
     left(out("?12", "U+202E is not a digit"))),
    ("an overlong form quoted", b"\xc0\xb1 -1", [], left(out("??"))),
    ("a surrogate in UTF-8 quoted", b"\xed\xa0\x80x -1", [], left(out("???x"))),
    ("UTF-8 byte-order mark", b"\xef\xbb\xbf60 95 78 -1", [95, 78, 60], ""),
    ("UTF-16 little-endian", utf16("60 95\r\n78 -1\r\n", "le"),
     [95, 78, 60], ""),
    ("UTF-16 big-endian", utf16("60 95 78", "be"), [95, 78, 60], ""),
    ("UTF-16 text", utf16("5 \u00e97 -1", "le"), [5], left(out("?7"))),
    ("UTF-16 surrogate pair", utf16("5 \U0001F600 -1", "be"), [5],
     left(out("?"))),
    ("UTF-16 past the surrogates", utf16("\uff15 6 -1", "le"), [6],
     left(out("?"))),
    ("UTF-16's first surrogate pair", utf16("\U00010000 -1", "le"), [],
     left(out("?"))),
    ("UTF-16's first surrogate before U+E000",
     b"\xff\xfe\x00\xd8\x00\xe0" + " -1".encode("utf-16-le"), [],
     left(out("??"))),
    ("UTF-16 cut in half a character", utf16("5 6 ", "le") + b"7", [6, 5],
     left(out("?"))),
    ("UTF-16 ending in half a unit after a word", utf16("5 59", "le") + b"1",
     [59, 5], left(out("?"))),
    ("control byte, tilde and DEL", b"5 \x01a~\x7f -1", [5], left(out("?a~?"))),
    # Windows text ends at a Ctrl+Z byte.
    ("Ctrl+Z", b"5 \x1a 7 -1", ([7, 5], [5]), (left(out("?")), "")),
    ("twenty characters are shown whole", b"abcdefghijklmnopqrst",
     [], left(out("abcdefghijklmnopqrst"))),
    ("longer words are cut", b"1 abcdefghijklmnopqrstu 2",
     [2, 1], left(out("abcdefghijklmnopqrst..."))),
    ("a character at the cut is shown whole",
     "abcdefghijklmnopqrs\u00e9 7".encode(), [7],
     windows_too(out("abcdefghijklmnopqrs\u00e9"))),
    ("four bytes at the cut", "abcdefghijklmnopqrs\U0001F600x -1".encode(),
     [], windows_too(out("abcdefghijklmnopqrs\U0001F600..."))),
    ("three bytes at the cut", "abcdefghijklmnopqrs\u20acx -1".encode(), [],
     windows_too(out("abcdefghijklmnopqrs\u20ac..."))),
    ("four bytes ending past the cut",
     "abcdefghijklmnopqr\U0001F600x -1".encode(), [],
     windows_too(out("abcdefghijklmnopqr\U0001F600..."))),
    ("a character just after the cut", "abcdefghijklmnopqrst\u00e9 -1".encode(),
     [], left(out("abcdefghijklmnopqrst..."))),
    ("a byte 0xFF at the cut", b"abcdefghijklmnopqrs\xffx -1", [],
     left(out("abcdefghijklmnopqrs?..."))),
    ("a byte 0xF8 at the cut", b"abcdefghijklmnopqrs\xf8\x80\x80 -1", [],
     left(out("abcdefghijklmnopqrs?..."))),
    ("bad word after the table is full",
     (ascending(42) + " x -1").encode(), Many(42, range(42, 2, -1)),
     out("x") + cut(2, 2) + left(words=1)),
    ("just too large", b"7 2147483648 -1", [7],
     left(out("2147483648", TOO_LARGE))),
    ("leading zeros and too large", b"000000000002147483648 -1", [],
     left(out("00000000000214748364...", TOO_LARGE))),
    ("ten digits too large", b"9999999999 1", [1],
     left(out("9999999999", TOO_LARGE))),
    ("ten digits too large at the end", b"4294967297", [],
     left(out("4294967297", TOO_LARGE))),
    ("largest score's digits and one more", b"21474836470 -1",
     [], left(out("21474836470", TOO_LARGE))),
    ("2 to the 64th and one", b"18446744073709551617 -1",
     [], left(out("18446744073709551617", TOO_LARGE))),
    ("too large with sign and zeros", b"+00002147483648",
     [], left(out("+00002147483648", TOO_LARGE))),
    ("too large with letters is not a number", b"2147483648abc 1",
     [1], left(out("2147483648abc", "the letter a is not a digit"))),
    ("a lone minus sign after a word with a digit fourth",
     "xxx5 \u2212 -1".encode(), [],
     windows_too(out("xxx5", "the letter x is not a digit"), out("\u2212"))),
    # Its first byte read alone, so that 3-byte reads meet the 24th byte on
    # its own.
    ("a letter after 23 digits", b" " + b"0" * 23 + b"x -1", [],
     left(out("0" * 20 + "...", "the letter x is not a digit"))),
    ("a megabyte of digits", b"3 " + b"1" * 1000000 + b"\n-1",
     [3], left(out("1" * 20 + "...", TOO_LARGE))),
    # Standard input in pieces, each read as one.
    ("a UTF-8 mark in two reads", [b"\xef\xbb", b"\xbf5 6 -1"], [6, 5], ""),
    ("a UTF-8 mark after its first byte", [b"\xef", b"\xbb\xbf5 -1"], [5], ""),
    ("a UTF-16 mark in two reads", [b"\xff", utf16("5 6 -1", "le")[1:]], [6, 5],
     ""),
    ("a big-endian mark in two reads", [b"\xfe", utf16("5 6 -1", "be")[1:]],
     [6, 5], ""),
    ("UTF-16 in pieces of odd length", [utf16("60 95 78 -1", "be")[i:i + 3]
                                        for i in range(0, 26, 3)], [95, 78, 60], ""),
    ("a first read of one byte", [b"7", b" 8 -1"], [8, 7], ""),
    ("a word in two reads", [b"12", b"34 -1"], [1234], ""),
    ("a negative number in two reads", [b"3 -", b"5 7"], [3], after("7...")),
    ("a pause inside a word, non-blocking", NonBlocking([b"60 9", b"5 -1"]),
     [95, 60], ""),
    ("a stack of 64 KiB", SmallStack(b"5 x 6 -1"), [6, 5], left(out("x"))),
]

# Why a word is not a score, at the edges of each reason: the word, the
# reason, and where it differs from the word, what the notice shows of it.
REASONS = [
    ("8o", "the letter o is not a zero"),
    ("1I", "the letter I is not a one"),
    ("5A", "the letter A is not a digit"),
    ("5Z", "the letter Z is not a digit"),
    ("5z", "the letter z is not a digit"),
    ("5@", "the character @ is not a digit"),
    ("5[", "the character [ is not a digit"),
    ("5`", "the character ` is not a digit"),
    ("5{", "the character { is not a digit"),
    ("5!", "the character ! is not a digit"),
    ("5~", "the character ~ is not a digit"),
    ("5\x7f", "U+007F is not a digit", "5?"),
    ("5\x01", "U+0001 is not a digit", "5?"),
    ("+", SIGN),
    ("\u20105", DASH),
    ("\u20155", DASH),
    ("\u22120", DASH),
    ("\u22129", DASH),
    ("\u200f5", "U+200F is not a digit", "?5"),
    ("\u20165", "U+2016 is not a digit"),
    ("\u22115", "U+2211 is not a digit"),
    ("\u2212:", "not a whole number"),
    ("\u2212/5", "U+2212 is not a digit"),
    ("\u32125", "U+3212 is not a digit"),
    ("5\u00a0", "U+00A0 is not a digit", "5?"),
    ("60\u200b", "U+200B is not a digit", "60?"),
    ('"60"', "quotes are not part of a score"),
    ("5\U0001F600", "U+1F600 is not a digit"),
    ("x0", "the letter x is not a digit"),
    ("0" * 24 + "x", "the letter x is not a digit", "0" * 20 + "..."),
    ("x9", "the letter x is not a digit"),
]
CASES += [(f"the reason for {row[0]!r}", row[0].encode() + b" -1", [],
           windows_too(out(row[-1] if len(row) > 2 else row[0], row[1])))
          for row in REASONS]

# A word at the bounds of UTF-8 and of the control characters, and what a
# notice shows of it where that is not the word as it is.
SHOWN = [
    (b"\xc3x", "?x"),  # a lead byte without its next
    (b"\xe0\x80\xaf", "???"),  # overlong forms
    (b"\xf0\x80\x80\xaf", "????"),
    (b"\xe0\x9f\xbf", "???"),
    (b"\xf0\x8f\xbf\xbf", "????"),
    (b"\xf4\x90\x80\x80", "????"),  # past U+10FFFF
    ("\u07ff".encode(), None),  # the last character of two bytes
    ("\ue000".encode(), None),  # the first past the surrogates
    ("\u0800".encode(), None),  # the first character of three bytes
    ("\U00010000".encode(), None),  # the first of four bytes
    ("\U0010ffff".encode(), None),  # the last character
    ("\u009fx".encode(), "?x"),  # the last C1 control
    ("\u00a0x".encode(), "?x"),  # separators other than U+0020
    ("\u2028x".encode(), "?x"),
    ("\u3000x".encode(), "?x"),
    ("\u00adx".encode(), "?x"),  # format characters
    ("\u200bx".encode(), "?x"),
    ("\u061cx".encode(), "?x"),  # the bidi marks
    ("\u200ex".encode(), "?x"),
    ("x\ufeff".encode(), "x?"),
    ("\U000e0001x".encode(), "?x"),
    ("\u00a1x".encode(), None),
    ("\u2030x".encode(), None),
    ("\u202ax".encode(), "?x"),  # the first embedding control
    ("\u2066x".encode(), "?x"),  # the isolate controls
    ("\u2069x".encode(), "?x"),
    ("\u206ax".encode(), "?x"),
    ("\u2070x".encode(), None),
]
CASES += [(f"{word!r} shown as {shown or 'it is'}", word + b" -1", [],
           windows_too(out(shown or word.decode())))
          for word, shown in SHOWN]

# A name of 24 characters and 44 bytes, whose notice fits a line.
ACCENTS = "\u00e9" * 20 + ".txt"
# A name of 24 characters, 20 of them wide: 44 columns.
WIDE = "\u73ed\u7ea7" * 10 + ".txt"

# Files in the folder the argument cases run in.
FILES = {"scores.txt": b"50 40 -1", "class 3 \u00e9t\u00e9.txt": b"7 8 -1",
         "-5": b"5 -1", "\u03a9mega.txt": b"3 4 -1", "\u6392\u5e8f.txt": b"9 -1",
         "45.txt": " ".join(map(str, range(45, 0, -1))).encode(),
         "header.csv": b"Score\r\n60\r\n95\r\n", "typo.csv": b"60\n95\n8O\n-1\n",
         "book.xlsx": b"PK\x03\x04\x14\0\x06\0\x08\0",
         "classes.txt": b"60 95 -1\n50 40 -1\n", "nul-after.txt": b"5 -1\n\0",
         "utf16.txt": utf16("60 95 -1", "le"), ACCENTS: b"Score\n",
         WIDE: b"Score\n", "ctrl-z.txt": b"5 \x1a 7 -1",
         "class.csv": "Name,Score\nAna,60\nBj\u00f6rn,95\nChlo\u00e9 Dupont,78\n"
         .encode(), "no-header.csv": "Ana,60\nBj\u00f6rn,95\n".encode(),
         "punkte.csv": b"Name;Punkte\nDev;72,5\nEve;8O\nGus;88\n",
         "quoted.csv": '"O""Brien",91\n"Dupont, Chlo\u00e9",78\n'.encode(),
         "no-score.csv": b"Name,Score\nAna,\nBo,70\n",
         "negative.csv": b"Name,Score\nCy,-5\nDi,80\n",
         "ids.csv": b"ID,Name,Score\n1001,Ana,60\n", "list.csv": b"60, 95, 78, -1",
         "unicode.txt": utf16("Name\tScore\r\nAna\t60\r\nBo\t95\r\n", "le"),
         "line-break.csv": b'Name,Note,Score\n"Ana\r\nMaria","a, b",60\nBo,,7O\n',
         "middle.csv": b"Name,Score,Comment\nAna,60,good\nBo,70,\n",
         "header-only.csv": b"Name,Score\r\n", "decimal.csv": b"72,5\n88\n",
         "short-row.csv": b"Name,Score\nAna\nBo,70\n",
         "wide-row.csv": b"Name,Note\nAna,good,60\n",
         # Past the 16 cells and the 10 rows held before the column is known.
         "wide.csv": (",".join(f"C{i}" for i in range(1, 18)) + ",Score,Note\n"
                      + "x," * 18 + "x\n" + "y," * 17 + "77,z\n").encode(),
         "late.csv": ("Name,Score\n" + "".join(f"n{i},x{i}\n" for i in range(12))
                      + "z,5\n").encode(),
         "nul-before.csv": b"Name,Score\nAna,60\nB\0o,70\nCy,80\n",
         "nul-in.csv": b"Name,Score\nAna,60\nBo,7\x000\n",
         "nul-after.csv": b"Name,Score,X\nAna,60\nBo,70,x\0y\nCy,80\n",
         "nul-first.csv": b"Name,Score\nAna,x\nBo,7\x000\n",
         "spaced.txt": b"a  60  \nb\t70\t\n\n  c 80 ",
         "cells.csv": b'Name,Score\nA,"7 5"\nB, "6" x\nC,-\nD,+7\nE,99999999999\n'
                      b'F,-0\nG,  "8" \nH,60;70\n',
         "total.csv": b"Name,ID,Total score\nAna,1001,60\n", "empty.csv": b"",
         "cut.csv": b"5,6\0",
         "wide-two.csv": (",".join(f"C{i}" for i in range(1, 18)) + ",Score\n"
                          + "x,5," + "x," * 15 + "77\n").encode(),
         "wide-data.csv": ",".join(map(str, range(1, 19))).encode()}
MISSING = "No such file or directory"
LONG_NAME = "x" * 5000
INVALID = "Invalid argument"

# Arguments, with 60 95 78 -1 as standard input.  name, arguments, what
# standard output holds: "help", "version", the scores listed, or None for
# nothing; standard error; the exit status.  A pair is (on Linux, on Windows).
ARG_CASES = [
    ("--help", ["--help"], "help", "", 0),
    ("-h", ["-h"], "help", "", 0),
    ("/? on Windows", ["/?"], (None, "help"),
     (f"score-rank: /?: {MISSING}\n", ""), (1, 0)),
    ("--help after a file name", ["scores.txt", "--help"], "help", "", 0),
    ("--help after an unknown option", ["-x", "--help"], "help", "", 0),
    ("--version", ["--version"], "version", "", 0),
    ("a file", ["scores.txt"], [50, 40], "", 0),
    ("a name with spaces and accents", ["class 3 \u00e9t\u00e9.txt"], [8, 7],
     "", 0),
    ("a Greek name", ["\u03a9mega.txt"], [4, 3], "", 0),
    ("a Chinese name", ["\u6392\u5e8f.txt"], [9], "", 0),
    # Windows names a file in its own code page, 1252 under Wine here.
    ("a missing Greek name", ["\u03a9.txt"], None,
     (f"score-rank: \u03a9.txt: {MISSING}\n", f"score-rank: ?.txt: {MISSING}\n"),
     1),
    ("- is standard input", ["-"], [95, 78, 60], "", 0),
    ("-- ends the options", ["--", "-5"], [5], "", 0),
    ("a missing file", ["missing.txt"], None,
     f"score-rank: missing.txt: {MISSING}\n", 1),
    ("a missing file's name with a space and an accent", ["no such \u00e9"],
     None, (f"score-rank: no such \u00e9: {MISSING}\n",
            f"score-rank: no such \ufffd: {MISSING}\n"), 1),
    # Windows takes no control character in a file name.
    ("a missing file's control bytes quoted", ["no\x1b[31mred"], None,
     tuple(f"score-rank: no?[31mred: {e}\n" for e in (MISSING, INVALID)), 1),
    ("a missing file's line break quoted", ["two\nlines"], None,
     tuple(f"score-rank: two?lines: {e}\n" for e in (MISSING, INVALID)), 1),
    ("a long name with a line break is quoted whole",
     ["classes/term-1/group-b\n.txt"], None,
     tuple(f"score-rank: classes/term-1/group-b?.txt: {e}\n"
           for e in (MISSING, INVALID)), 1),
    ("an empty name", [""], None, f'score-rank: "": {MISSING}\n', 1),
    ("a directory, refused before the prompt", ["."], None,
     "score-rank: .: Is a directory\n", 1),
    ("a header in a file names the file and line", ["header.csv"], [95, 60],
     left(out("Score", where="header.csv:1")), 1),
    ("a typo on line 3 of a file", ["typo.csv"], [95, 60],
     left(out("8O", LETTER_O, where="typo.csv:3")), 1),
    ("a UTF-16 file named", ["utf16.txt"], [95, 60], "", 0),
    ("a notice's columns are its characters", [ACCENTS], [],
     windows_too(out("Score", where=ACCENTS + ":1")), 1),
    ("a notice's columns are a terminal's", [WIDE], [],
     windows_too(out("Score", where=WIDE + ":1")), 1),
    ("a spreadsheet's own file", ["book.xlsx"], [],
     not_text(where="book.xlsx:1"), 1),
    ("a file of two classes: the rest not read is said", ["classes.txt"],
     [95, 60], "score-rank: classes.txt:1: the list ended here; the rest was not "
     "read\n", 0),
    ("a NUL after the list in a file is the rest", ["nul-after.txt"], [5],
     "score-rank: nul-after.txt:1: the list ended here; the rest was not "
     "read\n", 0),
    # Windows text ends at a Ctrl+Z, and what follows it is said.
    ("a Ctrl+Z in a file named", ["ctrl-z.txt"], ([7, 5], [5]),
     (left(out("?", where="ctrl-z.txt:1")), "score-rank: ctrl-z.txt:1: the "
      "list ended here; the rest was not read\n"), (1, 0)),
    ("a file ended by -1 and white space: nothing to say", ["scores.txt"],
     [50, 40], "", 0),
    ("a missing file's C1 control quoted", ["no\x9bred"], None,
     f"score-rank: no?red: {MISSING}\n", 1),
    ("a missing file's DEL quoted", ["no\x7fdel"], None,
     f"score-rank: no?del: {MISSING}\n", 1),
    ("a missing file's bidirectional control quoted", ["\u202emissing.txt"],
     None, f"score-rank: ?missing.txt: {MISSING}\n", 1),
    # Bytes that are not UTF-8 reach a Windows program only as characters.
    ("a missing file's lead byte 0x80 quoted", (["no\udc80x"], None), None,
     f"score-rank: no?x: {MISSING}\n", 1),
    ("a missing file's lead byte 0xC1 quoted", (["no\udcc1\udcb1x"], None),
     None, f"score-rank: no??x: {MISSING}\n", 1),
    ("a missing file's overlong form quoted", (["no\udce0\udc80\udcafx"], None),
     None, f"score-rank: no???x: {MISSING}\n", 1),
    # Windows shows the name in its code page, 1252 under Wine here, which
    # has U+00A0.
    ("a missing file's no-break space quoted", ["\u00a0.txt"], None,
     f"score-rank: ?.txt: {MISSING}\n", 1),
    ("a name of 4096 bytes is shown whole", ["y" * 4096], None,
     (f"score-rank: {'y' * 4096}:\n  File name too long\n",
      f"score-rank: {'y' * 4096}:\n  {MISSING}\n"), 1),
    ("a name longer than a notice shows", [LONG_NAME], None,
     (f"score-rank: {LONG_NAME[:4096]}...:\n  File name too long\n",
      f"score-rank: {LONG_NAME[:4096]}...:\n  {MISSING}\n"), 1),
    # A class sheet: the column of scores is ranked, and each of its cells
    # is a word; the other columns are not read as words.
    ("a sheet of names and scores", ["class.csv"], [95, 78, 60],
     ranked("class.csv", 2, 2, "Score"), 0),
    ("a sheet without a header", ["no-header.csv"], [95, 60],
     ranked("no-header.csv", 2, 2), 0),
    ("a German sheet: ; between cells, a decimal comma", ["punkte.csv"], [88],
     ranked("punkte.csv", 2, 2, "Punkte")
     + left(out("72,5", WHOLE, where="punkte.csv:2"),
            out("8O", LETTER_O, where="punkte.csv:3"), noun="cell"), 1),
    ("quoted cells hold the separator and quotes", ["quoted.csv"], [91, 78],
     ranked("quoted.csv", 2, 2), 0),
    ("an empty cell is a student without a score", ["no-score.csv"], [70],
     ranked("no-score.csv", 2, 2, "Score")
     + left(out("", "the cell holds no score", where="no-score.csv:2"),
            noun="cell"), 1),
    ("a row that ends before the column, above the first score",
     ["short-row.csv"], [70], ranked("short-row.csv", 2, 2, "Score")
     + left(out("", "the cell holds no score", where="short-row.csv:2"),
            noun="cell"), 1),
    ("a column past the header's cells is named by its number",
     ["wide-row.csv"], [60], "score-rank: wide-row.csv: ranked column 3\n", 0),
    ("past the cells held of a row before the column is known",
     ["wide.csv"], [77], ranked("wide.csv", 18, 19)
     + left(out("...", where="wide.csv:2"), noun="cell"), 1),
    ("past the rows held before the column is known", ["late.csv"], [5],
     ranked("late.csv", 2, 2, "Score")
     + left(*(out(f"x{i}", "the letter x is not a digit",
                  where=f"late.csv:{i + 2}") for i in range(10)),
            words=12, unnamed=2, noun="cell"), 1),
    ("a NUL ends a table: in a cell before the column", ["nul-before.csv"],
     [60], ranked("nul-before.csv", 2, 2, "Score")
     + not_text(where="nul-before.csv:3"), 1),
    ("a NUL ends a table: in the column's cell", ["nul-in.csv"], [60],
     ranked("nul-in.csv", 2, 2, "Score") + not_text(where="nul-in.csv:3"), 1),
    ("a NUL ends a table: after the column's cell", ["nul-after.csv"],
     [70, 60], ranked("nul-after.csv", 2, 3, "Score")
     + not_text(where="nul-after.csv:3"), 1),
    ("a NUL before the column is known", ["nul-first.csv"], [],
     choose("nul-first.csv", '"Name" and "Score"', "Score", numbers=0)
     + not_text(where="nul-first.csv:3"), 2),
    ("--column: cells split at white space, blank lines skipped",
     ["--column", "2", "spaced.txt"], [80, 70, 60],
     ranked("spaced.txt", 2, 2), 0),
    ("cells that are one word of the list's rule", ["cells.csv"], [8, 7, 0],
     ranked("cells.csv", 2, 2, "Score")
     + left(out("7 5", "a cell holds one score", where="cells.csv:2"),
            out("6 x", "a cell holds one score", where="cells.csv:3"),
            out("-", SIGN, where="cells.csv:4"),
            out("99999999999", TOO_LARGE, where="cells.csv:6"),
            out("60;70", "a cell holds one score", where="cells.csv:9"),
            noun="cell"),
     1),
    ("a header that takes quotes in a shell: chosen by its number",
     ["total.csv"], [], choose("total.csv", '"ID" and "Total score"', 3), 2),
    ("--column NAME with a space, its case aside",
     ["--column", "total SCORE", "total.csv"], [60],
     ranked("total.csv", 3, 3, "Total score"), 0),
    ("--column on an empty file", ["--column", "1", "empty.csv"], [],
     usage("empty.csv: there is no column 1; the table is empty"), 2),
    ("--column NAME on an empty file", ["--column", "Score", "empty.csv"], [],
     usage('empty.csv: no column is named "Score"; the table is empty'), 2),
    ("--column on a first row that a NUL cuts", ["--column", "2", "cut.csv"],
     [], ranked("cut.csv", 2, 2) + not_text(where="cut.csv:1"), 1),
    ("a column of numbers past the cells held is named by its number",
     ["wide-two.csv"], [], choose("wide-two.csv", '"C2" and 18', 18), 2),
    ("--column N past the cells held, in a first row of data",
     ["--column", "18", "wide-data.csv"], [18],
     ranked("wide-data.csv", 18, 18), 0),
    ("a negative cell is left out, and the table goes on", ["negative.csv"],
     [80], ranked("negative.csv", 2, 2, "Score")
     + left(out("-5", "a score is 0 or more", where="negative.csv:2"),
            noun="cell"), 1),
    ("two columns of numbers: nothing ranked, how to choose", ["ids.csv"], [],
     choose("ids.csv", '"ID" and "Score"', "Score"), 2),
    ("--column NAME", ["--column", " score ", "ids.csv"], [60],
     ranked("ids.csv", 3, 3, "Score"), 0),
    ("--column=N", ["--column=3", "ids.csv"], [60],
     ranked("ids.csv", 3, 3, "Score"), 0),
    ("--column=N with standard input", ["--column=1"], [60],
     "score-rank: ranked column 1 of 4\n", 0),
    ("--column with standard input: cells split at white space",
     ["--column", "2", "-"], [95], ranked("standard input", 2, 4)
     .replace("standard input: ", ""), 0),
    ("--column NAME that is no column: the header listed",
     ["--column", "Scor", "ids.csv"], [],
     usage('ids.csv: no column is named "Scor"; the columns are "ID", "Name" '
           'and "Score"'), 2),
    ("--column N past the last column", ["--column", "4", "ids.csv"], [],
     usage('ids.csv: there is no column 4; the columns are "ID", "Name" and '
           '"Score"'), 2),
    ("--column N past the last column of a table without a header",
     ["--column", "3", "no-header.csv"], [],
     usage("no-header.csv: there is no column 3; the first row has 2 cells"),
     2),
    ("--column N past a list's one column", ["--column", "2", "typo.csv"], [],
     usage("typo.csv: there is no column 2; the first row has 1 cell"), 2),
    ("--column 0", ["--column", "0", "ids.csv"], None,
     usage('columns are counted from 1, by a number or a name: "0"'), 2),
    ("--column with white space alone", ["--column", "  ", "ids.csv"], None,
     usage('columns are counted from 1, by a number or a name: "  "'), 2),
    ("--column without a column", ["ids.csv", "--column"], None,
     usage('a column\'s number or name must follow "--column"'), 2),
    ("a first line of numbers and commas is a list", ["list.csv"],
     [95, 78, 60], "", 0),
    # A comma between digits may be a decimal one: not read as white space.
    ("a first line with a decimal comma is no list", ["decimal.csv"], [],
     choose("decimal.csv", "1 and 2", 2), 2),
    ("Excel's Unicode Text: UTF-16 with tabs and CR LF", ["unicode.txt"],
     [95, 60], ranked("unicode.txt", 2, 2, "Score"), 0),
    ("a quoted line break is inside its cell", ["line-break.csv"], [60],
     ranked("line-break.csv", 3, 3, "Score")
     + left(out("7O", LETTER_O, where="line-break.csv:4"), noun="cell"), 1),
    ("the column in the middle of three", ["middle.csv"], [70, 60],
     ranked("middle.csv", 2, 3, "Score"), 0),
    ("a header alone", ["header-only.csv"], [],
     choose("header-only.csv", '"Name" and "Score"', "Score", numbers=0), 2),
    ("two files", ["scores.txt", "-"], None, usage('more than one file: "-"'), 2),
    ("an unknown option", ["-x"], None, usage('unknown option "-x"'), 2),
    ("two unknown options: the first is named", ["-x", "-y"], None,
     usage('unknown option "-x"'), 2),
    ("an unknown long option", ["--foo"], None, usage('unknown option "--foo"'),
     2),
    ("a negative number is no file, and -- is named", ["-5"], None,
     usage('unknown option "-5"; to read a file of that name, put -- before '
           'it'), 2),
    ("scores as arguments: how to give them", ["60", "95", "78"], None,
     usage('more than one file: "95"; type the scores once the program runs, '
           'or read them from a file'), 2),
    ("a missing file named -7 after --: no hint", ["--", "-7"], None,
     f"score-rank: -7: {MISSING}\n", 1),
    ("a missing file named +7: the hint", ["+7"], None,
     wrapped(f"score-rank: +7: {MISSING}; type the scores once the program "
             "runs, or read them from a file"), 1),
    ("a missing file named as a score", ["60"], None,
     wrapped(f"score-rank: 60: {MISSING}; type the scores once the program "
             "runs, or read them from a file"), 1),
    ("argument quoted safely", ["-\x1b[2J~\x7f" + "x" * 30], None,
     usage('unknown option "-?[2J~?' + "x" * 13 + '..."'), 2),
]


def help_text(windows):
    if windows:
        command, forms, manual = "score-rank.exe", (
            "  drop the file onto score-rank.exe, or in Command Prompt:\n"
            "  score-rank.exe FILE   or   score-rank.exe < FILE\n"
            "  and in PowerShell:   .\\score-rank.exe FILE\n"), (
            "score-rank.txt, beside the program")
    else:
        command, forms, manual = (
            "score-rank", "  score-rank FILE   or   score-rank < FILE\n",
            "man score-rank, or where only built, "
            "man ./build/release/score-rank.1")
    return (f"usage: {command} [--help | --version] [--column N|NAME] [--] "
            "[FILE | -]\n\n"
            "Ranks the scores of a group of students.  Type the scores as\n"
            "whole numbers from 0 to 2147483647, separated by spaces, tabs or\n"
            "line breaks, and end the list with a negative number such as -1.\n"
            "It says how many scores it read and lists them from highest to\n"
            "lowest; of more than 40 scores, it lists the 40 highest.\n"
            "A word that is not a score is left out, with a notice that gives\n"
            "its line in a file, and the list goes on.\n\n"
            f"To rank the scores in a file:\n{forms}\n"
            "A class sheet saved as CSV or text, with a ';', a ',' or a tab\n"
            "between its cells, is ranked by its column of scores: the only one\n"
            "whose cells are numbers, or the one that --column names by its\n"
            "number, counted from 1, or by its header.  Names, the header and\n"
            "the other columns are not ranked; a cell that is not a score is\n"
            "left out, and the table is read to its end.\n\n"
            "The exit status is 0 when every word of the list was a score, 1\n"
            "when one was not or a file could not be read or written, and 2 for\n"
            "a wrong argument or a table whose column of scores is not known.\n"
            f"The manual: {manual}\n")


HINT = "Type the scores, then -1 and Enter to end the list.\n"
# Lines of ten scores, 50 KB of them, as a terminal emulator pastes them.
PASTE = b"".join(b" ".join(b"%d" % j for j in range(i, i + 10)) + b"\r"
                 for i in range(1000, 11000, 10))

# Standard input a file: what the program leaves unread for the next reader
# of the same open file.  name, input, what is left, and where given, the
# scores that a second run on the rest lists and what both runs say.
UNREAD = "score-rank: line {}: the list ended here; the rest was not read\n"
REST_CASES = [
    ("two classes", b"60 95 78 -1\n50 40 -1\n", b"\n50 40 -1\n", [50, 40],
     UNREAD.format(1)),
    ("lines counted from the file's start", b"60\n70\n-1\n\n8O -1",
     b"\n\n8O -1", [], UNREAD.format(3) + left(out("8O", LETTER_O, 5))),
    ("lines of UTF-16 counted from the file's start",
     utf16("60\r\n-1\r\n8O -1", "be"), "\r\n8O -1".encode("utf-16-be"), [],
     UNREAD.format(2) + left(out("8O", LETTER_O, 3))),
    ("a list that ends with its file: nothing said", b"60 -1 \n", b" \n", [],
     ""),
    ("after a bad word", b"5 abc 7 -1 8", b" 8"),
    ("after a word longer than a notice shows",
     b"5 abcdefghijklmnopqrstuvwxyz 7 -1 8", b" 8"),
    ("after a UTF-16 pair at the cut of a notice",
     utf16("5 abcdefghijklmnopqrs\U0001F600x 7 -1 8", "be"),
     " 8".encode("utf-16-be")),
    ("after a negative value with letters", b"3 -1abc", b"abc"),
    ("after a negative value of eleven digits", b"4 -99999999999 5", b" 5"),
    ("after a too large value", b"2147483648x\n7 -1\n8", b"\n8"),
    ("at the end of input", b"3 1 \n", b""),
    ("at the word that holds a NUL", b"5 6\0 7 -1", b"6\0 7 -1"),
    ("at the word that holds a NUL unit", utf16("5 6\0 7 -1", "le"),
     "6\0 7 -1".encode("utf-16-le")),
    ("past the first read block", b"1 " * 10000 + b"-1 tail", b" tail"),
    ("after a negative number across the end of a 16 KiB block",
     b" " * 16382 + b"-123456 5", b" 5"),
    ("UTF-16", utf16("60 -1\r\n50 -1", "le"), "\r\n50 -1".encode("utf-16-le"),
     [50]),
    ("UTF-16 big-endian, a class a run", utf16("60 -1\n70 50 -1\n", "be"),
     "\n70 50 -1\n".encode("utf-16-be"), [70, 50]),
    ("UTF-16 ending in half a unit", utf16("5 -1", "le") + b"X", b"X", [],
     UNREAD.format(1) + left(out("?"))),
    ("UTF-16 big-endian ending in half a unit", utf16("5 -1", "be") + b"X",
     b"X"),
]


def listing(scores, newline=b"\n"):
    return (b"Total students are %d" % getattr(scores, "read", len(scores))
            + newline
            + b"".join(b"%d " % s for s in scores))


@contextlib.contextmanager
def files_folder():
    with tempfile.TemporaryDirectory() as folder:
        for name, content in FILES.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)
        yield folder


def waiting(fd):
    """How many bytes wait to be read from fd (FIONREAD)."""
    return struct.unpack("i", fcntl.ioctl(fd, termios.FIONREAD, b"\0" * 4))[0]


def feed(p, fd, pieces):
    """Writes each piece to fd only once the program has taken the one before,
    so that each of its reads gets one piece, or until the program has
    ended."""
    for piece in pieces:
        try:
            os.write(fd, piece)
        except BrokenPipeError:
            return
        while p.poll() is None and waiting(fd):
            time.sleep(0.001)


class Run:
    def __init__(self, command, windows, block, version):
        self.command = command
        self.block = block
        self.version = version
        self.newline = b"\r\n" if windows else b"\n"
        self.windows = windows

    def ranking(self, scores):
        return PROMPT + listing(scores, self.newline)

    def run(self, stdin):
        """Runs the program on stdin: bytes, or a list of pieces."""
        def small_stack():
            # Not under an emulator or valgrind, which need more of it.
            if isinstance(stdin, SmallStack) and len(self.command) == 1:
                resource.setrlimit(resource.RLIMIT_STACK, (65536, 65536))
        if isinstance(stdin, bytes):
            return subprocess.run(self.command, input=stdin,
                                  capture_output=True, timeout=TIMEOUT,
                                  preexec_fn=small_stack)
        def nonblocking():
            os.set_blocking(0, not isinstance(stdin, NonBlocking))
        with subprocess.Popen(self.command, stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              preexec_fn=nonblocking) as p:
            feed(p, p.stdin.fileno(), stdin)
            out, err = p.communicate(timeout=TIMEOUT)
            return subprocess.CompletedProcess(p.args, p.returncode, out, err)


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


def pick(x, r):
    return x[r.windows] if isinstance(x, tuple) else x


def held(stdin, want, block):
    """The notice of what a pipe held after the end, as reads of block bytes
    leave it: the rest of the read that held the end of the negative number
    or the NUL that ended the list, with "..." where it ends in a word that
    may go on."""
    named = re.search(r'score-rank: "(.*)" after the end of the list was '
                      r'not ranked\n', want)
    if not named or not isinstance(stdin, bytes) or stdin[:2] in (
            b"\xff\xfe", b"\xfe\xff"):
        return want
    number = re.search(rb"(?:^|\s)-0*([1-9][0-9]*)|\0", stdin)
    end = number.end(1) if number[1] else number.end()
    read = -(-(number.start(1) + 1 if number[1] else end) // block) * block
    rest = re.sub(rb"\s", b" ", stdin[end:read]).strip() if end <= read else b""
    shown = "".join(chr(b) if 32 <= b < 127 else "?" for b in rest)
    if len(shown) > 20 or not stdin[:read][-1:].isspace():
        shown = shown[:20] + "..."
    return want.replace(named[0], after(shown) if rest else "")


def table_case(stdin, scores, err):
    def case(r):
        want = held(stdin, pick(err, r), r.block)
        return check(r.run(stdin), r.ranking(pick(scores, r)), want,
                     1 if re.search("not a score|not scores|not a text", want)
                     else 0)
    return case


def arg_case(args, out, err, status):
    def case(r):
        with files_folder() as folder:
            got = subprocess.run(r.command + args, input=b"60 95 78 -1",
                                 capture_output=True, timeout=TIMEOUT,
                                 cwd=folder)
        want = pick(out, r)
        if want == "help":
            want = help_text(r.windows).replace("\n", r.newline.decode()).encode()
        elif want == "version":
            if r.version:
                want = b"score-rank " + r.version.encode() + r.newline
            elif re.fullmatch(rb"score-rank [0-9]+(\.[0-9]+)+" + re.escape(r.newline),
                              got.stdout):
                want = got.stdout
            else:
                want = b"score-rank N.N" + r.newline
        else:
            want = b"" if want is None else r.ranking(want)
        return check(got, want, pick(err, r), pick(status, r))
    return case


def rest_case(stdin, rest, second=None, err=None):
    def case(r):
        with tempfile.TemporaryFile() as f:
            f.write(stdin)
            f.seek(0)
            first = subprocess.run(r.command, stdin=f, capture_output=True,
                                   timeout=TIMEOUT)
            at = f.tell()
            left = f.read()
            f.seek(at)
            then = subprocess.run(r.command, stdin=f, capture_output=True,
                                  timeout=TIMEOUT)
        wrong = [] if left == rest else [f"left {left[:300]!r}, want {rest!r}"]
        if second is not None and then.stdout != r.ranking(second):
            wrong.append(f"a second run listed {then.stdout!r}")
        if err is not None and first.stderr + then.stderr != err.encode():
            wrong.append(f"the runs said {first.stderr + then.stderr!r}, "
                         f"want {err!r}")
        return wrong
    return case


# Standard input that cannot be read, refused before the prompt: name, what
# it is (None where closed), why.  Wine gives a closed one a handle that
# cannot be read.
REFUSED_CASES = [
    ("standard input a directory", "/", ("Is a directory", "Permission denied")),
    ("standard input closed", None,
     ("Bad file descriptor", "Permission denied")),
    ("standard input open for writing alone", ("/dev/null", os.O_WRONLY),
     ("Bad file descriptor", None)),
]


def refused_case(path, why):
    def case(r):
        fd = os.open(*path) if isinstance(path, tuple) else os.open(
            path or "/", os.O_RDONLY)
        try:
            got = subprocess.run(r.command, stdin=fd, capture_output=True,
                                 timeout=TIMEOUT,
                                 preexec_fn=None if path else lambda: os.close(0))
        finally:
            os.close(fd)
        return check(got, b"",
                     f"score-rank: standard input: {pick(why, r)}\n", 1)
    return case


# Both outputs one file, as "> both.txt 2>&1" makes them: name, standard
# input, the scores listed, the notices, which start on a line of their own.
SHARED_CASES = [
    ("a notice and the listing in one file", b"60 x 95 -1", [95, 60],
     left(out("x"))),
    ("no notice: the count line straight after the prompt", b"60 95 -1",
     [95, 60], ""),
]


def shared_case(stdin, scores, err):
    def case(r):
        with tempfile.TemporaryFile() as f:
            got = subprocess.run(r.command, input=stdin, stdout=f, stderr=f,
                                 timeout=TIMEOUT)
            f.seek(0)
            got.stdout, got.stderr = f.read(), b""
        return check(got, PROMPT + (b"\n" + err.encode() if err else b"")
                     + listing(scores, r.newline), "", 1 if err else 0)
    return case


# Standard output that cannot be written: name, what it is (a device, FILE
# a file that may not grow past the bytes that arrive, PIPE a pipe whose
# reader goes once the bytes that arrive have, or None where closed), the
# bytes of the output that arrive, the notice.  Of the output, only the
# prompt and a few bytes more fit in 20 bytes; Wine reports a write past the
# limit as EINVAL.
WRITE_CASES = [
    ("output full", "/dev/full", 0, "No space left on device"),
    ("output closed", None, 0, "Bad file descriptor"),
    ("output fails after the prompt", "FILE", 20, ("File too large", INVALID)),
    ("output's reader gone after the prompt", "PIPE", len(PROMPT),
     ("Broken pipe", INVALID)),
]


def write_case(device, arrive, error):
    def start():
        if device is None:
            os.close(1)
        if device == "FILE":
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (arrive, arrive))
        if device == "PIPE":
            signal.signal(signal.SIGPIPE, signal.SIG_IGN)

    def case(r):
        reader, writer = os.pipe()
        with tempfile.TemporaryFile() as file, \
                open(device if device not in (None, "FILE", "PIPE")
                     else os.devnull, "wb") as out:
            stdout = {"FILE": file, "PIPE": writer}.get(device, out)
            with subprocess.Popen(r.command, stdin=subprocess.PIPE,
                                  stdout=stdout, stderr=subprocess.PIPE,
                                  preexec_fn=start) as p:
                os.close(writer)
                got = b""
                while device == "PIPE" and len(got) < arrive:
                    got += os.read(reader, arrive - len(got))
                os.close(reader)
                _, err = p.communicate(b"60 95 78 -1", timeout=TIMEOUT)
            file.seek(0)
            got += file.read()
        # Past the limit, a coverage build cannot write its counts either.
        err = re.sub(rb"libgcov profiling error:.*\n", b"", err)
        return check(subprocess.CompletedProcess(p.args, p.returncode, got, err),
                     r.ranking([95, 78, 60])[:arrive],
                     f"score-rank: write error: {pick(error, r)}\n", 1)
    return case


# A terminal whose other side closes while the program waits for more: the
# read fails with EIO, and what was read before is ranked, but for a word
# that the error cut.  name, what was typed, the scores listed.
READ_ERROR_CASES = [
    ("read error at a terminal", b"5 6 ", [6, 5]),
    ("read error inside a word at a terminal", b"5 6", [5]),
]


def terminal_read_error(typed, scores):
    def case(r):
        fd, term = pty.openpty()
        tty.setraw(term)  # no lines: a read takes what has arrived
        # The input reaches the terminal a moment after the write; it is there
        # before the program starts, so that its first read takes it.
        os.write(fd, typed)
        while not waiting(term):
            time.sleep(0.001)
        with subprocess.Popen(r.command, stdin=term, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE) as p:
            # Closed while the program waits in its next read, which then fails;
            # a read begun after the close would find the end of input instead.
            deadline = time.monotonic() + TIMEOUT
            while p.poll() is None and time.monotonic() < deadline and (
                    waiting(term) or open(f"/proc/{p.pid}/wchan").read()
                    != "wait_woken"):
                time.sleep(0.001)
            os.close(fd)
            out, err = p.communicate(timeout=TIMEOUT)
        os.close(term)
        return check(subprocess.CompletedProcess(p.args, p.returncode, out, err),
                     r.ranking(scores),
                     HINT + "score-rank: read error: Input/output error\n", 1)
    return case


# Standard input a pipe whose writer stays open: the prompt arrives before
# any input, and the program ends within a second of the terminating value,
# with nothing after it, without waiting for the writer or for the byte
# after the number.  name, arguments, what is written, the scores listed,
# standard error.
DIALOGUE_CASES = [
    ("dialogue", [], b"60 95\n78 -1", [95, 78, 60], ""),
    # Wine opens /dev/stdin in its server, not in the program.
    ("a pipe named as FILE, its writer open", (["/dev/stdin"], None),
     b"60 95 78 -1\n70 ", [95, 78, 60], after("70")),
    ("a byte-order mark in two pieces, its writer open", [],
     [b"\xef\xbb", b"\xbf60 95 -1"], [95, 60], ""),
    ("a mark's first byte and a letter, its writer open", [], b"\xefx 60 -1",
     [60], left(out("?x"))),
]


def dialogue_case(args, written, scores, err):
    def case(r):
        p = subprocess.Popen(r.command + args, stdin=subprocess.PIPE,
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
            feed(p, p.stdin.fileno(), written if isinstance(written, list)
                 else [written])
            p.wait(timeout=1)
            got = subprocess.CompletedProcess(p.args, p.returncode,
                                              out + p.stdout.read(),
                                              p.stderr.read())
            return check(got, r.ranking(scores), held(written, err, r.block),
                         1 if "not a score" in err else 0)
        except subprocess.TimeoutExpired:
            return ["still running after the terminating value"]
        finally:
            p.kill()
            p.wait()
            for f in (p.stdin, p.stdout, p.stderr):
                f.close()
    return case


# In a terminal, a Unix one under Wine too, where the program says how to
# end the list and ends at the terminating value: there is no window there
# to keep open.  name, arguments, what is typed, what the terminal shows at
# its end, standard error (None where it is the terminal too), the exit
# status.
TERMINAL_CASES = [
    ("dialogue in a terminal", [], b"60 95\r78 -1\r", listing([95, 78, 60]),
     HINT, 0),
    ("--column at the keyboard: a usage error, nothing read", ["--column", "2"],
     (b"", None), b"", usage("--column reads a table from a file or a pipe, "
                             "not from the keyboard")[0], 2),
    ("the count line straight after the typed line", [],
     (Unechoed(b"60 95\r78 -1\r"), None), PROMPT + listing([95, 78, 60]),
     None, 0),
    ("a typo typed is left out, and typing goes on", [],
     b"70 85 8O 90\r80 -1\r", listing([90, 85, 80, 70]),
     HINT + left(typo("8O", LETTER_O)), 1),
    ("words typed after -1 are named", [], b"70 80 -1 90  85  \r",
     listing([80, 70]), HINT + after("90  85"), 0),
    ("two lines pasted: the second is named, not run", [],
     b"80 72 -1\r 60 95 \r", listing([80, 72]), HINT + after("60 95"), 0),
    ("a line pasted after the end that starts with a NUL", [],
     (b"80 -1\r\x0060\r", None), listing([80]), HINT + after("?60"), 0),
    # Whatever ends the list, all that was pasted or typed ahead is named,
    # and none of it is left for the shell.
    # Wine's console echoes a paste this long for longer than the case runs.
    ("a 50 KB paste after the end is taken in whole", [],
     (b"5 -1\r" + PASTE, None), listing([5]),
     HINT + after("1000 1001 1002 1003 ..."), 0),
    ("a pasted last line without its line break is named", [],
     b"80 -1\r1 2 3\rpartial", b"\n" + listing([80]), HINT + after("1 2 3 partial"),
     0),
    ("a NUL typed ends the list, and the line typed ahead is named", [],
     (b"5 x \x00 7\rrm -rf x\r", None), listing([5]),
     HINT + wrapped('score-rank: left out "x": not a whole number')
     + after("7 rm -rf x")
     + wrapped("score-rank: not a text file; save the sheet as CSV or as text")
     + left(words=1), 1),
    ("Ctrl+D, then a line typed ahead: named", [], (b"5 6\r\x04ls\r", None),
     listing([6, 5]), HINT + after("ls"), 0),
    ("a typo on the line that ends the list: no going on typing", [],
     WholeLine(b"5 x -01\r"), listing([5]),
     HINT + left(wrapped('score-rank: left out "x": not a whole number')), 1),
    ("a score typed too large is left out", [], b"70 21474836470\r90 -1\r",
     listing([90, 70]), HINT + left(typo("21474836470", TOO_LARGE)), 1),
    ("a file's notice starts a line of its own", ["45.txt"], b"",
     PROMPT + b"\n" + cut(5, 5).encode() + listing(Many(45, range(45, 5, -1))),
     None, 0),
    ("a file's notice to a pipe starts no line", ["45.txt"], b"",
     PROMPT + listing(Many(45, range(45, 5, -1))), cut(5, 5), 0),
    # Ctrl+D at the start of a line, once: Linux's end of input.
    ("Ctrl+D ends the list", [], (b"5 6\r\x04", None), listing([6, 5]), HINT, 0),
    ("Ctrl+D first ends the list at once", [], (b"\x04", None), listing([]),
     HINT, 0),
    ("Ctrl+D on an open line: the count line on a line of its own", [],
     (b"60 95\x04\x04", None), b"\n" + listing([95, 60]), None, 0),
    ("Ctrl+D on an open line, standard error a pipe: the line break on the "
     "terminal", [], (b"60 95\x04\x04", None), b"\n" + listing([95, 60]), HINT, 0),
    ("Ctrl+D on an open line, standard output a pipe: the line break on "
     "standard error", [], (Listed(b"60 95\x04\x04"), None),
     HINT.encode() + b"\n", None, 0),
    ("-1 and Ctrl+D on an open line: the count line on a line of its own", [],
     (b"60 95 -1\x04", None), b"\n" + listing([95, 60]), None, 0),
    # UTF-7 takes neither the flag against best fit nor a default character;
    # written at once, the console decodes the name's UTF-7 whole.
    ("a name in a code page without best fit", ["cmd", "/c",
     "chcp 65000 >nul & PROGRAM \u03a9missing.txt"], (None, b""),
     f"score-rank: \u03a9missing.txt: {MISSING}\n".encode(), None, 1),
]


def terminal_case(args, typed, shown, err, status):
    def case(r):
        fd, term = pty.openpty()
        if r.windows:  # CR is Enter, as in Wine's console, however early typed
            tty.setraw(term)
        if isinstance(pick(typed, r), Unechoed):
            attributes = termios.tcgetattr(term)
            attributes[3] &= ~termios.ECHO
            termios.tcsetattr(term, termios.TCSANOW, attributes)
        # Wide enough that Wine's console breaks no line of a notice.
        fcntl.ioctl(term, termios.TIOCSWINSZ, struct.pack("4H", 24, 160, 0, 0))
        if args[:1] == ["cmd"]:  # Command Prompt, with the program's path
            program = "Z:" + r.command[-1].replace("/", "\\")
            command = r.command[:-1] + [a.replace("PROGRAM", program) for a in args]
        else:
            command = r.command + args
        with files_folder() as folder:
            listed = isinstance(pick(typed, r), Listed)
            p = subprocess.Popen(command, stdin=term,
                                 stdout=subprocess.DEVNULL if listed else term,
                                 stderr=term if err is None else subprocess.PIPE,
                                 cwd=folder)
            # Typed as a terminal emulator pastes, while what the terminal
            # shows is read; the terminal stays open here, so that what is
            # left in its queue can be seen after the program.  Wine's
            # console reads the terminal itself, and runs while it is open.
            if r.windows:
                os.close(term)
                term = None
            out, pending = b"", pick(typed, r)
            os.set_blocking(fd, False)
            deadline = time.monotonic() + TIMEOUT
            while time.monotonic() < deadline:
                readable, writable, _ = select.select(
                    [fd], [fd] if pending else [], [], 0.2)
                try:
                    if writable:  # in pieces of 4 KiB, as pasted
                        pending = pending[os.write(fd, pending[:4096]):]
                        time.sleep(0.01 if pending else 0)
                    if readable:
                        out += os.read(fd, 65536)
                except BlockingIOError:
                    pass
                except OSError:  # the terminal's other side closed
                    break
                if term and not readable and not writable and p.poll() is not None:
                    break
            try:
                p.wait(timeout=1)
                # What a person sees, in short: no control sequences, CRs or
                # spaces (Wine's console moves the cursor over them); the
                # echoed input comes before what is shown.
                seen = (lambda t: re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|[\r ]", b"", t))
                want = seen(shown)
                left = (waiting(term) if term else 0) + len(pending)
                return check(subprocess.CompletedProcess(
                    p.args, p.returncode, seen(out)[-len(want):],
                    p.stderr.read() if p.stderr else b""), want, err or "",
                    status) + ([f"{left} bytes left for the shell"] if left else [])
            finally:
                p.kill()
                p.wait()
                if p.stderr:
                    p.stderr.close()
                os.close(fd)
                if term:
                    os.close(term)
    return case


# Starts of a console window, under Wine's start.exe: name, what it starts
# (PROGRAM the program, a name in FILES that file, OUT and ERR files for the
# outputs), what is typed (pieces of text, and keys such as ctrl+z), how
# many times Enter is pressed after it, whether the window then waits for
# one more Enter, the exit status, and what OUT then holds, as the scores
# listed, and ERR (None where not written).
WINDOW_CASES = [
    ("from Explorer, the window waits", ["PROGRAM"], "60 95 78 -1", 1, True, 0,
     None),
    ("Enter typed twice, the window still waits", ["PROGRAM"], "60 95 78 -1",
     2, True, 0, None),
    ("from Command Prompt's window, no wait", ["cmd", "/c", "PROGRAM"],
     "60 95 78 -1", 1, False, 0, None),
    ("Ctrl+Z, then Enter typed ahead: the window still waits", ["PROGRAM"],
     ["60 95\n", "ctrl+z"], 2, True, 0, None),
    ("a file dropped on the program, the window waits",
     ["PROGRAM", "scores.txt"], "", 0, True, 0, None),
    # Every cell of its column a score: 0, where 1.7 left each row out.
    ("a class sheet dropped on the program, the window waits",
     ["PROGRAM", "class.csv"], "", 0, True, 0, None),
    ("a file of a Greek name dropped", ["PROGRAM", "\u03a9mega.txt"], "", 0,
     True, 0, None),
    ("a file of a Chinese name dropped", ["PROGRAM", "\u6392\u5e8f.txt"], "", 0,
     True, 0, None),
    ("a typo typed in the window is left out",
     ["cmd", "/c", "PROGRAM", ">", "OUT", "2>", "ERR"], "70 85 8O 90\n80 -1", 1,
     False, 1, ([90, 85, 80, 70], HINT + left(typo("8O", LETTER_O)))),
]


def window_case(start, typed, enters, waits, status, written):
    """Xvfb gives Wine a display, xdotool types into the console window."""
    def case(r):
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        env = dict(os.environ,
                   DISPLAY=":" + xvfb.stdout.readline().decode().strip())

        def xdotool(*args):
            return subprocess.run(["xdotool", *args], env=env, check=True,
                                  capture_output=True, timeout=TIMEOUT).stdout

        def windows_path(path):
            return subprocess.run(r.command[:-1] + ["winepath", "-w", path],
                                  check=True,
                                  capture_output=True, text=True,
                                  timeout=TIMEOUT).stdout.strip()

        with files_folder() as at:
            names = {"PROGRAM": windows_path(r.command[-1])}
            names.update((a, windows_path(os.path.join(at, a))) for a in start
                         if a in FILES or a in ("OUT", "ERR"))
            p = subprocess.Popen(r.command[:-1] + ["start", "/wait"]
                                 + [names.get(a, a) for a in start],
                                 env=env, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                console = xdotool("search", "--sync", "--onlyvisible", "--class",
                                  "conhost.exe").split()[0]
                xdotool("windowfocus", "--sync", console)
                # Keys, as xdotool names them, go with the Enters after them.
                pieces = [typed] if isinstance(typed, str) else typed
                keys = [k for k in pieces if k.startswith("ctrl+")]
                for text in pieces:
                    if text and not text.startswith("ctrl+"):
                        xdotool("type", text)
                if keys or enters:
                    xdotool("key", "--delay", "0", *keys, *["Return"] * enters)
                time.sleep(3)
                if not waits:
                    wrong = ([] if p.poll() == status else
                             [f"3 s after the listing, status {p.poll()}, want {status}"])
                elif p.poll() is not None:
                    return [f"the window closed after the listing, status {p.returncode}"]
                else:
                    xdotool("key", "Return")
                    wrong = ([] if p.wait(timeout=TIMEOUT) == status else
                             [f"status {p.returncode}, want {status}"])
                if written:
                    with open(os.path.join(at, "OUT"), "rb") as out, \
                            open(os.path.join(at, "ERR"), "rb") as err:
                        wrong += check(subprocess.CompletedProcess(
                            start, status, out.read(), err.read()),
                            r.ranking(written[0]), written[1], status)
                return wrong
            finally:
                p.kill()
                p.wait()
                xvfb.kill()
                xvfb.wait()
                xvfb.stdout.close()
    return case


def fits_79_columns(r):
    """Every notice the tables expect fits 79 columns."""
    texts = [pick(e, r) for *_, e in CASES]
    texts += [pick(row[3], r) for row in ARG_CASES
              if all(len(a) < 79 for a in pick(row[1], r) or [])]
    texts += [row[4] or "" for row in TERMINAL_CASES]
    texts += [row[6][1] for row in WINDOW_CASES if row[6]]
    return [f"{columns(line)} columns: {line!r}" for text in texts
            for line in text.splitlines() if columns(line) > 79]


def main(argv):
    windows = argv[:1] == ["--windows"]
    if windows:
        argv = argv[1:]
    options = {"--block": "16384", "--version": "", "--part": "1/1"}
    while argv[:1] and argv[0] in options and len(argv) > 1:
        options[argv[0]], argv = argv[1], argv[2:]
    part = re.fullmatch(r"([1-9][0-9]*)/([1-9][0-9]*)", options["--part"])
    if not argv or not part or int(part[1]) > int(part[2]):
        sys.exit(__doc__)
    # The argument cases run in a folder of their own.
    r = Run(argv[:-1] + [os.path.abspath(argv[-1])], windows,
            int(options["--block"]), options["--version"])
    cases = [(name, table_case(i, s, e)) for name, i, s, e in CASES]
    cases += [(name + ": what is left", rest_case(*row))
              for name, *row in REST_CASES]
    cases += [(name, arg_case(pick(args, r), *row))
              for name, args, *row in ARG_CASES if pick(args, r) is not None]
    cases += [(name, write_case(*row)) for name, *row in WRITE_CASES]
    cases += [(name, shared_case(*row)) for name, *row in SHARED_CASES]
    cases += [(name, refused_case(*row)) for name, *row in REFUSED_CASES
              if pick(row[1], r) is not None]
    cases += [("every notice fits 79 columns", fits_79_columns)]
    cases += [(name, dialogue_case(pick(args, r), *row))
              for name, args, *row in DIALOGUE_CASES
              if pick(args, r) is not None]
    cases += [(name, terminal_case(*row)) for name, *row in TERMINAL_CASES
              if pick(row[1], r) is not None and not (
                  isinstance(pick(row[1], r), WholeLine) and r.block < 64)]
    if not windows:
        cases += [(name, terminal_read_error(*row))
                  for name, *row in READ_ERROR_CASES]
    if windows:
        cases += [(name, window_case(*row)) for name, *row in WINDOW_CASES]
    cases = cases[int(part[1]) - 1::int(part[2])]
    failed = 0
    for name, case in cases:
        try:
            wrong = case(r)
        except subprocess.TimeoutExpired as e:
            wrong = [f"did not finish in {TIMEOUT} s: {e.cmd}"]
        print(("FAIL " if wrong else "ok   ") + name)
        for w in wrong:
            print("     " + w)
        failed += bool(wrong)
    print(f"{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
