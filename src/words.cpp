// The words of the input, one at a time: white space skipped and its lines
// counted, then a sign, digits and whatever else the word holds.

#include "words.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform.h"

namespace {

// Takes the bytes [from, to) of the block into the word.
void Keep(Word* w, const char* from, const char* to)
{
	long long room = static_cast<long long>(kKept) - w->len;
	if (room > 0)
		memcpy(w->s + w->len, from,
		       static_cast<size_t>(std::min<long long>(to - from, room)));
	w->len += to - from;
}

} // namespace

Kind ReadWord(Input* in, Word* w)
{
	// The read position and the block's end are locals, given back to the
	// input where a block is refilled; what the block held of the word is
	// then kept, from `from` on.
	const char* p = in->pos;
	const char* end = in->end;
	const char* from = nullptr;
	w->len = 0;
	auto peek = [&]() {
		if (p != end)
			return static_cast<int>(static_cast<unsigned char>(*p));
		if (from != nullptr)
			Keep(w, from, p);
		in->pos = p;
		int c = Refill(in);
		p = in->pos;
		end = in->end;
		if (from != nullptr)
			from = p;
		return c;
	};
	int c;
	long long lines = in->lines;
	while (IsSpace(c = peek())) {
		lines += c == '\n';
		p++;
	}
	in->lines = lines;
	w->line = lines + 1;
	from = p;
	bool negative = c == '-';
	if (c == '-' || c == '+') {
		p++;
		c = peek();
	}
	// The value stops growing past the largest score, so that a value too
	// large is known without overflow.
	unsigned long long value = 0;
	bool digits = c >= '0' && c <= '9';
	while (c >= '0' && c <= '9') {
		if (value <= INT_MAX)
			value = value * 10 + static_cast<unsigned>(c - '0');
		p++;
		// A negative number has ended the list: a pipe or a terminal is
		// not read again for the rest of its digits.
		if (p == end && negative && value != 0 && !in->seekable)
			break;
		c = peek();
	}
	Kind kind;
	if (negative && value != 0) {
		w->value = value > INT_MAX ? INT_MIN : -static_cast<int>(value);
		kind = Kind::kScore;
	} else if (digits && (c < 0 || IsSpace(c))) {
		w->value = static_cast<int>(value);
		kind = value <= INT_MAX ? Kind::kScore : Kind::kTooLarge;
	} else {
		while (c > 0 && !IsSpace(c)) {
			p++;
			c = peek();
		}
		kind = c == 0 ? Kind::kNotText : Kind::kNotNumber;
	}
	in->pos = p;
	if (kind != Kind::kScore)
		Keep(w, from, p);
	if (kind == Kind::kNotText)
		w->offset = Offset(*in) - UnitBytes(*in) * w->len;
	// At the end of the input, no word is the end of the list, and so is
	// a word that a read error cuts, which may be the start of another;
	// but not a negative number, which is known.
	if (c < 0 && ((kind == Kind::kNotNumber && w->len == 0) ||
	              (in->error != 0 && !(negative && value != 0))))
		kind = Kind::kEnd;
	w->kind = kind;
	return kind;
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
