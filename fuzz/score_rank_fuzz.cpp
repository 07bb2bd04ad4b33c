// Runs the whole program on each fuzz input, given as its standard input,
// and holds what it writes on standard output, its exit status, where it
// leaves standard input and the words its notices quote to a plain model:
// the words of the input, read one by one, ranked with std::sort, and shown
// by the rule for quoting, with characters told apart by RFC 3629's table.  The
// program's reads return pieces of the sizes that the input's first byte
// gives; it must write the same bytes on both outputs as when its reads
// return all they ask for: a word split
// across reads reads as the same word, and both leave standard input at the
// same offset.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "score_rank.h"

// The sizes of the pieces that reads of standard input return while the
// small-block build runs: two bits a read, cycling through the byte, for 1
// to 3 bytes, or 0 for as many as asked for.  The program's calls of read
// come here (the link option --wrap=read), so this state is global.
struct Pieces {
	bool on;
	unsigned sizes;
	unsigned next;
};
Pieces pieces;

extern "C" ssize_t __real_read(int fd, void* buf, size_t size);
extern "C" ssize_t __wrap_read(int fd, void* buf, size_t size)
{
	if (fd == 0 && pieces.on) {
		unsigned piece = pieces.sizes >> (2 * (pieces.next++ % 4)) & 3;
		if (piece != 0 && piece < size)
			size = piece;
	}
	return __real_read(fd, buf, size);
}

