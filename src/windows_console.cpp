// The Windows console: notices in binary, file names in them in the
// console's code page, and a console window of the program's own kept open
// until the user has read it.  Built for Windows only: elsewhere, as in a
// plain build of src/*.cpp, it holds nothing.

#ifdef _WIN32
#include "windows_console.h"

#include <cstdio>
#include <cstring>

#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

void StartConsole()
{
	_setmode(_fileno(stderr), _O_BINARY);
}

// The name is converted in pieces that no surrogate pair straddles, so that
// a name of any length fits a small buffer.
void ReportFile(const char* lead, const wchar_t* name, const char* why)
{
	fprintf(stderr, "%sscore-rank: ", lead);
	DWORD mode;
	UINT page = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)
	                    ? GetConsoleOutputCP()
	                    : GetACP();
	// UTF-8 takes neither the flag nor a default character.
	DWORD exact = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
	const char* unknown = page == CP_UTF8 ? nullptr : "?";
	constexpr int kPiece = 256;
	char bytes[4 * kPiece];
	for (size_t left = wcslen(name); left > 0;) {
		int n = left < kPiece ? static_cast<int>(left) : kPiece;
		if (n < static_cast<int>(left) &&
		    IS_HIGH_SURROGATE(name[n - 1]))
			n--;
		int len = WideCharToMultiByte(page, exact, name, n, bytes,
		                              sizeof bytes, unknown, nullptr);
		fwrite(bytes, 1, static_cast<size_t>(len > 0 ? len : 0),
		       stderr);
		name += n;
		left -= static_cast<size_t>(n);
	}
	fprintf(stderr, ": %s\n", why);
}

// Quote reads UTF-8 and shows no more than kShownText bytes: that many code
// units and one more, in UTF-8, tell it all it needs.
Shown QuoteArg(const wchar_t* arg)
{
	size_t units = wcslen(arg);
	if (units > kShownText + 1)
		units = kShownText + 1;
	char utf8[4 * (kShownText + 1)];
	int len = WideCharToMultiByte(CP_UTF8, 0, arg, static_cast<int>(units),
	                              utf8, sizeof utf8, nullptr, nullptr);
	return Quote(utf8, static_cast<size_t>(len > 0 ? len : 0));
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
