#include "screenshot.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace e2e {

namespace {

std::string TestName() {
    auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : "setup";
}

// The desktop as a BMP file's bytes.
std::string CaptureDesktop() {
    HDC screen = GetDC(nullptr);
    int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, GetSystemMetrics(SM_XVIRTUALSCREEN),
           GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY);
    SelectObject(mem, old);

    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, as BMP files usually are
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    int stride = (w * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * h);
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;  // "BM"
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string file(reinterpret_cast<const char*>(&bfh), sizeof bfh);
    file.append(reinterpret_cast<const char*>(&bih), sizeof bih);
    file.append(pixels.data(), pixels.size());
    return file;
}

void Save(const std::string& name, const std::string& bytes) {
    wchar_t dirBuf[1024];
    DWORD n = GetEnvironmentVariableW(L"POKOMARU_E2E_ARTIFACTS", dirBuf, 1024);
    if (n == 0 || n >= 1024) return;
    std::wstring dir(dirBuf, n);
    if (dir[0] == L'/') {  // a Unix path: Wine shows the Unix root as drive Z:
        std::replace(dir.begin(), dir.end(), L'/', L'\\');
        dir = L"Z:" + dir;
    }
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring path = dir + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    std::printf("[ picture  ] %s\n", std::string(path.begin(), path.end()).c_str());
}

std::vector<std::pair<std::string, std::string>> kept;

}  // namespace

void SaveScreenshotOnce() {
    static std::string lastTest;
    std::string test = TestName();
    if (test == lastTest) return;
    lastTest = test;
    Save(test, CaptureDesktop());
}

void KeepPicture(const char* label) { kept.emplace_back(TestName() + "." + label, CaptureDesktop()); }

void SaveKeptPictures(bool failed) {
    char always[4] = {};
    if (failed || (GetEnvironmentVariableA("POKOMARU_E2E_PICTURES", always, sizeof always) == 1 && always[0] == '1'))
        for (const auto& [name, bytes] : kept) Save(name, bytes);
    kept.clear();
}

}  // namespace e2e
