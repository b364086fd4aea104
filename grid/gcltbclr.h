// TGclTableColors: the colours of table cells in special states.
#pragma once

#include "classlib/Graphics.h"
#include "classlib/Persistence.h"

class TGclTableColors : public TPersistent {
    DECLARE_CLASS(TGclTableColors, TPersistent)
public:
    enum TSlot {
        cLocked,
        cLockedText,
        cActiveFocused,
        cActiveFocusedText,
        cActiveUnfocused,
        cActiveUnfocusedText,
        cEditing,
        cEditingText,
        cSelected,
        cSelectedText,
        cSlotCount
    };

    TColor Get(TSlot Slot) const { return FColors[Slot]; }
    void Set(TSlot Slot, TColor Value);

    TColor GetLocked() const { return FColors[cLocked]; }
    void SetLocked(TColor V) { Set(cLocked, V); }
    TColor GetLockedText() const { return FColors[cLockedText]; }
    void SetLockedText(TColor V) { Set(cLockedText, V); }
    TColor GetActiveFocused() const { return FColors[cActiveFocused]; }
    void SetActiveFocused(TColor V) { Set(cActiveFocused, V); }
    TColor GetActiveFocusedText() const { return FColors[cActiveFocusedText]; }
    void SetActiveFocusedText(TColor V) { Set(cActiveFocusedText, V); }
    TColor GetActiveUnfocused() const { return FColors[cActiveUnfocused]; }
    void SetActiveUnfocused(TColor V) { Set(cActiveUnfocused, V); }
    TColor GetActiveUnfocusedText() const { return FColors[cActiveUnfocusedText]; }
    void SetActiveUnfocusedText(TColor V) { Set(cActiveUnfocusedText, V); }
    TColor GetEditing() const { return FColors[cEditing]; }
    void SetEditing(TColor V) { Set(cEditing, V); }
    TColor GetEditingText() const { return FColors[cEditingText]; }
    void SetEditingText(TColor V) { Set(cEditingText, V); }
    TColor GetSelected() const { return FColors[cSelected]; }
    void SetSelected(TColor V) { Set(cSelected, V); }
    TColor GetSelectedText() const { return FColors[cSelectedText]; }
    void SetSelectedText(TColor V) { Set(cSelectedText, V); }

    // Copies every colour of another colour set, then reports one change.
    void Assign(TPersistent* Source) override;
    void DoCfgChanged();

    TNotifyEvent OnCfgChanged;
    static void Published(TPropertyList& P);

private:
    TColor FColors[cSlotCount] = {clBtnFace, clWindowText, clHighlight, clHighlightText, clHighlight,
                                  clHighlightText, clBtnFace, clWindowText, clHighlight,
                                  clHighlightText};
};
