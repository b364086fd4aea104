// Forms, data modules, the application object and the screen.
//
// A form is a top-level window that holds controls; a data module holds non-visual
// components. Both are usually built from their form resource: the RCDATA resource named
// after their class. That takes two steps, because a C++ base class constructor cannot
// see the fields and methods of the class being built: the object is constructed, then
// its resource is read into it and its OnCreate runs. Application->CreateForm(Reference)
// and CreateFromResource<T>(Owner) do both; a form made with `new` alone stays empty, to
// be filled in code.
//
// The application object runs the message loop. Every message passes through
// TApplication::ProcessMessage: OnMessage may take it; keys are offered to the focused
// control first (see WinControls.h); the rest is dispatched to the window procedures.
// An exception that escapes a message handler reaches HandleException, which shows its
// message (or hands it to OnException), and the loop goes on.
//
// The global objects Application and Screen exist from the class library's start-up
// (InitializeUnits) to its shut-down, which destroys the forms and data modules the
// application owns.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Hints.h"
#include "classlib/Icons.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"
#include "classlib/WindowProcErrors.h"

#include <exception>
#include <map>
#include <type_traits>
#include <vector>

DECLARE_UNIT(Forms)

class TDataModule;
class THintWindow;
class TMainMenu;
class TMenuItem;
class TTimer;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// fsStayOnTop keeps the window above all windows that are not topmost. An fsMDIForm holds
// its MDI children in a client window that fills what its aligned controls leave of its
// client area; an fsMDIChild lives in the client window of the application's main form,
// which must be an fsMDIForm with its window when the child's window is made.
enum TFormStyle { fsNormal, fsStayOnTop, fsMDIChild, fsMDIForm };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = TEvent<void(TWMKey& Message, bool& Handled)>;
using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
// A hook on the application's window: true when it has handled Message (its Result stands).
using TWindowHook = TEvent<bool(TMessage& Message)>;

namespace forms_detail {
// Reads Root's resource (named after its class) and runs what follows the reading.
void BuildFromResource(TComponent* Root);
} // namespace forms_detail

// ---------------------------------------------------------------------------
// TCustomForm

class TCustomForm : public TWinControl, public TFormHost {
    DECLARE_CLASS(TCustomForm, TWinControl)
    friend void forms_detail::BuildFromResource(TComponent* Root);
    friend class TScreen;
    friend class TApplication;

public:
    // An empty, hidden form.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    // Offered every key first; Handled ends the key there.
    TShortCutEvent OnShortCut;

    // Shows the form and brings it to the front.
    void Show();
    // Asks OnCloseQuery and OnClose, then hides, minimizes or releases the form as
    // OnClose decided; closing the main form ends the application. Inside ShowModal it
    // sets ModalResult to mrCancel instead.
    void Close();
    bool CloseQuery();
    // Shows the form with the other windows of the thread disabled until ModalResult is
    // set (or the application terminates); returns ModalResult.
    TModalResult ShowModal();
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Destroys the form once the messages already waiting have been handled.
    void Release();

    TWinControl* GetActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // The active control is written with the form only when the form writes the control
    // itself: not one that a component of the form makes for its own use (a radio group's
    // boxes), which no reference in the form's resource could name.
    bool IsActiveControlStored() const;
    // Makes Control the active control and gives it the focus.
    void FocusControl(TWinControl* Control) override;
    // Called when a control of the form receives the focus; fires the exit and enter
    // events and tells the controls (CM_FOCUSCHANGED). False cancels the change.
    bool SetFocusedControl(TWinControl* Control) override;
    // Forgets Control (and what lies inside it) as active or focused control.
    void DefocusControl(TWinControl* Control) override;
    void MoveFocusFrom(TWinControl* Control) override;
    // The form is the active window.
    bool GetActive() const { return FActive; }
    bool GetKeyPreview() const override { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // Fires OnShortCut.
    bool IsShortCut(TWMKey& Message) override;
    // Tells the active control that Sender was pressed (CM_CANCELMODE), so that it can
    // close what it has open.
    void SendCancelMode(TControl* Sender) override;

    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle GetFormStyle() const { return FFormStyle; }
    // Makes the window anew in the new style.
    void SetFormStyle(TFormStyle Value);
    TBorderIcons GetBorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition GetPosition() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState GetWindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // The window's icon; while empty, the window shows the application's.
    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    // The menu bar of the window; not owned. Its items get the window's menu commands and,
    // after OnShortCut, the keys that are their shortcuts.
    TMainMenu* GetMenu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);

