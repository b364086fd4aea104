// Skinned popup menus. An open menu is a chain of levels (TskSkinPopupWindow), each a
// never-activated topmost popup listing the visible sub-items of one menu item; TskSkinMenu
// owns the chain of one form, opens submenus when rows are hovered (after a wait), clicked
// or chosen by key, and tells the opener with WM_CLOSESKINMENU when the chain closes.
// TskSkinPopupMenu is a popup menu that shows itself through its form's TskSkinForm.
#pragma once

#include "skin/controls/SkinCtrls_SpeedButtons.h"
#include "skin/data/SkinData.h"

#include "classlib/Menus.h"
#include "classlib/Timers.h"
#include "classlib/WinControls.h"

#include <memory>
#include <vector>

class TskSkinMenu;
class TskSkinPopupWindow;
class TskSkinForm;
class TskEffectBmp;
class TCustomImageList;
class TForm;

DECLARE_UNIT(SkinMenus)

// A stopped timer of Owner's that calls Tick every Interval milliseconds once enabled.
TTimer* MakeTimer(TComponent* Owner, Cardinal Interval, TNotifyEvent Tick);

// The skin's active picture Index; null for an index outside the list or an empty picture.
TBitmap* PictureAt(TskSkinData* S, int Index);

// The messages after which an open skinned menu closes.
bool CanMenuClose(UINT Msg);

class TskSkinMenuItem : public TObject {
    DECLARE_CLASS(TskSkinMenuItem, TObject)
public:
    TskSkinMenuItem(TskSkinPopupWindow* AParent, TMenuItem* AMenuItem, TskDataSkinMenuItem* AItemData);

    virtual bool CanMorphing();
    void DoMorphing();
    void SetMorphKf(double Value);
    void Redraw();
    void MouseDown();
    void MouseEnter(bool Kb);
    void MouseLeave();
    void DefaultDraw(TCanvas* Cnvs);
    void Draw(TCanvas* Cnvs);
    int Height() const;
    bool IsDivider() const { return MenuItem->IsLine(); }

    TskSkinPopupWindow* Parent;
    TskDataSkinMenuItem* ItemData;
    TBitmap* Picture = nullptr;
    double MorphKf = 0;
    TMenuItem* MenuItem;
    TRect ObjectRect;
    bool MouseIn = false;
    bool Down = false;
    bool Visible = true;
    bool InitialActive = false;

private:
    void SkinnedImage(TBitmap* B, bool Active);
};

class TskSkinPopupWindow : public TCustomControl {
    DECLARE_CLASS(TskSkinPopupWindow, TCustomControl)
public:
    TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* ASkinMenu, TskDataSkinPopupWindow* APopupWindowData);
    ~TskSkinPopupWindow() override;

    // Builds and shows the level for Item's sub-items from StartIndex on, against the
    // screen rectangle R.
    void Show(const TRect& R, TMenuItem* Item, int StartIndex, bool PopupByItem, bool PopupUp);
    void Hide();
    void PopupKeyDown(Word Key);
    // Closes every level after this one; its rows lose Down.
    void UpDatePW();
    void TestMouse(TObject* Sender);
    void TestMorph(TObject* Sender);
    void TestActive(int X, int Y);
    bool CanScroll(int Code) const;
    void ScrollUp(bool Cycle);
    void ScrollDown(bool Cycle);
    // One scroll step while the pointer rests on a marker (the 100 ms timer).
    void ScrollTick();
    void PaintMenu(HDC DC);
    void ActivateRow(int Index, bool Kb);
    // The delayed show of a level blended in software with the screen under it (alpha
    // without layered windows): 100 ms after Show, so that the screen shows what lies under
    // the level rather than a level of the menu just closed.
    void WTProc(TObject* Sender);
    // Blends B, drawn at (X, Y) in the level, with the captured screen (software alpha).
    void BlendWithScreen(TBitmap* B, int X, int Y);

    TskDataSkinMenuItem* MenuItemData = nullptr;
    int VisibleCount = 0;
    int TopIndex = 0;
    bool Scroll = false;
    int ScrollCode = 0;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewItemsRect;
    int PopupX = 0, PopupY = 0;
    TPoint OldMousePoint{-1, -1};
    // The pictures of the rows: the images of the menu that holds the level's item.
    TCustomImageList* Images = nullptr;
    int ImageWidth = 16;
    // The shortcut column: the widest shortcut text of the level, right-aligned in it.
    int ShortCutWidth = 0;
    TBitmap* Picture = nullptr;
    TBitmap* MaskPicture = nullptr;
    int OldActiveItem = -1;
    TTimer* MouseTimer = nullptr;
    TTimer* MorphTimer = nullptr;
    TTimer* ShowTimer = nullptr;
    std::unique_ptr<TBitmap> ScreenImage;
    std::unique_ptr<TskEffectBmp> BGEffect;
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    TskSkinMenu* SkinMenu;
    TskSkinData* SkinData = nullptr;
    TskDataSkinPopupWindow* PopupWindowData = nullptr;
    std::vector<std::unique_ptr<TskSkinMenuItem>> ItemList;
    int ActiveItem = -1;

