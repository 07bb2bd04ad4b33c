// score-rank: reads whole-number scores from standard input until the first
// negative number, writes how many were entered and lists them from highest
// to lowest.  The first 40 scores are ranked and any further ones counted.
// Input that is not a whole number, or a score above 2147483647, ends the
// list with a notice on standard error.  What follows the list in a file is
// left unread.  The exit status is 0, or 1 when reading or writing failed.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "data_sort.h"

namespace {

constexpr int kMaxScores = 40; // the table also holds the terminating value
constexpr int kShownText = 20; // bytes of a bad token quoted in a notice

// Standard input, read in blocks straight from descriptor 0.  A read returns
// what is available, so the program never waits for more input than the
// value in hand needs.  The block size is a build setting: 16 KiB blocks read
// as fast as larger ones, and the peak memory stays the same whatever the
// length of the input; test builds use tiny blocks so that every token
// crosses a refill somewhere.
static_assert(SCORE_RANK_READ_BLOCK > 0, "a read block holds at least a byte");
struct Input {
	const char* pos;
	const char* end;
	bool ended; // end of input or a read error has been seen
	int error;  // errno of the read error, or 0
	char buf[SCORE_RANK_READ_BLOCK];
};

// Reads the next block; false at the end of input or on a read error.  Either
// is remembered, so no read follows it: at a terminal, another read would
// wait for the user again.
bool Refill(Input* in)
{
	while (!in->ended) {
#ifdef _WIN32
		int n = _read(0, in->buf, sizeof in->buf);
#else
		ssize_t n = read(STDIN_FILENO, in->buf, sizeof in->buf);
#endif
		if (n > 0) {
			in->pos = in->buf;
			in->end = in->buf + n;
			return true;
		}
		if (n < 0 && errno == EINTR)
			continue;
		in->ended = true;
		in->error = n < 0 ? errno : 0;
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

bool IsSpace(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(int c)
{
	return c >= '0' && c <= '9';
}

// The first bytes of the token being read, for a notice.  One byte more than
// is shown is kept, to tell whether the token has to be cut.
struct Text {
	int len;
	char s[kShownText + 1];
};

void Keep(Text* text, int c)
{
	if (text->len < static_cast<int>(sizeof text->s))
		text->s[text->len++] = static_cast<char>(c);
}

enum class Got { kValue, kEnd, kNotNumber, kTooLarge };

// Reads one value as "%d" does: white space, an optional sign, then decimal
// digits; the byte after the digits stays for the next read.  The magnitude
// stops growing once past INT_MAX, so digits of any length are read in
// constant space without overflow.  A negative value below INT_MIN, which
// only ends the input, is stored as INT_MIN.
Got ReadValue(Input* in, int* value, Text* text)
{
	int c;
	while (IsSpace(c = Peek(in)))
		in->pos++;
	if (c == EOF)
		return Got::kEnd;
	text->len = 0;
	bool negative = c == '-';
	if (c == '-' || c == '+') {
		Keep(text, c);
		in->pos++;
		c = Peek(in);
	}
	if (!IsDigit(c))
		return Got::kNotNumber;
	long long magnitude = 0;
	do {
		Keep(text, c);
		if (magnitude <= INT_MAX)
			magnitude = magnitude * 10 + (c - '0');
		in->pos++;
	} while (IsDigit(c = Peek(in)));
	if (!negative && magnitude > INT_MAX)
		return Got::kTooLarge;
	if (negative)
		magnitude = -magnitude;
	*value = magnitude < INT_MIN ? INT_MIN : static_cast<int>(magnitude);
	return Got::kValue;
}

// Reads the rest of a bad token, up to white space or the end of input, and
// says on standard error where reading stopped and why.
void ReportStop(Input* in, Text* text, const char* why)
{
	int c;
	while ((c = Peek(in)) != EOF && !IsSpace(c)) {
		Keep(text, c);
		in->pos++;
	}
	char shown[kShownText];
	int n = text->len < kShownText ? text->len : kShownText;
	for (int i = 0; i < n; i++) {
		unsigned char b = text->s[i];
		shown[i] = b >= ' ' && b <= '~' ? static_cast<char>(b) : '?';
	}
	fprintf(stderr, "score-rank: stopped reading at \"%.*s%s\": %s\n", n,
	        shown, text->len > kShownText ? "..." : "", why);
}

// Moves a seekable standard input back over the bytes read ahead but not
// taken, so that what follows the list is left for the next reader of the
// file, as careful utilities leave it.  A pipe or a terminal cannot seek, and
// the failed call changes nothing.  On Windows the runtime keeps what it read
// ahead, as its own scanf does.
void Unread([[maybe_unused]] const Input* in)
{
#ifndef _WIN32
	if (in->pos < in->end)
		lseek(STDIN_FILENO, in->pos - in->end, SEEK_CUR);
#endif
}

// Writes the prompt, then reads scores into the table until the first
// negative value, which is stored after the last score.  Returns the number
// of scores.  Only the first kMaxScores are stored; later ones are counted.
// End of input, or a token that is not a score, ends the list like a negative
// value.  Sets *readFailed when standard input could not be read.
int ReadScore(int* scores, bool* readFailed)
{
	printf("input score:");
	fflush(stdout);

	Input in;
	in.pos = in.end = in.buf;
	in.ended = false;
	in.error = 0;
	Text text;
	int value = -1;
	int count = 0;
	unsigned long long leftOut = 0;
	Got got;
	while ((got = ReadValue(&in, &value, &text)) == Got::kValue &&
	       value >= 0) {
		if (count < kMaxScores)
			scores[count++] = value;
		else
			leftOut++;
	}
	// The terminating value; -1 where the list ended in another way.
	scores[count] = got == Got::kValue ? value : -1;

	if (got == Got::kNotNumber)
		ReportStop(&in, &text, "not a whole number");
	else if (got == Got::kTooLarge)
		ReportStop(&in, &text, "larger than 2147483647");
	Unread(&in);
	if (leftOut > 0)
		fprintf(stderr,
		        "score-rank: only the first %d scores are ranked; "
		        "%llu more were left out\n",
		        kMaxScores, leftOut);
	if (in.error != 0)
		fprintf(stderr, "score-rank: read error: %s\n",
		        strerror(in.error));
	*readFailed = in.error != 0;
	return count;
}

void PrintScore(const int* scores, int count)
{
	for (int i = 0; i < count; i++)
		printf("%d ", scores[i]);
}

} // namespace

int main()
{
	int scores[kMaxScores + 1];
	bool readFailed = false;

#ifdef _WIN32
	// Notices carry the same bytes on every system: no CR before the LF.
	_setmode(_fileno(stderr), _O_BINARY);
#endif

	int count = ReadScore(scores, &readFailed);
	printf("Total students are %d\n", count);
	DataSortExchange(scores, count);
	PrintScore(scores, count);

	if (fflush(stdout) == EOF || ferror(stdout) != 0) {
		fprintf(stderr, "score-rank: write error: %s\n",
		        strerror(errno));
		return 1;
	}
	return readFailed ? 1 : 0;
}
