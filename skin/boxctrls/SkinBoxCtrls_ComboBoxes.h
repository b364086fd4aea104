// The skinned combo box: a face with the selected item and a drop-down button, drawn
// from the skin's "combobox" record (or plainly without one), and its list, a skinned
// list box in a popup tool window that never takes the activation or the focus. In the
// edit style a transparent edit covers the item area.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"
#include "skin/controls/SkinCtrls_Base.h"

DECLARE_UNIT(SkinBoxCtrls_ComboBoxes)

class TskSkinCustomComboBox;

// The drop-down list: a popup tool window at a screen point.
class TskPopupListBox : public TskSkinListBox {
    DECLARE_CLASS(TskPopupListBox, TskSkinListBox)
public:
    explicit TskPopupListBox(TComponent* AOwner);

    // Shows the list with its top-left corner at the screen point Origin.
    void Show(const TPoint& Origin);
    void Hide();
    // Whether the window is layered now, and the alpha last given to it.
    bool GetLayered() const { return FLayered; }
    Byte GetAppliedAlpha() const { return FAlpha; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message);

    MESSAGE_HANDLERS(TskPopupListBox, TskSkinListBox)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    END_MESSAGE_HANDLERS

private:
    TskSkinCustomComboBox* Combo();
    void ApplyAlpha(Byte Value);

    bool FLayered = false;
    Byte FAlpha = 0;
};

enum TskSkinCustomComboBoxStyle { skcbEditStyle, skcbFixedStyle };

class TskSkinCustomComboBox : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinCustomComboBox, TskSkinCustomControl)
public:
    explicit TskSkinCustomComboBox(TComponent* AOwner);
    ~TskSkinCustomComboBox() override;
    static void Published(TPropertyList& P);

    // The shown text changed, by a choice, a key, the wheel or typing.
    TNotifyEvent OnChange;
    // OnClick (TControl's) fires for every choice and every run-time ItemIndex.
    TNotifyEvent OnCloseUp;
    // Draws the selected item on the face instead.
    TskDrawSkinItemEvent OnComboBoxDrawItem;

    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    int GetItemIndex() const;
    // Selects Value, shows its text, and outside loading fires OnClick and Change.
    void SetItemIndex(int Value);
    int GetDropDownCount() const { return FDropDownCount; }
    // Values of 0 or less are ignored.
    void SetDropDownCount(int Value);
    bool GetSorted() const;
    void SetSorted(bool Value);
    TskSkinCustomComboBoxStyle GetStyle() const { return FStyle; }
    // No tab stop while the edit exists; a form being read keeps the tab stop it gives.
    void SetStyle(TskSkinCustomComboBoxStyle Value);

    bool GetListBoxAlphaBlend() const { return FListBoxAlphaBlend; }
    void SetListBoxAlphaBlend(bool Value) { FListBoxAlphaBlend = Value; }
    Byte GetListBoxAlphaBlendValue() const { return FListBoxAlphaBlendValue; }
    void SetListBoxAlphaBlendValue(Byte Value) { FListBoxAlphaBlendValue = Value; }
    bool GetListBoxAlphaBlendAnimation() const { return FListBoxAlphaBlendAnimation; }
    void SetListBoxAlphaBlendAnimation(bool Value) { FListBoxAlphaBlendAnimation = Value; }

    // Handed to the list box.
    bool GetHorizontalExtent() const;
    void SetHorizontalExtent(bool Value);
    TCustomImageList* GetImages() const;
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const;
    void SetImageIndex(int Value);
    AnsiString GetListBoxCaption() const;
    void SetListBoxCaption(const AnsiString& Value);
    bool GetListBoxCaptionMode() const;
    void SetListBoxCaptionMode(bool Value);
    TFont* GetListBoxDefaultFont() const;
    void SetListBoxDefaultFont(TFont* Value);
    TFont* GetListBoxDefaultCaptionFont() const;
    void SetListBoxDefaultCaptionFont(TFont* Value);
    int GetListBoxDefaultItemHeight() const;
    void SetListBoxDefaultItemHeight(int Value);
    TAlignment GetListBoxCaptionAlignment() const;
    void SetListBoxCaptionAlignment(TAlignment Value);
    TskDrawSkinItemEvent GetOnListBoxDrawItem() const;
    void SetOnListBoxDrawItem(TskDrawSkinItemEvent Value);

    void DropDown();
    // Closes an open list; AcceptValue takes the highlighted row.
    void CloseUp(bool AcceptValue);
    bool IsPopupVisible() const;
    // The list is open and the pointer is not over the combo box.
    bool CanCancelDropDown();

    // Moves of the fixed style: with AChange through SetItemIndex, else the list's row only.
    void EditUp1(bool AChange);
    void EditDown1(bool AChange);
    void EditPageUp1(bool AChange);
    void EditPageDown1(bool AChange);
    // Moves of the edit style: with AChange the text follows and OnClick fires.
    void EditUp(bool AChange);
    void EditDown(bool AChange);

    TskPopupListBox* GetListBox() const { return FListBox; }
    TskCustomEdit* GetEdit() const { return FEdit; }
    const TRect& GetButtonRect() const { return FButtonRect; }
    const TRect& GetItemRect() const { return FItemRect; }
    // Where the skinned face draws the shown item's text, in the item's own coordinates
    // (the item lies at GetItemRect).
    TRect ShownTextRect() const;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Invalidate() override;

