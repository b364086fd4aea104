#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "classlib/StringList.h"

#include <algorithm>

namespace {

// The plain look's check box takes the item's first pixels.
constexpr int kPlainCheckWidth = 20;

} // namespace

// ---- TskCheckListBox ----------------------------------------------------------------------

TskCheckListBox::TskCheckListBox(TComponent* AOwner) : TskListBox(AOwner) {}

TskCheckListBox::~TskCheckListBox() {
    FreeWrappers();
}

TskCheckListBoxDataWrapper* TskCheckListBox::ExtractWrapper(int Index) {
    // The list's own data of the item; a value that is none of ours is no wrapper.
    auto* data = reinterpret_cast<TskCheckListBoxDataWrapper*>(TskListBox::GetItemData(Index));
    return FWrappers.contains(data) ? data : nullptr;
}

TskCheckListBoxDataWrapper* TskCheckListBox::GetWrapper(int Index) {
    if (TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index)) return wrapper;
    auto wrapper = std::make_unique<TskCheckListBoxDataWrapper>();
    TskListBox::SetItemData(Index, wrapper.get());
    FWrappers.insert(wrapper.get());
    return wrapper.release();
}

void TskCheckListBox::FreeWrappers() {
    for (TskCheckListBoxDataWrapper* wrapper : FWrappers) delete wrapper;
    FWrappers.clear();
}

TObject* TskCheckListBox::GetItemData(int Index) {
    TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index);
    return wrapper ? wrapper->Data : nullptr;
}

void TskCheckListBox::SetItemData(int Index, TObject* AData) {
    TskCheckListBoxDataWrapper* wrapper = GetWrapper(Index);
    wrapper->Data = AData;
    // A new window takes the kept items back in the order their states were saved in.
    if (SavedStates && FNextSaved < SavedStates->size()) wrapper->State = (*SavedStates)[FNextSaved++];
}

void TskCheckListBox::DeleteString(int Index) {
    if (TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index)) {
        FWrappers.erase(wrapper);
        delete wrapper;
    }
    TskListBox::DeleteString(Index);
}

void TskCheckListBox::ResetContent() {
    FreeWrappers();
    TskListBox::ResetContent();
}

void TskCheckListBox::DestroyWnd() {
    const int count = HandleAllocated() ? GetItems()->GetCount() : 0;
    if (count > 0) {
        // The kept items come back in the order of a string list like the one that keeps
        // them (sorted when the list is): the states are saved in that order.
        TStringList order;
        order.SetDuplicates(dupAccept);
        order.SetSorted(GetSorted());
        for (int i = 0; i < count; ++i)
            order.AddObject(GetItems()->Get(i), reinterpret_cast<TObject*>(static_cast<intptr_t>(i)));
        SavedStates = std::make_unique<std::vector<TCheckBoxState>>();
        SavedStates->reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k)
            SavedStates->push_back(
                GetState(static_cast<int>(reinterpret_cast<intptr_t>(order.GetObject(k)))));
        FNextSaved = 0;
    }
    TskListBox::DestroyWnd();
}

void TskCheckListBox::CreateWnd() {
    TskListBox::CreateWnd();
    SavedStates.reset();
    FNextSaved = 0;
}

void TskCheckListBox::WMDestroy(TMessage& Message) {
    FreeWrappers();
    TskListBox::Dispatch(Message);
}

bool TskCheckListBox::GetChecked(int Index) {
    TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index);
    return wrapper && wrapper->State == cbChecked;
}

void TskCheckListBox::SetChecked(int Index, bool Value) {
    if (GetChecked(Index) == Value) return;
    GetWrapper(Index)->State = Value ? cbChecked : cbUnchecked;
    InvalidateCheck(Index);
}

TCheckBoxState TskCheckListBox::GetState(int Index) {
    TskCheckListBoxDataWrapper* wrapper = ExtractWrapper(Index);
    return wrapper ? wrapper->State : cbUnchecked;
}

