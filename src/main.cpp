// The entry point: the program on its arguments, which Windows gives in
// wide characters, to wmain.

#include "score_rank.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
	return Run(argc, argv);
}
