// The command line, read as the usage line has it: options first, then at
// most one FILE.

#include "arguments.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "input.h"
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
constexpr char kTables[] =
        "\n"
        "A class sheet saved as CSV or text, with a ';', a ',' or a tab\n"
        "between its cells, is ranked by its column of scores: the only one\n"
        "whose cells are numbers, or the one that --column names by its\n"
        "number, counted from 1, or by its header.  Names, the header and\n"
        "the other columns are not ranked; a cell that is not a score is\n"
        "left out, and the table is read to its end.\n";
constexpr char kExitStatus[] =
        "\n"
        "The exit status is 0 when every word of the list was a score, 1\n"
        "when one was not or a file could not be read or written, and 2 for\n"
        "a wrong argument or a table whose column of scores is not known.\n"
        "The manual: ";

// Whether arg starts with text: what follows it, or nullptr.
const Arg* After(const Arg* arg, const char* text)
{
	for (; *text != '\0' && *arg == static_cast<Arg>(*text);
	     arg++, text++) {
	}
	return *text == '\0' ? arg : nullptr;
}

bool Is(const Arg* arg, const char* text)
{
	const Arg* rest = After(arg, text);
	return rest != nullptr && *rest == 0;
}

// Takes --column's value into *column: what is wrong with it, or nullptr.
const char* TakeColumn(const Arg* value, ColumnAsked* column)
{
	if (value == nullptr)
		return "a column's number or name must follow";
	char* name = column->name;
	size_t len = ArgText(value, name, sizeof column->name - 1);
	for (; len > 0 && IsSpace(name[len - 1]); len--) {
	}
	name[len] = '\0';
	size_t from = 0;
	for (; IsSpace(name[from]); from++) {
	}
	memmove(name, name + from, len - from + 1);
	bool digits = name[0] != '\0';
	for (const char* c = name; *c != '\0'; c++)
		digits = digits && IsDigit(*c);
	for (const char* c = name; digits && *c != '\0'; c++) // up to LONG_MAX
		column->number = column->number > (LONG_MAX - 9) / 10
		                         ? LONG_MAX
		                         : column->number * 10 + (*c - '0');
	if (digits)
		name[0] = '\0';
	return name[0] == '\0' && column->number == 0
	               ? "columns are counted from 1, by a number or a name:"
	               : nullptr;
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

Ask ReadArguments(int argc, Arg** argv, const Arg** name, ColumnAsked* column)
{
	bool named = false;
	bool options = true;
	const Arg* wrong = nullptr; // the first argument in error
	const char* why = nullptr;
	bool hint = false; // where it looks like a score, say how to give it
	for (int i = 1; i < argc; i++) {
		const Arg* arg = argv[i];
		if (options &&
		    (Is(arg, "--help") || Is(arg, "-h") || IsSystemHelp(arg)))
			return Ask::kHelp;
		if (options && Is(arg, "--version"))
			return Ask::kVersion;
		if (options && Is(arg, "--")) {
			options = false;
		} else if (wrong != nullptr) {
		} else if (options && Is(arg, "--column")) {
			why = TakeColumn(++i < argc ? argv[i] : nullptr,
			                 column);
			wrong = why != nullptr ? argv[i - (i < argc ? 0 : 1)]
			                       : nullptr;
		} else if (options && After(arg, "--column=") != nullptr) {
			why = TakeColumn(After(arg, "--column="), column);
			wrong = why != nullptr ? arg : nullptr;
		} else if ((options && arg[0] == '-' && arg[1] != 0) || named) {
			wrong = arg;
			why = named ? "more than one file:" : "unknown option";
			hint = true;
		} else {
			named = true;
			*name = Is(arg, "-") ? nullptr : arg;
		}
	}
	if (wrong == nullptr)
		return Ask::kRank;
	char text[kShownText + 4];
	Say(nullptr, "%s \"%s\"%s\n%s", why,
	    Quote(text, ArgText(wrong, text, sizeof text)).s,
	    hint ? ScoreHint(wrong) : "", kUsageLine);
	return Ask::kWrong;
}

void PrintHelp()
{
	printf("%s\n%s%s%s%s%s\n", kUsageLine, kAbout, kFileForms, kTables,
	       kExitStatus, kManual);
}
