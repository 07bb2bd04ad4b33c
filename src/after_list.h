// What follows the list, which is never lost without a word.

#ifndef SCORE_RANK_AFTER_LIST_H
#define SCORE_RANK_AFTER_LIST_H

#include "notices.h"
#include "words.h"

// A file is left where the list ended, the word end: past its negative
// number, at a word that is not text or that a read error cut, or at the
// end, with a notice where a word follows.  What a pipe's reads held after
// the list is named, and at a terminal all that was typed ahead or pasted,
// so that none of it reaches the shell.  Returns whether the file could not
// be left there.
bool FollowEnd(Input* in, const Word& end, bool keyboard, Notices* notices);

#endif
