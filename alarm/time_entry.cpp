// Hour and minute entry: each box is kept a whole number in range and in step with its
// inverted scroll bar; the wheel steps the box that last had the focus.
#include <cmath>

#include "app/frm_timer.h"
#include "base/number.h"

namespace poko {

namespace {
double BoxNumber(const TextBox& box) { return LeadingNumberValue(box.GetText()).value; }
}  // namespace

// Each write below that changes the text runs this rule again, nested; a write that
// leaves the text as it was runs nothing, so every chain ends after one extra pass.
void FrmTimer::TimeChangeRule(TextBox& box, ScrollBar& bar, int max) {
    const LeadingNumber n = LeadingNumberValue(box.GetText());
    // A number too large for a double counts as out of range.
    bool reset = n.overflow;
    if (!reset) {
        box.SetText(DecimalText(std::floor(n.value)));
        const double now = BoxNumber(box);
        reset = now < 0 || now > max;
    }
    if (reset) {
        box.SetText(u"0");
        // While the window is hidden the platform leaves the focus alone.
        box.SetFocus();
    }
    bar.SetValue(max - static_cast<int>(BoxNumber(box)));
    UpdateWakeTimer();  // an armed alarm's new time ("-TS" comes before "TIME=")
}

void FrmTimer::TextH_Change() { TimeChangeRule(TextH, VS_h, 23); }
void FrmTimer::TextM_Change() { TimeChangeRule(TextM, VS_m, 59); }
void FrmTimer::VS_h_Change() { TextH.SetText(DecimalText(23 - VS_h.Value())); }
void FrmTimer::VS_m_Change() { TextM.SetText(DecimalText(59 - VS_m.Value())); }

void FrmTimer::WheelStep(int delta) {
    if (Timer.Enabled()) return;
    TextBox* box = WheelTarget == 10 ? &TextM : WheelTarget == 1 ? &TextH : nullptr;
    if (!box) return;
    const Text limit = delta > 0 ? (box == &TextM ? u"59" : u"23") : u"0";
    if (box->GetText() == limit) return;
    box->SetText(DecimalText(BoxNumber(*box) + delta));
}

void FrmTimer::vbWheelPlus() { WheelStep(+1); }
void FrmTimer::vbWheelMinus() { WheelStep(-1); }

// The box is disabled while the program's menu is up, so the edit control's own
// context menu never shows; the pending messages are handled before it comes back.
void FrmTimer::TimeBox_MouseDown(TextBox& box, MouseButton button) {
    if (button != MouseButton::Right) return;
    platform_.LockWindowUpdate(box.Hwnd());
    box.SetEnabled(false);
    PopupMenu();
    platform_.DoEvents();
    box.SetEnabled(true);
    platform_.LockWindowUpdate(0);
}

}  // namespace poko
