// The control model's few out-of-line pieces: names, scroll-bar values, timer ticks, menu items.
#include "ui/controls.h"

#include <algorithm>

namespace poko {

std::string Control::DisplayName() const {
    std::string s = ToUtf8(name_);
    if (index_ >= 0) s += "(" + std::to_string(index_) + ")";
    return s;
}

void ScrollBar::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (Assign(value_, value, Property::Value) && onChange) onChange();
}

void TimerControl::Tick() {
    if (in_tick_ || !Enabled()) return;
    in_tick_ = true;
    if (onTick) onTick();
    in_tick_ = false;
}

MenuItem& MenuItem::Add(std::u16string_view name, std::u16string_view caption, int index) {
    items_.push_back(std::make_unique<MenuItem>(name, caption, index));
    return *items_.back();
}

}  // namespace poko
