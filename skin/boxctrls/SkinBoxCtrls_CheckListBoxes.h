// The skinned check list box: the skinned list box with a check state on every item and a
// check image before each item's text, drawn from the skin's "checklistbox" record or as a
// plain box. Each item keeps its state (and the application's data) in a wrapper held as
// the native list's item data; the states outlive a new window.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"

#include "classlib/Buttons.h"

#include <memory>
#include <unordered_set>
#include <vector>

DECLARE_UNIT(SkinBoxCtrls_CheckListBoxes)

class TskSkinCheckListBox;

// What an item holds besides its text: the application's data and the check state. It is
// made at the first write of either; an item without one is unchecked with nil data.
class TskCheckListBoxDataWrapper : public TObject {
public:
    TObject* Data = nullptr;
    TCheckBoxState State = cbUnchecked;
};

// The inner list. Without a container it is a plain owner-drawn list whose items toggle by
// a click in their first 20 pixels or by Space.
class TskCheckListBox : public TskListBox {
    DECLARE_CLASS(TskCheckListBox, TskListBox)
public:
    explicit TskCheckListBox(TComponent* AOwner);
    ~TskCheckListBox() override;

    // The container that owns the list; set right after creation.
    TskSkinCheckListBox* SkinCheckListBox = nullptr;
    // A state changed by a click, Space or ToggleClickCheck (a grayed item stays grayed).
    TNotifyEvent OnClickCheck;

    // An index outside the items raises EListError "List index out of bounds (%d)".
    bool GetChecked(int Index);
    void SetChecked(int Index, bool Value);
    TCheckBoxState GetState(int Index);
    void SetState(int Index, TCheckBoxState Value);
    // Unchecked and checked swap, grayed stays; then OnClickCheck. Outside the items nothing.
    void ToggleClickCheck(int Index);
    // Item Index repainted at once.
    void InvalidateCheck(int Index);
    // The wrappers alive: items given a state or data and not yet deleted.
    std::size_t GetWrapperCount() const { return FWrappers.size(); }

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    TObject* GetItemData(int Index) override;
    void SetItemData(int Index, TObject* AData) override;
    void DeleteString(int Index) override;
    void ResetContent() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(char& Key) override;

    void WMDestroy(TMessage& Message);

    MESSAGE_HANDLERS(TskCheckListBox, TskListBox)
    MESSAGE_HANDLER(WM_DESTROY, WMDestroy)
    END_MESSAGE_HANDLERS

private:
    // The item's wrapper, null when it has none.
    TskCheckListBoxDataWrapper* ExtractWrapper(int Index);
    // The item's wrapper, made when it has none.
    TskCheckListBoxDataWrapper* GetWrapper(int Index);
    void FreeWrappers();
    // Whether a press at (X, Y) on item Index lies on its check box.
    bool HitsCheck(int Index, int X, int Y);

    // Owned; the native item data points into it, so that any other value reads as none.
    std::unordered_set<TskCheckListBoxDataWrapper*> FWrappers;
    // The states while the window is made again, in the order the items come back.
    std::unique_ptr<std::vector<TCheckBoxState>> SavedStates;
    std::size_t FNextSaved = 0;
};

class TskSkinCheckListBox : public TskSkinCustomListBox {
    DECLARE_CLASS(TskSkinCheckListBox, TskSkinCustomListBox)
public:
    explicit TskSkinCheckListBox(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // A state changed by a click, Space or the caption's check button.
    TNotifyEvent OnClickCheck;

    TskCheckListBox* GetCheckListBox() const;
    bool GetChecked(int Index) const;
    void SetChecked(int Index, bool Value);
    TCheckBoxState GetState(int Index) const;
    void SetState(int Index, TCheckBoxState Value);

    void GetSkinData() override;
    void ChangeSkinData() override;

    // The check box of an item W wide, in the item's coordinates: the skin's place for it,
    // or the plain box's first 20 pixels.
    TRect ItemCheckBox(int W, int H) const;

protected:
    void DrawSkinItemContent(TCanvas* Canvas, int Index, int W, int H, const TRect& TR,
                             TOwnerDrawState State) override;
    int DefaultItemIndent() const override;
    void DrawDefaultItemContent(TCanvas* Canvas, int Index, int W, int H, const TRect& TR,
                                TOwnerDrawState State) override;
    // Skinned items need the record's check pictures too.
    bool SkinnedItems() const override;
    void CheckButtonAction() override;

private:
    void InnerClickCheck(TObject* Sender);
    // The check picture in State, centred in the item's check rectangle.
    void DrawSkinCheck(TCanvas* Canvas, int W, TCheckBoxState State);

    bool FCheckRecord = false;
    TRect UnCheckImageRect, CheckImageRect, ItemCheckRect;
    // The check and uncheck pictures cut from the skin's picture for drawing, made at the
    // first item drawn after a skin change.
    std::unique_ptr<TskTransparentPicture> FCheckPicture, FUnCheckPicture;
};
