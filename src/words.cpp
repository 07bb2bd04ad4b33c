// The words of a text, beyond the inline read of a score: blocks crossed,
// a word that is not a score read on, lines counted, and the file left
// after what the list took.

#include "words.h"

#include <cstring>

#include "platform.h"

namespace {

long long Offset(const Words& w, const char* at)
{
	return w.text.offset + UnitBytes(w.text) * (at - w.text.block);
}

long long CountLines(const char* from, const char* to)
{
	long long lines = 0;
	while (const void* feed = memchr(from, '\n',
	                                 static_cast<size_t>(to - from))) {
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
	auto kept = static_cast<long long>(kKept);
	if (word->len < kept)
		std::copy(from, std::min(to, from + (kept - word->len)),
		          word->s + word->len);
	word->len += to - from;
}

} // namespace

void StartWords(Words* words, int fd, char* block, size_t size)
{
	size_t units = StartText(&words->text, fd, block, size);
	*words = Words{words->text, block, block + units, 0, -1};
}

bool NextBlock(Words* w)
{
	w->lines += CountLines(w->text.block, w->end);
	size_t units = NextText(&w->text);
	w->pos = w->text.block;
	w->end = w->text.block + units;
	return units != 0;
}

bool Carry(Words* w, Word* word, const char** from)
{
	Keep(*w, word, *from, w->pos);
	bool more = NextBlock(w);
	*from = w->pos;
	return more;
}

Got FinishWord(Words* w, Word* word, const char* from, Got got, bool whole)
{
	auto kept = static_cast<long long>(kKept);
	for (;;) {
		while (w->pos != w->end && !IsSpace(*w->pos) &&
		       (whole || word->len + (w->pos - from) < kept))
			w->pos++;
		if (w->pos != w->end ||
		    (!whole && word->len + (w->pos - from) >= kept) ||
		    !Carry(w, word, &from))
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

long long Line(const Words& w)
{
	return w.lines + CountLines(w.text.block, w.pos) + 1;
}

std::string_view RestInHand(const Words& w)
{
	const char* from = w.pos;
	const char* to = w.end;
	while (from != to && IsSpace(*from))
		from++;
	while (to != from && IsSpace(to[-1]))
		to--;
	return {from, static_cast<size_t>(to - from)};
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
