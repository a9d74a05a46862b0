// The main window's layout table, and its twips as pixels at a DPI.
#include "ui/layout.h"

#include <cmath>

namespace poko {

int PixelsAt(double twips, int dpi) {
    const double px = std::round(twips * dpi / kTwipsPerInch);
    return static_cast<int>(std::fmax(-32000.0, std::fmin(32000.0, px)));
}

int FontHeightAt(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

PixelRect PlaceAt(const ControlLayout& l, int dpi, int textWidth) {
    PixelRect r{PixelsAt(l.left, dpi), PixelsAt(l.top, dpi), 0, 0};
    r.right = r.left + PixelsAt(l.width, dpi);
    r.bottom = r.top + PixelsAt(l.height, dpi);
    if (!l.autoWidth) return r;
    if (l.align == AlignRight) {
        r.right = PixelsAt(l.left + l.width, dpi);
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return r;
}

}  // namespace poko
