// The program on a POSIX system: descriptors read as they are, a terminal
// told by isatty, and names shown as the bytes they are where those are
// UTF-8 free of control characters.

#ifndef _WIN32
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "notices.h"
#include "platform.h"

const char kUsageLine[] = "usage: score-rank [--help | --version] [FILE]\n";
const char kFileForms[] = "  score-rank FILE   or   score-rank < FILE\n";
const char kManual[] = "man score-rank";

namespace {

// Whether a name can be shown as it is: UTF-8 with no control character,
// C1 controls such as the CSI (U+009B) included, which a terminal obeys.
bool Plain(const char* name)
{
	const auto* b = reinterpret_cast<const unsigned char*>(name);
	while (*b != 0) {
		size_t len = *b < 0x80    ? 1
		             : *b >= 0xF0 ? 4
		             : *b >= 0xE0 ? 3
		                          : 2;
		if (*b < ' ' || *b == 0x7F || (*b >= 0x80 && *b < 0xC2) ||
		    *b > 0xF4 || (*b == 0xC2 && b[1] < 0xA0))
			return false;
		for (size_t i = 1; i < len; i++)
			if (b[i] < 0x80 || b[i] >= 0xC0)
				return false;
		b += len;
	}
	return true;
}

} // namespace

int OpenInput(const char* name)
{
	int fd = open(name, O_RDONLY);
	struct stat st;
	if (fd >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
		close(fd);
		errno = EISDIR;
		return -1;
	}
	return fd;
}

bool IsTerminal(int fd)
{
	return isatty(fd) != 0;
}

long ReadSome(int fd, char* buf, size_t size)
{
	long n;
	do
		n = read(fd, buf, size);
	while (n < 0 && errno == EINTR);
	return n;
}

long long InputOffset(int fd)
{
	return lseek(fd, 0, SEEK_CUR);
}

void SeekInput(int fd, long long offset)
{
	lseek(fd, static_cast<off_t>(offset), SEEK_SET);
}

size_t TextLength(const char*, size_t n)
{
	return n;
}

bool IsHelp(const char* arg)
{
	return strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
}

size_t PrintName(const char* name)
{
	if (Plain(name)) {
		fputs(name, stderr);
		return strlen(name);
	}
	Shown shown = QuoteArg(name);
	fputs(shown.s, stderr);
	return strlen(shown.s);
}

Shown QuoteArg(const char* arg)
{
	return Quote(arg, strlen(arg));
}

void StartConsole()
{
}

bool OwnsConsoleWindow()
{
	return false;
}

void WaitForEnter()
{
}

#endif
