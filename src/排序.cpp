// score-rank: reads whole-number scores from a file or standard input until
// the first negative number or the end, writes how many it read and lists
// them from highest to lowest, of more than 40 the 40 highest.  Any word
// that is not a score is left out with a notice, and the list goes on;
// input that is not text ends it.  The exit status is 0 when every word of
// the list was a score, 1 when one was not or input or output failed, and 2
// for a usage error.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "after_list.h"
#include "arguments.h"
#include "data_sort.h"
#include "first_line.h"
#include "highest.h"
#include "notices.h"
#include "quote.h"
#include "score_rank.h"
#include "table.h"
#include "words.h"

#ifndef SCORE_RANK_VERSION
#define SCORE_RANK_VERSION "(unversioned build)"
#endif
// The bytes a read asks for: 16 KiB reads as fast as larger blocks.
#ifndef SCORE_RANK_READ_BLOCK
#define SCORE_RANK_READ_BLOCK 16384
#endif

namespace {

constexpr size_t kBlock = SCORE_RANK_READ_BLOCK;
constexpr size_t kLookAhead = 16384; // bytes a table's first line may take
static_assert(kBlock >= 3, "a block holds a UTF-8 mark");
static_assert(kKept >= kShownText + 4, "a notice's quote is kept whole");
constexpr long long kNamed = 10; // from a file or a pipe, words named
constexpr char kHint[] =
        "Type the scores, then -1 and Enter to end the list.\n";

struct Dialogue {
	bool keyboard; // the input is typed at a terminal
	Notices notices;
	Highest highest;
	const ColumnAsked* column;
	bool table;        // the input is a table
	Word end;          // the word that ended the list
	long long leftOut; // words that were not scores
	bool notAll;       // a word was not a score, or input failed
	bool refused;      // a table's column of scores was not known
	int promptError;   // errno of a failed write of the prompt, or 0
};

// Leaves a word that is not a score out of the list, with a notice: at a
// keyboard each time, from a file or a pipe the first kNamed times.
void LeaveOut(Dialogue* d, const Word& w, const Input& in)
{
	d->leftOut++;
	d->notAll = true;
	if (!d->keyboard && d->leftOut > kNamed)
		return;
	SayAt(&d->notices, d->keyboard ? 0 : w.line, "left out \"%s\": %s%s",
	      Quote(w.s, static_cast<size_t>(std::min<long long>(w.len, kKept)))
	              .s,
	      Reason(w).s,
	      d->keyboard && !LineEndsList(in) ? "; go on typing" : "");
}

// Ranks a score, or leaves out a word that is none: whether the list goes
// on after it.
inline bool Take(Dialogue* d, Kind kind, const Input& in)
{
	const Word& w = d->end;
	if (kind == Kind::kScore && w.value >= 0)
		Offer(&d->highest, w.value);
	else if (kind == Kind::kScore || kind == Kind::kEnd ||
	         kind == Kind::kNotText)
		return false;
	else
		LeaveOut(d, w, in);
	return true;
}

// Reads a table's column of scores, once it has said which it is, or why
// none.  The rows that it holds before the column is known are on this
// function's stack, which a list's run does not touch.
[[gnu::noinline]] void ReadTable(Dialogue* d, Input* in, char separator)
{
	Table t;
	t.separator = separator;
	t.name = d->column->name[0] != '\0' ? d->column->name : nullptr;
	t.asked = d->column->number;
	ChooseColumn(&t, in);
	d->refused = t.column == 0;
	SayColumn(&d->notices, t);
	while (Take(d, ReadColumn(&t, in, &d->end), *in)) {
	}
}

// Writes the prompt, then reads scores into the table until the first
// negative value, stored after the last score kept (-1 for another end);
// the number read.  Of more than kMaxScores, the table holds the highest.
long long ReadScore(int* scores, Dialogue* d, Input* in)
{
	if (d->keyboard)
		WriteNotice(kHint, sizeof kHint - 1);
	printf("input score:");
	if (fflush(stdout) == EOF)
		d->promptError = errno;
	char separator = d->keyboard ? 0 : FindSeparator(in, Asked(*d->column));
	d->table = separator != 0;
	Word* w = &d->end;
	if (d->table)
		ReadTable(d, in, separator);
	else
		while (Take(d, ReadWord(in, w), *in)) {
		}
	scores[d->highest.kept] = w->kind == Kind::kScore ? w->value : -1;
	return d->highest.read;
}

// How many scores were not listed, and how many words were left out.
void SayCounts(Dialogue* d)
{
	const Highest& h = d->highest;
	char ties[64] = "";
	long long tied = TiedWithLowest(h);
	if (tied > 0)
		snprintf(ties, sizeof ties,
		         " (%lld equal to the lowest listed)", tied);
	if (h.read > h.kept)
		Say(&d->notices,
		    "the 40 highest are listed; %lld more, none above %d, "
		    "were left out%s",
		    h.read - h.kept, h.highestLeftOut, ties);
	char unnamed[64] = "";
	long long notNamed = d->keyboard ? 0 : d->leftOut - kNamed;
	if (notNamed > 0)
		snprintf(unnamed, sizeof unnamed,
		         ", %lld of them not named above", notNamed);
	if (d->leftOut > 0)
		Say(&d->notices, "%lld %s%s left out%s", d->leftOut,
		    d->table ? "cell" : "word",
		    d->leftOut == 1 ? " that is not a score was"
		                    : "s that are not scores were",
		    unnamed);
}

// The notices before the count line; whether the count line is to start a
// line of its own, where typing ended on an open line.
bool SayClosing(Dialogue* d, const Input& in, const Held& held)
{
	bool open = d->keyboard && (in.end == in.block || in.end[-1] != '\n');
	d->notices.lineOpen = d->notices.lineOpen || (open && IsTerminal(2));
	if (held.shown > 0)
		Say(&d->notices,
		    "\"%s\" after the end of the list was not ranked",
		    Quote(held.s, std::min(held.shown, kKept), held.cut).s);
	if (d->end.kind == Kind::kNotText)
		SayAt(&d->notices, d->keyboard ? 0 : d->end.line,
		      "not a text file; save the sheet as CSV or as text");
	d->notAll = d->notAll || d->end.kind == Kind::kNotText || in.error;
	if (in.error != 0) // a file's name says where
		SayAt(&d->notices, 0, "%s%s",
		      d->notices.name ? "" : "read error: ",
		      strerror(in.error));
	SayCounts(d);
	if (open && IsTerminal(1) && (!IsTerminal(2) || d->notices.lineOpen))
		return true;
	if (open && d->notices.lineOpen)
		WriteNotice("\n", 1);
	return false;
}

void PrintScore(const int* scores, int count)
{
	for (int i = 0; i < count; i++)
		printf("%d ", scores[i]);
}

// Closes standard output, once the window may close: the exit status, or 1
// where output failed, said with the error of the first write that failed.
int Finish(int status, int promptError)
{
	KeepWindowOpen();
	int error = promptError;
	// Only ferror may tell of a dropped write; errno is still that write's.
	if ((fflush(stdout) == EOF || ferror(stdout) != 0) && error == 0)
		error = errno != 0 ? errno : EIO;
	if (fclose(stdout) == EOF && error == 0)
		error = errno; // GCOVR_EXCL_LINE: only close reports it
	if (error == 0)
		return status;
	Say(nullptr, "write error: %s", strerror(error));
	return 1;
}

// The dialogue on fd, named name: its exit status.
int Rank(int fd, const Arg* name, const ColumnAsked& column)
{
	int scores[kMaxScores + 1];
	char block[std::max(kBlock, kLookAhead)];
	Dialogue d{};
	d.column = &column;
	d.keyboard = IsTerminal(fd);
	d.notices =
	        Notices{name, SharedOutput() && !(d.keyboard && IsTerminal(1))};
	d.highest = Highest{scores, 0, 0, -1, 0};
	Input in;
	StartInput(&in, fd, block, sizeof block, kBlock);
	long long read = ReadScore(scores, &d, &in);
	Held held{};
	d.notAll = FollowEnd(&in, d.end, d.keyboard, &d.notices, &held) ||
	           d.notAll;
	bool apart = SayClosing(&d, in, held);
	printf("%sTotal students are %lld\n", apart ? "\n" : "", read);
	int count = read < kMaxScores ? static_cast<int>(read) : kMaxScores;
	DataSortExchange(scores, count);
	PrintScore(scores, count);
	return Finish(d.refused ? 2 : d.notAll ? 1 : 0, d.promptError);
}

} // namespace

int Run(int argc, Arg** argv)
{
	StartConsole();
	const Arg* name = nullptr;
	ColumnAsked column{0, ""};
	Ask ask = ReadArguments(argc, argv, &name, &column);
	if (ask == Ask::kHelp)
		PrintHelp();
	if (ask == Ask::kVersion)
		printf("score-rank %s\n", SCORE_RANK_VERSION);
	if (ask != Ask::kRank)
		return ask == Ask::kWrong ? (KeepWindowOpen(), 2)
		                          : Finish(0, 0);
	int fd = name == nullptr ? 0 : OpenInput(name);
	int problem = fd < 0 ? errno : InputProblem(fd);
	if (problem == 0 && Asked(column) && IsTerminal(fd)) {
		Say(nullptr,
		    "--column reads a table from a file or a pipe, not "
		    "from the keyboard\n%s",
		    kUsageLine);
		return KeepWindowOpen(), 2;
	}
	if (problem == 0)
		return Rank(fd, name, column);
	Notices notices{name, false};
	SayAt(&notices, 0, "%s%s%s",
	      name ? "" : "standard input: ", strerror(problem),
	      problem == ENOENT && *name != '-' ? ScoreHint(name) : "");
	return Finish(1, 0);
}
