// The table reader: the first line looked at ahead, then the rows read a
// cell at a time, each cell of the column of scores as a word.

#include "table.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int kSeparator = 1; // ReadCell: a separator ended the cell

// A cell as it is read into its word, where it has one.
struct Cell {
	Word* w;            // nullptr where the cell is skipped
	const char* name;   // a text to match, case aside, or nullptr
	bool same;          // the cell reads as name so far
	long long lead;     // bytes of its sign and leading digits
	unsigned long long value; // of those digits, not grown past INT_MAX
};

bool IsDigit(int c)
{
	return c >= '0' && c <= '9';
}

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
	size_t at = static_cast<size_t>(std::min<long long>(w->len, INT_MAX));
	if (cell->name != nullptr)
		cell->same = cell->same && at < strlen(cell->name) &&
		             Lower(c) == Lower(cell->name[at]);
	if (w->len < static_cast<long long>(kKept))
		w->s[w->len] = static_cast<char>(c);
	bool sign = w->len == 0 && (c == '-' || c == '+');
	if (w->len == cell->lead && (sign || IsDigit(c))) {
		cell->lead++;
		if (!sign && cell->value <= INT_MAX)
			cell->value = cell->value * 10 +
			              static_cast<unsigned>(c - '0');
	} else if (w->len - cell->lead < static_cast<long long>(sizeof w->stop)) {
		w->stop[w->len - cell->lead] = static_cast<char>(c);
	}
	w->digits = w->digits || IsDigit(c);
	w->len++;
}

// What the cell read is as a word, into its kind and value.
Kind Finish(const Cell& cell)
{
	Word* w = cell.w;
	bool minus = w->s[0] == '-';
	w->value = cell.value > INT_MAX ? (minus ? INT_MIN : 0)
	           : minus             ? -static_cast<int>(cell.value)
	                               : static_cast<int>(cell.value);
	return w->kind = w->len == 0                         ? Kind::kEmpty
	                 : cell.lead != w->len || !w->digits ? Kind::kNotNumber
	                 : minus && cell.value != 0          ? Kind::kNegative
	                 : cell.value > INT_MAX              ? Kind::kTooLarge
	                                                     : Kind::kScore;
}

// Reads a cell into its word, where it has one: what ended it, kSeparator,
// '\n' at the end of its row, -1 at the end of the input, or 0 at a NUL,
// which is left unread.  White space around the cell is not part of it.
int ReadCell(Input* in, char sep, Cell* cell)
{
	int c = Peek(in);
	for (; IsSpace(c) && c != '\n' && (sep == ' ' || c != sep);)
		c = Next(in);
	if (cell->w != nullptr)
		*cell->w = Word{Kind::kEmpty, 0, in->lines + 1, 0, 0, {}, {},
		                false, true};
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
	if (c != '\n') {
		c = Next(in);
		while (sep == ' ' && IsSpace(c) && c != '\n')
			c = Next(in);
		if (sep != ' ' || (c != '\n' && c >= 0))
			return kSeparator;
		if (c < 0)
			return -1;
	}
	in->pos++;
	in->lines++;
	return '\n';
}

// Skips blank lines and the white space that starts a row, counting line
// feeds; the unit after them.
int SkipBlank(Input* in, char sep)
{
	int c = Peek(in);
	for (; IsSpace(c) && (sep == ' ' || c != sep); c = Next(in))
		in->lines += c == '\n' ? 1 : 0;
	return c;
}

bool IsNumber(Kind kind)
{
	return kind == Kind::kScore || kind == Kind::kNegative ||
	       kind == Kind::kTooLarge;
}

// Reads the next row that is not blank into *row, the first one's cells
// matched with the name asked for; what ended it, as ReadCell says.  Of
// the cells past kHeldCells, the one asked for or the last number is held.
int ReadRow(Table* t, Input* in, Row* row, bool first)
{
	*row = Row{{}, {}, 0, 0, 0, 0, false};
	int end = SkipBlank(in, t->separator) > 0 ? kSeparator : -1;
	while (end == kSeparator) {
		Word* w = row->count < kHeldCells ? &row->cells[row->count]
		                                  : &row->extra;
		Cell cell{w, first ? t->name : nullptr, true, 0, 0};
		end = ReadCell(in, t->separator, &cell);
		// A cell that a NUL cut is not text.
		bool number = IsNumber(Finish(cell)) && end != 0;
		row->count++;
		row->numbers += number ? 1 : 0;
		row->number = number ? row->count : row->number;
		if (w == &row->extra && (number || row->count == t->asked))
			row->extraColumn = row->count;
		if (cell.name != nullptr && cell.same && t->named == 0 &&
		    static_cast<size_t>(w->len) == strlen(cell.name))
			t->named = row->count;
	}
	row->cut = end == 0;
	return end;
}

