#include "classlib/Tabs.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/List.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace {

void InitTabControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        return DelayLoaded<decltype(InitCommonControlsEx)>("comctl32.dll",
                                                           "InitCommonControlsEx")(&init) != FALSE;
    }();
    (void)done;
}

bool IsSide(TTabPosition Position) {
    return Position == tpLeft || Position == tpRight;
}

} // namespace

// ---------------------------------------------------------------------------
// TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle style = GetControlStyle();
    style.Include(csAcceptsControls);
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
    SetBounds(GetLeft(), GetTop(), 289, 193);
    SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl() = default;

void TCustomTabControl::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("TabPosition", &TCustomTabControl::GetTabPosition, &TCustomTabControl::SetTabPosition,
          tpTop);
    P.Add("Style", &TCustomTabControl::GetStyle, &TCustomTabControl::SetStyle, tsTabs);
    P.Add("MultiLine", &TCustomTabControl::GetMultiLine, &TCustomTabControl::SetMultiLine, false);
    P.Add("TabHeight", &TCustomTabControl::GetTabHeight, &TCustomTabControl::SetTabHeight, 0)
        .Range(0, 32767);
    P.Add("TabWidth", &TCustomTabControl::GetTabWidth, &TCustomTabControl::SetTabWidth, 0)
        .Range(0, 32767);
    P.Add("Images", &TCustomTabControl::GetImages, &TCustomTabControl::SetImages);
    P.Add("OnChange", &TCustomTabControl::OnChange);
    P.Add("OnChanging", &TCustomTabControl::OnChanging);
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
    InitTabControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLA);
    Params.Style |= WS_CLIPCHILDREN;
    if (FMultiLine) Params.Style |= TCS_MULTILINE;
    switch (FTabPosition) {
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    case tpTop: break;
    }
    if (FStyle == tsButtons) Params.Style |= TCS_BUTTONS;
    if (FStyle == tsFlatButtons) Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (FTabWidth > 0) Params.Style |= TCS_FIXEDWIDTH;
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    if (FImages)
        SendMessageA(GetHandle(), TCM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(FImages->GetHandle()));
    ApplyItemSize();
    InsertItems();
    SendMessageA(GetHandle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
    // The page area is known only now that the tabs are laid out.
    Realign();
    TabItemsChanged();
}

void TCustomTabControl::DestroyWnd() {
    FTabIndex = GetTabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::InsertItems() {
    for (int i = 0; i < GetTabCount(); ++i) {
        const TTabItem& item = FItems[static_cast<std::size_t>(i)];
        TCITEMA tab{};
        tab.mask = TCIF_TEXT | TCIF_IMAGE;
        tab.pszText = const_cast<char*>(item.Caption.c_str());
        tab.iImage = item.ImageIndex;
        SendMessageA(GetHandle(), TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tab));
    }
}

