#include "classlib/TreeViews.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Persistence.h"

#include <vector>

void InitViewControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        // The common controls load here, with the first view, not at the program's start.
        return DelayLoaded<decltype(InitCommonControlsEx)>("comctl32.dll",
                                                           "InitCommonControlsEx")(&init) != FALSE;
    }();
    (void)done;
}

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(GetLeft(), GetTop(), 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomTreeView::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("ReadOnly", &TCustomTreeView::GetReadOnly, &TCustomTreeView::SetReadOnly, false);
    P.Add("HideSelection", &TCustomTreeView::GetHideSelection, &TCustomTreeView::SetHideSelection,
          true);
    P.Add("ShowButtons", &TCustomTreeView::GetShowButtons, &TCustomTreeView::SetShowButtons, true);
    P.Add("Images", &TCustomTreeView::GetImages, &TCustomTreeView::SetImages);
    P.Add("OnChange", &TCustomTreeView::OnChange);
    P.Add("OnExpanding", &TCustomTreeView::OnExpanding);
    P.Add("OnEditing", &TCustomTreeView::OnEditing);
    P.Add("OnEdited", &TCustomTreeView::OnEdited);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    InitViewControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWA);
    Params.Style |= WS_BORDER | TVS_HASLINES | TVS_LINESATROOT;
    if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
    if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
    if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyColors();
    if (FImages)
        SendMessageA(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                     reinterpret_cast<LPARAM>(FImages->GetHandle()));
}

void TCustomTreeView::ApplyColors() {
    SendMessageA(GetHandle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetColor())));
    SendMessageA(GetHandle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetFont()->GetColor())));
}

void TCustomTreeView::CMColorChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomTreeView::CMFontChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomTreeView::SetStyleBit(DWORD Bit, bool On) {
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrA(GetHandle(), GWL_STYLE);
    SetWindowLongPtrA(GetHandle(), GWL_STYLE,
                      On ? (style | Bit) : (style & ~static_cast<LONG_PTR>(Bit)));
    InvalidateRect(GetHandle(), nullptr, TRUE);
}

void TCustomTreeView::SetReadOnly(bool Value) {
    FReadOnly = Value;
    SetStyleBit(TVS_EDITLABELS, !Value);
}

void TCustomTreeView::SetHideSelection(bool Value) {
    FHideSelection = Value;
    SetStyleBit(TVS_SHOWSELALWAYS, !Value);
}

