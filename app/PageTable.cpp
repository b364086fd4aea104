#include "app/PageTable.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

namespace {

void RegisterPageTable() {
    RegisterClass(TPageTable::StaticClass());
}

} // namespace

DEFINE_UNIT(PageTable, uoApp, RegisterPageTable, nullptr);

TPageTable::TPageTable(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
}

void TPageTable::SetRowCount(int Value) {
    if (Value < 0) Value = 0;
    if (HandleAllocated()) {
        const LRESULT result = SendMessageA(GetHandle(), LB_SETCOUNT, static_cast<WPARAM>(Value), 0);
        if (result == LB_ERR || result == LB_ERRSPACE) {
            SendMessageA(GetHandle(), LB_SETCOUNT, static_cast<WPARAM>(FRowCount), 0);
            throw EOutOfResources(Format("The page table cannot hold %d rows", Value));
        }
    }
    FRowCount = Value;
    if (FItemIndex >= FRowCount) FItemIndex = -1;
}

void TPageTable::SetItemIndex(int Value) {
    if (Value < 0 || Value >= FRowCount) Value = -1;
    FItemIndex = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TPageTable::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    // The columns fit the width: no horizontal scroll bar to update with every row count.
    Params.Style &= ~static_cast<DWORD>(LBS_HASSTRINGS | LBS_SORT | WS_HSCROLL);
    Params.Style |= LBS_NODATA | LBS_OWNERDRAWFIXED;
}

void TPageTable::CreateWnd() {
    const int selected = FItemIndex;
    TCustomListBox::CreateWnd();
    SendMessageA(GetHandle(), LB_SETCOUNT, static_cast<WPARAM>(FRowCount), 0);
    SetItemIndex(selected);
}

void TPageTable::DestroyWnd() {
    // The rows have no texts to keep: the window is emptied before the list box saves items.
    int selected = FItemIndex;
    if (HandleAllocated()) {
        selected = GetItemIndex();
        SendMessageA(GetHandle(), LB_RESETCONTENT, 0, 0);
    }
    TCustomListBox::DestroyWnd();
    FItemIndex = selected;
}
