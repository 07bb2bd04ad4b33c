// The input, a block at a time.  Reads are binary on every system, so that
// the offsets counted are those of the file, and UTF-16 arrives as saved.

#include "input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform.h"

namespace {

// One read into buf; 0 at the end of the input or on a read error, after
// which no read follows: at a terminal, it would wait for the user again.
size_t Read(Input* in, char* buf, size_t size)
{
	long n = ReadSome(in->fd, buf, size);
	if (n <= 0) {
		in->ended = true;
		in->error = n < 0 ? errno : 0;
		return 0;
	}
	return static_cast<size_t>(n);
}

// The encoding that the first n bytes give, and the length of their mark.
ByteOrder Mark(const unsigned char* b, size_t n, size_t* len)
{
	*len = n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF ? 3
	       : n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) ||
	                    (b[0] == 0xFE && b[1] == 0xFF))
	               ? 2
	               : 0;
	if (*len == 2)
		return b[0] == 0xFF ? ByteOrder::kLittle : ByteOrder::kBig;
	return ByteOrder::kBytes;
}

// Whether the first n bytes read may be the start of a mark still to come.
bool StartsMark(const unsigned char* b, size_t n)
{
	return (n < 3 && b[0] == 0xEF && (n < 2 || b[1] == 0xBB)) ||
	       (n < 2 && (b[0] == 0xFF || b[0] == 0xFE));
}

char Narrow(unsigned unit)
{
	if (unit < 0x80)
		return static_cast<char>(unit);
	if (unit >= 0xD800 && unit < 0xDC00)
		return '\xc2';
	return unit >= 0xDC00 && unit < 0xE000 ? '\x80' : '\xff';
}

// Decodes the n bytes read to at, from skip on, into units from at; their
// count.
size_t Decode(Input* in, char* at, size_t skip, size_t n)
{
	const char* raw = at + skip;
	n -= skip;
	size_t units = n / 2;
	if (in->order == ByteOrder::kBytes) {
		units = TextLength(raw, n);
		in->ended = in->ended || units < n;
		// A word after a Ctrl+Z is said, a Ctrl+Z at the end alone not.
		in->stopped = std::find_if_not(raw + std::min(units + 1, n),
		                               raw + n, IsSpace) != raw + n;
		memmove(at, raw, units);
	} else {
		const auto* b = reinterpret_cast<const unsigned char*>(raw);
		size_t high = in->order == ByteOrder::kBig ? 0 : 1;
		if (n % 2 != 0)
			in->carried = b[n - 1];
		for (size_t i = 0; i < units; i++)
			at[i] = Narrow(unsigned{b[2 * i + high]} << 8 |
			               b[2 * i + 1 - high]);
	}
	if (in->alsoSpace != 0)
		std::replace(at, at + units, in->alsoSpace, ' ');
	return units;
}

// The first read goes on while it holds no more than the start of a mark,
// which nobody types, so that a mark split over reads is still seen.
size_t ReadFirst(Input* in)
{
	const auto* b = reinterpret_cast<const unsigned char*>(in->block);
	size_t have = 0;
	do {
		size_t n = Read(in, in->block + have, in->size - have);
		if (n == 0)
			break;
		have += n;
	} while (StartsMark(b, have));
	size_t mark;
	in->order = Mark(b, have, &mark);
	in->offset += static_cast<long long>(mark);
	return Decode(in, in->block, mark, have);
}

} // namespace

// A file read from past its start is read from offset 0 up to there, so
// that its mark gives the encoding and its lines are counted.
void StartInput(Input* in, int fd, char* block, size_t room, size_t size)
{
	long long start = InputOffset(fd);
	*in = Input{fd,
	            block,
	            room,
	            size,
	            block,
	            block,
	            std::max(start, 0LL),
	            ByteOrder::kUnknown,
	            -1,
	            start >= 0,
	            false,
	            false,
	            false,
	            0,
	            0,
	            0};
	if (start <= 0 || !SeekInput(fd, 0))
		return;
	in->offset = 0;
	while (Offset(*in) + UnitBytes(*in) <= start && Refill(in) >= 0) {
		long long units = (start - Offset(*in)) / UnitBytes(*in);
		const char* to =
		        in->pos + std::min<long long>(units, in->end - in->pos);
		in->lines += std::count(in->pos, to, '\n');
		in->pos = to;
	}
}

int Refill(Input* in)
{
	bool met = in->endGiven; // a call before this one gave the end
	while (in->pos == in->end && !in->ended) {
		if (in->order == ByteOrder::kUnknown) {
			in->pos = in->block;
			in->end = in->block + ReadFirst(in);
			continue;
		}
		long long next = Offset(*in);
		size_t have = in->carried >= 0 ? 1 : 0;
		size_t n = Read(in, in->block + have, in->size - have);
		if (n == 0)
			break;
		if (have != 0)
			in->block[0] = static_cast<char>(in->carried);
		in->carried = -1;
		in->offset = next;
		in->pos = in->block;
		in->end = in->block + Decode(in, in->block, 0, have + n);
	}
	// UTF-16 that ends in half a unit: one byte more, read after the end,
	// so that a word going on to the end ends there.
	if (in->pos == in->end && met && in->carried >= 0) {
		in->offset = Offset(*in);
		in->order = ByteOrder::kBytes;
		in->block[0] = '\xff';
		in->pos = in->block;
		in->end = in->block + 1;
		in->carried = -1;
	}
	in->endGiven = in->pos == in->end;
	return in->pos != in->end ? static_cast<unsigned char>(*in->pos) : -1;
}

bool ReadOn(Input* in)
{
	const char* was = in->end;
	while (in->end == was && !in->ended) {
		char* at = in->block + (in->end - in->block);
		size_t left = in->room - static_cast<size_t>(at - in->block);
		size_t have = in->carried >= 0 ? 1 : 0;
		if (left <= have + 1)
			return false;
		size_t n = Read(in, at + have, std::min(in->size, left - have));
		if (n == 0)
			break;
		if (have != 0)
			at[0] = static_cast<char>(in->carried);
		in->carried = -1;
		in->end = at + Decode(in, at, 0, have + n);
	}
	return in->end != was;
}

void ReadAsSpace(Input* in, char c)
{
	char* from = in->block + (in->pos - in->block);
	in->alsoSpace = c;
	std::replace(from, from + (in->end - in->pos), c, ' ');
}
