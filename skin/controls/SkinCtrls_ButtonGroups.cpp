#include "skin/controls/SkinCtrls_ButtonGroups.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/List.h"

#include <algorithm>

// ---- The boxes ---------------------------------------------------------------------------

TskOwnedGroupButton::TskOwnedGroupButton(TskSkinCustomButtonGroup* Group)
    : TskSkinCheckRadioBox(Group), FGroup(Group) {
    FGroup->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(FGroup->GetEnabled());
    SetParentShowHint(false);
    OnClick = TNotifyEvent(FGroup, &TskSkinCustomButtonGroup::ButtonClick);
    SetParent(FGroup);
    SetCanFocused(true);
    SetFlat(true);
}

TskOwnedGroupButton::~TskOwnedGroupButton() {
    TskOwnedGroupButton::Unlink();
}

void TskOwnedGroupButton::Unlink() {
    TskSkinCheckRadioBox::Unlink();
    if (!FGroup) return;
    EraseFromEnd<TskSkinCheckRadioBox>(FGroup->FButtons, this);
    FGroup = nullptr;
}

bool TskOwnedGroupButton::CanModify() {
    return FGroup && FGroup->CanModify();
}

void TskOwnedGroupButton::CNCommand(TMessage& Message) {
    if (FInClick) return;
    TFlagGuard inClick(FInClick);
    const int code = HIWORD(Message.WParam);
    if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && CanModify())
        TskSkinCheckRadioBox::Dispatch(Message);
}

void TskOwnedGroupButton::KeyPress(char& Key) {
    TskSkinCheckRadioBox::KeyPress(Key);
    if (FGroup) FGroup->GroupKeyPress(Key);
    if ((Key == '\b' || Key == ' ') && !CanModify()) Key = '\0';
}

void TskOwnedGroupButton::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCheckRadioBox::KeyDown(Key, Shift);
    if (FGroup) FGroup->GroupKeyDown(Key, Shift);
}

TskGroupButton::TskGroupButton(TskSkinCustomButtonGroup* Group) : TskOwnedGroupButton(Group) {
    SetRadio(true);
    SetSkinDataName("radiobox");
    SetGroupIndex(1);
    SetDefaultWidth(0);
    SetDefaultHeight(0);
}

TskCheckGroupButton::TskCheckGroupButton(TskSkinCustomButtonGroup* Group)
    : TskOwnedGroupButton(Group) {
    SetSkinDataName("checkbox");
}

// ---- The groups' common part ---------------------------------------------------------------

TskSkinCustomButtonGroup::TskSkinCustomButtonGroup(TComponent* AOwner,
                                                   const AnsiString& ButtonSection)
    : TskSkinGroupBox(AOwner), FItems(std::make_unique<TStringList>()),
      FButtonDefaultFont(std::make_unique<TFont>()), FButtonSkinDataName(ButtonSection) {
    SetControlStyle(GetControlStyle() << csSetCaption << csDoubleClicks);
    FItems->OnChange = TNotifyEvent(this, &TskSkinCustomButtonGroup::ItemsChange);
    MakeDefaultSkinFont(FButtonDefaultFont.get());
    FButtonDefaultFont->OnChange = TNotifyEvent(this, &TskSkinCustomButtonGroup::ButtonFontChange);
}

TskSkinCustomButtonGroup::~TskSkinCustomButtonGroup() {
    SetButtonCount(0);
    FItems->OnChange = nullptr;
    FButtonDefaultFont->OnChange = nullptr;
}

void TskSkinCustomButtonGroup::SetButtonCount(int Count) {
    while (GetButtonCount() < Count) NewButton();
    while (GetButtonCount() > Count) delete FButtons.back();
    for (int i = 0; i < GetButtonCount(); ++i) {
        TskSkinCheckRadioBox* button = GetButton(i);
        button->SetImageIndex(i);
        button->SetImages(FImages);
        button->SetSkinData(GetSkin());
        button->SetSkinDataName(FButtonSkinDataName);
        button->SetDefaultFont(FButtonDefaultFont.get());
    }
}

void TskSkinCustomButtonGroup::UpdateButtons() {
    SetButtonCount(FItems->GetCount());
    for (int i = 0; i < GetButtonCount(); ++i)
        GetButton(i)->SetCaption(FItems->Get(i));
    ButtonsMade();
    ArrangeButtons();
    Invalidate();
}

