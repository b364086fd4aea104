// List and combo boxes: the system LISTBOX and COMBOBOX classes.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(ListBoxes)

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent =
    TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

class TItemsWindow;
struct TItemMessages;

// What list and combo boxes share: the items, kept in the control while there is no
// window; the selected item; sorting.
class TCustomListControl : public TWinControl {
    DECLARE_CLASS(TCustomListControl, TWinControl)
public:
    ~TCustomListControl() override;

    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    // -1 when no item is selected.
    int GetItemIndex();
    // An index outside the items selects none.
    virtual void SetItemIndex(int Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);

protected:
    friend class TItemsWindow;
    // Messages are those of the system's list window class.
    TCustomListControl(TComponent* AOwner, const TItemMessages& Messages);
    // The window's own item data, by which the items' objects are read and written (also when
    // a new window takes the kept items): a descendant may keep an object of its own there and
    // hand the application's out. An index the window rejects raises EStringListError.
    virtual TObject* GetItemData(int Index);
    virtual void SetItemData(int Index, TObject* AData);
    // Removes one item, or all of them, from the window.
    virtual void DeleteString(int Index);
    virtual void ResetContent();
    // The new window takes the kept items and the selection.
    void CreateWnd() override;
    void DestroyWnd() override;

    // The selection while there is no window.
    int FItemIndex = -1;

private:
    std::unique_ptr<TItemsWindow> FItems;
    bool FSorted = false;
};

// The tallest item a list box draws: the system keeps an item's height in a byte.
constexpr int MaxListItemHeight = 255;

class TCustomListBox : public TCustomListControl {
    DECLARE_CLASS(TCustomListBox, TCustomListControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    static void Published(TPropertyList& P);

    // Draws item Index on Canvas within Rect (lbOwnerDrawFixed); without it the item's
    // text is drawn.
    TDrawItemEvent OnDrawItem;

    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // The height of every item (lbOwnerDrawFixed; the font decides for lbStandard).
    int GetItemHeight();
    void SetItemHeight(int Value);
    // The canvas OnDrawItem draws on.
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void Clear();

    // Several items may be selected; with ExtendedSelect by Shift and Ctrl.
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    // Items flow in columns of this many per width (0: one column scrolled vertically).
    int GetColumns() const { return FColumns; }
    void SetColumns(int Value);
    // The first visible item.
    int GetTopIndex();
    void SetTopIndex(int Value);
    // The item at Pos (client coordinates); with Existing -1 when no item lies there,
    // else the nearest one.
    int ItemAtPos(const TPoint& Pos, bool Existing);
    // Item Index's rectangle, empty for an index outside the items.
    TRect ItemRect(int Index);
    // The selected items of a multi-selection list; -1 for a single-selection one.
    int GetSelCount();
    bool GetSelected(int Index);
    void SetSelected(int Index, bool Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // In a multi-selection list: Value becomes the only selected item and the focused one.
    void SetItemIndex(int Value) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

    void CNCommand(TWMCommand& Message);
    void CNDrawItem(TWMDrawItem& Message);

    MESSAGE_HANDLERS(TCustomListBox, TCustomListControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    END_MESSAGE_HANDLERS

private:
    void ApplyColumnWidth();

    std::unique_ptr<TCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    int FColumns = 0;
};

class TListBox : public TCustomListBox {
    DECLARE_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// csDropDown: an edit field with a list; csDropDownList: the list only, the shown text
// being the selected item's.
enum TComboBoxStyle { csDropDown, csDropDownList };

class TCustomComboBox : public TCustomListControl {
    DECLARE_CLASS(TCustomComboBox, TCustomListControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    static void Published(TPropertyList& P);

    // Fired when the shown text changes: typed, chosen from the list or set by ItemIndex.
    TNotifyEvent OnChange;

    // When an item is selected, the shown text becomes its text, and OnChange fires when
    // that differs from the text shown before; selecting none leaves the text as it is.
    void SetItemIndex(int Value) override;
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // Lines the open list shows.
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool GetDroppedDown();
    void SetDroppedDown(bool Value);
    void Clear();

    // The window is made taller than the control to hold the open list.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Fires OnChange.
    virtual void Change();
    AnsiString RealGetText() override;

    void CNCommand(TWMCommand& Message);

    MESSAGE_HANDLERS(TCustomComboBox, TCustomListControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    END_MESSAGE_HANDLERS

private:
    int DropDownHeight();
    void FitWindow();

    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
};

class TComboBox : public TCustomComboBox {
    DECLARE_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
