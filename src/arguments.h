// The command line: what it asks for, the file it names, and the help.

#ifndef SCORE_RANK_ARGUMENTS_H
#define SCORE_RANK_ARGUMENTS_H

#include "platform.h"

enum class Ask { kRank, kHelp, kVersion, kWrong };

// What the arguments ask for.  The first --help or --version decides.
// Otherwise at most one FILE is named, in *name, "-" or none for standard
// input (nullptr); "--" ends the options, so that a file named "-5" can be
// given.  An unknown option or a second file is a usage error, said on
// standard error.
Ask ReadArguments(int argc, Arg** argv, const Arg** name);

// Where an argument looks like a score, a hint that scores are not
// arguments, to follow a notice about it; else "".
const char* ScoreHint(const Arg* arg);

void PrintHelp();

#endif
