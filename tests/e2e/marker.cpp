// An alarm target for the scenarios: when the shell opens it, it leaves "fired" in
// fired.txt beside itself and ends. A GUI program, so that no console comes with it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH + 16];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\') --n;
    lstrcpyW(path + n, L"fired.txt");
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(f, "fired", 5, &written, nullptr);
    CloseHandle(f);
    return ok && written == 5 ? 0 : 1;
}
