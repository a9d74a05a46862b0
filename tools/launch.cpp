// Starts a program with a command line written as a Windows user writes it. Wine turns
// the Unix arguments of `wine program.exe ...` into a command line by quoting each one,
// so FILE="!wake up" would reach the program as "FILE=\"!wake up\"". This launcher gets
// the arguments back as they were typed and joins them with single blanks, unquoted:
//     wine launch.exe PROGRAM.exe -M -TS TIME=0730 'FILE="!wake up"'
// runs PROGRAM.exe with the command line -M -TS TIME=0730 FILE="!wake up", waits for it
// and returns its exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    std::wstring line = L"\"" + std::wstring(argv[1]) + L"\"";
    for (int i = 2; i < argc; ++i) line += L" " + std::wstring(argv[i]);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 3;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
