// score-rank: reads whole-number scores from a file or standard input until
// the first negative number or the end of the input, writes how many it
// ranked and lists them from highest to lowest.
//
// A score is a whole word: an optional sign and decimal digits, from 0 to
// 2147483647.  Typed at a keyboard, any other word is left out with a
// notice on standard error, and the list goes on; from a file or a pipe,
// such a word ends the list with a notice, and nothing of it is ranked.  Of
// more than 40 scores it ranks the 40 highest and says how many were left
// out.  A byte-order mark is taken, and UTF-16 text read as such.  What
// follows the list in a file is left unread.  At a keyboard, a line on
// standard error says how to end the list.  On Windows, in a console window
// opened for the program alone, it waits for Enter before the window closes.
//
// The exit status is 0 when every word of the list was a score, 1 when one
// was not, or input could not be read or output written, and 2 for a usage
// error.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <type_traits>

#include "data_sort.h"
#include "score_input.h"
#include "windows_console.h"

// Build settings, with the defaults of a plain compiler run.  The block and
// the pool that the 40 highest are chosen from live on the stack: 16 KiB
// reads as fast as larger blocks, and 1024 scores make the cuts of the pool
// cheap.  Test builds use tiny ones, so that every word crosses a refill
// somewhere and the pool is cut often.
#ifndef SCORE_RANK_READ_BLOCK
#define SCORE_RANK_READ_BLOCK 16384
#endif
#ifndef SCORE_RANK_POOL
#define SCORE_RANK_POOL 1024
#endif
#ifndef SCORE_RANK_VERSION
#define SCORE_RANK_VERSION "(unversioned build)"
#endif
static_assert(SCORE_RANK_READ_BLOCK >= 3 && SCORE_RANK_READ_BLOCK <= 1 << 20,
              "a read block holds a byte-order mark and fits on the stack");

