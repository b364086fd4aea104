// The number edit in a bordered container: the container's popup protocol and
// button, the inner number edit, and the published bordered number edit that
// forwards its properties and events to the inner edit and its calculator.
#pragma once

#include "classlib/UnitInit.h"
#include "grid/gclbordr.h"
#include "grid/gcledclc.h"

#include <memory>
#include <type_traits>
#include <utility>

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

// Every edit property and event reads from and writes to the inner edit, so an event's
// sender is the inner edit. The button is the container's own.
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
    // A disabled inner edit takes no value from the calculator either.
    bool GetEditEnabled() const { return FNumberEdit->GetEnabled(); }
    void SetEditEnabled(bool Value);
    int GetMaxLength() const { return FNumberEdit->GetMaxLength(); }
    void SetMaxLength(int Value) { FNumberEdit->SetMaxLength(Value); }
    char GetPasswordChar() const { return FNumberEdit->GetPasswordChar(); }
    void SetPasswordChar(char Value) { FNumberEdit->SetPasswordChar(Value); }
    bool GetEditAutoSize() const { return FNumberEdit->GetAutoSize(); }
    void SetEditAutoSize(bool Value) { FNumberEdit->SetAutoSize(Value); }
    TGclController* GetController() const { return FNumberEdit->GetController(); }
    void SetController(TGclController* Value) { FNumberEdit->SetController(Value); }
    TCursor GetEditCursor() const { return FNumberEdit->GetCursor(); }
    void SetEditCursor(TCursor Value) { FNumberEdit->SetCursor(Value); }
    TFont* GetEditFont() const { return FNumberEdit->GetFont(); }
    bool GetEditParentFont() const { return FNumberEdit->GetParentFont(); }
    void SetEditParentFont(bool Value) { FNumberEdit->SetParentFont(Value); }
    bool GetEditParentShowHint() const { return FNumberEdit->GetParentShowHint(); }
    void SetEditParentShowHint(bool Value) { FNumberEdit->SetParentShowHint(Value); }
    bool GetAllowIncDec() const { return FNumberEdit->AllowIncDec; }
    void SetAllowIncDec(bool Value) { FNumberEdit->AllowIncDec = Value; }
    TGclPopupAnchor GetPopupAnchor() const { return FNumberEdit->PopupAnchor; }
    void SetPopupAnchor(TGclPopupAnchor Value) { FNumberEdit->PopupAnchor = Value; }
    TGclCalcColors* GetPopupColors() const { return FNumberEdit->GetPopupColors(); }
    int GetPopupDecimals() const { return FNumberEdit->GetPopupDecimals(); }
    void SetPopupDecimals(int Value) { FNumberEdit->SetPopupDecimals(Value); }
    TFont* GetPopupFont() const { return FNumberEdit->GetPopupFont(); }
    int GetPopupHeight() const { return FNumberEdit->GetPopupHeight(); }
    void SetPopupHeight(int Value) { FNumberEdit->SetPopupHeight(Value); }
    int GetPopupWidth() const { return FNumberEdit->GetPopupWidth(); }
    void SetPopupWidth(int Value) { FNumberEdit->SetPopupWidth(Value); }
    // The inner edit's event kept in Member (OnChange, OnClick, the key and mouse events).
    template <auto Member> auto GetEditEvent() const { return FNumberEdit->*Member; }
    template <auto Member>
    void SetEditEvent(std::remove_cvref_t<decltype(std::declval<TGclNumberEditEx&>().*Member)> Value) {
        FNumberEdit->*Member = Value;
    }

    void PopupOpen() override;

    static void Published(TPropertyList& P);

private:
    void UpdateButton();

    TGclNumberEditEx* FNumberEdit;
};

DECLARE_UNIT(gclbcalc)
