// What the program needs of the system it runs on: files and reads, the
// terminal, the console window, and how a name and the help are shown.  One
// of platform_posix.cpp and platform_windows.cpp is built, as CMake picks.

#ifndef SCORE_RANK_PLATFORM_H
#define SCORE_RANK_PLATFORM_H

#include <cstddef>

// An argument as the system gives it: on Windows in wide characters, so that
// a file of any name can be opened.
#ifdef _WIN32
using Arg = wchar_t;
#else
using Arg = char;
#endif

// Opens the named file for reading; -1 with errno set where it cannot be, a
// directory included.
int OpenInput(const Arg* name);

// Whether fd is a terminal (on Windows, a console): a person at a keyboard.
bool IsTerminal(int fd);

// One binary read of up to size bytes, again where a signal interrupted it:
// the count, 0 at the end of input, or -1 with errno set.
long ReadSome(int fd, char* buf, size_t size);

// The offset of fd in a file, or -1 where it cannot seek (a pipe, a
// terminal).
long long InputOffset(int fd);

// Moves fd, which can seek, to offset.
void SeekInput(int fd, long long offset);

// Where text ends in n bytes read: at a Ctrl+Z on Windows, else at n.
size_t TextLength(const char* bytes, size_t n);

// Whether an argument asks for the help: --help and -h, and /? on Windows.
bool IsHelp(const Arg* arg);

// Writes the name of a file to standard error as the console shows it, each
// control character a '?'; returns the columns it takes, about.
size_t PrintName(const Arg* name);

// An argument as a notice quotes a word.
struct Shown;
Shown QuoteArg(const Arg* arg);

// The help's lines that differ from system to system.
extern const char kUsageLine[];
extern const char kFileForms[];
extern const char kManual[];

// Sets standard input and error up: on Windows in binary, so that reads
// count the bytes of the file and a notice ends in LF alone.
void StartConsole();

// Whether the program has a console window of its own, which closes when it
// exits, as when started from Explorer; and waits there for Enter, so that
// the window stays open until the user has read it.
bool OwnsConsoleWindow();
void WaitForEnter();

#endif
