// What the program needs of the system it runs on: files and reads, the
// terminal, the console window, and how names and the help are shown.  One
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

// Opens the named file for reading; -1 with errno set where it cannot
// (EISDIR for a folder on Windows, which opens none).
int OpenInput(const Arg* name);

// 0 where fd can be read as a file, a pipe or a terminal, else why not:
// EISDIR for a folder, EBADF where it is open for writing alone.
int InputProblem(int fd);

// Whether fd is a terminal (on Windows, a console): a person at a keyboard.
bool IsTerminal(int fd);

// One binary read, again where a signal interrupted it or none was waiting:
// the count, 0 at the end of input, or -1 with errno set.
long ReadSome(int fd, char* buf, size_t size);

// At the terminal fd, one read of what was typed or pasted and not yet
// read, a line without its line break too: the count, 0 once nothing has
// come for a tenth of a second.
size_t ReadTyped(int fd, char* buf, size_t size);

// Whether standard output and standard error are one file or terminal.
bool SharedOutput();

// The offset of fd in a file, or -1 where it cannot seek.
long long InputOffset(int fd);

// Moves fd to offset; false with errno set where it fails.
bool SeekInput(int fd, long long offset);

// Where text ends in n bytes read: at a Ctrl+Z on Windows, else at n.
size_t TextLength(const char* bytes, size_t n);

// Whether an argument asks for the help as the system's own programs are
// asked: /? on Windows.
bool IsSystemHelp(const Arg* arg);

// An argument in UTF-8, as far as size bytes: its length.
size_t ArgText(const Arg* arg, char* buf, size_t size);

// Writes a notice, given in UTF-8, to standard error at once, in one write,
// as the console shows it.
void WriteNotice(const char* text, size_t len);

// The help's lines that differ from system to system.
extern const char kUsageLine[];
extern const char kFileForms[];
extern const char kManual[];

// On Windows, standard input and error in binary, so that reads count the
// bytes of the file and a notice ends in LF alone.
void StartConsole();

// Where the program has a console window of its own, which closes when it
// exits, as when started from Explorer, waits for Enter.
void KeepWindowOpen();

#endif
