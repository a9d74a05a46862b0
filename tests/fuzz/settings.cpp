// Start-up and exit on an arbitrary Timer.ini, through the fake platform's profile store.
// Besides never crashing: a key that start-up did not reach keeps its stored bytes, and
// a second start and exit leave the file exactly as the first exit wrote it.
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/form_harness.h"

using namespace poko;
using fuzz::Check;

namespace {

struct Key {
    const char* section;
    const char* key;
    int step;  // the start-up step that reads it
};
constexpr Key kKeys[] = {{"CONFIG", "FILENAME", 6}, {"CONFIG", "H", 7},  {"CONFIG", "M", 8},     {"WINDOW", "X", 9},
                         {"WINDOW", "Y", 10},        {"CONFIG", "AI", 11}, {"WINDOW", "DATA", 13}};

// One run on `file`; returns the file as exit left it.
Bytes StartAndExit(const Bytes& file) {
    FormHarness h;
    const Bytes path = ToAnsi(h.fake.IniFile());
    h.fake.ini.Load(path, file);
    IniStore before = h.fake.ini;
    h.frm.Form_Load();
    h.frm.Form_Unload();
    for (const Key& k : kKeys)
        if (h.frm.StartupStepsDone() < k.step)
            Check(before.Raw(path, k.section, k.key) == h.fake.ini.Raw(path, k.section, k.key),
                  "a key start-up did not reach is kept", k.key);
    return h.fake.ini.Dump(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes first = StartAndExit(Bytes(fuzz::Bytes(data, size)));
    const Bytes second = StartAndExit(first);
    Check(second == first, "a second start and exit change nothing", "first:\n" + first + "\nsecond:\n" + second);
    return 0;
}
