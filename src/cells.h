// A table's cells, as RFC 4180 has them: each read into a word, with its
// line, or skipped.

#ifndef SCORE_RANK_CELLS_H
#define SCORE_RANK_CELLS_H

#include "input.h"
#include "words.h"

constexpr int kSeparator = 1; // ReadCell: a separator ended the cell

// A cell as it is read into its word, where it has one.
struct Cell {
	Word* w;                  // nullptr where the cell is skipped
	const char* name;         // a text to match, case aside, or nullptr
	bool same;                // the cell reads as name so far
	long long lead;           // bytes of its sign and leading digits
	unsigned long long value; // of those digits, not grown past INT_MAX
};

// A cell's word of that kind, on that line, and nothing more known of it.
inline Word CellWord(Kind kind, long long line)
{
	return Word{kind, 0, line, 0, 0, {}, {}, false, true};
}

// Reads a cell into its word, where it has one: what ended it, kSeparator,
// '\n' at the end of its row, -1 at the end of the input, or 0 at a NUL,
// which is left unread.  White space around the cell is not part of it.
// sep is ';', ',' or a tab, or ' ' for white space.
int ReadCell(Input* in, char sep, Cell* cell);

// What the cell read is as a word, into its kind and value.
Kind Finish(const Cell& cell);

// Skips blank lines and the white space that starts a row, counting line
// feeds; the unit after them.
int SkipBlank(Input* in, char sep);

#endif
