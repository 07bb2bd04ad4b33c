// Runs the whole program on each fuzz input, given as its standard input,
// and checks what every run must write on standard output: the prompt, the
// count line, then that many scores, at most 40, each followed by one space,
// from highest to lowest.  The exit status must be 0.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define main ScoreRankMain
#include "排序.cpp"
#undef main

namespace {

// Campaigns run with the program's standard error closed (-close_fd_mask=2),
// which hides this message too; running the fuzzer on the saved crash input
// alone shows it.
[[noreturn]] void Fail(const char* what, const char* out)
{
	fprintf(stderr, "score-rank fuzz: %s; standard output:\n%s\n", what,
	        out);
	abort();
}

void CheckOutput(const char* out)
{
	static const char kHead[] = "input score:Total students are ";
	if (strncmp(out, kHead, sizeof kHead - 1) != 0)
		Fail("no prompt and count line", out);
	const char* p = out + sizeof kHead - 1;
	char* next;
	long count = strtol(p, &next, 10);
	if (*p < '0' || *p > '9' || *next != '\n' || count > 40)
		Fail("count line is not a count from 0 to 40", out);
	long listed = 0;
	long previous = LONG_MAX;
	for (p = next + 1; *p != '\0'; p = next + 1, listed++) {
		long score = strtol(p, &next, 10);
		if (*p < '0' || *p > '9' || *next != ' ')
			Fail("listing is not scores each followed by a space",
			     out);
		if (score > previous)
			Fail("listing is not from highest to lowest", out);
		previous = score;
	}
	if (listed != count)
		Fail("count differs from the number of scores listed", out);
}

} // namespace

// Standard input and output become memory files, refilled and emptied for
// every run.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	int in = memfd_create("stdin", 0);
	int out = memfd_create("stdout", 0);
	if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0)
		abort();
	close(in);
	close(out);
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (ftruncate(0, 0) != 0 || ftruncate(1, 0) != 0 ||
	    pwrite(0, data, size, 0) != static_cast<ssize_t>(size) ||
	    lseek(0, 0, SEEK_SET) != 0 || lseek(1, 0, SEEK_SET) != 0)
		abort();

	int status = ScoreRankMain();

	char out[4096];
	ssize_t len = pread(1, out, sizeof out, 0);
	if (len < 0 || static_cast<size_t>(len) >= sizeof out)
		abort();
	out[len] = '\0';
	if (memchr(out, '\0', len) != nullptr)
		Fail("NUL byte in standard output", out);
	CheckOutput(out);
	if (status != 0)
		Fail("exit status is not 0", out);
	return 0;
}
