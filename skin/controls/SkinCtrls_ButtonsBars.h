// The skinned buttons bar: a side bar of sections, each with a header button; the open
// section's items are a column of large flat buttons in an inner panel that scrolls by one
// item with two small arrow buttons. Sections and items are collections stored in form
// resources; the bar makes every button from them itself and never stores one.
#pragma once

#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "classlib/Collection.h"
#include "classlib/ImageLists.h"

#include <memory>
#include <vector>

DECLARE_UNIT(SkinCtrls_ButtonsBars)

class TskSkinButtonsBar;
class TskButtonBarSection;

// What items and sections share: a text, an image of a list and a click event.
class TskButtonBarEntry : public TCollectionItem {
    DECLARE_CLASS(TskButtonBarEntry, TCollectionItem)
public:
    explicit TskButtonBarEntry(TCollection* Collection) : TCollectionItem(Collection) {}
    static void Published(TPropertyList& P);

    // Not stored: the program sets it.
    TNotifyEvent OnClick;

    const AnsiString& GetText() const { return FText; }
    void SetText(const AnsiString& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void Click();

protected:
    // Text and image of Source.
    void AssignEntry(const TskButtonBarEntry* Source);

private:
    AnsiString FText;
    int FImageIndex = 0;
};

class TskButtonBarItem : public TskButtonBarEntry {
    DECLARE_CLASS(TskButtonBarItem, TskButtonBarEntry)
public:
    explicit TskButtonBarItem(TCollection* Collection) : TskButtonBarEntry(Collection) {}
    // Text, image and click event.
    void Assign(TPersistent* Source) override;
};

class TskButtonBarItems : public TCollection {
    DECLARE_CLASS(TskButtonBarItems, TCollection)
public:
    explicit TskButtonBarItems(TskButtonBarSection* Section);

    TskButtonBarItem* Add() { return static_cast<TskButtonBarItem*>(TCollection::Add()); }
    TskButtonBarItem* GetItem(int Index) const {
        return static_cast<TskButtonBarItem*>(TCollection::GetItem(Index));
    }

protected:
    // Any change of the items is a change of their section.
    void Update(TCollectionItem* Item) override;

private:
    TskButtonBarSection* FSection;
};

class TskButtonBarSection : public TskButtonBarEntry {
    DECLARE_CLASS(TskButtonBarSection, TskButtonBarEntry)
public:
    explicit TskButtonBarSection(TCollection* Collection);
    ~TskButtonBarSection() override;
    static void Published(TPropertyList& P);

    TskButtonBarItems* GetItems() const { return FItems.get(); }
    void SetItems(TskButtonBarItems* Value) { FItems->Assign(Value); }
    // Text, image and items.
    void Assign(TPersistent* Source) override;
    // The text, or the class's name while there is none.
    AnsiString GetDisplayName() override;

private:
    friend class TskButtonBarItems;
    void ItemsChanged() { Changed(false); }

    std::unique_ptr<TskButtonBarItems> FItems;
};

class TskButtonBarSections : public TCollection {
    DECLARE_CLASS(TskButtonBarSections, TCollection)
public:
    explicit TskButtonBarSections(TskSkinButtonsBar* Bar);

    TskButtonBarSection* Add() { return static_cast<TskButtonBarSection*>(TCollection::Add()); }
    TskButtonBarSection* GetItem(int Index) const {
        return static_cast<TskButtonBarSection*>(TCollection::GetItem(Index));
    }

protected:
    // One section changed: its button; several: all buttons and items.
    void Update(TCollectionItem* Item) override;

private:
    TskSkinButtonsBar* FBar;
};

// The header button of a section: a click opens it.
class TskSectionButton : public TskSkinSpeedButton {
    DECLARE_CLASS(TskSectionButton, TskSkinSpeedButton)
public:
    TskSectionButton(TComponent* AOwner, TskSkinButtonsBar* Bar, int Index);
    int GetSectionIndex() const { return FIndex; }
    void ButtonClick() override;

private:
    TskSkinButtonsBar* FBar;
    int FIndex;
};

// The button of an item of the open section: a click clicks the item.
class TskSectionItem : public TskSkinSpeedButton {
    DECLARE_CLASS(TskSectionItem, TskSkinSpeedButton)
public:
    TskSectionItem(TComponent* AOwner, TskSkinButtonsBar* Bar, int SectionIndex, int ItemIndex);
    int GetItemIndex() const { return FItemIndex; }
    void ButtonClick() override;

private:
    TskSkinButtonsBar* FBar;
    int FSectionIndex;
    int FItemIndex;
};

class TskSkinButtonsBar : public TskSkinPanel {
    DECLARE_CLASS(TskSkinButtonsBar, TskSkinPanel)
public:
    explicit TskSkinButtonsBar(TComponent* AOwner);
    ~TskSkinButtonsBar() override;
    static void Published(TPropertyList& P);

