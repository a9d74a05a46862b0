// The window procedures of the main window, its labels and its subclassed boxes and
// buttons: user edits, clicks, scrolls, keys, drops, timer ticks and the tray's mouse
// messages come back as model events.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "win32/win32.h"

namespace poko {

FormView* FormView::current_ = nullptr;

LRESULT CALLBACK FormView::MainThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return current_->WndProc(h, m, w, l); }
LRESULT CALLBACK FormView::LabelThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return current_->LabelProc(h, m, w, l); }
LRESULT CALLBACK FormView::EditThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return current_->EditProc(h, m, w, l); }
LRESULT CALLBACK FormView::ButtonThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return current_->ButtonProc(h, m, w, l); }
// Installed through a LONG_PTR, past the compiler's type check: their calling convention
// is proven here (it matters in the i686 build).
static_assert(std::is_same_v<decltype(&FormView::EditThunk), WNDPROC> &&
              std::is_same_v<decltype(&FormView::ButtonThunk), WNDPROC>);

namespace {

// The button a press message stands for, or none; a quick second press of a window
// class with double-clicks arrives as a double-click message.
std::optional<MouseButton> Pressed(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return MouseButton::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return MouseButton::Middle;
    }
    return std::nullopt;
}

Text WindowText(HWND h) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
    return Text(s.begin(), s.end());
}

// The files of a drop from the shell, in the order given; the drop's memory goes before
// they are handed on. An empty name is no file (an empty list reads as one empty name
// under Wine).
std::vector<Text> DroppedFiles(DropHandle drop) {
    std::vector<Text> files;
    const UINT count = DragQueryFileW(drop.Get(), 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop.Get(), i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop.Get(), i, name.data(), static_cast<UINT>(name.size())));
        if (!name.empty()) files.emplace_back(name.begin(), name.end());
    }
    return files;
}

}  // namespace

bool FormView::HandleAccessKey(const MSG& msg) {
    if (msg.message != WM_SYSCHAR || (msg.hwnd != hwnd_ && GetParent(msg.hwnd) != hwnd_)) return false;
    auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; };
    const wchar_t key = upper(static_cast<wchar_t>(msg.wParam));
    for (size_t i = 0; i < kLayout.size(); ++i) {
        if (kLayout[i].kind != ControlKind::Label) continue;
        const Text& caption = static_cast<Label*>(Find(GetDlgItem(hwnd_, kLayout[i].id))->control)->Caption();
        const auto amp = caption.find(u'&');
        if (amp == Text::npos || amp + 1 >= caption.size()) continue;
        if (upper(static_cast<wchar_t>(caption[amp + 1])) != key) continue;
        // The access key of a label reaches the next control after it that takes the focus.
        for (size_t j = i + 1; j < kLayout.size(); ++j) {
            HWND next = GetDlgItem(hwnd_, kLayout[j].id);
            if (kLayout[j].kind != ControlKind::Label && IsWindowEnabled(next) && IsWindowVisible(next)) {
                SetFocus(next);
                return true;
            }
        }
    }
    return false;
}

LRESULT FormView::LabelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const auto button = Pressed(msg)) {
        if (Bound* b = Find(hwnd); b && static_cast<Label*>(b->control)->onMouseDown)
            static_cast<Label*>(b->control)->onMouseDown(*button);
        return 0;
    }
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (const Bound* b = Find(hwnd)) PaintLabel(hwnd, dc, *b);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT FormView::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Bound* b = Find(hwnd);
    auto* box = static_cast<TextBox*>(b->control);
    const bool timeBox = box == &form_->TextH || box == &form_->TextM;
    if (const auto button = Pressed(msg); button && box->onMouseDown) box->onMouseDown(*button);
    switch (msg) {
    case WM_MOUSEMOVE:
        if (box->onMouseMove) box->onMouseMove();
        break;
    case WM_MOUSEWHEEL:
        // Some edit controls keep the wheel to themselves; the window procedure turns it
        // into the wheel steps of the time boxes, so it goes to the main window.
        return SendMessageW(hwnd_, msg, wParam, lParam);
    case WM_CONTEXTMENU:
        // The time boxes show the program's menu instead of the edit control's own.
        if (timeBox) return 0;
        break;
    case WM_SETFOCUS:
        if (timeBox) {
            // A box that takes no typing shows no insertion point; its caret would only
            // blink, and repaint, twice a second.
            const LRESULT r = CallWindowProcW(b->previous, hwnd, msg, wParam, lParam);
            HideCaret(hwnd);
            return r;
        }
        break;
    case WM_DROPFILES: {
        DropHandle drop(reinterpret_cast<HDROP>(wParam));
        // Only the target box takes drops (its WS_EX_ACCEPTFILES), and only while it is
        // enabled: an armed alarm's target stays as it is.
        if (box == &form_->TextFileName && IsWindowEnabled(hwnd)) {
            const std::vector<Text> files = DroppedFiles(std::move(drop));
            form_->TextFileName_Dropped(&files);
        }
        return 0;
    }
    }
    return CallWindowProcW(b->previous, hwnd, msg, wParam, lParam);
}

