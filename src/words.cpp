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
	const char* end;  // the block's end
	const char* from; // where the word's bytes in the block start
};

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

// Past the block's end: the word's bytes in the block kept, then the next
// block read; its first unit.  The read position is passed in by value, so
// that it stays in a register of the loops that call it.
int NextBlock(Input* in, Word* w, const char* p, const char* from)
{
	if (from != nullptr)
		Keep(w, from, p);
	in->pos = p;
	int c = Refill(in);
	if (c < 0 && from == nullptr) // between words: a byte after the end
		c = Refill(in);
	return c;
}

// The unit at the read position.
inline int Next(Cursor* r)
{
	if (r->p != r->end)
		return static_cast<unsigned char>(*r->p);
	int c = NextBlock(r->in, r->w, r->p, r->from);
	r->p = r->in->pos;
	r->end = r->in->end;
	r->from = r->from != nullptr ? r->p : nullptr;
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

// Skips white space, counting its line feeds; the unit after it.
int SkipSpace(Cursor* r)
{
	int c;
	long long lines = r->in->lines;
	for (; IsSpace(c = Next(r)); r->p++)
		if (c == '\n')
			lines++;
	r->in->lines = lines;
	return c;
}

} // namespace

Kind ReadWord(Input* in, Word* w)
{
	Cursor r{in, w, in->pos, in->end, nullptr};
	int c = SkipSpace(&r);
	w->line = in->lines + 1;
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
		if (++r.p == r.end && sign == '-' && value != 0 &&
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
	if (kind == Kind::kScore && c >= 0) {
		if (!known && *in->pos++ == '\n')
			in->lines++;
		return w->kind = kind;
	}
	w->offset = Offset(*in) - UnitBytes(*in) * w->len;
	// A word that a read error cut is the end.
	return w->kind = in->error != 0 ? Kind::kEnd : kind;
}

bool LineEndsList(const Input& in)
{
	for (const char* p = in.pos; p != in.end && *p != '\n'; p++) {
		if (*p == '\0')
			return true;
		if (*p != '-' || (p != in.block && !IsSpace(p[-1])))
			continue;
		const char* digit = p + 1;
		while (digit != in.end && *digit == '0')
			digit++;
		if (digit != in.end && *digit >= '1' && *digit <= '9')
			return true;
	}
	return false;
}
