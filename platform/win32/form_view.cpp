// Binds the control model to real windows: property writes go to the HWNDs, and user
// edits, clicks, scrolls, timer ticks and tray callbacks come back as model events.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <type_traits>

#include "base/ansi.h"
#include "base/number.h"
#include "base/text.h"
#include "platform/win32/res/resource_ids.h"
#include "platform/win32/win32.h"

namespace poko {

namespace {

FormView* g_view = nullptr;
constexpr UINT_PTR kBeatTimerId = 1;

std::wstring W(const Text& t) { return std::wstring(t.begin(), t.end()); }
Text T(const wchar_t* s) { return Text(s, s + wcslen(s)); }

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return g_view->WndProc(h, m, w, l); }
LRESULT CALLBACK LabelProcThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return g_view->LabelProc(h, m, w, l); }
LRESULT CALLBACK EditProcThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return g_view->EditProc(h, m, w, l); }
LRESULT CALLBACK ButtonProcThunk(HWND h, UINT m, WPARAM w, LPARAM l) { return g_view->ButtonProc(h, m, w, l); }
// Installed through a LONG_PTR, past the compiler's type check: their calling convention
// is proven here (it matters in the i686 build).
static_assert(std::is_same_v<decltype(&EditProcThunk), WNDPROC> && std::is_same_v<decltype(&ButtonProcThunk), WNDPROC>);

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

// The files of a drop from the shell, in the order given; the drop's memory is freed.
// An empty name is no file (an empty list reads as one empty name under Wine).
std::vector<Text> DroppedFiles(HDROP drop) {
    std::vector<Text> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        if (!name.empty()) files.emplace_back(name.begin(), name.end());
    }
    DragFinish(drop);
    return files;
}

}  // namespace

void SetWindowProcTarget(FrmTimer* form);

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HICON icon, HICON small,
                         HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = small;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

FormView::FormView() { g_view = this; }

FormView::~FormView() {
    for (auto& [h, b] : bound_)
        if (b.font) DeleteObject(b.font);
    if (picture_) DeleteObject(picture_);
    if (white_) DeleteObject(white_);
    for (HICON icon : {icons_[0], icons_[1], bigIcons_[0], bigIcons_[1], retired_[0], retired_[1], retired_[2], retired_[3]})
        if (icon) DestroyIcon(icon);
}

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

SIZE FormView::WindowSize(int dpi) const {
    return WindowSizeAt(PixelsAt(kClientWidthTwips, dpi), PixelsAt(kClientHeightTwips, dpi), kMainStyle, dpi);
}

// Both icons at the sizes of the window's DPI, each from the frame drawn for that size.
// The set they replace stays until the next change: the tray may still show it.
void FormView::LoadIcons() {
    static constexpr int kIds[2] = {IDI_STOPPED, IDI_ARMED};
    const int small = SystemMetricAt(SM_CXSMICON, dpi_), big = SystemMetricAt(SM_CXICON, dpi_);
    for (int i = 0; i < 2; ++i) {
        for (HICON* slot : {&retired_[i], &retired_[2 + i]})
            if (*slot) DestroyIcon(*slot);
        retired_[i] = icons_[i];
        retired_[2 + i] = bigIcons_[i];
        icons_[i] = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIds[i]), IMAGE_ICON, small, small, 0));
        bigIcons_[i] = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIds[i]), IMAGE_ICON, big, big, 0));
    }
    if (!hwnd_) return;
    // The window shows its class's icons until it is given its own (ShowIcon).
    SetClassLongPtrW(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcons_[0]));
    SetClassLongPtrW(hwnd_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icons_[0]));
}

std::array<Handle, 2> FormView::SmallIcons() const {
    return {reinterpret_cast<Handle>(icons_[0]), reinterpret_cast<Handle>(icons_[1])};
}


