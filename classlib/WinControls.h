// Windowed controls: TWinControl, a control with a window of its own that can hold other
// controls and take the keyboard focus, and TCustomControl, one that paints itself on a
// canvas. Message dispatch is described at the top of Controls.h.
//
// The window is made when it is first needed: when the control is shown on a parent
// whose window is shown or showing, when a parent's window shows (for its visible
// children; a window made hidden, such as a form's before its first show, makes no
// children's windows until then), or when someone asks for Handle. A control can thus be
// built, placed and filled before any window exists.
//
// Window classes. A control's window class is registered under the control's class name
// with the library's window procedure. A control that builds on a system control calls,
// in its CreateParams, CreateSubClass(Params, "BUTTON") (or "EDIT", "LISTBOX", ...): the
// class is then a copy of the system class whose procedure is the library's, and the
// system class's own procedure becomes the control's default handler. The control
// receives the very first message of its window (WM_NCCREATE), so nothing of the system
// class's work is missed.
//
// A window is tied to its control by a window property (atom private to the process);
// the window's user data stays free for whoever owns the window class.
//
// Children are kept in Z-order, window-less and windowed ones together, the first at the
// bottom. Tab order is a separate list of the windowed children. A control deletes its
// children when it is deleted, so children are always made with new.
//
// Keyboard. The message loop offers each key to the focused control as CN_KEYDOWN /
// CN_CHAR before it is dispatched. Tab, the arrows, Return and Escape go to the form as
// CM_DIALOGKEY unless the control wants them (WM_GETDLGCODE or CM_WANTSPECIALKEY):
// the form moves the focus on Tab and the arrows and passes Return and Escape to all its
// controls, so that a default or cancel button can take them (Result != 0 ends it).
// Characters that the control does not want (no DLGC_WANTCHARS), and Alt with a
// character, go to the form as CM_DIALOGCHAR for accelerators, the same way.
// Then the key reaches the control's window: OnKeyDown / OnKeyPress / OnKeyUp fire
// first (on the form before, when the form has KeyPreview); a key they set to 0 goes no
// further; the rest goes to the control's own handlers.
#pragma once

#include "classlib/Controls.h"

#include <memory>
#include <optional>
#include <vector>

struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    // The class the window is made of; lpfnWndProc is the default handler's procedure
    // (DefWindowProc, or a system class's own procedure after CreateSubClass).
    WNDCLASSA WindowClass = {};
    AnsiString WinClassName;
};

// The control whose window Wnd is; null for any other window.
TWinControl* FindControl(HWND Wnd);

class TWinControl : public TControl {
    DECLARE_CLASS(TWinControl, TControl)
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // The window, made now if there is none yet.
    HWND GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again (with new creation parameters).
    void RecreateWnd();
    // Destroys the windows of the control and its children; they are made again when
    // needed.
    void DestroyHandle();
    // A window outside the library to place a parentless control in.
    HWND GetParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);

    bool IsWindowed() const override { return true; }
    bool IsShowing() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect GetClientRect() override;
    TPoint GetClientOrigin() override;
    // While kept, bounds given to the hidden window of a parentless control wait in the
    // control, which reports them and lays its children out by them, and go to the window
    // with its next change of place, size or showing, or at ApplyKeptBounds: a form that is
    // placed and sized while it is being shown moves once.
    void KeepBounds(bool Keep) { FKeepBounds = Keep; }
    void ApplyKeptBounds();

    // Children, in Z-order (the first at the bottom).
    int GetControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* GetControl(int Index) const;
    // The topmost visible (and, unless AllowDisabled, enabled) window-less child whose
    // bounds hold Pos (client coordinates).
    TControl* GraphicControlAtPos(const TPoint& Pos, bool AllowDisabled = false) const;
    // The control that the pointer at Pos (client coordinates) is over: the window-less child
    // there, or this control; null outside the client area.
    TControl* MouseTargetAt(const TPoint& Pos);
    // Whether Control is this one or lies somewhere inside it.
    bool ContainsControl(TControl* Control) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // AControl, a child, is to be shown: a container of pages brings forward the page it is;
    // every container asks its own parent to show it in turn.
    virtual void ShowControl(TControl* AControl);
    // Sends Message to every child, stopping at the first that answers Result != 0.
    void Broadcast(TMessage& Message);
    // Sends Msg to every child.
    void NotifyControls(UINT Msg);

    // Layout
    void DisableAlign();
    void EnableAlign();
    // Forgets a layout asked for while alignment was disabled: EnableAlign then moves nothing.
    void DropPendingAlign() { FAlignPending = false; }
    void Realign();
    virtual void AdjustClientRect(TRect& Rect);
    // Moves every child by (DeltaX, DeltaY): a container scrolls a content larger than itself.
    // The children are laid out once, after all of them moved.
    void ScrollBy(int DeltaX, int DeltaY);

    // Focus
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // Position in the parent's tab order.
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus();
    bool Focused() const;
    // Whether windows can lie inside this control's window: those of the controls inside it,
    // or the system's own inside a system control. Known without asking the system.
    virtual bool HasWindowsInside() const;
    virtual void SetFocus();
    // Moves the focus to the next (or previous) control in tab order after CurControl.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // The next control in tab order that could take the focus; null when there is none.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent);
    // The windowed controls inside this one in tab order, children after their parent.
    void GetTabOrderList(std::vector<TWinControl*>& List);

    // Painting
    // Paints the control's own look into DC (a system control paints itself there).
    // Public: a control that shows its parent's picture behind itself asks for it.
    virtual void PaintWindow(HDC DC);
    // Paints the window-less children from First on (all when First is null) into DC,
    // each with the DC's origin moved to it and clipped to its bounds.
    void PaintControls(HDC DC, TControl* First);
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void Loaded() override;
    void DefaultHandler(TMessage& Message) override;

