// Sorts with both routines and prints the tables.
#include <cstdio>

#include <score-rank/data_sort.h>

int main()
{
	int scores[] = {3, 1, 4, 1, 5};
	DataSortExchange(scores, 5);
	int paired[] = {5, 7, 5};
	long numbers[] = {11, 12, 13};
	DataSortSelection(paired, numbers, 3);
	printf("%d %d %d %d %d / %d %d %d / %ld %ld %ld\n", scores[0],
	       scores[1], scores[2], scores[3], scores[4], paired[0], paired[1],
	       paired[2], numbers[0], numbers[1], numbers[2]);
	return 0;
}
