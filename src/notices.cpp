// The texts on standard error.  A notice is one line that starts with the
// program's name, made whole and written at once, so that the notices of
// runs that share a log never mix.  Where it would pass 79 columns, it
// breaks between words and goes on indented, so that a console window 80
// columns wide never breaks a word.

#include "notices.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kColumns = 79;
constexpr size_t kNameBytes = 4096; // of a name shown; a longer one is cut

// A notice being made.
struct Notice {
	char s[kNameBytes + 512];
	size_t len;
	size_t column;
};

// The columns that n bytes of UTF-8 text take: one a character.
size_t Columns(const char* text, size_t n)
{
	size_t columns = 0;
	for (size_t i = 0; i < n; i++)
		columns += (text[i] & 0xC0) != 0x80;
	return columns;
}

// Adds n bytes of UTF-8 text to the notice, as far as it has room.
void Put(Notice* notice, const char* text, size_t n)
{
	n = std::min(n, sizeof notice->s - notice->len);
	memcpy(notice->s + notice->len, text, n);
	notice->len += n;
	notice->column += Columns(text, n);
}

// Adds a name to the notice, as it is where it is plain, else quoted.
void PutName(Notice* notice, const Arg* name)
{
	char text[kNameBytes];
	size_t len = ArgText(name, text, sizeof text);
	if (!Plain(text, len)) {
		Shown shown = Quote(text, len);
		Put(notice, shown.s, strlen(shown.s));
		return;
	}
	Put(notice, text, len);
	if (len == sizeof text)
		Put(notice, "...", 3);
}

// Adds text to the notice, breaking it at a space before a word that would
// pass kColumns, and ends the line.
void Wrap(Notice* notice, const char* text)
{
	for (const char* at = text; *at != '\0';) {
		size_t len = 1 + strcspn(at + 1, " ");
		if (*at == ' ' &&
		    notice->column + Columns(at, len) > kColumns) {
			Put(notice, "\n ", 2);
			notice->column = 1;
		}
		Put(notice, at, len);
		at += len;
	}
	Put(notice, "\n", 1);
}

// Writes a notice: the program's name, then the file's name where given,
// or the line where given, then the text, and lines to add as they are.
void Say(Notices* notices, const Arg* name, long long line, const char* text,
         const char* after = "")
{
	Notice notice{{}, 0, 0};
	if (notices != nullptr && notices->lineOpen)
		Put(&notice, "\n", 1);
	if (notices != nullptr)
		notices->lineOpen = false;
	notice.column = 0;
	Put(&notice, "score-rank: ", 12);
	if (name != nullptr)
		PutName(&notice, name);
	char where[32] = "";
	if (line > 0)
		snprintf(where, sizeof where,
		         name != nullptr ? ":%lld: " : "line %lld: ", line);
	char whole[512];
	snprintf(whole, sizeof whole, "%s%s", where, text);
	Wrap(&notice, whole);
	Put(&notice, after, strlen(after));
	WriteNotice(notice.s, notice.len);
}

// Says text about the word or the place on the given line of the input:
// typed, no line is given.
void SayAt(Notices* notices, bool typed, long long line, const char* text)
{
	Say(notices, typed ? nullptr : notices->name, typed ? 0 : line, text);
}

// Why a word is not a score, in words that say what to mend: its first
// character that is not a digit, where the word holds digits.  In many a
// console font a letter O looks like a zero and an l like a one, so those
// are named in words.
struct Why {
	char s[48];
};

