#include "grid/gcltgpns.h"

#include "classlib/Persistence.h"
#include "classlib/Strings.h"

void TGclGridPen::SetNormalColor(TColor Value) {
    if (Value == FNormalColor) return;
    FNormalColor = Value;
    DoCfgChanged();
}

void TGclGridPen::SetSecondColor(TColor Value) {
    if (Value == FSecondColor) return;
    FSecondColor = Value;
    DoCfgChanged();
}

void TGclGridPen::SetEffect(TGridEffect Value) {
    if (Value == FEffect) return;
    FEffect = Value;
    DoCfgChanged();
}

void TGclGridPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    DoCfgChanged();
}

void TGclGridPen::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TGclGridPen*>(Source);
    if (!Other) return;
    FNormalColor = Other->FNormalColor;
    FSecondColor = Other->FSecondColor;
    FEffect = Other->FEffect;
    FStyle = Other->FStyle;
    DoCfgChanged();
}

void TGclGridPen::DoCfgChanged() {
    if (OnCfgChanged) OnCfgChanged(this);
}

void TGclGridPen::Published(TPropertyList& P) {
    // No defaults: the four pens of a set start from different values.
    P.Add("NormalColor", &TGclGridPen::GetNormalColor, &TGclGridPen::SetNormalColor)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("SecondColor", &TGclGridPen::GetSecondColor, &TGclGridPen::SetSecondColor)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Style", &TGclGridPen::GetStyle, &TGclGridPen::SetStyle);
    P.Add("Effect", &TGclGridPen::GetEffect, &TGclGridPen::SetEffect);
}

TGclGridPenSet::TGclGridPenSet()
    : FNormalGrid(new TGclGridPen()), FLockedGrid(new TGclGridPen()),
      FCellWhenFocused(new TGclGridPen()), FCellWhenUnfocused(new TGclGridPen()) {
    FNormalGrid->SetStyle(psDot);
    FLockedGrid->SetEffect(ge3D);
    FCellWhenFocused->SetNormalColor(clBlack);
    FCellWhenUnfocused->SetNormalColor(clBlack);
    FCellWhenUnfocused->SetStyle(psDash);
}

TGclGridPenSet::~TGclGridPenSet() {
    delete FNormalGrid;
    delete FLockedGrid;
    delete FCellWhenFocused;
    delete FCellWhenUnfocused;
}

void TGclGridPenSet::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TGclGridPenSet*>(Source);
    if (!Other) return;
    FNormalGrid->Assign(Other->FNormalGrid);
    FLockedGrid->Assign(Other->FLockedGrid);
    FCellWhenFocused->Assign(Other->FCellWhenFocused);
    FCellWhenUnfocused->Assign(Other->FCellWhenUnfocused);
}

void TGclGridPenSet::SetOnCfgChanged(const TNotifyEvent& Event) {
    FNormalGrid->OnCfgChanged = Event;
    FLockedGrid->OnCfgChanged = Event;
    FCellWhenFocused->OnCfgChanged = Event;
    FCellWhenUnfocused->OnCfgChanged = Event;
}

void TGclGridPenSet::Published(TPropertyList& P) {
    P.Add("NormalGrid", &TGclGridPenSet::GetNormalGrid);
    P.Add("LockedGrid", &TGclGridPenSet::GetLockedGrid);
    P.Add("CellWhenFocused", &TGclGridPenSet::GetCellWhenFocused);
    P.Add("CellWhenUnfocused", &TGclGridPenSet::GetCellWhenUnfocused);
}
