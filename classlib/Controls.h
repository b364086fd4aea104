// Controls: the visual components of forms. TControl is the base of all of them;
// TGraphicControl is a control without a window of its own, painted on its parent's
// (WinControls.h has the windowed ones: TWinControl and TCustomControl).
//
// Message dispatch. Every window the library creates, of its own window classes or of a
// system class it builds on, has the same window procedure. It finds the window's
// control and hands the message, as a TMessage, to the control's WindowProc. WindowProc
// is a replaceable method (a component may take a control's messages over and give them
// back later); it starts as the control's virtual WndProc. WndProc does what every
// message needs (mouse capture and clicks, routing the mouse to window-less children,
// pointer enter and leave, keyboard events, focus tracking) and then calls Dispatch.
// Dispatch routes the message by number to the handlers a class lists in its message
// map; a message without a handler of its own goes up to the parent class's map, and
// from the top of the chain to DefaultHandler (the system's default processing, or the
// original procedure of a system control class). A class writes:
//
//     class TMyControl : public TCustomControl {
//         DECLARE_CLASS(TMyControl, TCustomControl)
//     protected:
//         void WMPaint(TWMPaint& Message);      // any view of Messages.h, or TMessage&
//         void CMMouseEnter(TMessage& Message);
//         MESSAGE_HANDLERS(TMyControl, TCustomControl)
//         MESSAGE_HANDLER(WM_PAINT, WMPaint)
//         MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
//         END_MESSAGE_HANDLERS
//     };
//
// and a handler that wants the parent class's handling as well calls it explicitly:
// `TCustomControl::Dispatch(Message.Message);`. The map declares Dispatch public and
// leaves the class body in a private section.
//
// Exceptions never leave a window procedure: whatever a handler throws ends up in the
// application's HandleException, and the message loop goes on.
//
// Coordinates: a control's Left and Top are relative to its parent's client area (for a
// form, to the screen); Width and Height are its outer size.
#pragma once

#include "classlib/Component.h"
#include "classlib/Canvas.h"
#include "classlib/Messages.h"
#include "classlib/UnitInit.h"

#include <memory>
#include <type_traits>
#include <vector>

DECLARE_UNIT(Controls)

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu; // the menus unit's; a control's PopupMenu holds one (see TPopupHost)
class TWMKey;

// What a control asks of the form it sits on. Forms implement it; the controls know no
// more of them.
class TFormHost {
public:
    // Tells the active control that the mouse went down on Sender.
    virtual void SendCancelMode(TControl* Sender) = 0;
    // Makes Control the form's active control and gives it the focus when shown.
    virtual void FocusControl(TWinControl* Control) = 0;
    // Control or one of its children is leaving: the form forgets it as focused or active.
    virtual void DefocusControl(TWinControl* Control) = 0;
    // Control is being disabled or hidden, and with it whatever lies inside it: when that
    // holds the focus or the form's active control, both move on to the next tab stop, so
    // that the keys still reach a live control.
    virtual void MoveFocusFrom(TWinControl* Control) = 0;
    // Control got the focus: the form sends the exit and enter messages; false when a
    // handler moved the focus elsewhere meanwhile.
    virtual bool SetFocusedControl(TWinControl* Control) = 0;
    // The form sees its controls' keys first.
    virtual bool GetKeyPreview() const = 0;
    // A menu or the form's OnShortCut takes the key.
    virtual bool IsShortCut(TWMKey& Message) = 0;

protected:
    ~TFormHost() = default;
};


// ---------------------------------------------------------------------------
// Message maps

namespace controls_detail {
template <typename Self, typename Class, typename View>
void CallHandler(Self* Object, void (Class::*Handler)(View&), TMessage& Message) {
    if constexpr (std::is_same_v<View, TMessage>) {
        (Object->*Handler)(Message);
    } else {
        View view(Message);
        (Object->*Handler)(view);
    }
}

// The pointer went from the control under it to Entered (null: to none of the program's):
// the one it left gets CM_MOUSELEAVE, Entered CM_MOUSEENTER.
void ChangeMouseControl(TControl* Entered);
// Control is going: it no longer counts as under the pointer nor as holding the capture.
void ForgetPointerControl(TControl* Control);
// Frees the pointer watch's timer (unit shut-down).
void StopPointerWatch();
} // namespace controls_detail

