// score-rank: reads whole-number scores from standard input until the first
// negative number or the end of the input, writes how many it ranked and
// lists them from highest to lowest.  Of more than 40 scores it ranks the 40
// highest and says on standard error how many were left out.  Input that is
// not a whole number, or a score above 2147483647, ends the list with a
// notice.  What follows the list in a file is left unread.  --help and
// --version are answered; any other argument is named in a notice, since
// scores come only from standard input.  On Windows, in a console window
// opened for the program alone, it waits for Enter before the window closes.
// The exit status is 0, or 1 when reading or writing failed.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "data_sort.h"

namespace {

constexpr int kMaxScores = 40; // the table also holds the terminating value
constexpr int kShownText = 20; // bytes of a text quoted in a notice

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

void Keep(Text* text, const char* from, const char* to)
{
	for (; from != to && text->len < static_cast<int>(sizeof text->s);
	     from++)
		text->s[text->len++] = *from;
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
		Keep(text, in->pos, in->pos + 1);
		in->pos++;
		c = Peek(in);
	}
	if (!IsDigit(c))
		return Got::kNotNumber;
	// The digits, a block at a time.  They are kept for a notice only when
	// the block is about to be read over or the value is too large: a
	// value in range needs no notice, and most are in one block.
	long long magnitude = 0;
	do {
		const char* digit = in->pos;
		for (; digit != in->end && IsDigit(*digit); digit++) {
			if (magnitude <= INT_MAX)
				magnitude = magnitude * 10 + (*digit - '0');
		}
		if (digit == in->end || magnitude > INT_MAX)
			Keep(text, in->pos, digit);
		in->pos = digit;
	} while (IsDigit(Peek(in)));
	if (!negative && magnitude > INT_MAX)
		return Got::kTooLarge;
	if (negative)
		magnitude = -magnitude;
	*value = magnitude < INT_MIN ? INT_MIN : static_cast<int>(magnitude);
	return Got::kValue;
}

// A text as a notice quotes it: each byte that is not printable ASCII shown
// as '?', so that no input can play tricks on a terminal, and a text longer
// than kShownText bytes cut there and followed by "...".
struct Shown {
	char s[kShownText + sizeof "..."];
};

Shown Quote(const char* text, size_t len)
{
	Shown shown;
	size_t n = len < kShownText ? len : kShownText;
	for (size_t i = 0; i < n; i++) {
		unsigned char b = text[i];
		shown.s[i] = b >= ' ' && b <= '~' ? static_cast<char>(b) : '?';
	}
	if (len > n)
		memcpy(shown.s + n, "...", sizeof "...");
	else
		shown.s[n] = '\0';
	return shown;
}

