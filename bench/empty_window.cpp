// The floor the benchmarks measure the program against: an empty window with two 1 s
// timers that do nothing, built static with the same toolchain. Minimising hides it, as
// a tray program's window hides, so that both are driven the same way.
//
// Built a second time with SAME_WINDOWS as the floor for what the program's start-up
// must do besides: the same thirteen child controls of the same kinds (six labels,
// three edit boxes, two scroll bars, two buttons) with a Japanese font, and an icon in
// the notification area added before the window is shown; it carries the program's
// manifest (same_windows.rc), so its controls are themed alike.
#include <windows.h>
#ifdef SAME_WINDOWS
#include <shellapi.h>
#endif

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER: return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) ShowWindow(hwnd, SW_HIDE);
        return 0;
    case WM_DESTROY:
#ifdef SAME_WINDOWS
    {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = hwnd;
        nid.uID = 1;
        Shell_NotifyIconW(NIM_DELETE, &nid);
    }
#endif
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"EmptyWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"empty", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, nullptr, nullptr, instance, nullptr);
#ifdef SAME_WINDOWS
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH,
                             L"MS UI Gothic");
    struct Child {
        const wchar_t* cls;
        DWORD style, ex;
    } const children[] = {
        {L"STATIC", 0, 0}, {L"STATIC", 0, 0}, {L"STATIC", 0, 0}, {L"STATIC", 0, 0}, {L"STATIC", 0, 0},
        {L"STATIC", 0, 0}, {L"EDIT", ES_READONLY | ES_CENTER, WS_EX_CLIENTEDGE},
        {L"EDIT", ES_READONLY | ES_CENTER, WS_EX_CLIENTEDGE}, {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        {L"SCROLLBAR", SBS_VERT, 0}, {L"SCROLLBAR", SBS_VERT, 0}, {L"BUTTON", BS_PUSHBUTTON, 0},
        {L"BUTTON", BS_PUSHBUTTON, 0},
    };
    int y = 4;
    for (const Child& c : children) {
        HWND h = CreateWindowExW(c.ex, c.cls, L"\x30dd\x30b3\x4e38", WS_CHILD | WS_VISIBLE | c.style, 4, y, 120, 14,
                                 hwnd, nullptr, instance, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        y += 16;
    }
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    nid.uCallbackMessage = WM_APP;
    nid.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    lstrcpyW(nid.szTip, L"tray");
    Shell_NotifyIconW(NIM_ADD, &nid);
#endif
    SetTimer(hwnd, 1, 1000, nullptr);
    SetTimer(hwnd, 2, 1000, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
