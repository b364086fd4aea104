// Window messages as the class library hands them around.
//
// TMessage carries one message through a control: number, both parameters and
// the result. The typed views (TWMKey, TWMMouse, ...) are thin accessors over a
// TMessage that give its parameters their meaning; a view refers to the message,
// it copies nothing, and writing Result or a parameter through it writes the
// message itself.
//
// Besides the system's messages the library uses its own, all within the
// application range: CM_ messages between controls and their parents or forms,
// and CN_ messages, which a parent uses to hand a notification it received from a
// child window back to the child's control object (CN_BASE + the original number:
// WM_COMMAND arrives at the button as CN_COMMAND).
#pragma once

#include "classlib/Events.h"
#include "classlib/Sets.h"
#include "classlib/Types.h"

#include "classlib/Platform.h"

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A replaceable window procedure: an object's handler for every message.
using TWndMethod = TEvent<void(TMessage& Message)>;

// ---------------------------------------------------------------------------
// Our own message numbers.

constexpr UINT CM_BASE = 0xB000;
// A press on another control: LParam is that control; sent to the form's active control.
constexpr UINT CM_CANCELMODE = CM_BASE + 2;
constexpr UINT CM_DIALOGKEY = CM_BASE + 3;    // a TWMKey; Result != 0 consumes the key
constexpr UINT CM_DIALOGCHAR = CM_BASE + 4;   // a TWMKey; Result != 0 consumes the character
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 5; // LParam: the control that has the focus now
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 6;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 7;
constexpr UINT CM_HITTEST = CM_BASE + 8; // a TWMNCHitTest in client coordinates
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 9;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 10;
constexpr UINT CM_COLORCHANGED = CM_BASE + 11;
constexpr UINT CM_FONTCHANGED = CM_BASE + 12;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 13;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 14;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 16;
constexpr UINT CM_MOUSEENTER = CM_BASE + 17;     // LParam: the control the pointer entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 18;     // LParam: the control the pointer left
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 19; // a window was shown or hidden
constexpr UINT CM_ENTER = CM_BASE + 20;
constexpr UINT CM_EXIT = CM_BASE + 21;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 22;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 23; // a TWMKey; Result != 0: the control takes it
constexpr UINT CM_RELEASE = CM_BASE + 24;        // posted by TCustomForm::Release
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 25;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 26;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 27;
constexpr UINT CM_INVALIDATE = CM_BASE + 28;
constexpr UINT CM_CHANGED = CM_BASE + 29; // LParam: the control that changed

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---------------------------------------------------------------------------
// Shift state

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// From the MK_ flags of a mouse message; Alt is read from the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
// From the key data of a key message: Alt from its bit 29, Shift and Ctrl from the
// keyboard state of the message being processed.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// Whether Key is the accelerator of Caption: the character after a single "&",
// compared ignoring case ("&&" stands for a plain ampersand).
bool IsAccel(Word Key, const AnsiString& Caption);

// ---------------------------------------------------------------------------
// Typed views

class TMessageView {
public:
    explicit TMessageView(TMessage& Message) : Message(Message), Result(Message.Result) {}
    TMessageView(const TMessageView&) = delete;
    TMessageView& operator=(const TMessageView&) = delete;

    UINT Msg() const { return Message.Msg; }

    TMessage& Message;
    LRESULT& Result;

protected:
    static int LowSigned(LPARAM Value) { return static_cast<short>(LOWORD(Value)); }
    static int HighSigned(LPARAM Value) { return static_cast<short>(HIWORD(Value)); }
};

// Key messages (WM_KEYDOWN, WM_CHAR, ... and CM_DIALOGKEY, CM_DIALOGCHAR, CN_KEYDOWN ...).
class TWMKey : public TMessageView {
public:
    using TMessageView::TMessageView;
    Word CharCode() const { return static_cast<Word>(Message.WParam); }
    void SetCharCode(Word Value) { Message.WParam = Value; }
    LPARAM KeyData() const { return Message.LParam; }
};
using TWMChar = TWMKey;

