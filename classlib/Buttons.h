// Buttons, check boxes and radio buttons: the system BUTTON class.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Buttons)

class TButton : public TWinControl {
    DECLARE_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Return clicks the default button unless another button has the focus.
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape clicks the cancel button.
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // A click sets the parent form's ModalResult to it (when not mrNone).
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Whether Return would click this button now.
    bool IsActive() const;

    void CNCommand(TWMCommand& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMFocusChanged(TMessage& Message);

    MESSAGE_HANDLERS(TButton, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
    END_MESSAGE_HANDLERS

private:
    void UpdateDefaultLook(bool Active);

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

// A button drawn by the library: the glyph, left of the caption, then the caption.
class TBitBtn : public TButton {
    DECLARE_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    static void Published(TPropertyList& P);

    // Drawn transparent (its bottom-left pixel's colour left out); owned, copied on set.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CNDrawItem(TWMDrawItem& Message);

    MESSAGE_HANDLERS(TBitBtn, TButton)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    END_MESSAGE_HANDLERS

private:
    void GlyphChanged(TObject* Sender);

    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TCanvas> FCanvas;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
    DECLARE_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    bool GetChecked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    // A change fires OnClick (also when made by the program, but not while loading).
    TCheckBoxState GetState() const { return FState; }
    void SetState(TCheckBoxState Value);
    // A click then steps through the grayed state too.
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    // taLeftJustify puts the text left of the box.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The user's click: the next state.
    virtual void Toggle();

    void CNCommand(TWMCommand& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TCheckBox, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

// Checking a radio button unchecks the other radio buttons of its parent.
class TRadioButton : public TWinControl {
    DECLARE_CLASS(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* AOwner);

    static void Published(TPropertyList& P);

    bool GetChecked() const { return FChecked; }
    // Becoming checked fires OnClick (not while loading).
    void SetChecked(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

    void CNCommand(TWMCommand& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TRadioButton, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    bool FChecked = false;
};
