// TskSkinForm: dropped on a form, it takes over the form's window procedure and draws and
// runs the whole frame itself: from the skin's pictures when it has a skin, else as a
// plain three-pixel frame with an engraved caption band. It keeps its own window state
// (the form itself stays normal), rolls the form up to its caption, answers hit tests so
// that the system sizes and moves the form by the skin's borders, and routes the mouse to
// the frame's objects.
//
// Without a window manager the system would paint its own caption over the frame while the
// window carries WS_CAPTION, so the style is taken off after every creation of the window
// and given back when the component goes.
#pragma once

#include "skin/form/SkinForm_InactiveLook.h"
#include "skin/form/SkinForm_MainMenuItems.h"
#include "skin/form/SkinForm_MenuBar.h"
#include "skin/form/SkinForm_Objects.h"
#include "skin/form/SkinForm_ValueObjects.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinMenus.h"
#include "skin/form/skTrayIcon.h"

#include "classlib/Forms.h"
#include "classlib/Timers.h"
#include "classlib/WindowHook.h"

#include <memory>
#include <vector>

// biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray.
enum class TskBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = TSet<TskBorderIcon>;

using TChangeClientRectEvent = TEvent<void(const TRect& NewClientRect)>;
using TskMouseUpEvent =
    TEvent<void(const AnsiString& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button)>;
using TskMouseDownEvent = TskMouseUpEvent;
using TskMouseMoveEvent =
    TEvent<void(const AnsiString& IDName, int X, int Y, const TRect& ObjectRect)>;
using TskMouseEnterEvent = TEvent<void(const AnsiString& IDName)>;
using TskMouseLeaveEvent = TskMouseEnterEvent;
using TskPaintEvent = TEvent<void(const AnsiString& IDName, TCanvas* Canvas, const TRect& ObjectRect)>;
using TSwitchChangeStateEvent = TEvent<void(const AnsiString& IDName, TSwitchState State)>;
using TTrackBarChangeValueEvent = TEvent<void(const AnsiString& IDName, int Value)>;
using TFrameRegulatorChangeValueEvent = TEvent<void(const AnsiString& IDName, int Value)>;

// The caption of the menu items that give a minimized, maximized or rolled-up form back.
constexpr const char* kRestoreCaption = "&Restore";

// The system's code for a frame part without a meaning of its own.
constexpr int HTOBJECT_FRAME = 19;

// Between the skinned forms of an MDI program: a maximized child refits to the work area;
// a child was maximized; a child was restored, minimized or left (sent to the main form).
const int WM_RESIZEMDICHILD = 1230;
const int WM_MDICHILDMAXIMIZED = 1231;
const int WM_MDICHILDRESTORED = 1232;

// A component that takes a form's window procedure over: the root of its message map,
// where a message no handler takes, or one a handler passes on, goes to the procedure the
// form had before.
class TskFormTakeover : public TComponent {
    DECLARE_CLASS(TskFormTakeover, TComponent)
public:
    using TComponent::TComponent;
    virtual void Dispatch(TMessage& Message) {
        if (OldWindowProc.Assigned()) OldWindowProc(Message);
    }

protected:
    TWndMethod OldWindowProc;
};

class TskSkinForm : public TskFormTakeover {
    DECLARE_CLASS(TskSkinForm, TskFormTakeover)
public:
    // AOwner must be a form (EInvalidCast otherwise).
    explicit TskSkinForm(TComponent* AOwner);
    ~TskSkinForm() override;
    static void Published(TPropertyList& P);

    void NewWndProc(TMessage& Message);

