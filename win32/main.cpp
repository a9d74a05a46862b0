// Program entry: the main window is the start object. It is created hidden, start-up
// runs, and only then is it shown (or left in the tray).
#include <windows.h>

#include "net/http_get.h"
#include "win32/win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const poko::OleSession ole;  // ended after the window and all it used are gone
    int code = 0;
    {
        poko::FormView view;
        poko::Win32Platform platform(view, poko::kDownloadTimeLimitMs);
        poko::FrmTimer form(platform);
        if (!view.Create(form, instance)) return 1;
        form.requestClose = [&view] { PostMessageW(view.Hwnd(), WM_CLOSE, 0, 0); };
        form.Form_Load();
        view.ShowAfterLoad();

        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (view.HandleAccessKey(msg)) continue;
            // The dialog manager (Tab between the controls) acts on keys only; other
            // messages go straight to their window, a tick without its detour.
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && IsDialogMessageW(view.Hwnd(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        code = static_cast<int>(msg.wParam);
    }
    return code;
}
