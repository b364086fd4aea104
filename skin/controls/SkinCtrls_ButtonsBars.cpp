#include "skin/controls/SkinCtrls_ButtonsBars.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"

#include <algorithm>

namespace {

constexpr int kScrollButtonSize = 18;
constexpr int kScrollButtonMargin = 5;
constexpr int kScrollInterval = 150;

} // namespace

// ---- Items and sections ---------------------------------------------------------------------

void TskButtonBarEntry::Published(TPropertyList& P) {
    P.Add("Text", &TskButtonBarEntry::GetText, &TskButtonBarEntry::SetText);
    P.Add("ImageIndex", &TskButtonBarEntry::GetImageIndex, &TskButtonBarEntry::SetImageIndex, 0);
}

void TskButtonBarEntry::SetText(const AnsiString& Value) {
    if (Value == FText) return;
    FText = Value;
    Changed(false);
}

void TskButtonBarEntry::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Changed(false);
}

void TskButtonBarEntry::Click() {
    if (OnClick) OnClick(this);
}

void TskButtonBarEntry::AssignEntry(const TskButtonBarEntry* Source) {
    FText = Source->FText;
    FImageIndex = Source->FImageIndex;
}

void TskButtonBarItem::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TskButtonBarItem*>(Source);
    if (!source) {
        TskButtonBarEntry::Assign(Source);
        return;
    }
    AssignEntry(source);
    OnClick = source->OnClick;
    Changed(false);
}

TskButtonBarItems::TskButtonBarItems(TskButtonBarSection* Section)
    : TCollection(Section, TskButtonBarItem::StaticClass(), &NewCollectionItem<TskButtonBarItem>),
      FSection(Section) {}

void TskButtonBarItems::Update(TCollectionItem*) {
    FSection->ItemsChanged();
}

TskButtonBarSection::TskButtonBarSection(TCollection* Collection)
    : TskButtonBarEntry(Collection), FItems(std::make_unique<TskButtonBarItems>(this)) {}

TskButtonBarSection::~TskButtonBarSection() = default;

void TskButtonBarSection::Published(TPropertyList& P) {
    P.Add("Items", &TskButtonBarSection::GetItems);
}

void TskButtonBarSection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TskButtonBarSection*>(Source);
    if (!source) {
        TskButtonBarEntry::Assign(Source);
        return;
    }
    AssignEntry(source);
    // The items too: a copied section keeps what it offers.
    FItems->Assign(source->FItems.get());
    Changed(false);
}

AnsiString TskButtonBarSection::GetDisplayName() {
    return GetText().empty() ? TskButtonBarEntry::GetDisplayName() : GetText();
}

TskButtonBarSections::TskButtonBarSections(TskSkinButtonsBar* Bar)
    : TCollection(Bar, TskButtonBarSection::StaticClass(),
                  &NewCollectionItem<TskButtonBarSection>),
      FBar(Bar) {}

void TskButtonBarSections::Update(TCollectionItem* Item) {
    // A collection of no bar (a copy) has no buttons.
    if (!FBar) return;
    if (Item) {
        FBar->UpdateSection(Item->GetIndex());
        return;
    }
    // Sections came, went or moved: every button is made anew.
    FBar->UpdateSections();
    FBar->UpdateItems();
}

// ---- The buttons ----------------------------------------------------------------------------

TskSectionButton::TskSectionButton(TComponent* AOwner, TskSkinButtonsBar* Bar, int Index)
    : TskSkinSpeedButton(AOwner), FBar(Bar), FIndex(Index) {
    SetNumGlyphs(1);
    SetSpacing(5);
    SetSkinDataName(Bar->GetSectionButtonSkinDataName());
    SetDefaultFont(Bar->GetDefaultSectionFont());
    SetUseSkinFont(Bar->GetUseSkinFont());
}

void TskSectionButton::ButtonClick() {
    TComponentProtector protect(this);
    FBar->OpenSection(FIndex);
    // Opening the section may have made the buttons anew.
    if (IsDestroying()) return;
    TskSkinSpeedButton::ButtonClick();
}

