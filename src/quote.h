// How a notice shows text that came from outside: a word, a name, what
// followed the list.  Such text may hold bytes that are not UTF-8 and
// characters that a terminal would act on or show as nothing, so it is
// shown as it is only where every character in it shows as itself.

#ifndef SCORE_RANK_QUOTE_H
#define SCORE_RANK_QUOTE_H

#include <cstddef>

constexpr size_t kShownText = 20; // bytes of a word that a notice quotes

// The code point of the well-formed UTF-8 character that the n bytes at
// text begin, and its length in *len; -1 and a length of 1 where none.
long DecodeUtf8(const char* text, size_t n, size_t* len);

// Writes text into out, NUL-terminated, and returns its length: as it is
// where each character is well-formed and shows as itself, else each
// character outside printable ASCII as a '?'.  Of a text longer than limit
// bytes, the characters begun in those bytes are shown, then "..."; so
// also where more is set.  out holds limit + 7 bytes.
size_t Show(const char* text, size_t len, size_t limit, bool more, char* out);

struct Shown {
	char s[kShownText + 7];
};

// A word as a notice quotes it: its first kShownText bytes.
Shown Quote(const char* text, size_t len, bool more = false);

// The terminal columns that n bytes of UTF-8 take: two for a wide or
// fullwidth East Asian character, else one for each character.
size_t Columns(const char* text, size_t n);

#endif
