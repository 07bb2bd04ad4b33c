// How a notice shows text that came from outside, and how wide it is.

#include "quote.h"

#include <cstring>

namespace {

// Characters that show as nothing or move the text around them: the C0 and
// C1 controls and DEL, and Unicode's format characters (Cf, the bidi
// controls among them) and its space, line and paragraph separators (Zs,
// Zl, Zp) but U+0020, as of Unicode 14.0: the first and last of each range.
constexpr long kHidden[] = {
        0x0,     0x1F,    0x7F,    0xA0,    0xAD,    0xAD,    0x600,   0x605,
        0x61C,   0x61C,   0x6DD,   0x6DD,   0x70F,   0x70F,   0x890,   0x891,
        0x8E2,   0x8E2,   0x1680,  0x1680,  0x180E,  0x180E,  0x2000,  0x200F,
        0x2028,  0x202F,  0x205F,  0x2064,  0x2066,  0x206F,  0x3000,  0x3000,
        0xFEFF,  0xFEFF,  0xFFF9,  0xFFFB,  0x110BD, 0x110BD, 0x110CD, 0x110CD,
        0x13430, 0x13438, 0x1BCA0, 0x1BCA3, 0x1D173, 0x1D17A, 0xE0001, 0xE0001,
        0xE0020, 0xE007F};

// East Asian Width W and F, from Unicode 14.0's EastAsianWidth.txt, with
// the unassigned code points between two ranges taken into them.
constexpr long kWide[] = {
        0x1100,  0x115F,  0x231A,  0x231B,  0x2329,  0x232A,  0x23E9,  0x23EC,
        0x23F0,  0x23F0,  0x23F3,  0x23F3,  0x25FD,  0x25FE,  0x2614,  0x2615,
        0x2648,  0x2653,  0x267F,  0x267F,  0x2693,  0x2693,  0x26A1,  0x26A1,
        0x26AA,  0x26AB,  0x26BD,  0x26BE,  0x26C4,  0x26C5,  0x26CE,  0x26CE,
        0x26D4,  0x26D4,  0x26EA,  0x26EA,  0x26F2,  0x26F3,  0x26F5,  0x26F5,
        0x26FA,  0x26FA,  0x26FD,  0x26FD,  0x2705,  0x2705,  0x270A,  0x270B,
        0x2728,  0x2728,  0x274C,  0x274C,  0x274E,  0x274E,  0x2753,  0x2755,
        0x2757,  0x2757,  0x2795,  0x2797,  0x27B0,  0x27B0,  0x27BF,  0x27BF,
        0x2B1B,  0x2B1C,  0x2B50,  0x2B50,  0x2B55,  0x2B55,  0x2E80,  0x303E,
        0x3041,  0x3247,  0x3250,  0x4DBF,  0x4E00,  0xA4C6,  0xA960,  0xA97C,
        0xAC00,  0xD7A3,  0xF900,  0xFAD9,  0xFE10,  0xFE19,  0xFE30,  0xFE6B,
        0xFF01,  0xFF60,  0xFFE0,  0xFFE6,  0x16FE0, 0x1B2FB, 0x1F004, 0x1F004,
        0x1F0CF, 0x1F0CF, 0x1F18E, 0x1F18E, 0x1F191, 0x1F19A, 0x1F200, 0x1F320,
        0x1F32D, 0x1F335, 0x1F337, 0x1F37C, 0x1F37E, 0x1F393, 0x1F3A0, 0x1F3CA,
        0x1F3CF, 0x1F3D3, 0x1F3E0, 0x1F3F0, 0x1F3F4, 0x1F3F4, 0x1F3F8, 0x1F43E,
        0x1F440, 0x1F440, 0x1F442, 0x1F4FC, 0x1F4FF, 0x1F53D, 0x1F54B, 0x1F54E,
        0x1F550, 0x1F567, 0x1F57A, 0x1F57A, 0x1F595, 0x1F596, 0x1F5A4, 0x1F5A4,
        0x1F5FB, 0x1F64F, 0x1F680, 0x1F6C5, 0x1F6CC, 0x1F6CC, 0x1F6D0, 0x1F6D2,
        0x1F6D5, 0x1F6DF, 0x1F6EB, 0x1F6EC, 0x1F6F4, 0x1F6FC, 0x1F7E0, 0x1F7F0,
        0x1F90C, 0x1F93A, 0x1F93C, 0x1F945, 0x1F947, 0x1F9FF, 0x1FA70, 0x1FAF6,
        0x20000, 0x3FFFD};

template <size_t n> bool In(const long (&ranges)[n], long code)
{
	for (size_t i = 0; i < n; i += 2)
		if (code >= ranges[i] && code <= ranges[i + 1])
			return true;
	return false;
}

} // namespace

long DecodeUtf8(const char* text, size_t n, size_t* len)
{
	const auto* b = reinterpret_cast<const unsigned char*>(text);
	size_t more = b[0] < 0x80                    ? 0
	              : b[0] >= 0xC2 && b[0] <= 0xDF ? 1
	              : b[0] >= 0xE0 && b[0] <= 0xEF ? 2
	              : b[0] >= 0xF0 && b[0] <= 0xF4 ? 3
	                                             : n;
	*len = 1;
	if (more >= n)
		return -1;
	long code = b[0] & (0x7F >> more);
	for (size_t i = 1; i <= more; i++) {
		if ((b[i] & 0xC0) != 0x80)
			return -1;
		code = code << 6 | (b[i] & 0x3F);
	}
	if ((more == 2 && code < 0x800) || (more == 3 && code < 0x10000) ||
	    code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
		return -1;
	*len = more + 1;
	return code;
}

size_t Show(const char* text, size_t len, size_t limit, bool more, char* out)
{
	size_t n = 0;
	bool plain = true;
	for (size_t step; n < len && n < limit; n += step) {
		long code = DecodeUtf8(text + n, len - n, &step);
		plain = plain && code >= 0 && !In(kHidden, code);
	}
	size_t at = n;
	if (plain) {
		memcpy(out, text, n);
	} else {
		at = 0;
		for (size_t i = 0, step; i < n; i += step) {
			long code = DecodeUtf8(text + i, n - i, &step);
			out[at++] = code >= ' ' && code < 0x7F ? text[i] : '?';
		}
	}
	bool cut = more || len > n;
	memcpy(out + at, cut ? "..." : "", cut ? 4 : 1);
	return at + (cut ? 3 : 0);
}

Shown Quote(const char* text, size_t len, bool more)
{
	Shown shown;
	Show(text, len, kShownText, more, shown.s);
	return shown;
}

size_t Columns(const char* text, size_t n)
{
	size_t columns = 0;
	for (size_t at = 0, step; at < n; at += step)
		columns += In(kWide, DecodeUtf8(text + at, n - at, &step)) ? 2U
		                                                           : 1U;
	return columns;
}