TskSectionItem::TskSectionItem(TComponent* AOwner, TskSkinButtonsBar* Bar, int SectionIndex,
                               int ItemIndex)
    : TskSkinSpeedButton(AOwner), FBar(Bar), FSectionIndex(SectionIndex), FItemIndex(ItemIndex) {
    SetFlat(true);
    SetAlphaBlend(false);
    SetSkinDataName("resizebutton");
    SetNumGlyphs(1);
    SetLayout(blGlyphTop);
    SetSpacing(5);
    SetDefaultFont(Bar->GetDefaultItemFont());
    SetUseSkinFont(Bar->GetUseSkinFont());
}

void TskSectionItem::ButtonClick() {
    TComponentProtector protect(this);
    TskButtonBarSections* sections = FBar->GetSections();
    if (FSectionIndex < sections->GetCount()) {
        TskButtonBarItems* items = sections->GetItem(FSectionIndex)->GetItems();
        if (FItemIndex < items->GetCount()) items->GetItem(FItemIndex)->Click();
    }
    // The item's event may have made the buttons anew.
    if (IsDestroying()) return;
    TskSkinSpeedButton::ButtonClick();
}

// ---- TskSkinButtonsBar ----------------------------------------------------------------------

TskSkinButtonsBar::TskSkinButtonsBar(TComponent* AOwner)
    : TskSkinPanel(AOwner), FSections(std::make_unique<TskButtonBarSections>(this)),
      FDefaultSectionFont(std::make_unique<TFont>()), FDefaultItemFont(std::make_unique<TFont>()) {
    MakeDefaultSkinFont(FDefaultSectionFont.get());
    MakeDefaultSkinFont(FDefaultItemFont.get());
    SetAlign(alLeft);
    FItemsPanel = new TskSkinPanel(this);
    FItemsPanel->SetAlign(alClient);
    FItemsPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    FItemsPanel->OnResize = TNotifyEvent(this, &TskSkinButtonsBar::ItemsPanelResize);
    FItemsPanel->SetParent(this);
}

TskSkinButtonsBar::~TskSkinButtonsBar() {
    if (FItemsPanel) FItemsPanel->OnResize = nullptr;
    FSections.reset();
    FreeItemButtons();
    FreeSectionButtons();
    delete FUpButton;
    delete FDownButton;
}

void TskSkinButtonsBar::Published(TPropertyList& P) {
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alLeft);
    P.Add("Sections", &TskSkinButtonsBar::GetSections);
    P.Add("SectionIndex", &TskSkinButtonsBar::GetSectionIndex, &TskSkinButtonsBar::SetSectionIndex, 0);
    P.Add("ShowButtons", &TskSkinButtonsBar::GetShowButtons, &TskSkinButtonsBar::SetShowButtons, true);
    P.Add("DefaultSectionFont", &TskSkinButtonsBar::GetDefaultSectionFont);
    P.Add("DefaultItemFont", &TskSkinButtonsBar::GetDefaultItemFont);
    P.Add("DefaultButtonHeight", &TskSkinButtonsBar::GetDefaultButtonHeight,
          &TskSkinButtonsBar::SetDefaultButtonHeight, 25);
    P.Add("SectionButtonSkinDataName", &TskSkinButtonsBar::GetSectionButtonSkinDataName,
          &TskSkinButtonsBar::SetSectionButtonSkinDataName, AnsiString("toolbutton"));
    P.Add("ItemHeight", &TskSkinButtonsBar::GetItemHeight, &TskSkinButtonsBar::SetItemHeight, 60);
    P.Add("ItemsTransparent", &TskSkinButtonsBar::GetItemsTransparent,
          &TskSkinButtonsBar::SetItemsTransparent, true);
    P.Add("ItemImages", &TskSkinButtonsBar::GetItemImages, &TskSkinButtonsBar::SetItemImages);
    P.Add("SectionImages", &TskSkinButtonsBar::GetSectionImages,
          &TskSkinButtonsBar::SetSectionImages);
}

// ---- Sections ----------------------------------------------------------------------------------

void TskSkinButtonsBar::FreeSectionButtons() {
    const auto buttons = std::move(FSectionButtons);
    FSectionButtons.clear();
    for (TskSectionButton* button : buttons) delete button;
}