// A press on a button goes to the window's mouse handling first; the button then does
// what it always does.
LRESULT FormView::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Bound* b = Find(hwnd);
    auto* button = static_cast<Button*>(b->control);
    if (const auto pressed = Pressed(msg); pressed && button->onMouseDown) button->onMouseDown(*pressed);
    return CallWindowProcW(b->previous, hwnd, msg, wParam, lParam);
}

void FormView::SaveFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
}

LRESULT FormView::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!form_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    FrmTimer& f = *form_;
    switch (msg) {
    case WM_COMMAND: {
        HWND child = reinterpret_cast<HWND>(lParam);
        Bound* b = child ? Find(child) : nullptr;
        if (!b) break;
        const int code = HIWORD(wParam);
        if (b->layout->kind == ControlKind::Edit) {
            auto* box = static_cast<TextBox*>(b->control);
            if (code == EN_CHANGE && !applying_) {
                const Text typed = WindowText(child);
                b->text = W(typed);  // what the box shows now
                box->UserEdited(typed);
            }
            if (code == EN_SETFOCUS) box->GotFocus();
        } else if (b->layout->kind == ControlKind::Button && code == BN_CLICKED) {
            static_cast<Button*>(b->control)->Click();
        }
        return 0;
    }
    case WM_VSCROLL: {
        Bound* b = Find(reinterpret_cast<HWND>(lParam));
        if (!b) break;
        auto* bar = static_cast<ScrollBar*>(b->control);
        int v = bar->Value();
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
        case SB_PAGEUP: --v; break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN: ++v; break;
        case SB_TOP: v = bar->Min(); break;
        case SB_BOTTOM: v = bar->Max(); break;
        case SB_THUMBPOSITION: v = static_cast<short>(HIWORD(wParam)); break;
        default: return 0;  // no change while the thumb is dragged
        }
        bar->SetValue(v);
        // The model clamps: put the thumb back where the value is.
        SetScrollPos(reinterpret_cast<HWND>(lParam), SB_CTL, bar->Value(), TRUE);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kBeatTimer) f.Beat();
        return 0;
    case WM_MOUSEMOVE:
        if (f.frm_Timer.onMouseMove) f.frm_Timer.onMouseMove(LOWORD(lParam));
        return 0;
    case WM_SIZE:
        if (!applying_) {
            if (wParam == SIZE_MINIMIZED) f.frm_Timer.UserResized(WindowState::Minimised);
            if (wParam == SIZE_RESTORED) f.frm_Timer.UserResized(WindowState::Normal);
        }
        return 0;
    case WM_MOVE:
        if (!applying_ && !IsIconic(hwnd) && IsWindowVisible(hwnd)) {
            RECT r;
            GetWindowRect(hwnd, &r);
            f.frm_Timer.UserMoved(static_cast<float>(r.left) * twips_per_pixel_,
                                  static_cast<float>(r.top) * twips_per_pixel_);
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        PaintBackground(reinterpret_cast<HDC>(wParam), rc, {0, 0});
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        // Read-only time boxes keep the colours of an editable box (white, in the
        // standard scheme); a disabled box looks disabled.
        if (Bound* b = Find(reinterpret_cast<HWND>(lParam));
            b && b->layout->kind == ControlKind::Edit && IsWindowEnabled(reinterpret_cast<HWND>(lParam))) {
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_SYSCOLORCHANGE:
        // Another colour scheme (a high-contrast theme, say): the face, the labels and the
        // boxes are painted in its colours, and the controls hear of it too.
        for (const auto& [h, b] : bound_) SendMessageW(h, msg, wParam, lParam);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    case kNameControls: NameControlsForReaders(); return 0;
    case WM_COPYDATA: return AnswerStateQuery(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_LBUTTONDBLCLK:
        if (f.frm_Timer.onDblClick) f.frm_Timer.onDblClick();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (f.frm_Timer.onMouseDown) f.frm_Timer.onMouseDown(*Pressed(msg));
        return 0;
    // The focus goes back to the control that had it whenever the window gets it again
    // (activation, the end of a message box, the dialog or the about box, a restore
    // from the tray); it is noted before the window loses it.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) SaveFocus();
        break;
    case WM_CANCELMODE: SaveFocus(); break;  // sent first when a modal box disables the window
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) SaveFocus();
        break;
    case WM_SETFOCUS:
        if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_))
            SetFocus(focus_);
        else
            SetFocus(hwnd_of_[&f.TextH]);
        return 0;
    case WM_GETDPISCALEDSIZE: {
        // The size the window takes at the new DPI, exactly, rather than a scaled guess.
        *reinterpret_cast<SIZE*>(lParam) = WindowSize(static_cast<int>(wParam));
        return TRUE;
    }
    case WM_DPICHANGED:
        Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_TIMECHANGE: f.ClockChanged(); return 0;  // also sent when the time zone changes
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) f.ClockChanged();
        break;
    case WM_ENDSESSION:
        // The system is going down: the settings are written as at a normal exit.
        if (wParam) f.Form_Unload();
        return 0;
    case WM_CLOSE:
        f.Form_Unload();
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace poko
