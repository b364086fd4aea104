// Skinned page and tab controls: the system's tab control keeps the layout of the tabs,
// the keyboard and the page switching; the skinned controls take over its painting (the
// frame of the page area, the strip's background and every tab, from the record "tab"),
// light the tab under the pointer, fit the page area into the skin's frame and scroll a
// single-line strip that overflows with a skinned up-down in place of the system's arrows.
#pragma once

#include "skin/controls/SkinCtrls_Client.h"
#include "skin/controls/SkinCtrls_UpDown.h"

#include "classlib/Tabs.h"
#include "classlib/UnitInit.h"

#include <memory>

DECLARE_UNIT(SkinTabs)

// What the page and the tab control share: the skin and the copies of its record, the
// default look, the hot tab, the painting, the page area's corrections and the up-down.
// Tabs are numbered as the strip shows them (a page control's hidden pages have none).
class TskTabsSkin : public TskSkinFollower {
public:
    TskTabsSkin();
    ~TskTabsSkin() override;

    TskSkinData* GetSkin() const override { return FSD; }
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    int GetDefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int Value);
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

    // The record's index in the skin's control list; -1 in the default look.
    int GetSkinIndex() const { return FIndex; }
    // The tab under the pointer, -1 when none.
    int GetHotTab() const { return FHotTab; }
    // The skinned up-down while tabs are out of view; null otherwise.
    TskSkinUpDown* GetUpDown() const { return FUpDown; }

    // Looks the record up and copies it; a record naming pictures the skin lacks counts
    // as naming none.
    void GetSkinData();
    void BeforeChangeSkinData() override { FIndex = -1; }
    void ChangeSkinData() override;

    // The number of tabs that lie beyond the right end (less the up-down) or the left
    // edge of a single-line strip.
    int GetInVisibleItemCount();
    // The number of tabs scrolled out to the left of a single-line strip.
    int GetPosition();
    // A page's background: the skin's background picture or the record's client part,
    // tiled from the top-left corner; the button face in the default look.
    void PaintPageBackground(TBitmap* B);

protected:
    virtual TCustomTabControl* Tabs() = 0;
    // The tab control shows its background picture all over, without a frame.
    virtual bool ShowsBackgroundPicture() const { return false; }
    virtual bool TabImageEnabled(int) { return true; }
    virtual TSize UpDownSize() const = 0;

    // The tab height of the look and a realignment.
    void UpDateTabs();
    // The up-down follows a new selection or scroll and the control repaints.
    void SelectionChanged();
    // Tab height and font of the look.
    void ApplyLook();
    // The default look's tab height once the form resource has been read.
    void LoadedLook();
    void SkinNotification(TComponent* AComponent, TOperation Operation);

    // The control's own answers to the system control's layout messages, and the hot tab.
    void TabsWndProc(TMessage& Message);
    void TestActive(int X, int Y);
    void MouseLeft();
    void PaintTabs(HDC DC);
    // Frame and strip of the look into B; the picture of the page area's frame comes from
    // the skin only.
    void PaintSkinWindow(TBitmap* B);
    void PaintDefaultWindow(TBitmap* B);
    // The native arrows hidden, the skinned up-down made, placed or removed as tabs are out
    // of view.
    void CheckScroll();
    void HideSkinUpDown();

    // Copies of the record.
    TBitmap* FPicture = nullptr;
    TRect SkinRect, TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClRect, TabsBGRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    AnsiString FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    AnsiString UpDownName;
    int BGPictureIndex = -1;

