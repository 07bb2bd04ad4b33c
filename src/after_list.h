// What follows the list, which is never lost without a word.

#ifndef SCORE_RANK_AFTER_LIST_H
#define SCORE_RANK_AFTER_LIST_H

#include "notices.h"
#include "words.h"

// Text after the list, its white space each a ' ' and none around it.
struct Held {
	char s[kKept];
	size_t len;   // bytes taken, from the first that is not white space
	size_t shown; // up to the last that is not white space
	bool cut;     // a word at its end may go on
};

// A file is left where the list ended, the word end: past its negative
// number, at a word that is not text or that a read error cut, or at the
// end, with a notice where a word follows.  Of a pipe, what its reads held
// after the list is taken into *held, and at a terminal all that was typed
// ahead or pasted, so that none of it reaches the shell.  Returns whether
// the file could not be left there.
bool FollowEnd(Input* in, const Word& end, bool keyboard, Notices* notices,
               Held* held);

#endif