namespace {

constexpr int kMaxScores = 40; // the table also holds the terminating value
constexpr int kPool = SCORE_RANK_POOL; // scores the highest are chosen from
static_assert(kPool > kMaxScores && kPool <= 1 << 16,
              "a pool holds more than the scores kept and fits on the stack");

// What --help says, in the terms of the system the program runs on.
#ifdef _WIN32
constexpr bool kWindows = true;
#define ARG(text) L"" text
#define SCORE_RANK_COMMAND "score-rank.exe"
#define SCORE_RANK_FILE_FORMS                                                  \
	"  drop the file onto score-rank.exe, or in Command Prompt:\n"         \
	"  score-rank.exe FILE   or   score-rank.exe < FILE\n"                 \
	"  and in PowerShell:   .\\score-rank.exe FILE\n"
#define SCORE_RANK_MANUAL "score-rank.txt, beside the program"
#else
constexpr bool kWindows = false;
#define ARG(text) text
#define SCORE_RANK_COMMAND "score-rank"
#define SCORE_RANK_FILE_FORMS "  score-rank FILE   or   score-rank < FILE\n"
#define SCORE_RANK_MANUAL "man score-rank"
#endif

#define SCORE_RANK_USAGE                                                       \
	"usage: " SCORE_RANK_COMMAND " [--help | --version] [FILE]\n"

constexpr char kUsage[] = SCORE_RANK_USAGE
        "\n"
        "Ranks the scores of a group of students.  Type the scores as\n"
        "whole numbers from 0 to 2147483647, separated by spaces or line\n"
        "breaks, and end the list with a negative number such as -1.\n"
        "It says how many scores it ranked and lists them from highest to\n"
        "lowest; of more than 40 scores, it ranks the 40 highest.\n"
        "A word typed that is not a score is left out, with a notice, and\n"
        "the list goes on; in a file, the list ends at such a word.\n"
        "\n"
        "To rank the scores in a file:\n" SCORE_RANK_FILE_FORMS "\n"
        "The exit status is 0 when every word of the list was a score, 1\n"
        "when one was not or a file could not be read or written, and 2 for\n"
        "a wrong argument.\n"
        "The manual: " SCORE_RANK_MANUAL "\n";
constexpr char kVersionLine[] = "score-rank " SCORE_RANK_VERSION "\n";
constexpr char kHint[] =
        "Type the scores, then -1 and Enter to end the list.\n";

// What a run has met, for its notices and its exit status.
struct Faults {
	bool lineOpen; // the prompt's line is open on standard error's terminal
	bool notAll;   // a word was not a score, or input could not be read
	int promptError; // errno of a failed write of the prompt, or 0
};

// What a notice starts with, so that it has a line of its own: a line
// break where the prompt's line is still open on the terminal that standard
// error writes to, which the notice then ends.
const char* Lead(Faults* faults)
{
	const char* lead = faults->lineOpen ? "\n" : "";
	faults->lineOpen = false;
	return lead;
}

// Says on standard error, after lead, that the input could not be opened or
// read.  A file is named as given, or quoted where it holds a control
// character.
void ReportInputError(const char* lead, const Arg* name, int error)
{
	const char* why = strerror(error);
	if (name == nullptr) {
		fprintf(stderr, "%sscore-rank: read error: %s\n", lead, why);
		return;
	}
	bool plain = true;
	for (const Arg* c = name; *c != 0; c++) {
		auto code = static_cast<std::make_unsigned_t<Arg>>(*c);
		plain = plain && code >= ' ' && code != 0x7f;
	}
	if (plain)
		ReportFile(lead, name, why);
	else
		fprintf(stderr, "%sscore-rank: %s: %s\n", lead,
		        QuoteArg(name).s, why);
}

// Says, after lead, why a word is not a score: where reading stopped at it,
// or, typed at a keyboard, that it was left out and the list goes on.
void ReportWord(const char* lead, const Word& word, Got got, bool typed)
{
	const char* why = got == Got::kTooLarge ? "larger than 2147483647"
	                                        : "not a whole number";
	Shown shown =
	        Quote(word.s, static_cast<size_t>(word.len < kShownText + 1
	                                                  ? word.len
	                                                  : kShownText + 1));
	if (typed)
		fprintf(stderr,
		        "%sscore-rank: left out \"%s\": %s; go on typing\n",
		        lead, shown.s, why);
	else
		fprintf(stderr, "%sscore-rank: stopped reading at \"%s\": %s\n",
		        lead, shown.s, why);
}

// The kMaxScores highest scores of a list, found with the same little work
// for each score whatever the order of the list.  A score above the bar
// joins the pool; a full pool is cut to its kMaxScores highest, and the bar
// raised to the lowest of those.  A score not above the bar is left out,
// and counted for the notice.
struct Highest {
	int pool[kPool];
	int count = 0;
	int bar = -1;
	unsigned long long leftOut = 0;
	int highestLeftOut = -1;
	unsigned long long equalLeftOut = 0; // left out, equal to the highest
};

void LeaveOut(Highest* highest, int score)
{
	highest->leftOut++;
	if (score < highest->highestLeftOut)
		return;
	if (score > highest->highestLeftOut) {
		highest->highestLeftOut = score;
		highest->equalLeftOut = 0;
	}
	highest->equalLeftOut++;
}

// Keeps the kMaxScores highest of the pool, in no order, and leaves out the
// rest.
void Cut(Highest* highest)
{
	int* lowest = highest->pool + kMaxScores - 1;
	std::nth_element(highest->pool, lowest, highest->pool + highest->count,
	                 std::greater<>());
	for (int i = kMaxScores; i < highest->count; i++)
		LeaveOut(highest, highest->pool[i]);
	highest->count = kMaxScores;
	highest->bar = *lowest;
}

void Keep(Highest* highest, int score)
{
	if (score <= highest->bar) {
		LeaveOut(highest, score);
		return;
	}
	highest->pool[highest->count++] = score;
	if (highest->count == kPool)
		Cut(highest);
}

// Says, after lead, how many scores were left out, the highest of them, and
// how many of them equal the lowest score ranked.
void ReportLeftOut(const char* lead, const Highest& highest)
{
#define SCORE_RANK_LEFT_OUT                                                    \
	"%sscore-rank: only the %d highest scores are ranked; %llu more, "     \
	"none above %d, were left out"
	if (highest.highestLeftOut == highest.bar)
		fprintf(stderr,
		        SCORE_RANK_LEFT_OUT
		        " (%llu equal to the lowest ranked)\n",
		        lead, kMaxScores, highest.leftOut,
		        highest.highestLeftOut, highest.equalLeftOut);
	else
		fprintf(stderr, SCORE_RANK_LEFT_OUT "\n", lead, kMaxScores,
		        highest.leftOut, highest.highestLeftOut);
#undef SCORE_RANK_LEFT_OUT
}

// Writes the hint at a keyboard and the prompt, then reads scores from fd
// into the table until the first negative value, which is stored after the
// last score.  Returns the number of scores ranked, highest first: all of
// them, or the kMaxScores highest; the others are counted.  End of
// input ends the list like a negative value.  A word that is not a score is
// left out with a notice where typed at a keyboard; else it ends the list
// with a notice, as a read error does.
int ReadScore(int* scores, int fd, const Arg* name, Faults* faults)
{
	bool keyboard = IsTerminal(fd);
	faults->lineOpen = !keyboard && IsTerminal(1) && IsTerminal(2);
	if (keyboard)
		fputs(kHint, stderr);
	printf("input score:");
	if (fflush(stdout) == EOF)
		faults->promptError = errno;

	char block[SCORE_RANK_READ_BLOCK + 1];
	Input in;
	StartInput(&in, fd, block, SCORE_RANK_READ_BLOCK);
	Word word;
	int value = -1;
	Highest highest;
	Got got;
	for (;;) {
		got = ReadValue(&in, &value, &word);
		if (got == Got::kValue && value >= 0) {
			Keep(&highest, value);
			continue;
		}
		if (got != Got::kNotNumber && got != Got::kTooLarge)
			break;
		got = FinishWord(&in, &word, got, keyboard);
		faults->notAll = true;
		ReportWord(Lead(faults), word, got, keyboard);
		if (!keyboard)
			break;
	}
	Unread(&in);
	if (highest.count > kMaxScores)
		Cut(&highest);
	// Into the table highest first, one by one: a plain copy would bind
	// memcpy at start-up, besides the memmove of the cut.
	int count = highest.count;
	std::partial_sort_copy(highest.pool, highest.pool + count, scores,
	                       scores + count, std::greater<>());
	// The terminating value; -1 where the list ended in another way.
	scores[count] = got == Got::kValue ? value : -1;
	if (highest.leftOut > 0)
		ReportLeftOut(Lead(faults), highest);
	if (in.error != 0) {
		faults->notAll = true;
		ReportInputError(Lead(faults), name, in.error);
	}
	return count;
}

void PrintScore(const int* scores, int count)
{
	for (int i = 0; i < count; i++)
		printf("%d ", scores[i]);
}

enum class Ask { kRank, kHelp, kVersion, kWrong };

// Whether an argument is the given one.
bool Is(const Arg* arg, const Arg* given)
{
#ifdef _WIN32
	return wcscmp(arg, given) == 0;
#else
	return strcmp(arg, given) == 0;
#endif
}

bool IsHelp(const Arg* arg)
{
	return Is(arg, ARG("--help")) || Is(arg, ARG("-h")) ||
	       (kWindows && Is(arg, ARG("/?")));
}

// What the arguments ask for.  The first --help or --version decides.
// Otherwise at most one FILE is named, "-" for standard input; "--" ends the
// options, so that a file named "-5" can be given.  An unknown option or a
// second file is a usage error, said on standard error.
Ask ReadArguments(int argc, Arg** argv, const Arg** name)
{
	*name = nullptr;
	bool named = false;
	bool options = true;
	const Arg* wrong = nullptr; // the first argument in error
	const char* why = nullptr;
	for (int i = 1; i < argc; i++) {
		const Arg* arg = argv[i];
		if (options && IsHelp(arg))
			return Ask::kHelp;
		if (options && Is(arg, ARG("--version")))
			return Ask::kVersion;
		if (options && Is(arg, ARG("--"))) {
			options = false;
			continue;
		}
		bool option = options && arg[0] == '-' && arg[1] != 0;
		if (wrong != nullptr)
			continue;
		if (option || named) {
			wrong = arg;
			why = option ? "unknown option" : "more than one file:";
		} else {
			named = true;
			*name = Is(arg, ARG("-")) ? nullptr : arg;
		}
	}
	if (wrong == nullptr)
		return Ask::kRank;
	fprintf(stderr, "score-rank: %s \"%s\"\n" SCORE_RANK_USAGE, why,
	        QuoteArg(wrong).s);
	return Ask::kWrong;
}

// Flushes standard output; the exit status: 1 when output could not be
// written, said with the error of the write that failed (the prompt's where
// that failed), or when a word was not a score or input could not be read.
int Finish(const Faults& faults)
{
	int error = faults.promptError;
	// A runtime may drop what it could not write, and then only ferror
	// tells; errno is still that write's, since nothing was called since.
	if ((fflush(stdout) == EOF || ferror(stdout) != 0) && error == 0)
		error = errno != 0 ? errno : EIO;
	if (error != 0) {
		fprintf(stderr, "score-rank: write error: %s\n",
		        strerror(error));
		return 1;
	}
	return faults.notAll ? 1 : 0;
}

} // namespace

// Windows gives the arguments in wide characters to wmain.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
	StartConsole();
	const Arg* name;
	int status = 2;
	Ask ask = ReadArguments(argc, argv, &name);
	if (ask == Ask::kHelp || ask == Ask::kVersion) {
		printf("%s", ask == Ask::kHelp ? kUsage : kVersionLine);
		status = Finish(Faults{false, false, 0});
	} else if (ask == Ask::kRank) {
		int fd = name == nullptr ? 0 : OpenInput(name);
		if (fd < 0) {
			ReportInputError("", name, errno);
			status = 1;
		} else {
			int scores[kMaxScores + 1];
			Faults faults{false, false, 0};
			int count = ReadScore(scores, fd, name, &faults);
			printf("Total students are %d\n", count);
			DataSortExchange(scores, count);
			PrintScore(scores, count);
			status = Finish(faults);
		}
	}
	if (OwnsConsoleWindow())
		WaitForEnter();
	return status;
}
