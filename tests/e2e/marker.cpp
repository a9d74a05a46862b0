// An alarm target for the scenarios, and the browser the shell starts for http
// addresses: when the shell opens it, it leaves "fired" in fired.txt beside itself,
// followed by a line with its arguments when it has any, and ends. A GUI program, so
// that no console comes with it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR args, int) {
    char path[MAX_PATH + 16];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (n > 0 && path[n - 1] != '\\') --n;
    lstrcpyA(path + n, "fired.txt");
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0, more = 0;
    BOOL ok = WriteFile(f, "fired", 5, &written, nullptr);
    if (ok && *args) {
        const DWORD length = static_cast<DWORD>(lstrlenA(args));
        ok = WriteFile(f, "\n", 1, &more, nullptr) && WriteFile(f, args, length, &more, nullptr) && more == length;
    }
    CloseHandle(f);
    return ok && written == 5 ? 0 : 1;
}
