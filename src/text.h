// The text of an input, a block at a time: a descriptor read as it comes,
// a byte-order mark taken, UTF-16 decoded, and where each block stands in
// the input, so that a reader can be left anywhere in a file.

#ifndef SCORE_RANK_TEXT_H
#define SCORE_RANK_TEXT_H

#include <cstddef>

// A descriptor read as it comes.  A read returns what is available, so the
// program never waits for more input than it needs.
struct Source {
	int fd;
	bool ended;       // the end or a read error was met: no more reads
	int error;        // errno of the read error, or 0
	bool seekable;    // fd is a file, whose offset can be set
	long long offset; // of the next byte to read, counted from the start
};

// How the bytes of the input encode its text.  A UTF-16 code unit becomes
// one byte of the block: ASCII as itself, any other character as a byte
// that no score holds.
enum class ByteOrder { kBytes, kLittle, kBig };

// A text decoded into the caller's block, which holds size units and a NUL
// after those in hand, so that a run of digits or white space ends without
// a test for the end of the block.
struct Text {
	Source source;
	ByteOrder order; // kBytes, after UTF-16, for the lone byte it ends in
	char* block;     // size + 1 bytes, at least 3 + 1
	size_t size;
	long long offset; // in the input of block[0]
	int carried;      // half a UTF-16 unit, kept for the next read, or -1
};

// Starts reading fd into block: takes a byte-order mark at the very start,
// and returns the units of the first block.
size_t StartText(Text* text, int fd, char* block, size_t size);

// Reads the next block; the units in it, 0 at the end of the input or on a
// read error.  Either is remembered, so that no read follows it: at a
// terminal, another read would wait for the user again.
size_t NextText(Text* text);

// The bytes in the input of one unit of the block.
inline long long UnitBytes(const Text& text)
{
	return text.order == ByteOrder::kBytes ? 1 : 2;
}

#endif
