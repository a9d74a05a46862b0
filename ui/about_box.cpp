// The about box's model.
#include "ui/about_box.h"

namespace poko {

FrmMsg::FrmMsg() {
    frm_msg.SetCaption(Text(kAboutCaption));
    frm_msg.SetIcon(kAboutIcon);
    Text1.SetText(Text(kAboutArt));
}

}  // namespace poko
