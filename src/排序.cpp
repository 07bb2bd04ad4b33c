// score-rank: reads whole-number scores from a file or standard input until
// the first negative number or the end of the input, writes how many it
// read and lists them from highest to lowest: of more than 40, the 40
// highest.
//
// A score is a whole word: an optional sign and decimal digits, from 0 to
// 2147483647.  Typed at a keyboard, any other word is left out with a
// notice on standard error, and the list goes on; from a file or a pipe,
// such a word ends the list with a notice, and nothing of it is ranked.
// What follows the list in a file is left unread.
//
// The exit status is 0 when every word of the list was a score, 1 when one
// was not, or input could not be read or output written, and 2 for a usage
// error.

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "arguments.h"
#include "data_sort.h"
#include "highest.h"
#include "notices.h"
#include "platform.h"
#include "score_rank.h"
#include "words.h"

#ifndef SCORE_RANK_VERSION
#define SCORE_RANK_VERSION "(unversioned build)"
#endif

namespace {

constexpr char kVersionNumber[] = SCORE_RANK_VERSION;
constexpr size_t kMaxBlock = size_t{1} << 16;

// One run's input, and what it met.
struct Dialogue {
	int fd;
	bool keyboard; // the input is typed at a terminal
	Notices notices;
	bool notAll;     // a word was not a score, or input could not be read
	int promptError; // errno of a failed write of the prompt, or 0
};

// Says what follows the negative number that ended the list, where it would
// otherwise be lost: the rest of the line typed, or the rest of a file
// named.  From standard input, the rest is the next reader's.
void SayAfterEnd(Dialogue* d, Words* words)
{
	if (d->keyboard) {
		char rest[kKept];
		size_t len = RestOfLine(words, rest, sizeof rest);
		if (len > 0)
			SayTypedAfter(&d->notices, rest, std::min(len, kKept));
	} else if (d->notices.name != nullptr) {
		long long line = Line(*words);
		if (MoreWords(words))
			SayRestUnread(&d->notices, line);
	}
}

// Writes the prompt, then reads scores into the table until the first
// negative value, which is stored after the last score kept, or -1 where
// the list ended in another way.  Returns the number of scores read; the
// table holds them all, in the order read, or of more than kMaxScores the
// highest, in no order.
long long ReadScore(int* scores, Dialogue* d, size_t size)
{
	if (d->keyboard)
		SayHint();
	printf("input score:");
	if (fflush(stdout) == EOF)
		d->promptError = errno;

	char block[kMaxBlock + 1];
	Words words;
	StartWords(&words, d->fd, block, size);
	Highest highest{scores, 0, 0, -1, 0};
	Word word;
	int value = -1;
	Got got;
	while ((got = ReadWord(&words, &value, &word, d->keyboard)) !=
	       Got::kEnd) {
		if (got == Got::kValue && value < 0)
			break;
		if (got == Got::kValue) {
			Offer(&highest, value);
			continue;
		}
		d->notAll = true;
		SayWord(&d->notices, word.s,
		        static_cast<size_t>(
		                std::min<long long>(word.len, kKept)),
		        got == Got::kTooLarge, d->keyboard, Line(words));
		if (!d->keyboard)
			break;
	}
	scores[highest.kept] = got == Got::kValue ? value : -1;
	if (got == Got::kValue)
		SayAfterEnd(d, &words);
	LeaveRest(words);
	if (highest.read > highest.kept)
		SayLeftOut(&d->notices, highest.read - highest.kept,
		           highest.highestLeftOut, TiedWithLowest(highest));
	if (words.text.source.error != 0) {
		d->notAll = true;
		SayInputError(&d->notices, words.text.source.error);
	}
	return highest.read;
}

void PrintScore(const int* scores, int count)
{
	for (int i = 0; i < count; i++)
		printf("%d ", scores[i]);
}

// Flushes standard output; the exit status: 1 when output could not be
// written, said with the error of the write that failed (the prompt's where
// that failed), or when a word was not a score or input could not be read.
int Finish(int promptError, bool notAll)
{
	int error = promptError;
	// A runtime may drop what it could not write, and then only ferror
	// tells; errno is still that write's, since nothing was called since.
	if ((fflush(stdout) == EOF || ferror(stdout) != 0) && error == 0)
		error = errno != 0 ? errno : EIO;
	if (error != 0) {
		SayWriteError(error);
		return 1;
	}
	return notAll ? 1 : 0;
}

// Ranks the scores read from fd: the dialogue.
int Rank(int fd, const Arg* name, size_t block)
{
	Dialogue d{fd, IsTerminal(fd), Notices{name, false}, false, 0};
	d.notices.lineOpen = !d.keyboard && IsTerminal(1) && IsTerminal(2);
	int scores[kMaxScores + 1];
	long long read = ReadScore(scores, &d, block);
	printf("Total students are %lld\n", read);
	int count = read < kMaxScores ? static_cast<int>(read) : kMaxScores;
	DataSortExchange(scores, count);
	PrintScore(scores, count);
	return Finish(d.promptError, d.notAll);
}

} // namespace

int Run(int argc, Arg** argv, size_t block)
{
	StartConsole();
	block = std::clamp(block, size_t{3}, kMaxBlock);
	const Arg* name = nullptr;
	int status = 2;
	Ask ask = ReadArguments(argc, argv, &name);
	if (ask == Ask::kHelp) {
		PrintHelp();
		status = Finish(0, false);
	} else if (ask == Ask::kVersion) {
		printf("score-rank %s\n", kVersionNumber);
		status = Finish(0, false);
	} else if (ask == Ask::kRank) {
		int fd = name == nullptr ? 0 : OpenInput(name);
		if (fd < 0) {
			Notices notices{name, false};
			SayInputError(&notices, errno);
			status = 1;
		} else {
			status = Rank(fd, name, block);
		}
	}
	if (OwnsConsoleWindow())
		WaitForEnter();
	return status;
}
