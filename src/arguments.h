// The command line: what it asks for, the file it names, and the help.

#ifndef SCORE_RANK_ARGUMENTS_H
#define SCORE_RANK_ARGUMENTS_H

#include "platform.h"

enum class Ask { kRank, kHelp, kVersion, kWrong };

// What --column asks for: a column counted from 1, or the text of a header
// cell, without the white space around it.
struct ColumnAsked {
	long number;    // or 0
	char name[256]; // or ""
};

// Whether a column is asked for at all.
inline bool Asked(const ColumnAsked& column)
{
	return column.number != 0 || column.name[0] != '\0';
}

// What the arguments ask for.  The first --help or --version decides.
// Otherwise at most one FILE is named, in *name, "-" or none for standard
// input (nullptr); "--" ends the options, so that a file named "-5" can be
// given; --column N, --column NAME or --column=... asks for a column.  An
// unknown option, a second file or a column that is none is a usage error,
// said on standard error.
Ask ReadArguments(int argc, Arg** argv, const Arg** name, ColumnAsked* column);

// Where an argument looks like a score, a hint that scores are not
// arguments, to follow a notice about it; else "".
const char* ScoreHint(const Arg* arg);

void PrintHelp();

#endif
