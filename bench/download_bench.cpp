// The program's download (HttpGetBytes over the real WinINet, helper threads and time
// limit included) against a bare WinINet read loop on the same URL, run under Wine
// beside the local board server:  download_bench.exe URL [RUNS]
// Prints the body size and the median time and throughput of each.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/text.h"
#include "net/http_get.h"
#include "win32/win32.h"

namespace {

// The same reads with nothing around them: one thread, one growing buffer.
std::int32_t BareWinInet(const std::string& url, std::string& body) {
    HINTERNET root = InternetOpenA(poko::kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET file = InternetOpenUrlA(root, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    body.clear();
    DWORD n = 0;
    if (file) {
        do {
            const size_t at = body.size();
            body.resize(at + poko::kReadSize);
            if (!InternetReadFile(file, body.data() + at, poko::kReadSize, &n)) n = 0;
            body.resize(at + n);
        } while (n > 0);
        InternetCloseHandle(file);
    }
    InternetCloseHandle(root);
    return static_cast<std::int32_t>(body.size());
}

struct Timing {
    const char* name;
    std::vector<double> ms;
    std::int32_t size = 0;
};

template <typename Get>
void Once(Timing& t, Get get) {
    const auto start = std::chrono::steady_clock::now();
    t.size = get();
    t.ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

void Print(Timing& t) {
    std::sort(t.ms.begin(), t.ms.end());
    const double median = t.ms[t.ms.size() / 2];
    std::printf("%s\t%d\t%.1f\t%.1f\n", t.name, t.size, median, t.size / 1048576.0 / (median / 1000.0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: download_bench URL [RUNS]\n");
        return 2;
    }
    const std::string url = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    poko::FormView view;  // the platform's window side, never created here
    poko::Win32Platform platform(view, poko::kDownloadTimeLimitMs);
    std::string body;
    // Alternated, so that both meet the same machine.
    Timing program{"HttpGetBytes", {}}, bare{"bare WinINet", {}};
    for (int i = 0; i < runs; ++i) {
        Once(program, [&] { return poko::HttpGetBytes(platform, poko::Text(url.begin(), url.end()), body); });
        Once(bare, [&] { return BareWinInet(url, body); });
    }
    std::printf("download\tbytes\tmedian ms\tMiB/s\n");
    Print(program);
    Print(bare);
    return 0;
}
