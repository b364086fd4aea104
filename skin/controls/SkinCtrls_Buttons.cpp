#include "skin/controls/SkinCtrls_Buttons.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"

#include <algorithm>

// ---- TskSkinButton -------------------------------------------------------------------

TskSkinButton::TskSkinButton(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    // Clicks come from the button's own press and release handling.
    SetControlStyle(GetControlStyle() >> csClickEvents);
    FSkinDataName = "button";
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 75, 25);
}

TskSkinButton::~TskSkinButton() {
    StopMorph();
    StopRepeat();
}

void TskSkinButton::Published(TPropertyList& P) {
    PublishButtonCore<TskSkinButton>(P);
    P.Add("CanFocused", &TskSkinButton::GetCanFocused, &TskSkinButton::SetCanFocused, true);
    P.Add("Cancel", &TskSkinButton::GetCancel, &TskSkinButton::SetCancel, false);
    P.Add("Default", &TskSkinButton::GetDefault, &TskSkinButton::SetDefault, false);
    P.Add("ModalResult", &TskSkinButton::GetModalResult, &TskSkinButton::SetModalResult, 0);
}

void TskSkinButton::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    ReadButtonRecord();
}

void TskSkinButton::ChangeSkinData() {
    StopMorph();
    TskSkinCustomControl::ChangeSkinData();
    if (FMorphing && FIndex != -1 && (IsFocused() || FMouseIn)) FMorphKf = 1;
}

bool TskSkinButton::IsFocused() {
    return FCanFocused && Focused();
}

void TskSkinButton::Click() {
    ButtonClick();
}

void TskSkinButton::ButtonClick() {
    // Any button with a ModalResult sets its form's, grouped or not.
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    TCustomAction* action = GetAction();
    if (OnClick && action && !(OnClick.Method() == action->OnExecute.Method())) {
        OnClick(this);
        return;
    }
    if (action && !IsDesigning()) {
        FActionLink->Execute(this);
        return;
    }
    if (OnClick) OnClick(this);
}

void TskSkinButton::SetGroupIndex(int Value) {
    TskButtonCore::SetGroupIndex(Value);
    if (Value != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value) {
    FCanFocused = Value;
    if (IsDesigning()) SetTabStop(Value);
}

void TskSkinButton::SetDefault(bool Value) {
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused || IsDesigning()) return;
    if (TCustomForm* form = GetParentForm())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()));
}

void TskSkinButton::CreateWnd() {
    TskSkinCustomControl::CreateWnd();
    FDefaultActive = FDefault;
}

// ---- Painting ----------------------------------------------------------------------------

bool TskSkinButton::ShowsDown() {
    return GetDown() && (GetGroupIndex() != 0 || FMouseIn || (IsFocused() && !FMouseDown));
}

void TskSkinButton::Paint() {
    GetSkinData();
    if (FIndex == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    if (GetWidth() < 1 || GetHeight() < 1) return;
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight());
    if (IsNullRect(part)) return;
    TBitmapPart image(part, GetWidth(), GetHeight());
    CreateStateImage(&image, ShownPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight()),
                     ShowsDown(), IsLit());
    DrawFocusMark(image.GetCanvas());
    DrawBlended(GetCanvas(), &image);
}

void TskSkinButton::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    const TRect r = GetClientRect();
    const bool down = ShowsDown();
    DrawDefaultButtonFace(canvas, r, down, IsLit());
    DrawGlyphAndCaption(canvas, r, down, 1, GetCaption());
    DrawFocusMark(canvas);
}

void TskSkinButton::DrawFocusMark(TCanvas* Canvas) {
    // The lit look also means the pointer is over the button: the focus needs a mark of its own.
    if (IsFocused()) Canvas->DrawFocusRect(FocusMarkRect());
}

