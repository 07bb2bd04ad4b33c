// The program on a POSIX system: descriptors read as they are, a terminal
// told by isatty, and text written as the bytes it is.

#ifndef _WIN32
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "platform.h"

const char kUsageLine[] = "usage: score-rank [--help | --version] [--column "
                          "N|NAME] [--] [FILE | -]";
const char kFileForms[] = "  score-rank FILE   or   score-rank < FILE\n";
const char kManual[] =
        "man score-rank, or where only built, man ./build/release/score-rank.1";

int OpenInput(const char* name)
{
	return open(name, O_RDONLY);
}

int InputProblem(int fd)
{
	struct stat st;
	if (fstat(fd, &st) != 0)
		return errno;
	if (S_ISDIR(st.st_mode))
		return EISDIR;
	// A read of no bytes tells whether fd can be read at all.
	return read(fd, nullptr, 0) < 0 ? errno : 0;
}

bool IsTerminal(int fd)
{
	return isatty(fd) != 0;
}

// A descriptor left non-blocking by whoever opened it is waited on, as a
// blocking one would be.
long ReadSome(int fd, char* buf, size_t size)
{
	long n;
	for (;;) {
		n = read(fd, buf, size);
		if (n >= 0 || (errno != EINTR && errno != EAGAIN))
			return n;
		if (errno == EAGAIN) {
			struct pollfd in = {fd, POLLIN, 0};
			poll(&in, 1, -1);
		}
	}
}

// With canonical mode off for the read, a line not yet ended can be read,
// and the read waits a tenth of a second; the settings are then restored.
size_t ReadTyped(int fd, char* buf, size_t size)
{
	struct termios saved;
	if (tcgetattr(fd, &saved) != 0)
		return 0;
	struct termios raw = saved;
	raw.c_lflag &= ~static_cast<tcflag_t>(ICANON);
	raw.c_cc[VMIN] = 0;
	raw.c_cc[VTIME] = 1;
	long n = tcsetattr(fd, TCSANOW, &raw) == 0 ? read(fd, buf, size) : 0;
	tcsetattr(fd, TCSANOW, &saved);
	return n > 0 ? static_cast<size_t>(n) : 0;
}

bool SharedOutput()
{
	struct stat out, err;
	return fstat(1, &out) == 0 && fstat(2, &err) == 0 &&
	       out.st_dev == err.st_dev && out.st_ino == err.st_ino;
}

long long InputOffset(int fd)
{
	return lseek(fd, 0, SEEK_CUR);
}

bool SeekInput(int fd, long long offset)
{
	return lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

size_t TextLength(const char*, size_t n)
{
	return n;
}

bool IsSystemHelp(const char*)
{
	return false;
}

size_t ArgText(const char* arg, char* buf, size_t size)
{
	size_t len = 0;
	for (; len < size && arg[len] != '\0'; len++)
		buf[len] = arg[len];
	return len;
}

// Standard error is unbuffered: a notice goes out at once, in one write.
void WriteNotice(const char* text, size_t len)
{
	fwrite(text, 1, len, stderr);
}

void StartConsole()
{
}

void KeepWindowOpen()
{
}

#endif
