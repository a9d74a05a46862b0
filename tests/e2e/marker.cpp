// An alarm target for the scenarios, and the browser the shell starts for http
// addresses: when the shell opens it, it leaves "fired" in fired.txt beside itself,
// followed by a line with its arguments (UTF-8, as the shell passed them) when it has
// any, and ends. A GUI program, so that no console comes with it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH + 16];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    while (n > 0 && path[n - 1] != '\\') --n;
    lstrcpyA(path + n, "fired.txt");
    const wchar_t* args = GetCommandLineW();  // past the program name and the blanks after it
    for (bool quoted = false; *args && (quoted || (*args != L' ' && *args != L'\t')); ++args) quoted ^= *args == L'"';
    while (*args == L' ' || *args == L'\t') ++args;
    static char utf8[4 * 32768];
    const int length = WideCharToMultiByte(CP_UTF8, 0, args, -1, utf8, sizeof utf8, nullptr, nullptr) - 1;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0, more = 0;
    BOOL ok = WriteFile(f, "fired", 5, &written, nullptr);
    if (ok && length > 0)
        ok = WriteFile(f, "\n", 1, &more, nullptr) && WriteFile(f, utf8, length, &more, nullptr) &&
             more == static_cast<DWORD>(length);
    CloseHandle(f);
    return ok && written == 5 ? 0 : 1;
}
