// The text of an input, a block at a time.  Reads are binary on every
// system, so that the offsets counted here are those of the file, and a
// UTF-16 file arrives as it was saved.

#include "text.h"

#include <cerrno>
#include <cstring>

#include "platform.h"

namespace {

// One read into buf; 0 at the end of input or on a read error, after which
// nothing is read again.
size_t Read(Source* source, char* buf, size_t size)
{
	if (source->ended)
		return 0;
	long n = ReadSome(source->fd, buf, size);
	if (n <= 0) {
		source->ended = true;
		source->error = n < 0 ? errno : 0;
		return 0;
	}
	source->offset += n;
	return static_cast<size_t>(n);
}

// One UTF-16 code unit as one byte.  A surrogate pair becomes the two bytes
// of a UTF-8 character, so that a notice shows it as one.
char Narrow(unsigned unit)
{
	if (unit < 0x80)
		return static_cast<char>(unit);
	if (unit >= 0xD800 && unit < 0xDC00)
		return '\xc0';
	return unit >= 0xDC00 && unit < 0xE000 ? '\x80' : '\xff';
}

// Decodes the bytes [skip, n) of the block, read from the input at offset
// at, into the block; the units, with a NUL after them.
size_t Take(Text* text, size_t skip, size_t n, long long at)
{
	char* raw = text->block + skip;
	n -= skip;
	text->offset = at + static_cast<long long>(skip);
	if (text->order == ByteOrder::kBytes) {
		size_t len = TextLength(raw, n);
		if (len < n) // nothing after a Ctrl+Z is text
			text->source.ended = true;
		if (skip != 0)
			memmove(text->block, raw, len);
		text->block[len] = '\0';
		return len;
	}
	const auto* b = reinterpret_cast<const unsigned char*>(raw);
	size_t units = n / 2;
	size_t high = text->order == ByteOrder::kBig ? 0 : 1;
	if (n % 2 != 0)
		text->carried = b[n - 1];
	for (size_t i = 0; i < units; i++)
		text->block[i] = Narrow(unsigned{b[2 * i + high]} << 8 |
		                        b[2 * i + 1 - high]);
	text->block[units] = '\0';
	return units;
}

// Whether the first n bytes read are the start of a byte-order mark.
bool StartsMark(const unsigned char* b, size_t n)
{
	return (n < 3 && b[0] == 0xEF && (n < 2 || b[1] == 0xBB)) ||
	       (n < 2 && (b[0] == 0xFF || b[0] == 0xFE));
}

} // namespace

// The first block is read until it holds more than the start of a
// byte-order mark, which a person at a keyboard never types, so that a mark
// split over reads is still seen.
size_t StartText(Text* text, int fd, char* block, size_t size)
{
	long long start = InputOffset(fd);
	*text = Text{Source{fd, false, 0, start >= 0, start >= 0 ? start : 0},
	             ByteOrder::kBytes,
	             block,
	             size,
	             0,
	             -1};
	const auto* b = reinterpret_cast<const unsigned char*>(block);
	size_t have = 0;
	do {
		size_t n = Read(&text->source, block + have, size - have);
		if (n == 0)
			break;
		have += n;
	} while (StartsMark(b, have));
	size_t mark = 0;
	if (have >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
		mark = 3;
	} else if (have >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
		text->order = ByteOrder::kLittle;
		mark = 2;
	} else if (have >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
		text->order = ByteOrder::kBig;
		mark = 2;
	}
	return Take(text, mark, have,
	            text->source.offset - static_cast<long long>(have));
}

size_t NextText(Text* text)
{
	for (;;) {
		long long at = text->source.offset;
		size_t have = 0;
		if (text->carried >= 0) { // half a code unit, read before
			text->block[0] = static_cast<char>(text->carried);
			text->carried = -1;
			have = 1;
			at--;
		}
		size_t n = Read(&text->source, text->block + have,
		                text->size - have);
		if (n == 0 && have != 0) {
			// The text ends in half a character: the lone byte, as
			// a byte of its own, not a digit.
			text->order = ByteOrder::kBytes;
			text->offset = at;
			memcpy(text->block, "\xff", 2);
			return 1;
		}
		if (n == 0) {
			text->offset = text->source.offset;
			text->block[0] = '\0';
			return 0;
		}
		size_t units = Take(text, 0, have + n, at);
		if (units != 0)
			return units;
	}
}
