// The words of the input: white space skipped and its lines counted, then
// a sign, digits and whatever else the word holds.  The read position is
// kept in a local while a word is read, and written back at a refill.

#include "words.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

struct Cursor {
	Input* in;
	Word* w;
	const char* p;    // the read position
	const char* from; // where the word's bytes in the block start
};

bool IsDigit(int c)
{
	return c >= '0' && c <= '9';
}

// Takes the bytes [from, to) of the block into the word.
void Keep(Word* w, const char* from, const char* to)
{
	long long room = static_cast<long long>(kKept) - w->len;
	if (room > 0)
		memcpy(w->s + w->len, from,
		       static_cast<size_t>(std::min<long long>(to - from, room)));
	w->len += to - from;
}

// The unit at the read position, read on at the block's end, where the
// word's bytes in the block are kept first.
int Next(Cursor* r)
{
	if (r->p != r->in->end)
		return static_cast<unsigned char>(*r->p);
	if (r->from != nullptr)
		Keep(r->w, r->from, r->p);
	r->in->pos = r->p;
	int c = Refill(r->in);
	r->p = r->in->pos;
	if (r->from != nullptr)
		r->from = r->p;
	return c;
}

// The rest of a word that is no number, from c on.  A sign alone takes
// the number after it on its line along, and is the word without one.
Kind ReadRest(Cursor* r, int c, int sign, bool digits)
{
	Word* w = r->w;
	memset(w->stop, 0, sizeof w->stop);
	bool alone = sign != 0 && !digits && (c < 0 || IsSpace(c));
	for (; alone && (c == ' ' || c == '\t'); c = Next(r))
		r->p++;
	if (alone && !IsDigit(c)) {
		w->s[0] = static_cast<char>(sign);
		w->len = 1;
		r->from = nullptr;
	}
	size_t n = 0;
	for (; r->from != nullptr && c > 0 && !IsSpace(c); c = Next(r)) {
		if (n < sizeof w->stop)
			w->stop[n++] = static_cast<char>(c);
		digits = digits || IsDigit(c);
		r->p++;
	}
	w->digits = digits;
	return c == 0 && r->from != nullptr ? Kind::kNotText : Kind::kNotNumber;
}

} // namespace

Kind ReadWord(Input* in, Word* w)
{
	Cursor r{in, w, in->pos, nullptr};
	int c;
	long long lines = in->lines;
	for (; IsSpace(c = Next(&r)); r.p++)
		lines += c == '\n';
	in->lines = lines;
	w->line = lines + 1;
	w->len = 0;
	r.from = r.p;
	int sign = c == '-' || c == '+' ? c : 0;
	if (sign != 0)
		c = (r.p++, Next(&r));
	unsigned long long value = 0;
	bool digits = IsDigit(c);
	for (; IsDigit(c); c = Next(&r)) {
		if (value <= INT_MAX)
			value = value * 10 + static_cast<unsigned>(c - '0');
		if (++r.p == in->end && sign == '-' && value != 0 &&
		    !in->seekable)
			break;
	}
	bool known = sign == '-' && value != 0;
	w->value = !known            ? static_cast<int>(value)
	           : value > INT_MAX ? INT_MIN
	                             : -static_cast<int>(value);
	Kind kind = c < 0 && !digits && sign == 0 ? Kind::kEnd
	            : known || (digits && (c < 0 || IsSpace(c)))
	                    ? (known || value <= INT_MAX ? Kind::kScore
	                                                 : Kind::kTooLarge)
	                    : ReadRest(&r, c, sign, digits);
	if (kind != Kind::kScore && r.from != nullptr)
		Keep(w, r.from, r.p);
	in->pos = r.p;
	if (kind != Kind::kScore || in->error != 0)
		w->offset = Offset(*in) - UnitBytes(*in) * w->len;
	if (in->error != 0) // cut by a read error
		kind = Kind::kEnd;
	return w->kind = kind;
}
