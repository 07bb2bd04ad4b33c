// score-rank: reads whole-number scores from a file or standard input until
// the first negative number or the end of the input, writes how many it
// read and lists them from highest to lowest: of more than 40, the 40
// highest.
//
// A score is a whole word: an optional sign and decimal digits, from 0 to
// 2147483647.  Any other word is left out with a notice on standard error,
// and the list goes on; input that is not text ends it.  What follows the
// list in a file is left unread; what a pipe or a terminal held after it is
// named.
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
#include "input.h"
#include "notices.h"
#include "platform.h"
#include "score_rank.h"
#include "words.h"

#ifndef SCORE_RANK_VERSION
#define SCORE_RANK_VERSION "(unversioned build)"
#endif

namespace {

constexpr char kVersionNumber[] = SCORE_RANK_VERSION;
constexpr size_t kMaxBlock = 16384;
// From a file or a pipe, the words left out that get a notice of their own.
constexpr long long kNamed = 10;
// Said where a file cannot be set back to the end of the list: no file is
// known that tells its offset but cannot be set back to it.
constexpr char kNotLeft[] = "cannot leave the rest after the list";
static_assert(kKept >= kShownText + 4, "a notice's quote is kept whole");

// One run's dialogue, and what it met.
struct Dialogue {
	bool keyboard; // the input is typed at a terminal
	Notices notices;
	Highest highest;
	Word end;          // the word that ended the list
	long long leftOut; // words that were not scores
	bool notAll;       // a word was not a score, or input failed
	int promptError;   // errno of a failed write of the prompt, or 0
};

// Leaves a word that is not a score out of the list, with a notice: at a
// keyboard each time, from a file or a pipe the first kNamed times.
void LeaveOut(Dialogue* d, const Word& w)
{
	d->leftOut++;
	d->notAll = true;
	if (d->keyboard || d->leftOut <= kNamed)
		SayLeftOut(
		        &d->notices, w.s,
		        static_cast<size_t>(std::min<long long>(w.len, kKept)),
		        w.kind == Kind::kTooLarge, d->keyboard, w.line);
}

// That the input failed, said where the file was named or where named is
// set; the run then fails.
void SayFailed(Dialogue* d, const char* what, bool named, int error)
{
	d->notAll = true;
	SayInputError(&d->notices, what, named, error);
}

// Writes the prompt, then reads scores into the table until the first
// negative value, which is stored after the last score kept, or -1 where
// the list ended in another way.  Returns the number of scores read; the
// table holds them all, in the order read, or of more than kMaxScores the
// highest, in no order.
long long ReadScore(int* scores, Dialogue* d, Input* in)
{
	if (d->keyboard)
		SayHint();
	printf("input score:");
	if (fflush(stdout) == EOF)
		d->promptError = errno;
	Word* w = &d->end;
	for (;;) {
		Kind kind = ReadWord(in, w);
		if (kind == Kind::kScore && w->value >= 0)
			Offer(&d->highest, w->value);
		else if (kind == Kind::kNotNumber || kind == Kind::kTooLarge)
			LeaveOut(d, *w);
		else
			break;
	}
	scores[d->highest.kept] = w->kind == Kind::kScore ? w->value : -1;
	return d->highest.read;
}

// What follows the list.  A file is left just after it for the next reader,
// and a word after it is said where the file was named.  A pipe or a
// terminal is not read again; what the reads held after the list is named.
void FollowEnd(Dialogue* d, Input* in)
{
	bool negative = d->end.kind == Kind::kScore;
	if (!in->seekable) {
		char held[kKept];
		size_t len =
		        negative ? HeldAfter(in, held, kKept, d->keyboard) : 0;
		if (len > 0)
			SayNotRanked(&d->notices, held, std::min(len, kKept));
		return;
	}
	long long at =
	        d->end.kind == Kind::kNotText ? d->end.offset : Offset(*in);
	if (negative && d->notices.name != nullptr && WordFollows(in))
		SayRestUnread(&d->notices, d->end.line);
	if (SeekInput(in->fd, at))
		return;
	SayFailed(d, kNotLeft, true, errno); // GCOVR_EXCL_LINE: no seek fails
}

// The notices that close the list, just before the count line, which
// starts a line of its own where typing ended on an open line.
void SayClosing(Dialogue* d, const Input& in)
{
	if (d->keyboard && EndsLineOpen(in))
		d->notices.lineOpen = IsTerminal(2);
	if (d->end.kind == Kind::kNotText) {
		d->notAll = true;
		SayNotText(&d->notices, d->keyboard, d->end.line);
	}
	const Highest& h = d->highest;
	if (h.read > h.kept)
		SayCut(&d->notices, h.read - h.kept, h.highestLeftOut,
		       TiedWithLowest(h));
	if (in.error != 0)
		SayFailed(d, "read error", false, in.error);
	if (d->leftOut > 0)
		SayWordsLeftOut(
		        &d->notices, d->leftOut,
		        d->keyboard ? 0 : std::max(d->leftOut - kNamed, 0LL));
	if (d->keyboard)
		EndLine(&d->notices);
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
	int scores[kMaxScores + 1];
	Dialogue d{};
	d.keyboard = IsTerminal(fd);
	d.notices =
	        Notices{name, !d.keyboard && IsTerminal(1) && IsTerminal(2)};
	d.highest = Highest{scores, 0, 0, -1, 0};
	char buf[kMaxBlock];
	Input in;
	StartInput(&in, fd, buf, block);
	long long read = ReadScore(scores, &d, &in);
	FollowEnd(&d, &in);
	SayClosing(&d, in);
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
		// A file named is refused by OpenInput, standard input here.
		int fd = name == nullptr ? 0 : OpenInput(name);
		int problem = fd < 0            ? errno
		              : name == nullptr ? InputProblem(fd)
		                                : 0;
		if (problem != 0) {
			Notices notices{name, false};
			SayInputError(&notices, "standard input", false,
			              problem);
			status = 1;
		} else {
			status = Rank(fd, name, block);
		}
	}
	KeepWindowOpen();
	return status;
}
