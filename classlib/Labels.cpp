#include "classlib/Labels.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

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
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
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
    if (GetAutoSize() && !FWordWrap && FAlignment != taLeftJustify) {
        // The room an autosized label keeps for the glyphs' overhang lies after the text:
        // aligned lines end where the text does, and the overhang may run past it.
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        rect.Right = std::min(rect.Right, rect.Left + measured.Width());
        flags |= DT_NOCLIP;
    }
    if (FLayout != tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        int free = rect.Height() - measured.Height();
        rect.Top += FLayout == tlBottom ? free : free / 2;
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetCanvas()->SetFont(GetFont());
    DrawLabelText(Rect, GetCaption(), Flags);
}

void TCustomLabel::DrawLabelText(TRect& Rect, AnsiString Text, UINT Flags) {
    TCanvas* canvas = GetCanvas();
    // An empty caption still takes the height of a line.
    if ((Flags & DT_CALCRECT) && (Text.empty() || (FShowAccelChar && Text == "&"))) Text += " ";
    if ((Flags & DT_CALCRECT) || IsEffectivelyEnabled()) {
        canvas->TextRect(Rect, Text, Flags);
        return;
    }
    // Disabled text: a light copy one pixel down and right under a shadowed one.
    TRect light(Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1);
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->TextRect(light, Text, Flags);
    canvas->GetFont()->SetColor(clBtnShadow);
    canvas->TextRect(Rect, Text, Flags);
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    // Measured on a screen DC, so that a label sizes itself before it has a parent.
    ReleaseCanvasHandle();
    HDC dc = GetDC(nullptr);
    TCanvas* canvas = GetCanvas();
    canvas->SetHandle(dc);
    TRect rect(0, 0, FWordWrap ? GetWidth() : 0, 0);
    DoDrawText(rect, TextFlags() | DT_CALCRECT);
    // Measured in the font the text is drawn with, which DoDrawText has just chosen.
    const int room = canvas->TextOverhang(GetCaption(), TextFlags());
    canvas->SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    if (!FWordWrap) NewWidth = rect.Width() + room;
    NewHeight = rect.Height();
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
