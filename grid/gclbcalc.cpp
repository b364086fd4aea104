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
    // The edit may span the container (no side borders): the button stays above it.
    GetButton()->BringToFront();
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
    UpdateButton();
}

void TGclBorderedNumberEdit::SetEditEnabled(bool Value) {
    FNumberEdit->SetEnabled(Value);
    UpdateButton();
}

void TGclBorderedNumberEdit::UpdateButton() {
    GetButton()->SetEnabled(FNumberEdit->GetEnabled() && !FNumberEdit->GetReadOnly());
}

void TGclBorderedNumberEdit::PopupOpen() {
    FNumberEdit->PopupOpen();
}

namespace {
template <auto Member> void AddEditEvent(TPropertyList& P, const char* Name) {
    P.Add(Name, &TGclBorderedNumberEdit::GetEditEvent<Member>,
          &TGclBorderedNumberEdit::SetEditEvent<Member>);
}
} // namespace

void TGclBorderedNumberEdit::Published(TPropertyList& P) {
    using T = TGclBorderedNumberEdit;
    P.Add("Text", &T::GetText, &T::SetText);
    P.Add("AutoSize", &T::GetEditAutoSize, &T::SetEditAutoSize, false);
    P.Add("Controller", &T::GetController, &T::SetController);
    P.Add("Cursor", &T::GetEditCursor, &T::SetEditCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("Enabled", &T::GetEditEnabled, &T::SetEditEnabled, true);
    P.Add("Font", &T::GetEditFont);
    P.Add("MaxLength", &T::GetMaxLength, &T::SetMaxLength, 0);
    P.Add("ParentFont", &T::GetEditParentFont, &T::SetEditParentFont);
    P.Add("ParentShowHint", &T::GetEditParentShowHint, &T::SetEditParentShowHint);
    P.Add("PasswordChar", &T::GetPasswordChar, &T::SetPasswordChar, '\0');
    P.Add("ReadOnly", &T::GetReadOnly, &T::SetReadOnly, false);
    P.Add("AllowIncDec", &T::GetAllowIncDec, &T::SetAllowIncDec, false);
    P.Add("PopupAnchor", &T::GetPopupAnchor, &T::SetPopupAnchor, paLeft);
    P.Add("PopupColors", &T::GetPopupColors);
    P.Add("PopupDecimals", &T::GetPopupDecimals, &T::SetPopupDecimals, 2);
    P.Add("PopupFont", &T::GetPopupFont);
    P.Add("PopupHeight", &T::GetPopupHeight, &T::SetPopupHeight, 140);
    P.Add("PopupWidth", &T::GetPopupWidth, &T::SetPopupWidth, 200);
    P.Add("ShowButton", &T::GetShowButton, &T::SetShowButton, true);
    AddEditEvent<&TCustomEdit::OnChange>(P, "OnChange");
    AddEditEvent<&TControl::OnClick>(P, "OnClick");
    AddEditEvent<&TControl::OnDblClick>(P, "OnDblClick");
    AddEditEvent<&TWinControl::OnKeyDown>(P, "OnKeyDown");
    AddEditEvent<&TWinControl::OnKeyPress>(P, "OnKeyPress");
    AddEditEvent<&TWinControl::OnKeyUp>(P, "OnKeyUp");
    AddEditEvent<&TControl::OnMouseDown>(P, "OnMouseDown");
    AddEditEvent<&TControl::OnMouseMove>(P, "OnMouseMove");
    AddEditEvent<&TControl::OnMouseUp>(P, "OnMouseUp");
    P.Add("OnPopupOpen", &TGclBorderEdPopup::OnPopupOpen);
    P.Add("OnPopupClose", &TGclBorderEdPopup::OnPopupClose);
}

REGISTER_CLASS(TGclBorderedNumberEdit);

DEFINE_UNIT(gclbcalc, uoGridModules, nullptr, nullptr);
