#include "skin/boxctrls/SkinBoxCtrls_Popups.h"

#include "skin/data/Skutils.h"

#include "classlib/Forms.h"

#include <algorithm>

namespace {

void SetLayered(HWND Wnd, bool Layered) {
    const LONG_PTR ex = GetWindowLongPtrA(Wnd, GWL_EXSTYLE);
    SetWindowLongPtrA(Wnd, GWL_EXSTYLE, Layered ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED);
}

} // namespace

void PopupWindowParams(TCreateParams& Params) {
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
}

TPoint DropDownOrigin(const TRect& Owner, int Width, int Height, int ScreenWidth,
                      int ScreenHeight) {
    TPoint p(Owner.Left, Owner.Bottom);
    if (ScreenWidth > 0 && p.X + Width > ScreenWidth) p.X = ScreenWidth - Width;
    if (p.Y + Height > ScreenHeight) p.Y = Owner.Top - Height;
    return p;
}

void ShowPopup(TComponent* Owner, TWinControl* Popup, const TPoint& At, bool Blend, Byte Alpha,
               bool Animate, int Step) {
    const bool layered = Blend && CheckW2KWXP();
    HWND wnd = Popup->GetHandle();
    if (layered) {
        SetLayered(wnd, true);
        SetAlphaBlendTransparent(wnd, Animate ? 0 : Alpha);
    }
    SetWindowPos(wnd, HWND_TOP, At.X, At.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Popup->SetVisible(true);
    if (!layered || !Animate) return;
    TComponentProtector protect(Owner);
    Application->ProcessMessages();
    if (Owner->IsDestroying() || !Popup->GetVisible() || !Popup->HandleAllocated()) return;
    wnd = Popup->GetHandle();
    for (int alpha = std::max(Step, 1);; alpha += std::max(Step, 1)) {
        SetAlphaBlendTransparent(wnd, static_cast<Byte>(std::min<int>(alpha, Alpha)));
        if (alpha >= Alpha) break;
    }
}

void HidePopup(TWinControl* Popup) {
    if (Popup->HandleAllocated()) {
        HWND wnd = Popup->GetHandle();
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) SetLayered(wnd, false);
    }
    Popup->SetVisible(false);
}
