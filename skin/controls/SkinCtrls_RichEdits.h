// The skinned rich edit: the system's rich-text editor without a border or bars of its own,
// scrolled through two skinned scroll bars beside it, which are disabled (never hidden) while
// nothing scrolls; with SkinSupport its font and colour come from the skin.
#pragma once

#include "skin/controls/SkinCtrls_Views.h"

#include "classlib/RichEdits.h"

DECLARE_UNIT(SkinCtrls_RichEdits)

class TskSkinRichEdit : public TCustomRichEdit, public TskViewSkin {
    DECLARE_CLASS(TskSkinRichEdit, TCustomRichEdit)
public:
    explicit TskSkinRichEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    bool GetSkinSupport() const { return FSkinSupport; }
    void SetSkinSupport(bool Value) { FSkinSupport = Value; }

    // The bars take the editor's range, position and page, or are disabled while nothing
    // scrolls (the editor's own range then goes back to 0..0).
    void UpDateScrollBars() override;
    // Font and colour (with SkinSupport), the bars, and their parent's layout.
    void ChangeSkinData() override;
    void Loaded() override;

protected:
    TWinControl* View() override { return this; }
    bool TakesSkinLook() const override { return FSkinSupport; }
    // The bars are never hidden.
    void PrepareBar(TskSkinScrollBar*) override {}
    bool StepsByLines() const override { return true; }
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;
    void OnVScrollBarUpButtonClick(TObject* Sender) override;
    void OnVScrollBarDownButtonClick(TObject* Sender) override;

    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Unlink() override;

    void WMNCCalcSize(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinRichEdit, TCustomRichEdit)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    END_MESSAGE_HANDLERS

private:
    // One bar against the editor's own bar Kind (SB_VERT or SB_HORZ), Visible pixels seen.
    void UpDateBar(TskSkinScrollBar* Bar, int Kind, int Visible, bool HasText);
    // The page and position, in parts of the vertical range Range, of Visible pixels of a
    // document taller than the range.
    void ScaledPage(int Range, int Visible, int& Page, int& Pos);
    // Scrolls back the part of a line that the editor's top edge cuts.
    void ShowTopLineWhole();

    bool FSkinSupport = false;
};
