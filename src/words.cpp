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
		       static_cast<size_t>(
		               std::min<long long>(to - from, room)));
	w->len += to - from;
}

// The unit at the read position, read on at a block's end; there, what the
// block held of a word begun at *from is kept first.
int Next(Input* in, Word* w, const char** from)
{
	if (in->pos != in->end)
		return static_cast<unsigned char>(*in->pos);
	if (*from != nullptr)
		Keep(w, *from, in->pos);
	int c = Refill(in);
	if (*from != nullptr)
		*from = in->pos;
	return c;
}

} // namespace

Kind ReadWord(Input* in, Word* w)
{
	const char* from = nullptr;
	int c;
	for (; IsSpace(c = Next(in, w, &from)); in->pos++)
		in->lines += c == '\n';
	w->line = in->lines + 1;
	w->len = 0;
	if (c < 0)
		return w->kind = Kind::kEnd;
	from = in->pos;
	bool negative = c == '-';
	if (c == '-' || c == '+')
		c = (in->pos++, Next(in, w, &from));
	unsigned long long value = 0;
	bool digits = c >= '0' && c <= '9';
	for (; c >= '0' && c <= '9'; c = Next(in, w, &from)) {
		if (value <= INT_MAX)
			value = value * 10 + static_cast<unsigned>(c - '0');
		if (++in->pos == in->end && negative && value != 0 &&
		    !in->seekable)
			break;
	}
	bool known = negative && value != 0;
	w->value = !known            ? static_cast<int>(value)
	           : value > INT_MAX ? INT_MIN
	                             : -static_cast<int>(value);
	Kind kind = known || value <= INT_MAX ? Kind::kScore : Kind::kTooLarge;
	if (!known && !(digits && (c < 0 || IsSpace(c)))) {
		for (; c > 0 && !IsSpace(c); c = Next(in, w, &from))
			in->pos++;
		kind = c == 0 ? Kind::kNotText : Kind::kNotNumber;
	}
	if (kind != Kind::kScore)
		Keep(w, from, in->pos);
	if (kind == Kind::kNotText)
		w->offset = Offset(*in) - UnitBytes(*in) * w->len;
	if (in->error != 0) // cut by a read error
		kind = Kind::kEnd;
	return w->kind = kind;
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
				buf[len] =
				        IsSpace(c) ? ' ' : static_cast<char>(c);
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
