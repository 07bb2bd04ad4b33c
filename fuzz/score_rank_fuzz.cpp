// Runs the whole program on each fuzz input, given as its standard input,
// and holds what it writes on standard output and its exit status to a plain
// model: the words of the input, read one by one, ranked with std::sort.
// The program is built here with the configured read block, a few bytes in
// fuzz builds, and must write the same bytes on both outputs as a build that
// reads each input in one piece: a word split across refills reads as the
// same word, and both leave standard input at the same offset.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

// The input as text: without a UTF-8 byte-order mark, and UTF-16 after its
// mark turned into bytes, a character outside ASCII into a letter.
std::string Text(const uint8_t* data, size_t size)
{
	std::string bytes(data, data + size);
	if (bytes.compare(0, 3, "\xef\xbb\xbf") == 0)
		return bytes.substr(3);
	bool little = bytes.compare(0, 2, "\xff\xfe") == 0;
	if (!little && bytes.compare(0, 2, "\xfe\xff") != 0)
		return bytes;
	std::string text;
	for (size_t i = 2; i + 1 < size; i += 2) {
		unsigned first = data[i];
		unsigned second = data[i + 1];
		unsigned unit =
		        little ? first | second << 8 : first << 8 | second;
		text += unit < 0x80 ? static_cast<char>(unit) : 'x';
	}
	if (size % 2 != 0)
		text += 'x';
	return text;
}

// What the program should write on standard output, and its exit status.
std::string Model(const uint8_t* data, size_t size, int* status)
{
	std::string text = Text(data, size);
	std::vector<long long> scores;
	*status = 0;
	auto space = [](char c) {
		return c == ' ' || (c >= '\t' && c <= '\r');
	};
	size_t at = 0;
	while (true) {
		while (at < text.size() && space(text[at]))
			at++;
		if (at == text.size())
			break;
		size_t end = at;
		while (end < text.size() && !space(text[end]))
			end++;
		std::string word = text.substr(at, end - at);
		at = end;
		size_t digits = word[0] == '-' || word[0] == '+' ? 1 : 0;
		size_t last = word.find_first_not_of("0123456789", digits);
		size_t nonzero = word.find_first_not_of('0', digits);
		// A negative number ends the list at its first digit that is
		// not 0.
		if (word[0] == '-' && nonzero != std::string::npos &&
		    nonzero < last)
			break;
		if (last != std::string::npos || word.size() == digits ||
		    (nonzero != std::string::npos &&
		     word.size() - nonzero > 10) ||
		    std::stoll(word.substr(digits)) > INT_MAX) {
			*status = 1;
			break;
		}
		scores.push_back(std::stoll(word.substr(digits)));
	}
	std::sort(scores.begin(), scores.end(), std::greater<>());
	if (scores.size() > 40)
		scores.resize(40);
	std::string out = "input score:Total students are " +
	                  std::to_string(scores.size()) + "\n";
	for (long long score : scores)
		out += std::to_string(score) + " ";
	return out;
}

// Reads back what the program wrote to the memory file fd, as a string.
void ReadBack(int fd, char* text, size_t size)
{
	ssize_t len = pread(fd, text, size, 0);
	if (len < 0 || static_cast<size_t>(len) >= size)
		abort();
	text[len] = '\0';
	if (memchr(text, '\0', static_cast<size_t>(len)) != nullptr)
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

	int status;
	if (Model(data, size, &status) != small.out)
		Fail("standard output is not the model's", small.out);
	if (small.status != status)
		Fail("exit status is not the model's", small.out);
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
