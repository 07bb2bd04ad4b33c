// The table reader: the rows read a cell at a time, the column of scores
// chosen, and each of its cells given as a word.

#include "table.h"

#include <algorithm>
#include <cstring>

#include "cells.h"

namespace {

// Reads the next row that is not blank into *row, the first one's cells
// matched with the name asked for; what ended it, as ReadCell says.  Of
// the cells past kHeldCells, the one asked for or the last number is held.
int ReadRow(Table* t, Input* in, Row* row, bool first)
{
	*row = Row{{}, {}, 0, 0, 0, 0, false};
	int c = SkipBlank(in, t->separator);
	int end = c > 0 ? kSeparator : c;
	while (end == kSeparator) {
		Word spare; // a cell past those held, kept where it may be
		            // asked
		Word* w = row->count < kHeldCells ? &row->cells[row->count]
		                                  : &spare;
		Cell cell{w, first ? t->name : nullptr, true, 0, 0};
		end = ReadCell(in, t->separator, &cell);
		// A cell that a NUL cut is not text.
		bool number = IsNumber(Finish(cell)) && end != 0;
		row->count++;
		row->numbers += number ? 1 : 0;
		row->number = number ? row->count : row->number;
		if (w == &spare && (number || row->count == t->asked)) {
			row->extra = spare;
			row->extraColumn = row->count;
		}
		if (cell.name != nullptr && cell.same && t->named == 0 &&
		    cell.name[w->len] == '\0')
			t->named = row->count;
	}
	row->cut = end == 0;
	return end;
}

// The end of the table, at the read position: kNotText at a NUL.
Kind End(Input* in, Word* w)
{
	Kind kind = Peek(in) == 0 ? Kind::kNotText : Kind::kEnd;
	*w = CellWord(kind, in->lines + 1);
	w->offset = Offset(*in);
	return kind;
}

// The cell of the column in row i of those read before it was known, or
// the end where a NUL came before it.  A row read then holds no number
// but in the row that decided, so a cell not held is said as "...".
Kind GiveHeld(const Table& t, long long i, Input* in, Word* w)
{
	const Row& row = t.rows[std::min<long long>(i, kHeldRows - 1)];
	bool held = i < kHeldRows - 1 || i == t.read - 1;
	if (i == t.read - 1 && row.cut && t.column >= row.count)
		return End(in, w);
	if (held && t.column <= std::min(row.count, kHeldCells))
		*w = row.cells[t.column - 1];
	else if (held && t.column == row.extraColumn)
		*w = row.extra;
	else if (held && t.column > row.count)
		*w = CellWord(Kind::kEmpty, row.cells[0].line);
	else {
		*w = CellWord(Kind::kNotNumber, held ? row.cells[0].line : 0);
		memcpy(w->s, "...", 3);
		w->len = 3;
	}
	return w->kind;
}

// Reads the rest of the input unseen, UTF-16's odd last byte too, which
// comes after the end.
void ReadUnseen(Input* in)
{
	for (int ends = 0; ends < 2; ends += Peek(in) < 0 ? 1 : 0)
		in->pos = in->end;
}

} // namespace

void ChooseColumn(Table* t, Input* in)
{
	Row* row = &t->rows[0];
	t->named = 0;
	t->given = 0;
	int end = ReadRow(t, in, row, true);
	t->read = row->count > 0 ? 1 : 0;
	t->header = t->name != nullptr || row->numbers == 0;
	bool asked = t->name != nullptr || t->asked != 0;
	while (!asked && row->numbers == 0 && end == '\n') {
		row = &t->rows[std::min<long long>(t->read, kHeldRows - 1)];
		end = ReadRow(t, in, row, false);
		if (row->count == 0)
			break;
		t->read++;
	}
	t->column = t->name != nullptr  ? t->named
	            : t->asked != 0     ? t->asked
	            : row->numbers == 1 ? row->number
	                                : 0;
	if (t->asked > t->rows[0].count)
		t->column = 0;
	if (t->column == 0 && end != 0) // unless a NUL ended the table
		ReadUnseen(in);
}

Kind ReadColumn(Table* t, Input* in, Word* w)
{
	if (t->column == 0)
		return End(in, w);
	while (t->given < t->read) {
		long long i = t->given++;
		if (i > 0 || !t->header)
			return GiveHeld(*t, i, in, w);
	}
	if (SkipBlank(in, t->separator) <= 0)
		return End(in, w);
	Cell skip{nullptr, nullptr, false, 0, 0};
	Cell cell{w, nullptr, false, 0, 0};
	long long line = in->lines + 1;
	int end = kSeparator;
	for (long i = 1; i < t->column && end == kSeparator; i++)
		end = ReadCell(in, t->separator, &skip);
	bool reached = end == kSeparator;
	if (reached)
		end = ReadCell(in, t->separator, &cell);
	else
		*w = CellWord(Kind::kEmpty, line);
	if (end == 0 || in->error != 0)
		return End(in, w);
	Kind kind = reached ? Finish(cell) : Kind::kEmpty;
	while (end == kSeparator)
		end = ReadCell(in, t->separator, &skip);
	return kind;
}
