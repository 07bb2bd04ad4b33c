// The command line, read as the usage line has it: options first, then at
// most one FILE.

#include "arguments.h"

#include <cstdio>

#include "notices.h"
#include "quote.h"

namespace {

constexpr char kAbout[] =
        "\n"
        "Ranks the scores of a group of students.  Type the scores as\n"
        "whole numbers from 0 to 2147483647, separated by spaces, tabs or\n"
        "line breaks, and end the list with a negative number such as -1.\n"
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

bool Is(const Arg* arg, const char* text)
{
	for (; *text != '\0' && *arg == static_cast<Arg>(*text);
	     arg++, text++) {
	}
	return *arg == static_cast<Arg>(*text);
}

} // namespace

const char* ScoreHint(const Arg* arg)
{
	const Arg* at = arg + (*arg == '-' || *arg == '+' ? 1 : 0);
	bool digits = *at != 0;
	for (; *at != 0; at++)
		digits = digits && *at >= '0' && *at <= '9';
	if (!digits)
		return "";
	return *arg == '-' ? "; to read a file of that name, put -- before it"
	                   : "; type the scores once the program runs, or "
	                     "read them from a file";
}

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
	char text[kShownText + 4];
	Say(nullptr, "%s \"%s\"%s\n%s", why,
	    Quote(text, ArgText(wrong, text, sizeof text)).s, ScoreHint(wrong),
	    kUsageLine);
	return Ask::kWrong;
}

void PrintHelp()
{
	printf("%s\n%s%s%s%s\n", kUsageLine, kAbout, kFileForms, kExitStatus,
	       kManual);
}
