// Text searching and cutting with 1-based positions, as the rules count them:
// a position of 0 means "not found". Comparison is by exact UTF-16 code unit.
// Out-of-range arguments are clamped, never an error.
#pragma once

#include "base/text.h"

namespace poko {

// First position at or after `start` where `find` occurs, or 0. A start below 1
// counts as 1. An empty `find` gives `start` itself while start <= Len(s) + 1,
// else 0.
int InStr(const Text& s, const Text& find, int start = 1);

// Last position where `find` occurs, or 0. An empty `find` gives Len(s) + 1, the
// last place an empty text matches.
int InStrRev(const Text& s, const Text& find);

// `length` units from position `start` (a start below 1 counts as 1); a negative
// length means to the end. Whatever lies beyond the end is simply not there.
Text Mid(const Text& s, int start, int length = -1);

// The first / last n units; n below 0 gives the empty text, n beyond the length
// the whole text.
Text Left(const Text& s, int n);
Text Right(const Text& s, int n);

// Every non-overlapping occurrence, left to right. An empty `find` changes nothing.
Text ReplaceAll(const Text& s, const Text& find, const Text& with);

// InStr that compares ASCII letters without regard to case ("<a href=" is found as
// "<A HREF="), as the link searches of downloaded pages do. It folds as it goes: the
// text is never copied, so searching a long page again and again stays cheap.
int InStrText(std::u16string_view s, std::u16string_view find, int start = 1);

// Only a-z become A-Z; everything else, full-width letters included, is kept.
Text AsciiUpper(const Text& s);

}  // namespace poko