bool FormView::Create(FrmTimer& form, HINSTANCE instance) {
    form_ = &form;
    char hooks[4] = {};
    hooks_ = GetEnvironmentVariableA("POKOMARU_TEST_HOOKS", hooks, sizeof hooks) == 1 && hooks[0] == '1';

    instance_ = instance;
    dpi_ = system_dpi_ = SystemDpi();
    twips_per_pixel_ = 1440.0f / static_cast<float>(system_dpi_);
    LoadIcons();
    white_ = CreateSolidBrush(GetSysColor(COLOR_WINDOW));

    RegisterWindowClass(instance, kMainWindowClass, MainProc, CS_DBLCLKS, bigIcons_[0], icons_[0],
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RegisterWindowClass(instance, kLabelClass, LabelProcThunk, 0, nullptr, nullptr, nullptr);

    // The window is created where the model has it, with its caption. Its controls come
    // when start-up is done (CreateControls).
    SIZE size = WindowSize(dpi_);
    hwnd_ = CreateWindowExW(0, kMainWindowClass, W(form.frm_Timer.Caption()).c_str(), kMainStyle,
                            ScreenPx(form.frm_Timer.Left()), ScreenPx(form.frm_Timer.Top()), size.cx, size.cy, nullptr,
                            nullptr, instance, nullptr);
    if (!hwnd_) return false;
    // Still hidden: on a monitor of another DPI than the system's it takes its size there.
    if (const int dpi = WindowDpi(hwnd_); dpi != dpi_) {
        dpi_ = dpi;
        size = WindowSize(dpi_);
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        LoadIcons();
    }
    form.PicIcon = SmallIcons();
    form.hWnd = reinterpret_cast<Handle>(hwnd_);
    form.frm_Timer.Bind(this, form.hWnd);
    hwnd_of_[&form.frm_Timer] = hwnd_;
    form.Timer_Time.Bind(this, 0);
    form.Timer.Bind(this, 0);
    SetWindowProcTarget(&form);
    Changed(form.Timer_Time, Property::Enabled);
    return true;
}

// The controls, each created as the model stands when start-up is done (place,
// caption or text, state), so that start-up's writes cost no writes to real windows.
void FormView::CreateControls() {
    FrmTimer& form = *form_;
    auto model = [&form](ControlId id) -> Control* {
        switch (id) {
        case ID_L_Title: return &form.L_Title;
        case ID_L_Time: return &form.L_Time;
        case ID_Label1_0: return &form.Label1[0];
        case ID_Label1_1: return &form.Label1[1];
        case ID_Label1_2: return &form.Label1[2];
        case ID_Label1_3: return &form.Label1[3];
        case ID_TextH: return &form.TextH;
        case ID_TextM: return &form.TextM;
        case ID_TextFileName: return &form.TextFileName;
        case ID_VS_h: return &form.VS_h;
        case ID_VS_m: return &form.VS_m;
        case ID_C_TimerStart: return &form.C_TimerStart;
        case ID_cmdFileOpen: return &form.cmdFileOpen;
        }
        return nullptr;
    };

    HDC screen = GetDC(nullptr);  // for the widths of the labels that follow their text
    for (const ControlLayout& l : kLayout) {
        Bound b{&l, model(l.id), nullptr, nullptr, {}};
        const wchar_t* cls = L"";
        DWORD st = WS_CHILD | WS_VISIBLE;
        DWORD ex = 0;
        switch (l.kind) {
        case ControlKind::Label: cls = kLabelClass; break;
        case ControlKind::Edit:
            cls = L"EDIT";
            st |= WS_TABSTOP | ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            // The time boxes change only through their bars, the wheel and the program.
            if (l.id == ID_TextH || l.id == ID_TextM) st |= ES_READONLY | ES_CENTER;
            // Files dropped from the shell arrive as WM_DROPFILES (as DragAcceptFiles
            // would have it), with no OLE drop target to set up at start.
            if (l.id == ID_TextFileName) ex |= WS_EX_ACCEPTFILES;
            break;
        case ControlKind::ScrollBar: cls = L"SCROLLBAR"; st |= WS_TABSTOP | SBS_VERT; break;
        case ControlKind::Button: cls = L"BUTTON"; st |= WS_TABSTOP | BS_PUSHBUTTON; break;
        }
        if (l.kind != ControlKind::ScrollBar) {  // a bar shows no text
            b.font = CreateLayoutFont(l.font, dpi_);
            b.text = ModelText(b);
        }
        b.enabled = b.control->Enabled();
        if (!b.enabled) st |= WS_DISABLED;
        RECT place = Place(b, screen);
        HWND h = CreateWindowExW(ex, cls, b.text.c_str(), st, place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(l.id)),
                                 instance_, nullptr);
        if (b.font) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(b.font), FALSE);
        if (l.kind == ControlKind::Edit) {
            // No limit of the box's own: the system's default would stop typing at ~30,000.
            SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
            b.previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProcThunk)));
        }
        if (l.kind == ControlKind::Button)
            b.previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProcThunk)));
        if (l.kind == ControlKind::ScrollBar) {
            const auto& bar = static_cast<const ScrollBar&>(*b.control);
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, bar.Min(), bar.Max(), 0, bar.Value(), 0};
            SetScrollInfo(h, SB_CTL, &si, FALSE);
            b.value = bar.Value();
        }
        hwnd_of_[b.control] = h;
        b.control->Bind(this, reinterpret_cast<Handle>(h));
        bound_[h] = std::move(b);
    }
    ReleaseDC(nullptr, screen);
    focus_ = hwnd_of_[&form.TextH];
}

