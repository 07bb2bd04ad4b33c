// The cells of a table: white space around each taken off, quotes and ""
// undone, and what the cell reads as kept as a list's word keeps it.

#include "cells.h"

#include <climits>

namespace {

int Lower(int c)
{
	return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool IsSeparator(int c, char sep)
{
	return c == sep || (sep == ' ' && c == '\t');
}

// The unit after the one at the read position.
int Next(Input* in)
{
	in->pos++;
	return Peek(in);
}

void Add(Cell* cell, int c)
{
	Word* w = cell->w;
	// While it is the same, the name is not shorter than the cell so far.
	if (cell->name != nullptr)
		cell->same = cell->same && cell->name[w->len] != '\0' &&
		             Lower(c) == Lower(cell->name[w->len]);
	if (w->len < static_cast<long long>(kKept))
		w->s[w->len] = static_cast<char>(c);
	bool sign = w->len == 0 && (c == '-' || c == '+');
	if (w->len == cell->lead && (sign || IsDigit(c))) {
		cell->lead++;
		if (!sign && cell->value <= INT_MAX)
			cell->value = cell->value * 10 +
			              static_cast<unsigned>(c - '0');
	} else if (w->len - cell->lead <
	           static_cast<long long>(sizeof w->stop)) {
		w->stop[w->len - cell->lead] = static_cast<char>(c);
	}
	w->digits = w->digits || IsDigit(c);
	w->len++;
}

} // namespace

Kind Finish(const Cell& cell)
{
	Word* w = cell.w;
	bool minus = w->s[0] == '-';
	w->value = cell.value > INT_MAX ? (minus ? INT_MIN : 0)
	           : minus              ? -static_cast<int>(cell.value)
	                                : static_cast<int>(cell.value);
	return w->kind = w->len == 0                         ? Kind::kEmpty
	                 : cell.lead != w->len || !w->digits ? Kind::kNotNumber
	                 : minus && cell.value != 0          ? Kind::kNegative
	                 : cell.value > INT_MAX              ? Kind::kTooLarge
	                                                     : Kind::kScore;
}

int ReadCell(Input* in, char sep, Cell* cell)
{
	int c = Peek(in);
	for (; IsSpace(c) && c != '\n' && (sep == ' ' || c != sep);)
		c = Next(in);
	if (cell->w != nullptr)
		*cell->w = CellWord(Kind::kEmpty, in->lines + 1);
	bool quoted = c == '"';
	if (quoted)
		c = Next(in);
	long long spaces = 0; // not yet known to be inside the cell
	for (;; c = Next(in)) {
		if (quoted && c == '"') {
			c = Next(in);
			quoted = c == '"'; // "" is a quote in the cell
		}
		if (c <= 0 || (!quoted && (c == '\n' || IsSeparator(c, sep))))
			break;
		if (c == '\n')
			in->lines++;
		if (!quoted && IsSpace(c)) {
			spaces++;
		} else if (cell->w != nullptr) {
			for (; spaces > 0; spaces--)
				Add(cell, ' ');
			Add(cell, c);
		}
	}
	if (c <= 0)
		return c;
	if (sep == ' ' && c != '\n') { // white space separates: all of it
		for (c = Next(in); c != '\n' && IsSpace(c);)
			c = Next(in);
		if (c != '\n')
			return c < 0 ? -1 : kSeparator;
	}
	in->pos++; // past what ended it, and no further
	in->lines += c == '\n' ? 1 : 0;
	return c == '\n' ? '\n' : kSeparator;
}

int SkipBlank(Input* in, char sep)
{
	int c = Peek(in);
	for (; IsSpace(c) && (sep == ' ' || c != sep); c = Next(in))
		in->lines += c == '\n' ? 1 : 0;
	// Between rows, UTF-16's odd last byte comes after the end.
	return c < 0 ? Refill(in) : c;
}
