#include "classlib/TreeViews.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

void InitViewControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
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
    P.Add("OnChange", &TCustomTreeView::OnChange);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    InitViewControls();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWA);
    Params.Style |= WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
}

TTreeNode TCustomTreeView::AddChild(TTreeNode Parent, const AnsiString& Text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = Parent ? Parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(Text.c_str());
    return reinterpret_cast<TTreeNode>(
        SendMessageA(GetHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TCustomTreeView::Expand(TTreeNode Node) {
    SendMessageA(GetHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node));
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

void TCustomTreeView::Change(TTreeNode) {
    if (OnChange) OnChange(this);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)
        Change(reinterpret_cast<const NMTREEVIEWA*>(header)->itemNew.hItem);
    TWinControl::Dispatch(Message);
}

REGISTER_CLASS(TTreeView);

DEFINE_UNIT(TreeViews, uoClassLib, nullptr, nullptr);
