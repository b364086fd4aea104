// Tab controls: the system's tab control (SysTabControl32) as a strip of tabs over a page
// area. TTabControl holds a list of tab texts and leaves the page area to its children;
// TPageControl holds tab sheets, one per tab, and shows the sheet of the selected tab.
//
// The tabs live in the window; the controls keep their texts and images and put them
// back whenever the window is made again. A tab index counts the tabs the strip shows;
// a page control's hidden sheets (TabVisible off) have no tab, so a sheet's tab index and
// its page index may differ.
#pragma once

#include "classlib/ImageLists.h"
#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>
#include <vector>

DECLARE_UNIT(Tabs)

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
// A handler that sets AllowChange to false keeps the selected tab.
using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

struct TTabItem {
    AnsiString Caption;
    int ImageIndex = -1;
};

class TCustomTabControl : public TWinControl {
    DECLARE_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;
    static void Published(TPropertyList& P);

    // Fired when the user selects another tab, after the selection changed.
    TNotifyEvent OnChange;
    // Fired before the user's selection changes; it may keep the old one.
    TTabChangingEvent OnChanging;

    TTabPosition GetTabPosition() const { return FTabPosition; }
    // Tabs at the left or right always wrap into rows (MultiLine), as the system
    // control draws side tabs only so.
    void SetTabPosition(TTabPosition Value);
    TTabStyle GetStyle() const { return FStyle; }
    void SetStyle(TTabStyle Value);
    bool GetMultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    // 0: as the font needs.
    int GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    // 0: as each tab's text needs.
    int GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The selected tab; -1 when none is.
    int GetTabIndex();
    // Selects a tab without firing OnChanging or OnChange; an index naming no tab selects
    // none.
    void SetTabIndex(int Value);
    int GetTabCount() const { return static_cast<int>(FItems.size()); }
    // Tab Index's text and image; Index must name a tab.
    const TTabItem& GetTabItem(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    // The area inside the tab strip and frame (client coordinates), as the control's own
    // TCM_ADJUSTRECT answers it.
    TRect GetDisplayRect();
    // Tab Index's rectangle (client coordinates), as the control's own TCM_GETITEMRECT
    // answers it; empty when there is no such tab.
    TRect GetTabRect(int Index);
    // The tab under a point of the client area; -1 when none.
    int IndexOfTabAt(int X, int Y);

    void AdjustClientRect(TRect& Rect) override;

protected:
    // The user changed the selection.
    virtual void Change();
    // The user is about to change the selection; false keeps it.
    virtual bool CanChange();
    // Puts Items into the window as its tabs and selects Selected.
    void SetTabItems(const std::vector<TTabItem>& Items, int Selected);
    // The tabs were laid out anew: other tabs, or a new window.
    virtual void TabItemsChanged() {}

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CNNotify(TMessage& Message);

    MESSAGE_HANDLERS(TCustomTabControl, TWinControl)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    END_MESSAGE_HANDLERS

private:
    void ApplyItemSize();
    void InsertItems();

    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FMultiLine = false;
    int FTabHeight = 0;
    int FTabWidth = 0;
    TCustomImageList* FImages = nullptr;
    std::vector<TTabItem> FItems;
    // The selection while there is no window.
    int FTabIndex = -1;
};

class TTabControl : public TCustomTabControl {
    DECLARE_CLASS(TTabControl, TCustomTabControl)
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;
    static void Published(TPropertyList& P);

    // The tabs' texts; a change shows at once.
    TStrings* GetTabs() const;
    void SetTabs(TStrings* Value);

private:
    void TabsChanged(TObject* Sender);

    std::unique_ptr<TStringList> FTabs;
};

class TPageControl;

// A page of a page control: a container that fills the page area while its tab is
// selected and hides otherwise.
class TTabSheet : public TWinControl {
    DECLARE_CLASS(TTabSheet, TWinControl)
    friend class TPageControl;

public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    static void Published(TPropertyList& P);

    TPageControl* GetPageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // The sheet's place among its page control's pages; -1 outside one.
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // The sheet's position among the tabs the strip shows; -1 when it shows none.
    int GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    // A sheet placed on a page control becomes one of its pages, and leaves them when
    // it is placed elsewhere.
    void SetParent(TWinControl* AParent) override;
    // A sheet read from a form resource must lie in a page control.
    void ReadState(TReader* Reader) override;

protected:
    void Unlink() override;
    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TTabSheet, TWinControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    void LeavePageControl();

    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
    DECLARE_CLASS(TPageControl, TCustomTabControl)
    friend class TTabSheet;

public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    static void Published(TPropertyList& P);

    int GetPageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* GetPage(int Index) const;
    TTabSheet* GetActivePage() const { return FActivePage; }
    // Shows Page and selects its tab; a sheet of another page control is refused.
    void SetActivePage(TTabSheet* Page);
    // The page whose tab is Index among the tabs shown; null when none.
    TTabSheet* PageOfTab(int TabIndex) const;
    // Index's tab among the tabs shown; -1 when the page shows none.
    int TabOfPage(int PageIndex) const;

    // Pages in page order, then the other children.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void Loaded() override;

protected:
    // Shows the page of the tab the user selected, then fires OnChange.
    void Change() override;

private:
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int Index);
    // The tabs again from the pages, the active page's selected.
    void UpdateTabs();
    // The first page after From (or before, searching backwards) that shows a tab, with
    // wrapping; null when none other does.
    TTabSheet* FindNextPage(TTabSheet* From, bool GoForward) const;
    void ShowPage(TTabSheet* Page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
