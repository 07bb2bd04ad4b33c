// The program on Windows: descriptors read in binary, text ended by Ctrl+Z,
// names in wide characters, notices shown in the console's code page, and a
// console window of the program's own kept open until the user has read it.

#ifdef _WIN32
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <span>

#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform.h"

const char kUsageLine[] = "usage: score-rank.exe [--help | --version] "
                          "[--column N|NAME] [--] [FILE | -]";
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

// The units [text, text + n) in the code page: the count of bytes.  Some
// code pages (UTF-8, UTF-7, GB18030, ISO-2022, ISCII) take neither the flag
// against best fit nor a default character, and are converted without.
int Convert(UINT page, const wchar_t* text, int n, char* bytes, int size)
{
	int len = WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, text, n,
	                              bytes, size, "?", nullptr);
	if (len <= 0)
		len = WideCharToMultiByte(page, 0, text, n, bytes, size,
		                          nullptr, nullptr);
	return len > 0 ? len : 0;
}

// Started from Explorer, a shortcut or start, the program is the only
// process of its console, which is its standard input and output, and the
// window is shown (Wine in a Unix terminal shows none).  user32.dll, one of
// the DLLs Windows loads from its own folder alone, is loaded only here.
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

} // namespace

// A folder cannot be opened as a file at all: _wopen says EACCES.
int OpenInput(const wchar_t* name)
{
	int fd = _wopen(name, _O_RDONLY | _O_BINARY);
	DWORD attributes = fd < 0 && errno == EACCES ? GetFileAttributesW(name)
	                                             : INVALID_FILE_ATTRIBUTES;
	if (attributes != INVALID_FILE_ATTRIBUTES &&
	    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
		errno = EISDIR;
	return fd;
}

int InputProblem(int fd)
{
	HANDLE handle = Handle(fd);
	BY_HANDLE_FILE_INFORMATION info;
	if (handle == INVALID_HANDLE_VALUE)
		return EBADF;
	if (GetFileType(handle) != FILE_TYPE_DISK)
		return 0;
	if (GetFileInformationByHandle(handle, &info) &&
	    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
		return EISDIR;
	char none; // a read of no bytes tells whether it can be read at all
	DWORD n;
	return ReadFile(handle, &none, 0, &n, nullptr) ? 0 : EACCES;
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

// The key presses that the console holds, each character as UTF-8 and
// Enter as a line feed: all there are, once one has come within a tenth of
// a second.  Only records already peeked are read, so that no read waits.
size_t ReadTyped(int fd, char* buf, size_t size)
{
	HANDLE in = Handle(fd);
	size_t len = 0;
	INPUT_RECORD records[64];
	DWORD n;
	for (int waited = 0; len == 0 && waited <= 100; waited += 10) {
		while (len + 4 * 64 <= size &&
		       PeekConsoleInputW(in, records, 64, &n) && n > 0 &&
		       ReadConsoleInputW(in, records, n, &n))
			for (const INPUT_RECORD& r : std::span(records, n)) {
				const KEY_EVENT_RECORD& key = r.Event.KeyEvent;
				wchar_t c = key.uChar.UnicodeChar == L'\r'
				                    ? L'\n'
				                    : key.uChar.UnicodeChar;
				if (r.EventType == KEY_EVENT && key.bKeyDown &&
				    c != 0)
					len += static_cast<size_t>(Convert(
					        CP_UTF8, &c, 1, buf + len, 4));
			}
		if (len == 0)
			Sleep(10);
	}
	return len;
}

// One file, or both the console; pipes cannot be told apart.
bool SharedOutput()
{
	FILE_ID_INFO out, err;
	return (IsTerminal(1) && IsTerminal(2)) ||
	       (GetFileInformationByHandleEx(Handle(1), FileIdInfo, &out,
	                                     sizeof out) &&
	        GetFileInformationByHandleEx(Handle(2), FileIdInfo, &err,
	                                     sizeof err) &&
	        memcmp(&out, &err, sizeof out) == 0);
}

long long InputOffset(int fd)
{
	if (GetFileType(Handle(fd)) != FILE_TYPE_DISK)
		return -1;
	return _lseeki64(fd, 0, SEEK_CUR);
}

bool SeekInput(int fd, long long offset)
{
	return _lseeki64(fd, offset, SEEK_SET) >= 0;
}

// Ctrl+Z ends Windows text, as the runtime's text mode has it.
size_t TextLength(const char* bytes, size_t n)
{
	const auto* z = static_cast<const char*>(memchr(bytes, '\x1a', n));
	return z == nullptr ? n : static_cast<size_t>(z - bytes);
}

bool IsSystemHelp(const wchar_t* arg)
{
	return wcscmp(arg, L"/?") == 0;
}

// A character at a time, a surrogate pair as one, as far as it fits.
size_t ArgText(const wchar_t* arg, char* buf, size_t size)
{
	size_t len = 0;
	while (*arg != 0) {
		int units = IS_HIGH_SURROGATE(arg[0]) && arg[1] != 0 ? 2 : 1;
		char utf8[4];
		int n = WideCharToMultiByte(CP_UTF8, 0, arg, units, utf8,
		                            sizeof utf8, nullptr, nullptr);
		if (n <= 0 || len + static_cast<size_t>(n) > size)
			break;
		memcpy(buf + len, utf8, static_cast<size_t>(n));
		len += static_cast<size_t>(n);
		arg += units;
	}
	return len;
}

// In the code page of the console, or where standard error is not one, of
// the system, with '?' for a character that the code page lacks.
void WriteNotice(const char* text, size_t len)
{
	DWORD mode;
	UINT page = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)
	                    ? GetConsoleOutputCP()
	                    : GetACP();
	constexpr int kUnits = 5120;
	wchar_t wide[kUnits];
	char bytes[4 * kUnits];
	int n = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(len),
	                            wide, kUnits);
	int out = Convert(page, wide, n, bytes, sizeof bytes);
	_write(2, bytes, static_cast<unsigned>(out));
}

void StartConsole()
{
	_setmode(0, _O_BINARY);
	_setmode(_fileno(stderr), _O_BINARY);
}

// Waits for an Enter typed from now on, or the end of input (Ctrl+Z), on
// the console's own handle, whatever the scores were read from.
void KeepWindowOpen()
{
	if (!OwnsConsoleWindow())
		return;
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