namespace {

// What one run of the program gave; its outputs are short by design.
struct Outcome {
	int status;
	off_t offset; // of standard input after the run
	char out[4096];
	char err[4096];
};

[[noreturn]] void Fail(const char* what, const char* out)
{
	fprintf(stderr, "score-rank fuzz: %s; the output:\n%s\n", what, out);
	abort();
}

// The input as text: without a UTF-8 byte-order mark, and UTF-16 after its
// mark turned into bytes: a surrogate pair into the two bytes of U+0080,
// any other character outside ASCII into 0xFF.
// Byte i of the text starts at *start + *width * i in the input.
std::string Text(const uint8_t* data, size_t size, size_t* start, size_t* width)
{
	std::string bytes(data, data + size);
	*start = 0;
	*width = 1;
	if (bytes.compare(0, 3, "\xef\xbb\xbf") == 0) {
		*start = 3;
		return bytes.substr(3);
	}
	bool little = bytes.compare(0, 2, "\xff\xfe") == 0;
	if (!little && bytes.compare(0, 2, "\xfe\xff") != 0)
		return bytes;
	*start = 2;
	*width = 2;
	std::string text;
	for (size_t i = 2; i + 1 < size; i += 2) {
		unsigned first = data[i];
		unsigned second = data[i + 1];
		unsigned unit =
		        little ? first | second << 8 : first << 8 | second;
		bool high = unit >= 0xD800 && unit < 0xDC00;
		bool low = unit >= 0xDC00 && unit < 0xE000;
		text += unit < 0x80 ? static_cast<char>(unit)
		        : high      ? '\xc2'
		        : low       ? '\x80'
		                    : '\xff';
	}
	if (size % 2 != 0)
		text += " \xff";
	return text;
}

// The length of the well-formed UTF-8 character that begins at s[at], from
// RFC 3629's table of the bytes each may hold, or 0 where none begins.
size_t CharLength(const std::string& s, size_t at)
{
	struct Row {
		unsigned lead, lastLead, second, lastSecond;
		size_t length;
	};
	static constexpr Row kTable[] = {
	        {0x00, 0x7F, 0, 0, 1},       {0xC2, 0xDF, 0x80, 0xBF, 2},
	        {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
	        {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
	        {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4},
	        {0xF4, 0xF4, 0x80, 0x8F, 4},
	};
	auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
	for (const Row& row : kTable) {
		if (byte(at) < row.lead || byte(at) > row.lastLead)
			continue;
		if (row.length == 1)
			return 1;
		if (at + row.length > s.size() || byte(at + 1) < row.second ||
		    byte(at + 1) > row.lastSecond)
			return 0;
		for (size_t i = 2; i < row.length; i++)
			if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
				return 0;
		return row.length;
	}
	return 0;
}

// Whether the well-formed character of the given length at s[at] shows as
// nothing or moves text: a C0 or C1 control or DEL, or one of Unicode
// 14.0's format characters (Cf) and separators (Zs, Zl, Zp) but U+0020.
bool Control(const std::string& s, size_t at, size_t length)
{
	static constexpr unsigned kMasks[] = {0x7F, 0x1F, 0x0F, 0x07};
	unsigned code = static_cast<unsigned char>(s[at]) & kMasks[length - 1];
	for (size_t i = 1; i < length; i++)
		code = code << 6 |
		       (static_cast<unsigned char>(s[at + i]) & 0x3F);
	struct Range {
		unsigned first, last;
	};
	static constexpr Range kHidden[] = {
	        {0x00, 0x1F},       {0x7F, 0x9F},       {0xA0, 0xA0},
	        {0xAD, 0xAD},       {0x600, 0x605},     {0x61C, 0x61C},
	        {0x6DD, 0x6DD},     {0x70F, 0x70F},     {0x890, 0x891},
	        {0x8E2, 0x8E2},     {0x1680, 0x1680},   {0x180E, 0x180E},
	        {0x2000, 0x200A},   {0x200B, 0x200F},   {0x2028, 0x2029},
	        {0x202A, 0x202E},   {0x202F, 0x202F},   {0x205F, 0x205F},
	        {0x2060, 0x2064},   {0x2066, 0x206F},   {0x3000, 0x3000},
	        {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
	        {0x110CD, 0x110CD}, {0x13430, 0x13438}, {0x1BCA0, 0x1BCA3},
	        {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
	};
	return std::any_of(
	        std::begin(kHidden), std::end(kHidden),
	        [code](Range r) { return code >= r.first && code <= r.last; });
}

// A word as a notice quotes it: its characters that begin in its first 20
// bytes, as they are where each is well-formed and no control, else each
// that is not printable ASCII as '?'; "..." where the word goes on.
std::string Quoted(const std::string& word)
{
	std::string whole, ascii;
	bool plain = true;
	size_t at = 0;
	while (at < word.size() && at < 20) {
		size_t length = CharLength(word, at);
		bool printable = length != 0 && !Control(word, at, length);
		plain = plain && printable;
		ascii += length == 1 && printable ? word[at] : '?';
		whole += word.substr(at, std::max<size_t>(length, 1));
		at += std::max<size_t>(length, 1);
	}
	return (plain ? whole : ascii) + (at < word.size() ? "..." : "");
}

bool Digit(char c)
{
	return c >= '0' && c <= '9';
}

bool Space(char c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whether text is a [+-]?[0-9]+ number.
bool Number(const std::string& text)
{
	size_t digits = text[0] == '-' || text[0] == '+' ? 1 : 0;
	return text.size() > digits &&
	       text.find_first_not_of("0123456789", digits) ==
	               std::string::npos;
}

// What the first line that is not blank makes of the text: a table's
// separator, or 0 for a list, whose separator, read as white space, goes
// into *list.  A quote opens at a word's start and "" goes on in it; the
// line's words are split at white space and the three separators; a comma
// between digits may be a decimal one.  A NUL, or a negative number before
// any separator or after numbers alone, settles it as a list.
char Separator(const std::string& text, char* list)
{
	std::string seen, word;
	bool numbers = true, decimal = false, blank = true, settled = false;
	for (size_t i = 0; i < text.size() && !settled; i++) {
		char c = text[i];
		settled = c == '\0';
		if (c == '"' && word.empty()) {
			word = "\"", numbers = false, blank = false;
			size_t close = i + 1;
			for (; close < text.size() && text[close] != '\0';
			     close++)
				if (text[close] == '"' &&
				    (close + 1 == text.size() ||
				     text[close + 1] != '"'))
					break;
				else if (text[close] == '"')
					close++;
			if (close >= text.size() || text[close] == '\0')
				settled = close < text.size();
			i = close >= text.size() || settled ? text.size()
			                                    : close;
			continue;
		}
		if ((c == '\n' && !blank) || settled)
			break;
		if (Space(c) || c == ';' || c == ',') {
			numbers = numbers && (word.empty() || Number(word));
			decimal = decimal ||
			          (c == ',' && i > 0 && i + 1 < text.size() &&
			           Digit(text[i - 1]) && Digit(text[i + 1]));
			if (c == ';' || c == ',' || c == '\t')
				seen += c;
			blank = blank && Space(c);
			word.clear();
			continue;
		}
		blank = false;
		word += c;
		settled = word.size() > 1 && word[0] == '-' &&
		          word.find_first_not_of('0', 1) == word.size() - 1 &&
		          c >= '1' && c <= '9' &&
		          ((numbers && !decimal) || seen.empty());
		if (!Digit(c) && !(word.size() == 1 && (c == '-' || c == '+')))
			numbers = false;
	}
	numbers = numbers && (word.empty() || Number(word)) && !decimal;
	*list = seen.find(';') != std::string::npos   ? ';'
	        : seen.find(',') != std::string::npos ? ','
	        : seen.empty()                        ? 0
	                                              : '\t';
	return numbers || settled ? 0 : *list;
}

struct Cell {
	std::string text;
	long long line;
};

struct Row {
	std::vector<Cell> cells;
	long long line;
	bool cut; // a NUL ended it
};

// The rows of a table, as RFC 4180 reads them, white space around a cell
// not part of it; they end at a NUL, whose place goes into *nul.
std::vector<Row> Rows(const std::string& text, char sep, size_t* nul)
{
	std::vector<Row> rows;
	long long line = 1;
	size_t at = 0;
	auto gap = [&](bool rowStart) {
		while (at < text.size() && Space(text[at]) && text[at] != sep &&
		       (rowStart || text[at] != '\n'))
			line += text[at++] == '\n';
	};
	for (;;) {
		gap(true);
		*nul = at < text.size() ? at : std::string::npos;
		if (at >= text.size() || text[at] == '\0')
			return rows;
		Row row{{}, line, false};
		for (bool more = true; more;) {
			gap(false);
			Cell cell{"", line};
			bool quoted = at < text.size() && text[at] == '"';
			at += quoted ? 1 : 0;
			std::string spaces;
			for (; at < text.size() && text[at] != '\0'; at++) {
				char c = text[at];
				if (quoted && c == '"') {
					quoted = at + 1 < text.size() &&
					         text[at + 1] == '"';
					if (quoted) {
						cell.text += '"', at++;
						continue;
					}
					continue;
				}
				if (!quoted && (c == '\n' || c == sep))
					break;
				line += c == '\n';
				if (!quoted && Space(c)) {
					spaces += ' ';
					continue;
				}
				cell.text += spaces + c;
				spaces.clear();
			}
			row.cut = at < text.size() && text[at] == '\0';
			more = at < text.size() && text[at] == sep;
			row.cells.push_back(cell);
			if (row.cut) {
				*nul = at;
				rows.push_back(row);
				return rows;
			}
			line += at < text.size() && text[at] == '\n';
			at++;
		}
		rows.push_back(row);
	}
}

// The numbers among a row's cells but one that a NUL cut: how many, and
// the last one's column in *last.
size_t Numbers(const Row& row, size_t* last)
{
	size_t n = 0;
	for (size_t i = 0; i + (row.cut ? 1 : 0) < row.cells.size(); i++)
		if (Number(row.cells[i].text))
			n++, *last = i + 1;
	return n;
}

// A table: the column of scores the only one with a number in the first
// row, or in the first below the header that has one; each cell of it a
// word, a negative number and an empty cell left out too, to the end.  The
// cells of the rows before that one that a notice quotes are held as far
// as column 16 and for ten rows; an odd byte of UTF-16 is a row of its own.
std::string TableModel(const std::string& text, char sep, bool half,
                       int* status, size_t* stop,
                       std::vector<std::string>* notices)
{
	std::vector<Row> rows = Rows(text, sep, stop);
	size_t column = 0, decide = 0, last = 0;
	bool header = Numbers(rows[0], &last) == 0;
	while (header && ++decide < rows.size() &&
	       Numbers(rows[decide], &last) == 0) {
	}
	const Row& decided = rows[std::min(decide, rows.size() - 1)];
	size_t numbers = Numbers(decided, &last);
	column = numbers == 1 ? last : 0;
	std::string out = "input score:Total students are ";
	size_t of = rows[0].cells.size();
	if (column == 0) {
		*status = 2;
		notices->push_back(
		        numbers > 1 ? "score-rank: " + std::to_string(numbers) +
		                              " columns hold numbers"
		                    : "score-rank: no column holds a number "
		                      "below the header");
		// The rest is read unseen, unless the rows read met the NUL.
		if (!decided.cut && decide < rows.size())
			*stop = std::string::npos;
		return out + "0\n";
	}
	std::string place =
	        std::to_string(column) + " of " + std::to_string(of);
	notices->push_back(
	        header && column <= std::min<size_t>(16, of)
	                ? "score-rank: ranked the column \"" +
	                          Quoted(rows[0].cells[column - 1].text) +
	                          "\" (" + place + ")"
	        : column > of ? "score-rank: ranked column " +
	                                std::to_string(column) + "\n"
	                      : "score-rank: ranked column " + place);
	if (half && *stop == std::string::npos)
		rows.push_back(
		        Row{{Cell{"\xff", 1 + std::count(text.begin(),
		                                         text.end(), '\n')}},
		            1 + std::count(text.begin(), text.end(), '\n'),
		            false});
	std::vector<long long> scores;
	long long leftOut = 0;
	*status = 0;
	for (size_t i = header ? 1 : 0; i < rows.size(); i++) {
		const Row& row = rows[i];
		if (row.cut && column >= row.cells.size())
			break;
		Cell cell = column <= row.cells.size() ? row.cells[column - 1]
		                                       : Cell{"", row.line};
		if (i < decide && column > 16 && column <= row.cells.size())
			cell = Cell{"...", row.line};
		const std::string& t = cell.text;
		size_t digits = t[0] == '-' || t[0] == '+' ? 1 : 0;
		size_t nonzero = t.find_first_not_of('0', digits);
		bool number = !t.empty() && Number(t);
		bool zero = nonzero == std::string::npos;
		if (number && (t[0] != '-' || zero) &&
		    (zero || t.size() - nonzero <= 10) &&
		    (zero || std::stoll(t.substr(nonzero)) <= INT_MAX)) {
			scores.push_back(zero ? 0
			                      : std::stoll(t.substr(nonzero)));
			continue;
		}
		*status = 1;
		if (++leftOut <= 10)
			notices->push_back("line " + std::to_string(cell.line) +
			                   ": left out \"" + Quoted(t) + "\":");
	}
	if (*stop != std::string::npos)
		*status = 1;
	if (leftOut > 0)
		notices->push_back("score-rank: " + std::to_string(leftOut) +
		                   " cell");
	out += std::to_string(scores.size()) + "\n";
	std::sort(scores.begin(), scores.end(), std::greater<>());
	scores.resize(std::min<size_t>(scores.size(), 40));
	for (long long score : scores)
		out += std::to_string(score) + " ";
	return out;
}

// What the program should write on standard output, its exit status, and
// the offset it leaves standard input at: past a negative number's digits,
// at the start of a word that holds a NUL, or at the end.  A word that is
// not a score is left out, and the list goes on; the first ten such get a
// notice that quotes them, in notices, and one notice counts them all.
std::string Model(const uint8_t* data, size_t size, int* status, off_t* offset,
                  std::vector<std::string>* notices)
{
	size_t start, width;
	std::string text = Text(data, size, &start, &width);
	// A table is read and told without the odd byte of UTF-16.
	bool half = width == 2 && size % 2 != 0;
	char list;
	char sep =
	        Separator(text.substr(0, text.size() - (half ? 2 : 0)), &list);
	if (sep != 0) {
		size_t nul;
		std::string out =
		        TableModel(text.substr(0, text.size() - (half ? 2 : 0)),
		                   sep, half, status, &nul, notices);
		*offset = static_cast<off_t>(
		        nul == std::string::npos
		                ? size
		                : std::min(start + width * nul, size));
		return out;
	}
	if (list != 0)
		std::replace(text.begin(), text.end(), list, ' ');
	std::vector<long long> scores;
	*status = 0;
	size_t stop = text.size();
	auto space = [](char c) {
		return c == ' ' || (c >= '\t' && c <= '\r');
	};
	size_t at = 0;
	long long leftOut = 0;
	long long line = 1;
	while (true) {
		for (; at < text.size() && space(text[at]); at++)
			line += text[at] == '\n';
		if (at == text.size())
			break;
		size_t end = at;
		while (end < text.size() && !space(text[end]))
			end++;
		size_t begin = at;
		// A sign alone takes the number after it on its line along.
		size_t next = text.find_first_not_of(" \t", end);
		if (end - begin == 1 &&
		    (text[begin] == '-' || text[begin] == '+') &&
		    next != std::string::npos && text[next] >= '0' &&
		    text[next] <= '9')
			for (end = next;
			     end < text.size() && !space(text[end]);)
				end++;
		std::string word = text.substr(begin, end - begin);
		at = end;
		size_t digits = word[0] == '-' || word[0] == '+' ? 1 : 0;
		size_t last = word.find_first_not_of("0123456789", digits);
		size_t nonzero = word.find_first_not_of('0', digits);
		// A negative number ends the list at its first digit that is
		// not 0.
		if (word[0] == '-' && nonzero != std::string::npos &&
		    nonzero < last) {
			stop = begin + std::min(last, word.size());
			break;
		}
		if (word.find('\0') != std::string::npos) {
			*status = 1;
			stop = begin;
			break;
		}
		if (last != std::string::npos || word.size() == digits ||
		    (nonzero != std::string::npos &&
		     word.size() - nonzero > 10) ||
		    std::stoll(word.substr(digits)) > INT_MAX) {
			*status = 1;
			if (++leftOut <= 10)
				notices->push_back(
				        "line " + std::to_string(line) +
				        ": left out \"" + Quoted(word) + "\":");
			continue;
		}
		scores.push_back(std::stoll(word.substr(digits)));
	}
	*offset = static_cast<off_t>(std::min(start + width * stop, size));
	if (leftOut > 0)
		notices->push_back("score-rank: " + std::to_string(leftOut) +
		                   " word");
	std::string out = "input score:Total students are " +
	                  std::to_string(scores.size()) + "\n";
	std::sort(scores.begin(), scores.end(), std::greater<>());
	if (scores.size() > 40)
		scores.resize(40);
	for (long long score : scores)
		out += std::to_string(score) + " ";
	return out;
}

// Reads back what the program wrote to the memory file fd, as a string.
void ReadBack(int fd, char* text, size_t size)
{
	ssize_t len = pread(fd, text, size, 0);
	if (len < 0 || static_cast<size_t>(len) >= size)
		abort();
	text[len] = '\0';
	if (memchr(text, '\0', static_cast<size_t>(len)) != nullptr)
		Fail("NUL byte in the output", text);
}

constexpr int kOut = 101; // the memory file for standard output
constexpr int kErr = 100; // the memory file for standard error

// Runs the program on the input.  Standard error goes to its memory file
// only while the program runs, so that the messages of libFuzzer and of the
// checks still reach the terminal.  The program closes standard output, so
// it is opened again on the memory file after each run.
void RunProgram(const uint8_t* data, size_t size, Outcome* run)
{
	char name[] = "score-rank";
	char* argv[] = {name, nullptr};
	if (ftruncate(kOut, 0) != 0 || lseek(kOut, 0, SEEK_SET) != 0 ||
	    dup2(kOut, 1) < 0 || (stdout = fdopen(1, "w")) == nullptr)
		abort();
	int saved = dup(2);
	if (saved < 0 || ftruncate(0, 0) != 0 ||
	    pwrite(0, data, size, 0) != static_cast<ssize_t>(size) ||
	    lseek(0, 0, SEEK_SET) != 0 || ftruncate(kErr, 0) != 0 ||
	    lseek(kErr, 0, SEEK_SET) != 0 || dup2(kErr, 2) < 0)
		abort();
	run->status = Run(1, argv);
	run->offset = lseek(0, 0, SEEK_CUR);
	if (dup2(saved, 2) < 0 || close(saved) != 0)
		abort();
	ReadBack(kOut, run->out, sizeof run->out);
	ReadBack(kErr, run->err, sizeof run->err);
}

} // namespace

// Standard input becomes a memory file, refilled for every run; standard
// output and error get one each too, at descriptors kOut and kErr.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	int in = memfd_create("stdin", 0);
	int out = memfd_create("stdout", 0);
	int err = memfd_create("stderr", 0);
	if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 ||
	    dup2(out, kOut) < 0 || dup2(err, kErr) < 0)
		abort();
	close(in);
	close(out);
	close(err);
	return 0;
}

// The first byte gives the sizes of the pieces, and the rest is the input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size == 0)
		return 0;
	pieces = Pieces{true, data[0], 0};
	data++;
	size--;
	Outcome small, whole;
	RunProgram(data, size, &small);
	pieces.on = false;
	RunProgram(data, size, &whole);

	int status;
	off_t offset;
	std::vector<std::string> notices;
	if (Model(data, size, &status, &offset, &notices) != small.out)
		Fail("standard output is not the model's", small.out);
	// The notices as one line each: a cell may hold spaces, where a long
	// notice is broken and goes on indented.
	std::string err = small.err;
	for (size_t at; (at = err.find("\n ")) != std::string::npos;)
		err.erase(at, 2);
	size_t after = 0;
	for (const std::string& notice : notices) {
		after = err.find(notice, after);
		if (after == std::string::npos)
			Fail(("no notice of " + notice).c_str(), small.err);
		after += notice.size();
	}
	if (small.status != status)
		Fail("exit status is not the model's", small.out);
	if (small.offset != offset)
		Fail("standard input left at another offset than the model's",
		     small.out);
	if (strcmp(small.out, whole.out) != 0)
		Fail("standard output differs from a whole read's", small.out);
	if (strcmp(small.err, whole.err) != 0)
		Fail("standard error differs from a whole read's", small.err);
	if (small.offset != whole.offset)
		Fail("standard input left at another offset than by a whole "
		     "read",
		     small.out);
	return 0;
}