// The text a control shows: a label's or a button's caption, a box's text.
std::wstring FormView::ModelText(const Bound& b) {
    switch (b.layout->kind) {
    case ControlKind::Label: return W(static_cast<const Label&>(*b.control).Caption());
    case ControlKind::Button: return W(static_cast<const Button&>(*b.control).Caption());
    case ControlKind::Edit: return W(static_cast<const TextBox&>(*b.control).GetText());
    case ControlKind::ScrollBar: break;
    }
    return {};
}

// Where a control goes: its place in the layout, except that a label whose width
// follows its text takes the width of the text it holds, and a right-aligned one keeps
// its right edge and grows to the left.
RECT FormView::Place(const Bound& b, HDC dc) const {
    RECT text{0, 0, 0, 0};
    if (b.layout->autoWidth) {
        HGDIOBJ old = SelectObject(dc, b.font);
        DrawTextW(dc, b.text.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
    }
    const PixelRect r = PlaceAt(*b.layout, dpi_, text.right - text.left);
    return {r.left, r.top, r.right, r.bottom};
}

// The controls are placed and sized for the new DPI before the window takes its new
// size, and nothing is painted until all of it is done: no control is ever seen at an
// intermediate size. Texts, focus, selections and states stay, as the controls do.
void FormView::Rescale(int dpi, const RECT& window) {
    dpi_ = dpi;
    std::vector<HFONT> old;
    HDC screen = GetDC(nullptr);
    HDWP moves = BeginDeferWindowPos(static_cast<int>(bound_.size()));
    for (auto& [h, b] : bound_) {
        if (b.font) {
            old.push_back(b.font);
            b.font = CreateLayoutFont(b.layout->font, dpi_);
            DWORD start = 0, end = 0;
            if (b.layout->kind == ControlKind::Edit)
                SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(b.font), FALSE);
            if (b.layout->kind == ControlKind::Edit) SendMessageW(h, EM_SETSEL, start, static_cast<LPARAM>(end));
        }
        const RECT r = Place(b, screen);
        if (moves)
            moves = DeferWindowPos(moves, h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    }
    if (moves) EndDeferWindowPos(moves);
    ReleaseDC(nullptr, screen);
    ++applying_;
    SetWindowPos(hwnd_, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
    if (IsWindowVisible(hwnd_) && !IsIconic(hwnd_))
        form_->frm_Timer.UserMoved(static_cast<float>(window.left) * twips_per_pixel_,
                                   static_cast<float>(window.top) * twips_per_pixel_);
    for (HFONT font : old) DeleteObject(font);
    if (picture_) LoadPicture(picture_path_);
    LoadIcons();
    ShowIcon(true);
    form_->IconsChanged();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Brings one real control in line with its model, writing only what differs from what
// it shows.
void FormView::Sync(HWND h, Bound& b) {
    if (b.layout->kind == ControlKind::ScrollBar) {
        const int value = static_cast<const ScrollBar&>(*b.control).Value();
        if (value != b.value) SetScrollPos(h, SB_CTL, value, TRUE);
        b.value = value;
    } else if (std::wstring text = ModelText(b); text != b.text) {
        b.text = std::move(text);
        ++applying_;  // the EN_CHANGE of our own write is not a user edit
        SetWindowTextW(h, b.text.c_str());
        --applying_;
        if (b.layout->autoWidth) {
            HDC dc = GetDC(h);
            const RECT place = Place(b, dc);
            ReleaseDC(h, dc);
            SetWindowPos(h, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (b.layout->kind == ControlKind::Label) Repaint(h);
    }
    if (b.control->Enabled() != b.enabled) EnableWindow(h, b.control->Enabled());
    b.enabled = b.control->Enabled();
}

// A hidden window is painted whole when it is shown; a shown one repaints what changed.
void FormView::Repaint(HWND h) {
    if (IsWindowVisible(h)) InvalidateRect(h, nullptr, TRUE);
}

// The window's icon, big and small. Until it is first set the window shows its class's
// icon, the stopped one: the system makes the window's picture for the title bar and
// the taskbar each time it is set (~4 ms under Wine).
void FormView::ShowIcon(bool again) {
    const int index = form_->frm_Timer.IconIndex();
    if (index == shown_icon_ && !again) return;
    shown_icon_ = index;
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcons_[index]));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[index]));
}

void FormView::PlaceWindow() {
    const int x = ScreenPx(form_->frm_Timer.Left()), y = ScreenPx(form_->frm_Timer.Top());
    RECT now;
    if (GetWindowRect(hwnd_, &now) && now.left == x && now.top == y) return;
    ++applying_;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
}

void FormView::ShowAfterLoad() {
    // Start-up's writes went only to the model; they reach the real windows here.
    loading_ = false;
    CreateControls();
    ShowIcon();
    PlaceWindow();
    if (!form_->frm_Timer.Visible()) return;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetFocus(hwnd_of_[&form_->TextH]);
}

FormView::Bound* FormView::Find(HWND hwnd) {
    auto it = bound_.find(hwnd);
    return it == bound_.end() ? nullptr : &it->second;
}

void FormView::Changed(Control& control, Property what) {
    FrmTimer& f = *form_;
    if (&control == &f.Timer_Time || &control == &f.Timer) {
        // Both timers tick once a second, paced by one system timer, so that the program
        // wakes once a second rather than once for each: a timer switched on ticks first
        // with the next beat, less than a second later.
        if (what != Property::Enabled) return;
        const bool beating = f.Timer_Time.Enabled() || f.Timer.Enabled();
        if (beating && !beating_)
            SetTimer(hwnd_, kBeatTimerId, static_cast<UINT>(f.Timer_Time.Interval()), nullptr);
        else if (!beating && beating_)
            KillTimer(hwnd_, kBeatTimerId);
        beating_ = beating;
        return;
    }
    if (&control == &f.frm_Timer) {
        Window& w = f.frm_Timer;
        ++applying_;
        switch (what) {
        case Property::Caption: SetWindowTextW(hwnd_, W(w.Caption()).c_str()); break;
        case Property::Icon:
            if (!loading_) ShowIcon();
            break;
        case Property::Visible: ShowWindow(hwnd_, w.Visible() ? SW_SHOW : SW_HIDE); break;
        case Property::State:
            if (w.State() == WindowState::Minimised) {
                if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
            } else if (IsIconic(hwnd_)) {
                ShowWindow(hwnd_, SW_RESTORE);
            }
            break;
        case Property::Position:
            if (!loading_) PlaceWindow();
            break;
        default: break;
        }
        --applying_;
        return;
    }
    auto it = hwnd_of_.find(&control);
    if (it == hwnd_of_.end()) return;
    HWND h = it->second;
    Bound* b = Find(h);
    if (!b) return;
    switch (what) {
    case Property::Focus:
        // A focus request while the window is hidden (settings loaded at start) does nothing.
        if (IsWindowVisible(hwnd_)) SetFocus(h);
        break;
    case Property::ForeColour:
    case Property::BackStyle: Repaint(h); break;
    case Property::Caption:
    case Property::Contents:
    case Property::Value:
    case Property::Enabled: Sync(h, *b); break;
    default: break;
    }
}

MenuItem* FormView::TrackPopup(MenuItem& menu) {
    std::vector<MenuItem*> items;
    popup_.clear();
    auto build = [&items, this](auto& self, MenuItem& parent, int level) -> HMENU {
        HMENU m = CreatePopupMenu();
        for (auto& child : parent.Items()) {
            MenuItem& item = *child;
            if (item.IsSeparator()) {
                AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            popup_.push_back({m, static_cast<UINT>(GetMenuItemCount(m)), &item, level});
            UINT flags = MF_STRING | (item.Enabled() ? 0 : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
            if (!item.Items().empty()) {
                AppendMenuW(m, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(self(self, item, level + 1)),
                            W(item.Caption()).c_str());
            } else {
                items.push_back(&item);
                AppendMenuW(m, flags, items.size(), W(item.Caption()).c_str());
            }
        }
        return m;
    };
    HMENU popup = build(build, menu, 1);
    POINT pt;
    GetCursorPos(&pt);
    const int chosen = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hwnd_, nullptr);
    popup_.clear();
    DestroyMenu(popup);
    // The menu of a tray icon closes properly only after the window got a message.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    return chosen > 0 && static_cast<size_t>(chosen) <= items.size() ? items[static_cast<size_t>(chosen) - 1] : nullptr;
}

bool FormView::LoadPicture(const Text& path) {
    NeedOle();
    IStream* stream = nullptr;
    if (FAILED(SHCreateStreamOnFileW(W(path).c_str(), STGM_READ | STGM_SHARE_DENY_NONE, &stream))) return false;
    IPicture* picture = nullptr;
    const HRESULT hr = OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return false;
    OLE_XSIZE_HIMETRIC hx = 0;
    OLE_YSIZE_HIMETRIC hy = 0;
    picture->get_Width(&hx);
    picture->get_Height(&hy);
    HDC screen = GetDC(nullptr);
    const int w = MulDiv(hx, dpi_, 2540);
    const int h = MulDiv(hy, dpi_, 2540);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w > 0 ? w : 1, h > 0 ? h : 1);
    HGDIOBJ old = SelectObject(mem, bmp);
    const bool ok = SUCCEEDED(picture->Render(mem, 0, 0, w, h, 0, hy, hx, -hy, nullptr));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    picture->Release();
    if (!ok || w <= 0 || h <= 0) {
        DeleteObject(bmp);
        return false;
    }
    if (picture_) DeleteObject(picture_);
    picture_ = bmp;
    picture_path_ = path;
    picture_size_ = {w, h};
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

// Paints what lies behind a point of the client area: the picture where there is one,
// the 3D face colour elsewhere.
void FormView::PaintBackground(HDC dc, const RECT& area, POINT origin) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!picture_) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, picture_);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, origin.x + area.left,
           origin.y + area.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

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
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (Bound* b = Find(hwnd)) {
            const auto& label = static_cast<Label&>(*b->control);
            if (label.Opaque()) {
                HBRUSH brush = CreateSolidBrush(label.BackColour());
                FillRect(dc, &rc, brush);
                DeleteObject(brush);
            } else {
                POINT origin{0, 0};
                MapWindowPoints(hwnd, hwnd_, &origin, 1);
                PaintBackground(dc, rc, origin);
            }
            if (b->layout->frame) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
            HGDIOBJ old = SelectObject(dc, b->font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, label.ForeColour());
            UINT format = DT_WORDBREAK;
            if (b->layout->align == AlignCentre) format |= DT_CENTER;
            if (b->layout->align == AlignRight) format |= DT_RIGHT;
            RECT text = rc;
            if (b->layout->frame) InflateRect(&text, -1, -1);
            DrawTextW(dc, W(label.Caption()).c_str(), -1, &text, format);
            SelectObject(dc, old);
        }
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
    case WM_DROPFILES:
        // Only the target box takes drops (its WS_EX_ACCEPTFILES), and only while it is
        // enabled: an armed alarm's target stays as it is.
        if (box == &form_->TextFileName && IsWindowEnabled(hwnd)) {
            const std::vector<Text> files = DroppedFiles(reinterpret_cast<HDROP>(wParam));
            form_->TextFileName_Dropped(&files);
        } else {
            DragFinish(reinterpret_cast<HDROP>(wParam));
        }
        return 0;
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
        if (wParam == kBeatTimerId) {
            f.Timer_Time.Tick();
            f.Timer.Tick();
        }
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
        // Read-only time boxes keep the white of an editable box; a disabled box looks
        // disabled.
        if (Bound* b = Find(reinterpret_cast<HWND>(lParam));
            b && b->layout->kind == ControlKind::Edit && IsWindowEnabled(reinterpret_cast<HWND>(lParam))) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(white_);
        }
        break;
    case WM_COPYDATA: {
        auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        if (hooks_ && cds && cds->dwData == kStateQueryMagic && cds->cbData >= sizeof(wchar_t)) {
            std::wstring path(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
            path.resize(wcsnlen(path.c_str(), path.size()));
            WriteStateDump(path.c_str());
            return TRUE;
        }
        return FALSE;
    }
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
    case WM_TIMECHANGE: f.ClockChanged(); return 0;
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

void FormView::WriteStateDump(const wchar_t* path) {
    FrmTimer& f = *form_;
    std::string out;
    auto line = [&out](const std::string& k, const std::string& v) { out += k + "=" + v + "\n"; };
    auto hex = [](std::uint32_t v) {  // "0x%08X", without printf's floating-point baggage
        std::string s = "0x";
        for (int shift = 28; shift >= 0; shift -= 4) s += "0123456789ABCDEF"[(v >> shift) & 0xF];
        return s;
    };
    line("window.caption", ToUtf8(f.frm_Timer.Caption()));
    line("window.visible", IsWindowVisible(hwnd_) ? "1" : "0");
    line("window.state", f.frm_Timer.State() == WindowState::Minimised ? "minimised" : "normal");
    line("window.icon", std::to_string(f.frm_Timer.IconIndex()));
    line("window.left_twips", ToUtf8(SingleText(f.frm_Timer.Left())));
    line("window.top_twips", ToUtf8(SingleText(f.frm_Timer.Top())));
    line("alpha", std::to_string(f.WindowAlpha));
    line("layered", (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED) ? "1" : "0");
    line("wheel_target", std::to_string(f.WheelTarget));
    line("timer.enabled", f.Timer.Enabled() ? "1" : "0");
    line("timer_time.enabled", f.Timer_Time.Enabled() ? "1" : "0");
    line("startup.step", std::string(StartupStepName(f.StartupStepDone())));
    line("label.L_Title.fore", hex(f.L_Title.ForeColour()));
    line("label.L_Title.back", hex(f.L_Title.BackColour()));
    line("label.L_Title.opaque", f.L_Title.Opaque() ? "1" : "0");
    for (auto& [h, b] : bound_) {
        LOGFONTW lf{};
        if (!b.font) continue;
        GetObjectW(b.font, sizeof lf, &lf);
        line(std::string("font.") + b.layout->name, ToUtf8(T(lf.lfFaceName)) + "|" + std::to_string(-lf.lfHeight) + "|" +
                                                         std::to_string(lf.lfWeight) + "|" + std::to_string(lf.lfCharSet));
    }
    auto menu = [&](auto& self, const MenuItem& item, int level) -> void {
        line("menu", std::to_string(level) + "|" + item.DisplayName() + "|" + ToUtf8(item.Caption()) + "|" +
                         (item.Enabled() ? "1" : "0") + "|" + (item.Checked() ? "1" : "0"));
        for (auto& child : item.Items()) self(self, *child, level + 1);
    };
    menu(menu, f.mPopUpSys, 0);
    // The menu on screen as the system holds it.
    line("popup.open", popup_.empty() ? "0" : "1");
    for (const PopupEntry& e : popup_) {
        const UINT state = GetMenuState(e.menu, e.position, MF_BYPOSITION);
        wchar_t caption[128] = {};
        GetMenuStringW(e.menu, e.position, caption, 128, MF_BYPOSITION);
        line("popup", std::to_string(e.level) + "|" + e.item->DisplayName() + "|" + ToUtf8(T(caption)) + "|" +
                          ((state & (MF_GRAYED | MF_DISABLED)) ? "0" : "1") + "|" + ((state & MF_CHECKED) ? "1" : "0"));
    }
    out += AboutBoxState();
    line("tray.present", f.TrayIconShown() ? "1" : "0");
    line("tray.cbSize", std::to_string(f.TrayIconData.cbSize));
    line("tray.uID", std::to_string(f.TrayIconData.uID));
    line("tray.uFlags", std::to_string(f.TrayIconData.uFlags));
    line("tray.uCallbackMessage", std::to_string(f.TrayIconData.uCallbackMessage));
    line("tray.icon", f.TrayIconData.hIcon == f.PicIcon[1] ? "1" : "0");
    // The pixel sizes of the icons the window and the tray were given.
    auto size = [](LRESULT icon) {
        ICONINFO info{};
        BITMAP bm{};
        if (!GetIconInfo(reinterpret_cast<HICON>(icon), &info)) return std::string("0");
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return std::to_string(bm.bmWidth);
    };
    // The window shows its class's icons until it is given its own.
    auto shown = [this](WPARAM kind, int classIndex) {
        const LRESULT own = SendMessageW(hwnd_, WM_GETICON, kind, 0);
        return own ? own : static_cast<LRESULT>(GetClassLongPtrW(hwnd_, classIndex));
    };
    line("icon.sizes", size(shown(ICON_SMALL, GCLP_HICONSM)) + "|" + size(shown(ICON_BIG, GCLP_HICON)) + "|" +
                           size(static_cast<LRESULT>(f.TrayIconData.hIcon)));
    std::string tip(f.TrayIconData.szTip.data(), strnlen(f.TrayIconData.szTip.data(), f.TrayIconData.szTip.size()));
    line("tray.tip", ToUtf8(FromAnsi(tip)));
    if (FILE* file = _wfopen(path, L"wb")) {
        std::fwrite(out.data(), 1, out.size(), file);
        std::fclose(file);
    }
}

}  // namespace poko
