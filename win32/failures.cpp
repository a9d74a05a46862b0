// The count of the Win32 layer's failed calls and what a debugger is told of each
// (ReportFailure, win32.h). No box and no file: whatever the user must hear of a failure
// the program's rules say.
#include <windows.h>

#include <string>

#include "win32/win32.h"

namespace poko {

namespace {
volatile LONG g_failures = 0;  // the download's helper thread could report one too
const wchar_t* g_lastCall = L"";
DWORD g_lastError = 0;
}  // namespace

void ReportFailure(const wchar_t* call) {
    const DWORD error = GetLastError();
    InterlockedIncrement(&g_failures);
    g_lastCall = call;
    g_lastError = error;
    // "PokomaruNo1: <call> failed, error <n>", the number without printf's baggage.
    wchar_t digits[12];
    wchar_t* p = digits + 11;
    *p = L'\0';
    DWORD n = error;
    do {
        *--p = static_cast<wchar_t>(L'0' + n % 10);
        n /= 10;
    } while (n);
    const std::wstring line = std::wstring(L"PokomaruNo1: ") + call + L" failed, error " + p + L"\n";
    OutputDebugStringW(line.c_str());
    SetLastError(error);  // for a caller that reads it next
}

unsigned long FailureCount() { return static_cast<unsigned long>(g_failures); }
const wchar_t* LastFailedCall(unsigned long& error) {
    error = g_lastError;
    return g_lastCall;
}

}  // namespace poko
