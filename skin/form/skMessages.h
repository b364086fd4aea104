// TskSkinMessage: questions in a modal box whose frame, label and buttons come from the
// skin. Each MessageDlg builds a fresh TskMessageForm, lays it out from the text and the
// buttons, shows it modally and frees it. The class library's message-box hook, when set,
// answers instead of the box, so that programs' tests keep their injected answers.
#pragma once

#include "skin/form/SkinForm.h"

#include "classlib/Dialogs.h"

#include <functional>

DECLARE_UNIT(skMessages)

class TskMessageForm : public TForm {
    DECLARE_CLASS(TskMessageForm, TForm)
public:
    explicit TskMessageForm(TComponent* AOwner);
    void HelpButtonClick(TObject* Sender);

    TskSkinForm* SkinForm = nullptr;
};

// Called with the built box just before it is shown modally (tests post their keys and
// clicks to it here); returns the previous one.
using TMessageFormHook = std::function<void(TskMessageForm* Form)>;
TMessageFormHook SetMessageFormHook(TMessageFormHook Hook);

class TskSkinMessage : public TComponent {
    DECLARE_CLASS(TskSkinMessage, TComponent)
public:
    explicit TskSkinMessage(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // The modal result of the button pressed. HelpCtx is accepted and not used.
    int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

    // Handed to the box's frame.
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool GetAlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { SetReference(this, FSkinData, Value); }
    TskSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value) { SetReference(this, FCtrlSkinData, Value); }
    const AnsiString& GetButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const AnsiString& Value) { FButtonSkinDataName = Value; }
    const AnsiString& GetMessageLabelSkinDataName() const { return FMessageLabelSkinDataName; }
    void SetMessageLabelSkinDataName(const AnsiString& Value) { FMessageLabelSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    TFont* GetDefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(TFont* Value) { FDefaultButtonFont->Assign(Value); }
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskMessageForm* Build(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    Byte FAlphaBlendValue = 200;
    TskSkinData* FSkinData = nullptr;
    TskSkinData* FCtrlSkinData = nullptr;
    AnsiString FButtonSkinDataName = "button";
    AnsiString FMessageLabelSkinDataName = "stdlabel";
    std::unique_ptr<TFont> FDefaultFont;
    std::unique_ptr<TFont> FDefaultButtonFont;
    bool FUseSkinFont = true;
};