TRect TskSkinButton::FocusMarkRect() {
    TRect r(kFocusMarkInset, kFocusMarkInset, GetWidth() - kFocusMarkInset, GetHeight() - kFocusMarkInset);
    // Round the caption and the glyph with a pixel between, as far as the button reaches: a
    // frame drawn across a letter hides it.
    const TRect content = GetContentRect();
    if (IsNullRect(content)) return r;
    return TRect(std::max(0, std::min(r.Left, content.Left - kFocusMarkClearance)),
                 std::max(0, std::min(r.Top, content.Top - kFocusMarkClearance)),
                 std::min(GetWidth(), std::max(r.Right, content.Right + kFocusMarkClearance)),
                 std::min(GetHeight(), std::max(r.Bottom, content.Bottom + kFocusMarkClearance)));
}

int TskSkinButton::WidthFor(const AnsiString& Caption) {
    GetSkinData();
    TBitmap measure(1, 1, pf32bit);
    TCanvas* canvas = measure.GetCanvas();
    // The caption is laid out in the skin's client part, without a skin in the whole button.
    int sides = 0;
    if (FIndex != -1) {
        SetSkinFont(canvas, FontName, FontHeight, FontStyle);
        sides = GetWidth() - RectWidth(NewClRect);
    } else {
        canvas->GetFont()->Assign(GetDefaultFont());
    }
    return ContentWidth(canvas, Caption) + std::max(sides, 2 * (kFocusMarkInset + kFocusMarkClearance));
}

// ---- Mouse and keys ------------------------------------------------------------------------

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) LeftPress();
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) LeftRelease();
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TskSkinButton::HoverRedraws() {
    return GetGroupIndex() == 0 ? !IsFocused() || GetDown() : !GetDown();
}

void TskSkinButton::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    if (HoverRedraws()) {
        if (GetDown()) {
            if (FMorphing) FMorphKf = 1;
            Repaint();
        } else {
            ReDrawControl();
        }
    }
    PointerEntered();
}

void TskSkinButton::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    // A default button stays lit while the focus is on a control that is no button.
    if (!(FCanFocused && FDefault && FDefaultActive && !Focused())) FMouseIn = false;
    if (HoverRedraws()) ReDrawControl();
    PointerLeft();
}

void TskSkinButton::CMEnabledChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    EnabledChanged();
}

void TskSkinButton::CMTextChanged(TMessage&) {
    TextChanged();
}

void TskSkinButton::WMFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCanFocused) ReDrawControl();
}

void TskSkinButton::CMDialogKey(TWMKey& Message) {
    const Word key = Message.CharCode();
    if (key == VK_RETURN && FDefaultActive && KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    if (key == VK_ESCAPE && FCancel && FCanFocused &&
        KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message.Message);
}

void TskSkinButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus() && FCanFocused) {
        SetFocus();
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message.Message);
}

void TskSkinButton::CMFocusChanged(TMessage& Message) {
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    const bool senderIsButton = dynamic_cast<TskSkinButton*>(sender) != nullptr;
    FDefaultActive = senderIsButton ? sender == this : FDefault;
    if (FCanFocused && FDefault) {
        if (senderIsButton) {
            FMouseIn = false;
            ReDrawControl();
        } else {
            FMouseIn = true;
            if (FMorphing) FMorphKf = 1;
            Repaint();
        }
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::WndProc(TMessage& Message) {
    if (FCanFocused) {
        switch (Message.Msg) {
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE) {
                SetDown(true);
                if (GetRepeatMode()) ButtonClick();
            } else if (Message.WParam == VK_RETURN) {
                ButtonClick();
            }
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                SetDown(false);
                ButtonClick();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The press belongs to a button that got the focus.
            if (!FocusOnPress(this, FSettingFocus)) return;
            break;
        case CN_COMMAND:
            if (FSettingFocus) return;
            break;
        default:
            break;
        }
    }
    TskSkinCustomControl::WndProc(Message);
}

REGISTER_CLASS(TskSkinButton);

DEFINE_UNIT(SkinCtrls_Buttons, uoSkin + 10, nullptr, nullptr);
