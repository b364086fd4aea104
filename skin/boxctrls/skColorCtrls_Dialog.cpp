#include "skin/boxctrls/skColorCtrls_Dialog.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace {

constexpr int kEditWidth = 50;
constexpr int kEditHeight = 21;
constexpr int kGap = 5;

enum { kRed, kGreen, kBlue, kHue, kSaturation, kLightness };

std::unique_ptr<TFont> ArialFont() {
    auto font = std::make_unique<TFont>();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetStyle(TFontStyles());
    return font;
}

} // namespace

TskColorDlgForm::TskColorDlgForm(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    DSF = new TskSkinForm(this);
    Grid = new TskSkinColorGrid(this);
    Grid->SetParent(this);
    Grid->SetAlign(alTop);
    Grid->SetHeight(105);
    Grid->SetSkinDataName("groupbox");
    Viewer = new TskColorViewer(this);
    Viewer->SetParent(this);
    const char* captions[7] = {"R:", "G:", "B:", "=", "H:", "S:", "L:"};
    for (int i = 0; i < 7; ++i) {
        Labels[i] = new TskSkinStdLabel(this);
        Labels[i]->SetParent(this);
        Labels[i]->SetCaption(captions[i]);
    }
    for (TskSkinTrackEdit*& edit : Edits) {
        edit = new TskSkinTrackEdit(this);
        edit->SetParent(this);
        edit->SetJumpWhenClick(true);
    }
    OKButton = new TskSkinButton(this);
    OKButton->SetParent(this);
    OKButton->SetCaption("OK");
    OKButton->SetModalResult(mrOk);
    OKButton->SetDefault(true);
    CancelButton = new TskSkinButton(this);
    CancelButton->SetParent(this);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
}

TskSkinColorDialog::TskSkinColorDialog(TComponent* AOwner)
    : TComponent(AOwner), FDefaultLabelFont(ArialFont()), FDefaultButtonFont(ArialFont()),
      FDefaultEditFont(ArialFont()) {}

void TskSkinColorDialog::Published(TPropertyList& P) {
    using C = TskSkinColorDialog;
    P.Add("Color", &C::GetColor, &C::SetColor, TColor(0)).Idents(ColorToIdent, IdentToColor);
    P.Add("Caption", &C::GetCaption, &C::SetCaption, AnsiString("Set color"));
    P.Add("AlphaBlend", &C::GetAlphaBlend, &C::SetAlphaBlend, false);
    P.Add("AlphaBlendValue", &C::GetAlphaBlendValue, &C::SetAlphaBlendValue, Byte(200));
    P.Add("AlphaBlendAnimation", &C::GetAlphaBlendAnimation, &C::SetAlphaBlendAnimation, false);
    P.Add("SkinData", &C::GetSkinData, &C::SetSkinData);
    P.Add("CtrlSkinData", &C::GetCtrlSkinData, &C::SetCtrlSkinData);
    P.Add("ButtonSkinDataName", &C::GetButtonSkinDataName, &C::SetButtonSkinDataName,
          AnsiString("button"));
    P.Add("LabelSkinDataName", &C::GetLabelSkinDataName, &C::SetLabelSkinDataName,
          AnsiString("stdlabel"));
    P.Add("EditSkinDataName", &C::GetEditSkinDataName, &C::SetEditSkinDataName,
          AnsiString("edit"));
    P.Add("DefaultLabelFont", &C::GetDefaultLabelFont, &C::SetDefaultLabelFont);
    P.Add("DefaultButtonFont", &C::GetDefaultButtonFont, &C::SetDefaultButtonFont);
    P.Add("DefaultEditFont", &C::GetDefaultEditFont, &C::SetDefaultEditFont);
    P.Add("UseSkinFont", &C::GetUseSkinFont, &C::SetUseSkinFont, true);
}

void TskSkinColorDialog::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSkinData, Value);
}

void TskSkinColorDialog::SetCtrlSkinData(TskSkinData* Value) {
    SetReference(this, FCtrlSkinData, Value);
}