#define MESSAGE_HANDLERS(Class, ParentClass)                                                       \
public:                                                                                            \
    void Dispatch(TMessage& Message) override {                                                    \
        using HandlerClass = Class;                                                                \
        using HandlerParent = ParentClass;                                                         \
        switch (Message.Msg) {

#define MESSAGE_HANDLER(Number, Handler)                                                           \
    case Number:                                                                                   \
        controls_detail::CallHandler(this, &HandlerClass::Handler, Message);                       \
        return;

#define END_MESSAGE_HANDLERS                                                                       \
    default:                                                                                       \
        break;                                                                                     \
        }                                                                                          \
        HandlerParent::Dispatch(Message);                                                          \
        }                                                                                          \
                                                                                                   \
    private:

// ---------------------------------------------------------------------------
// Types

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Placement of text within a control.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Borders of forms; controls with a border use the first two values.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TControlStyleItem {
    csAcceptsControls, // other controls may be placed on it
    csCaptureMouse,    // captures the mouse while a button is held on it
    csClickEvents,     // a press and release on it is a click
    csFramed,
    csSetCaption,   // its caption follows its name while the two are equal
    csOpaque,       // paints all of its area itself: its parent leaves it out
    csDoubleClicks, // gets double clicks (otherwise they arrive as presses)
    csFixedWidth,
    csFixedHeight,
    csReplicatable,
    csNoStdEvents, // no OnMouseXxx / OnKeyXxx events
    // built on a system control, yet its PaintWindow draws all of it: its paints never go
    // straight to the system control's own painter
    csOwnPaint
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown, // the left button went down on the control
    csClicked,     // and a release on it will be a click
    csCreating,    // its window is being made
    csCustomPaint, // its Paint is running
    csDestroyingHandle
};
using TControlState = TSet<TControlStateItem>;

// Cursors: indexes into Screen->Cursors (negative ones are the system's).
using TCursor = int;

// The screen's cursors as controls need them; the forms unit's screen object provides
// them while it exists (ScreenCursors is null otherwise).
class TScreenCursors {
public:
    // The cursor that overrides every control's (crDefault: none).
    virtual TCursor GetCursor() const = 0;
    virtual HCURSOR CursorHandle(TCursor Cursor) = 0;

protected:
    ~TScreenCursors() = default;
};
extern TScreenCursors* ScreenCursors;

// Hints as the pointer moves over controls; the forms unit's application object provides
// them while it exists (HintHost is null otherwise).
class THintHost {
public:
    // The pointer is now over Control (null: over none of the program's controls).
    virtual void HintMouseEnter(TControl* Control) = 0;

protected:
    ~THintHost() = default;
};
extern THintHost* HintHost;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;
// Form resources write cursors by these names ("crHandPoint").
bool CursorToIdent(int Cursor, AnsiString& Ident);
bool IdentToCursor(const AnsiString& Ident, int& Cursor);

using TMouseEvent =
    TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta is signed: positive when the wheel turns away from the user. MousePos is in
// screen coordinates.
using TMouseWheelEvent = TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                     TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;

// Implemented by popup menu components: a right click on a control whose PopupMenu is
// such a component tells it the control, then opens it at the given screen point.
class TPopupHost {
public:
    virtual void SetPopupComponent(TComponent* Value) = 0;
    virtual void Popup(int X, int Y) = 0;

protected:
    ~TPopupHost() = default;
};

// The least and largest size of a control; 0 for no limit.
class TSizeConstraints : public TPersistent {
    DECLARE_CLASS(TSizeConstraints, TPersistent)
public:
    explicit TSizeConstraints(TControl* Control);

    TNotifyEvent OnChange;

    int GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int GetMinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int GetMaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);

    // Width and Height brought within the limits.
    void Apply(int& Width, int& Height) const;
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;
    static void Published(TPropertyList& P);

private:
    void Change();

    TControl* FControl;
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};

