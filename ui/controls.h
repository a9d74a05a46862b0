// The control model: each control of the main window holds its own properties and
// raises its own events, so the alarm's state lives where the user sees it. A change
// event fires only when a value really changes, and handlers may write to controls
// from inside a handler: the nested events run at once, in the order written.
//
// A bound view (the Win32 layer) is told about every property change so that it can
// update the real window; unit tests run the model with no view at all.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/records.h"
#include "platform/system_numbers.h"

namespace poko {

// A colour of the user's colour scheme rather than a fixed one: the system's colour
// index with the top bit set, which no COLORREF has. A label whose colour is not stated
// paints its text in the scheme's button text (COLOR_BTNTEXT), which stands out from the
// face colour behind it in every scheme, the dark high-contrast ones included.
inline constexpr Colour kSchemeColour = 0x80000000;
inline constexpr Colour kButtonTextColour = kSchemeColour | COLOR_BTNTEXT_;

class Control;

// What a view learns about a control: which property changed.
enum class Property { Caption, Contents, Enabled, Visible, Checked, Value, ForeColour, BackStyle, Icon, State, Position, Focus };

class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void Changed(Control& control, Property what) = 0;
};

class Control {
public:
    explicit Control(std::u16string_view name, int index = -1) : name_(name), index_(index) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const Text& Name() const { return name_; }
    // "Name" or "Name(index)", as dumps and tests show it.
    std::string DisplayName() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { Assign(enabled_, on, Property::Enabled); }

    void Bind(ControlView* view, Handle hwnd) { view_ = view, hwnd_ = hwnd; }
    Handle Hwnd() const { return hwnd_; }

protected:
    template <typename T>
    bool Assign(T& field, const T& value, Property what) {
        if (field == value) return false;
        field = value;
        if (view_) view_->Changed(*this, what);
        return true;
    }
    void Notify(Property what) {
        if (view_) view_->Changed(*this, what);
    }

private:
    Text name_;
    int index_;
    bool enabled_ = true;
    ControlView* view_ = nullptr;
    Handle hwnd_ = 0;
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

class Label : public Control {
public:
    using Control::Control;
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { Assign(caption_, caption, Property::Caption); }
    Colour ForeColour() const { return fore_; }
    void SetForeColour(Colour c) { Assign(fore_, c, Property::ForeColour); }
    Colour BackColour() const { return back_; }
    void SetBackColour(Colour c) { back_ = c; }
    bool Opaque() const { return opaque_; }
    void SetOpaque(bool on) { Assign(opaque_, on, Property::BackStyle); }

    std::function<void(MouseButton)> onMouseDown;

private:
    Text caption_;
    Colour fore_ = kButtonTextColour;
    Colour back_ = 0;
    bool opaque_ = false;
};

class TextBox : public Control {
public:
    using Control::Control;
    const Text& GetText() const { return text_; }
    // A program write: the change event runs only when the text really changes.
    void SetText(const Text& text) {
        if (Assign(text_, text, Property::Contents) && onChange) onChange();
    }
    // The user edited the real box; the view already shows the text.
    void UserEdited(const Text& text) {
        if (text_ == text) return;
        text_ = text;
        if (onChange) onChange();
    }
    // Asks for the keyboard focus; the focus event comes back through GotFocus().
    void SetFocus() { Notify(Property::Focus); }
    void GotFocus() {
        if (onGotFocus) onGotFocus();
    }

    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void()> onMouseMove;

private:
    Text text_;
};

class ScrollBar : public Control {
public:
    ScrollBar(std::u16string_view name, int min, int max) : Control(name), min_(min), max_(max) {}
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Out-of-range values are clamped: a bar position is always inside its range.
    void SetValue(int value);

    std::function<void()> onChange;

private:
    int min_, max_;
    int value_ = 0;
};

class Button : public Control {
public:
    using Control::Control;
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { Assign(caption_, caption, Property::Caption); }
    void Click() {
        if (onClick) onClick();
    }
    std::function<void()> onClick;
    std::function<void(MouseButton)> onMouseDown;

private:
    Text caption_;
};

// A timer never re-enters its own tick: a tick that falls due while the previous one is
// still running (inside a message box, say) is dropped.
class TimerControl : public Control {
public:
    explicit TimerControl(std::u16string_view name, int interval_ms, bool enabled) : Control(name), interval_(interval_ms) {
        SetEnabled(enabled);
    }
    int Interval() const { return interval_; }
    void Tick();
    std::function<void()> onTick;

private:
    int interval_;
    bool in_tick_ = false;
};

class MenuItem : public Control {
public:
    MenuItem(std::u16string_view name, std::u16string_view caption, int index = -1) : Control(name, index), caption_(caption) {}
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& caption) { Assign(caption_, caption, Property::Caption); }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { Assign(checked_, on, Property::Checked); }
    bool IsSeparator() const { return caption_ == u"-"; }
    void Click() {
        if (onClick) onClick();
    }
    MenuItem& Add(std::u16string_view name, std::u16string_view caption, int index = -1);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

    std::function<void()> onClick;

private:
    Text caption_;
    bool checked_ = false;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

enum class WindowState { Normal, Minimised };

// The form itself. Positions are in twips, as the settings file stores them.
class Window : public Control {
public:
    using Control::Control;
    const Text& Caption() const { return caption_; }
    void SetCaption(const Text& c) { Assign(caption_, c, Property::Caption); }
    int IconIndex() const { return icon_; }
    void SetIcon(int index) { Assign(icon_, index, Property::Icon); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Assign(visible_, on, Property::Visible); }
    WindowState State() const { return state_; }
    // Setting the state raises the resize event, as a real resize would.
    void SetState(WindowState s) {
        if (Assign(state_, s, Property::State) && onResize) onResize();
    }
    // The user minimised or restored the real window.
    void UserResized(WindowState s) {
        state_ = s;
        if (onResize) onResize();
    }
    float Left() const { return left_; }
    float Top() const { return top_; }
    void SetLeft(float twips) { Assign(left_, twips, Property::Position); }
    void SetTop(float twips) { Assign(top_, twips, Property::Position); }
    // The user moved the real window.
    void UserMoved(float left, float top) { left_ = left, top_ = top; }

    std::function<void()> onResize;
    // The tray icon's callback arrives as a mouse move; x is in pixels.
    std::function<void(int x)> onMouseMove;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void()> onDblClick;

private:
    Text caption_;
    int icon_ = 0;
    bool visible_ = true;
    WindowState state_ = WindowState::Normal;
    float left_ = 0, top_ = 0;
};

}  // namespace poko
