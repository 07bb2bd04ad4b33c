// A class sheet saved as a table: its rows and cells, as RFC 4180 has them,
// and the column of scores in it, whose cells are read as the list's words.

#ifndef SCORE_RANK_TABLE_H
#define SCORE_RANK_TABLE_H

#include "input.h"
#include "words.h"

constexpr long kHeldCells = 16; // of a row read before the column is known
constexpr long kHeldRows = 12;  // the first, ten named, the one that decides

struct Row {
	Word cells[kHeldCells];
	Word extra;       // a cell past them that may be the column's
	long extraColumn; // its column, or 0
	long count;       // cells in the row, held or not
	long numbers;     // cells that are numbers
	long number;      // the last of them, from 1
	bool cut;         // a NUL ended it, and the table
};

struct Table {
	char separator;   // ';', ',' or '\t', ' ' for white space; 0: a list
	const char* name; // --column NAME, or nullptr
	long asked;       // --column N, or 0
	long column;      // of the scores, from 1; 0 where none was chosen
	long named;       // the column that NAME names, from 1, or 0
	bool header;      // the first row is the header
	// The rows read before the column was known, the first in rows[0]
	// and the one that decided it last; past kHeldRows, the last slot
	// holds the row read last.
	Row rows[kHeldRows];
	long long read;  // rows read before the column was known
	long long given; // of those, the rows whose cell was given
};

// Reads the first row, and where it holds no number, the rows up to the
// first that does, and chooses the column of scores: the one --column
// names, else the only one whose cell in that row is a number.  Where none
// is chosen, the rest of the input is read unseen, unless a NUL ended it.
void ChooseColumn(Table* t, Input* in);

// The next cell of the column of scores, in the next row that is not
// blank, as a word: a score, kNegative, kEmpty, or any other word of the
// list's kinds; kNotText at a NUL, where the table ends, and kEnd at its
// end.  A row that ends before the column has an empty cell there.
Kind ReadColumn(Table* t, Input* in, Word* w);

#endif