void TskSkinButtonsBar::FollowSection(TskSectionButton* Button, int Index) {
    TskButtonBarSection* section = FSections->GetItem(Index);
    Button->SetHeight(FDefaultButtonHeight);
    Button->SetCaption(section->GetText());
    Button->SetGlyphFromImages(FSectionImages, section->GetImageIndex());
}

void TskSkinButtonsBar::UpdateSections() {
    FreeSectionButtons();
    if (!HandleAllocated() || IsDestroying()) return;
    const int count = FSections->GetCount();
    // Sections that went take the open index with them.
    if (FSectionIndex >= count) FSectionIndex = std::max(0, count - 1);
    if (FShowButtons) {
        const int height = GetHeight();
        for (int i = 0; i < count; ++i) {
            auto* button = new TskSectionButton(this, this, i);
            FSectionButtons.push_back(button);
            // Below the bar, each below the one before: the stacks take them in that order.
            button->SetBounds(0, height + i * FDefaultButtonHeight, button->GetWidth(),
                              FDefaultButtonHeight);
            button->SetSkinData(GetSkin());
            FollowSection(button, i);
            button->SetParent(this);
        }
        StackSectionButtons();
    }
    CheckVisibleItems();
}

void TskSkinButtonsBar::StackSectionButtons() {
    StackInOrder(this, std::vector<TControl*>(FSectionButtons.begin(), FSectionButtons.end()),
                 FSectionIndex);
}

void TskSkinButtonsBar::UpdateSection(int Index) {
    if (Index < 0 || Index >= FSections->GetCount()) return;
    if (!FShowButtons) {
        UpdateItems();
        return;
    }
    for (int i = 0; i < GetSectionButtonCount(); ++i) {
        TskSectionButton* button = GetSectionButton(i);
        if (button->GetSectionIndex() != Index) continue;
        const bool captionChanged = button->GetCaption() != FSections->GetItem(Index)->GetText();
        FollowSection(button, Index);
        // The caption stayed: the section's items changed.
        if (Index == FSectionIndex && !captionChanged) UpdateItems();
        return;
    }
}

void TskSkinButtonsBar::SetSectionIndex(int Value) {
    if (IsLoading()) {
        FSectionIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FSections->GetCount() || Value == FSectionIndex) return;
    OpenSection(Value);
}

void TskSkinButtonsBar::OpenSection(int Index) {
    if (Index == FSectionIndex || Index < 0 || Index >= FSections->GetCount()) return;
    FSectionIndex = Index;
    if (FShowButtons) StackSectionButtons();
    UpdateItems();
    if (!IsLoading() && Index < FSections->GetCount()) FSections->GetItem(Index)->Click();
}

// ---- Items ---------------------------------------------------------------------------------------

void TskSkinButtonsBar::FreeItemButtons() {
    const auto buttons = std::move(FItemButtons);
    FItemButtons.clear();
    for (TskSectionItem* button : buttons) delete button;
}

void TskSkinButtonsBar::UpdateItems() {
    FreeItemButtons();
    ShowScrollButton(FUpButton, false, "SK_BB_UP", &TskSkinButtonsBar::ScrollUp);
    ShowScrollButton(FDownButton, false, "SK_BB_DOWN", &TskSkinButtonsBar::ScrollDown);
    FTopIndex = 0;
    FVisibleCount = 0;
    if (!HandleAllocated() || IsDestroying() || FSectionIndex < 0 ||
        FSectionIndex >= FSections->GetCount())
        return;
    if (FShowButtons && FSectionButtons.empty()) return;
    TskButtonBarItems* items = FSections->GetItem(FSectionIndex)->GetItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        TskButtonBarItem* item = items->GetItem(i);
        auto* button = new TskSectionItem(this, this, FSectionIndex, i);
        FItemButtons.push_back(button);
        button->SetVisible(false);
        button->SetHeight(FItemHeight);
        button->SetFlat(FItemsTransparent);
        button->SetSkinData(GetSkin());
        button->SetCaption(item->GetText());
        button->SetGlyphFromImages(FItemImages, item->GetImageIndex());
    }
    CheckVisibleItems();
}