// Client-area mouse messages; the position is in client coordinates.
class TWMMouse : public TMessageView {
public:
    using TMessageView::TMessageView;
    WPARAM Keys() const { return Message.WParam; }
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
    TPoint Pos() const { return {XPos(), YPos()}; }
    void SetPos(const TPoint& P);
};

// WM_MOUSEWHEEL; the position is in screen coordinates.
class TWMMouseWheel : public TMessageView {
public:
    using TMessageView::TMessageView;
    Word Keys() const { return LOWORD(Message.WParam); }
    // Multiples of WHEEL_DELTA; positive when the wheel turns away from the user.
    int WheelDelta() const { return static_cast<short>(HIWORD(Message.WParam)); }
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
    TPoint Pos() const { return {XPos(), YPos()}; }
};

// WM_HSCROLL, WM_VSCROLL (and their CN_ forms).
class TWMScroll : public TMessageView {
public:
    using TMessageView::TMessageView;
    int ScrollCode() const { return LOWORD(Message.WParam); }
    int Pos() const { return HIWORD(Message.WParam); }
    HWND ScrollBar() const { return reinterpret_cast<HWND>(Message.LParam); }
};

class TWMSetCursor : public TMessageView {
public:
    using TMessageView::TMessageView;
    HWND CursorWnd() const { return reinterpret_cast<HWND>(Message.WParam); }
    int HitTest() const { return static_cast<short>(LOWORD(Message.LParam)); }
    UINT MouseMsg() const { return HIWORD(Message.LParam); }
};

// WM_PAINT; DC is null for a paint that the system asks for, and the device context to
// paint into when a caller hands one over.
class TWMPaint : public TMessageView {
public:
    using TMessageView::TMessageView;
    HDC DC() const { return reinterpret_cast<HDC>(Message.WParam); }
};

class TWMEraseBkgnd : public TMessageView {
public:
    using TMessageView::TMessageView;
    HDC DC() const { return reinterpret_cast<HDC>(Message.WParam); }
};

class TWMSize : public TMessageView {
public:
    using TMessageView::TMessageView;
    WPARAM SizeType() const { return Message.WParam; }
    int Width() const { return LOWORD(Message.LParam); }
    int Height() const { return HIWORD(Message.LParam); }
};

class TWMMove : public TMessageView {
public:
    using TMessageView::TMessageView;
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
};

class TWMCommand : public TMessageView {
public:
    using TMessageView::TMessageView;
    Word ItemID() const { return LOWORD(Message.WParam); }
    Word NotifyCode() const { return HIWORD(Message.WParam); }
    HWND Ctl() const { return reinterpret_cast<HWND>(Message.LParam); }
};

class TWMNotify : public TMessageView {
public:
    using TMessageView::TMessageView;
    WPARAM IDCtrl() const { return Message.WParam; }
    NMHDR* NMHdr() const { return reinterpret_cast<NMHDR*>(Message.LParam); }
};

class TWMDrawItem : public TMessageView {
public:
    using TMessageView::TMessageView;
    WPARAM Ctl() const { return Message.WParam; }
    DRAWITEMSTRUCT* DrawItemStruct() const {
        return reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    }
};

class TWMMeasureItem : public TMessageView {
public:
    using TMessageView::TMessageView;
    WPARAM IDCtl() const { return Message.WParam; }
    MEASUREITEMSTRUCT* MeasureItemStruct() const {
        return reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    }
};

// WM_CTLCOLORxxx and their CN_ forms: the child's DC and window.
class TWMCtlColor : public TMessageView {
public:
    using TMessageView::TMessageView;
    HDC ChildDC() const { return reinterpret_cast<HDC>(Message.WParam); }
    HWND ChildWnd() const { return reinterpret_cast<HWND>(Message.LParam); }
};

class TWMGetDlgCode : public TMessageView {
public:
    using TMessageView::TMessageView;
    // The message being asked about; null when the caller asks in general.
    MSG* MsgPtr() const { return reinterpret_cast<MSG*>(Message.LParam); }
};

