#include "classlib/ListViews.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <unordered_map>

namespace {

DWORD StyleBits(TViewStyle Style) {
    switch (Style) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    case vsIcon: break;
    }
    return LVS_ICON;
}

} // namespace

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner) {
    TControlStyle style = GetControlStyle();
    style.Exclude(csClickEvents);
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
    SetBounds(GetLeft(), GetTop(), 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomListView::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("ViewStyle", &TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle, vsIcon);
    P.Add("ShowColumnHeaders", &TCustomListView::GetShowColumnHeaders,
          &TCustomListView::SetShowColumnHeaders, true);
    P.Add("FullDrag", &TCustomListView::GetFullDrag, &TCustomListView::SetFullDrag, false);
    P.Add("HideSelection", &TCustomListView::GetHideSelection, &TCustomListView::SetHideSelection,
          true);
    P.Add("GridLines", &TCustomListView::GetGridLines, &TCustomListView::SetGridLines, false);
    P.Add("SmallImages", &TCustomListView::GetSmallImages, &TCustomListView::SetSmallImages);
    P.Add("LargeImages", &TCustomListView::GetLargeImages, &TCustomListView::SetLargeImages);
    P.Add("OnChange", &TCustomListView::OnChange);
    P.Add("OnColumnClick", &TCustomListView::OnColumnClick);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    InitViewControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWA);
    Params.Style |= WS_BORDER | LVS_SHAREIMAGELISTS | StyleBits(FViewStyle);
    if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
    if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyColors();
    ApplyExtendedStyle();
    if (FSmallImages) ApplyImages(LVSIL_SMALL, FSmallImages);
    if (FLargeImages) ApplyImages(LVSIL_NORMAL, FLargeImages);
    for (int i = 0; i < static_cast<int>(FColumns.size()); ++i) InsertColumn(i);
}

void TCustomListView::ApplyColors() {
    const auto back = static_cast<LPARAM>(ColorToRGB(GetColor()));
    SendMessageA(GetHandle(), LVM_SETBKCOLOR, 0, back);
    SendMessageA(GetHandle(), LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageA(GetHandle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetFont()->GetColor())));
}