// The canvas of a control. During painting it draws on the paint DC; at other times it
// gets the control's DC from the system on first use and lets go of it at the next
// paint, when the control moves or loses its window, and when the control goes.
class TControlCanvas : public TCanvas {
    DECLARE_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl* Control) : FControl(Control) {}
    ~TControlCanvas() override;

    TControl* GetControl() const { return FControl; }
    // Lets go of a DC the canvas got for itself (not of one it was handed).
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FDCWindow = nullptr; // the window whose DC the canvas got for itself
    HDC FOwnDC = nullptr;
};

// ---------------------------------------------------------------------------
// TControl

// The greatest size of a control, and the farthest place a form holds for one: windows
// receive mouse positions in 16 bits, so no larger size can be meant, and reading refuses
// more before any control sizes a buffer to it. While the program runs a control's place is
// any int (scrolling takes children far off); a form stores the nearest place it holds.
constexpr int MaxControlExtent = 32767;

class TControl : public TComponent {
    DECLARE_CLASS(TControl, TComponent)
    friend class TWinControl;

public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // Every message of the control goes here; see the top of this file.
    TWndMethod WindowProc;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    // WM_MOUSEWHEEL: OnMouseWheel first; unless it handles the turn, OnMouseWheelDown or
    // OnMouseWheelUp by its sign. A turn nobody handles goes to the default processing.
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

    // Sends a message straight to the control's WindowProc and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The message map chain; see the top of this file. TControl's own handlers are the
    // root of every chain, which ends in DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    // What happens to a message nobody handled.
    virtual void DefaultHandler(TMessage& Message);

    // Parent
    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override;
    void SetParentComponent(TComponent* Value) override;
    // The form the control is on (itself for a form); null when it is on none.
    // The form the control sits on (the top of its parents), null when none. The forms
    // unit defines it; the controls themselves use GetFormHost.
    TCustomForm* GetParentForm() const;
    TFormHost* GetFormHost() const;

    // Bounds
    int GetLeft() const { return FLeft; }
    void SetLeft(int Value);
    int GetTop() const { return FTop; }
    void SetTop(int Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    // Every change of position or size goes through here.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& Rect);
    // The client area in client coordinates.
    virtual TRect GetClientRect();
    int GetClientWidth();
    void SetClientWidth(int Value);
    int GetClientHeight();
    void SetClientHeight(int Value);
    // Screen position of the client area's top-left corner.
    virtual TPoint GetClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value);
    bool GetAutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    // Visible, after asking its parents to show it: a control on a hidden page brings that
    // page forward. Visible := True alone only changes the control's own state, as the
    // library's own showing of scroll bars and pages must not switch the pages around them.
    void Show();
    void Hide();
    // Visible, and so are all its parents up to a shown window.
    virtual bool IsShowing() const;
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    // Enabled, and so are all its parents: a disabled container passes no input to the
    // controls inside it, which keep their own Enabled but look disabled with it.
    bool IsEffectivelyEnabled() const;

    AnsiString GetCaption() { return GetText(); }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    AnsiString GetText();
    void SetText(const AnsiString& Value);

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    bool GetCtl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool GetParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    // A TPopupHost component (the menus unit's TPopupMenu); a right click opens it.
    TComponent* GetPopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TComponent* Value);

    TControlStyle GetControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState GetControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }
    // Whether the control has a window of its own (a TWinControl).
    virtual bool IsWindowed() const { return false; }

    // Painting
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    // Z-order among the parent's controls.
    void BringToFront();
    void SendToBack();

    // The mouse goes to this control alone while set.
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    void SetName(const AnsiString& NewName) override;
    void Loaded() override;
    // Sizes the control to its content when AutoSize is on and CanAutoSize agrees.
    virtual void AdjustSize();

    static void Published(TPropertyList& P);

