// The words of the input, one at a time: a score, or any other word with
// its first bytes, for a notice, and what makes it no score.

#ifndef SCORE_RANK_WORDS_H
#define SCORE_RANK_WORDS_H

#include <cstddef>

#include "input.h"

constexpr size_t kKept = 24; // bytes kept of a word that is not a score

// A table's cell may also be a negative number or empty, which a list's
// word never is.
enum class Kind {
	kEnd,
	kScore,
	kNotNumber,
	kTooLarge,
	kNotText,
	kNegative,
	kEmpty
};

// Whether a word of that kind is a number, a negative one included.
inline bool IsNumber(Kind kind)
{
	return kind == Kind::kScore || kind == Kind::kNegative ||
	       kind == Kind::kTooLarge;
}

struct Word {
	Kind kind;
	int value;        // of a score, negative ones included
	long long line;   // where the word starts, counted from 1
	long long offset; // where a word that is not a score starts
	long long len;    // bytes of a word that is not a score
	char s[kKept];    // its first bytes
	char stop[4];     // its first bytes past its sign and leading digits
	bool digits;      // it holds a digit
	bool inCell;      // it is a table's cell
};

// Reads the next word into *word and returns its kind.  An optional sign
// and decimal digits are a score, whose value stops growing past the
// largest, and which takes the white space just after it along, so that
// the next word starts at once.  A negative one ends the list: it is taken
// as soon as it is known, whatever is glued to it, without the white space
// after it, as a file is left just past it, and a pipe or a terminal is
// not read on for the rest of its digits.  A sign alone takes the number
// after it on its line along.  A word that holds a NUL is not text, and is
// read as far as the NUL.  A word that a read error cuts is the end.
Kind ReadWord(Input* in, Word* word);

// Whether the rest of the typed line ends the list, by ReadWord's rule: a
// NUL, or a negative number.
bool LineEndsList(const Input& in);

#endif