// The end of the table, at the read position: kNotText at a NUL.
Kind End(Input* in, Word* w)
{
	Kind kind = Peek(in) == 0 ? Kind::kNotText : Kind::kEnd;
	*w = Word{kind, 0, in->lines + 1, Offset(*in), 0, {}, {}, false, true};
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
		*w = Word{Kind::kEmpty, 0, row.cells[0].line, 0, 0, {}, {}, false,
		          true};
	else
		*w = Word{Kind::kNotNumber, 0, held ? row.cells[0].line : 0, 0, 3,
		          "...", {}, false, true};
	return w->kind;
}

} // namespace

void FindSeparator(Table* t, Input* in, bool always)
{
	enum { kBetween, kPlus, kMinus, kZeros, kNumber, kOther } word = kBetween;
	int seen = 0;        // of ';', ',' and tab, 1, 2 and 4
	bool numbers = true; // every word so far is a number
	bool blank = true;   // of the line so far
	bool quoted = false;
	bool closed = false;  // a quote was closed just before: "" goes on
	bool comma = false;   // a comma just after a digit
	bool decimal = false; // a comma between digits, which may be a decimal
	bool list = false;    // a NUL or a negative number settled it
	bool done = false;
	Peek(in);
	for (const char* p = in->pos; !done; p++) {
		if (p == in->end && !ReadOn(in))
			break;
		int c = static_cast<unsigned char>(*p);
		bool reopen = closed && c == '"';
		closed = quoted && c == '"';
		list = c == 0;
		if ((quoted && !closed) || reopen || list) {
			quoted = true;
			done = list;
			continue;
		}
		quoted = false;
		switch (c) {
		case '0': case '1': case '2': case '3': case '4':
		case '5': case '6': case '7': case '8': case '9':
			list = (word == kMinus || word == kZeros) && c != '0' &&
			       (seen == 0 || (numbers && !decimal));
			decimal = decimal || comma;
			word = (word == kMinus || word == kZeros) && c == '0' ? kZeros
			       : word == kOther                          ? kOther
			                                                 : kNumber;
			break;
		case ';': case ',': case '\t': case ' ': case '\n': case '\r':
		case '\v': case '\f':
			done = c == '\n' && !blank;
			numbers = numbers && word != kPlus && word != kMinus;
			comma = c == ',' && (word == kNumber || word == kZeros);
			seen |= c == ';' ? 1 : c == ',' ? 2 : c == '\t' ? 4 : 0;
			blank = blank && (c != ';' && c != ',');
			word = kBetween;
			continue;
		case '+': case '-':
			word = word != kBetween ? kOther : c == '+' ? kPlus : kMinus;
			break;
		default:
			quoted = c == '"' && word == kBetween;
			word = kOther;
		}
		done = list;
		numbers = numbers && word != kOther;
		blank = false;
		comma = false;
	}
	numbers = numbers && word != kPlus && word != kMinus && !decimal;
	char sep = seen & 1 ? ';' : seen & 2 ? ',' : seen & 4 ? '\t' : 0;
	t->separator = always && sep == 0         ? ' '
	               : always || (!numbers && !list) ? sep
	                                              : 0;
	if (t->separator == 0 && sep != 0)
		ReadAsSpace(in, sep);
}

void ChooseColumn(Table* t, Input* in)
{
	Row* row = &t->rows[0];
	t->named = 0;
	t->given = 0;
	int end = ReadRow(t, in, row, true);
	t->read = row->count > 0 ? 1 : 0;
	t->header = t->name != nullptr || row->numbers == 0;
	if (t->name != nullptr || t->asked != 0) {
		t->column = t->name != nullptr       ? t->named
		            : t->asked <= row->count ? t->asked
		                                     : 0;
		return;
	}
	while (row->numbers == 0 && end == '\n') {
		row = &t->rows[std::min<long long>(t->read, kHeldRows - 1)];
		end = ReadRow(t, in, row, false);
		if (row->count == 0)
			break;
		t->read++;
	}
	t->column = row->numbers == 1 ? row->number : 0;
}

Kind ReadColumn(Table* t, Input* in, Word* w)
{
	if (t->column == 0) { // the rest is read unseen, unless a NUL ended it
		for (int c = Peek(in); c > 0; c = Refill(in))
			in->pos = in->end;
		return End(in, w);
	}
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
		*w = Word{Kind::kEmpty, 0, line, 0, 0, {}, {}, false, true};
	if (end == 0 || in->error != 0)
		return End(in, w);
	Kind kind = reached ? Finish(cell) : Kind::kEmpty;
	while (end == kSeparator)
		end = ReadCell(in, t->separator, &skip);
	return kind;
}
