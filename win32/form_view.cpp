// Binds the control model to real windows: the main window and its controls made as
// the model stands, every property write taken to the real window, the DPI's sizes, the
// icons and the pop-up menu. Painting is in form_paint.cpp, the window procedures that
// bring user input back as model events in form_procs.cpp.
#include <windows.h>

#include <string>

#include "win32/res/resource_ids.h"
#include "win32/scoped.h"
#include "win32/win32.h"

namespace poko {

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
    return Checked(L"RegisterClassExW", RegisterClassExW(&wc)) != 0;
}

FormView::~FormView() = default;

namespace {

// Run elevated (as administrator, or as an elevated scheduled task), a window hears from
// the less trusted shell only what it lets in (User Interface Privilege Isolation): the
// new taskbar's "TaskbarCreated", which brings the tray icon back, and a drop's
// WM_DROPFILES with the WM_COPYGLOBALDATA that carries its file list. Windows 7 and later.
void LetTheShellIn(HWND hwnd, bool taskbar) {
    static const auto allow = LoadedCall<BOOL(WINAPI*)(HWND, UINT, DWORD, CHANGEFILTERSTRUCT*)>(
        L"user32.dll", "ChangeWindowMessageFilterEx");
    if (!allow) return;
    constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, in no header
    for (const UINT msg : {UINT{WM_DROPFILES}, kCopyGlobalData, taskbar ? RegisterWindowMessageW(L"TaskbarCreated") : 0u})
        if (msg) allow(hwnd, msg, MSGFLT_ALLOW, nullptr);
}

}  // namespace

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

SIZE FormView::WindowSize(int dpi) const {
    return WindowSizeAt(PixelsAt(kClientWidthTwips, dpi), PixelsAt(kClientHeightTwips, dpi), kMainStyle, dpi);
}

// Each from the frame drawn for that size.
HICON LoadProgramIcon(int index, int size) {
    static constexpr int kIds[2] = {IDI_STOPPED, IDI_ARMED};
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIds[index]), IMAGE_ICON, size, size, 0));
}

// Both icons at the sizes of the window's DPI. The set they replace stays until the next
// change: the tray may still show it.
void FormView::LoadIcons() {
    const int small = SystemMetricAt(SM_CXSMICON, dpi_), big = SystemMetricAt(SM_CXICON, dpi_);
    for (int i = 0; i < 2; ++i) {
        retired_[i] = std::move(icons_[i]);  // the set before that goes now
        retired_[2 + i] = std::move(bigIcons_[i]);
        icons_[i].Reset(LoadProgramIcon(i, small));
        bigIcons_[i].Reset(LoadProgramIcon(i, big));
    }
    if (!hwnd_) return;
    // The window shows its class's icons until it is given its own (ShowIcon).
    SetClassLongPtrW(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcons_[0].Get()));
    SetClassLongPtrW(hwnd_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icons_[0].Get()));
}

std::array<Handle, 2> FormView::SmallIcons() const {
    return {reinterpret_cast<Handle>(icons_[0].Get()), reinterpret_cast<Handle>(icons_[1].Get())};
}

bool FormView::Create(FrmTimer& form, HINSTANCE instance) {
    form_ = &form;
    hooks_ = TestHooksOn();

    instance_ = instance;
    dpi_ = system_dpi_ = SystemDpi();
    twips_per_pixel_ = static_cast<float>(kTwipsPerInch) / static_cast<float>(system_dpi_);
    LoadIcons();

    RegisterWindowClass(instance, kMainWindowClass, MainThunk, CS_DBLCLKS, bigIcons_[0].Get(), icons_[0].Get(),
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RegisterWindowClass(instance, kLabelClass, LabelThunk, 0, nullptr, nullptr, nullptr);

    // The window is created where the model has it, with its caption. Its controls come
    // when start-up is done (CreateControls).
    SIZE size = WindowSize(dpi_);
    hwnd_ = Checked(L"CreateWindowExW",
                    CreateWindowExW(0, kMainWindowClass, W(form.frm_Timer.Caption()).c_str(), kMainStyle,
                                    ScreenPx(form.frm_Timer.Left()), ScreenPx(form.frm_Timer.Top()), size.cx, size.cy,
                                    nullptr, nullptr, instance, nullptr));
    if (!hwnd_) return false;
    LetTheShellIn(hwnd_, true);
    // Still hidden: on a monitor of another DPI than the system's it takes its size there.
    if (const int dpi = WindowDpi(hwnd_); dpi != dpi_) {
        dpi_ = dpi;
        size = WindowSize(dpi_);
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        LoadIcons();
    }
    form.Attach(reinterpret_cast<Handle>(hwnd_), SmallIcons());
    form.frm_Timer.Bind(this, form.Hwnd());
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
    const WindowDC screen(nullptr);  // for the widths of the labels that follow their text
    for (const ControlLayout& l : kLayout) {
        Bound b{&l, form.ControlOf(l.id), GdiObject<HFONT>(), nullptr, {}};
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
            b.font.Reset(CreateLayoutFont(l.font, dpi_));
            b.text = ModelText(b);
        }
        b.enabled = b.control->Enabled();
        if (!b.enabled) st |= WS_DISABLED;
        RECT place = Place(b, screen);
        HWND h = Checked(L"CreateWindowExW",
                         CreateWindowExW(ex, cls, b.text.c_str(), st, place.left, place.top, place.right - place.left,
                                         place.bottom - place.top, hwnd_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(l.id)), instance_, nullptr));
        if (b.font.Get()) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(b.font.Get()), FALSE);
        if (l.kind == ControlKind::Edit) {
            // No limit of the box's own: the system's default would stop typing at ~30,000.
            SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
            b.previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditThunk)));
            if (l.id == ID_TextFileName) LetTheShellIn(h, false);
        }
        if (l.kind == ControlKind::Button)
            b.previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonThunk)));
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
        const Selected font(dc, b.font.Get());
        DrawTextW(dc, b.text.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    }
    const PixelRect r = PlaceAt(*b.layout, dpi_, text.right - text.left);
    return {r.left, r.top, r.right, r.bottom};
}