void TskSkinColorDialog::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TskSkinColorDialog::Build(TskColorDlgForm* Form) {
    Form->SetCaption(FCaption);
    Form->DSF->SetUpDialog(FSkinData, FCtrlSkinData, FAlphaBlend, FAlphaBlendAnimation,
                           FAlphaBlendValue);
    Form->DSF->SetSizeable(false);
    Form->SetClientWidth(280);

    Form->Grid->SetSkinData(FCtrlSkinData);
    Form->Grid->OnChange = TNotifyEvent(this, &TskSkinColorDialog::ColorGridChange);
    for (TskSkinStdLabel* label : Form->Labels) {
        label->SetDefaultFont(FDefaultLabelFont.get());
        label->SetUseSkinFont(FUseSkinFont);
        label->SetSkinData(FCtrlSkinData);
    }
    const int maxima[6] = {255, 255, 255, 359, 100, 100};
    const int trackBarWidths[6] = {260, 260, 260, 260, 120, 120};
    for (int i = 0; i < 6; ++i) {
        TskSkinTrackEdit* edit = Form->Edits[i];
        edit->SetMinValue(0);
        edit->SetMaxValue(maxima[i]);
        edit->SetValue(0);
        edit->SetTrackBarWidth(trackBarWidths[i]);
        edit->SetSkinData(FCtrlSkinData);
        edit->OnChange = TNotifyEvent(this, i < kHue ? &TskSkinColorDialog::RGBEditChange
                                                     : &TskSkinColorDialog::HSLEditChange);
    }

    // Two rows of label and field pairs, each control 5 pixels after the one before.
    const auto row = [](int Top, std::initializer_list<TControl*> Controls) {
        int left = kGap;
        for (TControl* control : Controls) {
            const bool label = dynamic_cast<TskSkinStdLabel*>(control) != nullptr;
            if (label)
                control->SetBounds(left, Top + 2, control->GetWidth(), control->GetHeight());
            else
                control->SetBounds(left, Top, kEditWidth, kEditHeight);
            left = control->GetLeft() + control->GetWidth() + kGap;
        }
    };
    TskSkinTrackEdit* const* e = Form->Edits;
    TskSkinStdLabel* const* l = Form->Labels;
    const int y0 = Form->Grid->GetTop() + Form->Grid->GetHeight() + 10;
    row(y0, {l[0], e[kRed], l[1], e[kGreen], l[2], e[kBlue], l[3], Form->Viewer});
    const int y1 = Form->Viewer->GetTop() + Form->Viewer->GetHeight() + 10;
    row(y1, {l[4], e[kHue], l[5], e[kSaturation], l[6], e[kLightness]});
    // The first row is wider than the grid: the dialog widens so that the viewer fits.
    Form->SetClientWidth(std::max(280, Form->Viewer->GetLeft() + Form->Viewer->GetWidth() + kGap));

    const int width = Form->GetClientWidth();
    const int top = e[kHue]->GetTop() + e[kHue]->GetHeight() + 20;
    int left = width - 160;
    for (TskSkinButton* button : {Form->OKButton, Form->CancelButton}) {
        button->SetDefaultFont(FDefaultButtonFont.get());
        button->SetUseSkinFont(FUseSkinFont);
        button->SetDefaultHeight(25);
        button->SetSkinDataName(FButtonSkinDataName);
        button->SetSkinData(FCtrlSkinData);
        button->SetBounds(left, top, 70, 25);
        left += 80;
    }
    Form->SetClientHeight(Form->CancelButton->GetTop() + Form->CancelButton->GetHeight() + 10);
}

bool TskSkinColorDialog::Execute() {
    std::unique_ptr<TskColorDlgForm> form(new TskColorDlgForm(Application));
    Dlg = form.get();
    struct TForget {
        TskColorDlgForm*& Field;
        ~TForget() { Field = nullptr; }
    } forget{Dlg};
    Build(form.get());

    // A system colour is shown as the colour it stands for now.
    const TColor start = static_cast<TColor>(ColorToRGB(FColor));
    form->Viewer->SetColorValue(start);
    form->Grid->SetColorValue(start);
    Byte r = 0, g = 0, b = 0;
    SplitColor(start, r, g, b);
    form->Edits[kRed]->SetValue(r);
    form->Edits[kGreen]->SetValue(g);
    form->Edits[kBlue]->SetValue(b);

    const bool accepted = form->ShowModal() == mrOk;
    if (accepted) FColor = form->Viewer->GetColorValue();
    return accepted;
}

void TskSkinColorDialog::SetEdits(int First, int A, int B, int C) {
    Dlg->Edits[First]->SetValue(A);
    Dlg->Edits[First + 1]->SetValue(B);
    Dlg->Edits[First + 2]->SetValue(C);
}

void TskSkinColorDialog::SetHSLEdits(TColor Color) {
    Byte r = 0, g = 0, b = 0;
    SplitColor(Color, r, g, b);
    int h = 0, s = 0, l = 0;
    RGBToHSL(r, g, b, h, s, l);
    TFlagGuard guard(UpdatingHSL);
    SetEdits(kHue, h, s, l);
}

void TskSkinColorDialog::RGBEditChange(TObject*) {
    if (UpdatingRGB || !Dlg) return;
    TskSkinTrackEdit* const* e = Dlg->Edits;
    const TColor color = MakeColor(static_cast<Byte>(e[kRed]->GetValue()),
                                   static_cast<Byte>(e[kGreen]->GetValue()),
                                   static_cast<Byte>(e[kBlue]->GetValue()));
    Dlg->Viewer->SetColorValue(color);
    SetHSLEdits(color);
    ShowOnGrid(color);
}

void TskSkinColorDialog::HSLEditChange(TObject*) {
    if (UpdatingHSL || !Dlg) return;
    TskSkinTrackEdit* const* e = Dlg->Edits;
    Byte r = 0, g = 0, b = 0;
    HSLToRGB(r, g, b, e[kHue]->GetValue(), e[kSaturation]->GetValue(), e[kLightness]->GetValue());
    const TColor color = MakeColor(r, g, b);
    Dlg->Viewer->SetColorValue(color);
    {
        TFlagGuard guard(UpdatingRGB);
        SetEdits(kRed, r, g, b);
    }
    ShowOnGrid(color);
}

void TskSkinColorDialog::ShowOnGrid(TColor Color) {
    TFlagGuard guard(UpdatingGrid);
    Dlg->Grid->SetColorValue(Color);
}

void TskSkinColorDialog::ColorGridChange(TObject*) {
    if (UpdatingGrid || !Dlg) return;
    const TColor color = Dlg->Grid->GetColorValue();
    Byte r = 0, g = 0, b = 0;
    SplitColor(color, r, g, b);
    {
        TFlagGuard guard(UpdatingRGB);
        SetEdits(kRed, r, g, b);
    }
    Dlg->Viewer->SetColorValue(color);
    SetHSLEdits(color);
}

REGISTER_CLASS(TskSkinColorDialog);

DEFINE_UNIT(skColorCtrls_Dialog, uoSkin + 32, nullptr, nullptr);
