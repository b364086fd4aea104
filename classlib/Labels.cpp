#include "classlib/Labels.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

namespace {

// The size DrawText gives Text with Font; Width limits the lines when Flags wrap words.
TSize MeasureText(TFont* Font, const AnsiString& Text, UINT Flags, int Width) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    RECT r = {0, 0, Width, 0};
    DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &r, Flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

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
    canvas->SetFont(GetFont());
    AnsiString text = GetCaption();
    UINT flags = TextFlags();
    if (FLayout != tlTop) {
        TRect measured = rect;
        canvas->TextRect(measured, text, flags | DT_CALCRECT);
        int free = rect.Height() - measured.Height();
        rect.Top += FLayout == tlBottom ? free : free / 2;
    }
    if (GetEnabled()) {
        canvas->TextRect(rect, text, flags);
        return;
    }
    // Disabled text: a light copy one pixel down and right under a shadowed one.
    TRect light(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1);
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->TextRect(light, text, flags);
    canvas->GetFont()->SetColor(clBtnShadow);
    canvas->TextRect(rect, text, flags);
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    AnsiString text = GetCaption();
    // An empty caption still takes the height of a line.
    if (text.empty() || (FShowAccelChar && text == "&")) text += " ";
    TSize size = MeasureText(GetFont(), text, TextFlags(), FWordWrap ? GetWidth() : 0);
    if (!FWordWrap) NewWidth = size.cx;
    NewHeight = size.cy;
    return true;
}

void TCustomLabel::TextChanged() {
    AdjustSize();
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