void TCustomListView::CMColorChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomListView::CMFontChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomListView::ApplyExtendedStyle() {
    const DWORD mask = LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES;
    const DWORD bits = (FFullDrag ? LVS_EX_HEADERDRAGDROP : 0) | (FGridLines ? LVS_EX_GRIDLINES : 0);
    SendMessageA(GetHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TCustomListView::ApplyImages(int Which, TCustomImageList* Images) {
    SendMessageA(GetHandle(), LVM_SETIMAGELIST, static_cast<WPARAM>(Which),
                 reinterpret_cast<LPARAM>(Images ? Images->GetHandle() : nullptr));
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    if (Value == FViewStyle) return;
    FViewStyle = Value;
    if (HandleAllocated()) ChangeStyleBits(LVS_TYPEMASK, StyleBits(Value));
}

void TCustomListView::ChangeStyleBits(DWORD Mask, DWORD Bits) {
    HWND wnd = GetHandle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    SetWindowLongPtrA(wnd, GWL_STYLE, static_cast<LONG_PTR>((style & ~Mask) | Bits));
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
    if (Value == FShowColumnHeaders) return;
    FShowColumnHeaders = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetFullDrag(bool Value) {
    FFullDrag = Value;
    if (HandleAllocated()) ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool Value) {
    FGridLines = Value;
    if (HandleAllocated()) ApplyExtendedStyle();
}

void TCustomListView::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    if (HandleAllocated()) ChangeStyleBits(LVS_SHOWSELALWAYS, Value ? 0 : LVS_SHOWSELALWAYS);
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
    SetReference(this, FSmallImages, Value);
    if (HandleAllocated()) ApplyImages(LVSIL_SMALL, Value);
}

void TCustomListView::SetLargeImages(TCustomImageList* Value) {
    SetReference(this, FLargeImages, Value);
    if (HandleAllocated()) ApplyImages(LVSIL_NORMAL, Value);
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // The window shares the list's handle: it must let go before the handle is destroyed.
    if (AComponent == FSmallImages) {
        FSmallImages = nullptr;
        if (HandleAllocated()) ApplyImages(LVSIL_SMALL, nullptr);
    }
    if (AComponent == FLargeImages) {
        FLargeImages = nullptr;
        if (HandleAllocated()) ApplyImages(LVSIL_NORMAL, nullptr);
    }
}

void TCustomListView::ColumnInfo(int Index, LVCOLUMNA& Info) {
    const TListColumn& column = FColumns[static_cast<std::size_t>(Index)];
    Info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    Info.fmt = column.Alignment == taCenter         ? LVCFMT_CENTER
               : column.Alignment == taRightJustify ? LVCFMT_RIGHT
                                                    : LVCFMT_LEFT;
    Info.cx = column.Width;
    Info.pszText = const_cast<char*>(column.Caption.c_str());
}

void TCustomListView::InsertColumn(int Index) {
    LVCOLUMNA info{};
    ColumnInfo(Index, info);
    SendMessageA(GetHandle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(&info));
}

void TCustomListView::AddColumn(const TListColumn& Column) {
    FColumns.push_back(Column);
    if (HandleAllocated()) InsertColumn(static_cast<int>(FColumns.size()) - 1);
}

void TCustomListView::SetColumn(int Index, const TListColumn& Column) {
    if (Index < 0 || Index >= static_cast<int>(FColumns.size())) return;
    FColumns[static_cast<std::size_t>(Index)] = Column;
    if (!HandleAllocated()) return;
    LVCOLUMNA info{};
    ColumnInfo(Index, info);
    SendMessageA(GetHandle(), LVM_SETCOLUMNA, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(&info));
}

int TCustomListView::AddItem(const AnsiString& Caption, LPARAM Data, int ImageIndex) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = GetItemCount();
    item.pszText = const_cast<char*>(Caption.c_str());
    item.lParam = Data;
    item.iImage = ImageIndex;
    return static_cast<int>(
        SendMessageA(GetHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void TCustomListView::ClearItems() {
    SendMessageA(GetHandle(), LVM_DELETEALLITEMS, 0, 0);
}

AnsiString TCustomListView::GetItemCaption(int Item) {
    return GetSubItem(Item, -1);
}

LPARAM TCustomListView::GetItemData(int Item) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = Item;
    return SendMessageA(GetHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam
                                                                                      : 0;
}

AnsiString TCustomListView::GetSubItem(int Item, int SubItem) {
    // Names may be longer than a path buffer: the buffer grows until the text fits.
    std::vector<char> buffer(512);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = SubItem + 1;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<std::size_t>(SendMessageA(
            GetHandle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(Item), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) return AnsiString(item.pszText, length);
        buffer.resize(buffer.size() * 4);
    }
}

void TCustomListView::SetSubItem(int Item, int SubItem, const AnsiString& Text) {
    LVITEMA item{};
    item.iSubItem = SubItem + 1;
    item.pszText = const_cast<char*>(Text.c_str());
    SendMessageA(GetHandle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(Item),
                 reinterpret_cast<LPARAM>(&item));
}

int TCustomListView::GetSelectedIndex() {
    return static_cast<int>(
        SendMessageA(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int TCustomListView::GetSelCount() {
    return static_cast<int>(SendMessageA(GetHandle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

bool TCustomListView::IsItemSelected(int Item) {
    return SendMessageA(GetHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Item), LVIS_SELECTED) != 0;
}

void TCustomListView::SelectItem(int Item) {
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&none));
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Item),
                 reinterpret_cast<LPARAM>(&state));
}

namespace {

struct TSortContext {
    const std::function<int(LPARAM, LPARAM)>* Compare;
    std::unordered_map<LPARAM, int> Position;
};

int CALLBACK CompareItems(LPARAM A, LPARAM B, LPARAM Context) {
    auto* context = reinterpret_cast<TSortContext*>(Context);
    if (const int result = (*context->Compare)(A, B)) return result;
    const int a = context->Position[A], b = context->Position[B];
    return a < b ? -1 : a > b ? 1 : 0;
}

} // namespace

void TCustomListView::SortItems(const std::function<int(LPARAM, LPARAM)>& Compare) {
    // The control's own sort promises no order for equal items: the current positions
    // break the ties.
    TSortContext context{&Compare, {}};
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) context.Position[GetItemData(i)] = i;
    SendMessageA(GetHandle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                 reinterpret_cast<LPARAM>(&CompareItems));
}

void TCustomListView::BeginUpdate() {
    if (FUpdateCount++ == 0 && HandleAllocated()) SendMessageA(GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomListView::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0 || !HandleAllocated()) return;
    SendMessageA(GetHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(GetHandle(), nullptr, TRUE);
}

void TCustomListView::Change(int Item, TItemChange Kind) {
    if (OnChange) OnChange(this, Item, Kind);
}

void TCustomListView::ColumnClick(int Column) {
    if (OnColumnClick) OnColumnClick(this, Column);
}

AnsiString TCustomListView::SubItemText(LPARAM, int) {
    return {};
}

void TCustomListView::GiveSubItemText(NMHDR* Header) {
    if (Header->code == LVN_GETDISPINFOA) {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(Header)->item;
        if (!(item.mask & LVIF_TEXT) || item.iSubItem < 1 || !item.pszText || item.cchTextMax < 1)
            return;
        const AnsiString text = SubItemText(item.lParam, item.iSubItem - 1);
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        return;
    }
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(Header)->item;
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 1 || !item.pszText || item.cchTextMax < 1)
        return;
    const AnsiString text = SubItemText(item.lParam, item.iSubItem - 1);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax);
    if (length == 0) item.pszText[item.cchTextMax - 1] = 0;
}

void TCustomListView::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: GiveSubItemText(header); break;
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    case LVN_COLUMNCLICK: ColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem); break;
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (FChangesQuiet) break;
        const TItemChange kind = (change->uChanged & LVIF_STATE)   ? ctState
                                 : (change->uChanged & LVIF_IMAGE) ? ctImage
                                                                   : ctText;
        Change(change->iItem, kind);
        break;
    }
    default: break;
    }
    TWinControl::Dispatch(Message);
}

int TCustomListView::GetItemCount() {
    return static_cast<int>(SendMessageA(GetHandle(), LVM_GETITEMCOUNT, 0, 0));
}

void TCustomListView::Scroll(int DX, int DY) {
    SendMessageA(GetHandle(), LVM_SCROLL, static_cast<WPARAM>(DX), DY);
}

REGISTER_CLASS(TListView);

namespace {

void RegisterListViewEnums() {
    RegisterEnum<TViewStyle>({"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
}

} // namespace

DEFINE_UNIT(ListViews, uoClassLib, RegisterListViewEnums, nullptr);
