// The program on Windows: descriptors read in binary, text ended by Ctrl+Z,
// names in wide characters shown in the console's code page, and a console
// window of the program's own kept open until the user has read it.

#ifdef _WIN32
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>

#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "notices.h"
#include "platform.h"

const char kUsageLine[] = "usage: score-rank.exe [--help | --version] [FILE]\n";
const char kFileForms[] =
        "  drop the file onto score-rank.exe, or in Command Prompt:\n"
        "  score-rank.exe FILE   or   score-rank.exe < FILE\n"
        "  and in PowerShell:   .\\score-rank.exe FILE\n";
const char kManual[] = "score-rank.txt, beside the program";

namespace {

HANDLE Handle(int fd)
{
	return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

bool Control(wchar_t c)
{
	return c < L' ' || (c >= 0x7F && c < 0xA0);
}

// Converts the units [name, name + n) to the code page into bytes; the
// count of bytes.  Some code pages (UTF-8, UTF-7, GB18030, the ISO-2022 and
// ISCII ones) take neither the flag against best fit nor a default
// character: where the conversion fails, it is made again without them.
int Convert(UINT page, const wchar_t* name, int n, char* bytes, int size)
{
	int len = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, name, n,
	                              bytes, size, "?", nullptr);
	if (len <= 0)
		len = WideCharToMultiByte(page, 0, name, n, bytes, size,
		                          nullptr, nullptr);
	return len > 0 ? len : 0;
}

} // namespace

int OpenInput(const wchar_t* name)
{
	return _wopen(name, _O_RDONLY | _O_BINARY);
}

bool IsTerminal(int fd)
{
	DWORD mode;
	return GetConsoleMode(Handle(fd), &mode) != 0;
}

long ReadSome(int fd, char* buf, size_t size)
{
	long n;
	do
		n = _read(fd, buf, static_cast<unsigned>(size));
	while (n < 0 && errno == EINTR);
	return n;
}

long long InputOffset(int fd)
{
	if (GetFileType(Handle(fd)) != FILE_TYPE_DISK)
		return -1;
	return _lseeki64(fd, 0, SEEK_CUR);
}

void SeekInput(int fd, long long offset)
{
	_lseeki64(fd, offset, SEEK_SET);
}

// Ctrl+Z ends Windows text, as the runtime's text mode has it.
size_t TextLength(const char* bytes, size_t n)
{
	const void* z = memchr(bytes, '\x1a', n);
	return z == nullptr ? n
	                    : static_cast<size_t>(static_cast<const char*>(z) -
	                                          bytes);
}

bool IsHelp(const wchar_t* arg)
{
	return wcscmp(arg, L"--help") == 0 || wcscmp(arg, L"-h") == 0 ||
	       wcscmp(arg, L"/?") == 0;
}

// In the code page of the console, or where standard error is not one, of
// the system, with '?' for a character that the code page lacks; a name
// with a control character is quoted.  The name is converted in pieces that
// no surrogate pair straddles, so that a name of any length fits a small
// buffer.
size_t PrintName(const wchar_t* name)
{
	size_t left = wcslen(name);
	for (size_t i = 0; i < left; i++) {
		if (Control(name[i])) {
			Shown shown = QuoteArg(name);
			fputs(shown.s, stderr);
			return strlen(shown.s);
		}
	}
	DWORD mode;
	UINT page = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)
	                    ? GetConsoleOutputCP()
	                    : GetACP();
	constexpr int kPiece = 256;
	char bytes[4 * kPiece];
	size_t written = 0;
	while (left > 0) {
		int n = left < kPiece ? static_cast<int>(left) : kPiece;
		if (n < static_cast<int>(left) &&
		    IS_HIGH_SURROGATE(name[n - 1]))
			n--;
		auto len = static_cast<size_t>(
		        Convert(page, name, n, bytes, sizeof bytes));
		written += fwrite(bytes, 1, len, stderr);
		name += n;
		left -= static_cast<size_t>(n);
	}
	return written;
}

// Quote reads UTF-8 and shows no more than kShownText bytes and the rest of
// a character: that many code units and four more, in UTF-8, tell it all.
Shown QuoteArg(const wchar_t* arg)
{
	size_t units = wcslen(arg);
	if (units > kShownText + 4)
		units = kShownText + 4;
	char utf8[4 * (kShownText + 4)];
	int len = WideCharToMultiByte(CP_UTF8, 0, arg, static_cast<int>(units),
	                              utf8, sizeof utf8, nullptr, nullptr);
	return Quote(utf8, static_cast<size_t>(len > 0 ? len : 0));
}

// Standard input is read in binary too, so that the byte counts match the
// file and a UTF-16 file arrives as it was saved.
void StartConsole()
{
	_setmode(0, _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
}

// Started from Explorer, a shortcut or start, the program is the only
// process of its console, that console is both its standard input and
// output, and the window is shown (Wine in a Unix terminal shows none).
// Started from Command Prompt, it shares the console with cmd.  user32.dll,
// for IsWindowVisible, is loaded only when needed; it is one of the DLLs
// that Windows loads from its own folder alone.
bool OwnsConsoleWindow()
{
	DWORD processes[2];
	DWORD mode;
	if (GetConsoleProcessList(processes, 2) != 1 ||
	    !GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ||
	    !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode))
		return false;
	HWND window = GetConsoleWindow();
	if (window == nullptr)
		return false;
	using Visible = BOOL(WINAPI*)(HWND);
	HMODULE user32 = LoadLibraryA("user32.dll");
	FARPROC visible =
	        user32 ? GetProcAddress(user32, "IsWindowVisible") : nullptr;
	return visible != nullptr &&
	       reinterpret_cast<Visible>(reinterpret_cast<void*>(visible))(
	               window);
}

// Waits for an Enter typed from now on, not one typed ahead, or for the end
// of input (Ctrl+Z).  The console's own handle is read, whatever the scores
// were read from.
void WaitForEnter()
{
	printf("\n\nPress Enter to close this window.");
	fflush(stdout);
	HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
	FlushConsoleInputBuffer(in);
	char line[256];
	DWORD n;
	while (ReadFile(in, line, sizeof line, &n, nullptr) && n > 0 &&
	       memchr(line, '\n', n) == nullptr) {
	}
}

#endif
