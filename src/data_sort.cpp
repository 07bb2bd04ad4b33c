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
