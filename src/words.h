// The words of a text: white space skipped, a score parsed, any other word
// kept for a notice, and what the list took left behind it in a file.

#ifndef SCORE_RANK_WORDS_H
#define SCORE_RANK_WORDS_H

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string_view>

#include "notices.h"
#include "text.h"

// A text read a word at a time: [pos, end) of its block is in hand.
struct Words {
	Text text;
	const char* pos;
	const char* end;  // where the NUL after the units in hand stands
	long long lines;  // line feeds in the blocks before this one
	long long cut;    // where a word cut for a notice ends in the input, or -1
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

inline bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

// Starts reading the words of fd, in block, which holds size + 1 bytes.
void StartWords(Words* words, int fd, char* block, size_t size);

// Reads the next block, after counting the lines of this one; false at the
// end of the input.
bool NextBlock(Words* words);

// Keeps the bytes [*from, pos) of a word, and reads on into the next block,
// where *from then is; false at the end of the input.
bool Carry(Words* words, Word* word, const char** from);

// Reads the rest of a word that is not a score, from *from on: to its end
// where whole, else as far as a notice needs, and marks where the list took
// it to.  Returns got.
Got FinishWord(Words* words, Word* word, const char* from, Got got,
               bool whole);

// Reads the next word.  A word of an optional sign and decimal digits is a
// value, stored in *value: a negative one is taken as soon as it is known,
// whatever is glued to it, and one below INT_MIN is INT_MIN.  A score, in a
// block, is read inline to its end; a word that crosses blocks carries its
// bytes over.  Any other word is not a number, or too large where all
// digits, and kept in *word, whole or as far as a notice needs.
inline Got ReadWord(Words* w, int* value, Word* word, bool whole)
{
	constexpr unsigned long long kBeyond = INT_MAX + 1ULL;
	for (;;) {
		while (IsSpace(*w->pos))
			w->pos++;
		if (w->pos != w->end)
			break;
		if (!NextBlock(w))
			return Got::kEnd;
	}
	word->len = 0;
	const char* from = w->pos;
	bool negative = *w->pos == '-';
	if (negative || *w->pos == '+') {
		w->pos++;
		if (w->pos == w->end)
			Carry(w, word, &from);
	}
	if (!IsDigit(*w->pos))
		return FinishWord(w, word, from, Got::kNotNumber, whole);
	unsigned long long magnitude = 0;
	for (;;) {
		for (; IsDigit(*w->pos); w->pos++)
			magnitude = std::min(magnitude * 10 +
			                             static_cast<unsigned>(
			                                     *w->pos - '0'),
			                     kBeyond);
		// A pipe or a terminal is not read again after a negative
		// number, which has ended the list: the writer may be waiting.
		if (w->pos != w->end ||
		    (negative && magnitude != 0 && !w->text.source.seekable) ||
		    !Carry(w, word, &from))
			break;
	}
	if (negative && magnitude != 0) {
		*value = magnitude == kBeyond ? INT_MIN
		                              : -static_cast<int>(magnitude);
		return Got::kValue;
	}
	bool ends = IsSpace(*w->pos) || w->pos == w->end;
	if (ends && magnitude != kBeyond) {
		*value = static_cast<int>(magnitude); // -0 is 0
		return Got::kValue;
	}
	return FinishWord(w, word, from, ends ? Got::kTooLarge : Got::kNotNumber,
	                  whole);
}

// The line of the text that the read position is on, counted from 1.
long long Line(const Words& words);

// The words in hand after the read position, without the white space
// around them: at a keyboard, the rest of the line typed.
std::string_view RestInHand(const Words& words);

// Whether a word follows the read position, read on to as far as it.
bool MoreWords(Words* words);

// Moves a file read to just after what the list took, so that what follows
// the list is left for the next reader of the file.
void LeaveRest(const Words& words);

#endif
