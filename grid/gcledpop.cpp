#include "grid/gcledpop.h"

#include "classlib/Persistence.h"

int GclPopupButtonWidth(bool ShowButton, TBitmap* Glyph) {
    if (!ShowButton) return 0;
    int width = GetSystemMetrics(SM_CXHSCROLL);
    if (Glyph && !Glyph->GetEmpty() && Glyph->GetWidth() + 4 > width) width = Glyph->GetWidth() + 4;
    return width;
}

TGclEdButton::TGclEdButton(TGclEdPopup* AOwner) : TBitBtn(AOwner), FEdit(AOwner) {
    SetTabStop(false);
}

void TGclEdButton::Click() {
    FEdit->PopupOpen();
}

TGclEdPopup::TGclEdPopup(TComponent* AOwner)
    : TGclCustomEdit(AOwner), FButton(new TGclEdButton(this)), FGlyph(new TBitmap) {
    FButton->SetParent(this);
}

TGclEdPopup::~TGclEdPopup() = default;

void TGclEdPopup::CreateParams(TCreateParams& Params) {
    TGclCustomEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TGclEdPopup::CreateWnd() {
    TGclCustomEdit::CreateWnd();
    FButton->SetEnabled(GetButtonEnabled());
    ApplyButtonBounds();
}

void TGclEdPopup::Loaded() {
    TGclCustomEdit::Loaded();
    FButton->SetGlyph(FGlyph.get());
}

int TGclEdPopup::GetButtonWidth() const {
    return GclPopupButtonWidth(FShowButton, FGlyph.get());
}

bool TGclEdPopup::GetButtonEnabled() {
    return !GetReadOnly();
}

void TGclEdPopup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TGclCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    ApplyButtonBounds();
}

void TGclEdPopup::ApplyButtonBounds() {
    if (!HandleAllocated()) return;
    if (!FShowButton) {
        FButton->SetBounds(0, 0, 0, 0);
        return;
    }
    int bw = GetButtonWidth();
    int ch = GetClientHeight();
    if (GetBorderStyle() == bsNone)
        FButton->SetBounds(GetWidth() - bw, 0, bw, ch);
    else if (GetCtl3D())
        FButton->SetBounds(GetWidth() - bw - 4, 0, bw, ch);
    else
        FButton->SetBounds(GetWidth() - bw - 1, 1, bw, ch - 2);
}

void TGclEdPopup::SetShowButton(bool Value) {
    if (Value == FShowButton) return;
    FShowButton = Value;
    ApplyButtonBounds();
}

void TGclEdPopup::SetButtonGlyph(TBitmap* Value) {
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph.reset(new TBitmap);
    GlyphChanged();
    FButton->SetGlyph(FGlyph.get());
    ApplyButtonBounds();
}

void TGclEdPopup::PopupOpen() {
    FPopupActive = true;
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PopupOpened, 0, 0);
}

void TGclEdPopup::PopupClose(TObject*) {
    FPopupActive = false;
    if (HandleAllocated()) PostMessageA(GetHandle(), om_PopupClosed, 0, 0);
}

void TGclEdPopup::OMPopupOpened(TMessage&) {
    if (OnPopupOpen.Assigned()) OnPopupOpen(this);
}

void TGclEdPopup::OMPopupClosed(TMessage&) {
    if (OnPopupClose.Assigned()) OnPopupClose(this);
}

void TGclEdPopup::CMDialogKey(TWMKey& Message) {
    Word key = Message.CharCode();
    if (FPopupActive && (key == VK_RETURN || key == VK_ESCAPE)) {
        PopupClose(this);
        Message.Result = 1;
        return;
    }
    TGclCustomEdit::Dispatch(Message.Message);
}

void TGclEdPopup::Published(TPropertyList& P) {
    P.Add("ShowButton", &TGclEdPopup::GetShowButton, &TGclEdPopup::SetShowButton, true);
    P.Add("ButtonGlyph", &TGclEdPopup::GetButtonGlyph, &TGclEdPopup::SetButtonGlyph);
    P.Add("OnPopupOpen", &TGclEdPopup::OnPopupOpen);
    P.Add("OnPopupClose", &TGclEdPopup::OnPopupClose);
}