protected:
    void CreateParams(TCreateParams& Params) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMMouseActivate(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMTimer(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinPopupWindow, TCustomControl)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    END_MESSAGE_HANDLERS

private:
    void CreateMenu(TMenuItem* Item, int StartIndex);
    void CalcItemRects();
    int GetEndStartVisibleIndex();
    void CreateRealImage(TBitmap* B);
    void DrawMarkers(TCanvas* C);
    void ShowNow();
    void ActivateFirstRow();
    void StartScroll();
    void StopScroll();
    void RedrawAll();
    bool Selectable(int Index) const;
    TRect UpMarker() const;
    TRect DownMarker() const;
};

class TskSkinMenu : public TComponent {
    DECLARE_CLASS(TskSkinMenu, TComponent)
public:
    TskSkinMenu(TComponent* AOwner, TCustomForm* AForm);
    ~TskSkinMenu() override;

    void Popup(TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const TRect& R,
               TMenuItem* AItem, bool PopupUp);
    void PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp);
    void CheckItem(TskSkinPopupWindow* PopupWindow, TskSkinMenuItem* Item, bool Kb, bool Click);
    void CloseMenu(int Index);
    void Hide();
    int GetPWIndex(TskSkinPopupWindow* PopupWindow) const;
    int GetCount() const { return static_cast<int>(PopupList.size()); }
    TskSkinPopupWindow* GetLevel(int Index) const { return PopupList[static_cast<std::size_t>(Index)]; }
    // The submenu wait's end (the 500 ms timer).
    void WaitItem(TObject* Sender);
    void SetDefaultMenuItemFont(TFont* Value) { DefaultMenuItemFont->Assign(Value); }

    bool FirstShow = false;
    int DefaultMenuItemHeight = 20;
    std::unique_ptr<TFont> DefaultMenuItemFont;
    TControl* PopupControl = nullptr;
    TCustomForm* Form;
    TTimer* WaitTimer = nullptr;
    TskSkinMenuItem* WaitMenuItem = nullptr;
    TRect WorkArea;
    bool Visible = false;
    TskSkinData* SkinData = nullptr;
    std::vector<TskSkinPopupWindow*> PopupList;
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TskSkinPopupMenu : public TPopupMenu, public TskRectPopup {
    DECLARE_CLASS(TskSkinPopupMenu, TPopupMenu)
public:
    explicit TskSkinPopupMenu(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TForm* PopupForm = nullptr;

    void Popup(int X, int Y) override;
    void PopupFromRect(const TRect& R, bool PopupUp);
    bool PopupFromRect2(TControl* AControl, const TRect& R, bool PopupUp) override;
    void Popup2(TControl* AControl, int X, int Y);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // False when nothing was shown.
    bool Show(TControl* AControl, const TRect& R, bool PopupUp, bool NeedSkin);
    TskSkinData* FSkinData = nullptr;
};