void TskCheckListBox::SetState(int Index, TCheckBoxState Value) {
    if (GetState(Index) == Value) return;
    GetWrapper(Index)->State = Value;
    InvalidateCheck(Index);
}

void TskCheckListBox::ToggleClickCheck(int Index) {
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    const TCheckBoxState state = GetState(Index);
    if (state != cbGrayed) SetState(Index, state == cbChecked ? cbUnchecked : cbChecked);
    if (OnClickCheck) OnClickCheck(this);
}

void TskCheckListBox::InvalidateCheck(int Index) {
    if (!HandleAllocated()) return;
    const TRect r = ItemRect(Index);
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(GetHandle(), &rect, !GetControlStyle().Contains(csOpaque));
    UpdateWindow(GetHandle());
}

bool TskCheckListBox::HitsCheck(int Index, int X, int Y) {
    const TRect item = ItemRect(Index);
    if (!SkinCheckListBox) return X - item.Left < kPlainCheckWidth;
    TRect box = SkinCheckListBox->ItemCheckBox(RectWidth(item), RectHeight(item));
    box = TRect(box.Left + item.Left, box.Top + item.Top, box.Right + item.Left,
                box.Bottom + item.Top);
    return X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom;
}

void TskCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The check changes before the container hears of the press.
    TListBox::MouseDown(Button, Shift, X, Y);
    // Only the left button: a right press opens menus and must not change data.
    if (Button == mbLeft) {
        const int index = ItemAtPos(TPoint(X, Y), true);
        if (index >= 0 && HitsCheck(index, X, Y)) ToggleClickCheck(index);
    }
    if (SkinListBox && !IsDestroying()) SkinListBox->ListBoxMouseDown(Button, Shift, X, Y);
}

void TskCheckListBox::KeyPress(char& Key) {
    TListBox::KeyPress(Key);
    if (Key == ' ') ToggleClickCheck(GetItemIndex());
    if (SkinListBox && !IsDestroying()) SkinListBox->ListBoxKeyPress(Key);
}

// ---- TskSkinCheckListBox ------------------------------------------------------------------

TskSkinCheckListBox::TskSkinCheckListBox(TComponent* AOwner)
    : TskSkinCustomListBox(AOwner, [](TComponent* Owner) -> TskListBox* {
          return new TskCheckListBox(Owner);
      }) {
    FSkinDataName = "checklistbox";
    TskCheckListBox* list = GetCheckListBox();
    list->SkinCheckListBox = this;
    list->OnClickCheck = TNotifyEvent(this, &TskSkinCheckListBox::InnerClickCheck);
}

void TskSkinCheckListBox::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("OnClickCheck", &TskSkinCheckListBox::OnClickCheck);
}

TskCheckListBox* TskSkinCheckListBox::GetCheckListBox() const {
    return static_cast<TskCheckListBox*>(ListBox);
}

bool TskSkinCheckListBox::GetChecked(int Index) const {
    return GetCheckListBox()->GetChecked(Index);
}

void TskSkinCheckListBox::SetChecked(int Index, bool Value) {
    GetCheckListBox()->SetChecked(Index, Value);
}

TCheckBoxState TskSkinCheckListBox::GetState(int Index) const {
    return GetCheckListBox()->GetState(Index);
}

void TskSkinCheckListBox::SetState(int Index, TCheckBoxState Value) {
    GetCheckListBox()->SetState(Index, Value);
}

void TskSkinCheckListBox::InnerClickCheck(TObject*) {
    if (OnClickCheck) OnClickCheck(this);
}

void TskSkinCheckListBox::CheckButtonAction() {
    const int index = GetItemIndex();
    if (index < 0) return;
    // A grayed item is not checked: the button checks it.
    SetChecked(index, !GetChecked(index));
    if (OnClickCheck) OnClickCheck(this);
}

