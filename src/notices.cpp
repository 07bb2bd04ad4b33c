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
	        w.kind == Kind::kTooLarge ? "larger than 2147483647"
	        : sign && (w.len == 1 || IsSpace(b[1]))
	                ? "a sign must touch its number, as in -1"
	        : dash                 ? "type the minus with the - key"
	        : !w.digits || c < 0   ? "not a whole number"
	        : c == '.'             ? "a score is a whole number; round it"
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
