#include "classlib/ListBoxes.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <vector>

// The messages of one kind of list window.
struct TItemMessages {
    UINT Count, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent,
        GetItemData, SetItemData, GetCurSel, SetCurSel;
    LRESULT Error;
};

// The items of a list or combo box: the window's own while it exists, kept in a string
// list while it does not (before it is made and while it is made again).
class TItemsWindow : public TStrings {
public:
    TItemsWindow(TCustomListControl* Control, const TItemMessages& Messages)
        : FControl(Control), FMessages(Messages) {
        FSaved.SetDuplicates(dupAccept);
    }

    void SetSorted(bool Value) {
        FSorted = Value;
        FSaved.SetSorted(Value);
    }

    int GetCount() const override {
        return Live() ? static_cast<int>(Send(FMessages.Count)) : FSaved.GetCount();
    }

    AnsiString Get(int Index) const override {
        if (!Live()) return FSaved.Get(Index);
        CheckIndex(Index);
        LRESULT length = Send(FMessages.GetTextLen, static_cast<WPARAM>(Index));
        if (length == FMessages.Error) IndexError(Index);
        AnsiString text(static_cast<std::size_t>(length) + 1, '\0');
        LRESULT copied = Send(FMessages.GetText, static_cast<WPARAM>(Index),
                              reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

    void Put(int Index, const AnsiString& S) override {
        TObject* object = GetObject(Index);
        Delete(Index);
        if (FSorted)
            AddObject(S, object);
        else
            InsertObject(Index, S, object);
    }

    TObject* GetObject(int Index) const override {
        if (!Live()) return FSaved.GetObject(Index);
        CheckIndex(Index);
        return FControl->GetItemData(Index);
    }

    void PutObject(int Index, TObject* AObject) override {
        if (!Live()) {
            FSaved.PutObject(Index, AObject);
            return;
        }
        CheckIndex(Index);
        FControl->SetItemData(Index, AObject);
    }

    // A new item's data is already nil: only an object of its own is written.
    int Add(const AnsiString& S) override {
        if (!Live()) return FSaved.Add(S);
        return AddString(S);
    }

    int AddObject(const AnsiString& S, TObject* AObject) override {
        if (!Live()) return FSaved.AddObject(S, AObject);
        const int index = AddString(S);
        FControl->SetItemData(index, AObject);
        return index;
    }

    void Insert(int Index, const AnsiString& S) override { InsertItem(Index, S); }

    void InsertObject(int Index, const AnsiString& S, TObject* AObject) override {
        if (!Live()) {
            InsertItem(Index, S);
            FSaved.PutObject(Index, AObject);
            return;
        }
        FControl->SetItemData(InsertItem(Index, S), AObject);
    }

    void Delete(int Index) override {
        if (!Live()) {
            FSaved.Delete(Index);
            return;
        }
        CheckIndex(Index);
        FControl->DeleteString(Index);
    }

    void Clear() override {
        if (Live())
            FControl->ResetContent();
        else
            FSaved.Clear();
    }

    int GetSelected() const { return static_cast<int>(Send(FMessages.GetCurSel)); }
    void Select(int Index) const { Send(FMessages.SetCurSel, static_cast<WPARAM>(Index)); }

    // The window was made: it takes the kept items, each with its data written, in order,
    // drawn once at the end (outside an update, which turns the drawing on at its end).
    void WindowCreated() {
        const bool quiet = FSaved.GetCount() > 0 && GetUpdateCount() == 0;
        if (quiet) Send(WM_SETREDRAW, FALSE);
        for (int i = 0; i < FSaved.GetCount(); ++i) {
            LRESULT index =
                Send(FMessages.AddString, 0, reinterpret_cast<LPARAM>(FSaved.Get(i).c_str()));
            if (index >= 0) FControl->SetItemData(static_cast<int>(index), FSaved.GetObject(i));
        }
        FSaved.Clear();
        if (quiet) SetUpdateState(false);
    }

    // By the index, not by the error value: an item's data may itself be -1.
    TObject* NativeData(int Index) const {
        CheckIndex(Index);
        return reinterpret_cast<TObject*>(Send(FMessages.GetItemData, static_cast<WPARAM>(Index)));
    }
    void SetNativeData(int Index, TObject* AObject) const {
        CheckIndex(Index);
        Send(FMessages.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
    }
    void NativeDelete(int Index) const { Send(FMessages.DeleteString, static_cast<WPARAM>(Index)); }
    void NativeReset() const { Send(FMessages.ResetContent); }

    // The window is about to go: its items are kept.
    void WindowDestroying() {
        FSaved.Clear();
        int count = GetCount();
        for (int i = 0; i < count; ++i)
            FSaved.AddObject(Get(i), GetObject(i));
    }

protected:
    void SetUpdateState(bool Updating) override {
        if (!Live()) return;
        Send(WM_SETREDRAW, !Updating);
        if (!Updating) FControl->Invalidate();
    }

private:
    int AddString(const AnsiString& S) {
        LRESULT index = Send(FMessages.AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0) throw EOutOfResources("Cannot add an item to the list");
        return static_cast<int>(index);
    }
    // The item's place; without a window the kept list takes it with nil data.
    int InsertItem(int Index, const AnsiString& S) {
        if (FSorted) throw EStringListError("Operation not allowed on sorted list");
        if (!Live()) {
            FSaved.InsertObject(Index, S, nullptr);
            return Index;
        }
        if (Index < 0 || Index > GetCount()) IndexError(Index);
        LRESULT index = Send(FMessages.InsertString, static_cast<WPARAM>(Index),
                             reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0) throw EOutOfResources("Cannot add an item to the list");
        return static_cast<int>(index);
    }
    bool Live() const { return FControl->HandleAllocated(); }
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const {
        return SendMessageA(FControl->GetHandle(), Msg, WParam, LParam);
    }
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= GetCount()) IndexError(Index);
    }

    TCustomListControl* FControl;
    TItemMessages FMessages;
    TStringList FSaved;
    bool FSorted = false;
};

namespace {

const TItemMessages kListBoxMessages = {
    LB_GETCOUNT,     LB_GETTEXT,     LB_GETTEXTLEN,  LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
    LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_GETCURSEL, LB_SETCURSEL,    LB_ERR,
};

const TItemMessages kComboBoxMessages = {
    CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING,
    CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
    CB_SETITEMDATA,  CB_GETCURSEL,    CB_SETCURSEL,    CB_ERR,
};

} // namespace

TCustomListControl::TCustomListControl(TComponent* AOwner, const TItemMessages& Messages)
    : TWinControl(AOwner), FItems(std::make_unique<TItemsWindow>(this, Messages)) {
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() = default;

TStrings* TCustomListControl::GetItems() const {
    return FItems.get();
}

void TCustomListControl::SetItems(TStrings* Value) {
    FItems->Assign(Value);
}

int TCustomListControl::GetItemIndex() {
    return HandleAllocated() ? FItems->GetSelected() : FItemIndex;
}

void TCustomListControl::SetItemIndex(int Value) {
    if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
    FItemIndex = Value;
    if (HandleAllocated()) FItems->Select(Value);
}

TObject* TCustomListControl::GetItemData(int Index) {
    return FItems->NativeData(Index);
}

void TCustomListControl::SetItemData(int Index, TObject* AData) {
    FItems->SetNativeData(Index, AData);
}

void TCustomListControl::DeleteString(int Index) {
    FItems->NativeDelete(Index);
}

void TCustomListControl::ResetContent() {
    FItems->NativeReset();
}

void TCustomListControl::SetSorted(bool Value) {
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListControl::CreateWnd() {
    TWinControl::CreateWnd();
    FItems->WindowCreated();
    FItems->Select(FItemIndex);
}

void TCustomListControl::DestroyWnd() {
    if (HandleAllocated()) {
        FItemIndex = GetItemIndex();
        FItems->WindowDestroying();
    }
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomListControl(AOwner, kListBoxMessages), FCanvas(std::make_unique<TCanvas>()) {
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("ItemHeight", &TCustomListBox::GetItemHeight, &TCustomListBox::SetItemHeight, 16)
        .Range(1, MaxListItemHeight);
    P.Add("Items", &TCustomListBox::GetItems);
    P.Add("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted, false);
    P.Add("Style", &TCustomListBox::GetStyle, &TCustomListBox::SetStyle, lbStandard);
    P.Add("OnDrawItem", &TCustomListBox::OnDrawItem);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::GetItemHeight() {
    if (HandleAllocated() && FStyle == lbStandard)
        return static_cast<int>(SendMessageA(GetHandle(), LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || Value > MaxListItemHeight)
        throw EInvalidOperation(
            Format("List box item height must be between 1 and %d", MaxListItemHeight));
    FItemHeight = Value;
    if (HandleAllocated() && FStyle == lbOwnerDrawFixed) {
        SendMessageA(GetHandle(), LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(Value));
        Invalidate();
    }
}

void TCustomListBox::Clear() {
    GetItems()->Clear();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
    if (FExtendedSelect == Value) return;
    FExtendedSelect = Value;
    if (HandleAllocated() && FMultiSelect) RecreateWnd();
}

void TCustomListBox::SetColumns(int Value) {
    Value = std::max(Value, 0);
    if (FColumns == Value) return;
    const bool restyle = (FColumns == 0) != (Value == 0);
    FColumns = Value;
    if (restyle && HandleAllocated())
        RecreateWnd();
    else
        ApplyColumnWidth();
}

void TCustomListBox::ApplyColumnWidth() {
    if (!HandleAllocated() || FColumns == 0) return;
    SendMessageA(GetHandle(), LB_SETCOLUMNWIDTH,
                 static_cast<WPARAM>(std::max(GetWidth() / FColumns, 1)), 0);
}

void TCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool widthChanged = AWidth != GetWidth();
    TCustomListControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (widthChanged) ApplyColumnWidth();
}

int TCustomListBox::GetTopIndex() {
    return HandleAllocated() ? static_cast<int>(SendMessageA(GetHandle(), LB_GETTOPINDEX, 0, 0))
                             : 0;
}

void TCustomListBox::SetTopIndex(int Value) {
    if (GetTopIndex() != Value)
        SendMessageA(GetHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
    const int count = GetItems()->GetCount();
    if (count == 0) return Existing ? -1 : 0;
    // Every item has the same height, so the rows are counted from the first visible one.
    const int height = std::max(GetItemHeight(), 1);
    const int top = GetTopIndex();
    TRect first = ItemRect(top);
    if (FColumns > 0) {
        const int width = std::max(first.Right - first.Left, 1);
        const int perColumn = std::max(GetClientHeight() / height, 1);
        if (Pos.X < first.Left || Pos.Y < 0 || Pos.Y >= perColumn * height)
            return Existing ? -1 : count;
        const int index = top + (Pos.X - first.Left) / width * perColumn + Pos.Y / height;
        if (index < count) return index;
        return Existing ? -1 : count;
    }
    if (Pos.Y < 0) return Existing ? -1 : top;
    const int index = top + (Pos.Y - first.Top) / height;
    if (index < count && Pos.X >= 0 && Pos.X < GetClientWidth()) return index;
    return Existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int Index) {
    RECT r{};
    if (HandleAllocated() &&
        SendMessageA(GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Index),
                     reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        return TRect(r.left, r.top, r.right, r.bottom);
    return TRect();
}

void TCustomListBox::SetItemIndex(int Value) {
    if (!FMultiSelect || !HandleAllocated()) {
        TCustomListControl::SetItemIndex(Value);
        return;
    }
    if (Value < 0 || Value >= GetItems()->GetCount()) Value = -1;
    FItemIndex = Value;
    SendMessageA(GetHandle(), LB_SETSEL, FALSE, -1);
    if (Value < 0) return;
    SendMessageA(GetHandle(), LB_SETSEL, TRUE, static_cast<LPARAM>(Value));
    SendMessageA(GetHandle(), LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
}

int TCustomListBox::GetSelCount() {
    if (!FMultiSelect) return -1;
    return static_cast<int>(SendMessageA(GetHandle(), LB_GETSELCOUNT, 0, 0));
}

bool TCustomListBox::GetSelected(int Index) {
    if (Index < 0 || Index >= GetItems()->GetCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
    return SendMessageA(GetHandle(), LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    if (Index < 0 || Index >= GetItems()->GetCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
    if (FMultiSelect)
        SendMessageA(GetHandle(), LB_SETSEL, Value, static_cast<LPARAM>(Index));
    else
        SetItemIndex(Value ? Index : (GetItemIndex() == Index ? -1 : GetItemIndex()));
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TCustomListControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
    if (GetSorted()) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN;
    if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (GetCtl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TCustomListBox::CreateWnd() {
    TCustomListControl::CreateWnd();
    if (FStyle == lbOwnerDrawFixed)
        SendMessageA(GetHandle(), LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(FItemHeight));
    ApplyColumnWidth();
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < GetItems()->GetCount())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, GetItems()->Get(Index));
}

void TCustomListBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode()) {
    case LBN_SELCHANGE:
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TCustomListBox::CNDrawItem(TWMDrawItem& Message) {
    const DRAWITEMSTRUCT* item = Message.DrawItemStruct();
    TOwnerDrawState state;
    if (item->itemState & ODS_SELECTED) state << odSelected;
    if (item->itemState & ODS_GRAYED) state << odGrayed;
    if (item->itemState & ODS_DISABLED) state << odDisabled;
    if (item->itemState & ODS_CHECKED) state << odChecked;
    if (item->itemState & ODS_FOCUS) state << odFocused;
    const TRect rect(item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);

    FCanvas->SetHandle(item->hDC);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush()->SetStyle(bsSolid);
    if (state.Contains(odSelected)) {
        FCanvas->GetBrush()->SetColor(clHighlight);
        FCanvas->GetFont()->SetColor(clHighlightText);
    } else {
        FCanvas->GetBrush()->SetColor(GetColor());
    }
    try {
        if (static_cast<int>(item->itemID) >= 0)
            DrawItem(static_cast<int>(item->itemID), rect, state);
        else
            FCanvas->FillRect(rect);
        if (state.Contains(odFocused)) FCanvas->DrawFocusRect(rect);
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
    Message.Result = TRUE;
}

// ---------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomListControl(AOwner, kComboBoxMessages) {
    SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(GetLeft(), GetTop(), 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount,
          8);
    P.Add("Sorted", &TCustomComboBox::GetSorted, &TCustomComboBox::SetSorted, false);
    P.Add("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle, csDropDown);
    // Text, then the items, then the index: the index needs its items and wins over the
    // text.
    P.Add("Text", &TControl::GetText, &TControl::SetText);
    P.Add("Items", &TCustomComboBox::GetItems);
    P.Add("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex, -1);
    P.Add("OnChange", &TCustomComboBox::OnChange);
}

void TCustomComboBox::SetItemIndex(int Value) {
    AnsiString shown = GetText();
    TCustomListControl::SetItemIndex(Value);
    if (FItemIndex < 0) return;
    AnsiString item = GetItems()->Get(FItemIndex);
    if (item == shown) return;
    // The window shows the item already; the control's own copy of the text follows.
    SetText(item);
    if (!IsLoading()) Change();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    FDropDownCount = std::max(Value, 1);
    FitWindow();
}

bool TCustomComboBox::GetDroppedDown() {
    return HandleAllocated() && SendMessageA(GetHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    SendMessageA(GetHandle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Clear() {
    GetItems()->Clear();
    FItemIndex = -1;
    SetText("");
}

int TCustomComboBox::DropDownHeight() {
    return FDropDownCount * (FontLineHeight(GetFont()) + 2) + 2;
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomListControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FitWindow();
}

void TCustomComboBox::FitWindow() {
    if (!HandleAllocated()) return;
    // The window's height counts the open list; the system keeps the closed height for
    // the control itself.
    SetWindowPos(GetHandle(), nullptr, 0, 0, GetWidth(), GetHeight() + DropDownHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TCustomListControl::CreateParams(Params);
    CreateSubClass(Params, "COMBOBOX");
    Params.Style |=
        WS_VSCROLL | CBS_AUTOHSCROLL | (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    if (GetSorted()) Params.Style |= CBS_SORT;
    Params.Height += DropDownHeight();
}

void TCustomComboBox::CreateWnd() {
    AnsiString text = GetText();
    TCustomListControl::CreateWnd();
    if (FStyle == csDropDown && FItemIndex < 0) SetWindowTextA(GetHandle(), text.c_str());
}

AnsiString TCustomComboBox::RealGetText() {
    // A list-only box shows its selected item, or nothing.
    if (HandleAllocated() || FStyle == csDropDown) return TCustomListControl::RealGetText();
    return FItemIndex >= 0 && FItemIndex < GetItems()->GetCount() ? GetItems()->Get(FItemIndex)
                                                                  : AnsiString();
}

void TCustomComboBox::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode()) {
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_SELCHANGE: {
        int index = GetItemIndex();
        FItemIndex = index;
        // The window's text follows the selection only after this notification.
        if (index >= 0) SetText(GetItems()->Get(index));
        Click();
        Change();
        break;
    }
    default:
        break;
    }
}

REGISTER_CLASS(TListBox);
REGISTER_CLASS(TComboBox);

namespace {

void RegisterListBoxesEnums() {
    RegisterEnum<TListBoxStyle>({"lbStandard", "lbOwnerDrawFixed"});
    RegisterEnum<TComboBoxStyle>({"csDropDown", "csDropDownList"});
}

} // namespace

DEFINE_UNIT(ListBoxes, uoClassLib, RegisterListBoxesEnums, nullptr);
