// Descending in-place sorts over a table of scores.

#include "data_sort.h"

#include <utility>

// Exchange sort: each position is compared with every later entry and the
// two are swapped whenever the later one is larger, so after pass i entry i
// holds the largest of entries i to count-1.  The test i + 1 < count cannot
// overflow, so any count, negative ones included, is safe.
void DataSortExchange(int* scores, int count)
{
	for (int i = 0; i + 1 < count; i++)
		for (int j = i + 1; j < count; j++)
			if (scores[j] > scores[i])
				std::swap(scores[i], scores[j]);
}

// Selection sort: pass i finds the largest of entries i to count-1, the first
// one among equals, and makes at most one exchange, applied to both tables.
// Moving entry i out to where the largest was can carry it past equal scores,
// so the sort is not stable.
void DataSortSelection(int* scores, long* numbers, int count)
{
	for (int i = 0; i + 1 < count; i++) {
		int largest = i;
		for (int j = i + 1; j < count; j++)
			if (scores[j] > scores[largest])
				largest = j;
		if (largest != i) {
			std::swap(scores[i], scores[largest]);
			std::swap(numbers[i], numbers[largest]);
		}
	}
}
