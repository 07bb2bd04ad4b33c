// The reader of scores: blocks read straight from a descriptor, words, the
// byte-order marks, UTF-16, the quoting of notices and the unread rest.
//
// A read returns what is available, so the program never waits for more
// input than the word in hand needs.  Reads are binary on every system: the
// byte counts then match the file, so what is left unread can be sought
// back over, and a UTF-16 file arrives as it was saved.

#include "score_input.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kCtrlZ = '\x1a'; // where Windows text ends
#endif
constexpr long long kKept = sizeof Word::s;

// One read of up to size bytes, again where a signal interrupted it: the
// count, 0 at the end of input, or -1 with errno set.
long ReadSome(int fd, char* buf, size_t size)
{
	long n;
	do {
#ifdef _WIN32
		n = _read(fd, buf, static_cast<unsigned>(size));
#else
		n = read(fd, buf, size);
#endif
	} while (n < 0 && errno == EINTR);
	return n;
}

bool Seekable(int fd)
{
#ifdef _WIN32
	return GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) ==
	       FILE_TYPE_DISK;
#else
	return lseek(fd, 0, SEEK_CUR) >= 0;
#endif
}

// One UTF-16 code unit as one byte: ASCII as itself, any other character as
// a byte that no word of digits holds.  The second half of a surrogate pair
// becomes a UTF-8 continuation byte, so that a notice shows the pair as one
// character.  A code unit a byte keeps the block's offsets in the file.
char Narrow(unsigned unit)
{
	if (unit < 0x80)
		return static_cast<char>(unit);
	return unit >= 0xDC00 && unit <= 0xDFFF ? '\x80' : '\xff';
}

// Makes [from, to) of the block the text in hand, and puts a NUL after it.
void Hand(Input* in, char* from, char* to)
{
	*to = '\0';
	in->pos = from;
	in->end = to;
}

// Makes the n bytes read at raw, which is the block, the text in hand.
void Take(Input* in, char* raw, size_t n)
{
	in->tail = 0;
	if (in->utf16 == 0) {
		char* end = raw + n;
#ifdef _WIN32
		// Ctrl+Z ends Windows text, as the runtime's text mode has it.
		if (void* z = memchr(raw, kCtrlZ, n)) {
			end = static_cast<char*>(z);
			in->tail = static_cast<int>(raw + n - end);
			in->ended = true;
		}
#endif
		Hand(in, raw, end);
		return;
	}
	const unsigned char* b = reinterpret_cast<unsigned char*>(raw);
	size_t units = n / 2;
	size_t high = in->utf16 == kBig ? 0 : 1;
	if (n % 2 != 0) {
		in->odd = raw[n - 1];
		in->tail = 1;
	}
	for (size_t i = 0; i < units; i++)
		in->buf[i] = Narrow(unsigned{b[2 * i + high]} << 8 |
		                    b[2 * i + 1 - high]);
	Hand(in, in->buf, in->buf + units);
}

// Reads the next block; false at the end of input or on a read error.  Either
// is remembered, so no read follows it: at a terminal, another read would
// wait for the user again.
bool Refill(Input* in)
{
	while (!in->ended) {
		size_t carried = 0;
		if (in->utf16 != 0 && in->tail != 0) { // half a code unit
			in->buf[0] = in->odd;
			carried = 1;
		}
		long n =
		        ReadSome(in->fd, in->buf + carried, in->size - carried);
		if (n > 0) {
			Take(in, in->buf, carried + static_cast<size_t>(n));
			if (in->pos != in->end)
				return true;
			continue;
		}
		in->ended = true;
		in->error = n < 0 ? errno : 0;
		if (carried != 0) { // text that ends in half a character
			in->buf[0] = '\xff';
			Hand(in, in->buf, in->buf + 1);
			in->tail = 0;
			in->half = true;
			return true;
		}
	}
	return false;
}

// The byte at the read position, or EOF.
int Peek(Input* in)
{
	if (in->pos == in->end && !Refill(in))
		return EOF;
	return static_cast<unsigned char>(*in->pos);
}

// Takes the bytes [from, to) into the word: counts them, and keeps those
// that fall in its first sizeof word->s.
void Keep(Word* word, const char* from, const char* to)
{
	for (; from != to && word->len < kKept; from++)
		word->s[word->len++] = *from;
	word->len += to - from;
}

// Whether the first n bytes read are the start of a byte-order mark.
bool StartsMark(const unsigned char* b, size_t n)
{
	return (n < 3 && b[0] == 0xEF && (n < 2 || b[1] == 0xBB)) ||
	       (n < 2 && (b[0] == 0xFF || b[0] == 0xFE));
}

// Takes the rest of a negative number's digits: those in hand and, from a
// seekable input, those after them, so that the next reader of a file starts
// after the number.  A pipe or a terminal is not read again: the number has
// ended the list, and another read could wait for the writer.
void SkipDigits(Input* in)
{
	for (;;) {
		while (in->pos != in->end && IsDigit(*in->pos))
			in->pos++;
		if (in->pos != in->end || !Seekable(in->fd) || !Refill(in))
			return;
	}
}

} // namespace

