// What the end-to-end tests may ask of the program, and only when it runs with
// POKOMARU_TEST_HOOKS=1 (test_hooks.cpp has every hook): a state query, and the mascot's
// draws given in advance (POKOMARU_TEST_DRAWS, comma-separated numbers in [0, 1)).
#pragma once

namespace poko {

// The state query: WM_COPYDATA to the main window with this dwData and, as data, a
// NUL-terminated UTF-16 file path. The program writes a UTF-8 "key=value" dump of what
// another process cannot read (menus, fonts, tray record, opacity, start-up's last step,
// the about box) to that path before SendMessage returns.
inline constexpr unsigned long kStateQueryMagic = 0x504B4D31;  // "PKM1"

}  // namespace poko
