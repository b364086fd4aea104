// The scrolling image view and its scroll-bar properties.
#include "bitmap32/Bmp32_ImageView.h"

#include "bitmap32/Bmp32_System.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"

#include <cmath>

namespace Bmp32 {

// ---- TIVScrollProperties --------------------------------------------------------------------

int TIVScrollProperties::GetIncrement() const {
    return GetMaster()->InheritsFrom(TCustomRangeBar::StaticClass())
               ? static_cast<TCustomRangeBar*>(GetMaster())->GetIncrement()
               : 0;
}

void TIVScrollProperties::SetIncrement(int Value) {
    FView->FHorScroll->SetIncrement(TRBIncrement(Value));
    FView->FVerScroll->SetIncrement(TRBIncrement(Value));
}

int TIVScrollProperties::GetSize() const {
    return FView->FScrollBarSize;
}

void TIVScrollProperties::SetSize(int Value) {
    FView->FScrollBarSize = Value;
    FView->AlignAll();
}

TScrollBarVisibility TIVScrollProperties::GetVisibility() const {
    return FView->FScrollBarVisibility;
}

void TIVScrollProperties::SetVisibility(TScrollBarVisibility Value) {
    if (Value == FView->FScrollBarVisibility) return;
    FView->FScrollBarVisibility = Value;
    FView->Resize();
}

void TIVScrollProperties::Published(TPropertyList& P) {
    TArrowBarAccess::Published(P);
    P.Add("Increment", &TIVScrollProperties::GetIncrement, &TIVScrollProperties::SetIncrement, 8);
    P.Add("Size", &TIVScrollProperties::GetSize, &TIVScrollProperties::SetSize, 0);
    P.Add("Visibility", &TIVScrollProperties::GetVisibility, &TIVScrollProperties::SetVisibility,
          svAlways);
}

// ---- TCustomImgView32 -----------------------------------------------------------------------

TCustomImgView32::TCustomImgView32(TComponent* AOwner) : TCustomImage32(AOwner) {
    for (auto* bar : {&FHorScroll, &FVerScroll}) {
        bar->reset(new TCustomRangeBar(nullptr));
        (*bar)->SetParent(this);
        (*bar)->SetBorderStyle(bsNone);
        (*bar)->SetCentered(true);
        (*bar)->OnUserChange = TNotifyEvent(this, &TCustomImgView32::ScrollHandler);
    }
    FVerScroll->SetKind(sbVertical);
    SetScaleMode(smScale);
    SetBitmapAlign(baCustom);
    FScrollBars = std::make_unique<TIVScrollProperties>(this);
    FScrollBars->SetMaster(FHorScroll.get());
    FScrollBars->SetSlave(FVerScroll.get());
    AlignAll();
}

TCustomImgView32::~TCustomImgView32() {
    FScrollBars.reset();
    FHorScroll.reset();
    FVerScroll.reset();
}

int TCustomImgView32::GetScrollBarSize() {
    if (!GetScrollBarsVisible()) return 0;
    return FScrollBarSize != 0 ? FScrollBarSize : GetSystemMetrics(SM_CYHSCROLL);
}

bool TCustomImgView32::GetScrollBarsVisible() {
    if (!FHorScroll || !FVerScroll) return true;
    switch (FScrollBarVisibility) {
    case svAlways: return true;
    case svHidden: return false;
    case svAuto:
        return FHorScroll->GetRange() > FHorScroll->GetEffectiveWindow() ||
               FVerScroll->GetRange() > FVerScroll->GetEffectiveWindow();
    }
    return true;
}

TRect TCustomImgView32::GetViewportRect() {
    const int size = GetScrollBarSize();
    return {0, 0, GetWidth() - size, GetHeight() - size};
}

TRect TCustomImgView32::GetSizeGripRect() {
    const int size = GetScrollBarSize();
    const TRect client = GetClientRect();
    return {client.Right - size, client.Bottom - size, client.Right, client.Bottom};
}

bool TCustomImgView32::GetSizeGripVisible() {
    switch (FSizeGrip) {
    case sgAlways: return true;
    case sgNone: return false;
    case sgAuto: break;
    }
    // Only a view that fills its form (through client-aligned parents) sizes the form.
    if (GetAlign() != alClient) return false;
    for (TWinControl* p = GetParent(); p; p = p->GetParent()) {
        if (dynamic_cast<TCustomForm*>(p)) return true;
        if (p->GetAlign() != alClient) return false;
    }
    return true;
}

void TCustomImgView32::AlignAll() {
    if (!FHorScroll || !FVerScroll) return;
    const TRect v = GetViewportRect();
    FHorScroll->SetBounds(v.Left, v.Bottom, v.Right - v.Left, GetHeight() - v.Bottom);
    FVerScroll->SetBounds(v.Right, v.Top, GetWidth() - v.Right, v.Bottom - v.Top);
    const bool visible = GetScrollBarsVisible();
    FHorScroll->SetVisible(visible);
    FVerScroll->SetVisible(visible);
    FHorScroll->Invalidate();
    FVerScroll->Invalidate();
}

void TCustomImgView32::UpdateScrollBars() {
    if (!FHorScroll || !FVerScroll) return;
    const int margin = int(std::nearbyint(2.0 * FOverSize * GetScale()));
    const TSize size = GetBitmapSize();
    FHorScroll->SetRange(size.cx + margin);
    FVerScroll->SetRange(size.cy + margin);
    if (FScrollBarVisibility == svAuto) AlignAll();
}

void TCustomImgView32::UpdateImage() {
    if (!FHorScroll || !FVerScroll) return;
    const TSize size = GetBitmapSize();
    const TRect v = GetViewportRect();
    const int o = int(std::nearbyint(FOverSize * GetScale()));
    auto offset = [&](int Extent, int Shown, float Position) {
        if (FCentered && Extent > 2 * o + Shown) return float(Extent - Shown) / 2;
        return float(o) - Position;
    };
    BeginUpdate();
    SetOffsetHorz(offset(v.Right - v.Left, size.cx, FHorScroll->GetPosition()));
    SetOffsetVert(offset(v.Bottom - v.Top, size.cy, FVerScroll->GetPosition()));
    EndUpdate();
    InvalidateCache();
    Changed();
}

void TCustomImgView32::ScrollToCenter(int X, int Y) {
    FScrollLock = true;
    try {
        AlignAll();
        const TRect v = GetViewportRect();
        const float scale = GetScale();
        FHorScroll->SetPosition(float(X) * scale - float(v.Right - v.Left) / 2 + float(FOverSize) * scale);
        FVerScroll->SetPosition(float(Y) * scale - float(v.Bottom - v.Top) / 2 + float(FOverSize) * scale);
    } catch (...) {
        FScrollLock = false;
        throw;
    }
    FScrollLock = false;
    UpdateImage();
}

void TCustomImgView32::Scroll(int Dx, int Dy) {
    FScrollLock = true;
    FHorScroll->SetPosition(FHorScroll->GetPosition() + float(Dx));
    FVerScroll->SetPosition(FVerScroll->GetPosition() + float(Dy));
    FScrollLock = false;
    UpdateImage();
}

void TCustomImgView32::DoScroll() {
    if (OnScroll) OnScroll(this);
}

void TCustomImgView32::ScrollHandler(TObject* Sender) {
    if (FScrollLock) return;
    if (auto* bar = dynamic_cast<TControl*>(Sender)) bar->Invalidate();
    UpdateImage();
    DoScroll();
    Invalidate();
}

void TCustomImgView32::Recenter() {
    if (!FHorScroll || !FVerScroll) return;
    InvalidateCache();
    FHorScroll->SetCentered(FCentered);
    FVerScroll->SetCentered(FCentered);
    UpdateScrollBars();
    UpdateImage();
    if (FCentered)
        ScrollToCenter(GetBitmap()->GetWidth() / 2, GetBitmap()->GetHeight() / 2);
    else
        ScrollToCenter(0, 0);
}

void TCustomImgView32::SetCentered(bool Value) {
    FCentered = Value;
    Recenter();
}

void TCustomImgView32::SetOverSize(int Value) {
    if (Value == FOverSize) return;
    FOverSize = Value;
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
}

void TCustomImgView32::SetSizeGrip(TSizeGripStyle Value) {
    if (Value == FSizeGrip) return;
    FSizeGrip = Value;
    Invalidate();
}

void TCustomImgView32::SetScaleMode(TScaleMode Value) {
    TCustomImage32::SetScaleMode(Value);
    Recenter();
}

void TCustomImgView32::BitmapResized() {
    TCustomImage32::BitmapResized();
    UpdateScrollBars();
    if (FCentered) {
        ScrollToCenter(GetBitmap()->GetWidth() / 2, GetBitmap()->GetHeight() / 2);
    } else if (FHorScroll && FVerScroll) {
        FHorScroll->SetPosition(0);
        FVerScroll->SetPosition(0);
        UpdateImage();
    }
}

void TCustomImgView32::DoScaleChange() {
    TCustomImage32::DoScaleChange();
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
}

void TCustomImgView32::Resize() {
    AlignAll();
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
    TCustomImage32::Resize();
}

void TCustomImgView32::Loaded() {
    AlignAll();
    Invalidate();
    UpdateScrollBars();
    if (FCentered) ScrollToCenter(GetBitmap()->GetWidth() / 2, GetBitmap()->GetHeight() / 2);
    TCustomImage32::Loaded();
}

void TCustomImgView32::Paint() {
    const TRect grip = GetSizeGripRect();
    if (grip.Right > grip.Left) {
        HDC dc = GetCanvas()->GetHandle();
        RECT r{grip.Left, grip.Top, grip.Right, grip.Bottom};
        HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
        FillRect(dc, &r, face);
        DeleteObject(face);
        if (GetSizeGripVisible()) {
            VisualStylesNeeded();
            if (USE_THEMES && SCROLLBAR_THEME && DrawThemeBackground)
                DrawThemeBackground(SCROLLBAR_THEME, dc, 10 /* size box */, 1 /* right-aligned */, &r, nullptr);
            else
                DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
    }
    TCustomImage32::Paint();
}

bool TCustomImgView32::InSizeGrip(int X, int Y) {
    if (!GetSizeGripVisible()) return false;
    const TRect grip = GetSizeGripRect();
    return X >= grip.Left && Y >= grip.Top && X < grip.Right && Y < grip.Bottom;
}

void TCustomImgView32::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    auto* form = dynamic_cast<TCustomForm*>(GetOwner());
    if (form && InSizeGrip(X, Y)) {
        // Hand the press to the form's frame, which sizes it from its bottom-right corner.
        Application->ProcessMessages();
        SetCaptureControl(nullptr);
        SendMessageA(form->GetHandle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
        return;
    }
    TCustomImage32::MouseDown(Button, Shift, X, Y);
}

void TCustomImgView32::MouseMove(TShiftState Shift, int X, int Y) {
    if (InSizeGrip(X, Y)) {
        SetCursor(crSizeNWSE);
        return;
    }
    TCustomImage32::MouseMove(Shift, X, Y);
}

void TCustomImgView32::Published(TPropertyList& P) {
    TCustomImage32::Published(P);
    P.Add("Centered", &TCustomImgView32::GetCentered, &TCustomImgView32::SetCentered, true);
    P.Add("SizeGrip", &TCustomImgView32::GetSizeGrip, &TCustomImgView32::SetSizeGrip, sgAuto);
    P.Add("OverSize", &TCustomImgView32::GetOverSize, &TCustomImgView32::SetOverSize, 0);
    P.Add("ScrollBars", &TCustomImgView32::GetScrollBars);
    P.Add("OnScroll", &TCustomImgView32::OnScroll);
}

void RegisterImageViewClasses() {
    RegisterEnum<TScrollBarVisibility>({"svAlways", "svHidden", "svAuto"});
    RegisterEnum<TSizeGripStyle>({"sgAuto", "sgNone", "sgAlways"});
    RegisterClass(TImgView32::StaticClass());
}

} // namespace Bmp32