void TskSkinButtonsBar::ShowItem(int Index, bool Visible) {
    TskSectionItem* item = GetItemButton(Index);
    item->SetVisible(Visible);
    // A hidden item leaves the panel, so that the panel holds only what it shows.
    if (!Visible) item->SetParent(nullptr);
}

void TskSkinButtonsBar::CheckVisibleItems() {
    if (!FItemsPanel) return;
    const int count = GetItemButtonCount();
    const int oldTop = FTopIndex;
    const int oldVisible = FVisibleCount;
    const int panelHeight = FItemsPanel->GetHeight();
    int visible = FItemHeight > 0 ? panelHeight / FItemHeight : 0;
    visible = std::clamp(visible, 0, count);
    if (visible >= count)
        FTopIndex = 0;
    else if (FTopIndex + visible > count && FTopIndex >= 1)
        FTopIndex = std::max(0, FTopIndex + (oldVisible - visible));
    // However the room changed, the last item shown is an item.
    FTopIndex = std::clamp(FTopIndex, 0, std::max(0, count - visible));
    FVisibleCount = visible;
    for (int i = 0; i < count && i < GetItemButtonCount(); ++i) {
        TskSectionItem* item = GetItemButton(i);
        const bool shown = i >= FTopIndex && i < FTopIndex + FVisibleCount;
        const bool wasShown = item->GetVisible() && item->GetParent() == FItemsPanel;
        if (shown && !wasShown) {
            item->SetTop(i >= oldTop ? panelHeight : 0);
            ShowItem(i, true);
        } else if (!shown) {
            ShowItem(i, false);
        }
    }
    ArrangeItems();
}

void TskSkinButtonsBar::ArrangeItems() {
    if (!FItemsPanel) return;
    const int count = GetItemButtonCount();
    ShowScrollButton(FUpButton, FTopIndex > 0, "SK_BB_UP", &TskSkinButtonsBar::ScrollUp);
    ShowScrollButton(FDownButton, FTopIndex + FVisibleCount < count, "SK_BB_DOWN",
                     &TskSkinButtonsBar::ScrollDown);
    const int width = FItemsPanel->GetWidth();
    const int height = FItemsPanel->GetHeight();
    if (FUpButton)
        FUpButton->SetBounds(width - FUpButton->GetWidth() - kScrollButtonMargin, kScrollButtonMargin,
                             FUpButton->GetWidth(), FUpButton->GetHeight());
    if (FDownButton)
        FDownButton->SetBounds(width - FDownButton->GetWidth() - kScrollButtonMargin,
                               height - FDownButton->GetHeight() - kScrollButtonMargin,
                               FDownButton->GetWidth(), FDownButton->GetHeight());
    int y = 0;
    for (int i = FTopIndex; i < FTopIndex + FVisibleCount && i < GetItemButtonCount(); ++i) {
        TskSectionItem* item = GetItemButton(i);
        item->SetBounds(0, y, width, FItemHeight);
        item->SetParent(FItemsPanel);
        y += FItemHeight;
    }
}

void TskSkinButtonsBar::ShowScrollButton(TskSkinButton*& Button, bool Show, const char* Glyph,
                                         void (TskSkinButtonsBar::*Scroll)()) {
    if (!Show) {
        // The button may be the one being clicked: its call keeps it whole until it returns.
        TskSkinButton* button = Button;
        Button = nullptr;
        delete button;
        return;
    }
    if (Button || !HandleAllocated() || !FItemsPanel) return;
    auto* button = new TskSkinButton(this);
    button->SetCanFocused(false);
    button->SetTabStop(false);
    button->SetSpacing(0);
    button->SetSkinDataName("resizebutton");
    button->SetRepeatMode(true);
    button->SetRepeatInterval(kScrollInterval);
    button->SetNumGlyphs(1);
    try {
        button->GetGlyph()->LoadFromResourceName(GetModuleHandleA(nullptr), Glyph);
    } catch (const EResNotFound&) {
        // A program without the resources shows a button without an arrow.
    }
    button->SetBounds(0, -kScrollButtonSize, kScrollButtonSize, kScrollButtonSize);
    button->OnClick = Scroll == &TskSkinButtonsBar::ScrollUp
                          ? TNotifyEvent(this, &TskSkinButtonsBar::ScrollUpClick)
                          : TNotifyEvent(this, &TskSkinButtonsBar::ScrollDownClick);
    button->SetSkinData(GetSkin());
    button->SetParent(FItemsPanel);
    button->BringToFront();
    Button = button;
}

