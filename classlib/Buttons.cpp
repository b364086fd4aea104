#include "classlib/Buttons.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButton::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Cancel", &TButton::GetCancel, &TButton::SetCancel, false);
    P.Add("Default", &TButton::GetDefault, &TButton::SetDefault, false);
    P.Add("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, 0);
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    if (HandleAllocated()) UpdateDefaultLook(IsActive());
}

bool TButton::IsActive() const {
    TWinControl* focused = FindControl(GetFocus());
    if (focused == this) return true;
    // Another button with the focus takes Return itself.
    if (dynamic_cast<TButton*>(focused)) return false;
    return FDefault;
}

void TButton::UpdateDefaultLook(bool Active) {
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_OWNERDRAW) {
        Invalidate();
        return;
    }
    SendMessageA(wnd, BM_SETSTYLE, Active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TWMKey& Message) {
    Word key = Message.CharCode();
    bool wanted = (key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel);
    if (wanted && KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    bool active = focused == this || (FDefault && !dynamic_cast<TButton*>(focused));
    UpdateDefaultLook(active);
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TBitBtn

TBitBtn::TBitBtn(TComponent* AOwner)
    : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()), FCanvas(std::make_unique<TCanvas>()) {
    FGlyph->OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::Published(TPropertyList& P) {
    P.Add("Glyph", &TBitBtn::GetGlyph, &TBitBtn::SetGlyph);
}

void TBitBtn::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Invalidate();
}

void TBitBtn::GlyphChanged(TObject*) {
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& Params) {
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::CNDrawItem(TWMDrawItem& Message) {
    const DRAWITEMSTRUCT* item = Message.DrawItemStruct();
    RECT frame = item->rcItem;
    const bool pressed = item->itemState & ODS_SELECTED;
    DrawFrameControl(item->hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    FCanvas->SetHandle(item->hDC);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush()->SetStyle(bsClear);
    const TRect bounds(item->rcItem.left, item->rcItem.top, item->rcItem.right,
                       item->rcItem.bottom);
    const AnsiString caption = GetCaption();
    const bool hasGlyph = !FGlyph->GetEmpty();
    const int glyphWidth = hasGlyph ? FGlyph->GetWidth() : 0;
    const int textWidth = caption.empty() ? 0 : FCanvas->TextWidth(StripHotkey(caption));
    const int spacing = hasGlyph && !caption.empty() ? 4 : 0;
    const int shift = pressed ? 1 : 0;
    int x = bounds.Left + (bounds.Width() - glyphWidth - spacing - textWidth) / 2 + shift;
    if (hasGlyph) {
        FGlyph->SetTransparent(true);
        FCanvas->Draw(x, bounds.Top + (bounds.Height() - FGlyph->GetHeight()) / 2 + shift,
                      FGlyph.get());
        x += glyphWidth + spacing;
    }
    if (!caption.empty()) {
        TRect text(x, bounds.Top + shift, bounds.Right, bounds.Bottom + shift);
        FCanvas->GetFont()->SetColor(GetEnabled() ? GetFont()->GetColor() : clGrayText);
        FCanvas->TextRect(text, caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (item->itemState & ODS_FOCUS) {
        TRect focus(bounds.Left + 4, bounds.Top + 4, bounds.Right - 4, bounds.Bottom - 4);
        FCanvas->DrawFocusRect(focus);
    }
    FCanvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// ---------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment, taRightJustify);
    P.Add("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed, false);
    P.Add("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked).Stored(false);
    P.Add("State", &TCheckBox::GetState, &TCheckBox::SetState, cbUnchecked);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_3STATE;
    if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(GetHandle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    if (!IsLoading()) Click();
}

void TCheckBox::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCheckBox::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED) Toggle();
}

void TCheckBox::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

// ---------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 113, 17);
    SetParentColor(true);
}

void TRadioButton::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked, false);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(GetHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    // Tab reaches the group through its checked button.
    SetTabStop(Value);
    if (HandleAllocated())
        SendMessageA(GetHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* parent = GetParent())
        for (int i = 0; i < parent->GetControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->GetControl(i));
                sibling && sibling != this)
                sibling->SetChecked(false);
    if (!IsLoading()) Click();
}

void TRadioButton::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == BN_CLICKED || Message.NotifyCode() == BN_DOUBLECLICKED)
        SetChecked(true);
}

void TRadioButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        Message.Result = 1;
        return;
    }
    TWinControl::Dispatch(Message.Message);
}

REGISTER_CLASS(TButton);
REGISTER_CLASS(TBitBtn);
REGISTER_CLASS(TCheckBox);
REGISTER_CLASS(TRadioButton);

namespace {

void RegisterButtonsEnums() {
    RegisterEnum<TCheckBoxState>({"cbUnchecked", "cbChecked", "cbGrayed"});
}

} // namespace

DEFINE_UNIT(Buttons, uoClassLib, RegisterButtonsEnums, nullptr);
