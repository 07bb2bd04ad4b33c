// The program as a function of its arguments and of the size of the blocks
// it reads: what main runs, and what the fuzz target runs with blocks of a
// few bytes and with blocks that hold a whole input.

#ifndef SCORE_RANK_SCORE_RANK_H
#define SCORE_RANK_SCORE_RANK_H

#include <cstddef>

#include "platform.h"

// Runs the program; its exit status.  block is the bytes asked for in each
// read, at least 3 and at most 65536.
int Run(int argc, Arg** argv, size_t block);

#endif