protected:
    // The message handling common to all messages; see the top of this file.
    virtual void WndProc(TMessage& Message);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Fires the wheel events; true when one handled the turn.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos);
    // Fires OnResize.
    virtual void Resize();
    // Asks what size the content wants (AutoSize); false leaves the size alone.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    // Puts Z-order position into effect (windowed controls move their windows).
    virtual void SetZOrder(bool TopMost);
    // Asks the parent to lay out its children again, when this control is one it aligns.
    void RequestAlign();
    // Brings the control's size within its Constraints and within MaxControlExtent, whatever
    // sets it (a skin's default size, a row count, an alignment). The place is left as it is:
    // scrolling moves children anywhere and must be able to bring them back.
    void ConstrainSize(int& AWidth, int& AHeight) const;
    // Opens the popup menu of this control (or of its parents) at a screen point; false
    // when there is none.
    virtual bool DoPopup(int X, int Y);
    // Sends a changed-state message to the parent (CM_CHANGED with this control).
    void Changed();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The text as the control holds it now (a window's text for windowed controls).
    virtual AnsiString RealGetText();
    // Lets go of a DC the control's canvas got for itself (the window it drew on goes or
    // the control moves).
    virtual void ReleaseCanvasHandle() {}
    // Lets go of the mouse and leaves the parent.
    void Unlink() override;

    void WMLButtonDown(TWMMouse& Message);
    void WMRButtonDown(TWMMouse& Message);
    void WMMButtonDown(TWMMouse& Message);
    void WMLButtonDblClk(TWMMouse& Message);
    void WMRButtonDblClk(TWMMouse& Message);
    void WMMButtonDblClk(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMRButtonUp(TWMMouse& Message);
    void WMMButtonUp(TWMMouse& Message);
    void WMMouseMove(TWMMouse& Message);
    void WMMouseWheel(TWMMouseWheel& Message);
    void WMContextMenu(TWMContextMenu& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMInvalidate(TMessage& Message);
    void CMHitTest(TCMHitTest& Message);

private:
    // Distances kept by anchors, taken when the control was last placed by hand.
    struct TAnchorRules {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
        int ParentWidth = 0, ParentHeight = 0;
        bool Valid = false;
    };

    void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TWMMouse& Message, TMouseButton Button);
    void FontChanged(TObject* Sender);
    void ConstraintsChanged(TObject* Sender);
    void InvalidateInParent(const TRect& Rect);
    void UpdateAnchorRules();
    // A windowed control being disabled or hidden hands the focus on (TFormHost::
    // MoveFocusFrom); false when an event that ran meanwhile deleted it.
    bool MoveFocusOut();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TAnchorRules FAnchorRules;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    AnsiString FText;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    TColor FColor = clWindow;
    bool FParentColor = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TCursor FCursor = crDefault;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TComponent* FPopupMenu = nullptr;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    // Order of creation; ties between controls of equal alignment follow it.
    unsigned long FCreationOrder;
    // Set while alignment or anchors place the control, so that anchors stay as they are.
    bool FPlacedByParent = false;
};

// The properties the standard controls store in form resources besides TControl's own
// bounds: alignment, colours, font, hints, popup menu, visibility and the mouse events.
// Not TControl's Published: forms and controls such as the LED view publish fewer.
void PublishControlProperties(TPropertyList& P);
// The click, double-click and mouse events, for controls that publish a selection.
void PublishMouseEvents(TPropertyList& P);

// The control that has captured the mouse (a window-less one inside its parent's
// capture); null when none of ours has.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// Releases the mouse when Control holds it; for a control that is leaving its parent.
void ReleaseCaptureOf(TControl* Control);
// The control under the pointer, as CM_MOUSEENTER and CM_MOUSELEAVE last told it.
TControl* GetMouseControl();
// The pointer watch. The system tells a window that the pointer has left it, but not
// always: not when the pointer jumps off all of the program's windows at once, nor when
// another window comes to cover the control under the pointer. So while a control is under
// the pointer, a timer looks every 50 ms at the window the pointer is really over
// (WindowFromPoint): once that is no longer the control's, the control gets the
// CM_MOUSELEAVE the system did not send. Entering stays the mouse messages' business.
//
// One such look, as the timer takes it.
void CheckMouseControl();
// True while the watch's timer runs: while a control is under the pointer.
bool IsMouseControlWatched();

// ---------------------------------------------------------------------------
// TGraphicControl

// A control without a window: its parent paints it (with the DC's origin moved to the
// control and clipping to its bounds) and routes the mouse to it.
class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Draws the control on Canvas, in its own coordinates.
    virtual void Paint();
    // At design time, a dashed outline around the control (for controls that may draw
    // nothing); nothing otherwise.
    void DrawDesignFrame();
    void ReleaseCanvasHandle() override;

    void WMPaint(TWMPaint& Message);

    MESSAGE_HANDLERS(TGraphicControl, TControl)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    END_MESSAGE_HANDLERS

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
