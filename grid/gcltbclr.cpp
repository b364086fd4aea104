#include "grid/gcltbclr.h"

#include "classlib/Persistence.h"
#include "classlib/Strings.h"

void TGclTableColors::Set(TSlot Slot, TColor Value) {
    if (FColors[Slot] == Value) return;
    FColors[Slot] = Value;
    DoCfgChanged();
}

void TGclTableColors::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TGclTableColors*>(Source);
    if (!Other) return;
    for (int i = 0; i < cSlotCount; ++i) FColors[i] = Other->FColors[i];
    DoCfgChanged();
}

void TGclTableColors::DoCfgChanged() {
    if (OnCfgChanged) OnCfgChanged(this);
}

void TGclTableColors::Published(TPropertyList& P) {
    using C = TGclTableColors;
    P.Add("ActiveFocused", &C::GetActiveFocused, &C::SetActiveFocused, clHighlight)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ActiveFocusedText", &C::GetActiveFocusedText, &C::SetActiveFocusedText, clHighlightText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ActiveUnfocused", &C::GetActiveUnfocused, &C::SetActiveUnfocused, clHighlight)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ActiveUnfocusedText", &C::GetActiveUnfocusedText, &C::SetActiveUnfocusedText,
          clHighlightText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Locked", &C::GetLocked, &C::SetLocked, clBtnFace).Idents(ColorToIdent, IdentToColor);
    P.Add("LockedText", &C::GetLockedText, &C::SetLockedText, clWindowText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Editing", &C::GetEditing, &C::SetEditing, clBtnFace).Idents(ColorToIdent, IdentToColor);
    P.Add("EditingText", &C::GetEditingText, &C::SetEditingText, clWindowText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Selected", &C::GetSelected, &C::SetSelected, clHighlight).Idents(ColorToIdent, IdentToColor);
    P.Add("SelectedText", &C::GetSelectedText, &C::SetSelectedText, clHighlightText)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("OnCfgChanged", &C::OnCfgChanged);
}
