// Every text the program writes on standard error: the hint at a keyboard,
// the notices about the words of the list and about the input, and the
// quoting that shows a word or a name in them safely.

#ifndef SCORE_RANK_NOTICES_H
#define SCORE_RANK_NOTICES_H

#include <cstddef>

#include "platform.h"

constexpr size_t kShownText = 20; // bytes of a word that a notice quotes

// A text as a notice shows it: as it is where it is well-formed UTF-8 with
// no control character (C0, DEL, C1 or bidirectional), else each character
// that is not printable ASCII as one '?'.  Longer than kShownText bytes, it
// is cut there, after the rest of a character begun, and "..." follows.
struct Shown {
	char s[kShownText + 3 + sizeof "..."];
};
Shown Quote(const char* text, size_t len);

// Whether a text can be shown as it is.
bool Plain(const char* text, size_t len);

// Where the notices of a run go and what they name.
struct Notices {
	const Arg* name; // the file read, or nullptr for standard input
	bool lineOpen;   // the terminal's line is open on standard error
};

// At a keyboard, how to end the list.
void SayHint();

// That a word is not a score and was left out, quoting its first len bytes
// (at least one) and saying why; typed, that typing goes on, else on which
// line it stands.
void SayLeftOut(Notices* notices, const char* word, size_t len, bool tooLarge,
                bool typed, long long line);

// That the input is not text, where it stands and what to do.
void SayNotText(Notices* notices, bool typed, long long line);

// That what followed the end of the list, quoted, was not ranked.
void SayNotRanked(Notices* notices, const char* words, size_t len);

// That the list in a file ended on the given line, before the rest of it.
void SayRestUnread(Notices* notices, long long line);

// That only the 40 highest scores are listed: how many more were left out,
// the highest of them, and how many equal the lowest listed.
void SayCut(Notices* notices, long long leftOut, int highest, long long tied);

// How many words were left out as not scores, and how many of them were
// not named in a notice of their own.
void SayWordsLeftOut(Notices* notices, long long words, long long unnamed);

// That the input could not be opened, read or left where the list ended:
// what went wrong, where no file is named or where named is set, and why.
void SayInputError(Notices* notices, const char* what, bool named, int error);

// That an argument is wrong, and the usage.
void SayUsage(const char* why, const Arg* arg);

// That standard output could not be written.
void SayWriteError(int error);

// Ends the terminal's open line, where it is open.
void EndLine(Notices* notices);

#endif
