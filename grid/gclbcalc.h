// The number edit in a bordered container: the container's popup protocol and
// button, the inner number edit, and the published bordered number edit that
// forwards its properties and events to the inner edit and its calculator.
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gclbordr.h"
#include "grid/gcledclc.h"

#include <memory>

class TGclBorderEdPopup : public TGclBorderParent {
    DECLARE_CLASS(TGclBorderEdPopup, TGclBorderParent)
public:
    static constexpr UINT om_PopupOpened = 1035;
    static constexpr UINT om_PopupClosed = 1034;

    explicit TGclBorderEdPopup(TComponent* AOwner);
    ~TGclBorderEdPopup() override;

    bool GetShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);
    TBitmap* GetButtonGlyph() const { return FGlyph.get(); }
    void SetButtonGlyph(TBitmap* Value);
    TGclBorderEdButton* GetButton() const { return FButton; }
    bool GetPopupActive() const { return FPopupActive; }
    int GetButtonWidth() const { return GclPopupButtonWidth(FShowButton, FGlyph.get()); }

    void PopupOpen() override;
    virtual void PopupClose(TObject* Sender);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnPopupOpen;
    TNotifyEvent OnPopupClose;

protected:
    void CreateWnd() override;
    void PlaceButton();
    void OMPopupOpened(TMessage& Msg);
    void OMPopupClosed(TMessage& Msg);

    MESSAGE_HANDLERS(TGclBorderEdPopup, TGclBorderParent)
    MESSAGE_HANDLER(om_PopupOpened, OMPopupOpened)
    MESSAGE_HANDLER(om_PopupClosed, OMPopupClosed)
    END_MESSAGE_HANDLERS

private:
    bool FShowButton = true;
    TGclBorderEdButton* FButton;
    std::unique_ptr<TBitmap> FGlyph;
    bool FPopupActive = false;
};

// The number edit inside the bordered container: no border, no button of its own.
class TGclNumberEditEx : public TGclCustomNumberEdit {
    DECLARE_CLASS(TGclNumberEditEx, TGclCustomNumberEdit)
public:
    explicit TGclNumberEditEx(TComponent* AOwner);
};

class TGclBorderedNumberEdit : public TGclBorderEdPopup {
    DECLARE_CLASS(TGclBorderedNumberEdit, TGclBorderEdPopup)
public:
    explicit TGclBorderedNumberEdit(TComponent* AOwner);

    TGclNumberEditEx* GetNumberEdit() const { return FNumberEdit; }
    AnsiString GetText() const { return FNumberEdit->GetText(); }
    void SetText(const AnsiString& Value) { FNumberEdit->SetText(Value); }
    double GetAsFloat() { return FNumberEdit->GetAsFloat(); }
    void SetAsFloat(double Value) { FNumberEdit->SetAsFloat(Value); }
    bool GetReadOnly() const { return FNumberEdit->GetReadOnly(); }
    void SetReadOnly(bool Value);
    int GetMaxLength() const { return FNumberEdit->GetMaxLength(); }
    void SetMaxLength(int Value) { FNumberEdit->SetMaxLength(Value); }
    bool GetAllowIncDec() const { return FNumberEdit->AllowIncDec; }
    void SetAllowIncDec(bool Value) { FNumberEdit->AllowIncDec = Value; }
    TGclPopupAnchor GetPopupAnchor() const { return FNumberEdit->PopupAnchor; }
    void SetPopupAnchor(TGclPopupAnchor Value) { FNumberEdit->PopupAnchor = Value; }
    int GetPopupDecimals() const { return FNumberEdit->GetPopupDecimals(); }
    void SetPopupDecimals(int Value) { FNumberEdit->SetPopupDecimals(Value); }
    TNotifyEvent GetOnChange() const { return FNumberEdit->OnChange; }
    void SetOnChange(TNotifyEvent Value) { FNumberEdit->OnChange = Value; }

    void PopupOpen() override;

    static void Published(TPropertyList& P);

private:
    TGclNumberEditEx* FNumberEdit;
};

DECLARE_UNIT(gclbcalc)
