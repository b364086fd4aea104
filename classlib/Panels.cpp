#include "classlib/Panels.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace {

void BevelColors(TPanelBevel Bevel, TColor Face, TColor& Top, TColor& Bottom) {
    switch (Bevel) {
    case bvRaised:
        Top = clBtnHighlight;
        Bottom = clBtnShadow;
        break;
    case bvLowered:
        Top = clBtnShadow;
        Bottom = clBtnHighlight;
        break;
    default:
        Top = Face;
        Bottom = Face;
        break;
    }
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBounds(GetLeft(), GetTop(), 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TCustomPanel::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCustomPanel::GetAlignment, &TCustomPanel::SetAlignment, taCenter);
    P.Add("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner, bvNone);
    P.Add("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
    P.Add("BevelWidth", &TCustomPanel::GetBevelWidth, &TCustomPanel::SetBevelWidth, 1);
    P.Add("BorderStyle", &TCustomPanel::GetBorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
    P.Add("BorderWidth", &TCustomPanel::GetBorderWidth, &TCustomPanel::SetBorderWidth, 0);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    BordersChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    BordersChanged();
}

void TCustomPanel::SetBevelWidth(int Value) {
    Value = std::max(Value, 1);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    BordersChanged();
}

void TCustomPanel::SetBorderWidth(int Value) {
    Value = std::max(Value, 0);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    BordersChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::BordersChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    // What the frames that Paint draws leave inside them, wide frames stopping at the rectangle.
    auto inside = [&Rect](int Width) {
        const int frames = FramesWithin(Rect, Width);
        Rect =
            TRect(Rect.Left + frames, Rect.Top + frames, Rect.Right - frames, Rect.Bottom - frames);
    };
    if (FBevelOuter != bvNone) inside(FBevelWidth);
    inside(FBorderWidth);
    if (FBevelInner != bvNone) inside(FBevelWidth);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect rect = GetClientRect();
    TColor top;
    TColor bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, GetColor(), top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    if (FBorderWidth > 0) Frame3D(canvas, rect, GetColor(), GetColor(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, GetColor(), top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(rect);

    AnsiString caption = GetCaption();
    if (caption.empty()) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter)
        flags |= DT_CENTER;
    else if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->SetFont(GetFont());
    if (!GetEnabled()) canvas->GetFont()->SetColor(clGrayText);
    canvas->TextRect(rect, caption, flags);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

REGISTER_CLASS(TPanel);

namespace {

void RegisterPanelsEnums() {
    RegisterEnum<TPanelBevel>({"bvNone", "bvLowered", "bvRaised", "bvSpace"});
}

} // namespace

DEFINE_UNIT(Panels, uoClassLib, RegisterPanelsEnums, nullptr);
