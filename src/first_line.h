// The first line of the input that is not blank, read ahead without taking
// it: whether the input is a table, and what separates its cells.

#ifndef SCORE_RANK_FIRST_LINE_H
#define SCORE_RANK_FIRST_LINE_H

#include "input.h"

// Whether the input is a table, from its first line that is not blank,
// read ahead but not taken: where that line holds a ';', a ',' or a tab
// outside quotes, the first of them in that order is the separator, unless
// every word of the line between them and white space is a number, and no
// comma stands between two digits, as a decimal comma does: such a list
// takes the separator as white space from there on.  A negative number
// before any separator or in such a list, or a NUL, settles it as a list,
// so that a list is not read past its end.  Where always is set, the
// input is a table in any case, its cells split at white space where no
// separator is found.  Returns the separator, ' ' for white space, or 0
// for a list.
char FindSeparator(Input* in, bool always);

#endif