    TskButtonBarSections* GetSections() const { return FSections.get(); }
    void SetSections(TskButtonBarSections* Value) { FSections->Assign(Value); }
    int GetSectionIndex() const { return FSectionIndex; }
    // Opens section Value; an index out of range or the open one changes nothing.
    void SetSectionIndex(int Value);
    bool GetShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value);
    // The fonts of buttons made from now on.
    TFont* GetDefaultSectionFont() const { return FDefaultSectionFont.get(); }
    void SetDefaultSectionFont(TFont* Value) { FDefaultSectionFont->Assign(Value); }
    TFont* GetDefaultItemFont() const { return FDefaultItemFont.get(); }
    void SetDefaultItemFont(TFont* Value) { FDefaultItemFont->Assign(Value); }
    int GetDefaultButtonHeight() const { return FDefaultButtonHeight; }
    void SetDefaultButtonHeight(int Value);
    const AnsiString& GetSectionButtonSkinDataName() const { return FSectionButtonSkinDataName; }
    void SetSectionButtonSkinDataName(const AnsiString& Value) { FSectionButtonSkinDataName = Value; }
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    bool GetItemsTransparent() const { return FItemsTransparent; }
    void SetItemsTransparent(bool Value);
    TCustomImageList* GetItemImages() const { return FItemImages; }
    void SetItemImages(TCustomImageList* Value);
    TCustomImageList* GetSectionImages() const { return FSectionImages; }
    void SetSectionImages(TCustomImageList* Value);

    // Opens section Index and clicks it.
    void OpenSection(int Index);
    // One item back or on; nothing at either end.
    void ScrollUp();
    void ScrollDown();

    // The first item shown and how many are shown.
    int GetTopIndex() const { return FTopIndex; }
    int GetVisibleCount() const { return FVisibleCount; }
    TskSkinPanel* GetItemsPanel() const { return FItemsPanel; }
    // The scroll buttons; null while hidden.
    TskSkinButton* GetUpButton() const { return FUpButton; }
    TskSkinButton* GetDownButton() const { return FDownButton; }
    int GetSectionButtonCount() const { return static_cast<int>(FSectionButtons.size()); }
    TskSectionButton* GetSectionButton(int Index) const {
        return FSectionButtons[static_cast<std::size_t>(Index)];
    }
    int GetItemButtonCount() const { return static_cast<int>(FItemButtons.size()); }
    TskSectionItem* GetItemButton(int Index) const {
        return FItemButtons[static_cast<std::size_t>(Index)];
    }

    // The items panel, the buttons and the scroll buttons take the same skin.
    void SetSkinData(TskSkinData* Value) override;
    void ChangeSkinData() override;

    // Makes the section buttons anew; without ShowButtons only the items' room is checked.
    void UpdateSections();
    // The button of section Index follows its section; a change of the open section's
    // items makes the item buttons anew.
    void UpdateSection(int Index);
    // Makes the open section's item buttons anew, from its first item.
    void UpdateItems();

protected:
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TskSectionButton;
    friend class TskSectionItem;

    void FreeSectionButtons();
    // The buttons of the sections up to the open one above the items, the others below.
    void StackSectionButtons();
    void FreeItemButtons();
    // Height, caption and glyph of the button of section Index.
    void FollowSection(TskSectionButton* Button, int Index);
    // Which items fit in the items panel and which are shown.
    void CheckVisibleItems();
    // The shown items one below the other, the scroll buttons as they are needed.
    void ArrangeItems();
    void ShowItem(int Index, bool Visible);
    // Makes or frees a scroll button.
    void ShowScrollButton(TskSkinButton*& Button, bool Show, const char* Glyph,
                          void (TskSkinButtonsBar::*Scroll)());
    void ItemsPanelResize(TObject* Sender);
    void ScrollUpClick(TObject*) { ScrollUp(); }
    void ScrollDownClick(TObject*) { ScrollDown(); }
    void Link(TCustomImageList*& Field, TCustomImageList* Value);

    std::unique_ptr<TskButtonBarSections> FSections;
    int FSectionIndex = 0;
    bool FShowButtons = true;
    std::unique_ptr<TFont> FDefaultSectionFont;
    std::unique_ptr<TFont> FDefaultItemFont;
    int FDefaultButtonHeight = 25;
    AnsiString FSectionButtonSkinDataName = "toolbutton";
    int FItemHeight = 60;
    bool FItemsTransparent = true;
    TCustomImageList* FItemImages = nullptr;
    TCustomImageList* FSectionImages = nullptr;

    TskSkinPanel* FItemsPanel = nullptr;
    std::vector<TskSectionButton*> FSectionButtons;
    std::vector<TskSectionItem*> FItemButtons;
    TskSkinButton* FUpButton = nullptr;
    TskSkinButton* FDownButton = nullptr;
    int FTopIndex = 0;
    int FVisibleCount = 0;
};
