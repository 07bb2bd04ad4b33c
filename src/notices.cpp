// The texts on standard error.  A notice is one line that starts with the
// program's name; where it would pass 79 columns, it breaks between words
// and goes on indented, so that a console window 80 columns wide never
// breaks a word.  Where the prompt's line is open on the terminal, the
// notice starts a line of its own.

#include "notices.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kColumns = 79;

bool Continues(unsigned char b)
{
	return b >= 0x80 && b < 0xC0;
}

// The bytes of the UTF-8 character that starts with b; 1 for any byte that
// starts none.
size_t CharLength(unsigned char b)
{
	return b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

// Writes text on standard error from the given column on, breaking it at a
// space before a word that would pass kColumns, and ends the line.
void Wrap(size_t column, const char* text)
{
	for (const char* at = text; *at != '\0';) {
		size_t len = 1 + strcspn(at + 1, " ");
		if (*at == ' ' && column + len > kColumns) {
			fputs("\n ", stderr);
			column = 1;
		}
		fwrite(at, 1, len, stderr);
		column += len;
		at += len;
	}
	fputc('\n', stderr);
}

// Writes a notice: the program's name, the file's name where given, then
// the text made from format.
void Say(Notices* notices, const Arg* name, const char* format, ...)
{
	if (notices != nullptr && notices->lineOpen)
		fputc('\n', stderr);
	if (notices != nullptr)
		notices->lineOpen = false;
	fputs("score-rank: ", stderr);
	size_t column = sizeof "score-rank: " - 1;
	if (name != nullptr)
		column += PrintName(name);
	char text[256];
	va_list args;
	va_start(args, format);
	vsnprintf(text, sizeof text, format, args);
	va_end(args);
	Wrap(column, text);
}

// Why a word is not a score, in words that say what to mend: its first
// character that is not a digit, where the word holds digits.  In many a
// console font a letter O looks like a zero and an l like a one, so those
// are named in words.
struct Why {
	char s[40];
};

Why Reason(const char* word, size_t len, bool tooLarge)
{
	Why why{"larger than 2147483647"};
	if (tooLarge)
		return why;
	size_t sign = len > 0 && (word[0] == '-' || word[0] == '+') ? 1 : 0;
	size_t at = sign;
	while (at < len && word[at] >= '0' && word[at] <= '9')
		at++;
	bool digits = at > sign;
	for (size_t i = at; i < len && !digits; i++)
		digits = word[i] >= '0' && word[i] <= '9';
	char c = at < len ? word[at] : '\0';
	if (!digits || c <= ' ' || c > '~')
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

size_t ShownLength(const char* text, size_t len)
{
	if (len <= kShownText)
		return len;
	const auto* b = reinterpret_cast<const unsigned char*>(text);
	size_t lead = kShownText - 1;
	while (lead > 0 && kShownText - lead < 4 && Continues(b[lead]))
		lead--;
	size_t end = lead + CharLength(b[lead]);
	size_t shown = kShownText;
	while (shown < end && shown < len && Continues(b[shown]))
		shown++;
	return shown;
}

Shown Quote(const char* text, size_t len)
{
	Shown shown;
	size_t n = ShownLength(text, len);
	size_t at = 0;
	for (size_t i = 0; i < n; i++) {
		auto b = static_cast<unsigned char>(text[i]);
		if (!Continues(b) || i == 0 ||
		    static_cast<unsigned char>(text[i - 1]) < 0x80)
			shown.s[at++] = b >= ' ' && b <= '~'
			                        ? static_cast<char>(b)
			                        : '?';
	}
	memcpy(shown.s + at, len > n ? "..." : "", len > n ? 4 : 1);
	return shown;
}

void SayHint()
{
	fputs("Type the scores, then -1 and Enter to end the list.\n", stderr);
}

void SayWord(Notices* notices, const char* word, size_t len, bool tooLarge,
             bool typed, long long line)
{
	Shown shown = Quote(word, len);
	Why why = Reason(word, len, tooLarge);
	if (typed)
		Say(notices, nullptr, "left out \"%s\": %s; go on typing",
		    shown.s, why.s);
	else if (notices->name != nullptr)
		Say(notices, notices->name,
		    ":%lld: stopped reading at \"%s\": %s", line, shown.s,
		    why.s);
	else
		Say(notices, nullptr,
		    "line %lld: stopped reading at \"%s\": %s", line, shown.s,
		    why.s);
}

void SayTypedAfter(Notices* notices, const char* words, size_t len)
{
	Say(notices, nullptr,
	    "\"%s\" typed after the end of the list was not "
	    "ranked",
	    Quote(words, len).s);
}

void SayRestUnread(Notices* notices, long long line)
{
	Say(notices, notices->name,
	    ":%lld: the list ended here; the rest was not read", line);
}

void SayLeftOut(Notices* notices, long long leftOut, int highest,
                long long tied)
{
	char ties[64] = "";
	if (tied > 0)
		snprintf(ties, sizeof ties,
		         " (%lld equal to the lowest listed)", tied);
	Say(notices, nullptr,
	    "the 40 highest are listed; %lld more, none above %d, were left "
	    "out%s",
	    leftOut, highest, ties);
}

void SayInputError(Notices* notices, int error)
{
	if (notices->name == nullptr)
		Say(notices, nullptr, "read error: %s", strerror(error));
	else
		Say(notices, notices->name, ": %s", strerror(error));
}

void SayUsage(const char* why, const Arg* arg)
{
	Say(nullptr, nullptr, "%s \"%s\"", why, QuoteArg(arg).s);
	fputs(kUsageLine, stderr);
}

void SayWriteError(int error)
{
	Say(nullptr, nullptr, "write error: %s", strerror(error));
}
