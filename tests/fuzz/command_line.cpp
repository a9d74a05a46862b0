// The command line on any argument text: what ParseCommandLine promises, then a whole
// start with it and an exit, after which the next start shows the time and the target
// that this one ended with (a target of the same kind; one the code page cannot hold
// whole); and the file holds no line the exit did not mean to write.

#include "app/command_line.h"
#include "base/search.h"
#include "alarm/target_kind.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/form_harness.h"

using namespace poko;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Text args = fuzz::TextOf(data, size);
    const CommandLine cl = ParseCommandLine(args);
    Check(cl.hour.has_value() == cl.minute.has_value(), "TIME= sets both halves or neither", ToUtf8(args));
    if (cl.target)
        Check(cl.target->find(u'"') == Text::npos && args.find(u"FILE=\"" + *cl.target + u"\"") == args.find(u"FILE="),
              "the first FILE= takes the text between its quotes", ToUtf8(args));

    FormHarness first;
    first.fake.commandLine = args;
    first.frm.Form_Load();
    first.frm.Form_Unload();
    const Bytes path = ToAnsi(first.fake.IniFile());
    const Bytes written = first.fake.ini.Dump(path);

    FormHarness second;
    second.fake.ini.Load(path, written);
    Check(second.fake.ini.Dump(path) == written, "the file reads back as exit wrote it", written);
    second.frm.Form_Load();
    Check(second.frm.TextH.GetText() == first.frm.TextH.GetText() &&
              second.frm.TextM.GetText() == first.frm.TextM.GetText(),
          "the time comes back", ToUtf8(args));
    // As stored: line breaks as blanks; one the code page cannot hold whole, as UTF-8.
    const Text held = first.frm.TextFileName.GetText();
    const Text target = FitsAnsi(held) ? ReplaceAll(ReplaceAll(held, u"\r", u" "), u"\n", u" ") : FromUtf8(ToUtf8(held));
    const Text next = second.frm.TextFileName.GetText();
    Check(next == target, "the target comes back", ToUtf8(args));
    Check(next.empty() || poko::ClassifyTarget(next) == poko::ClassifyTarget(first.frm.TextFileName.GetText()),
          "a target's kind is the same after an exit and a new start", ToUtf8(args));
    return 0;
}
