#include "classlib/Labels.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

UINT LabelTextFlags(TAlignment Alignment, bool WordWrap, bool ShowAccelChar) {
    UINT flags = DT_EXPANDTABS;
    if (Alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (Alignment == taCenter)
        flags |= DT_CENTER;
    if (WordWrap) flags |= DT_WORDBREAK;
    if (!ShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void DrawLabelTextOn(TCanvas* Canvas, TRect& Rect, AnsiString Text, UINT Flags, bool Enabled) {
    const bool prefixes = (Flags & DT_NOPREFIX) == 0;
    if ((Flags & DT_CALCRECT) && (Text.empty() || (prefixes && Text == "&"))) Text += " ";
    if ((Flags & DT_CALCRECT) || Enabled) {
        Canvas->TextRect(Rect, Text, Flags);
        return;
    }
    // Disabled text: a light copy one pixel down and right under a shadowed one.
    TRect light(Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1);
    Canvas->GetFont()->SetColor(clBtnHighlight);
    Canvas->TextRect(light, Text, Flags);
    Canvas->GetFont()->SetColor(clBtnShadow);
    Canvas->TextRect(Rect, Text, Flags);
}

void PlaceLabelText(TRect& Rect, UINT& Flags, bool FitsText, TAlignment Alignment,
                    TTextLayout Layout, const std::function<void(TRect&, UINT)>& Measure) {
    if (FitsText && Alignment != taLeftJustify) {
        // The room an autosized label keeps for the glyphs' overhang lies after the text:
        // aligned lines end where the text does, and the overhang may run past it.
        TRect measured = Rect;
        Measure(measured, Flags | DT_CALCRECT);
        Rect.Right = std::min(Rect.Right, Rect.Left + measured.Width());
        Flags |= DT_NOCLIP;
    }
    if (Layout != tlTop) {
        TRect measured = Rect;
        Measure(measured, Flags | DT_CALCRECT);
        const int free = Rect.Height() - measured.Height();
        Rect.Top += Layout == tlBottom ? free : free / 2;
    }
}

TPoint MeasureLabelOnScreen(TCanvas* Canvas, int WrapWidth, const AnsiString& Text, UINT Flags,
                            const std::function<void(TRect&)>& Measure) {
    // The canvas lets go of the screen's DC however the measuring ends.
    struct TScreenDC {
        TCanvas* Canvas;
        HDC DC = GetDC(nullptr);
        explicit TScreenDC(TCanvas* C) : Canvas(C) { Canvas->SetHandle(DC); }
        ~TScreenDC() {
            Canvas->SetHandle(nullptr);
            ReleaseDC(nullptr, DC);
        }
    } screen(Canvas);
    TRect rect(0, 0, WrapWidth, 0);
    Measure(rect);
    // Measured in the font the text is drawn with, which Measure has just chosen.
    return TPoint(rect.Width() + Canvas->TextOverhang(Text, Flags), rect.Height());
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csOpaque << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

TCustomLabel::~TCustomLabel() {
    SetFocusControl(nullptr);
}

void TCustomLabel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCustomLabel::GetAlignment, &TCustomLabel::SetAlignment, taLeftJustify);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, true);
    P.Add("FocusControl", &TCustomLabel::GetFocusControl, &TCustomLabel::SetFocusControl);
    P.Add("Layout", &TCustomLabel::GetLayout, &TCustomLabel::SetLayout, tlTop);
    P.Add("ShowAccelChar", &TCustomLabel::GetShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
    P.Add("Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent, false);
    P.Add("WordWrap", &TCustomLabel::GetWordWrap, &TCustomLabel::SetWordWrap, false);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    TextChanged();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    TControlStyle style = GetControlStyle();
    if (Value)
        style >> csOpaque;
    else
        style << csOpaque;
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    TextChanged();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    SetReference(this, FFocusControl, Value);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

UINT TCustomLabel::TextFlags() const {
    return LabelTextFlags(FAlignment, FWordWrap, FShowAccelChar);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = GetCanvas();
    TRect rect = GetClientRect();
    if (!FTransparent) {
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->GetBrush()->SetColor(GetColor());
        canvas->FillRect(rect);
    }
    canvas->GetBrush()->SetStyle(bsClear);
    UINT flags = TextFlags();
    PlaceLabelText(rect, flags, GetAutoSize() && !FWordWrap, FAlignment, FLayout,
                   [this](TRect& R, UINT F) { DoDrawText(R, F); });
    DoDrawText(rect, flags);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetCanvas()->SetFont(GetFont());
    DrawLabelText(Rect, GetCaption(), Flags);
}

void TCustomLabel::DrawLabelText(TRect& Rect, AnsiString Text, UINT Flags) {
    DrawLabelTextOn(GetCanvas(), Rect, std::move(Text), Flags, IsEffectivelyEnabled());
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    // Measured on a screen DC, so that a label sizes itself before it has a parent.
    ReleaseCanvasHandle();
    const TPoint size =
        MeasureLabelOnScreen(GetCanvas(), FWordWrap ? GetWidth() : 0, GetCaption(), TextFlags(),
                             [this](TRect& R) { DoDrawText(R, TextFlags() | DT_CALCRECT); });
    if (!FWordWrap) NewWidth = size.X;
    NewHeight = size.Y;
    return true;
}

void TCustomLabel::AdjustBounds() {
    AdjustSize();
}

void TCustomLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    TextChanged();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    TextChanged();
}

void TCustomLabel::CMDialogChar(TWMKey& Message) {
    if (FFocusControl && GetEnabled() && FShowAccelChar &&
        IsAccel(Message.CharCode(), GetCaption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(Message.Message);
}

REGISTER_CLASS(TLabel);

DEFINE_UNIT(Labels, uoClassLib, nullptr, nullptr);
