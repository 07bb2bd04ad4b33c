// The first line, looked at a unit at a time: its separators outside
// quotes, and whether its words are numbers alone.

#include "first_line.h"

char FindSeparator(Input* in, bool always)
{
	enum {
		kBetween,
		kPlus,
		kMinus,
		kZeros,
		kNumber,
		kOther
	} word = kBetween;
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
		case '0':
		case '1':
		case '2':
		case '3':
		case '4':
		case '5':
		case '6':
		case '7':
		case '8':
		case '9':
			list = (word == kMinus || word == kZeros) && c != '0' &&
			       (seen == 0 || (numbers && !decimal));
			decimal = decimal || comma;
			word = (word == kMinus || word == kZeros) && c == '0'
			               ? kZeros
			       : word == kOther ? kOther
			                        : kNumber;
			break;
		case ';':
		case ',':
		case '\t':
		case ' ':
		case '\n':
		case '\r':
		case '\v':
		case '\f':
			done = c == '\n' && !blank;
			numbers = numbers && word != kPlus && word != kMinus;
			comma = c == ',' && (word == kNumber || word == kZeros);
			seen |= c == ';' ? 1 : c == ',' ? 2 : c == '\t' ? 4 : 0;
			blank = blank && (c != ';' && c != ',');
			word = kBetween;
			continue;
		case '+':
		case '-':
			word = word != kBetween ? kOther
			       : c == '+'       ? kPlus
			                        : kMinus;
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
	char table = always && sep == 0              ? ' '
	             : always || (!numbers && !list) ? sep
	                                             : 0;
	if (table == 0 && sep != 0)
		ReadAsSpace(in, sep);
	return table;
}
