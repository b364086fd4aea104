// Header controls: the system's header (SysHeader32), its sections a collection that form
// resources store. The window follows the sections; a section the user widens by its divider
// takes the new width. Owner-drawn sections are drawn by DrawSection.
#pragma once

#include "classlib/Collection.h"
#include "classlib/ImageLists.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(HeaderControls)

class THeaderControl;
class THeaderSections;

enum THeaderSectionStyle { hsText, hsOwnerDraw };
// Buttons: a section looks pushed while it is pressed; flat: sections never do.
enum THeaderStyle { hsButtons, hsFlat };

class THeaderSection : public TCollectionItem {
    DECLARE_CLASS(THeaderSection, TCollectionItem)
public:
    explicit THeaderSection(TCollection* Collection);
    static void Published(TPropertyList& P);

    void Assign(TPersistent* Source) override;
    AnsiString GetDisplayName() override;

    const AnsiString& GetText() const { return FText; }
    void SetText(const AnsiString& Value);
    int GetWidth() const { return FWidth; }
    // Negative widths are taken as 0.
    void SetWidth(int Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // -1 for none.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    THeaderSectionStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderSectionStyle Value);

    // The header the section belongs to; null outside one.
    THeaderControl* HeaderControl() const;

private:
    friend class THeaderControl;

    AnsiString FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    THeaderSectionStyle FStyle = hsText;
};

class THeaderSections : public TCollection {
    DECLARE_CLASS(THeaderSections, TCollection)
public:
    explicit THeaderSections(THeaderControl* Header);

    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
    THeaderSection* GetItem(int Index) const {
        return static_cast<THeaderSection*>(TCollection::GetItem(Index));
    }

protected:
    void Update(TCollectionItem* Item) override;

private:
    THeaderControl* FHeader;
};

using TSectionNotifyEvent = TEvent<void(THeaderControl* HeaderControl, THeaderSection* Section)>;
using TDrawSectionEvent = TEvent<void(THeaderControl* HeaderControl, THeaderSection* Section,
                                      const TRect& Rect, bool Pressed)>;

class THeaderControl : public TWinControl {
    DECLARE_CLASS(THeaderControl, TWinControl)
public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;
    static void Published(TPropertyList& P);

    TSectionNotifyEvent OnSectionClick;
    // A section's width changed by its divider.
    TSectionNotifyEvent OnSectionResize;
    TDrawSectionEvent OnDrawSection;

    THeaderSections* GetSections() const { return FSections.get(); }
    void SetSections(THeaderSections* Value);
    THeaderStyle GetStyle() const { return FStyle; }
    void SetStyle(THeaderStyle Value);
    // Sections may be dragged into another order; the window keeps the order shown.
    bool GetDragReorder() const { return FDragReorder; }
    void SetDragReorder(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // Owner-drawn sections draw on it while DrawSection runs.
    TCanvas* GetCanvas() const { return FCanvas.get(); }

    // The window takes the sections again: all of them, or only Section.
    void UpdateSections(THeaderSection* Section = nullptr);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ReleaseCanvasHandle() override;
    // Draws an owner-drawn section into Rect of Canvas; fires OnDrawSection.
    virtual void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed);
    virtual void SectionClick(THeaderSection* Section);
    virtual void SectionResize(THeaderSection* Section);

    void CNNotify(TMessage& Message);
    void CNDrawItem(TMessage& Message);

    MESSAGE_HANDLERS(THeaderControl, TWinControl)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    END_MESSAGE_HANDLERS

private:
    void InsertItem(int Index);
    void ItemInfo(THeaderSection* Section, HDITEMA& Info);
    // The section of a notification's item; null for an item the window holds alone.
    THeaderSection* SectionOf(int Item) const;

    std::unique_ptr<THeaderSections> FSections;
    std::unique_ptr<TControlCanvas> FCanvas;
    THeaderStyle FStyle = hsButtons;
    bool FDragReorder = false;
    TCustomImageList* FImages = nullptr;
};