void TskSkinCheckListBox::GetSkinData() {
    TskSkinCustomListBox::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinCheckListBox*>(GetSkinRecord());
    FCheckRecord = record != nullptr;
    if (!record) return;
    UnCheckImageRect = record->UnCheckImageRect;
    CheckImageRect = record->CheckImageRect;
    ItemCheckRect = record->ItemCheckRect;
}

void TskSkinCheckListBox::ChangeSkinData() {
    FCheckPicture.reset();
    FUnCheckPicture.reset();
    TskSkinCustomListBox::ChangeSkinData();
}

bool TskSkinCheckListBox::SkinnedItems() const {
    return TskSkinCustomListBox::SkinnedItems() && FCheckRecord && !IsNullRect(CheckImageRect) &&
           !IsNullRect(UnCheckImageRect) && !IsNullRect(ItemCheckRect);
}

TRect TskSkinCheckListBox::ItemCheckBox(int W, int H) const {
    if (!SkinnedItems()) return TRect(0, 0, kPlainCheckWidth, H);
    TRect box = ItemCheckRect;
    // A box after the text keeps to the item's right end.
    if (box.Left >= ItemTextRect.Right) {
        const int dW = W - RectWidth(SkinItemRect);
        box.Left += dW;
        box.Right += dW;
    }
    return box;
}

void TskSkinCheckListBox::DrawSkinCheck(TCanvas* Canvas, int W, TCheckBoxState State) {
    const TRect box = ItemCheckBox(W, RectHeight(SkinItemRect));
    const int x = box.Left + RectWidth(box) / 2 - RectWidth(CheckImageRect) / 2;
    const int y = box.Top + RectHeight(box) / 2 - RectHeight(CheckImageRect) / 2;
    const bool checked = State == cbChecked;
    std::unique_ptr<TskTransparentPicture>& cut = checked ? FCheckPicture : FUnCheckPicture;
    // Cut once, drawn many times: a list scrolls through thousands of rows.
    if (!cut)
        cut = std::make_unique<TskTransparentPicture>(
            Picture, checked ? CheckImageRect : UnCheckImageRect);
    // A grayed item shows the unchecked picture: the skin has none of its own.
    cut->Draw(Canvas, x, y);
}

void TskSkinCheckListBox::DrawSkinItemContent(TCanvas* Canvas, int Index, int W, int H,
                                              const TRect& TR, TOwnerDrawState State) {
    DrawSkinCheck(Canvas, W, GetState(Index));
    if (OnDrawItem)
        OnDrawItem(Canvas, Index, W, H, TR, State);
    else
        DrawItemImageAndText(Canvas, Index, TR);
}

int TskSkinCheckListBox::DefaultItemIndent() const {
    return kPlainCheckWidth;
}

void TskSkinCheckListBox::DrawDefaultItemContent(TCanvas* Canvas, int Index, int W, int H,
                                                 const TRect& TR, TOwnerDrawState State) {
    TBrush* brush = Canvas->GetBrush();
    brush->SetStyle(bsSolid);
    brush->SetColor(clWindow);
    Canvas->FillRect(TRect(0, 0, std::min(kPlainCheckWidth, W), H));
    const TRect box(3, H / 2 - 6, 16, H / 2 + 7);
    brush->SetColor(clBtnShadow);
    Canvas->FrameRect(box);
    // A grayed item looks unchecked, as in the skinned look.
    if (GetState(Index) == cbChecked) DrawCheckImage(Canvas, 6, H / 2 - 4, clWindowText);
    brush->SetStyle(bsClear);
    if (OnDrawItem)
        OnDrawItem(Canvas, Index, W, H, TR, State);
    else
        DrawItemImageAndText(Canvas, Index, TR);
}

REGISTER_CLASS(TskCheckListBox);
REGISTER_CLASS(TskSkinCheckListBox);

DEFINE_UNIT(SkinBoxCtrls_CheckListBoxes, uoSkin + 31, nullptr, nullptr);
