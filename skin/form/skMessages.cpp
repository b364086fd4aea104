#include "skin/form/skMessages.h"

#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Labels.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Images.h"
#include "classlib/Persistence.h"

namespace {

void RegisterMessageClasses() {
    RegisterClass(TskSkinMessage::StaticClass());
}

struct TButtonKind {
    const char* Name;
    const char* Caption;
    int Result;
};
const TButtonKind kButtons[] = {{"Yes", "&Yes", mrYes},          {"No", "&No", mrNo},
                                {"OK", "OK", mrOk},              {"Cancel", "Cancel", mrCancel},
                                {"Abort", "&Abort", mrAbort},    {"Retry", "&Retry", mrRetry},
                                {"Ignore", "&Ignore", mrIgnore}, {"All", "&All", mrAll},
                                {"NoToAll", "N&oToAll", mrNoToAll}, {"YesToAll", "&YesToAll", mrYesToAll},
                                {"Help", "&Help", 0}};
const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm"};
const LPCSTR kIcons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};

TMessageFormHook& FormHook() {
    static TMessageFormHook hook;
    return hook;
}

TFont* MakeFont() {
    auto* font = new TFont;
    font->SetName("Arial");
    font->SetHeight(14);
    return font;
}

} // namespace

DEFINE_UNIT(skMessages, uoSkin + 22, RegisterMessageClasses, nullptr);

TMessageFormHook SetMessageFormHook(TMessageFormHook Hook) {
    TMessageFormHook previous = FormHook();
    FormHook() = std::move(Hook);
    return previous;
}

TskMessageForm::TskMessageForm(TComponent* AOwner) : TForm(AOwner) {
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetKeyPreview(true);
    SkinForm = new TskSkinForm(this);
    SkinForm->SetBorderIcons({});
    SkinForm->SetSizeable(false);
}

void TskMessageForm::HelpButtonClick(TObject*) {
    // The box's help context is never set: the application is asked for context 0.
    WinHelpA(GetHandle(), nullptr, HELP_CONTEXT, 0);
}

TskSkinMessage::TskSkinMessage(TComponent* AOwner)
    : TComponent(AOwner), FDefaultFont(MakeFont()), FDefaultButtonFont(MakeFont()) {}

void TskSkinMessage::Published(TPropertyList& P) {
    P.Add("AlphaBlend", &TskSkinMessage::GetAlphaBlend, &TskSkinMessage::SetAlphaBlend, false);
    P.Add("AlphaBlendAnimation", &TskSkinMessage::GetAlphaBlendAnimation, &TskSkinMessage::SetAlphaBlendAnimation,
          false);
    P.Add("AlphaBlendValue", &TskSkinMessage::GetAlphaBlendValue, &TskSkinMessage::SetAlphaBlendValue, Byte{200});
    P.Add("SkinData", &TskSkinMessage::GetSkinData, &TskSkinMessage::SetSkinData);
    P.Add("CtrlSkinData", &TskSkinMessage::GetCtrlSkinData, &TskSkinMessage::SetCtrlSkinData);
    P.Add("ButtonSkinDataName", &TskSkinMessage::GetButtonSkinDataName, &TskSkinMessage::SetButtonSkinDataName,
          AnsiString("button"));
    P.Add("MessageLabelSkinDataName", &TskSkinMessage::GetMessageLabelSkinDataName,
          &TskSkinMessage::SetMessageLabelSkinDataName, AnsiString("stdlabel"));
    P.Add("DefaultFont", &TskSkinMessage::GetDefaultFont, &TskSkinMessage::SetDefaultFont);
    P.Add("DefaultButtonFont", &TskSkinMessage::GetDefaultButtonFont, &TskSkinMessage::SetDefaultButtonFont);
    P.Add("UseSkinFont", &TskSkinMessage::GetUseSkinFont, &TskSkinMessage::SetUseSkinFont, true);
}

void TskSkinMessage::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

