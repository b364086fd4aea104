#include "classlib/Graphics.h"
#include "classlib/Persistence.h"
#include "grid/gclcalc.h"

namespace {
// Per scheme, in the order of TGclCalcColors::TIndex.
const TColor Schemes[5][8] = {
    {},
    {clGray, clWindow, clWindowText, clMaroon, clNavy, clRed, clBlue, clRed},
    {clGray, clBlack, clAqua, clBlack, clTeal, clNavy, clMaroon, clBlue},
    {clGray, clAqua, clBlack, clPurple, clNavy, clNavy, clAqua, clBlue},
    {clGray, clWhite, clNavy, clBlack, clNavy, clNavy, clBlue, clBlue},
};
} // namespace

TGclCalcColors::TGclCalcColors() {
    for (int i = 0; i < 8; ++i)
        FColors[i] = Schemes[cscalcWindows][i];
}

void TGclCalcColors::Changed() {
    if (!FApplyingScheme) FScheme = cscalcCustom;
    if (!FUpdating && OnChange.Assigned()) OnChange(this);
}

void TGclCalcColors::SetColor(int Index, TColor Value) {
    if (Index < 0 || Index > 7 || FColors[Index] == Value) return;
    FColors[Index] = Value;
    Changed();
}

void TGclCalcColors::SetColorScheme(TGclCalcColorScheme Value) {
    if (Value == cscalcCustom) {
        FScheme = Value;
        return;
    }
    FScheme = Value;
    for (int i = 0; i < 8; ++i)
        FColors[i] = Schemes[Value][i];
    FApplyingScheme = true;
    Changed();
    FApplyingScheme = false;
}

void TGclCalcColors::EndUpdate() {
    FUpdating = false;
    FApplyingScheme = true; // the colours were set one by one under the present scheme
    Changed();
    FApplyingScheme = false;
}

void TGclCalcColors::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TGclCalcColors*>(Source)) {
        for (int i = 0; i < 8; ++i)
            FColors[i] = other->FColors[i];
        FScheme = other->FScheme;
        OnChange = other->OnChange;
        return;
    }
    TPersistent::Assign(Source);
}

void TGclCalcColors::Published(TPropertyList& P) {
    P.Add("ColorScheme", &TGclCalcColors::GetColorScheme, &TGclCalcColors::SetColorScheme,
          cscalcWindows);
    P.Add("DisabledMemoryButtons", &TGclCalcColors::Get<ciDisabledMemoryButtons>,
          &TGclCalcColors::Set<ciDisabledMemoryButtons>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Display", &TGclCalcColors::Get<ciDisplay>, &TGclCalcColors::Set<ciDisplay>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("DisplayTextColor", &TGclCalcColors::Get<ciDisplayTextColor>,
          &TGclCalcColors::Set<ciDisplayTextColor>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("EditButtons", &TGclCalcColors::Get<ciEditButtons>, &TGclCalcColors::Set<ciEditButtons>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("FunctionButtons", &TGclCalcColors::Get<ciFunctionButtons>,
          &TGclCalcColors::Set<ciFunctionButtons>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("MemoryButtons", &TGclCalcColors::Get<ciMemoryButtons>,
          &TGclCalcColors::Set<ciMemoryButtons>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("NumberButtons", &TGclCalcColors::Get<ciNumberButtons>,
          &TGclCalcColors::Set<ciNumberButtons>)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("OperatorButtons", &TGclCalcColors::Get<ciOperatorButtons>,
          &TGclCalcColors::Set<ciOperatorButtons>)
        .Idents(ColorToIdent, IdentToColor);
}
