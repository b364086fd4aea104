// Skinned radio and check groups: group boxes holding one flat radio or check box per line
// of their Items, arranged in columns. The groups make, place and free their boxes
// themselves and never store them in form resources.
#pragma once

#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_Panels.h"

#include "classlib/StringList.h"

#include <memory>
#include <vector>

DECLARE_UNIT(SkinCtrls_ButtonGroups)

class TskSkinCustomButtonGroup;

// A box that a group made: it leaves the group's list when it is deleted, asks the group
// before the user changes it, and passes keys on to it.
class TskOwnedGroupButton : public TskSkinCheckRadioBox {
    DECLARE_CLASS(TskOwnedGroupButton, TskSkinCheckRadioBox)
public:
    explicit TskOwnedGroupButton(TskSkinCustomButtonGroup* Group);
    ~TskOwnedGroupButton() override;

protected:
    // Deleted during one of its own calls, the box leaves the group at once: the group may
    // be waiting for its list to shrink, and may be gone when the destructor runs.
    void Unlink() override;
    bool CanModify() override;
    void KeyPress(char& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void CNCommand(TMessage& Message);

    MESSAGE_HANDLERS(TskOwnedGroupButton, TskSkinCheckRadioBox)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    END_MESSAGE_HANDLERS

protected:
    // Null once the box has left its group.
    TskSkinCustomButtonGroup* FGroup;

private:
    bool FInClick = false;
};

// A radio box of a radio group.
class TskGroupButton : public TskOwnedGroupButton {
    DECLARE_CLASS(TskGroupButton, TskOwnedGroupButton)
public:
    explicit TskGroupButton(TskSkinCustomButtonGroup* Group);
};

// A check box of a check group.
class TskCheckGroupButton : public TskOwnedGroupButton {
    DECLARE_CLASS(TskCheckGroupButton, TskOwnedGroupButton)
public:
    explicit TskCheckGroupButton(TskSkinCustomButtonGroup* Group);
};

// What the radio group and the check group share: the lines, the columns, the boxes'
// skin section, font and images, and the arrangement.
class TskSkinCustomButtonGroup : public TskSkinGroupBox {
    DECLARE_CLASS(TskSkinCustomButtonGroup, TskSkinGroupBox)
public:
    TskSkinCustomButtonGroup(TComponent* AOwner, const AnsiString& ButtonSection);
    ~TskSkinCustomButtonGroup() override;

    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int GetColumns() const { return FColumns; }
    // Kept within 1..16.
    void SetColumns(int Value);
    // The checked radio button, or the box clicked last; -1 for none.
    int GetItemIndex() const { return FItemIndex; }
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    const AnsiString& GetButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const AnsiString& Value);
    TFont* GetButtonDefaultFont() const { return FButtonDefaultFont.get(); }
    void SetButtonDefaultFont(TFont* Value) { FButtonDefaultFont->Assign(Value); }

    int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
    TskSkinCheckRadioBox* GetButton(int Index) const { return FButtons[static_cast<std::size_t>(Index)]; }
    // Whether the user may change the selection; the boxes ask it.
    virtual bool CanModify() { return true; }

    void SetSkinData(TskSkinData* Value) override;
    void ChangeSkinData() override;
    // The lines, read with the flag that keeps the boxes and clicks still, then the boxes.
    // A resource that stores a child object in the group is refused.
    void ReadState(TReader* Reader) override;
    // The boxes are the group's own: nothing is stored.
    void GetChildren(TGetChildProc, TComponent*) override {}
    // Places every box in one deferred batch of window positions, column by column.
    void ArrangeButtons();
    // A box's click: the box becomes ItemIndex and the group clicks.
    void ButtonClick(TObject* Sender);

protected:
    friend class TskOwnedGroupButton;

    virtual TskSkinCheckRadioBox* NewButton() = 0;
    // The boxes for the lines, their captions and places.
    void UpdateButtons();
    // The boxes and their captions are in place.
    virtual void ButtonsMade() {}
    void SetButtonCount(int Count);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Takes the new ItemIndex as it is; no box changes.
    void StoreItemIndex(int Value) { FItemIndex = Value; }
    // The group's own key handling, for its boxes.
    void GroupKeyPress(char& Key) { KeyPress(Key); }
    void GroupKeyDown(Word& Key, TShiftState Shift) { KeyDown(Key, Shift); }

    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void WMSize(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomButtonGroup, TskSkinGroupBox)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    END_MESSAGE_HANDLERS

protected:
    bool FReading = false;
    bool FUpdating = false;

private:
    void ItemsChange(TObject* Sender);
    void ButtonFontChange(TObject* Sender);

    std::vector<TskSkinCheckRadioBox*> FButtons;
    std::unique_ptr<TStringList> FItems;
    std::unique_ptr<TFont> FButtonDefaultFont;
    AnsiString FButtonSkinDataName;
    TCustomImageList* FImages = nullptr;
    int FColumns = 1;
    int FItemIndex = -1;
};

// Exactly one or no line selected: ItemIndex checks its radio box.
class TskSkinCustomRadioGroup : public TskSkinCustomButtonGroup {
    DECLARE_CLASS(TskSkinCustomRadioGroup, TskSkinCustomButtonGroup)
public:
    explicit TskSkinCustomRadioGroup(TComponent* AOwner);

    // Clamped to -1 .. the line count less one; the new button's click reaches OnClick.
    void SetItemIndex(int Value);

protected:
    TskSkinCheckRadioBox* NewButton() override;
    // Checks the button of ItemIndex without a click of the group.
    void ButtonsMade() override;
};

class TskSkinRadioGroup : public TskSkinCustomRadioGroup {
    DECLARE_CLASS(TskSkinRadioGroup, TskSkinCustomRadioGroup)
public:
    explicit TskSkinRadioGroup(TComponent* AOwner) : TskSkinCustomRadioGroup(AOwner) {}
    static void Published(TPropertyList& P);
};

// Any number of lines checked.
class TskSkinCustomCheckGroup : public TskSkinCustomButtonGroup {
    DECLARE_CLASS(TskSkinCustomCheckGroup, TskSkinCustomButtonGroup)
public:
    explicit TskSkinCustomCheckGroup(TComponent* AOwner);

    using TskSkinCustomButtonGroup::GetChecked;
    using TskSkinCustomButtonGroup::SetChecked;
    // The box of line Index: false / ignored out of range. Setting fires nothing of the group.
    bool GetChecked(int Index) const;
    void SetChecked(int Index, bool Value);

protected:
    TskSkinCheckRadioBox* NewButton() override;
};

class TskSkinCheckGroup : public TskSkinCustomCheckGroup {
    DECLARE_CLASS(TskSkinCheckGroup, TskSkinCustomCheckGroup)
public:
    explicit TskSkinCheckGroup(TComponent* AOwner) : TskSkinCustomCheckGroup(AOwner) {}
    static void Published(TPropertyList& P);
};
