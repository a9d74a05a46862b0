// What the end-to-end tests may ask of the program, and only when it runs with
// POKOMARU_TEST_HOOKS=1 (test_hooks.cpp has every hook): a state query, the clock moved
// on, and the mascot's draws given in advance (POKOMARU_TEST_DRAWS, comma-separated
// numbers in [0, 1)).
#pragma once

namespace poko {

// The state query: WM_COPYDATA to the main window with this dwData and, as data, a
// NUL-terminated UTF-16 file path. The program writes a UTF-8 "key=value" dump of what
// another process cannot read (menus, fonts, tray record, opacity, start-up's last step,
// the about box, the count of failed calls) to that path before SendMessage returns.
inline constexpr unsigned long kStateQueryMagic = 0x504B4D31;  // "PKM1"

// The clock moved on: WM_COPYDATA with this dwData and, as data, a signed 64-bit number
// of seconds. From then on the program's clock reads that much later (or earlier), as
// after a sleep or a change of the clock; nothing else is told.
inline constexpr unsigned long kClockShiftMagic = 0x504B4D32;  // "PKM2"

}  // namespace poko