// Reads the rest of a bad token, up to white space or the end of input, and
// says on standard error where reading stopped and why.
void ReportStop(Input* in, Text* text, const char* why)
{
	int c;
	while ((c = Peek(in)) != EOF && !IsSpace(c)) {
		Keep(text, in->pos, in->pos + 1);
		in->pos++;
	}
	fprintf(stderr, "score-rank: stopped reading at \"%s\": %s\n",
	        Quote(text->s, text->len).s, why);
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

// A full table keeps the kMaxScores highest scores as a ring sorted from
// highest to lowest: from the slot after *low, round past the last slot to
// slot 0, down to *low, which holds the lowest.  A score above the lowest
// takes the lowest's slot, which is then the top of the ring, and moves down
// past the kept scores higher than it.  So a new highest, as each score of an
// ascending list is, costs two comparisons, and a new lowest kMaxScores - 1
// moves.  A score equal to the lowest kept is left out.
void KeepHighest(int* scores, int* low, int value)
{
	if (value <= scores[*low])
		return;
	int at = *low;
	*low = (at == 0 ? kMaxScores : at) - 1;
	for (int moves = 1; moves < kMaxScores; moves++) {
		int below = at == kMaxScores - 1 ? 0 : at + 1;
		if (scores[below] <= value)
			break;
		scores[at] = scores[below];
		at = below;
	}
	scores[at] = value;
}

// Writes the prompt, then reads scores into the table until the first
// negative value, which is stored after the last score.  Returns the number
// of scores ranked: all of them, or the kMaxScores highest; the others are
// counted.  End of input, or a token that is not a score, ends the list like
// a negative value.  Sets *readFailed when standard input could not be read.
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
	int low = kMaxScores - 1; // the lowest kept, once the table is full
	Got got;
	while ((got = ReadValue(&in, &value, &text)) == Got::kValue &&
	       value >= 0) {
		if (count < kMaxScores) {
			scores[count++] = value;
			continue;
		}
		if (leftOut++ == 0) // the ring starts sorted, lowest last
			DataSortExchange(scores, kMaxScores);
		KeepHighest(scores, &low, value);
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
		        "score-rank: only the %d highest scores are ranked; "
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

// What --help says, in the terms of the system the program runs on.
#ifdef _WIN32
#define SCORE_RANK_COMMAND "score-rank.exe"
#define SCORE_RANK_FILE_FORMS                                                  \
	"  score-rank.exe < FILE   or   type FILE | score-rank.exe"            \
	"   (Command Prompt)\n"                                                \
	"  type FILE | .\\score-rank.exe   (PowerShell)\n"
#define SCORE_RANK_END_KEYS "Ctrl+Z then Enter"
#define SCORE_RANK_MANUAL "score-rank.txt, beside the program"
#else
#define SCORE_RANK_COMMAND "score-rank"
#define SCORE_RANK_FILE_FORMS "  score-rank < FILE\n"
#define SCORE_RANK_END_KEYS "Ctrl+D at the start of a line"
#define SCORE_RANK_MANUAL "man score-rank"
#endif

constexpr char kUsage[] =
        "usage: " SCORE_RANK_COMMAND " [--help | --version]\n"
        "\n"
        "Ranks the scores of a group of students.  Type the scores as\n"
        "whole numbers from 0 to 2147483647, separated by spaces or line\n"
        "breaks, and end the list with a negative number such as -1, or\n"
        "with the end of the input (" SCORE_RANK_END_KEYS ").\n"
        "It says how many scores it ranked and lists them from highest to\n"
        "lowest; of more than 40 scores, it ranks the 40 highest.\n"
        "\n"
        "To rank the scores in a file:\n" SCORE_RANK_FILE_FORMS "\n"
        "The manual: " SCORE_RANK_MANUAL "\n";
constexpr char kVersion[] = "score-rank " SCORE_RANK_VERSION "\n";

enum class Ask { kRank, kHelp, kVersion };

// Whether two strings are the same.  The C library's string functions are
// each bound when the program starts, which costs more than this loop.
bool Same(const char* a, const char* b)
{
	while (*a == *b && *a != '\0') {
		a++;
		b++;
	}
	return *a == *b;
}

bool IsHelp(const char* arg)
{
#ifdef _WIN32
	if (Same(arg, "/?"))
		return true;
#endif
	return Same(arg, "--help") || Same(arg, "-h");
}

// What the arguments ask for: the first --help or --version decides.  Scores
// come only from standard input, so any other argument, such as the name of
// a file of scores, is named in one notice and the scores are ranked as
// without it.
Ask ReadArguments(int argc, char** argv)
{
	for (int i = 1; i < argc; i++) {
		if (IsHelp(argv[i]))
			return Ask::kHelp;
		if (Same(argv[i], "--version"))
			return Ask::kVersion;
	}
	if (argc == 1)
		return Ask::kRank;
	Text arg{0, {}};
	const char* end = argv[1];
	while (*end != '\0')
		end++;
	Keep(&arg, argv[1], end);
	fprintf(stderr,
	        "score-rank: ignoring \"%s\"%s: scores are read from standard "
	        "input (" SCORE_RANK_COMMAND " < FILE)\n",
	        Quote(arg.s, arg.len).s,
	        argc > 2 ? " and the other arguments" : "");
	return Ask::kRank;
}

// Flushes standard output; the exit status, 1 when it could not be written
// or failed is set.
int Finish(bool failed)
{
	if (fflush(stdout) == EOF || ferror(stdout) != 0) {
		fprintf(stderr, "score-rank: write error: %s\n",
		        strerror(errno));
		return 1;
	}
	return failed ? 1 : 0;
}

#ifdef _WIN32
// Whether the program has a console window of its own, which closes when it
// exits: started from Explorer, a shortcut or start, it is the only process
// of its console, that console is both its standard input and output, and
// the window is shown (Wine in a Unix terminal shows none).  user32.dll, for
// IsWindowVisible, is loaded only then; it is one of the DLLs that Windows
// loads from its own folder alone.
bool OwnsConsoleWindow()
{
	DWORD processes[2];
	DWORD mode;
	if (GetConsoleProcessList(processes, 2) != 1 ||
	    !GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ||
	    !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode))
		return false;
	HWND window = GetConsoleWindow();
	if (window == nullptr)
		return false;
	using Visible = BOOL(WINAPI*)(HWND);
	HMODULE user32 = LoadLibraryA("user32.dll");
	FARPROC visible =
	        user32 ? GetProcAddress(user32, "IsWindowVisible") : nullptr;
	return visible != nullptr &&
	       reinterpret_cast<Visible>(reinterpret_cast<void*>(visible))(
	               window);
}

// Keeps the window open until the user has read it: waits for an Enter typed
// from now on, not one typed ahead, or for the end of input (Ctrl+Z).  The
// console is read directly, since the runtime remembers an earlier Ctrl+Z.
void WaitForEnter()
{
	printf("\n\nPress Enter to close this window.");
	fflush(stdout);
	HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
	FlushConsoleInputBuffer(in);
	char line[256];
	DWORD n;
	while (ReadFile(in, line, sizeof line, &n, nullptr) && n > 0 &&
	       memchr(line, '\n', n) == nullptr) {
	}
}
#endif

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
	// Notices carry the same bytes on every system: no CR before the LF.
	_setmode(_fileno(stderr), _O_BINARY);
#endif
	bool readFailed = false;
	Ask ask = ReadArguments(argc, argv);
	if (ask == Ask::kRank) {
		int scores[kMaxScores + 1];
		int count = ReadScore(scores, &readFailed);
		printf("Total students are %d\n", count);
		DataSortExchange(scores, count);
		PrintScore(scores, count);
	} else {
		printf("%s", ask == Ask::kHelp ? kUsage : kVersion);
	}
	int status = Finish(readFailed);
#ifdef _WIN32
	if (OwnsConsoleWindow())
		WaitForEnter();
#endif
	return status;
}
