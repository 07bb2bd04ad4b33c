// The reader of scores: a descriptor read in blocks, split into words at
// white space, with a byte-order mark taken and UTF-16 text decoded; the
// quoting that notices give the words they name; and what is left unread.

#ifndef SCORE_RANK_SCORE_INPUT_H
#define SCORE_RANK_SCORE_INPUT_H

#include <climits>
#include <cstddef>

constexpr int kShownText = 20; // bytes of a text quoted in a notice

// A text as a notice quotes it: each character that is not printable ASCII
// shown as one '?', so that no input can play tricks on a terminal, and a
// text longer than kShownText bytes cut there and followed by "...".
struct Shown {
	char s[kShownText + sizeof "..."];
};
Shown Quote(const char* text, size_t len);

// A word being read: how many bytes of it are taken, and the first of them,
// for a notice.  One byte more than is shown is kept, to tell whether the
// word has to be cut.
struct Word {
	long long len;
	char s[kShownText + 1];
};

// An input descriptor and its block.  buf is the caller's, so that the block
// lives where the caller keeps it, and holds size bytes and a NUL after the
// text, which ends a run of digits or of white space without a test for
// the end of the text; [pos, end) is what is read and not yet taken.  UTF-16
// text is decoded into the block a code unit a byte.
struct Input {
	int fd;
	char* buf;
	size_t size;
	const char* pos;
	const char* end;
	bool ended; // end of input or a read error has been seen
	int error;  // errno of the read error, or 0
	int utf16;  // 0, or kLittle or kBig: the byte order of UTF-16 text
	int tail;   // bytes read past end: half a code unit, or after Ctrl+Z
	char odd;   // the byte of half a code unit, kept for the next read
	bool half;  // the text in hand is the lone byte that UTF-16 ended in
	long long returned; // taken units before pos that Unread gives back
};
constexpr int kLittle = 1;
constexpr int kBig = 2;

// An argument as the system gives it: on Windows in wide characters, so that
// a file of any name can be opened.
#ifdef _WIN32
using Arg = wchar_t;
#else
using Arg = char;
#endif

// Opens the named file for reading; -1 with errno set where it cannot be.
int OpenInput(const Arg* name);

// Whether fd is a terminal (on Windows, a console).  Input from one is a
// person at a keyboard.
bool IsTerminal(int fd);

// Starts reading fd into buf, which holds size + 1 bytes, size at least 3:
// reads the first block and takes a byte-order mark at the very start.
void StartInput(Input* in, int fd, char* buf, size_t size);

enum class Got { kValue, kEnd, kNotNumber, kTooLarge };

// White space: ' ', '\t', '\n', '\v', '\f' and '\r'.  Any byte above ' ' is
// none, which the first test tells the digits of a score at once.
inline bool IsSpace(int c)
{
	constexpr unsigned long long kSpaces = 1ULL << ' ' | 1ULL << '\t' |
	                                       1ULL << '\n' | 1ULL << '\v' |
	                                       1ULL << '\f' | 1ULL << '\r';
	return static_cast<unsigned>(c) <= ' ' && (kSpaces >> c & 1) != 0;
}

inline bool IsDigit(int c)
{
	return c >= '0' && c <= '9';
}

// Reads the next word.  A word that is an optional sign and decimal digits
// is a value, stored in *value; a negative one is taken as soon as it is
// known, whatever is glued to it.  A value below INT_MIN, which only ends
// the list, is stored as INT_MIN.  Any other word is not a number, or too
// large; what of it is taken is in *word.
Got ReadWord(Input* in, int* value, Word* word);

// ReadWord, with the common word read inline where the scores are read: a
// score of at most ten digits after white space, wholly in the block, so
// followed by white space there.  The NUL after the text ends both runs.
// The magnitude may wrap on a longer run, which then is no such score.
inline Got ReadValue(Input* in, int* value, Word* word)
{
	const char* from = in->pos;
	while (IsSpace(*from))
		from++;
	const char* digit = from;
	unsigned long long magnitude = 0;
	for (; IsDigit(*digit); digit++)
		magnitude =
		        magnitude * 10 + static_cast<unsigned>(*digit - '0');
	if (digit != from && digit - from <= 10 && IsSpace(*digit) &&
	    magnitude <= INT_MAX) {
		in->pos = digit;
		*value = static_cast<int>(magnitude);
		return Got::kValue;
	}
	in->pos = from;
	return ReadWord(in, value, word);
}

// Reads on in a word that ReadValue found is not a score, and returns what
// it is: too large only where it is all digits as far as it is read.  Where
// whole, the word is read to its end; else no further than a notice needs,
// and what is taken past what the notice shows is given back by Unread.
Got FinishWord(Input* in, Word* word, Got got, bool whole);

// Moves a seekable input back over the bytes read ahead but not taken, so
// that what follows the list is left for the next reader of the file.
void Unread(const Input* in);

#endif