protected:
    // After an accepted choice and after a text change typed in the edit.
    virtual void Change() {}
    // The list closed with a choice accepted (valid or not): fires OnCloseUp.
    virtual void CloseUpAccepted();

    // OnChange is held back while a descendant rebuilds its items.
    bool HoldOnChange = false;

    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void WMSize(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomComboBox, TskSkinCustomControl)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_WANTSPECIALKEY, CMWantSpecialKey)
    MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    void CalcRects();
    void Repaint2();
    // The row the face shows: the saved one while the list is open.
    int ShownIndex() const;
    void DrawButton(TCanvas* C);
    void DrawDefaultButton(TCanvas* C);
    void DrawSkinItem(TCanvas* C);
    void DrawDefaultItem(TCanvas* C);
    // Image and text of the shown item on C within TR, or OnComboBoxDrawItem.
    void DrawItemContent(TCanvas* C, int Index, int W, int H, TRect TR, bool Focused);
    void MoveTo(int Index, bool AChange);
    // The edit's font (PlainFont without a record) and transparency (with one).
    void ApplyEditLook(TFont* PlainFont);
    void CloseOnCancel(TControl* Sender);

    void ListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ListMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ListCheckButtonClick(TObject* Sender);
    void ListWindowProc(TMessage& Message);
    void EditWindowProc(TMessage& Message);
    void EditChange(TObject* Sender);
    void EditCancelMode(TObject* Sender, TControl* Control);

    TskPopupListBox* FListBox = nullptr;
    TskCustomEdit* FEdit = nullptr;
    TWndMethod FOldListProc;
    TWndMethod FOldEditProc;
    int FDropDownCount = 8;
    TskSkinCustomComboBoxStyle FStyle = skcbFixedStyle;
    bool FListBoxAlphaBlend = false;
    Byte FListBoxAlphaBlendValue = 200;
    bool FListBoxAlphaBlendAnimation = false;

    int FSaveItemIndex = -1;
    TRect FItemRect;
    TRect FButtonRect;
    bool FMouseIn = false;
    bool FButtonActive = false;
    bool FButtonDown = false;
    bool FLBDown = false;
    bool FFromEdit = false;

    // The "combobox" record's fields.
    TRect SItemRect, FocusItemRect, ItemTextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    AnsiString FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0, FocusFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    AnsiString ListBoxName;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
    DECLARE_CLASS(TskSkinComboBox, TskSkinCustomComboBox)
public:
    explicit TskSkinComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {}
};