    // MDI (see TFormStyle). The client window of an fsMDIForm; null for other forms and
    // before the form's window exists.
    HWND GetClientHandle() const { return FClientHandle; }
    bool HasWindowsInside() const override {
        return FClientHandle || TWinControl::HasWindowsInside();
    }
    // The MDI children of an fsMDIForm, hidden ones included, in the order of their
    // windows from the top: the active child comes first.
    std::vector<TCustomForm*> GetMDIChildList() const;
    int GetMDIChildCount() const;
    TCustomForm* GetMDIChildren(int Index) const;
    // The active MDI child; null when none (and for forms that are not fsMDIForm).
    TCustomForm* GetActiveMDIChild() const;
    // The item of the main menu that lists the MDI children (filled by whoever shows the
    // list); not owned.
    TMenuItem* GetWindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value);
    // The system's arrangements of the MDI children: side by side, overlapping from the
    // top left, and the minimized ones in a row along the bottom.
    void Tile();
    void Cascade();
    void ArrangeIcons();

    void SetFocus() override;
    TRect GetClientRect() override;
    void PaintWindow(HDC DC) override;
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;

protected:
    // Leaves the screen's list and gives the menu back before the window goes.
    void Unlink() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DestroyWindowHandle() override;
    LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void UpdateShowing() override;
    void ReleaseCanvasHandle() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    // Fires OnPaint with Canvas on the paint DC.
    virtual void Paint();

    void WMClose(TMessage& Message);
    void WMCommand(TWMCommand& Message);
    void WMActivate(TWMActivate& Message);
    void WMGetMinMaxInfo(TWMGetMinMaxInfo& Message);
    void WMNextDlgCtl(TWMNextDlgCtl& Message);
    void WMSize(TWMSize& Message);
    void CMRelease(TMessage& Message);
    void CMDialogKey(TWMKey& Message);
    void CMVisibleChanged(TMessage& Message);
    void WMMDIActivate(TMessage& Message);

    MESSAGE_HANDLERS(TCustomForm, TWinControl)
    MESSAGE_HANDLER(WM_CLOSE, WMClose)
    MESSAGE_HANDLER(WM_COMMAND, WMCommand)
    MESSAGE_HANDLER(WM_ACTIVATE, WMActivate)
    MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfo)
    MESSAGE_HANDLER(WM_NEXTDLGCTL, WMNextDlgCtl)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(CM_RELEASE, CMRelease)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    MESSAGE_HANDLER(WM_MDIACTIVATE, WMMDIActivate)
    END_MESSAGE_HANDLERS

private:
    void IconChanged(TObject* Sender);
    // The form's own icon, or the application's while the form has none.
    HICON ShownIcon() const;
    void CreateMDIClient();
    // The client window an MDI child's window lives in: the main form's; null without one.
    static HWND MDIParentClient();
    void ActivateMDIChild();
    // Another visible child takes over from this one, which is being hidden.
    void PassMDIActivation();
    void ApplyPosition();
    void SetWindowFocus();
    void CloseModal();
    void AttachMenu();
    // The window would destroy the menu's system menu with itself: it is the menu's.
    void DetachMenu();

    // The size of the frame of a window made with Style and ExStyle, while there is none.
    struct TFrameSize {
        bool Valid = false;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int Width = 0;
        int Height = 0;
    };

    TMainMenu* FMenu = nullptr;
    TFrameSize FFrame;
    TMenuItem* FWindowMenu = nullptr;
    HWND FClientHandle = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TControlCanvas> FCanvas;
    TModalResult FModalResult = mrNone;
    bool FKeyPreview = false;
    bool FActive = false;
    bool FModal = false;
    bool FDestroyFired = false;
};

class TForm : public TCustomForm {
    DECLARE_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

    static void Published(TPropertyList& P);
};

// The form Control is on; null when it is on none.
inline TCustomForm* GetParentForm(TControl* Control) {
    return Control ? Control->GetParentForm() : nullptr;
}

// ---------------------------------------------------------------------------
// TDataModule

class TDataModule : public TComponent {
    DECLARE_CLASS(TDataModule, TComponent)
    friend void forms_detail::BuildFromResource(TComponent* Root);
    friend class TScreen;

public:
    explicit TDataModule(TComponent* AOwner);
    ~TDataModule() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

    // Where the module was placed while it was designed; kept, with no effect.
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value) { FLeft = Value; }
    int GetTop() const { return FTop; }
    void SetTop(int Value) { FTop = Value; }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }

    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    static void Published(TPropertyList& P);

protected:
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FDestroyFired = false;
};

