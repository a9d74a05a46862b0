// The open-file dialog that picks an alarm target.
#pragma once

#include "base/text.h"
#include "platform/platform.h"

namespace poko {

// Every "|" becomes a NUL; the length stays.
Text ConvertFilter(const Text& filter);
// The open-file dialog, with no initial folder and no flags (the dialog does not insist
// that the file exists, and shows its read-only check box); the chosen path, or the
// empty text on cancel or failure. The caller's filter holds the converted form
// afterwards.
Text OpenFileDialog(Platform& platform, Handle owner, Text& filter);

}  // namespace poko
