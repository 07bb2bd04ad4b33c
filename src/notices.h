// The notices on standard error: each one line, or one broken to fit 79
// columns, that starts with the program's name, made whole and written at
// once, so that the notices of runs that share a log never mix.

#ifndef SCORE_RANK_NOTICES_H
#define SCORE_RANK_NOTICES_H

#include "platform.h"
#include "table.h"
#include "words.h"

struct Notices {
	const Arg* name; // the file read, or nullptr for standard input
	// The line that a notice would go on is open: the notice starts on a
	// line of its own, after what standard output holds is written.
	bool lineOpen;
};

// Writes a notice: the text that format makes, as printf does.  A line
// break in it ends the part that is broken to fit.  notices may be nullptr.
void Say(Notices* notices, const char* format, ...)
        __attribute__((format(printf, 2, 3)));

// The same, about a place in the input: after the file's name, or where
// none is named the word "line", and the line where it is above 0.
void SayAt(Notices* notices, long long line, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

// Which column of a table is ranked, or why none is: none or more than one
// holds numbers, or the one asked for is not there, a usage error.
void SayColumn(Notices* notices, const Table& table);

// Why a word is not a score, in words that say what to mend.
struct Why {
	char s[48];
};
Why Reason(const Word& word);

#endif
