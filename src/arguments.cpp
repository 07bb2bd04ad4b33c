// The command line, read as the usage line has it: options first, then at
// most one FILE.

#include <cstdio>

#include "arguments.h"
#include "notices.h"

namespace {

constexpr char kAbout[] =
        "\n"
        "Ranks the scores of a group of students.  Type the scores as\n"
        "whole numbers from 0 to 2147483647, separated by spaces or line\n"
        "breaks, and end the list with a negative number such as -1.\n"
        "It says how many scores it read and lists them from highest to\n"
        "lowest; of more than 40 scores, it lists the 40 highest.\n"
        "A word that is not a score is left out, with a notice that gives\n"
        "its line in a file, and the list goes on.\n"
        "\n"
        "To rank the scores in a file:\n";
constexpr char kExitStatus[] =
        "\n"
        "The exit status is 0 when every word of the list was a score, 1\n"
        "when one was not or a file could not be read or written, and 2 for\n"
        "a wrong argument.\n"
        "The manual: ";

// Whether an argument is the given text.
bool Is(const Arg* arg, const char* text)
{
	for (; *text != '\0' && *arg == static_cast<Arg>(*text);
	     arg++, text++) {
	}
	return *arg == static_cast<Arg>(*text);
}

} // namespace

Ask ReadArguments(int argc, Arg** argv, const Arg** name)
{
	bool named = false;
	bool options = true;
	const Arg* wrong = nullptr; // the first argument in error
	const char* why = nullptr;
	for (int i = 1; i < argc; i++) {
		const Arg* arg = argv[i];
		if (options && IsHelp(arg))
			return Ask::kHelp;
		if (options && Is(arg, "--version"))
			return Ask::kVersion;
		if (options && Is(arg, "--")) {
			options = false;
		} else if (wrong != nullptr) {
		} else if ((options && arg[0] == '-' && arg[1] != 0) || named) {
			wrong = arg;
			why = named ? "more than one file:" : "unknown option";
		} else {
			named = true;
			*name = Is(arg, "-") ? nullptr : arg;
		}
	}
	if (wrong == nullptr)
		return Ask::kRank;
	SayUsage(why, wrong);
	return Ask::kWrong;
}

void PrintHelp()
{
	printf("%s%s%s%s%s\n", kUsageLine, kAbout, kFileForms, kExitStatus,
	       kManual);
}
