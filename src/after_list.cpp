// What follows the list: a file is left there, what a pipe or a terminal
// held is named.

#include "after_list.h"

#include <cerrno>
#include <cstring>

#include "platform.h"

namespace {

void Hold(Held* held, const char* from, const char* to)
{
	for (; from != to; from++) {
		bool space = IsSpace(static_cast<unsigned char>(*from));
		if (held->len == 0 && space)
			continue;
		if (held->len < sizeof held->s)
			held->s[held->len] = space ? ' ' : *from;
		held->shown = space ? held->shown : held->len + 1;
		held->len++;
	}
}

bool LeaveFile(Input* in, const Word& end, Notices* notices)
{
	long long at = end.kind == Kind::kScore ? Offset(*in) : end.offset;
	int c = end.kind == Kind::kScore ? Peek(in) : -1;
	for (; IsSpace(c); c = Peek(in))
		in->pos++;
	if (c >= 0 || in->stopped)
		SayAt(notices, end.line,
		      "the list ended here; the rest was not read");
	if (SeekInput(in->fd, at))
		return false;
	// GCOVR_EXCL_START: no file is known that tells its offset but
	// cannot be set back to it.
	SayAt(notices, 0, "cannot leave the rest after the list: %s",
	      strerror(errno));
	return true;
	// GCOVR_EXCL_STOP
}

} // namespace

bool FollowEnd(Input* in, const Word& end, bool keyboard, Notices* notices,
               Held* held)
{
	if (in->seekable)
		return LeaveFile(in, end, notices);
	if (end.kind == Kind::kNotText)
		in->pos++; // the NUL, said apart
	Hold(held, in->pos, in->end);
	for (size_t n;
	     keyboard && (n = ReadTyped(in->fd, in->block, in->size)) > 0;) {
		Hold(held, in->block, in->block + n);
		in->end = in->block + n;
	}
	in->pos = in->end;
	// From a pipe, a word at the end of what was read may go on.
	held->cut = !keyboard && !in->ended && held->shown == held->len;
	return false;
}
