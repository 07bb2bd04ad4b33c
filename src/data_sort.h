#ifndef DATA_SORT_H
#define DATA_SORT_H

// Sorts entries 0 to count-1 of scores into descending order, in place.
// Entries from count on are never touched; a count below 2 changes nothing.
// Equal scores are never exchanged with each other.
void DataSortExchange(int* scores, int count);

#endif