    // Properties
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TskBorderIcons Value);
    bool GetSizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    bool GetSupportNCArea() const { return FSupportNCArea; }
    // False: client mode. The window has no non-client area; the whole skin picture, frame
    // included, is painted in the client area and named areas of it hold chosen controls.
    void SetSupportNCArea(bool Value);
    bool GetDraggAble() const { return FDraggAble; }
    void SetDraggAble(bool Value) { FDraggAble = Value; }
    bool GetShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    bool GetMagnetic() const { return FMagnetic; }
    void SetMagnetic(bool Value) { FMagnetic = Value; }
    Byte GetMagneticSize() const { return FMagneticSize; }
    void SetMagneticSize(Byte Value) { FMagneticSize = Value; }
    bool GetMaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
    void SetMaximizeOnFullScreen(bool Value) { FMaximizeOnFullScreen = Value; }
    int GetMinWidthProp() const { return FMinWidth; }
    void SetMinWidth(int Value) { FMinWidth = Value; }
    int GetMinHeightProp() const { return FMinHeight; }
    void SetMinHeight(int Value) { FMinHeight = Value; }
    TFont* GetDefCaptionFont() const { return FDefCaptionFont.get(); }
    void SetDefCaptionFont(TFont* Value);
    TFont* GetDefInActiveCaptionFont() const { return FDefInActiveCaptionFont.get(); }
    void SetDefInActiveCaptionFont(TFont* Value);
    TMainMenu* GetMainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    TskSkinData* GetMenusSkinData() const { return FMenusSkinData; }
    // Translucency: applied to the window at once only outside loading and design; the
    // window is layered, and faded in from its first showing, where the system has
    // layered windows (Windows 2000 to XP).
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    bool GetAlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    // Translucency of the form's skinned menus, handed to the menu chain.
    bool GetMenusAlphaBlend() const;
    void SetMenusAlphaBlend(bool Value);
    bool GetMenusAlphaBlendAnimation() const;
    void SetMenusAlphaBlendAnimation(bool Value);
    Byte GetMenusAlphaBlendValue() const;
    void SetMenusAlphaBlendValue(Byte Value);
    // The skin's cursors over a client-mode form and its objects.
    bool GetUseSkinCursors() const { return FUseSkinCursors; }
    void SetUseSkinCursors(bool Value) { FUseSkinCursors = Value; }
    void TestCursors();
    TskSkinMainMenuBar* GetMainMenuBar() const { return FMainMenuBar; }
    void SetMainMenuBar(TskSkinMainMenuBar* Value);
    bool GetMainMenuActive() const { return FMainMenuActive; }
    // The form's OnShortCut: Alt and an accelerator of the menu bar open its item.
    void FormShortCut(TWMKey& Msg, bool& Handled);
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    void SetMenusSkinData(TskSkinData* Value);
    // The frame of a dialog made at run time: no border icons, the dialog's skins and its
    // translucency.
    void SetUpDialog(TskSkinData* Skin, TskSkinData* MenusSkin, bool Blend, bool Animation,
                     Byte Value);
    // The form's style, fsNormal or fsStayOnTop (the MDI styles are the form's own
    // business); its window is made anew, so with AlphaBlend every skinned control of the
    // form reads its skin again.
    void SetFormStyle(TFormStyle Value);

    // MDI: the form is the application's main form with the style fsMDIForm, or one of its
    // children (fsMDIChild). A skinned child keeps its own window state like any skinned
    // form: maximized, it loses its frame and fills the main form's MDI work area, and the
    // main form shows its caption and its buttons (on the menu bar).
    bool IsMDIMainForm() const;
    bool IsMDIChild() const;
    // On an MDI main form: one of its children is maximized.
    bool IsMDIChildMaximized() const { return FMDIChildMaximized; }
    // The maximized child of the application's main form: the active one when it is
    // maximized, else the first maximized one; null when none. Hidden children and children
    // on their way out do not count.
    TCustomForm* GetMaximizeMDIChild();
    // The part of the main form's client area that the aligned controls leave, in the main
    // form's client coordinates: where the MDI children live.
    TRect GetMDIWorkArea();
    // Arrangement of the children of an MDI main form: side by side in columns filled from
    // the right, each from the bottom; overlapping from the top left; all minimized,
    // maximized or restored; all closed.
    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void CloseAll();
    // The children refit to the work area (the maximized ones) and the minimized ones take
    // their places again.
    void ResizeMDIChilds();
    void ArangeMinimizedChilds();
    // The window menu of the main form (its WindowMenu) lists the visible children after a
    // divider; each is run on the main form's component.
    void AddChildToMenu(TCustomForm* Child);
    void DeleteChildFromMenu(TCustomForm* Child);
    void UpDateChildCaptionInMenu(TCustomForm* Child);
    void UpDateChildActiveInMenu();
    // A child's item of the window menu: the child is restored from minimized and shown.
    void MDIItemClick(TObject* Sender);
    // The frame's caption: the form's, with " - [child]" while an MDI child is maximized.
    AnsiString CaptionText();
    // The client window of an MDI main form without a skin.
    void PaintMDIBGDefault(HDC DC);

    // Hints of the frame's objects, shown through SkinHint when ShowObjectHint is set.
    TskSkinHint* GetSkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value) { SetReference(this, FSkinHint, Value); }
    bool GetShowObjectHint() const { return FShowObjectHint; }
    void SetShowObjectHint(bool Value) { FShowObjectHint = Value; }
    // The tray icon the form minimizes to. Given one without a menu of its own, it shows
    // the form's tray menu ("&Restore", "&Close") and a double click on it restores.
    TskTrayIcon* GetTrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TskTrayIcon* Value);
    // Only with a TrayIcon: the program is minimized and hidden in the notification area,
    // and brought back from it.
    void MinimizeToTray();
    void RestoreFromTray();
    TskSkinPopupMenu* GetSysTrayMenu() const { return SysTrayMenu; }
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnChangeSkinData;
    TChangeClientRectEvent OnChangeClientRect;
    TskMouseUpEvent OnMouseUpEvent;
    TskMouseDownEvent OnMouseDownEvent;
    TskMouseMoveEvent OnMouseMoveEvent;
    TskMouseEnterEvent OnMouseEnterEvent;
    TskMouseLeaveEvent OnMouseLeaveEvent;
    TskPaintEvent OnPaintEvent;
    TSwitchChangeStateEvent OnSwitchChangeStateEvent;
    TTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
    TFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;

    // Window state of the frame (the form's own stays wsNormal).
    TWindowState GetWindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool GetRollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    bool GetFormActive();
    bool SkinApplied() const { return FSkinApplied; }
    TForm* GetForm() const { return FForm; }

    // Size limits of the frame.
    int GetMinWidth();
    int GetMinHeight();
    int GetMaxWidth();
    int GetMaxHeight();
    int GetDefCaptionHeight();
    int GetDefButtonSize();
    TRect GetDefCaptionRect();
    void GetIconSize(int& W, int& H);
    void DrawFormIcon(TCanvas* Cnvs, int X, int Y);
    // Where a minimized form that is not the main form goes: the bottom-left corner of the
    // work area, beside the minimized forms already there.
    TPoint GetMinimizeCoord();
    bool CanObjectTest(bool ObjectRollUp) const;
    // A screen point in frame coordinates.
    void PointToNCPoint(TPoint& P);
    bool CanNCSupport() const;

    // Objects.
    int GetObjectCount() const { return static_cast<int>(FObjectList.size()); }
    TskActiveSkinObject* GetObject(int Index) const { return FObjectList[static_cast<std::size_t>(Index)].get(); }
    int GetIndex(const AnsiString& IDName) const;
    void SetEnabled(const AnsiString& IDName, bool Value);
    void CaptionSetText(const AnsiString& IDName, const AnsiString& Value);
    bool ButtonGetDown(const AnsiString& IDName);
    void ButtonSetDown(const AnsiString& IDName, bool Value);
    void UserObjectDraw(const AnsiString& IDName);
    // Values of the objects by name: a missing object, or one of another kind, leaves a
    // setter without effect and gives a getter's default.
    void AnimateStart(const AnsiString& IDName);
    void AnimateStop(const AnsiString& IDName);
    int TrackBarGetValue(const AnsiString& IDName);
    void TrackBarSetValue(const AnsiString& IDName, int Value);
    int FrameRegulatorGetValue(const AnsiString& IDName);
    void FrameRegulatorSetValue(const AnsiString& IDName, int Value);
    void GaugeSetValue(const AnsiString& IDName, int Value);
    void FrameGaugeSetValue(const AnsiString& IDName, int Value);
    void LabelSetText(const AnsiString& IDName, const AnsiString& Value);
    void BitLabelSetText(const AnsiString& IDName, const AnsiString& Value);
    void SwitchSetState(const AnsiString& IDName, TSwitchState Value);
    TSwitchState SwitchGetState(const AnsiString& IDName);
    // Pressing the named button (or button-style animation) opens Menu.
    void LinkMenu(const AnsiString& IDName, TMenu* Menu, bool PopupUp);
    void SwitchChangeStateEvent(const AnsiString& IDName, TSwitchState State);
    void TrackBarChangeValueEvent(const AnsiString& IDName, int Value);
    void FrameRegulatorChangeValueEvent(const AnsiString& IDName, int Value);
    // The 25 ms tick of the animations, public so that tests can step it.
    void TestAnimate(TObject* Sender);
    TTimer* GetAnimateTimer() const { return AnimateTimer; }

    // The main menu drawn as frame objects (skins with a "MAINMENUITEM" record).
    std::vector<TskSkinMainMenuItem*> MainMenuItems() const;
    void CreateMainMenu();
    void UpdateMainMenu(bool AUpdate);
    // Keyboard of the main menu, the bar's when the form has one.
    void ActivateMenu();
    void NextMainMenuItem();
    void PriorMainMenuItem();
    bool FindHotKeyItem(Word CharCode);
    bool CheckReturnKey();
    // An item opened its menu: keyboard menu mode starts.
    void EnterMainMenuMode();
    void LoadObjects();
    void LoadDefObjects();
    void ClearObjects();
    void CheckObjects();
    void DrawSkinObject(TskActiveSkinObject* Object);
    // The objects as they stand now. Drawing one may run the program's paint event, which
    // may change the list: painters walk this copy and skip what left the list meanwhile.
    std::vector<TskActiveSkinObject*> ObjectSnapshot() const;
    bool HasObject(const TskActiveSkinObject* Object) const;
    int GetActiveObject() const { return ActiveObject; }
    int GetMouseDownObject() const { return MouseDownObject; }

    // Object events, fired for the objects.
    void PaintEvent(const AnsiString& IDName, TCanvas* Canvas, const TRect& ObjectRect);
    void MouseUpEvent(const AnsiString& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void MouseDownEvent(const AnsiString& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button);
    void MouseMoveEvent(const AnsiString& IDName, int X, int Y, const TRect& ObjectRect);
    void MouseEnterEvent(const AnsiString& IDName);
    void MouseLeaveEvent(const AnsiString& IDName);

    // Hit tests in frame coordinates (client coordinates for NewHitTest).
    int NewNCHitTest(TPoint P);
    int NewHitTest(TPoint P);
    int NewDefNCHitTest(TPoint P);
    bool PtInMask(TPoint P);
    void TestActive(int X, int Y, bool AActive);
    // Timer ticks, public so that tests can step them.
    void TestMouse(TObject* Sender);
    void TestMorph(TObject* Sender);
    TTimer* GetMorphTimer() const { return MorphTimer; }
    TTimer* GetMouseTimer() const { return MouseTimer; }

    // Frame geometry for the present size (frame coordinates).
    void CalcRects();
    TRect CalcRealObjectRect(const TRect& R);
    void CalcAllRealObjectRect();
    void CalcDefRects();
    TRect NewClRect, NewCaptionRect, NewButtonsRect, NewMaskRectArea, NewIconRect, NewMainMenuRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect DefCaptionRect;
    HRGN GetRegion() const { return FRgn; }

    // Shows a menu item's sub-items at a screen rectangle (the frame's menu buttons).
    void TrackObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp);
    // Alt or F10 (SC_KEYMENU).
    void KeyMenu();
    TskSkinMenu* GetSkinMenu() const { return SkinMenu; }
    // A skinned menu of the form opened: keys and the wheel go to it through the
    // application's message hook until it closes.
    void SkinMenuOpen();
    void SkinMenuClose();
    bool GetSkinMenuOpen() const { return FSkinMenuOpen; }
    void PopupSkinMenu(TMenu* Menu, TPoint P);
    int GetDefMenuItemHeight() const { return SkinMenu->DefaultMenuItemHeight; }
    void SetDefMenuItemHeight(int Value) {
        if (Value > 0) SkinMenu->DefaultMenuItemHeight = Value;
    }
    TFont* GetDefMenuItemFont() const { return SkinMenu->DefaultMenuItemFont.get(); }
    void SetDefMenuItemFont(TFont* Value) { SkinMenu->SetDefaultMenuItemFont(Value); }
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    // The system menu, rebuilt on each call: the standard items, or the user's SystemMenu
    // with the standard items merged in (when UseDefaultSysMenu).
    TPopupMenu* GetSystemMenu();
    TPopupMenu* GetSystemMenuProp() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* Value);
    bool GetUseDefaultSysMenu() const { return FUseDefaultSysMenu; }
    void SetUseDefaultSysMenu(bool Value) { FUseDefaultSysMenu = Value; }
    // Shows the system menu at the screen point.
    void TrackSystemMenu(int X, int Y);

    void UpDateForm();
    void CreateNewForm(bool AUpdate);
    bool FrameBuiltForItsSize();
    void PaintNCSkin();
    void PaintNCDefault();
    // A minimized window (the system's icon of it): the caption with its title and
    // buttons, as the frame shows it rolled up.
    void PaintIconic();

    void ChangeSkinData();
    void SetDefaultCaptionText();

    // Client mode.
    // The skin has a middle that stretches both ways.
    bool CanScale() const;
    // After a skin load or an unroll: the client area fits the skin picture.
    void CheckSize();
    void Paint(HDC DC);
    // A double click on a caption object: roll-up, maximize or restore.
    void CheckWindowState();
    void LinkControlsToAreas();
    void LinkControlToArea(const AnsiString& AreaName, TControl* Control);
    void UnLinkControlFromArea(TControl* Control);
    // Linked controls take their areas' rectangles at the present size.
    void ControlsToAreas();
    bool GetDragging() const { return FDragging; }

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The form's own procedure of before answers the message.
    void CallOld(TMessage& Message) { TskFormTakeover::Dispatch(Message); }
    bool Iconic() const;
    bool Frameless() const;
    void SetLayered(bool Value);
    bool Running() const;
    void StartFadeIn();
    void FadeIn();
    void RemoveCaptionStyle();
    void SendNCPaint();
    void FormChangeActive(bool AUpdate);
    void CreateNewRegion(bool AUpdate);
    void RemoveRegion();
    void PaintSkinFrame(bool Show);
    void PaintBG(HDC DC);
    void PaintBG2(HDC DC);
    // The background over a client area of the given size (the MDI client window's).
    void PaintBG(HDC DC, const TRect& Client);
    void PaintBG2(HDC DC, const TRect& Client);
    // The skin's background picture: nil when its index names no picture with pixels, and
    // the client part of the frame is the background then.
    TBitmap* BackgroundPicture() const;
    void PaintBGDefault(HDC DC);
    void NCCalcSize(TMessage& Message);
    void RouteMouse(TMessage& Message);
    void CaptionDoubleClick();
    void MouseDown(TMouseButton Button, int X, int Y);
    void MouseUp(TMouseButton Button, int X, int Y);
    void MouseMove(int X, int Y);
    void MouseDBlClick();
    void DoMinimize();
    void DoMaximize();
    void DoNormalize();
    void SetFormBounds(const TRect& R);
    void DoMagnetic(int& L, int& T, int W, int H);
    void DrawNCObjects(TBitmap* Top, TBitmap* Bottom);
    void ResetObjectIndexes();
    void CheckMenuVisible(TMessage& Message);
    int SkinBorderHitTest(TPoint P);
    void ClientHitTest(TMessage& Message);
    void CreateRollUpForm();
    void RestoreRollUpForm();
    // Control has gone: every area link and roll-up place it had goes, with its role.
    void ForgetControl(TControl* Control);
    void SetRollUpFormRegion();
    void ChangeClientSkinData();
    void RebuildClientFrame(bool Scalable);
    void StartDragg(int X, int Y);
    void EndDragg();
    void DragTo(POINT Cursor);
    void SetRegion(HRGN Rgn);
    void HookApp();
    void UnHookApp();
    void NewAppMessage(MSG& Msg, bool& Handled);
    void FormKeyDown(Word Key);
    void SkinMainMenuClose();
    // Esc at the top level in keyboard menu mode: the open item closes, the mode stays.
    void SkinMenuClose2();
    void CreateSysMenu();
    void CreateUserSysMenu();
    void DropStandardSysMenuItems();
    // A standard system-menu item, owned by the component, and whether the state wants it.
    TMenuItem* NewSysMenuItem(const char* Name, const char* Caption);
    bool SysMenuWants(const char* Name) const;
    void SM_Min(TObject* Sender);
    void SM_Max(TObject* Sender);
    void SM_Restore(TObject* Sender);
    void SM_RollUp(TObject* Sender);
    void SM_Close(TObject* Sender);
    // MDI.
    bool MaximizedMDIChild() const;
    TskSkinForm* MainFormComponent() const;
    void SendToMainForm(UINT Msg);
    void HookMDIClient();
    void FormClientWindowProcHook(TMessage& Message);
    // The main form's answers to a child maximized or restored.
    void MDIChildMaximized();
    void MDIChildRestored();
    void ResizeMaximizedMDIChild();
    // A child of the main form has gone or been hidden: its item and its maximized look go.
    void MDIChildLeft(TCustomForm* Child);
    // The child's own press, drag or size under way ends with its hiding.
    void MDIChildHidden();
    void MDIChildShown();
    // The slot of a minimized MDI child in the work area.
    TPoint GetMDIMinimizeCoord();
    void SM_MinToTray(TObject* Sender);
    void CreateSysTrayMenu();
    void TSM_Restore(TObject* Sender);
    void TSM_Close(TObject* Sender);
    void SysTrayMenuPopup(TObject* Sender);
    // The key that closes the form: Ctrl+F4 for an MDI child, else Alt+F4.
    TShortCut CloseShortCut() const;
    void TrayIconDBLCLK(TObject* Sender);
    // The tray icon no longer calls this component.
    void ReleaseTrayIcon();
    // Object hints are on: ShowObjectHint with a SkinHint.
    bool ObjectHints() const { return FShowObjectHint && FSkinHint; }
    TskActiveSkinObject* ObjectAt(int Index) const;
    template <class T> T* ObjectAs(const AnsiString& IDName) const { return dynamic_cast<T*>(ObjectAt(GetIndex(IDName))); }
    void StepMainMenuItem(int Direction);
    // Releases the open main-menu item; false when none was open.
    bool ReleaseDownMainMenuItem();
    friend class TskSkinMainMenuItem;
    friend class TskSkinMainMenuBar;

    TForm* FForm = nullptr;
    LONG_PTR FSavedStyle = 0;
    bool FSkinApplied = false;
    bool FFormActive = false;
    // From WM_SHOWWINDOW until the system paints the newly shown frame (or the show ends):
    // the activation on the way paints nothing the system's paint would not paint again.
    bool FShowPaintPending = false;
    bool FRollUpState = false;
    bool FMaxRollUpState = false;
    TWindowState FWindowState = wsNormal;
    bool FInSizeMove = false;
    bool FFullDrag = false;
    int FNewWidth = 0;
    int FNewHeight = 0;
    // The size the frame's rectangles and region were last built for (none: -1): a WM_SIZE
    // that brings no new size, as the one a window gets when it first shows, builds and
    // paints nothing again.
    TSize FFrameBuiltFor{-1, -1};
    HRGN FRgn = nullptr;
    std::vector<std::unique_ptr<TskActiveSkinObject>> FObjectList;
    int ActiveObject = -1;
    int OldActiveObject = -1;
    int MouseDownObject = -1;
    TTimer* MorphTimer = nullptr;
    TTimer* MouseTimer = nullptr;
    TTimer* AnimateTimer = nullptr;
    TRect NormalBounds;
    int RollUpHeight = 0;
    int RollUpWidth = 0;
    int FRollUpConstraintHeight = 0;
    int FRollUpConstraintWidth = 0;
    struct TAreaLink {
        TControl* Control;
        TRect Rect;
    };
    std::vector<TAreaLink> AreaLinks;
    std::vector<TControl*> RollUpControls;
    bool FDraggAble = false;
    bool FDragging = false;
    POINT DragOrigin{};
    bool FMouseTracking = false;
    bool FInChangeSkinData = false;

    std::unique_ptr<TFont> FDefCaptionFont;
    std::unique_ptr<TFont> FDefInActiveCaptionFont;
    std::unique_ptr<TBitmap> TopMask, BottomMask, LeftMask, RightMask;
    // The top, left, right and bottom frame images as an inactive frame shows them.
    TskInactiveLook FInactiveLooks[4];
    std::unique_ptr<TIcon> FIcon;
    TPopupMenu* FSysMenu = nullptr;
    TPopupMenu* FSystemMenu = nullptr;
    bool FUseDefaultSysMenu = true;
    TskSkinMenu* SkinMenu = nullptr;
    bool FSkinMenuOpen = false;
    bool FHooked = false;
    bool FMainMenuActive = false;
    bool FShortCutHandled = false;
    TskSkinMainMenuBar* FMainMenuBar = nullptr;
    TMessageEvent FSavedAppMessage;
    TskSkinHint* FSkinHint = nullptr;
    bool FShowObjectHint = false;
    TskTrayIcon* FTrayIcon = nullptr;
    TskSkinPopupMenu* SysTrayMenu = nullptr;

    bool FMDIChildMaximized = false;
    // The main form's component while this MDI child shows: it hears of the child form's
    // freeing (the link is the child form's, and this component hears of the main one's
    // freeing through the form).
    TskSkinForm* FShownToMain = nullptr;
    TWindowProcHook FClientHook;
    // The main form's window menu: one item per listed child, after a divider that stands
    // while the list holds any. The items belong to the window menu; the component hears
    // of their deletion and of the children's.
    struct TMDIChildItem {
        TCustomForm* Child;
        TMenuItem* Item;
    };
    std::vector<TMDIChildItem> FChildItems;
    TMenuItem* FChildDivider = nullptr;

    TskSkinData* FSkinData = nullptr;
    TskSkinData* FMenusSkinData = nullptr;
    TMainMenu* FMainMenu = nullptr;
    TskBorderIcons FBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize,
                                TskBorderIcon::biMaximize, TskBorderIcon::biRollUp};
    bool FShowIcon = false;
    bool FSizeable = true;
    bool FSupportNCArea = true;
    bool FMagnetic = false;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    Byte FMagneticSize = 10;
    bool FMaximizeOnFullScreen = false;
    bool FUseSkinCursors = false;
    int FMinWidth = 0;
    int FMinHeight = 0;

    // The form's messages, each to its handler; a handler passes a message on to the form's
    // own procedure (CallOld) where the form's handling is wanted too.
    void WMCreate(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMSetText(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMShowWindow(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMNCActivate(TMessage& Message);
    void WMMouseActivate(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMSyncPaint(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void WMSizing(TMessage& Message);
    void WMMoving(TMessage& Message);
    void WMEnterSizeMove(TMessage& Message);
    void WMExitSizeMove(TMessage& Message);
    void WMNCRButton(TMessage& Message);
    void WMBeforeChangeSkinData(TMessage& Message);
    void WMChangeSkinData(TMessage& Message);
    void WMAfterChangeSkinData(TMessage& Message);
    void WMResizeMDIChild(TMessage& Message);
    void WMMDIChildMaximized(TMessage& Message);
    void WMMDIChildRestored(TMessage& Message);
    void WMCloseSkinMenu(TMessage& Message);
    MESSAGE_HANDLERS(TskSkinForm, TskFormTakeover)
    MESSAGE_HANDLER(WM_CREATE, WMCreate)
    MESSAGE_HANDLER(WM_DESTROY, WMDestroy)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_ACTIVATE, WMActivate)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_SHOWWINDOW, WMShowWindow)
    MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfo)
    MESSAGE_HANDLER(WM_NCCALCSIZE, NCCalcSize)
    MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_NCACTIVATE, WMNCActivate)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    MESSAGE_HANDLER(WM_SYNCPAINT, WMSyncPaint)
    MESSAGE_HANDLER(WM_SYSCOMMAND, WMSysCommand)
    MESSAGE_HANDLER(WM_SIZING, WMSizing)
    MESSAGE_HANDLER(WM_MOVING, WMMoving)
    MESSAGE_HANDLER(WM_ENTERSIZEMOVE, WMEnterSizeMove)
    MESSAGE_HANDLER(WM_EXITSIZEMOVE, WMExitSizeMove)
    MESSAGE_HANDLER(WM_NCRBUTTONDOWN, WMNCRButton)
    MESSAGE_HANDLER(WM_NCRBUTTONUP, WMNCRButton)
    MESSAGE_HANDLER(WM_BEFORECHANGESKINDATA, WMBeforeChangeSkinData)
    MESSAGE_HANDLER(WM_CHANGESKINDATA, WMChangeSkinData)
    MESSAGE_HANDLER(WM_AFTERCHANGESKINDATA, WMAfterChangeSkinData)
    MESSAGE_HANDLER(WM_RESIZEMDICHILD, WMResizeMDIChild)
    MESSAGE_HANDLER(WM_MDICHILDMAXIMIZED, WMMDIChildMaximized)
    MESSAGE_HANDLER(WM_MDICHILDRESTORED, WMMDIChildRestored)
    MESSAGE_HANDLER(WM_CLOSESKINMENU, WMCloseSkinMenu)
    END_MESSAGE_HANDLERS
};

// The first TskSkinForm among the form's components; null when none.
TskSkinForm* GetSkinFormComponent(TCustomForm* Form);
// Among the MDI children of the application's main form, the first whose component is
// maximized; null when none.
TskSkinForm* GetMDIChildSkinFormComponent();
// The component of the main form's active MDI child; null when there is none.
TskSkinForm* GetMDIChildSkinFormComponent2();