protected:
    // Leaves the parent, then lets its window (and its children's) go.
    void Unlink() override;
    void WndProc(TMessage& Message) override;
    virtual void CreateParams(TCreateParams& Params);
    // Makes Params the subclass of the system window class ClassName (see above).
    void CreateSubClass(TCreateParams& Params, const char* ClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // The system's default processing of a message of the window: the class's own
    // procedure (after CreateSubClass) or DefWindowProc.
    virtual LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    // True when the window has a frame, border or scroll bar around its client area.
    bool HasNonClientArea() const;
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // Makes the window, and the windows of the visible children once the window shows.
    virtual void CreateHandle();
    // The window is about to show: the visible children get the windows they waited for.
    void ChildHandlesNeeded();
    // Places the aligned children in Rect, alignment by alignment, each group in the order of
    // the children's positions; AControl, the child being aligned, keeps the place it was
    // given against a sibling at the same position.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // Whether AlignControls places the children left unaligned as well, so that placing,
    // hiding or showing one of them lays the children out again.
    virtual bool PlacesUnalignedControls() const { return false; }
    void SetZOrder(bool TopMost) override;
    AnsiString RealGetText() override;
    // Fires the key events; true when a handler consumed the key.
    virtual bool DoKeyDown(TWMKey& Message);
    virtual bool DoKeyPress(TWMKey& Message);
    virtual bool DoKeyUp(TWMKey& Message);
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();
    // Puts the window into the Z-order position of the control.
    void UpdateZOrder();
    // Shows or hides the window as Visible says, making it when needed.
    virtual void UpdateShowing();
    // Reads position and size back from the window.
    void UpdateBounds();
    // Lays out the children when the control is not loading or kept from it.
    void AlignControl(TControl* AControl);
    TBrush* GetBrush() const { return FBrush.get(); }

    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    void WMSize(TWMSize& Message);
    void WMMove(TWMMove& Message);
    void WMWindowPosChanging(TWMWindowPosChanging& Message);
    void WMWindowPosChanged(TWMWindowPosChanged& Message);
    void WMSetCursor(TWMSetCursor& Message);
    void WMMouseLeave(TMessage& Message);
    // A control's window is destroyed by its control only: a close request (one a system
    // control posts to its parent, say) is ignored. Forms answer it by closing.
    void WMClose(TMessage& Message);
    void WMContextMenu(TWMContextMenu& Message);
    void WMReflect(TMessage& Message);
    void WMCtlColor(TWMCtlColor& Message);
    void CNCtlColor(TWMCtlColor& Message);
    void CNKeyDown(TWMKey& Message);
    void CNChar(TWMKey& Message);
    void CNSysChar(TWMKey& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMFocusChanged(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMCtl3DChanged(TMessage& Message);
    void CMShowHintChanged(TMessage& Message);
    void CMInvalidate(TMessage& Message);

    MESSAGE_HANDLERS(TWinControl, TControl)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_MOVE, WMMove)
    MESSAGE_HANDLER(WM_CLOSE, WMClose)
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGING, WMWindowPosChanging)
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged)
    MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor)
    MESSAGE_HANDLER(WM_MOUSELEAVE, WMMouseLeave)
    MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu)
    MESSAGE_HANDLER(WM_COMMAND, WMReflect)
    MESSAGE_HANDLER(WM_NOTIFY, WMReflect)
    MESSAGE_HANDLER(WM_DRAWITEM, WMReflect)
    MESSAGE_HANDLER(WM_MEASUREITEM, WMReflect)
    MESSAGE_HANDLER(WM_DELETEITEM, WMReflect)
    MESSAGE_HANDLER(WM_COMPAREITEM, WMReflect)
    MESSAGE_HANDLER(WM_HSCROLL, WMReflect)
    MESSAGE_HANDLER(WM_VSCROLL, WMReflect)
    MESSAGE_HANDLER(WM_VKEYTOITEM, WMReflect)
    MESSAGE_HANDLER(WM_CHARTOITEM, WMReflect)
    MESSAGE_HANDLER(WM_CTLCOLORMSGBOX, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLOREDIT, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORLISTBOX, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORBTN, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORDLG, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORSCROLLBAR, WMCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, WMCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORMSGBOX, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORLISTBOX, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORBTN, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORDLG, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORSCROLLBAR, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
    MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown)
    MESSAGE_HANDLER(CN_SYSKEYDOWN, CNKeyDown)
    MESSAGE_HANDLER(CN_CHAR, CNChar)
    MESSAGE_HANDLER(CN_SYSCHAR, CNSysChar)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
    MESSAGE_HANDLER(CM_ENTER, CMEnter)
    MESSAGE_HANDLER(CM_EXIT, CMExit)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
    MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged)
    MESSAGE_HANDLER(CM_SHOWHINTCHANGED, CMShowHintChanged)
    MESSAGE_HANDLER(CM_INVALIDATE, CMInvalidate)
    END_MESSAGE_HANDLERS

