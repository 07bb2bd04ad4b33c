// The notices: the program's name, the place, the text, broken between
// words where a line would pass 79 columns and gone on indented, so that a
// console window 80 columns wide never breaks a word.

#include "notices.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "quote.h"

namespace {

constexpr size_t kColumns = 79;
constexpr size_t kNameBytes = 4096; // of a name shown; a longer one is cut

struct Notice {
	char s[kNameBytes + 1024];
	size_t len;
	size_t column;
};

void Put(Notice* notice, const char* text, size_t n)
{
	n = std::min(n, sizeof notice->s - notice->len);
	memcpy(notice->s + notice->len, text, n);
	notice->len += n;
	notice->column += Columns(text, n);
}

// A name as it is where it shows as itself, else quoted; "" where empty.
void PutName(Notice* notice, const Arg* name)
{
	char text[kNameBytes + 4];
	char shown[kNameBytes + 7];
	size_t len = ArgText(name, text, sizeof text);
	if (len == 0)
		Put(notice, "\"\"", 2);
	else
		Put(notice, shown, Show(text, len, kNameBytes, false, shown));
}

// Adds text, breaking it at a space before a word or a part in
// parentheses that would pass kColumns, up to a line break, after which
// the rest goes as it is; then ends the line.
void Wrap(Notice* notice, const char* text)
{
	const char* raw = text + strcspn(text, "\n");
	for (const char* at = text; at != raw;) {
		const char* stop = at[0] == ' ' && at[1] == '(' ? ")" : " ";
		size_t len = 1 + strcspn(at + 1, stop);
		len += *stop == ')' && at[len] == ')' ? 1 : 0;
		len = std::min(len, static_cast<size_t>(raw - at));
		if (*at == ' ' &&
		    notice->column + Columns(at, len) > kColumns) {
			Put(notice, "\n ", 2);
			notice->column = 1;
		}
		Put(notice, at, len);
		at += len;
	}
	Put(notice, raw, strlen(raw));
	Put(notice, "\n", 1);
}

void Write(Notices* notices, bool place, long long line, const char* format,
           va_list args)
{
	Notice notice{{}, 0, 0};
	if (notices != nullptr && notices->lineOpen) {
		fflush(stdout);
		Put(&notice, "\n", 1);
		notices->lineOpen = false;
	}
	notice.column = 0;
	Put(&notice, "score-rank: ", 12);
	const Arg* name = notices != nullptr ? notices->name : nullptr;
	if (place && name != nullptr)
		PutName(&notice, name);
	char text[1024] = "";
	int n = !place      ? 0
	        : line <= 0 ? snprintf(text, sizeof text, name ? ": " : "")
	        : name != nullptr
	                ? snprintf(text, sizeof text, ":%lld: ", line)
	                : snprintf(text, sizeof text, "line %lld: ", line);
	vsnprintf(text + n, sizeof text - static_cast<size_t>(n), format, args);
	Wrap(&notice, text);
	WriteNotice(notice.s, notice.len);
}

} // namespace

void Say(Notices* notices, const char* format, ...)
{
	va_list args;
	va_start(args, format);
	Write(notices, false, 0, format, args);
	va_end(args);
}

void SayAt(Notices* notices, long long line, const char* format, ...)
{
	va_list args;
	va_start(args, format);
	Write(notices, true, line, format, args);
	va_end(args);
}

namespace {

// A column as a notice names it, its header cell quoted or its number, and
// as it is typed after --column: the cell as it is, where it can be.
struct Named {
	char quoted[kShownText + 16];
	char typed[kShownText + 16];
};

Named Name(const Table& t, long column)
{
	Named name;
	snprintf(name.quoted, sizeof name.quoted, "%ld", column);
	snprintf(name.typed, sizeof name.typed, "%ld", column);
	if (!t.header || column > std::min(kHeldCells, t.rows[0].count))
		return name;
	const Word& head = t.rows[0].cells[column - 1];
	Shown shown = Quote(head.s, static_cast<size_t>(std::min<long long>(
	                                    head.len, kKept)));
	snprintf(name.quoted, sizeof name.quoted, "\"%s\"", shown.s);
	// As it is where a shell takes it as one word, and not as a number.
	bool typed =
	        head.len > 0 && head.len <= static_cast<long long>(kShownText);
	size_t len = strlen(shown.s);
	bool digits = true;
	for (size_t i = 0; i < len; i++)
		digits = digits && IsDigit(shown.s[i]);
	if (typed && !digits && strcspn(shown.s, " \"'\\$`&|;<>()*?!#~") == len)
		memcpy(name.typed, shown.s, len + 1);
	return name;
}

// The columns of a row, or those that hold numbers: "A", "B" and "C".
struct Listed {
	char s[640];
	long last; // the last listed
};

Listed List(const Table& t, const Row& row, bool numbers)
{
	long listed[kHeldCells + 1];
	long n = 0;
	for (long i = 1; i <= row.count && n <= kHeldCells; i++) {
		const Word& cell =
		        i <= kHeldCells ? row.cells[i - 1] : row.extra;
		if ((!numbers || IsNumber(cell.kind)) &&
		    (i <= kHeldCells || i == row.extraColumn))
			listed[n++] = i;
	}
	Listed list{"", n > 0 ? listed[n - 1] : 1};
	size_t len = 0;
	for (long i = 0; i < n && len < sizeof list.s; i++)
		len += static_cast<size_t>(snprintf(list.s + len,
		                                    sizeof list.s - len, "%s%s",
		                                    i == 0      ? ""
		                                    : i + 1 < n ? ", "
		                                                : " and ",
		                                    Name(t, listed[i]).quoted));
	return list;
}

} // namespace

