// The window's opacity steps, its pop-up menu (on a right-button press, from the tray
// and the time boxes), and the about box on a double-click of its background.
#include "app/frm_timer.h"
#include "ui/about_box.h"
#include "ui/transparency.h"

namespace poko {

void FrmTimer::WireWindowMouse() {
    for (size_t i = 0; i < M_WinCon.size(); ++i)
        M_WinCon[i]->onClick = [this, i] { M_WinCon_Click(static_cast<int>(i)); };
    auto mouseDown = [this](MouseButton b) { Form_MouseDown(b); };
    frm_Timer.onMouseDown = mouseDown;
    L_Title.onMouseDown = mouseDown;
    L_Time.onMouseDown = mouseDown;
    for (Label& label : Label1) label.onMouseDown = mouseDown;
    C_TimerStart.onMouseDown = mouseDown;
    frm_Timer.onDblClick = [this] { Form_DblClick(); };
}

// The layered style was set at start-up; the submenu is reachable only where it was.
void FrmTimer::M_WinCon_Click(int index) {
    WindowAlpha = kOpacitySteps[static_cast<size_t>(index)].alpha;
    for (MenuItem* item : M_WinCon) item->SetChecked(false);
    M_WinCon[static_cast<size_t>(index)]->SetChecked(true);
    platform_.SetLayeredWindowAttributes(0, WindowAlpha, LWA_ALPHA_);
}

// mPopUpSys at the mouse; the chosen item's click runs once the menu has closed.
void FrmTimer::PopupMenu() {
    if (MenuItem* chosen = platform_.TrackPopupMenu(mPopUpSys)) chosen->Click();
}

// The window is in view, so the item that shows it has nothing to do; the tray enables
// it again when it opens the menu.
void FrmTimer::Form_MouseDown(MouseButton button) {
    if (button != MouseButton::Right) return;
    M_WindowView->SetEnabled(false);
    PopupMenu();
}

// Shown modal with no owner given; one instance at most: a request while it is open does
// nothing.
void FrmTimer::Form_DblClick() {
    if (about_open_) return;
    FrmMsg box;
    about_open_ = true;
    platform_.ShowAboutBox(box);
    about_open_ = false;
}

}  // namespace poko