void TskSkinCustomButtonGroup::ArrangeButtons() {
    if (FButtons.empty() || FReading) return;
    TRect r(0, 0, GetWidth(), GetHeight());
    AdjustClientRect(r);
    const int count = GetButtonCount();
    const int rows = (count + FColumns - 1) / FColumns;
    const int w = RectWidth(r) / FColumns - 2;
    const int h = RectHeight(r) / rows;
    const bool batch = HandleAllocated();
    HDWP positions = batch ? BeginDeferWindowPos(count) : nullptr;
    for (int i = 0; i < count; ++i) {
        TskSkinCheckRadioBox* button = GetButton(i);
        const int left = (i / rows) * w + r.Left + 1;
        const int top = (i % rows) * h + r.Top;
        if (batch && positions)
            positions = DeferWindowPos(positions, button->GetHandle(), nullptr, left, top, w, h,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        else
            button->SetBounds(left, top, w, h);
        button->SetVisible(true);
    }
    if (positions) EndDeferWindowPos(positions);
}

void TskSkinCustomButtonGroup::ButtonClick(TObject* Sender) {
    if (FUpdating) return;
    const auto at = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (at == FButtons.end()) return;
    FItemIndex = static_cast<int>(at - FButtons.begin());
    Changed();
    Click();
}

void TskSkinCustomButtonGroup::ItemsChange(TObject*) {
    if (FReading) return;
    if (FItems->GetCount() <= FItemIndex) FItemIndex = FItems->GetCount() - 1;
    UpdateButtons();
}

void TskSkinCustomButtonGroup::ReadState(TReader* Reader) {
    {
        TFlagGuard reading(FReading);
        Reader->ReadProperties(this);
        if (!Reader->EndOfList())
            throw EReadError(GetName() + " makes its own buttons; its resource may hold no child object");
        Reader->ReadChildren(this);
    }
    UpdateButtons();
}

void TskSkinCustomButtonGroup::Loaded() {
    TskSkinGroupBox::Loaded();
    ArrangeButtons();
}

void TskSkinCustomButtonGroup::SetColumns(int Value) {
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TskSkinCustomButtonGroup::SetImages(TCustomImageList* Value) {
    SetReference(this, FImages, Value);
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetImages(Value);
}

void TskSkinCustomButtonGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TskSkinCustomButtonGroup::SetButtonSkinDataName(const AnsiString& Value) {
    FButtonSkinDataName = Value;
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetSkinDataName(Value);
}

void TskSkinCustomButtonGroup::ButtonFontChange(TObject*) {
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetDefaultFont(FButtonDefaultFont.get());
}

void TskSkinCustomButtonGroup::SetSkinData(TskSkinData* Value) {
    TskSkinGroupBox::SetSkinData(Value);
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetSkinData(Value);
}

void TskSkinCustomButtonGroup::ChangeSkinData() {
    TskSkinGroupBox::ChangeSkinData();
    ArrangeButtons();
}

void TskSkinCustomButtonGroup::CMEnabledChanged(TMessage& Message) {
    TskSkinGroupBox::Dispatch(Message);
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetEnabled(GetEnabled());
}

void TskSkinCustomButtonGroup::CMFontChanged(TMessage& Message) {
    TskSkinGroupBox::Dispatch(Message);
    ArrangeButtons();
}

void TskSkinCustomButtonGroup::WMSize(TMessage& Message) {
    TskSkinGroupBox::Dispatch(Message);
    ArrangeButtons();
}

namespace {

template <class C> void PublishButtonGroup(TPropertyList& P, const char* ButtonSection) {
    P.Add("Images", &C::GetImages, &C::SetImages);
    P.Add("ButtonSkinDataName", &C::GetButtonSkinDataName, &C::SetButtonSkinDataName,
          AnsiString(ButtonSection));
    P.Add("ButtonDefaultFont", &C::GetButtonDefaultFont);
    P.Add("Columns", &C::GetColumns, &C::SetColumns, 1);
    P.Add("Items", &C::GetItems);
}

} // namespace

// ---- Radio group -------------------------------------------------------------------------------

TskSkinCustomRadioGroup::TskSkinCustomRadioGroup(TComponent* AOwner)
    : TskSkinCustomButtonGroup(AOwner, "radiobox") {}

TskSkinCheckRadioBox* TskSkinCustomRadioGroup::NewButton() {
    return new TskGroupButton(this);
}

void TskSkinCustomRadioGroup::SetItemIndex(int Value) {
    if (FReading) {
        StoreItemIndex(Value);
        return;
    }
    Value = std::clamp(Value, -1, GetButtonCount() - 1);
    if (Value == GetItemIndex()) return;
    if (GetItemIndex() >= 0) GetButton(GetItemIndex())->SetChecked(false);
    StoreItemIndex(Value);
    if (Value >= 0) GetButton(Value)->SetChecked(true);
}

void TskSkinCustomRadioGroup::ButtonsMade() {
    // A resource may name a line that is not there.
    StoreItemIndex(std::clamp(GetItemIndex(), -1, GetButtonCount() - 1));
    if (GetItemIndex() < 0) return;
    TFlagGuard updating(FUpdating);
    GetButton(GetItemIndex())->SetChecked(true);
}

void TskSkinRadioGroup::Published(TPropertyList& P) {
    PublishButtonGroup<TskSkinRadioGroup>(P, "radiobox");
    P.Add("ItemIndex", &TskSkinRadioGroup::GetItemIndex, &TskSkinRadioGroup::SetItemIndex, -1);
}

// ---- Check group -------------------------------------------------------------------------------

TskSkinCustomCheckGroup::TskSkinCustomCheckGroup(TComponent* AOwner)
    : TskSkinCustomButtonGroup(AOwner, "checkbox") {}

TskSkinCheckRadioBox* TskSkinCustomCheckGroup::NewButton() {
    return new TskCheckGroupButton(this);
}

bool TskSkinCustomCheckGroup::GetChecked(int Index) const {
    return Index >= 0 && Index < GetButtonCount() && GetButton(Index)->GetChecked();
}

void TskSkinCustomCheckGroup::SetChecked(int Index, bool Value) {
    if (Index < 0 || Index >= GetButtonCount()) return;
    TFlagGuard updating(FUpdating);
    GetButton(Index)->SetChecked(Value);
}

void TskSkinCheckGroup::Published(TPropertyList& P) {
    PublishButtonGroup<TskSkinCheckGroup>(P, "checkbox");
    P.Add("ItemIndex", &TskSkinCheckGroup::GetItemIndex);
}

REGISTER_CLASS(TskSkinRadioGroup);
REGISTER_CLASS(TskSkinCheckGroup);

DEFINE_UNIT(SkinCtrls_ButtonGroups, uoSkin + 10, nullptr, nullptr);
