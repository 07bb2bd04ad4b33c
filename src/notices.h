// Every text the program writes on standard error: the hint at a keyboard,
// the notices about the words of the list and about the input, and the
// quoting that shows a word or a name in them safely.

#ifndef SCORE_RANK_NOTICES_H
#define SCORE_RANK_NOTICES_H

#include <cstddef>

#include "platform.h"

constexpr size_t kShownText = 20; // bytes of a word that a notice quotes

// A text as a notice quotes it: each character that is not printable ASCII
// shown as one '?', so that no input can play tricks on a terminal, and a
// text longer than kShownText bytes cut there, after the rest of a
// character begun, and followed by "...".
struct Shown {
	char s[kShownText + 3 + sizeof "..."];
};
Shown Quote(const char* text, size_t len);

// How many of the len bytes of text a notice shows: all of them, or the
// first kShownText and the rest of a character that they begin.
size_t ShownLength(const char* text, size_t len);

// Where the notices of a run go and what they name.
struct Notices {
	const Arg* name; // the file read, or nullptr for standard input
	bool lineOpen; // the prompt's line is open on standard error's terminal
};

// At a keyboard, how to end the list.
void SayHint();

// That a word is not a score, quoting its first len bytes: typed, that it
// was left out and the list goes on; else where it stands, on which line,
// and that reading stopped there.
void SayWord(Notices* notices, const char* word, size_t len, bool tooLarge,
             bool typed, long long line);

// That the words typed after the end of the list, on the line that ended
// it, were not ranked.
void SayTypedAfter(Notices* notices, const char* words, size_t len);

// That the list in a file ended on the given line, before the rest of it.
void SayRestUnread(Notices* notices, long long line);

// That of the scores read, only the 40 highest are ranked: how many more
// were left out, the highest of them, and how many equal the lowest ranked.
void SayLeftOut(Notices* notices, long long leftOut, int highest,
                long long tied);

// That the input could not be opened or read.
void SayInputError(Notices* notices, int error);

// That an argument is wrong, and the usage.
void SayUsage(const char* why, const Arg* arg);

// That standard output could not be written.
void SayWriteError(int error);

#endif
