// The skinned main menu bar: a row of the main menu's top-level items along the top of a
// form, each opening its submenu as a skinned popup below it; items that do not fit are
// hidden and disabled behind a marker until they fit again. TskSkinMainMenu marks a main
// menu that a skinned form shows itself.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"
#include "skin/form/SkinMenus.h"

#include "classlib/Timers.h"

class TskSkinForm;

class TskSkinMainMenu : public TMainMenu {
    DECLARE_CLASS(TskSkinMainMenu, TMainMenu)
public:
    explicit TskSkinMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}
    static void Published(TPropertyList& P);
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { SetReference(this, FSkinData, Value); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskSkinData* FSkinData = nullptr;
};

// An item that does not fit leaves the bar (InBar false) and counts as disabled until it
// fits again; its menu item's own Enabled decides then.
struct TskMenuBarItem {
    TMenuItem* MenuItem = nullptr;
    TRect ObjectRect;
    bool Active = false;
    bool Down = false;
    bool InBar = true;
    // 0 normal look .. 1 active look, stepped by the bar's morph timer.
    double MorphKf = 0;
};

// The look of the bar's items from the skin's menu-bar item record.
struct TskMenuBarItemLook {
    TBitmap* Picture = nullptr;
    TRect SkinRect, ActiveSkinRect, DownRect, TextRect;
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
};

// A button of the maximized MDI child at an end of the bar: its system menu at the left
// end, close, maximize (restore) and minimize at the right end.
struct TskMenuBarButton {
    TStdCommand Command = cmClose;
    TRect ObjectRect;
    bool Enabled = true;
    bool MouseIn = false;
    bool Down = false;
    // Skinned by the skin's caption-button record of the bar's name for it.
    bool HasSkin = false;
    TBitmap* Picture = nullptr;
    TRect SkinRect, ActiveSkinRect, DownRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    double MorphKf = 0;
};

// The plain look's fills of a pressed and of a hovered item or button.
constexpr TColor MenuBarDownColor = 0xB59385;   // RGB(133, 147, 181)
constexpr TColor MenuBarActiveColor = 0xD2BDB6; // RGB(182, 189, 210)

using TMainMenuItemClick = TEvent<void(const AnsiString& IDName)>;

class TskSkinMainMenuBar : public TskSkinControl {
    DECLARE_CLASS(TskSkinMainMenuBar, TskSkinControl)
public:
    explicit TskSkinMainMenuBar(TComponent* AOwner);
    ~TskSkinMainMenuBar() override;
    static void Published(TPropertyList& P);

    TMainMenu* GetMainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TskSkinForm* GetSkinForm() const { return FSkinForm; }
    void SetSkinForm(TskSkinForm* Value);
    TFont* GetDefItemFont() const { return FDefItemFont.get(); }
    void SetDefItemFont(TFont* Value) { FDefItemFont->Assign(Value); }
    bool GetPopupToUp() const { return FPopupToUp; }
    void SetPopupToUp(bool Value) { FPopupToUp = Value; }
    // The bar's size without a skin record; values below 1 leave the size alone.
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    // An item of the bar pressed by the mouse or the keyboard, with the menu item's name.
    TMainMenuItemClick OnMainMenuItemClick;

    // The items as laid out for the present width.
    const std::vector<TskMenuBarItem>& Items();
    // An MDI child of the bar's form was maximized, or restored (or left): the bar shows the
    // maximized child's buttons while there is one.
    void MDIChildMaximize();
    void MDIChildRestore();
    bool GetMDIButtons() const { return FMDIButtons; }
    // The buttons as laid out for the present width: system menu, close, maximize,
    // minimize; none while no child is maximized.
    const std::vector<TskMenuBarButton>& Buttons();
    bool GetScrollMarker() { Items(); return FScrollMarker; }
    int GetActiveItem() const { return FActive; }

