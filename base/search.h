// Text searching and cutting with 1-based positions, as the rules count them:
// a position of 0 means "not found". Comparison is by exact UTF-16 code unit.
// Out-of-range arguments are clamped, never an error.
#pragma once

#include <functional>
#include <string_view>

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

// Whether a stretch of text and what is looked for are the same text to the caller's
// comparison (the user's locale, in the program).
using SameText = std::function<bool(std::u16string_view stretch, std::u16string_view find)>;

// InStr by text comparison, as the link searches of downloaded pages do: "<a href=",
// "＜Ａ　ＨＲＥＦ＝" and "<A HREF=" are one text, so are "ﾗｳﾝｼﾞ", "らうんじ" and "ラウンジ".
// The candidates are the places whose first two characters fold (as SameFolded has it) as
// those of `find` do, each taken as long as `find` is in folded characters; `same`
// decides each candidate that is not `find` itself. The text is never copied, so
// searching a long page again and again stays cheap. The position is the candidate's.
int InStrText(std::u16string_view s, std::u16string_view find, int start, const SameText& same);

// Whether the two texts are the same with ASCII case, full-/half-width forms and kana
// type folded away (lower-case ASCII for letters in either width, ASCII for full-width
// signs and the ideographic space, full-width katakana for hiragana and half-width
// katakana, a voiced sound mark after one making one character with it): the Japanese
// locale's comparison that ignores case, width and kana type, as far as these rules go.
bool SameFolded(std::u16string_view a, std::u16string_view b);

// Only a-z become A-Z; everything else, full-width letters included, is kept.
Text AsciiUpper(const Text& s);

}  // namespace poko
