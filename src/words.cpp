// The words of a text, beyond the inline read of a score: blocks crossed,
// a word that is not a score read on, lines counted, and the file left
// after what the list took.

#include "words.h"

#include <algorithm>
#include <cstring>

#include "platform.h"

namespace {

constexpr unsigned long long kBeyond = INT_MAX + 1ULL; // any value too large

long long Offset(const Words& w, const char* at)
{
	return w.text.offset + UnitBytes(w.text) * (at - w.text.block);
}

long long CountLines(const char* from, const char* to)
{
	long long lines = 0;
	while (const void* feed =
	               memchr(from, '\n', static_cast<size_t>(to - from))) {
		from = static_cast<const char*>(feed) + 1;
		lines++;
	}
	return lines;
}

// Takes [from, to) into the word: counts the bytes, keeps those that fall
// in its first kKept, and notes where the word starts.
void Keep(const Words& w, Word* word, const char* from, const char* to)
{
	if (word->len == 0) {
		word->offset = Offset(w, from);
		word->unit = UnitBytes(w.text);
	}
	long long room = static_cast<long long>(kKept) - word->len;
	if (room > 0)
		std::copy(from, from + std::min<long long>(to - from, room),
		          word->s + word->len);
	word->len += to - from;
}

// Reads the next block, after counting the lines of this one; false at the
// end of the input.
bool NextBlock(Words* w)
{
	w->lines += CountLines(w->text.block, w->end);
	size_t units = NextText(&w->text);
	w->pos = w->text.block;
	w->end = w->text.block + units;
	return units != 0;
}

// Keeps the bytes [from, pos) of a word, and reads on into the next block;
// false at the end of the input.
bool Carry(Words* w, Word* word, const char* from)
{
	Keep(*w, word, from, w->pos);
	return NextBlock(w);
}

// Adds the digits from p on to the magnitude, which stops growing past
// INT_MAX, so that a value too large is known without overflow; returns
// where the digits end.
const char* AddDigits(const char* p, unsigned long long* magnitude)
{
	for (unsigned digit; (digit = Digit(*p)) <= 9; p++)
		*magnitude = std::min(*magnitude * 10 + digit, kBeyond);
	return p;
}

// Reads the rest of a word that is not a score, from from on: to its end
// where whole, else as far as a notice needs, and marks where the list took
// it to.  Returns got.
Got FinishWord(Words* w, Word* word, const char* from, Got got, bool whole)
{
	auto kept = static_cast<long long>(kKept);
	for (;;) {
		while (w->pos != w->end && !IsSpace(*w->pos) &&
		       (whole || word->len + (w->pos - from) < kept))
			w->pos++;
		if (w->pos != w->end ||
		    (!whole && word->len + (w->pos - from) >= kept))
			break;
		bool more = Carry(w, word, from);
		from = w->pos;
		if (!more)
			break;
	}
	Keep(*w, word, from, w->pos);
	// From a file, the list takes no more of the word than the notice
	// shows, so that the next reader starts right after that.
	auto len = static_cast<size_t>(std::min(word->len, kept));
	auto shown = static_cast<long long>(ShownLength(word->s, len));
	if (!whole && word->len > shown)
		w->cut = word->offset + word->unit * shown;
	return got;
}

} // namespace

void StartWords(Words* words, int fd, char* block, size_t size)
{
	size_t units = StartText(&words->text, fd, block, size);
	*words = Words{words->text, block, block + units, 0, -1};
}

Got ReadOn(Words* w, int* value, Word* word, bool whole, const char* from,
           unsigned long long magnitude)
{
	const char* p = w->pos;
	if (p == from && p == w->end) { // white space to the end of a block
		if (!MoreWords(w))
			return Got::kEnd;
		from = w->pos;
		p = AddDigits(from, &magnitude);
	}
	word->len = 0;
	bool negative = *from == '-';
	if (p == from && (negative || *p == '+')) {
		w->pos = ++p;
		if (p == w->end) {
			Carry(w, word, from);
			from = w->pos;
		}
		p = w->pos;
		if (!IsDigit(*p))
			return FinishWord(w, word, from, Got::kNotNumber,
			                  whole);
		p = AddDigits(p, &magnitude);
	} else if (p == from) {
		return FinishWord(w, word, from, Got::kNotNumber, whole);
	} else if (p - from > 10) { // the inline magnitude may have wrapped
		magnitude = 0;
		AddDigits(from, &magnitude);
	}
	// Digits up to the end of the block go on in the next.  A pipe or a
	// terminal is not read again after a negative number, which has ended
	// the list: the writer may be waiting.
	while (p == w->end &&
	       !(negative && magnitude != 0 && !w->text.source.seekable)) {
		w->pos = p;
		bool more = Carry(w, word, from);
		from = p = w->pos;
		if (!more)
			break;
		p = AddDigits(from, &magnitude);
	}
	w->pos = p;
	if (negative && magnitude != 0) {
		*value = magnitude > INT_MAX ? INT_MIN
		                             : -static_cast<int>(magnitude);
		return Got::kValue;
	}
	bool ends = IsSpace(*p) || p == w->end;
	if (ends && magnitude <= INT_MAX) {
		*value = static_cast<int>(magnitude); // -0 is 0
		return Got::kValue;
	}
	return FinishWord(w, word, from,
	                  ends ? Got::kTooLarge : Got::kNotNumber, whole);
}

long long Line(const Words& w)
{
	return w.lines + CountLines(w.text.block, w.pos) + 1;
}

size_t RestOfLine(Words* w, char* buf, size_t size)
{
	size_t len = 0;
	for (;;) {
		for (; w->pos != w->end && *w->pos != '\n'; w->pos++) {
			if (len == 0 && IsSpace(*w->pos))
				continue;
			if (len < size)
				buf[len] = *w->pos;
			len++;
		}
		auto held = static_cast<size_t>(w->end - w->text.block);
		if (w->pos != w->end || held < w->text.size || !NextBlock(w))
			break;
	}
	while (len > 0 && len <= size && IsSpace(buf[len - 1]))
		len--;
	return len;
}

bool MoreWords(Words* w)
{
	for (;;) {
		while (IsSpace(*w->pos))
			w->pos++;
		if (w->pos != w->end)
			return true;
		if (!NextBlock(w))
			return false;
	}
}

void LeaveRest(const Words& w)
{
	if (w.text.source.seekable)
		SeekInput(w.text.source.fd,
		          w.cut >= 0 ? w.cut : Offset(w, w.pos));
}
