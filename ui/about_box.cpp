// The about box's model and its one instance while it is shown.
#include "ui/about_box.h"

#include "platform/platform.h"

namespace poko {

namespace {
FrmMsg* g_open = nullptr;
}  // namespace

FrmMsg::FrmMsg() {
    frm_msg.SetCaption(Text(kAboutCaption));
    frm_msg.SetIcon(kAboutIcon);
    Text1.SetText(Text(kAboutArt));
}

void ShowAboutBox(Platform& platform) {
    if (g_open) return;
    FrmMsg box;
    g_open = &box;
    platform.ShowAboutBox(box);
    g_open = nullptr;
}

FrmMsg* OpenAboutBox() { return g_open; }

}  // namespace poko