// WM_NCHITTEST in screen coordinates; CM_HITTEST in client coordinates.
class TWMNCHitTest : public TMessageView {
public:
    using TMessageView::TMessageView;
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
    TPoint Pos() const { return {XPos(), YPos()}; }
};

class TWMSetFocus : public TMessageView {
public:
    using TMessageView::TMessageView;
    // The window that lost the focus.
    HWND FocusedWnd() const { return reinterpret_cast<HWND>(Message.WParam); }
};

class TWMKillFocus : public TMessageView {
public:
    using TMessageView::TMessageView;
    // The window that receives the focus (may be null or another program's).
    HWND FocusedWnd() const { return reinterpret_cast<HWND>(Message.WParam); }
};

class TWMTimer : public TMessageView {
public:
    using TMessageView::TMessageView;
    UINT_PTR TimerID() const { return Message.WParam; }
    TIMERPROC TimerProc() const { return reinterpret_cast<TIMERPROC>(Message.LParam); }
};

class TWMActivate : public TMessageView {
public:
    using TMessageView::TMessageView;
    // WA_ACTIVE, WA_CLICKACTIVE or WA_INACTIVE.
    Word Active() const { return LOWORD(Message.WParam); }
    bool Minimized() const { return HIWORD(Message.WParam) != 0; }
    HWND ActiveWindow() const { return reinterpret_cast<HWND>(Message.LParam); }
};

class TWMGetMinMaxInfo : public TMessageView {
public:
    using TMessageView::TMessageView;
    MINMAXINFO* MinMaxInfo() const { return reinterpret_cast<MINMAXINFO*>(Message.LParam); }
};

class TWMWindowPosMsg : public TMessageView {
public:
    using TMessageView::TMessageView;
    WINDOWPOS* WindowPos() const { return reinterpret_cast<WINDOWPOS*>(Message.LParam); }
};
using TWMWindowPosChanged = TWMWindowPosMsg;
using TWMWindowPosChanging = TWMWindowPosMsg;

// WM_CONTEXTMENU; the position is in screen coordinates, (-1, -1) from the keyboard.
class TWMContextMenu : public TMessageView {
public:
    using TMessageView::TMessageView;
    HWND Wnd() const { return reinterpret_cast<HWND>(Message.WParam); }
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
};

class TWMShowWindow : public TMessageView {
public:
    using TMessageView::TMessageView;
    bool Show() const { return Message.WParam != 0; }
    LPARAM Status() const { return Message.LParam; }
};

class TWMSysCommand : public TMessageView {
public:
    using TMessageView::TMessageView;
    // The command without the four low bits the system uses itself.
    UINT CmdType() const { return static_cast<UINT>(Message.WParam & 0xFFF0); }
    int XPos() const { return LowSigned(Message.LParam); }
    int YPos() const { return HighSigned(Message.LParam); }
};

class TWMNCCalcSize : public TMessageView {
public:
    using TMessageView::TMessageView;
    bool CalcValidRects() const { return Message.WParam != 0; }
    // The proposed window rectangle is the first of the three.
    NCCALCSIZE_PARAMS* CalcSizeParams() const {
        return reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    }
};

class TWMNextDlgCtl : public TMessageView {
public:
    using TMessageView::TMessageView;
    bool Handle() const { return LOWORD(Message.LParam) != 0; }
    // With Handle(): the window to focus; otherwise 0 for the next control, else the previous.
    WPARAM CtlFocus() const { return Message.WParam; }
};

// CM_FOCUSCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, CM_CHANGED: LParam names a control.
class TCMControlMessage : public TMessageView {
public:
    using TMessageView::TMessageView;
    template <typename T> T* Control() const { return reinterpret_cast<T*>(Message.LParam); }
};
using TCMFocusChanged = TCMControlMessage;
using TCMMouseEnter = TCMControlMessage;
using TCMMouseLeave = TCMControlMessage;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;
using TCMHitTest = TWMNCHitTest;