// Creates a form or data module of class T owned by Owner and builds it from its
// resource; OnCreate has run when it returns. When building fails the object is
// destroyed and the exception goes on.
template <typename T> T* CreateFromResource(TComponent* Owner) {
    static_assert(std::is_base_of_v<TCustomForm, T> || std::is_base_of_v<TDataModule, T>,
                  "only forms and data modules have resources");
    T* root = new T(Owner);
    try {
        forms_detail::BuildFromResource(root);
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}

// ---------------------------------------------------------------------------
// TApplication

class TApplication : public TComponent, public THintHost {
    DECLARE_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    TExceptionEvent OnException;
    // Every message the loop takes from the queue; Handled keeps it from going further.
    TMessageEvent OnMessage;
    // When the queue is empty; Done (true by default) lets the loop wait for messages.
    TIdleEvent OnIdle;
    // Hint changed.
    TNotifyEvent OnHint;

    void Initialize();
    // Creates a form or data module owned by the application from its resource. Reference
    // is set before the resource is read, so that code run while reading finds it. The
    // first form created becomes the main form.
    template <typename T> void CreateForm(T*& Reference);
    // Shows the main form (unless ShowMainForm is off) and runs the message loop until the
    // application terminates (closing the main form terminates it). Returns at once without
    // a main form.
    void Run();
    bool GetShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }
    // Handles the messages waiting in the queue, and returns.
    void ProcessMessages();
    // Handles one message; waits for one (after OnIdle) when there is none.
    void HandleMessage();
    void Terminate();
    bool GetTerminated() const { return FTerminated; }
    // Shows E's message in a message box, or passes it to OnException when assigned.
    // EAbort is silent.
    void HandleException(TObject* Sender, const std::exception& E);
    // E's message in an error box captioned with the title.
    void ShowException(const std::exception& E);
    // Shows the system's message box modal to the program and returns the button pressed
    // (IDOK, IDYES, ...). The box is owned by the active form (the one that was active
    // last, while another program is), else by the main form; its owner and every other
    // window of the program stay disabled until it closes.
    int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags);
    // Minimizes the main form and hides the other forms, without changing their Visible;
    // Restore brings them back. Neither fires OnShow or OnHide.
    void Minimize();
    void Restore();

    // The caption of the error boxes; at first the program file's name without extension.
    const AnsiString& GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    // The program's icon: the module's icon resource "MAINICON" when it has one. Forms
    // without an icon of their own show it.
    TIcon* GetIcon() const { return FIcon.get(); }
    void SetIcon(TIcon* Value);
    AnsiString GetExeName() const;
    TCustomForm* GetMainForm() const { return FMainForm; }
    // Makes Form the main form: Run shows it, closing it ends the program, and forms made
    // after it belong to its window. For a form built in code (CreateForm makes the first
    // form it builds the main form itself); null leaves the application without one. The
    // application forgets the form when it is deleted.
    void SetMainForm(TCustomForm* Form);
    // The application's hidden window. It stands for the program as a whole: besides the
    // system's broadcasts it hears of the main form's minimizing as WM_SIZE with
    // SIZE_MINIMIZED, as if it had been minimized itself.
    HWND GetHandle();
    // Hooks see the messages of the application's window before its own handling, in the
    // order they were added; the first that answers true ends the message's way. A hook
    // may add or remove hooks while it runs.
    void HookMainWindow(TWindowHook Hook);
    void UnhookMainWindow(TWindowHook Hook);

    // Hints. When the pointer rests HintPause milliseconds over a control whose ShowHint
    // is set (or over a control inside it), the control's Hint (or that of the nearest of
    // its parents that has one) shows in a window of
    // HintWindowClass below the pointer, for HintHidePause milliseconds (0: until the
    // pointer leaves). A key, a click or the pointer leaving the control hides it; it shows
    // again only after the pointer has been over another control.
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    int GetHintPause() const { return FHintPause; }
    void SetHintPause(int Value) { FHintPause = Value; }
    int GetHintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int Value) { FHintHidePause = Value; }
    // The pause instead of HintPause when the pointer moves on to another control while a
    // hint shows.
    int GetHintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int Value) { FHintShortPause = Value; }
    // Called before a hint shows; see THintInfo.
    TShowHintEvent OnShowHint;
    // The hint of the control under the pointer, or of the nearest of its parents that has
    // one; empty over none. Setting a different text fires OnHint.
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value);
    // Hides a shown or waiting hint until the pointer moves onto another control.
    void CancelHint();
    void HintMouseEnter(TControl* Control) override;
    // The window the hint shows in (null before the first hint) and the timer that shows
    // and hides it.
    THintWindow* GetHintWindow() const { return FHintWindow.get(); }
    bool GetHintShowing() const { return FHintShowing; }
    TTimer* GetHintTimer() const { return FHintTimer.get(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool ProcessMessage(MSG& Msg);
    bool IsKeyMsg(MSG& Msg);
    // Ctrl+F4 and Ctrl+F6 of the main form's MDI children.
    bool IsMDIMsg(MSG& Msg);
    void Idle();
    void WndProc(TMessage& Message);
    void IconChanged(TObject* Sender);
    HWND DialogOwner() const;
    void HintTimerExpired(TObject* Sender);
    void ActivateHint();
    void HideHint();
    void StartHintTimer(int Interval);

    TCustomForm* FMainForm = nullptr;
    std::unique_ptr<TIcon> FIcon;
    HWND FHandle = nullptr;
    AnsiString FTitle;
    bool FTerminated = false;
    bool FShowMainForm = true;
    bool FMinimized = false;
    std::vector<HWND> FHiddenByMinimize;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    std::vector<TWindowHook> FWindowHooks;
    AnsiString FHint;
    // The control whose hint waits or shows.
    TControl* FHintControl = nullptr;
    std::unique_ptr<THintWindow> FHintWindow;
    std::unique_ptr<TTimer> FHintTimer;
    bool FHintShowing = false;
};

extern TApplication* Application;

// Runs Proc at shut-down once the application object and its forms are gone, last
// added first: the end of objects of other units that forms use to their end.
void AddExitProc(void (*Proc)());

template <typename T> void TApplication::CreateForm(T*& Reference) {
    static_assert(std::is_base_of_v<TCustomForm, T> || std::is_base_of_v<TDataModule, T>,
                  "CreateForm makes forms and data modules");
    Reference = new T(this);
    try {
        forms_detail::BuildFromResource(Reference);
    } catch (...) {
        delete Reference;
        Reference = nullptr;
        throw;
    }
    if constexpr (std::is_base_of_v<TCustomForm, T>) {
        if (!FMainForm) SetMainForm(Reference);
    }
}


// ---------------------------------------------------------------------------
// TScreen

class TScreen : public TComponent, public TScreenCursors {
    DECLARE_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // The cursor handles by TCursor index: Screen->Cursors[5] = LoadCursorA(...).
    // Unknown indexes give the default cursor; a cursor set here is destroyed when
    // replaced and at shut-down.
    class TCursorList {
    public:
        class TEntry {
        public:
            TEntry(TCursorList& List, TCursor Index) : FList(List), FIndex(Index) {}
            operator HCURSOR() const { return FList.Get(FIndex); }
            TEntry& operator=(HCURSOR Cursor) {
                FList.Set(FIndex, Cursor);
                return *this;
            }

        private:
            TCursorList& FList;
            TCursor FIndex;
        };

        TCursorList();
        ~TCursorList();
        TCursorList(const TCursorList&) = delete;
        TCursorList& operator=(const TCursorList&) = delete;

        TEntry operator[](TCursor Index) { return {*this, Index}; }
        HCURSOR Get(TCursor Index) const;
        void Set(TCursor Index, HCURSOR Cursor);

    private:
        // The system's shared cursor for Index, looked up on first use: each look-up costs
        // the system a few round trips, and most programs show a handful of the cursors.
        HCURSOR SystemCursor(TCursor Index) const;

        std::map<TCursor, HCURSOR> FCursors;
        mutable std::map<TCursor, HCURSOR> FSystem;
    };
    TCursorList Cursors;

    int GetFormCount() const { return static_cast<int>(FForms.size()); }
    // Forms in the order they were created.
    TCustomForm* GetForm(int Index) const;
    int GetDataModuleCount() const { return static_cast<int>(FDataModules.size()); }
    TDataModule* GetDataModule(int Index) const;
    TCustomForm* GetActiveForm() const { return FActiveForm; }
    // The focused control of the active form.
    TWinControl* GetActiveControl() const;

    // A cursor for the whole screen while not crDefault.
    TCursor GetCursor() const override { return FCursor; }
    HCURSOR CursorHandle(TCursor Cursor) override { return Cursors[Cursor]; }
    void SetCursor(TCursor Value);

    int GetWidth() const;
    int GetHeight() const;
    // The desktop without the task bar.
    TRect GetWorkAreaRect() const;
    int GetPixelsPerInch() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TCustomForm;
    friend class TDataModule;

    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void AddDataModule(TDataModule* Module);
    void RemoveDataModule(TDataModule* Module);

    std::vector<TCustomForm*> FForms;
    std::vector<TDataModule*> FDataModules;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
