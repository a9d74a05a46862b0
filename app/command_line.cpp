// Reading the command line's switches: -M, -TS, TIME= and FILE=.
#include "app/command_line.h"

#include "base/number.h"
#include "base/search.h"

namespace poko {

CommandLine ParseCommandLine(const Text& args) {
    CommandLine cl;
    cl.minimise = InStr(args, u"-M") > 0;
    cl.toggleAlarm = InStr(args, u"-TS") > 0;

    if (int p = InStr(args, u"TIME=")) {
        const Text digits = Mid(args, p + 5, 4);
        if (digits.size() == 4) {
            cl.hour = DecimalText(LeadingNumberValue(digits.substr(0, 2)).value);
            cl.minute = DecimalText(LeadingNumberValue(digits.substr(2, 2)).value);
        }
    }
    // The first "FILE=" decides: without a quote right after it there is no target,
    // whatever a later one holds.
    if (int p = InStr(args, u"FILE="); p && Mid(args, p + 5, 1) == u"\"") {
        const int open = p + 5;
        if (int close = InStr(args, u"\"", open + 1)) cl.target = Mid(args, open + 1, close - open - 1);
    }
    return cl;
}

}  // namespace poko
