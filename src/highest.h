// The 40 highest scores of a list of any length, kept in the caller's
// table, with a count of the scores left out, the highest of them and its
// ties.

#ifndef SCORE_RANK_HIGHEST_H
#define SCORE_RANK_HIGHEST_H

constexpr int kMaxScores = 40;

// The scores offered so far: up to kMaxScores in the table, in the order
// offered; past that, the kMaxScores highest, as a heap with the lowest of
// them first.
struct Highest {
	int* table;            // kMaxScores entries, the caller's
	int kept;              // entries of the table in use
	long long read;        // scores offered, kept or not
	int highestLeftOut;    // -1 while no score is left out
	long long tiedLeftOut; // left out and equal to highestLeftOut
};

// Takes a score above the lowest kept into the full table, in its place.
void Replace(Highest* highest, int score);

inline void LeaveOut(Highest* highest, int score)
{
	if (score < highest->highestLeftOut)
		return;
	if (score > highest->highestLeftOut) {
		highest->highestLeftOut = score;
		highest->tiedLeftOut = 0;
	}
	highest->tiedLeftOut++;
}

// Offers a score: kept while the table has room or it is above the lowest
// kept, else left out.
inline void Offer(Highest* highest, int score)
{
	highest->read++;
	if (highest->kept < kMaxScores)
		highest->table[highest->kept++] = score;
	else if (highest->read > kMaxScores + 1 && score <= highest->table[0])
		LeaveOut(highest, score);
	else
		Replace(highest, score);
}

// How many of the scores left out equal the lowest kept.
long long TiedWithLowest(const Highest& highest);

#endif
