// The machine's global IP address as an outside IP-echo page reports it, told to the
// user and put on the clipboard.
#pragma once

#include "base/text.h"
#include "platform/platform.h"

namespace poko {

// The address inside the page's first HTML comment: what stands between the first "("
// and the first ")" of the stretch from the first "<!--" to the first "-->". Empty when
// a marker is missing or the closing one comes first.
Text CutGlobalIP(const Text& page);

// What the page may put on the user's clipboard: an IPv4 dotted quad, or an IPv6 text
// (hex digits, ":" and ".", at most 45 characters), with or without ASCII blanks and
// tabs around it (taken as written, blanks included). Anything else (a second line,
// rich text, a command) would be pasted by the user unseen.
bool IsIpAddress(std::u16string_view text);

// Fetches the IP-echo page; empty when it cannot be fetched or holds no address (what
// its parentheses hold is not an address).
Text GetGlobalIP(Platform& platform, const Text& ipUrl);

// The tray menu's "copy the global IP": the box first, then the clipboard (plain text
// and the same text under the rich-text format), then the beep.
void ShowGlobalIP(Platform& platform, Handle owner, const Text& ipUrl);

}  // namespace poko
