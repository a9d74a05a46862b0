// Start-up and exit on an arbitrary Timer.ini, through the fake platform's profile store.
// Besides never crashing: a key that start-up did not reach keeps its stored bytes, a
// second start and exit leave the file as the first exit wrote it, and the target the
// second start reads is of the kind the first one held.
#include <cfloat>
#include <charconv>
#include <cmath>

#include "base/number.h"
#include "alarm/target_kind.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/form_harness.h"

using namespace poko;
using fuzz::Check;

namespace {

const Bytes kPath = ToAnsi(FakePlatform().IniFile());

// One run on `file`; returns the file as exit left it, and the target start-up read.
IniStore StartAndExit(const Bytes& file, Text& target) {
    FormHarness h;
    h.fake.ini.Load(kPath, file);
    const IniStore before = h.fake.ini;
    h.frm.Form_Load();
    target = h.frm.TextFileName.GetText();
    h.frm.Form_Unload();
    for (const SettingRow& row : FormInternals::SettingRows()) {
        if (h.frm.StartupStepDone() >= row.readAt) continue;
        const Bytes section = ToAnsi(Text(row.section)), key = ToAnsi(Text(row.key));
        Check(before.Raw(kPath, section, key) == h.fake.ini.Raw(kPath, section, key), "a key start-up did not reach is kept",
              key);
    }
    return h.fake.ini;
}

// The file as a start reads it. Seven digits cannot name every single-precision value,
// so a position read from a longer text (1.00000005E+28) is written once more before its
// text settles (1E+28, then 9.999999E+27), while the value it reads as stays: positions
// are compared by that value, in the shortest text that names it exactly.
Bytes AsRead(IniStore file) {
    for (const char* key : {"X", "Y"}) {
        const auto raw = file.Raw(kPath, "WINDOW", key);
        const LeadingNumber n = raw ? LeadingNumberValue(FromAnsi(*raw)) : LeadingNumber{0, true};
        if (n.overflow || std::fabs(n.value) > FLT_MAX) continue;
        char exact[32];
        const auto end = std::to_chars(exact, exact + sizeof exact, static_cast<float>(n.value)).ptr;
        file.Set(kPath, "WINDOW", key, Bytes(exact, end));
    }
    return file.Dump(kPath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Text held, next;
    const IniStore first = StartAndExit(Bytes(fuzz::Bytes(data, size)), held);
    const IniStore second = StartAndExit(first.Dump(kPath), next);
    Check(poko::ClassifyTarget(next) == poko::ClassifyTarget(held), "a target's kind is the same after an exit and a new start",
          ToUtf8(held) + " / " + ToUtf8(next));
    Check(second.Dump(kPath) == first.Dump(kPath) || AsRead(second) == AsRead(first),
          "a second start and exit change nothing", "first:\n" + first.Dump(kPath) + "\nsecond:\n" + second.Dump(kPath));
    return 0;
}