Why Reason(const char* word, size_t len, bool tooLarge)
{
	Why why{"larger than 2147483647"};
	if (tooLarge)
		return why;
	size_t sign = word[0] == '-' || word[0] == '+' ? 1 : 0;
	size_t at = sign;
	while (at < len && word[at] >= '0' && word[at] <= '9')
		at++;
	bool digits = at > sign;
	for (size_t i = at; i < len && !digits; i++)
		digits = word[i] >= '0' && word[i] <= '9';
	// U+2212, the minus sign, and U+2010 to U+2015, the dashes.
	const auto* b = reinterpret_cast<const unsigned char*>(word);
	bool dash = len > 3 && b[0] == 0xE2 &&
	            ((b[1] == 0x88 && b[2] == 0x92) ||
	             (b[1] == 0x80 && b[2] >= 0x90 && b[2] <= 0x95)) &&
	            b[3] >= '0' && b[3] <= '9';
	char c = at < len ? word[at] : '\0';
	if (len == 1 && sign == 1)
		snprintf(why.s, sizeof why.s,
		         "a sign must touch its number, as in -1");
	else if (dash)
		snprintf(why.s, sizeof why.s, "type the minus with the - key");
	else if (!digits || c <= ' ' || c > '~')
		snprintf(why.s, sizeof why.s, "not a whole number");
	else if (c == '.')
		snprintf(why.s, sizeof why.s, "a score is a whole number");
	else if (c == ',' || c == ';')
		snprintf(why.s, sizeof why.s, "scores are separated by spaces");
	else if (c == 'O' || c == 'o')
		snprintf(why.s, sizeof why.s, "the letter %c is not a zero", c);
	else if (c == 'l' || c == 'I')
		snprintf(why.s, sizeof why.s, "the letter %c is not a one", c);
	else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
		snprintf(why.s, sizeof why.s, "the letter %c is not a digit",
		         c);
	else
		snprintf(why.s, sizeof why.s, "the character %c is not a digit",
		         c);
	return why;
}

} // namespace

void SayHint()
{
	fputs("Type the scores, then -1 and Enter to end the list.\n", stderr);
}

void SayLeftOut(Notices* notices, const char* word, size_t len, bool tooLarge,
                bool typed, long long line)
{
	char text[128];
	snprintf(text, sizeof text, "left out \"%s\": %s%s", Quote(word, len).s,
	         Reason(word, len, tooLarge).s, typed ? "; go on typing" : "");
	SayAt(notices, typed, line, text);
}

void SayNotText(Notices* notices, bool typed, long long line)
{
	SayAt(notices, typed, line,
	      "not a text file; save the sheet as CSV or as text");
}

void SayNotRanked(Notices* notices, const char* words, size_t len)
{
	char text[128];
	snprintf(text, sizeof text,
	         "\"%s\" after the end of the list was not ranked",
	         Quote(words, len).s);
	Say(notices, nullptr, 0, text);
}

void SayRestUnread(Notices* notices, long long line)
{
	Say(notices, notices->name, line,
	    "the list ended here; the rest was not read");
}

void SayCut(Notices* notices, long long leftOut, int highest, long long tied)
{
	char ties[64] = "";
	if (tied > 0)
		snprintf(ties, sizeof ties,
		         " (%lld equal to the lowest listed)", tied);
	char text[160];
	snprintf(text, sizeof text,
	         "the 40 highest are listed; %lld more, none above %d, "
	         "were left out%s",
	         leftOut, highest, ties);
	Say(notices, nullptr, 0, text);
}

void SayWordsLeftOut(Notices* notices, long long words, long long unnamed)
{
	char text[160];
	int n = snprintf(text, sizeof text, "%lld %s left out", words,
	                 words == 1 ? "word that is not a score was"
	                            : "words that are not scores were");
	if (unnamed > 0)
		snprintf(text + n, sizeof text - static_cast<size_t>(n),
		         ", %lld of them not named above", unnamed);
	Say(notices, nullptr, 0, text);
}

void SayInputError(Notices* notices, const char* what, bool named, int error)
{
	bool says = notices->name == nullptr || named;
	char text[160];
	snprintf(text, sizeof text, "%s%s%s%s",
	         notices->name != nullptr ? ": " : "", says ? what : "",
	         says ? ": " : "", strerror(error));
	Say(notices, notices->name, 0, text);
}

void SayUsage(const char* why, const Arg* arg)
{
	char utf8[kShownText + 4];
	char text[128];
	snprintf(text, sizeof text, "%s \"%s\"", why,
	         Quote(utf8, ArgText(arg, utf8, sizeof utf8)).s);
	Say(nullptr, nullptr, 0, text, kUsageLine);
}

void SayWriteError(int error)
{
	char text[128];
	snprintf(text, sizeof text, "write error: %s", strerror(error));
	Say(nullptr, nullptr, 0, text);
}

void EndLine(Notices* notices)
{
	if (notices->lineOpen)
		WriteNotice("\n", 1);
	notices->lineOpen = false;
}
