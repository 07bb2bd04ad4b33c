// The 40 highest scores, kept as a heap once there are more: each new
// score costs one comparison with the lowest kept, and a replacement of it
// in a few steps, whatever the order of the list.

#include "highest.h"

#include <algorithm>
#include <functional>

void Replace(Highest* highest, int score)
{
	int* table = highest->table;
	// The 41st score: the table, in the order offered so far, becomes a
	// heap.
	if (highest->read == kMaxScores + 1)
		std::make_heap(table, table + kMaxScores, std::greater<>());
	if (score <= table[0]) {
		LeaveOut(highest, score);
		return;
	}
	// The lowest kept gives way to the score, which sinks to its place.
	LeaveOut(highest, table[0]);
	int at = 0;
	for (int child; (child = 2 * at + 1) < kMaxScores; at = child) {
		if (child + 1 < kMaxScores && table[child + 1] < table[child])
			child++;
		if (score <= table[child])
			break;
		table[at] = table[child];
	}
	table[at] = score;
}

long long TiedWithLowest(const Highest& highest)
{
	// While none is left out, the highest left out is -1, which no score
	// equals.
	return highest.highestLeftOut == highest.table[0] ? highest.tiedLeftOut
	                                                  : 0;
}
