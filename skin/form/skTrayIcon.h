// TskTrayIcon: one icon in the task bar's notification area. It keeps the icon there when
// the shell starts again, reports the mouse on it as component events (a click is told
// from a double click by the system's double-click time), pops up a skinned menu at the
// pointer, cycles the icon through an image list, and hides the program into the
// notification area when it is minimized or started.
//
// The shell talks to a hidden window of the component's own. The component also watches
// the application's window (the program's minimizing, the shell's restart) and the form
// that owns it (shown by the program, it brings the program's other forms back).
#pragma once

#include "skin/form/SkinMenus.h"

#include "classlib/Controls.h"
#include "classlib/Icons.h"
#include "classlib/ImageLists.h"
#include "classlib/ShellNotify.h"
#include "classlib/Timers.h"

#include <memory>

DECLARE_UNIT(skTrayIcon)

// NextIndex: the index of the icon the cycle shows next.
using TCycleEvent = TEvent<void(TObject* Sender, int NextIndex)>;

class TskTrayIcon : public TComponent {
    DECLARE_CLASS(TskTrayIcon, TComponent)
public:
    // The message the shell sends the hidden window about the mouse on the icon.
    static constexpr UINT CallbackMessage = WM_USER + 1024;
    // The shell's announcement that it has started (again), registered once.
    static UINT TaskbarCreatedMessage();

    explicit TskTrayIcon(TComponent* AOwner);
    ~TskTrayIcon() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // Screen coordinates.
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    bool GetDesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value);
    TCustomImageList* GetIconList() const { return FIconList; }
    void SetIconList(TCustomImageList* Value);
    bool GetCycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    Cardinal GetAnimateTimerInterval() const { return FCycleTimer->GetInterval(); }
    void SetAnimateTimerInterval(Cardinal Value);
    // Mouse messages from the icon are handled.
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // The tool tip; at most 127 characters of it are shown.
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value);
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    bool GetIconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    // The icon of IconList shown; a negative index reads as 0.
    int GetIconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    TskSkinPopupMenu* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TskSkinPopupMenu* Value);
    bool GetPopupByLeftButton() const { return FPopupByLeftButton; }
    void SetPopupByLeftButton(bool Value) { FPopupByLeftButton = Value; }
    // The program starts hidden in the notification area.
    bool GetMinimizedOnStart() const { return FMinimizedOnStart; }
    void SetMinimizedOnStart(bool Value) { FMinimizedOnStart = Value; }
    // Minimizing the program hides it in the notification area.
    bool GetMinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }

    // The shell calls; each answers whether the shell took it.
    virtual bool LoadDefaultIcon();
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();
    void Refresh() { ModifyIcon(); }

    // The program's forms back on the screen, or away from it.
    void ShowMainForm();
    void HideMainForm();
    // PopupMenu at the pointer.
    void PopupAtCursor();
    // Bitmap, MaskColor transparent, made into a 16 x 16 Icon.
    static bool BitmapToIcon(TBitmap* Bitmap, TIcon* Icon, TColor MaskColor);

    // The hidden window the shell talks to, the record handed to the shell, and the two
    // timers with their ticks, public so that tests can drive them.
    HWND GetHandle() const { return FHandle; }
    const NOTIFYICONDATAA& GetIconData() const { return FIconData; }
    TTimer* GetClickTimer() const { return FClickTimer; }
    TTimer* GetCycleTimer() const { return FCycleTimer; }
    void TimerClick(TObject* Sender);
    void TimerCycle(TObject* Sender);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void Click();
    virtual void DblClick();
    virtual void CycleIcon();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void DoMinimizeToTray();

private:
    struct TFormLink;

    bool InitIcon();
    bool Notify(DWORD Message);
    void HandleIconMessage(TMessage& Message);
    void HandleMouse(UINT MouseMessage);
    bool AppWindowHook(TMessage& Message);
    void FormWindowProc(TMessage& Message);
    void HookWindows();
    void UnhookWindows();
    TWinControl* OwnerControl();
    void ClickDefaultItem();

    bool FDesignPreview = false;
    TCustomImageList* FIconList = nullptr;
    bool FCycleIcons = false;
    bool FEnabled = true;
    AnsiString FHint;
    bool FShowHint = true;
    std::unique_ptr<TIcon> FIcon;
    bool FIconVisible = false;
    int FIconIndex = 0;
    TskSkinPopupMenu* FPopupMenu = nullptr;
    bool FPopupByLeftButton = false;
    bool FMinimizedOnStart = false;
    bool FMinimizeToTray = false;

    TTimer* FCycleTimer = nullptr;
    TTimer* FClickTimer = nullptr;
    bool LeftDown = false;
    bool ClickPending = false;
    bool DblClicked = false;
    bool PreviewChanging = false;
    HWND FHandle = nullptr;
    NOTIFYICONDATAA FIconData{};
    bool FAppHooked = false;
    std::shared_ptr<TFormLink> FFormLink;
    TWndMethod FFormHook;
};
