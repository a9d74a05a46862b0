// Names for screen readers: the controls that no label names get theirs by direct
// annotation (IAccPropServices::SetHwndPropStr). oleacc is reached through COM, so it
// loads only here, after the window is shown; where it cannot be had, nothing happens.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include "win32/scoped.h"
#include "win32/win32.h"

namespace poko {

namespace {

// oleacc's identifiers, spelled out so that nothing of oleacc is linked.
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};  // PROPID_ACC_NAME

}  // namespace

void FormView::NameControlsForReaders() {
    NeedOle();
    ComRef<IAccPropServices> services;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void**>(services.Out()))) ||
        !services)
        return;
    for (const AccessibleName& a : kAccessibleNames)
        if (HWND h = GetDlgItem(hwnd_, a.id))
            names_result_ = services->SetHwndPropStr(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kAccName,
                                                     W(Text(a.name)).c_str());
}

}  // namespace poko
