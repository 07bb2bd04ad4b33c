// The program again, reading in blocks larger than any fuzz input, so that
// each input arrives in one read, and choosing the 40 highest from a pool
// that holds all its scores: the reference the fuzz target holds the
// small-block build to.

#undef SCORE_RANK_READ_BLOCK
#define SCORE_RANK_READ_BLOCK (1 << 16)
#undef SCORE_RANK_POOL
#define SCORE_RANK_POOL (1 << 12)
#define main ScoreRankWholeMain
#include "排序.cpp"
