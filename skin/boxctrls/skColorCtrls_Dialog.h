// The skinned colour dialog: each Execute builds a skinned form in code with the basic
// colour grid, red, green and blue fields, a viewer of the colour, hue, saturation and
// lightness fields and OK and Cancel buttons, keeps them all in step, shows it modally and
// frees it.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"
#include "skin/boxctrls/skColorCtrls.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/form/SkinForm.h"

DECLARE_UNIT(skColorCtrls_Dialog)

// The dialog's form while Execute runs.
class TskColorDlgForm : public TForm {
    DECLARE_CLASS(TskColorDlgForm, TForm)
public:
    explicit TskColorDlgForm(TComponent* AOwner);

    TskSkinForm* DSF = nullptr;
    TskSkinColorGrid* Grid = nullptr;
    TskColorViewer* Viewer = nullptr;
    // Red, green, blue, then hue, saturation, lightness.
    TskSkinTrackEdit* Edits[6] = {};
    TskSkinStdLabel* Labels[7] = {};
    TskSkinButton* OKButton = nullptr;
    TskSkinButton* CancelButton = nullptr;
};

class TskSkinColorDialog : public TComponent {
    DECLARE_CLASS(TskSkinColorDialog, TComponent)
public:
    explicit TskSkinColorDialog(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // True when the dialog was closed with OK; Color then holds the chosen colour.
    bool Execute();

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value) { FCaption = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
    bool GetAlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    // The skin of the dialog's frame, and of its controls and menus.
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* GetCtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    const AnsiString& GetButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const AnsiString& Value) { FButtonSkinDataName = Value; }
    const AnsiString& GetLabelSkinDataName() const { return FLabelSkinDataName; }
    void SetLabelSkinDataName(const AnsiString& Value) { FLabelSkinDataName = Value; }
    const AnsiString& GetEditSkinDataName() const { return FEditSkinDataName; }
    void SetEditSkinDataName(const AnsiString& Value) { FEditSkinDataName = Value; }
    TFont* GetDefaultLabelFont() const { return FDefaultLabelFont.get(); }
    void SetDefaultLabelFont(TFont* Value) { FDefaultLabelFont->Assign(Value); }
    TFont* GetDefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(TFont* Value) { FDefaultButtonFont->Assign(Value); }
    TFont* GetDefaultEditFont() const { return FDefaultEditFont.get(); }
    void SetDefaultEditFont(TFont* Value) { FDefaultEditFont->Assign(Value); }
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

    // The form while Execute runs, null otherwise.
    TskColorDlgForm* Dlg = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Build(TskColorDlgForm* Form);
    void RGBEditChange(TObject* Sender);
    void HSLEditChange(TObject* Sender);
    void ColorGridChange(TObject* Sender);
    void SetEdits(int First, int A, int B, int C);
    // The hue, saturation and lightness fields to Color's, without their change handler.
    void SetHSLEdits(TColor Color);
    // The grid's cursor to Color's cell, or to none, without the grid's change handler.
    void ShowOnGrid(TColor Color);

    TColor FColor = 0;
    AnsiString FCaption = "Set color";
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    TskSkinData* FSkinData = nullptr;
    TskSkinData* FCtrlSkinData = nullptr;
    AnsiString FButtonSkinDataName = "button";
    AnsiString FLabelSkinDataName = "stdlabel";
    AnsiString FEditSkinDataName = "edit";
    std::unique_ptr<TFont> FDefaultLabelFont, FDefaultButtonFont, FDefaultEditFont;
    bool FUseSkinFont = true;
    bool UpdatingRGB = false;
    bool UpdatingHSL = false;
    bool UpdatingGrid = false;
};
