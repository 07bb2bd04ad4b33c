// Sorts with both routines and prints the tables.
#include <cstdio>

#include <score-rank/data_sort.h>

int main()
{
	int s[] = {3, 1, 4, 1, 5}, t[] = {5, 7, 5};
	long n[] = {11, 12, 13};
	DataSortExchange(s, 5);
	DataSortSelection(t, n, 3);
	printf("%d %d %d %d %d / %d %d %d / %ld %ld %ld\n", s[0], s[1], s[2],
	       s[3], s[4], t[0], t[1], t[2], n[0], n[1], n[2]);
}
