#include "classlib/ListViews.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

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
    P.Add("SmallImages", &TCustomListView::GetSmallImages, &TCustomListView::SetSmallImages);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    InitViewControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWA);
    Params.Style |= WS_BORDER | LVS_SHAREIMAGELISTS | StyleBits(FViewStyle);
    if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    if (FFullDrag)
        SendMessageA(GetHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP,
                     LVS_EX_HEADERDRAGDROP);
    if (FSmallImages)
        SendMessageA(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
    for (int i = 0; i < static_cast<int>(FColumns.size()); ++i) InsertColumn(i);
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    if (Value == FViewStyle) return;
    FViewStyle = Value;
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrA(GetHandle(), GWL_STYLE);
    SetWindowLongPtrA(GetHandle(), GWL_STYLE, (style & ~LVS_TYPEMASK) | StyleBits(Value));
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
    if (Value == FShowColumnHeaders) return;
    FShowColumnHeaders = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetFullDrag(bool Value) {
    FFullDrag = Value;
    if (HandleAllocated())
        SendMessageA(GetHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP,
                     Value ? LVS_EX_HEADERDRAGDROP : 0);
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
    if (FSmallImages && FSmallImages != Value) FSmallImages->RemoveFreeNotification(this);
    FSmallImages = Value;
    if (Value) Value->FreeNotification(this);
    if (HandleAllocated())
        SendMessageA(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSmallImages) FSmallImages = nullptr;
}

void TCustomListView::InsertColumn(int Index) {
    const TListColumn& column = FColumns[static_cast<std::size_t>(Index)];
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.fmt = column.Alignment == taCenter         ? LVCFMT_CENTER
               : column.Alignment == taRightJustify ? LVCFMT_RIGHT
                                                    : LVCFMT_LEFT;
    info.cx = column.Width;
    info.pszText = const_cast<char*>(column.Caption.c_str());
    SendMessageA(GetHandle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(&info));
}

void TCustomListView::AddColumn(const TListColumn& Column) {
    FColumns.push_back(Column);
    if (HandleAllocated()) InsertColumn(static_cast<int>(FColumns.size()) - 1);
}

int TCustomListView::AddItem(const AnsiString& Caption) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = GetItemCount();
    item.pszText = const_cast<char*>(Caption.c_str());
    return static_cast<int>(
        SendMessageA(GetHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
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
