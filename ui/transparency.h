// The window's four opacity steps: the caption of each M_WinCon item and the alpha it
// sets (255 is opaque). Start-up checks the item whose alpha is stored.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace poko {

struct OpacityStep {
    std::u16string_view caption;  // the blank is the full-width one; the digits are the access keys
    std::uint8_t alpha;
};

inline constexpr std::array<OpacityStep, 4> kOpacitySteps{{
    {u"ウィンドウ透明度\u3000&100%", 255},
    {u"ウィンドウ透明度\u3000&80%", 204},
    {u"ウィンドウ透明度\u3000&60%", 153},
    {u"ウィンドウ透明度\u3000&40%", 102},
}};

}  // namespace poko