// The controls are placed and sized for the new DPI before the window takes its new
// size, and nothing is painted until all of it is done: no control is ever seen at an
// intermediate size. Texts, focus, selections and states stay, as the controls do.
void FormView::Rescale(int dpi, const RECT& window) {
    dpi_ = dpi;
    std::vector<GdiObject<HFONT>> old;  // until the controls have let go of them
    const WindowDC screen(nullptr);
    HDWP moves = BeginDeferWindowPos(static_cast<int>(bound_.size()));
    for (auto& [h, b] : bound_) {
        if (b.font.Get()) {
            old.push_back(std::move(b.font));
            b.font.Reset(CreateLayoutFont(b.layout->font, dpi_));
            DWORD start = 0, end = 0;
            if (b.layout->kind == ControlKind::Edit)
                SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(b.font.Get()), FALSE);
            if (b.layout->kind == ControlKind::Edit) SendMessageW(h, EM_SETSEL, start, static_cast<LPARAM>(end));
        }
        const RECT r = Place(b, screen);
        if (moves)
            moves = DeferWindowPos(moves, h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    }
    if (moves) EndDeferWindowPos(moves);
    ++applying_;
    SetWindowPos(hwnd_, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
    if (IsWindowVisible(hwnd_) && !IsIconic(hwnd_))
        form_->frm_Timer.UserMoved(static_cast<float>(window.left) * twips_per_pixel_,
                                   static_cast<float>(window.top) * twips_per_pixel_);
    if (picture_.Get()) LoadPicture(picture_path_);
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
            const RECT place = Place(b, WindowDC(h));
            SetWindowPos(h, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (b.layout->kind == ControlKind::Label) Repaint(h);
    }
    if (b.control->Enabled() != b.enabled) EnableWindow(h, b.control->Enabled());
    b.enabled = b.control->Enabled();
}

// The window's icon, big and small. Until it is first set the window shows its class's
// icon, the stopped one: the system makes the window's picture for the title bar and
// the taskbar each time it is set (~4 ms under Wine).
void FormView::ShowIcon(bool again) {
    const int index = form_->frm_Timer.IconIndex();
    if (index == shown_icon_ && !again) return;
    shown_icon_ = index;
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcons_[index].Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[index].Get()));
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
    PostMessageW(hwnd_, kNameControls, 0, 0);  // after the window is shown: oleacc takes a while to load
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
            SetTimer(hwnd_, kBeatTimer, static_cast<UINT>(f.Timer_Time.Interval()), nullptr);
        else if (!beating && beating_)
            KillTimer(hwnd_, kBeatTimer);
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
    auto build = [&items, this](auto& self, MenuItem& parent, int level) -> MenuHandle {
        MenuHandle m(Checked(L"CreatePopupMenu", CreatePopupMenu()));
        for (auto& child : parent.Items()) {
            MenuItem& item = *child;
            if (item.IsSeparator()) {
                AppendMenuW(m.Get(), MF_SEPARATOR, 0, nullptr);
                continue;
            }
            popup_.push_back({m.Get(), static_cast<UINT>(GetMenuItemCount(m.Get())), &item, level});
            UINT flags = MF_STRING | (item.Enabled() ? 0 : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
            if (!item.Items().empty()) {
                MenuHandle sub = self(self, item, level + 1);
                // Appended, the submenu goes with its parent.
                if (AppendMenuW(m.Get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()), W(item.Caption()).c_str()))
                    sub.Release();
            } else {
                items.push_back(&item);
                AppendMenuW(m.Get(), flags, items.size(), W(item.Caption()).c_str());
            }
        }
        return m;
    };
    MenuHandle popup = build(build, menu, 1);
    POINT pt;
    GetCursorPos(&pt);
    const int chosen =
        TrackPopupMenu(popup.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hwnd_, nullptr);
    popup_.clear();
    popup.Reset();
    // The menu of a tray icon closes properly only after the window got a message.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    return chosen > 0 && static_cast<size_t>(chosen) <= items.size() ? items[static_cast<size_t>(chosen) - 1] : nullptr;
}

}  // namespace poko