    // Keyboard menu mode: Alt or F10 enters it, Esc leaves it.
    void MenuEnter();
    void MenuExit();
    // The open submenu closed; keyboard menu mode stays.
    void MenuClose();
    void NextMainMenuItem();
    void PriorMainMenuItem();
    // The item whose caption has Key as its accelerator is opened or chosen.
    bool FindHotKeyItem(Word Key);
    // Return in keyboard menu mode: opens or chooses the highlighted item.
    bool CheckReturnKey();
    bool InMenu() const { return FInMenu; }

    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override { CreateControlDefaultImage(B); }
    // A "mainmenubar" record of its kind skins the bar; any other leaves the plain look.
    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool GetSkinned() const { return FSkinned; }
    // Where the items stand: the skin's items rectangle, or 2 pixels in from each edge.
    TRect ItemsArea() const;
    // The overflow marker at the right end of the items area.
    TRect ScrollMarkerRect() const;
    // Opens the items that do not fit in a menu under the marker.
    void TrackScrollMenu();
    // One 20 ms step of the items' hover morphing, public so that tests can step it.
    void TestMorph(TObject* Sender);
    TTimer* GetMorphTimer() const { return FMorphTimer; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A press on the bar is the bar's own: the form hears of it neither as a child's press
    // nor, while one of the bar's menus is open, as an activating click, since either
    // closes that menu just before the press would toggle or move it.
    void CreateParams(TCreateParams& Params) override;
    void WMMouseActivate(TMessage& Message);
    void WMCloseSkinMenu(TMessage& Message);
    void CMMouseLeave2(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinMainMenuBar, TskSkinControl)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    MESSAGE_HANDLER(WM_CLOSESKINMENU, WMCloseSkinMenu)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave2)
    END_MESSAGE_HANDLERS

private:
    void Layout();
    int ItemAt(int X, int Y);
    void SetActive(int Index);
    // The pointer at X, Y of the bar: the marker's hot state and the item under it. Off
    // every item the hover light goes out, unless a menu of the bar is open or the keys
    // drive it.
    void TestActive(int X, int Y);
    // Opens the item's submenu, or runs a plain item.
    void OpenItem(int Index);
    // A press on the item: OnMainMenuItemClick, then the item opens or acts.
    void ClickItem(int Index);
    void Step(int Direction);
    // The index of the menu item's entry in the present layout, -1 when it has none.
    int IndexOf(TMenuItem* MenuItem);
    // The bar without its ends: where the MDI buttons and the items stand.
    TRect BarArea() const;
    // Where the MDI buttons stand at the ends of Area (set into Placed when given); the
    // part of Area between them.
    TRect PlaceButtons(TRect Area, std::vector<TskMenuBarButton>* Placed) const;
    void AddButtons();
    void CheckButtons();
    int ButtonAt(int X, int Y);
    void SetButtonActive(int Index);
    void PressButton(int Index, bool Double);
    void ReleaseButton(int X, int Y);
    // The button's command on the maximized child's frame.
    void ButtonCommand(TStdCommand Command);
    void DrawButton(TCanvas* C, const TskMenuBarButton& B);

    TMainMenu* FMainMenu = nullptr;
    TskSkinForm* FSkinForm = nullptr;
    std::unique_ptr<TFont> FDefItemFont;
    bool FPopupToUp = false;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    std::vector<TskMenuBarItem> FItems;
    bool FScrollMarker = false;
    int FActive = -1;
    int FDown = -1;
    bool FInMenu = false;
    bool FScrollMarkerActive = false;
    bool FSkinned = false;
    // The bar record's values while skinned.
    TRect FSkinRect, FItemsRect;
    AnsiString FMenuBarItem, FCloseButton, FMaxButton, FMinButton, FSysMenuButton;
    TColor FTrackMarkColor = 0, FTrackMarkActiveColor = 0;
    TBitmap* FPicture = nullptr;
    bool FItemSkinned = false;
    TskMenuBarItemLook FItemLook;

    TTimer* FMorphTimer = nullptr;

    bool FMDIButtons = false;
    std::vector<TskMenuBarButton> FButtons;
    int FButtonActive = -1;
    int FButtonCapture = -1;

    void DrawItem(TCanvas* C, const TskMenuBarItem& Item);
    // The skinned item at its own size from look S, its caption in the state's colour.
    std::unique_ptr<TBitmap> ItemImage(const TskMenuBarItem& Item, const TRect& S, bool ActiveText);
    // The item's look S with its caption in R of C.
    void DrawItemFace(TCanvas* C, const TRect& R, const TskMenuBarItem& Item, const TRect& S, bool ActiveText);
    int ItemWidth(TCanvas* Probe, TMenuItem* Item);
};
