// The mascot: it reads the board menu of a bulletin board, picks a board and then a
// thread at random, offers to open the thread in the browser, and otherwise says one
// of its lines. Every run keeps its pages and positions in its own locals, so a run
// started from inside another (by a tick, the alarm or line 5) leaves the outer one
// undisturbed.
#pragma once

#include <functional>

#include "base/text.h"
#include "platform/platform.h"

namespace poko {

// Asked after every wait of a run (a box, a yield): true once the program is closing,
// and the run then ends there, quietly, with no further download, box or browser.
using RunOver = std::function<bool()>;

// One run: downloads the board menu at `menuUrl`, walks its boards from just before
// "ラウンジ" and takes one with a 1/100 draw each; returns when the run is over.
void PickBoard(Platform& platform, const Text& menuUrl, const RunOver& over = {});
// The second half of a run, for the board at `boardUrl` (`menuUrl` serves line 5's
// new run).
void PickThread(Platform& platform, const Text& menuUrl, const Text& boardUrl, const RunOver& over = {});

// Board menus write some links "<a target=_top HREF="; they become "<A HREF=".
Text NormalizeAnchors(const Text& page);
// The part after the last "/", a final "/" dropped first; the whole URL without "/".
Text LastPathSegment(const Text& url);
// "1: Example title (123)" gives "Example title": the text after ": " up to the blank
// before the last "(".
Text ThreadTitle(const Text& anchorText);
// Pages come from servers nobody here controls, and what the walks take from them is
// fetched and handed to the shell: only an absolute http or https address with a host
// and nothing but printable ASCII outside quotes, blanks and angle brackets qualifies.
// No address longer than 2,083 characters qualifies: the shell and the browsers take
// no longer ones.
bool IsWebAddress(std::u16string_view url);
// A board: a web address ending in "/" whose last folder (the board's) follows the
// host, so that its thread list and its threads stay on its host; "http://host/" has
// none, and would turn a thread into "http://test/read.cgi/host/...".
bool IsBoardAddress(std::u16string_view url);

}  // namespace poko
