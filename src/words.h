// The words of the input: a score read, or any other word kept as far as a
// notice may need it; what a pipe or a terminal holds after the list; and
// whether a word follows it in a file.

#ifndef SCORE_RANK_WORDS_H
#define SCORE_RANK_WORDS_H

#include <cstddef>

#include "input.h"

// The first bytes of a word that are kept: more than a notice quotes.
constexpr size_t kKept = 24;

enum class Kind { kEnd, kScore, kNotNumber, kTooLarge, kNotText };

struct Word {
	Kind kind;
	int value;      // of a score, negative ones included
	long long line; // where the word starts, counted from 1
	long long
	        offset; // where a word that is not a score starts in the input
	long long len;  // bytes of a word that is not a score
	char s[kKept];  // its first bytes
};

// White space: ' ', '\t', '\n', '\v', '\f' and '\r'.
inline bool IsSpace(int c)
{
	constexpr unsigned long long kSpaces = 1ULL << ' ' | 1ULL << '\t' |
	                                       1ULL << '\n' | 1ULL << '\v' |
	                                       1ULL << '\f' | 1ULL << '\r';
	return static_cast<unsigned>(c) <= ' ' && (kSpaces >> c & 1) != 0;
}

// Reads the next word into *word, and returns its kind.  An optional sign
// and decimal digits are a score, whose value stops growing past the
// largest; a negative one is taken as soon as it is known, whatever is
// glued to it, and a pipe or a terminal is not read on for the rest of its
// digits.  A word that holds a NUL is not text, and is read no further than
// the NUL.  A word that a read error cuts is the end.
Kind ReadWord(Input* in, Word* word);

// What is held after the read position, without the white space around it,
// and where typed, what is typed and waiting too, so that none of it
// reaches the shell: its length, and its first size bytes in buf, each
// white space a ' '.
size_t HeldAfter(Input* in, char* buf, size_t size, bool typed);

// Whether a word follows the read position, read on to as far as it.
bool WordFollows(Input* in);

#endif