TskMessageForm* TskSkinMessage::Build(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    auto* form = new TskMessageForm(Application);
    try {
        form->SkinForm->SetSkinData(FSkinData);
        form->SkinForm->SetMenusSkinData(FCtrlSkinData);
        form->SkinForm->SetAlphaBlend(FAlphaBlend);
        form->SkinForm->SetAlphaBlendAnimation(FAlphaBlendAnimation);
        form->SkinForm->SetAlphaBlendValue(FAlphaBlendValue);
        const int w = 60, g = 10;
        int h = 25;
        if (FCtrlSkinData && !FCtrlSkinData->Empty) {
            const int index = FCtrlSkinData->GetControlIndex(FButtonSkinDataName);
            if (index != -1)
                if (auto* record = dynamic_cast<TskDataSkinButtonControl*>(
                        FCtrlSkinData->CtrlList[static_cast<std::size_t>(index)].get()))
                    h = RectHeight(record->SkinRect);
        }
        int n = 0;
        for (int i = 0; i <= mbHelp; ++i) n += Buttons.Contains(static_cast<TMsgDlgBtn>(i));
        const int b = n == 0 ? 0 : n * w + (n - 1) * g;
        form->SetLeft(GetSystemMetrics(SM_CXSCREEN) / 2 - form->GetWidth() / 2);
        form->SetTop(GetSystemMetrics(SM_CYSCREEN) / 2 - form->GetHeight() / 2);
        form->SetCaption(DlgType == mtCustom ? Application->GetTitle() : AnsiString(kCaptions[DlgType]));

        auto* label = new TskSkinStdLabel(form);
        label->GetFont()->Assign(FDefaultFont.get());
        label->SetDefaultFont(FDefaultFont.get());
        label->SetUseSkinFont(FUseSkinFont);
        label->SetSkinDataName(FMessageLabelSkinDataName);
        label->SetSkinData(FCtrlSkinData);
        label->SetName("Message");
        label->SetParent(form);
        label->SetAutoSize(true);
        // Messages name files, whose "&" is a plain character.
        label->SetShowAccelChar(false);
        label->SetCaption(Msg);
        label->SetLeft(50);
        label->SetTop(15);
        const int r = label->GetLeft() + label->GetWidth();

        auto* image = new TImage(form);
        image->SetName("Image");
        image->SetParent(form);
        if (DlgType != mtCustom) {
            TIcon icon;
            icon.SetHandle(CopyIcon(LoadIconA(nullptr, kIcons[DlgType])));
            image->GetPicture()->SetGraphic(&icon);
        }
        image->SetBounds(5, std::max(label->GetTop() + label->GetHeight() / 2 - 16, 10), 32, 32);

        form->SetClientHeight(h + 50 + label->GetHeight());
        form->SetClientWidth((b < r ? r : b) + 40);
        if (form->SkinForm->GetMaxWidth() < form->GetWidth())
            form->SetWidth(form->SkinForm->GetMaxWidth());
        else if (form->SkinForm->GetMinWidth() > form->GetWidth())
            form->SetWidth(form->SkinForm->GetMinWidth());

        const int d = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
        const int c = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
        int x = (form->GetClientWidth() - b) / 2;
        for (int i = 0; i <= mbHelp; ++i) {
            if (!Buttons.Contains(static_cast<TMsgDlgBtn>(i))) continue;
            auto* button = new TskSkinButton(form);
            button->SetParent(form);
            button->SetName(kButtons[i].Name);
            button->SetCanFocused(true);
            button->SetCaption(kButtons[i].Caption);
            button->SetModalResult(kButtons[i].Result);
            button->SetDefault(i == d);
            button->SetCancel(i == c);
            button->SetDefaultHeight(h);
            button->SetBounds(x, form->GetClientHeight() - h - 10, w, h);
            button->SetDefaultFont(FDefaultButtonFont.get());
            button->SetUseSkinFont(FUseSkinFont);
            x += w + g;
            if (i == mbHelp) button->OnClick = TNotifyEvent(form, &TskMessageForm::HelpButtonClick);
            button->SetSkinDataName(FButtonSkinDataName);
            button->SetSkinData(FCtrlSkinData);
        }
    } catch (...) {
        // A box that could not be built is not left behind.
        delete form;
        throw;
    }
    return form;
}

int TskSkinMessage::MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
    TMessageDlgHook answer = SetMessageDlgHook(nullptr);
    SetMessageDlgHook(answer);
    if (answer) return answer(Msg, DlgType, Buttons, 0);
    std::unique_ptr<TskMessageForm> form(Build(Msg, DlgType, Buttons));
    if (FormHook()) FormHook()(form.get());
    return form->ShowModal();
}
