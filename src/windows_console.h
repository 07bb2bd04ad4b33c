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
// Writes a file name on standard error in the code page of the console, or
// where standard error is not one, of the system; a character that the code
// page lacks is shown as '?'.
void PrintName(const wchar_t* name);
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
inline void PrintName(const char* name)
{
	fputs(name, stderr);
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
