// Choosing the launch target: the open-file dialog and files dropped on the box.
#include "alarm/target_selection.h"

#include "app/frm_timer.h"
#include "base/ansi.h"

namespace poko {

Text ConvertFilter(const Text& filter) {
    Text out = filter;
    for (char16_t& c : out)
        if (c == u'|') c = u'\0';
    return out;
}

Text OpenFileDialog(Platform& platform, Handle owner, Text& filter) {
    filter = ConvertFilter(filter);
    OpenFileRecord r;
    r.lStructSize = OPENFILENAME_SIZE_VERSION_400A_;
    r.hwndOwner = owner;
    r.hInstance = platform.ModuleHandle();
    r.filter = ToAnsi(filter) + std::string(2, '\0');
    r.nFilterIndex = 1;
    r.file.assign(257, '\0');
    r.nMaxFile = 256;
    r.fileTitle.assign(257, '\0');
    r.nMaxFileTitle = 256;
    r.title = ToAnsi(u"ファイルを開く");
    if (!platform.GetOpenFileNameA(r)) return {};
    if (!r.fileWide.empty()) return r.fileWide;
    return FromAnsi(std::string_view(r.file.c_str()));
}

void FrmTimer::cmdFileOpen_Click() {
    Text filter = u"全てのファイル|*.*";
    const Text chosen = OpenFileDialog(platform_, hWnd, filter);
    if (!chosen.empty()) TextFileName.SetText(chosen);
}

void FrmTimer::TextFileName_Dropped(const std::vector<Text>* files) {
    if (files && !files->empty()) TextFileName.SetText(files->front());
}

}  // namespace poko
