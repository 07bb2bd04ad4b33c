// The console that Windows gives the program: notices written with the
// same bytes as elsewhere, file names in them as the console shows them, and
// a window of the program's own kept open until the user has read it.  On
// other systems there is little to do.

#ifndef SCORE_RANK_WINDOWS_CONSOLE_H
#define SCORE_RANK_WINDOWS_CONSOLE_H

#include <cstdio>
#include <cstring>

#include "score_input.h"

#ifdef _WIN32
// Says on standard error, after lead, that the named file could not be
// opened or read, and why: the name in the code page of the console, or
// where standard error is not one, of the system, with '?' for a character
// that the code page lacks.
void ReportFile(const char* lead, const wchar_t* name, const char* why);
// An argument as a notice quotes it.
Shown QuoteArg(const wchar_t* arg);
// Writes standard error in binary, so that a notice ends in LF alone.
void StartConsole();
// Whether the program has a console window of its own, which closes when it
// exits, as when started from Explorer.
bool OwnsConsoleWindow();
// Asks for Enter and waits for it, so that the window stays open.
void WaitForEnter();
#else
inline void ReportFile(const char* lead, const char* name, const char* why)
{
	fprintf(stderr, "%sscore-rank: %s: %s\n", lead, name, why);
}
inline Shown QuoteArg(const char* arg)
{
	return Quote(arg, strlen(arg));
}
inline void StartConsole()
{
}
inline bool OwnsConsoleWindow()
{
	return false;
}
inline void WaitForEnter()
{
}
#endif

#endif