void TCustomTreeView::SetShowButtons(bool Value) {
    FShowButtons = Value;
    SetStyleBit(TVS_HASBUTTONS, Value);
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    if (HandleAllocated())
        SendMessageA(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                     reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (HandleAllocated()) SendMessageA(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    }
}

TTreeNode TCustomTreeView::AddChild(TTreeNode Parent, const AnsiString& Text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = Parent ? Parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(Text.c_str());
    auto node = reinterpret_cast<TTreeNode>(
        SendMessageA(GetHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node && Parent) SetHasChildren(Parent, true);
    return node;
}

bool TCustomTreeView::GetExpanded(TTreeNode Node) {
    if (!Node) return false;
    return (SendMessageA(GetHandle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Node),
                         TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

void TCustomTreeView::Expand(TTreeNode Node) {
    if (!Node || GetExpanded(Node) || !CanExpand(Node)) return;
    // The control may announce the expansion itself: it was asked already.
    FExpandingByCall = true;
    SendMessageA(GetHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node));
    FExpandingByCall = false;
}

void TCustomTreeView::Select(TTreeNode Node) {
    SendMessageA(GetHandle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node));
}

TTreeNode TCustomTreeView::GetSelected() {
    return reinterpret_cast<TTreeNode>(SendMessageA(GetHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

int TCustomTreeView::GetCount() {
    return static_cast<int>(SendMessageA(GetHandle(), TVM_GETCOUNT, 0, 0));
}

void TCustomTreeView::Clear() {
    SendMessageA(GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TCustomTreeView::BeginUpdate() {
    if (FUpdateCount++ == 0 && HandleAllocated()) SendMessageA(GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomTreeView::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0 || !HandleAllocated()) return;
    SendMessageA(GetHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(GetHandle(), nullptr, TRUE);
}

namespace {

TTreeNode NextItem(HWND Wnd, UINT Code, TTreeNode Node) {
    return reinterpret_cast<TTreeNode>(
        SendMessageA(Wnd, TVM_GETNEXTITEM, Code, reinterpret_cast<LPARAM>(Node)));
}

} // namespace

TTreeNode TCustomTreeView::GetFirstNode() {
    return NextItem(GetHandle(), TVGN_ROOT, nullptr);
}

TTreeNode TCustomTreeView::GetParentNode(TTreeNode Node) {
    return Node ? NextItem(GetHandle(), TVGN_PARENT, Node) : nullptr;
}

TTreeNode TCustomTreeView::GetFirstChild(TTreeNode Node) {
    return Node ? NextItem(GetHandle(), TVGN_CHILD, Node) : nullptr;
}

TTreeNode TCustomTreeView::GetNextSibling(TTreeNode Node) {
    return Node ? NextItem(GetHandle(), TVGN_NEXT, Node) : nullptr;
}

TTreeNode TCustomTreeView::GetNextNode(TTreeNode Node) {
    if (!Node) return nullptr;
    if (TTreeNode child = GetFirstChild(Node)) return child;
    for (TTreeNode up = Node; up; up = GetParentNode(up))
        if (TTreeNode next = GetNextSibling(up)) return next;
    return nullptr;
}

int TCustomTreeView::GetLevel(TTreeNode Node) {
    int level = 0;
    for (TTreeNode up = GetParentNode(Node); up; up = GetParentNode(up))
        ++level;
    return level;
}

TTreeNode TCustomTreeView::GetNodeAt(int X, int Y, UINT* Flags) {
    TVHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    auto node = reinterpret_cast<TTreeNode>(
        SendMessageA(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (Flags) *Flags = hit.flags;
    return node;
}

void TCustomTreeView::SetItemField(TTreeNode Node, UINT Mask, TVITEMA& Item) {
    Item.mask = Mask;
    Item.hItem = Node;
    SendMessageA(GetHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
}

AnsiString TCustomTreeView::GetNodeText(TTreeNode Node) {
    if (!Node) return AnsiString();
    std::vector<char> buffer(1024);
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = Node;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMessageA(GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return AnsiString();
    return AnsiString(item.pszText ? item.pszText : "");
}

void TCustomTreeView::SetNodeText(TTreeNode Node, const AnsiString& Text) {
    TVITEMA item{};
    item.pszText = const_cast<char*>(Text.c_str());
    SetItemField(Node, TVIF_TEXT, item);
}

bool TCustomTreeView::GetHasChildren(TTreeNode Node) {
    TVITEMA item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = Node;
    if (!Node || !SendMessageA(GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    return item.cChildren != 0;
}

void TCustomTreeView::SetHasChildren(TTreeNode Node, bool Value) {
    TVITEMA item{};
    item.cChildren = Value ? 1 : 0;
    SetItemField(Node, TVIF_CHILDREN, item);
}

int TCustomTreeView::GetImageIndex(TTreeNode Node) {
    TVITEMA item{};
    item.mask = TVIF_IMAGE;
    item.hItem = Node;
    if (!Node || !SendMessageA(GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

void TCustomTreeView::SetNodeImages(TTreeNode Node, int ImageIndex, int SelectedIndex) {
    TVITEMA item{};
    item.iImage = ImageIndex;
    item.iSelectedImage = SelectedIndex;
    SetItemField(Node, TVIF_IMAGE | TVIF_SELECTEDIMAGE, item);
}

void TCustomTreeView::SortChildren(TTreeNode Node) {
    SendMessageA(GetHandle(), TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(Node));
}

HWND TCustomTreeView::EditNode(TTreeNode Node) {
    SetFocus();
    return reinterpret_cast<HWND>(
        SendMessageA(GetHandle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Node)));
}

void TCustomTreeView::Change(TTreeNode) {
    if (OnChange) OnChange(this);
}

bool TCustomTreeView::CanExpand(TTreeNode Node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

bool TCustomTreeView::CanEdit(TTreeNode Node) {
    bool allow = true;
    if (OnEditing) OnEditing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Edit(const TVITEMA& Item) {
    if (!Item.pszText) return;
    AnsiString text = Item.pszText;
    if (OnEdited) OnEdited(this, Item.hItem, text);
    SetNodeText(Item.hItem, text);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        Change(reinterpret_cast<const NMTREEVIEWA*>(header)->itemNew.hItem);
        break;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        // The item fields used here sit alike in both forms.
        const auto* info = reinterpret_cast<const NMTREEVIEWA*>(header);
        if (!FExpandingByCall && (info->action & TVE_EXPAND) && !CanExpand(info->itemNew.hItem)) {
            Message.Result = TRUE;
            return;
        }
        break;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
        Message.Result =
            CanEdit(reinterpret_cast<const NMTVDISPINFOA*>(header)->item.hItem) ? FALSE : TRUE;
        return;
    case TVN_ENDLABELEDITA:
        Edit(reinterpret_cast<const NMTVDISPINFOA*>(header)->item);
        // The label is already stored (or refused) by Edit.
        Message.Result = FALSE;
        return;
    case TVN_ENDLABELEDITW: {
        const TVITEMW& wide = reinterpret_cast<const NMTVDISPINFOW*>(header)->item;
        TVITEMA item{};
        item.hItem = wide.hItem;
        std::vector<char> text;
        if (wide.pszText) {
            int size =
                WideCharToMultiByte(CP_ACP, 0, wide.pszText, -1, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<std::size_t>(size > 0 ? size : 1));
            WideCharToMultiByte(CP_ACP, 0, wide.pszText, -1, text.data(), size, nullptr, nullptr);
            item.pszText = text.data();
        }
        Edit(item);
        Message.Result = FALSE;
        return;
    }
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}

REGISTER_CLASS(TTreeView);

DEFINE_UNIT(TreeViews, uoClassLib, nullptr, nullptr);