private:
    void PaintHandler(HDC DC);
    void AttachHandle(HWND Wnd);
    void DetachHandle();
    void RegisterWindowClass(TCreateParams& Params);
    // Routes a mouse message to the window-less child it belongs to; true when one took it.
    bool RouteMouseToChild(TMessage& Message);
    // Tells the controls under the pointer that it came or went (WM_MOUSEMOVE).
    void TrackMouseControl(const TPoint& Pos);
    void CreateChildHandles();
    void ApplyAnchors(TControl* Control, const TRect& Rect);
    void SortTabList();
    void ForgetFocus(TWinControl* Leaving);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr; // null: DefWindowProc
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    int FTabOrderWanted = -1; // read from a form resource, put into effect once loaded
    int FAlignLevel = 0;
    bool FAligning = false;
    bool FAlignPending = false;
    bool FTrackingLeave = false;
    bool FKeepBounds = false;
    // FLeft, FTop, FWidth and FHeight are not yet the window's.
    bool FBoundsKept = false;
    // The place SetBounds is giving the window, while it gives it: the window's own place
    // stops at the 16 bits each way that the system holds.
    std::optional<TPoint> FPlacing;
    // The window was made hidden: its visible children get theirs when it shows.
    bool FChildHandlesWait = false;
};

// PublishControlProperties and what windowed controls add: 3-D look, tab order, focus and
// key events.
void PublishWinControlProperties(TPropertyList& P);

// ---------------------------------------------------------------------------
// TCustomControl

// A windowed control that paints itself: Paint draws on Canvas, which during WM_PAINT
// draws on the paint DC (the system's or the one the message carries).
class TCustomControl : public TWinControl {
    DECLARE_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* GetCanvas() const { return FCanvas.get(); }

    void PaintWindow(HDC DC) override;

protected:
    virtual void Paint();
    void ReleaseCanvasHandle() override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