Shown Quote(const char* text, size_t len)
{
	Shown shown;
	size_t n = len < kShownText ? len : kShownText;
	size_t at = 0;
	for (size_t i = 0; i < n; i++) {
		auto b = static_cast<unsigned char>(text[i]);
		bool continues =
		        b >= 0x80 && b < 0xC0 && i > 0 &&
		        static_cast<unsigned char>(text[i - 1]) >= 0x80;
		if (!continues)
			shown.s[at++] = b >= ' ' && b <= '~'
			                        ? static_cast<char>(b)
			                        : '?';
	}
	if (len > n)
		memcpy(shown.s + at, "...", sizeof "...");
	else
		shown.s[at] = '\0';
	return shown;
}

int OpenInput(const Arg* name)
{
#ifdef _WIN32
	return _wopen(name, _O_RDONLY | _O_BINARY);
#else
	return open(name, O_RDONLY);
#endif
}

bool IsTerminal(int fd)
{
#ifdef _WIN32
	DWORD mode;
	return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)),
	                      &mode) != 0;
#else
	return isatty(fd) != 0;
#endif
}

// The first block is read until it holds more than the start of a
// byte-order mark, which a person at a keyboard never types, so that a mark
// split over reads is still seen.
void StartInput(Input* in, int fd, char* buf, size_t size)
{
#ifdef _WIN32
	_setmode(fd, _O_BINARY);
#endif
	*in = Input{fd, buf, size, buf, buf, false, 0, 0, 0, 0, false, 0};
	const auto* b = reinterpret_cast<unsigned char*>(buf);
	size_t have = 0;
	while (have == 0 || StartsMark(b, have)) {
		long n = ReadSome(fd, buf + have, size - have);
		if (n <= 0) {
			in->ended = true;
			in->error = n < 0 ? errno : 0;
			break;
		}
		have += static_cast<size_t>(n);
	}
	size_t mark = 0;
	if (have >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
		mark = 3;
	} else if (have >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
		in->utf16 = kLittle;
		mark = 2;
	} else if (have >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
		in->utf16 = kBig;
		mark = 2;
	}
	Take(in, buf + mark, have - mark);
}

Got ReadWord(Input* in, int* value, Word* word)
{
	int c;
	while (IsSpace(c = Peek(in)))
		in->pos++;
	if (c == EOF)
		return Got::kEnd;
	word->len = 0;
	bool negative = c == '-';
	if (c == '-' || c == '+') {
		Keep(word, in->pos, in->pos + 1);
		in->pos++;
		c = Peek(in);
	}
	if (!IsDigit(c))
		return Got::kNotNumber;
	// The magnitude stops growing once past INT_MAX, so a value too large
	// is known without overflow.  The digits are kept for a notice only
	// when the block is about to be read over or the word is not a score.
	long long magnitude = 0;
	for (;;) {
		const char* from = in->pos;
		const char* digit = from;
		for (; digit != in->end && IsDigit(*digit) &&
		       magnitude <= INT_MAX;
		     digit++)
			magnitude = magnitude * 10 + (*digit - '0');
		in->pos = digit;
		if (negative && magnitude != 0) {
			SkipDigits(in);
			*value = magnitude > -static_cast<long long>(INT_MIN)
			                 ? INT_MIN
			                 : static_cast<int>(-magnitude);
			return Got::kValue;
		}
		bool inHand = digit != in->end;
		if (magnitude > INT_MAX || (inHand && !IsSpace(*digit))) {
			Keep(word, from, digit);
			return magnitude > INT_MAX ? Got::kTooLarge
			                           : Got::kNotNumber;
		}
		if (inHand)
			break;
		Keep(word, from, digit);
		if (!Refill(in))
			break;
	}
	*value = static_cast<int>(magnitude); // -0 is 0
	return Got::kValue;
}

Got FinishWord(Input* in, Word* word, Got got, bool whole)
{
	// ReadWord finds a word too large while it holds only digits.
	bool digits = got == Got::kTooLarge;
	int c;
	while ((whole || word->len < kKept) && (c = Peek(in)) != EOF &&
	       !IsSpace(c)) {
		digits = digits && IsDigit(c);
		Keep(word, in->pos, in->pos + 1);
		in->pos++;
	}
	if (!whole && word->len > kShownText)
		in->returned = word->len - kShownText;
	return digits ? Got::kTooLarge : Got::kNotNumber;
}

// A pipe or a terminal cannot seek, and the failed call changes nothing.
void Unread(const Input* in)
{
	long long units = in->end - in->pos + in->returned;
	// A UTF-16 unit is two bytes, but for the lone byte the text ended in,
	// which is the last of any units given back.
	long long back =
	        in->utf16 == 0 ? units : 2 * units - (units > 0 && in->half);
	back += in->tail;
	if (back == 0)
		return;
#ifdef _WIN32
	if (Seekable(in->fd))
		_lseeki64(in->fd, -back, SEEK_CUR);
#else
	lseek(in->fd, static_cast<off_t>(-back), SEEK_CUR);
#endif
}
