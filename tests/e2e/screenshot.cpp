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

RECT Desktop() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// An area of the desktop as a BMP file's bytes.
std::string Capture(RECT area = Desktop()) {
    HDC screen = GetDC(nullptr);
    const int w = area.right - area.left, h = area.bottom - area.top;
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
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

bool Save(const std::string& name, const std::string& bytes, const wchar_t* folderVariable = L"POKOMARU_E2E_ARTIFACTS") {
    wchar_t dirBuf[1024];
    DWORD n = GetEnvironmentVariableW(folderVariable, dirBuf, 1024);
    if (n == 0 || n >= 1024) return false;
    std::wstring dir(dirBuf, n);
    if (dir[0] == L'/') {  // a Unix path: Wine shows the Unix root as drive Z:
        std::replace(dir.begin(), dir.end(), L'/', L'\\');
        dir = L"Z:" + dir;
    }
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring path = dir + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    std::printf("[ picture  ] %s\n", std::string(path.begin(), path.end()).c_str());
    return ok;
}

std::vector<std::pair<std::string, std::string>> kept;

}  // namespace

void SaveScreenshotOnce() {
    static std::string lastTest;
    std::string test = TestName();
    if (test == lastTest) return;
    lastTest = test;
    Save(test, Capture());
}

void KeepPicture(const char* label) { kept.emplace_back(TestName() + "." + label, Capture()); }

void SaveKeptPictures(bool failed) {
    char always[4] = {};
    if (failed || (GetEnvironmentVariableA("POKOMARU_E2E_PICTURES", always, sizeof always) == 1 && always[0] == '1'))
        for (const auto& [name, bytes] : kept) Save(name, bytes);
    kept.clear();
}

void SavePicture(const char* name, RECT area) {
    RECT clipped;
    const RECT desktop = Desktop();
    ASSERT_TRUE(IntersectRect(&clipped, &area, &desktop)) << name << ": the area is off the desktop";
    ASSERT_TRUE(Save(name, Capture(clipped), L"POKOMARU_SCREENSHOTS")) << name << ": cannot write the picture";
}

}  // namespace e2e
