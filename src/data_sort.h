// The sorts of a table of scores, from highest to lowest: a library of
// their own, which programs other than score-rank may link.

#ifndef SCORE_RANK_DATA_SORT_H
#define SCORE_RANK_DATA_SORT_H

// Sorts entries 0 to count-1 of scores into descending order, in place.
// Entries from count on are never touched; a count below 2 changes nothing.
// Equal scores are never exchanged with each other.
void DataSortExchange(int* scores, int count);

// Sorts entries 0 to count-1 of scores into descending order, in place, and
// moves entry n of numbers wherever score n goes, so each number stays beside
// its score.  Numbers never affect the order.  The sort is not stable: equal
// scores may end in another order than they came.  Entries from count on are
// never touched in either table; a count below 2 changes nothing.
void DataSortSelection(int* scores, long* numbers, int count);

#endif
