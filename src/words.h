// The words of a text: white space skipped, a score parsed, any other word
// kept for a notice, and what the list took left behind it in a file.

#ifndef SCORE_RANK_WORDS_H
#define SCORE_RANK_WORDS_H

#include <climits>
#include <cstddef>

#include "notices.h"
#include "text.h"

// A text read a word at a time: [pos, end) of its block is in hand.
struct Words {
	Text text;
	const char* pos;
	const char* end; // where the NUL after the units in hand stands
	long long lines; // line feeds in the blocks before this one
	long long cut;   // input offset after a word cut for a notice, or -1
};

// The bytes of a word that a notice needs: those shown, the rest of a
// character, and one that tells whether more follow.
constexpr size_t kKept = kShownText + 4;

// A word that is not a score: its length and its first kKept bytes, and
// where it starts in the input.
struct Word {
	long long len;
	long long offset;
	long long unit; // bytes of the input a unit of the word takes
	char s[kKept];
};

enum class Got { kValue, kEnd, kNotNumber, kTooLarge };

// White space: ' ', '\t', '\n', '\v', '\f' and '\r'.  Any byte above ' ' is
// none, which the first test tells the digits of a score at once.
inline bool IsSpace(char c)
{
	constexpr unsigned long long kSpaces = 1ULL << ' ' | 1ULL << '\t' |
	                                       1ULL << '\n' | 1ULL << '\v' |
	                                       1ULL << '\f' | 1ULL << '\r';
	auto b = static_cast<unsigned char>(c);
	return b <= ' ' && (kSpaces >> b & 1) != 0;
}

// The value of a decimal digit; above 9 for any other byte.
inline unsigned Digit(char c)
{
	return static_cast<unsigned char>(c) - unsigned{'0'};
}

inline bool IsDigit(char c)
{
	return Digit(c) <= 9;
}

// Starts reading the words of fd, in block, which holds size + 1 bytes.
void StartWords(Words* words, int fd, char* block, size_t size);

// Goes on reading a word where the first case of ReadWord stopped, from its
// first byte in the block, from, with the magnitude of the digits read.
Got ReadOn(Words* words, int* value, Word* word, bool whole, const char* from,
           unsigned long long magnitude);

// Reads the next word.  A word of an optional sign and decimal digits is a
// value, stored in *value: a negative one is taken as soon as it is known,
// whatever is glued to it, and one below INT_MIN is INT_MIN.  Any other
// word is not a number, or too large where all digits, and kept in *word,
// whole or as far as a notice needs.
//
// The first case, inline, is the common one: white space, then a score of
// at most ten digits, wholly in the block and followed by white space there.
// Anywhere else, at the end of the block, at a sign, past ten digits or at a
// byte glued to the digits, ReadOn goes on from where it stopped.
inline Got ReadWord(Words* w, int* value, Word* word, bool whole)
{
	const char* p = w->pos;
	while (IsSpace(*p))
		p++;
	const char* from = p;
	unsigned long long magnitude = 0; // wraps only past ten digits
	for (unsigned digit; (digit = Digit(*p)) <= 9; p++)
		magnitude = magnitude * 10 + digit;
	w->pos = p;
	if (IsSpace(*p) && p != from && p - from <= 10 &&
	    magnitude <= INT_MAX) {
		*value = static_cast<int>(magnitude);
		return Got::kValue;
	}
	return ReadOn(w, value, word, whole, from, magnitude);
}

// The line of the text that the read position is on, counted from 1.
long long Line(const Words& words);

// Takes the rest of the line after the read position, without the white
// space around it, into buf, as far as size bytes; returns its length.  At a
// keyboard a line longer than a block goes on in the next read, which the
// terminal answers at once, where the block was filled.
size_t RestOfLine(Words* words, char* buf, size_t size);

// Whether a word follows the read position, read on to as far as it.
bool MoreWords(Words* words);

// Moves a file read to just after what the list took, so that what follows
// the list is left for the next reader of the file.
void LeaveRest(const Words& words);

#endif
