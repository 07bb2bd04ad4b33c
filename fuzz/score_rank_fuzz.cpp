// Runs the whole program on each fuzz input, given as its standard input,
// and checks what every run must write on standard output: the prompt, the
// count line, then that many scores, at most 40, each followed by one space,
// from highest to lowest.  The exit status must be 0.  The program is built
// here with the configured read block, a few bytes in fuzz builds, and must
// write the same bytes on both outputs as a build that reads each input in
// one piece: a token split across refills reads as the same token, and both
// leave standard input at the same offset, just past the last byte taken.

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

int ScoreRankWholeMain(int argc, char** argv);

namespace {

// What one run of the program gave; its outputs are short by design.
struct Run {
	int status;
	off_t offset; // of standard input after the run
	char out[4096];
	char err[4096];
};

[[noreturn]] void Fail(const char* what, const char* out)
{
	fprintf(stderr, "score-rank fuzz: %s; the output:\n%s\n", what, out);
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

// Reads back what the program wrote to the memory file fd, as a string.
void ReadBack(int fd, char* text, size_t size)
{
	ssize_t len = pread(fd, text, size, 0);
	if (len < 0 || static_cast<size_t>(len) >= size)
		abort();
	text[len] = '\0';
	if (memchr(text, '\0', len) != nullptr)
		Fail("NUL byte in the output", text);
}

constexpr int kErr = 100; // the memory file for standard error

// Runs one build of the program on the input.  Standard error goes to its
// memory file only while the program runs, so that the messages of libFuzzer
// and of the checks still reach the terminal.
void RunProgram(int (*program)(int, char**), const uint8_t* data, size_t size,
                Run* run)
{
	char name[] = "score-rank";
	char* argv[] = {name, nullptr};
	int saved = dup(2);
	if (saved < 0 || ftruncate(0, 0) != 0 ||
	    pwrite(0, data, size, 0) != static_cast<ssize_t>(size) ||
	    lseek(0, 0, SEEK_SET) != 0 || ftruncate(1, 0) != 0 ||
	    lseek(1, 0, SEEK_SET) != 0 || ftruncate(kErr, 0) != 0 ||
	    lseek(kErr, 0, SEEK_SET) != 0 || dup2(kErr, 2) < 0)
		abort();
	run->status = program(1, argv);
	run->offset = lseek(0, 0, SEEK_CUR);
	if (dup2(saved, 2) < 0 || close(saved) != 0)
		abort();
	ReadBack(1, run->out, sizeof run->out);
	ReadBack(kErr, run->err, sizeof run->err);
}

} // namespace

// Standard input and output become memory files, refilled and emptied for
// every run; standard error gets one too, at descriptor kErr.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	int in = memfd_create("stdin", 0);
	int out = memfd_create("stdout", 0);
	int err = memfd_create("stderr", 0);
	if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 ||
	    dup2(out, 1) < 0 || dup2(err, kErr) < 0)
		abort();
	close(in);
	close(out);
	close(err);
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	Run small, whole;
	RunProgram(ScoreRankMain, data, size, &small);
	RunProgram(ScoreRankWholeMain, data, size, &whole);

	CheckOutput(small.out);
	if (small.status != 0)
		Fail("exit status is not 0", small.out);
	if (strcmp(small.out, whole.out) != 0)
		Fail("standard output differs from a whole read's", small.out);
	if (strcmp(small.err, whole.err) != 0)
		Fail("standard error differs from a whole read's", small.err);
	if (small.offset != whole.offset)
		Fail("standard input left at another offset than by a whole "
		     "read",
		     small.out);
	return 0;
}
