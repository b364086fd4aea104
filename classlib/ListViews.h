// List views: the system's list view control (classic common controls) in its four view
// styles, with report columns. The items live in the window.
#pragma once

#include "classlib/ImageLists.h"
#include "classlib/TreeViews.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <functional>
#include <vector>

DECLARE_UNIT(ListViews)

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// What changed in an item: its text, its image or its state (selection, focus).
enum TItemChange { ctText, ctImage, ctState };

struct TListColumn {
    AnsiString Caption;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
};

// Items are addressed by their index in the current order; each carries a data value
// of its owner's choosing, which sorting compares.
class TCustomListView : public TWinControl {
    DECLARE_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // Item is -1 when the change concerns the whole list.
    TEvent<void(TObject* Sender, int Item, TItemChange Change)> OnChange;
    TEvent<void(TObject* Sender, int Column)> OnColumnClick;

    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool GetShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    // Columns may be dragged into another order.
    bool GetFullDrag() const { return FFullDrag; }
    void SetFullDrag(bool Value);
    // Selected items stay marked while another control has the focus.
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool GetGridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    TCustomImageList* GetSmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* GetLargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);

    const std::vector<TListColumn>& GetColumns() const { return FColumns; }
    void AddColumn(const TListColumn& Column);
    // Replaces column Index's caption, width and alignment.
    void SetColumn(int Index, const TListColumn& Column);
    // A new last item; its index.
    int AddItem(const AnsiString& Caption, LPARAM Data = 0, int ImageIndex = -1);
    int GetItemCount();
    void ClearItems();
    AnsiString GetItemCaption(int Item);
    LPARAM GetItemData(int Item);
    // Sub-item 0 is the text of the second column. The control keeps sub-item texts
    // only for columns it has; the others come from SubItemText.
    AnsiString GetSubItem(int Item, int SubItem);
    void SetSubItem(int Item, int SubItem, const AnsiString& Text);
    // The first selected item, -1 when none is.
    int GetSelectedIndex();
    int GetSelCount();
    bool IsItemSelected(int Item);
    // Selects and focuses Item only.
    void SelectItem(int Item);
    // Orders the items by Compare on their data values; equal ones keep their order.
    void SortItems(const std::function<int(LPARAM, LPARAM)>& Compare);
    // Painting waits while the list is rebuilt.
    void BeginUpdate();
    void EndUpdate();
    // Scrolls the view by DX, DY (pixels; rows in the report and list styles, as the
    // system takes them).
    void Scroll(int DX, int DY);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Change(int Item, TItemChange Kind);
    virtual void ColumnClick(int Column);
    // The text of a sub-item the control does not keep, for the item with data Data.
    virtual AnsiString SubItemText(LPARAM Data, int SubItem);

    // Item changes are not reported while set.
    bool FChangesQuiet = false;

    // Clicks come from the control's own notifications: it follows the mouse itself.
    void CNNotify(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    MESSAGE_HANDLERS(TCustomListView, TWinControl)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    END_MESSAGE_HANDLERS

private:
    // The system draws the view in its own colours unless given Color and the font's.
    void ApplyColors();
    void InsertColumn(int Index);
    void ColumnInfo(int Index, LVCOLUMNA& Info);
    void ApplyImages(int Which, TCustomImageList* Images);
    void ApplyExtendedStyle();
    // Replaces the window's style bits under Mask with Bits and repaints the whole control:
    // the system control does not redraw after a style change.
    void ChangeStyleBits(DWORD Mask, DWORD Bits);
    void GiveSubItemText(NMHDR* Header);

    TViewStyle FViewStyle = vsIcon;
    bool FShowColumnHeaders = true;
    bool FFullDrag = false;
    bool FHideSelection = true;
    bool FGridLines = false;
    int FUpdateCount = 0;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    std::vector<TListColumn> FColumns;
};

class TListView : public TCustomListView {
    DECLARE_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
