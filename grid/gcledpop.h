// An edit with a drop-down button inside its right edge and the open/close protocol
// of the popup that the button or the keyboard opens.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Buttons.h"
#include "grid/gcleditf.h"

#include <memory>

class TGclEdPopup;

// The drop-down button: no caption, no tab stop; a click opens the popup.
class TGclEdButton : public TBitBtn {
    DECLARE_CLASS(TGclEdButton, TBitBtn)
public:
    explicit TGclEdButton(TGclEdPopup* AOwner);
    void Click() override;

private:
    TGclEdPopup* FEdit;
};

class TGclEdPopup : public TGclCustomEdit {
    DECLARE_CLASS(TGclEdPopup, TGclCustomEdit)
public:
    // Posted to the edit after a popup was opened or closed; the events fire from them.
    static constexpr UINT om_PopupOpened = 1125;
    static constexpr UINT om_PopupClosed = 1124;

    explicit TGclEdPopup(TComponent* AOwner);
    ~TGclEdPopup() override;

    bool GetShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);
    TBitmap* GetButtonGlyph() const { return FGlyph.get(); }
    // Copies Value (nil: an empty glyph).
    void SetButtonGlyph(TBitmap* Value);
    TGclEdButton* GetButton() const { return FButton; }
    bool GetPopupActive() const { return FPopupActive; }
    // 0 without a button; else the scroll-arrow width, or the glyph + 4 when wider.
    int GetButtonWidth() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    virtual bool GetButtonEnabled();
    virtual void GlyphChanged() {}
    virtual void PopupClose(TObject* Sender);
    virtual void PopupOpen();

    TNotifyEvent OnPopupOpen;
    TNotifyEvent OnPopupClose;

    static void Published(TPropertyList& P);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void ApplyButtonBounds();

    void CMDialogKey(TWMKey& Message);
    void OMPopupOpened(TMessage& Msg);
    void OMPopupClosed(TMessage& Msg);

    MESSAGE_HANDLERS(TGclEdPopup, TGclCustomEdit)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(om_PopupOpened, OMPopupOpened)
    MESSAGE_HANDLER(om_PopupClosed, OMPopupClosed)
    END_MESSAGE_HANDLERS

private:
    bool FShowButton = true;
    TGclEdButton* FButton;
    std::unique_ptr<TBitmap> FGlyph;
    bool FPopupActive = false;
};

// The button rule shared by every popup edit.
int GclPopupButtonWidth(bool ShowButton, TBitmap* Glyph);