void SayColumn(Notices* notices, const Table& t)
{
	long count = t.rows[0].count;
	bool named = t.header && t.column <= std::min(kHeldCells, count);
	if (t.column > 0 && named)
		return SayAt(notices, 0, "ranked the column %s (%ld of %ld)",
		             Name(t, t.column).quoted, t.column, count);
	if (t.column > count) // past the first row's cells
		return SayAt(notices, 0, "ranked column %ld", t.column);
	if (t.column > 0)
		return SayAt(notices, 0, "ranked column %ld of %ld", t.column,
		             count);
	const Row& row = t.rows[std::min<long long>(std::max(t.read, 1LL) - 1,
	                                            kHeldRows - 1)];
	bool asked = t.name != nullptr || t.asked != 0;
	bool numbers = !asked && row.numbers > 0;
	Listed list = List(t, numbers ? row : t.rows[0], numbers);
	const char* columns = list.s;
	if (t.name != nullptr)
		SayAt(notices, 0, "no column is named \"%s\"; %s%s\n%s",
		      Quote(t.name, strlen(t.name)).s,
		      count == 0 ? "the table is empty" : "the columns are ",
		      columns, kUsageLine);
	else if (asked && !t.header)
		SayAt(notices, 0,
		      "there is no column %ld; the first row has %ld "
		      "cell%s\n%s",
		      t.asked, count, count == 1 ? "" : "s", kUsageLine);
	else if (asked)
		SayAt(notices, 0, "there is no column %ld; %s%s\n%s", t.asked,
		      count == 0 ? "the table is empty" : "the columns are ",
		      columns, kUsageLine);
	else if (numbers)
		SayAt(notices, 0,
		      "%ld columns hold numbers, %s; choose one, as in "
		      "--column %s",
		      row.numbers, columns, Name(t, list.last).typed);
	else
		SayAt(notices, 0,
		      "no column holds a number below the header %s; choose "
		      "one, as in --column %s",
		      columns, Name(t, list.last).typed);
}

Why Reason(const Word& w)
{
	Why why;
	const auto* b = reinterpret_cast<const unsigned char*>(w.s);
	bool sign = b[0] == '-' || b[0] == '+';
	// U+2212, the minus sign, and U+2010 to U+2015, the dashes.
	bool dash = w.len > 3 && b[0] == 0xE2 &&
	            ((b[1] == 0x88 && b[2] == 0x92) ||
	             (b[1] == 0x80 && b[2] >= 0x90 && b[2] <= 0x95)) &&
	            b[3] >= '0' && b[3] <= '9';
	size_t len;
	long c = DecodeUtf8(w.stop, sizeof w.stop, &len);
	// In many a console font a letter O looks like a zero and an l like
	// a one, so those are named in words.
	const char* text =
	        w.kind == Kind::kEmpty      ? "the cell holds no score"
	        : w.kind == Kind::kNegative ? "a score is 0 or more"
	        : w.kind == Kind::kTooLarge ? "larger than 2147483647"
	        : sign && (w.len == 1 || IsSpace(b[1]))
	                ? "a sign must touch its number, as in -1"
	        : dash               ? "type the minus with the - key"
	        : !w.digits || c < 0 ? "not a whole number"
	        : c == '.' || (c == ',' && w.inCell)
	                ? "a score is a whole number; round it"
	        : w.inCell && (c == ';' || c == ' ' || c == '\t')
	                ? "a cell holds one score"
	        : c == ',' || c == ';' ? "scores are separated by spaces"
	        : c == '"'             ? "quotes are not part of a score"
	        : c == 'O' || c == 'o' ? "the letter %c is not a zero"
	        : c == 'l' || c == 'I' ? "the letter %c is not a one"
	        : (c | 0x20) >= 'a' && (c | 0x20) <= 'z'
	                ? "the letter %c is not a digit"
	        : c > ' ' && c < 0x7F ? "the character %c is not a digit"
	                              : "U+%04X is not a digit";
	snprintf(why.s, sizeof why.s, text, static_cast<int>(c));
	return why;
}
