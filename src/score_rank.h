// The program as a function of its arguments: what main runs, and what the
// fuzz target runs on each input.

#ifndef SCORE_RANK_SCORE_RANK_H
#define SCORE_RANK_SCORE_RANK_H

#include "platform.h"

int Run(int argc, Arg** argv);

#endif
