#include "grid/gclbcalc.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

// ---- TGclBorderEdPopup -------------------------------------------------------------

TGclBorderEdPopup::TGclBorderEdPopup(TComponent* AOwner)
    : TGclBorderParent(AOwner), FButton(new TGclBorderEdButton(this)), FGlyph(new TBitmap) {
    FButton->SetParent(this);
}

TGclBorderEdPopup::~TGclBorderEdPopup() = default;

void TGclBorderEdPopup::CreateWnd() {
    TGclBorderParent::CreateWnd();
    PlaceButton();
}

void TGclBorderEdPopup::SetShowButton(bool Value) {
    if (Value == FShowButton) return;
    FShowButton = Value;
    SetButtonAllowance(FGlyph->GetWidth(), Value);
    PlaceButton();
}

void TGclBorderEdPopup::SetButtonGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph.reset(new TBitmap);
    FButton->SetGlyph(FGlyph.get());
    SetButtonAllowance(FGlyph->GetWidth(), FShowButton);
    PlaceButton();
}

void TGclBorderEdPopup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TGclBorderParent::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceButton();
}

void TGclBorderEdPopup::PlaceButton() {
    if (!FButton) return;
    if (!FShowButton) {
        FButton->SetBounds(0, 0, 0, 0);
        return;
    }
    // The button stands right of the edit, inside the right border.
    TRect edit = EditRect();
    const TGclBorder* right = GetBorders()->GetRightBorder();
    int width = GetButtonWidth();
    int x = GetWidth() - width - (right->GetEnabled() ? right->GetPenWidth() : 0);
    FButton->SetBounds(x, edit.Top, width, edit.Bottom - edit.Top);
}

void TGclBorderEdPopup::PopupOpen() {
    FPopupActive = true;
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PopupOpened, 0, 0);
}

void TGclBorderEdPopup::PopupClose(TObject*) {
    FPopupActive = false;
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PopupClosed, 0, 0);
}

void TGclBorderEdPopup::OMPopupOpened(TMessage&) {
    if (OnPopupOpen.Assigned()) OnPopupOpen(this);
}

void TGclBorderEdPopup::OMPopupClosed(TMessage&) {
    if (OnPopupClose.Assigned()) OnPopupClose(this);
}

// ---- TGclNumberEditEx --------------------------------------------------------------

TGclNumberEditEx::TGclNumberEditEx(TComponent* AOwner) : TGclCustomNumberEdit(AOwner) {
    SetBorderStyle(bsNone);
    SetCtl3D(false);
    SetParentColor(true);
    SetShowButton(false);
}

// ---- TGclBorderedNumberEdit --------------------------------------------------------

TGclBorderedNumberEdit::TGclBorderedNumberEdit(TComponent* AOwner)
    : TGclBorderEdPopup(AOwner), FNumberEdit(new TGclNumberEditEx(this)) {
    FNumberEdit->SetParent(this);
    FNumberEdit->SetBounds(0, 0, FNumberEdit->GetWidth(), FNumberEdit->GetHeight());
    FNumberEdit->SetTabStop(GetTabStop());
    SetEditControl(FNumberEdit);
    GetBorders()->GetBottomBorder()->SetEnabled(true);
    TBitmap glyph;
    LoadCalculatorGlyph(&glyph);
    SetButtonGlyph(&glyph);
    // The inner edit's open and close become the container's.
    FNumberEdit->OnPopupOpen = TNotifyEvent::FromCallable([this](TObject*) {
        if (OnPopupOpen.Assigned()) OnPopupOpen(this);
    });
    FNumberEdit->OnPopupClose = TNotifyEvent::FromCallable([this](TObject*) {
        if (OnPopupClose.Assigned()) OnPopupClose(this);
    });
    SetBounds(GetLeft(), GetTop(), FNumberEdit->GetWidth() + GetButtonWidth(),
              FNumberEdit->GetHeight());
}

void TGclBorderedNumberEdit::SetReadOnly(bool Value) {
    FNumberEdit->SetReadOnly(Value);
    GetButton()->SetEnabled(!Value);
}

void TGclBorderedNumberEdit::PopupOpen() {
    FNumberEdit->PopupOpen();
}

void TGclBorderedNumberEdit::Published(TPropertyList& P) {
    P.Add("Text", &TGclBorderedNumberEdit::GetText, &TGclBorderedNumberEdit::SetText);
    P.Add("ReadOnly", &TGclBorderedNumberEdit::GetReadOnly, &TGclBorderedNumberEdit::SetReadOnly,
          false);
    P.Add("MaxLength", &TGclBorderedNumberEdit::GetMaxLength,
          &TGclBorderedNumberEdit::SetMaxLength, 0);
    P.Add("AllowIncDec", &TGclBorderedNumberEdit::GetAllowIncDec,
          &TGclBorderedNumberEdit::SetAllowIncDec, false);
    P.Add("PopupAnchor", &TGclBorderedNumberEdit::GetPopupAnchor,
          &TGclBorderedNumberEdit::SetPopupAnchor, paLeft);
    P.Add("PopupDecimals", &TGclBorderedNumberEdit::GetPopupDecimals,
          &TGclBorderedNumberEdit::SetPopupDecimals, 2);
}

REGISTER_CLASS(TGclBorderedNumberEdit);

DEFINE_UNIT(gclbcalc, uoGridModules, nullptr, nullptr);
