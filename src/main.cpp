// The entry point: the program on its arguments, reading in blocks of the
// size the build chose (16 KiB, which reads as fast as larger ones).

#include "score_rank.h"

#ifndef SCORE_RANK_READ_BLOCK
#define SCORE_RANK_READ_BLOCK 16384
#endif

// Windows gives the arguments in wide characters to wmain.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
	return Run(argc, argv, SCORE_RANK_READ_BLOCK);
}
