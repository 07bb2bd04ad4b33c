/*
 * plain-rank: the score dialogue written the plain C way, with scanf and
 * printf and the same exchange sort, as the yardstick for score-rank's
 * benchmarks.  Scores past the 40th are read and dropped.
 */

#include <stdio.h>

static void sort(int *scores, int count)
{
	for (int i = 0; i + 1 < count; i++)
		for (int j = i + 1; j < count; j++)
			if (scores[j] > scores[i]) {
				int t = scores[j];
				scores[j] = scores[i];
				scores[i] = t;
			}
}

int main(void)
{
	int scores[41];
	int count = 0;
	int value;

	printf("input score:");
	fflush(stdout);
	while (scanf("%d", &value) == 1 && value >= 0)
		if (count < 40)
			scores[count++] = value;
	printf("Total students are %d\n", count);
	sort(scores, count);
	for (int i = 0; i < count; i++)
		printf("%d ", scores[i]);
	return 0;
}
