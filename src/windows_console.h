// The console that Windows gives the program: notices written with the
// same bytes as elsewhere, and a window of the program's own kept open until
// the user has read it.  On other systems there is nothing to do.

#ifndef SCORE_RANK_WINDOWS_CONSOLE_H
#define SCORE_RANK_WINDOWS_CONSOLE_H

#ifdef _WIN32
// Writes standard error in binary, so that a notice ends in LF alone.
void StartConsole();
// Whether the program has a console window of its own, which closes when it
// exits, as when started from Explorer.
bool OwnsConsoleWindow();
// Asks for Enter and waits for it, so that the window stays open.
void WaitForEnter();
#else
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
