// The words of the input, one at a time: white space skipped and its lines
// counted, then a sign, digits and whatever else the word holds.

#include "words.h"

#include <climits>

#include "platform.h"

namespace {

// Takes the byte c into the word: counted, and kept while there is room.
void Keep(Word* w, int c)
{
	if (w->len < static_cast<long long>(kKept))
		w->s[w->len] = static_cast<char>(c);
	w->len++;
}

Kind Is(Word* w, Kind kind)
{
	w->kind = kind;
	return kind;
}

} // namespace

Kind ReadWord(Input* in, Word* w)
{
	int c;
	while (IsSpace(c = Peek(in))) {
		in->lines += c == '\n';
		in->pos++;
	}
	w->line = in->lines + 1;
	w->offset = Offset(*in);
	w->len = 0;
	if (c < 0)
		return Is(w, Kind::kEnd);
	bool negative = c == '-';
	if (c == '-' || c == '+') {
		Keep(w, c);
		in->pos++;
		c = Peek(in);
	}
	// The value stops growing past the largest score, so that a value too
	// large is known without overflow.
	unsigned long long value = 0;
	bool digits = false;
	while (c >= '0' && c <= '9') {
		Keep(w, c);
		digits = true;
		if (value <= INT_MAX)
			value = value * 10 + static_cast<unsigned>(c - '0');
		in->pos++;
		// A negative number has ended the list: a pipe or a terminal is
		// not read again for the rest of its digits.
		if (negative && value != 0 && in->pos == in->end &&
		    !in->seekable)
			break;
		c = Peek(in);
	}
	if (negative && value != 0) {
		w->value = value > INT_MAX ? INT_MIN : -static_cast<int>(value);
		return Is(w, Kind::kScore);
	}
	if (c < 0 && in->error != 0)
		return Is(w, Kind::kEnd);
	if (digits && (c < 0 || IsSpace(c))) {
		w->value = static_cast<int>(value <= INT_MAX ? value : 0);
		return Is(w, value <= INT_MAX ? Kind::kScore : Kind::kTooLarge);
	}
	for (; c > 0 && !IsSpace(c); c = Peek(in)) {
		Keep(w, c);
		in->pos++;
	}
	if (c == 0)
		return Is(w, Kind::kNotText);
	return Is(w, c < 0 && in->error != 0 ? Kind::kEnd : Kind::kNotNumber);
}

size_t HeldAfter(Input* in, char* buf, size_t size, bool typed)
{
	size_t len = 0;
	size_t shown = 0; // up to the last byte that is not white space
	do {
		for (; in->pos != in->end; in->pos++) {
			auto c = static_cast<unsigned char>(*in->pos);
			if (len == 0 && IsSpace(c))
				continue;
			if (len < size)
				buf[len] = IsSpace(c) ? ' ' : static_cast<char>(c);
			len++;
			if (!IsSpace(c))
				shown = len;
		}
	} while (typed && !in->ended && InputWaiting(in->fd) &&
	         Refill(in) >= 0);
	return shown;
}

bool WordFollows(Input* in)
{
	int c;
	while (IsSpace(c = Peek(in)))
		in->pos++;
	return c >= 0;
}
