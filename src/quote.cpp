// The rule by which a notice shows a word or a name: as it is where it is
// well-formed UTF-8 free of control characters, else each character that
// is not printable ASCII as one '?'.

#include <cstring>

#include "notices.h"

namespace {

// The code point of the well-formed UTF-8 character that the n bytes at b
// begin, and its length in *len; -1, and a length of 1, where they begin
// none.
long Decode(const unsigned char* b, size_t n, size_t* len)
{
	size_t more = b[0] < 0x80                    ? 0
	              : b[0] >= 0xC2 && b[0] <= 0xDF ? 1
	              : b[0] >= 0xE0 && b[0] <= 0xEF ? 2
	              : b[0] >= 0xF0 && b[0] <= 0xF4 ? 3
	                                             : n;
	*len = 1;
	if (more >= n)
		return -1;
	long code = b[0] & (0x7F >> more);
	for (size_t i = 1; i <= more; i++) {
		if ((b[i] & 0xC0) != 0x80)
			return -1;
		code = code << 6 | (b[i] & 0x3F);
	}
	if ((more == 2 && code < 0x800) || (more == 3 && code < 0x10000) ||
	    code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
		return -1;
	*len = more + 1;
	return code;
}

// Whether a character may reach a terminal as it is: no control character,
// nor one that turns the direction of the text around it.
bool Printable(long code)
{
	return code >= ' ' && code != 0x7F && !(code >= 0x80 && code < 0xA0) &&
	       !(code >= 0x202A && code <= 0x202E) &&
	       !(code >= 0x2066 && code <= 0x2069);
}

} // namespace

bool Plain(const char* text, size_t len)
{
	const auto* b = reinterpret_cast<const unsigned char*>(text);
	size_t n;
	for (size_t at = 0; at < len; at += n)
		if (!Printable(Decode(b + at, len - at, &n)))
			return false;
	return true;
}

Shown Quote(const char* text, size_t len)
{
	const auto* b = reinterpret_cast<const unsigned char*>(text);
	size_t n = 0;
	for (size_t step; n < len && n < kShownText; n += step)
		Decode(b + n, len - n, &step);
	Shown shown;
	size_t at = n;
	if (Plain(text, n)) {
		memcpy(shown.s, text, n);
	} else {
		at = 0;
		for (size_t i = 0, step; i < n; i += step) {
			bool ascii = Decode(b + i, n - i, &step) >= ' ' &&
			             b[i] <= '~';
			shown.s[at++] = ascii ? text[i] : '?';
		}
	}
	memcpy(shown.s + at, len > n ? "..." : "", len > n ? 4 : 1);
	return shown;
}