private:
    // The widths of the page area's frame: left, top, right, bottom.
    TRect FrameInsets();
    void AdjustDisplayRect(bool ToWindow, RECT& R);
    void CorrectItemRect(RECT& R);
    void DrawTabs(TCanvas* Canvas);
    void DrawTab(int Tab, const TRect& Rct, bool Active, bool MouseIn, TCanvas* Canvas);
    // The state picture of a tab, null when the skin's picture does not hold it.
    const TRect* TabLook(bool Active, bool Focused, bool MouseIn) const;
    void InvalidateTab(int Tab);
    void HideNativeUpDown();
    void ShowSkinUpDown();
    void PlaceUpDown();
    void OnUpDownChange(TObject* Sender);
    TBitmap* PictureAt(int Index) const;

    TskSkinData* FSD = nullptr;
    AnsiString FSkinDataName = "tab";
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultItemHeight = 20;
    bool FUseSkinFont = true;
    TskSkinUpDown* FUpDown = nullptr;
    int FHotTab = -1;
};

template <class C> void PublishTabsSkin(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("UseSkinFont", Own<C>(&C::GetUseSkinFont), Own<C>(&C::SetUseSkinFont), true);
    P.Add("DefaultFont", Own<C>(&C::GetDefaultFont));
    P.Add("DefaultItemHeight", Own<C>(&C::GetDefaultItemHeight), Own<C>(&C::SetDefaultItemHeight),
          20)
        .Range(1, 32767);
    P.Add("SkinData", Own<C>(&C::GetSkin), Own<C>(&C::SetSkinData));
    P.Add("SkinDataName", Own<C>(&C::GetSkinDataName), Own<C>(&C::SetSkinDataName));
}

// The skinned look over one of the class library's tab controls (Base).
template <class Base> class TskSkinTabsControl : public Base, public TskTabsSkin {
public:
    explicit TskSkinTabsControl(TComponent* AOwner);
    static void Published(TPropertyList& P) { PublishTabsSkin<TskSkinTabsControl>(P); }

    void PaintWindow(HDC DC) override { PaintTabs(DC); }
    void Loaded() override;

protected:
    TCustomTabControl* Tabs() override { return this; }

    void Change() override;
    void TabItemsChanged() override { CheckScroll(); }
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMHScroll(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinTabsControl, Base)
    MESSAGE_HANDLER(WM_HSCROLL, WMHScroll)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS
};

class TskSkinPageControl : public TskSkinTabsControl<TPageControl> {
    DECLARE_CLASS(TskSkinPageControl, TPageControl)
public:
    explicit TskSkinPageControl(TComponent* AOwner) : TskSkinTabsControl(AOwner) {}

protected:
    bool TabImageEnabled(int Tab) override;
    TSize UpDownSize() const override;

    void WMEraseBkgnd(TWMEraseBkgnd& Message);

    MESSAGE_HANDLERS(TskSkinPageControl, TskSkinTabsControl<TPageControl>)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS
};

// A page of the skinned page control: its background is the skin's background picture
// or the client part of the page control's record, tiled.
class TskSkinCustomTabSheet : public TTabSheet {
    DECLARE_CLASS(TskSkinCustomTabSheet, TTabSheet)
public:
    explicit TskSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}

    void PaintBG(HDC DC);

protected:
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    void WMSize(TWMSize& Message);

    MESSAGE_HANDLERS(TskSkinCustomTabSheet, TTabSheet)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    END_MESSAGE_HANDLERS
};

class TskSkinTabSheet : public TskSkinCustomTabSheet {
    DECLARE_CLASS(TskSkinTabSheet, TskSkinCustomTabSheet)
public:
    explicit TskSkinTabSheet(TComponent* AOwner) : TskSkinCustomTabSheet(AOwner) {}
};

class TskSkinTabControl : public TskSkinTabsControl<TTabControl> {
    DECLARE_CLASS(TskSkinTabControl, TTabControl)
public:
    explicit TskSkinTabControl(TComponent* AOwner) : TskSkinTabsControl(AOwner) {}

protected:
    bool ShowsBackgroundPicture() const override { return true; }
    TSize UpDownSize() const override { return {36, 18}; }

    void WMEraseBkgnd(TWMEraseBkgnd& Message);

    MESSAGE_HANDLERS(TskSkinTabControl, TskSkinTabsControl<TTabControl>)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS
};
