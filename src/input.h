// The input, a block at a time: its byte-order mark taken, UTF-16 decoded
// a unit to a byte, and where each block stands in the input, so that a
// file can be left where the list ended.

#ifndef SCORE_RANK_INPUT_H
#define SCORE_RANK_INPUT_H

#include <cstddef>

// How the input encodes its text.  A UTF-16 unit becomes one byte: ASCII
// as itself, a surrogate pair the two bytes of U+0080 (which a notice
// shows as one '?'), any other character 0xFF, which no score holds.
enum class ByteOrder { kUnknown, kBytes, kLittle, kBig };

struct Input {
	int fd;
	char* block;      // the caller's, room bytes
	size_t room;      // which the first line may fill, read ahead
	size_t size;      // the bytes a read asks for
	const char* pos;  // the next unit to read
	const char* end;  // just after the last unit in the block
	long long offset; // where block[0] stands in the input
	ByteOrder order;  // kUnknown until the first read has seen the mark
	int carried;     // the first byte of a UTF-16 unit still to come, or -1
	bool seekable;   // a file, whose offset can be set
	bool ended;      // the end or a read error was met: no read follows
	bool endGiven;   // Refill has given the end
	bool stopped;    // a word follows a Ctrl+Z that ended the text
	int error;       // errno of the read error, or 0
	long long lines; // line feeds before pos, from the start of the file
	char alsoSpace;  // a separator read as white space, or 0
};

// White space: ' ', '\t', '\n', '\v', '\f' and '\r'.
inline bool IsSpace(int c)
{
	constexpr unsigned long long kSpaces = 1ULL << ' ' | 1ULL << '\t' |
	                                       1ULL << '\n' | 1ULL << '\v' |
	                                       1ULL << '\f' | 1ULL << '\r';
	return static_cast<unsigned>(c) <= ' ' && (kSpaces >> c & 1) != 0;
}

inline bool IsDigit(int c)
{
	return c >= '0' && c <= '9';
}

// Starts reading fd into block, of room bytes, size bytes a read.  A file
// read from past its start takes its encoding from the mark at offset 0,
// and its lines are counted from there.
void StartInput(Input* in, int fd, char* block, size_t room, size_t size);

// Reads and decodes the next block; its first unit, or -1 at the end of the
// input or on a read error.  UTF-16 that ends in half a unit has that byte
// as a block of its own, which a call after the end gives.
int Refill(Input* in);

// Reads on after the block's end, where the block has room: whether units
// were added.  What was read stays where it is.
bool ReadOn(Input* in);

// Reads c as white space from the read position on.
void ReadAsSpace(Input* in, char c);

// The unit at the read position, or -1 at the end of the input.
inline int Peek(Input* in)
{
	return in->pos != in->end ? static_cast<unsigned char>(*in->pos)
	                          : Refill(in);
}

// The bytes in the input of one unit of the block.
inline long long UnitBytes(const Input& in)
{
	return in.order == ByteOrder::kLittle || in.order == ByteOrder::kBig
	               ? 2
	               : 1;
}

// Where the read position stands in the input.
inline long long Offset(const Input& in)
{
	return in.offset + UnitBytes(in) * (in.pos - in.block);
}

#endif