void TskSkinButtonsBar::ScrollUp() {
    if (FTopIndex <= 0 || FVisibleCount <= 0) return;
    ShowItem(FTopIndex + FVisibleCount - 1, false);
    --FTopIndex;
    ShowItem(FTopIndex, true);
    ArrangeItems();
}

void TskSkinButtonsBar::ScrollDown() {
    if (FVisibleCount <= 0 || FTopIndex + FVisibleCount >= GetItemButtonCount()) return;
    ShowItem(FTopIndex, false);
    ++FTopIndex;
    ShowItem(FTopIndex + FVisibleCount - 1, true);
    ArrangeItems();
}

void TskSkinButtonsBar::ItemsPanelResize(TObject*) {
    CheckVisibleItems();
}

// ---- Properties -----------------------------------------------------------------------------

void TskSkinButtonsBar::SetShowButtons(bool Value) {
    FShowButtons = Value;
    UpdateSections();
}

void TskSkinButtonsBar::SetDefaultButtonHeight(int Value) {
    FDefaultButtonHeight = Value;
    for (int i = 0; i < GetSectionButtonCount(); ++i)
        GetSectionButton(i)->SetHeight(Value);
}

void TskSkinButtonsBar::SetItemHeight(int Value) {
    FItemHeight = Value;
    UpdateItems();
}

void TskSkinButtonsBar::SetItemsTransparent(bool Value) {
    FItemsTransparent = Value;
    UpdateItems();
}

void TskSkinButtonsBar::Link(TCustomImageList*& Field, TCustomImageList* Value) {
    SetReference(this, Field, Value);
}

void TskSkinButtonsBar::SetItemImages(TCustomImageList* Value) {
    Link(FItemImages, Value);
    UpdateItems();
}

void TskSkinButtonsBar::SetSectionImages(TCustomImageList* Value) {
    Link(FSectionImages, Value);
    for (int i = 0; i < GetSectionButtonCount(); ++i) {
        TskSectionButton* button = GetSectionButton(i);
        if (button->GetSectionIndex() < FSections->GetCount())
            FollowSection(button, button->GetSectionIndex());
    }
}

void TskSkinButtonsBar::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FItemImages) FItemImages = nullptr;
    if (AComponent == FSectionImages) FSectionImages = nullptr;
    if (AComponent == FItemsPanel) FItemsPanel = nullptr;
}

void TskSkinButtonsBar::SetSkinData(TskSkinData* Value) {
    TskSkinPanel::SetSkinData(Value);
    if (FItemsPanel) FItemsPanel->SetSkinData(Value);
    for (TskSkinButton* button : {FUpButton, FDownButton})
        if (button) button->SetSkinData(Value);
    for (int i = 0; i < GetItemButtonCount(); ++i) GetItemButton(i)->SetSkinData(Value);
    UpdateSections();
}

void TskSkinButtonsBar::ChangeSkinData() {
    TskSkinPanel::ChangeSkinData();
    CheckVisibleItems();
}

void TskSkinButtonsBar::CreateWnd() {
    TskSkinPanel::CreateWnd();
    UpdateSections();
    UpdateItems();
}

void TskSkinButtonsBar::Loaded() {
    TskSkinPanel::Loaded();
    if (FSectionIndex < 0 || FSectionIndex >= FSections->GetCount()) FSectionIndex = 0;
    if (HandleAllocated()) {
        UpdateSections();
        UpdateItems();
    }
}

REGISTER_CLASS(TskSkinButtonsBar);

DEFINE_UNIT(SkinCtrls_ButtonsBars, uoSkin + 10, nullptr, nullptr);