void TCustomTabControl::ApplyItemSize() {
    if (!HandleAllocated()) return;
    SendMessageA(GetHandle(), TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
}

void TCustomTabControl::SetTabItems(const std::vector<TTabItem>& Items, int Selected) {
    FItems = Items;
    FTabIndex = Selected >= 0 && Selected < GetTabCount() ? Selected : -1;
    if (HandleAllocated()) {
        SendMessageA(GetHandle(), TCM_DELETEALLITEMS, 0, 0);
        InsertItems();
        SendMessageA(GetHandle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
        // More or fewer rows of tabs move the page area.
        Realign();
        Invalidate();
        TabItemsChanged();
    }
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
    if (Value == FTabPosition) return;
    FTabPosition = Value;
    if (IsSide(Value)) FMultiLine = true;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool Value) {
    if (!Value && IsSide(FTabPosition)) Value = true;
    if (Value == FMultiLine) return;
    FMultiLine = Value;
    RecreateWnd();
}

void TCustomTabControl::SetTabHeight(int Value) {
    Value = std::clamp(Value, 0, 32767);
    if (Value == FTabHeight) return;
    FTabHeight = Value;
    ApplyItemSize();
    Realign();
}

void TCustomTabControl::SetTabWidth(int Value) {
    Value = std::clamp(Value, 0, 32767);
    if (Value == FTabWidth) return;
    const bool fixedChanges = (Value > 0) != (FTabWidth > 0);
    FTabWidth = Value;
    if (fixedChanges) {
        RecreateWnd();
        return;
    }
    ApplyItemSize();
    Realign();
}

void TCustomTabControl::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    SetReference(this, FImages, Value);
    if (HandleAllocated()) {
        SendMessageA(GetHandle(), TCM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
        Realign();
    }
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

int TCustomTabControl::GetTabIndex() {
    if (!HandleAllocated()) return FTabIndex;
    return static_cast<int>(SendMessageA(GetHandle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int Value) {
    FTabIndex = Value >= 0 && Value < GetTabCount() ? Value : -1;
    if (HandleAllocated())
        SendMessageA(GetHandle(), TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

TRect TCustomTabControl::GetDisplayRect() {
    TRect client = GetClientRect();
    RECT r{client.Left, client.Top, client.Right, client.Bottom};
    Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, r.right, r.bottom};
}

TRect TCustomTabControl::GetTabRect(int Index) {
    RECT r{0, 0, 0, 0};
    if (Index < 0 || Index >= GetTabCount() || !HandleAllocated()) return {};
    if (!Perform(TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) {
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO hit{{X, Y}, 0};
    return static_cast<int>(SendMessageA(GetHandle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
    // Without a window there are no tabs to measure; the window's first size aligns again.
    if (HandleAllocated()) Rect = GetDisplayRect();
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::CNNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? FALSE : TRUE; return;
    case TCN_SELCHANGE:
        Change();
        return;
    default: break;
    }
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TTabControl

TTabControl::TTabControl(TComponent* AOwner)
    : TCustomTabControl(AOwner), FTabs(std::make_unique<TStringList>()) {
    FTabs->OnChange = TNotifyEvent(this, &TTabControl::TabsChanged);
}

TTabControl::~TTabControl() {
    FTabs->OnChange = {};
}

void TTabControl::Published(TPropertyList& P) {
    P.Add("Tabs", &TTabControl::GetTabs, &TTabControl::SetTabs);
    P.Add("TabIndex", &TTabControl::GetTabIndex, &TTabControl::SetTabIndex, -1);
}

TStrings* TTabControl::GetTabs() const {
    return FTabs.get();
}

void TTabControl::SetTabs(TStrings* Value) {
    FTabs->Assign(Value);
}

void TTabControl::TabsChanged(TObject*) {
    std::vector<TTabItem> items;
    for (int i = 0; i < FTabs->GetCount(); ++i) items.push_back({FTabs->Get(i), i});
    SetTabItems(items, GetTabIndex());
}

// ---------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle style = GetControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    LeavePageControl();
}

void TTabSheet::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    // A sheet is made filling its page control, which a form then leaves out.
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alClient);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex, -1);
    // Pages are written in page order.
    P.Add("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex).Stored(false);
    P.Add("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible, true);
}

void TTabSheet::Unlink() {
    LeavePageControl();
    TWinControl::Unlink();
}

void TTabSheet::LeavePageControl() {
    if (TPageControl* pages = FPageControl) pages->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent) {
    if (AParent == GetParent()) return;
    auto* pages = dynamic_cast<TPageControl*>(AParent);
    LeavePageControl();
    TWinControl::SetParent(AParent);
    if (pages) pages->InsertPage(this);
}

void TTabSheet::ReadState(TReader* Reader) {
    if (!FPageControl) throw EReadError("A tab sheet lies only in a page control");
    TWinControl::ReadState(Reader);
}

int TTabSheet::GetPageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
    if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::GetTabIndex() const {
    return FPageControl ? FPageControl->TabOfPage(GetPageIndex()) : -1;
}

void TTabSheet::SetTabVisible(bool Value) {
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    if (!FPageControl) return;
    TPageControl* pages = FPageControl;
    if (!Value && pages->FActivePage == this) {
        TTabSheet* next = pages->FindNextPage(this, true);
        pages->ShowPage(next);
    }
    pages->UpdateTabs();
    if (Value && !pages->FActivePage) pages->SetActivePage(this);
}

void TTabSheet::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
    if (FPageControl) FPageControl->UpdateTabs();
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
    // The sheets go with the control's children; they no longer call back.
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::Published(TPropertyList& P) {
    P.Add("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
}

TTabSheet* TPageControl::GetPage(int Index) const {
    if (Index < 0 || Index >= GetPageCount()) ListIndexError(Index);
    return FPages[static_cast<std::size_t>(Index)];
}

TTabSheet* TPageControl::PageOfTab(int TabIndex) const {
    if (TabIndex < 0) return nullptr;
    for (TTabSheet* page : FPages)
        if (page->FTabVisible && TabIndex-- == 0) return page;
    return nullptr;
}

int TPageControl::TabOfPage(int PageIndex) const {
    if (PageIndex < 0 || PageIndex >= GetPageCount()) return -1;
    if (!FPages[static_cast<std::size_t>(PageIndex)]->FTabVisible) return -1;
    int tab = 0;
    for (int i = 0; i < PageIndex; ++i)
        if (FPages[static_cast<std::size_t>(i)]->FTabVisible) ++tab;
    return tab;
}

void TPageControl::SetActivePage(TTabSheet* Page) {
    if (Page && Page->FPageControl != this) return;
    ShowPage(Page);
    SetTabIndex(Page ? Page->GetTabIndex() : -1);
}

void TPageControl::ShowPage(TTabSheet* Page) {
    FActivePage = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    // Hidden after the new page shows, so that nothing behind them flashes. Every other
    // page is hidden: a form resource may have left more than one visible.
    for (std::size_t i = 0; i < FPages.size(); ++i)
        if (FPages[i] != Page) FPages[i]->SetVisible(false);
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    ShowPage(FActivePage);
}

void TPageControl::Change() {
    ShowPage(PageOfTab(GetTabIndex()));
    TCustomTabControl::Change();
}

void TPageControl::InsertPage(TTabSheet* Page) {
    FPages.push_back(Page);
    Page->FPageControl = this;
    UpdateTabs();
    if (!FActivePage && Page->FTabVisible) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
    const auto at = std::find(FPages.begin(), FPages.end(), Page);
    if (at == FPages.end()) return;
    TTabSheet* next = Page == FActivePage ? FindNextPage(Page, true) : FActivePage;
    FPages.erase(at);
    Page->FPageControl = nullptr;
    if (Page == FActivePage) FActivePage = nullptr;
    if (GetComponentState().Contains(csDestroying)) return;
    ShowPage(next);
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
    const auto at = std::find(FPages.begin(), FPages.end(), Page);
    if (at == FPages.end()) return;
    FPages.erase(at);
    Index = std::clamp(Index, 0, GetPageCount());
    FPages.insert(FPages.begin() + Index, Page);
    UpdateTabs();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* From, bool GoForward) const {
    const int count = GetPageCount();
    const auto at = std::find(FPages.begin(), FPages.end(), From);
    int i = at == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(at - FPages.begin());
    for (int step = 1; step < count + (at == FPages.end() ? 1 : 0); ++step) {
        i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
        TTabSheet* page = FPages[static_cast<std::size_t>(i)];
        if (page != From && page->FTabVisible) return page;
    }
    return nullptr;
}

void TPageControl::UpdateTabs() {
    std::vector<TTabItem> items;
    for (TTabSheet* page : FPages)
        if (page->FTabVisible) items.push_back({page->GetCaption(), page->FImageIndex});
    SetTabItems(items, FActivePage ? FActivePage->GetTabIndex() : -1);
}

void TPageControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
    const std::vector<TTabSheet*> pages = FPages;
    for (TTabSheet* page : pages)
        if (page->GetOwner() == Root) Proc(page);
    std::vector<TControl*> others;
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* control = GetControl(i);
        if (std::find(pages.begin(), pages.end(), control) == pages.end() &&
            control->GetOwner() == Root)
            others.push_back(control);
    }
    for (TControl* control : others) Proc(control);
}

REGISTER_CLASS(TTabControl);
REGISTER_CLASS(TTabSheet);
REGISTER_CLASS(TPageControl);

namespace {

void RegisterTabEnums() {
    RegisterEnum<TTabPosition>({"tpTop", "tpBottom", "tpLeft", "tpRight"});
    RegisterEnum<TTabStyle>({"tsTabs", "tsButtons", "tsFlatButtons"});
}

} // namespace

DEFINE_UNIT(Tabs, uoClassLib, RegisterTabEnums, nullptr);
