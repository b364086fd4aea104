#include "classlib/WinControls.h"

#include "classlib/Exceptions.h"
#include "classlib/WindowProcErrors.h"
#include "classlib/List.h"
#include "classlib/Persistence.h"
#include "classlib/ScreenSettings.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {

// The control whose window CreateWindowEx is making on this thread: its first message
// ties the window to it.
thread_local TWinControl* gCreatingControl = nullptr;

// The control of each window made for one on this thread, whose windows' messages only this
// thread handles. The window procedure looks its control up for every message, so the table
// lives in the process: a window property would cost a trip to the system's server each time.
// Never freed, so that windows destroyed at exit still find it.
std::unordered_map<HWND, TWinControl*>& WindowControls() {
    thread_local auto* controls = new std::unordered_map<HWND, TWinControl*>;
    return *controls;
}

// The window of this thread's controls that holds the keyboard focus, as its WM_SETFOCUS and
// WM_KILLFOCUS tell, or null: asking the system costs a trip to its server, and every paint of
// a control that shows its focus asks. A window gone while it held the focus lets go of it.
thread_local HWND gFocusWindow = nullptr;

void FollowFocus(HWND Wnd, UINT Msg) {
    if (Msg == WM_SETFOCUS)
        gFocusWindow = Wnd;
    else if ((Msg == WM_KILLFOCUS || Msg == WM_NCDESTROY) && gFocusWindow == Wnd)
        gFocusWindow = nullptr;
}

// Control IDs of child windows, so that notifications naming an ID find their window.
WORD NextChildId() {
    static WORD id = 100;
    if (++id == 0) id = 100;
    return id;
}

bool InRect(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Where the window system puts a window given Place along one axis: it holds 16 bits each way.
// A control is no larger than that, so a window stopped there shows what one put farther would.
int WindowPlace(int Place) {
    return std::clamp(Place, -MaxControlExtent - 1, MaxControlExtent);
}

} // namespace

TWinControl* FindControl(HWND Wnd) {
    if (!Wnd) return nullptr;
    const auto found = WindowControls().find(Wnd);
    return found != WindowControls().end() ? found->second : nullptr;
}

// The window procedure of every window of a control.
LRESULT CALLBACK ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    // Before the control's own handling, which may move the focus on.
    FollowFocus(Wnd, Msg);
    TWinControl* control = FindControl(Wnd);
    if (!control) {
        control = gCreatingControl;
        if (!control) return DefWindowProcA(Wnd, Msg, WParam, LParam);
        gCreatingControl = nullptr;
        control->AttachHandle(Wnd);
    }
    if (Msg == WM_DISPLAYCHANGE || Msg == WM_SETTINGCHANGE) ScreenSettingsChanged();
    TMessage message{Msg, WParam, LParam, 0};
    TComponentProtector protect(control);
    if (control->IsDestroying()) {
        // The control is on its way out: its own handling no longer runs.
        control->TWinControl::DefaultHandler(message);
    } else {
        try {
            control->WindowProc(message);
        } catch (...) {
            HandleWindowProcException(control);
        }
    }
    if (Msg == WM_NCDESTROY) {
        if (TWinControl* owner = FindControl(Wnd)) owner->DetachHandle();
    }
    return message.Result;
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(GetColor());
}

TWinControl::~TWinControl() {
    // From here on the window's messages get only the default processing.
    Destroying();
    TWinControl::Unlink();
    // Children go with their parent; each leaves this list as it goes. The tab order goes
    // at once: it may list them in any order, and searching it for each would cost as
    // many steps as there are children.
    FTabList.clear();
    while (!FControls.empty())
        delete FControls.back();
}

void TWinControl::Unlink() {
    // Leaves the parent while still a windowed control (tab order, focus, window).
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
}

// ---- Window --------------------------------------------------------------------

HWND TWinControl::GetHandle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    // A deleted control waiting for its callers to return gets no new window.
    if (FHandle || IsDestroying()) return;
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    // A window made hidden (a form before it first shows) makes its children's windows when
    // it shows: they are then made where, as and whether they are shown, where windows made
    // now would each be moved, restyled or hidden by the set-up that comes before the show.
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_VISIBLE)
        CreateChildHandles();
    else
        FChildHandlesWait = true;
}

void TWinControl::ChildHandlesNeeded() {
    if (!FChildHandlesWait) return;
    FChildHandlesWait = false;
    CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
    // Last first: the system puts each new child window at the bottom of its siblings, which
    // is then already its place, below the windows of the controls after it.
    for (std::size_t i = FControls.size(); i-- > 0;) {
        if (i >= FControls.size()) continue; // a handler removed controls
        TControl* child = FControls[i];
        if (child->IsWindowed() && child->GetVisible())
            static_cast<TWinControl*>(child)->CreateHandle();
    }
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (GetControlStyle().Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
    if (GetVisible()) Params.Style |= WS_VISIBLE;
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = GetLeft();
    Params.Y = GetTop();
    Params.Width = GetWidth();
    Params.Height = GetHeight();
    if (FParent)
        Params.WndParent = FParent->GetHandle();
    else
        Params.WndParent = FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcA;
    // A shared system cursor, looked up once: the parameters are also asked for while no
    // window is made (a form's client area before it has a window), and often.
    static const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    Params.WindowClass.hCursor = arrow;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ClassName) {
    WNDCLASSA system = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), ClassName, &system) &&
        !GetClassInfoA(nullptr, ClassName, &system))
        throw EOutOfResources(Format("Window class %s is not registered", ClassName));
    system.style &= ~CS_GLOBALCLASS;
    Params.WindowClass = system;
}

void TWinControl::RegisterWindowClass(TCreateParams& Params) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing = {};
    if (GetClassInfoA(instance, Params.WinClassName.c_str(), &existing)) {
        if (existing.lpfnWndProc == ControlWindowProc) return;
        UnregisterClassA(Params.WinClassName.c_str(), instance);
    }
    const WNDCLASSA& params = Params.WindowClass;
    WNDCLASSEXA wc = {sizeof(WNDCLASSEXA), params.style, ControlWindowProc, params.cbClsExtra,
                      params.cbWndExtra, instance, params.hIcon, params.hCursor,
                      params.hbrBackground, nullptr, Params.WinClassName.c_str(),
                      // The same icon small: the system would otherwise make a copy of it
                      // at every start.
                      params.hIcon};
    if (!RegisterClassExA(&wc))
        throw EOutOfResources(Format("Cannot register the window class %s", Params.WinClassName));
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
    if (FHandle) return; // made while the parent's window was made
    WNDPROC defaultProc = params.WindowClass.lpfnWndProc;
    FDefWndProc = defaultProc == DefWindowProcA ? nullptr : defaultProc;
    RegisterWindowClass(params);
    TControlState state = GetControlState();
    SetControlState(state.Include(csCreating));
    try {
        CreateWindowHandle(params);
    } catch (...) {
        SetControlState(GetControlState().Exclude(csCreating));
        throw;
    }
    SetControlState(GetControlState().Exclude(csCreating));
    if (!FHandle)
        throw EOutOfResources(Format("Cannot create the window of control '%s'", GetName()));
    if (FDefWndProc) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
    UpdateZOrder();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    HMENU id = (Params.Style & WS_CHILD)
                   ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId()))
                   : nullptr;
    gCreatingControl = this;
    HWND wnd = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                               Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                               Params.WndParent, id, GetModuleHandleA(nullptr), Params.Param);
    gCreatingControl = nullptr;
    if (wnd && !FHandle) AttachHandle(wnd);
}

void TWinControl::AttachHandle(HWND Wnd) {
    FHandle = Wnd;
    FBoundsKept = false;
    WindowControls()[Wnd] = this;
}

void TWinControl::DetachHandle() {
    if (!FHandle) return;
    WindowControls().erase(FHandle);
    FollowFocus(FHandle, WM_NCDESTROY);
    FHandle = nullptr;
    FTrackingLeave = false;
    FBoundsKept = false;
    FChildHandlesWait = false;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        TControl* child = FControls[i];
        if (child->IsWindowed()) static_cast<TWinControl*>(child)->DestroyHandle();
    }
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    FText = RealGetText();
    ReleaseCanvasHandle();
    for (TControl* child : FControls)
        if (!child->IsWindowed()) child->ReleaseCanvasHandle();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    SetControlState(GetControlState().Include(csDestroyingHandle));
    DestroyWindow(FHandle);
    SetControlState(GetControlState().Exclude(csDestroyingHandle));
    DetachHandle(); // when the window outlived the call
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    // The active window, destroyed, would hand the activation to another window and take it
    // back when shown again: under Wine the late focus events of those two switches pass it
    // back and forth between the two for ever. Let go of it first, so no other window takes it.
    if (FHandle == GetActiveWindow()) SetActiveWindow(nullptr);
    DestroyHandle();
    UpdateShowing();
}

void TWinControl::SetParentWindow(HWND Value) {
    if (FParent || Value == FParentWindow) return;
    DestroyHandle();
    FParentWindow = Value;
    UpdateShowing();
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    // The library's own messages mean nothing to the system.
    if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400) return;
    if (Message.Msg == WM_NCPAINT && !FDefWndProc && !HasNonClientArea()) {
        // Nothing lies outside the client area, yet the system's handling would still fetch a
        // window DC for it: a few server round trips for each window at every first paint.
        Message.Result = 0;
        return;
    }
    Message.Result = DefaultWindowProc(Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::HasNonClientArea() const {
    RECT window, client;
    if (!::GetWindowRect(FHandle, &window) || !::GetClientRect(FHandle, &client)) return true;
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

LRESULT TWinControl::DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    return FDefWndProc ? CallWindowProcA(FDefWndProc, FHandle, Msg, WParam, LParam)
                       : DefWindowProcA(FHandle, Msg, WParam, LParam);
}

AnsiString TWinControl::RealGetText() {
    if (!FHandle) return TControl::RealGetText();
    int length = GetWindowTextLengthA(FHandle);
    AnsiString text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(FHandle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

bool TWinControl::Focused() const {
    return FHandle && gFocusWindow == FHandle;
}

// ---- Showing and bounds -------------------------------------------------------------

bool TWinControl::IsShowing() const {
    if (!GetVisible()) return false;
    if (FParent) return FParent->IsShowing();
    if (FParentWindow) return IsWindowVisible(FParentWindow) != FALSE;
    return FHandle && IsWindowVisible(FHandle);
}

void TWinControl::UpdateShowing() {
    if (!FHandle) {
        // A parent whose window waits to show makes this one's with its other children's.
        bool parentReady = FParent ? FParent->HandleAllocated() && !FParent->FChildHandlesWait
                                   : FParentWindow != nullptr;
        if (parentReady && GetVisible() && !GetComponentState().Contains(csLoading))
            CreateHandle();
        return;
    }
    bool shown = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == GetVisible()) return;
    if (GetVisible()) ChildHandlesNeeded();
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (GetVisible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const bool keep = FHandle && FKeepBounds && !FParent && !IsWindowVisible(FHandle);
    if (FHandle && !keep) {
        struct TPlacing {
            std::optional<TPoint>& Place;
            std::optional<TPoint> Outer;
            ~TPlacing() { Place = Outer; }
        } placing{FPlacing, std::exchange(FPlacing, TPoint(ALeft, ATop))};
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        FBoundsKept = keep;
        bool resized = AWidth != FWidth || AHeight != FHeight;
        FLeft = ALeft;
        FTop = ATop;
        FWidth = AWidth;
        FHeight = AHeight;
        if (!FPlacedByParent && FAlign == alNone) UpdateAnchorRules();
        if (resized) {
            AlignControl(nullptr);
            if (!GetComponentState().Contains(csLoading)) Resize();
        }
    }
    RequestAlign();
}

void TWinControl::ApplyKeptBounds() {
    if (!FBoundsKept) return;
    FBoundsKept = false;
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
}

void TWinControl::UpdateBounds() {
    if (!FHandle || FBoundsKept) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) {
        if (HWND parent = ::GetParent(FHandle))
            MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    // A window where the system puts the control's place stands for that place, however far
    // scrolling took it.
    const TPoint place = FPlacing.value_or(TPoint(FLeft, FTop));
    const int left = r.left == WindowPlace(place.X) ? place.X : r.left;
    const int top = r.top == WindowPlace(place.Y) ? place.Y : r.top;
    if (left == FLeft && top == FTop && r.right - r.left == FWidth && r.bottom - r.top == FHeight)
        return;
    FLeft = left;
    FTop = top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    if (!FPlacedByParent && FAlign == alNone) UpdateAnchorRules();
}

TRect TWinControl::GetClientRect() {
    if (!FHandle) return TControl::GetClientRect();
    RECT r;
    ::GetClientRect(FHandle, &r);
    if (FBoundsKept) {
        // The frame stays as it is: the client area grows and shrinks with the bounds.
        RECT w;
        GetWindowRect(FHandle, &w);
        r.right = std::max<LONG>(r.right + FWidth - (w.right - w.left), 0);
        r.bottom = std::max<LONG>(r.bottom + FHeight - (w.bottom - w.top), 0);
    }
    return {r.left, r.top, r.right, r.bottom};
}

TPoint TWinControl::GetClientOrigin() {
    if (!FHandle) return TControl::GetClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    if (FBoundsKept) {
        RECT w;
        GetWindowRect(FHandle, &w);
        p.x += FLeft - w.left;
        p.y += FTop - w.top;
    }
    return {p.x, p.y};
}

// ---- Children ---------------------------------------------------------------------

TControl* TWinControl::GetControl(int Index) const {
    if (Index < 0 || Index >= GetControlCount()) ListIndexError(Index);
    return FControls[static_cast<std::size_t>(Index)];
}

TControl* TWinControl::GraphicControlAtPos(const TPoint& Pos, bool AllowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->GetVisible() || (!AllowDisabled && !c->GetEnabled())) continue;
        if (!InRect(c->GetBoundsRect(), Pos)) continue;
        LPARAM local = MAKELPARAM(static_cast<WORD>(Pos.X - c->GetLeft()),
                                  static_cast<WORD>(Pos.Y - c->GetTop()));
        if (c->Perform(CM_HITTEST, 0, local) != 0) return c;
    }
    return nullptr;
}

bool TWinControl::ContainsControl(TControl* Control) const {
    for (; Control; Control = Control->GetParent())
        if (Control == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl) {
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (AControl->IsWindowed()) FTabList.push_back(static_cast<TWinControl*>(AControl));
    if (AControl->GetParentFont()) AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (AControl->GetParentColor()) AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (AControl->GetParentCtl3D()) AControl->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    if (AControl->GetParentShowHint()) AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (AControl->GetAlign() == alNone) AControl->UpdateAnchorRules();
    if (AControl->IsWindowed())
        static_cast<TWinControl*>(AControl)->UpdateShowing();
    else
        AControl->Invalidate();
    AControl->RequestAlign();
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (std::find(FControls.rbegin(), FControls.rend(), AControl) == FControls.rend()) return;
    if (AControl->IsWindowed()) {
        auto* child = static_cast<TWinControl*>(AControl);
        ForgetFocus(child);
        child->DestroyHandle();
        EraseFromEnd(FTabList, child);
    } else {
        AControl->Invalidate();
        AControl->ReleaseCanvasHandle();
    }
    EraseFromEnd(FControls, AControl);
    TControl* mouse = GetMouseControl();
    if (mouse &&
        (mouse == AControl ||
         (AControl->IsWindowed() && static_cast<TWinControl*>(AControl)->ContainsControl(mouse))))
        controls_detail::ChangeMouseControl(nullptr);
    ReleaseCaptureOf(AControl);
    AControl->FParent = nullptr;
    // The siblings close up over the place it leaves, as when it was placed or hidden.
    if ((AControl->GetAlign() != alNone || PlacesUnalignedControls()) &&
        !GetComponentState().Contains(csDestroying))
        AlignControl(nullptr);
}

void TWinControl::ShowControl(TControl*) {
    if (FParent) FParent->ShowControl(this);
}

void TWinControl::ForgetFocus(TWinControl* Leaving) {
    if (GetComponentState().Contains(csDestroying)) return;
    if (TFormHost* form = GetFormHost()) form->DefocusControl(Leaving);
}

void TWinControl::Broadcast(TMessage& Message) {
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        FControls[i]->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    for (std::size_t i = 0; i < FControls.size(); ++i)
        FControls[i]->Perform(Msg, 0, 0);
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (TControl* control : std::vector<TControl*>(FControls))
        if (control->GetOwner() == Root) Proc(control);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FParent && FTabOrderWanted >= 0) FParent->SortTabList();
    Realign();
}

// ---- Z-order ------------------------------------------------------------------------

void TWinControl::SetZOrder(bool TopMost) {
    if (!FParent) {
        if (FHandle)
            SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    TControl::SetZOrder(TopMost);
    UpdateZOrder();
}

void TWinControl::UpdateZOrder() {
    if (!FHandle || !FParent) return;
    const std::vector<TControl*>& siblings = FParent->FControls;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    HWND above = HWND_TOP;
    if (it != siblings.end()) {
        for (++it; it != siblings.end(); ++it) {
            if ((*it)->IsWindowed() && static_cast<TWinControl*>(*it)->FHandle) {
                above = static_cast<TWinControl*>(*it)->FHandle;
                break;
            }
        }
    }
    const HWND previous = GetWindow(FHandle, GW_HWNDPREV);
    if (above == HWND_TOP ? previous == nullptr : previous == above) return;
    SetWindowPos(FHandle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- The common message work ------------------------------------------------------------

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        TFormHost* form = GetFormHost();
        if (form && !form->SetFocusedControl(this)) return;
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TWMKey key(Message);
        if (DoKeyDown(key)) return;
        break;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        TWMKey key(Message);
        if (DoKeyPress(key)) return;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TWMKey key(Message);
        if (DoKeyUp(key)) return;
        break;
    }
    default:
        if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST &&
            Message.Msg != WM_MOUSEWHEEL && Message.Msg != WM_MOUSEHWHEEL) {
            if (Message.Msg == WM_MOUSEMOVE) {
                TWMMouse mouse(Message);
                TrackMouseControl(mouse.Pos());
            }
            if (RouteMouseToChild(Message)) return;
        }
        break;
    }
    TControl::WndProc(Message);
}

TControl* TWinControl::MouseTargetAt(const TPoint& Pos) {
    if (!InRect(GetClientRect(), Pos)) return nullptr;
    TControl* child = GraphicControlAtPos(Pos);
    return child ? child : this;
}

void TWinControl::TrackMouseControl(const TPoint& Pos) {
    TControl* target = MouseTargetAt(Pos);
    if (target && !FTrackingLeave && FHandle) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
        FTrackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    TControl* current = GetMouseControl();
    if (target == current) return;
    bool currentIsHere =
        current == this || (current && !current->IsWindowed() && current->GetParent() == this);
    if (target || currentIsHere) controls_detail::ChangeMouseControl(target);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
    FTrackingLeave = false;
    TControl* current = GetMouseControl();
    if (current == this || (current && !current->IsWindowed() && current->GetParent() == this))
        controls_detail::ChangeMouseControl(nullptr);
    DefaultHandler(Message);
}

void TWinControl::WMClose(TMessage& Message) {
    Message.Result = 0;
}

bool TWinControl::RouteMouseToChild(TMessage& Message) {
    TWMMouse mouse(Message);
    TPoint pos = mouse.Pos();
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture) {
        if (capture->GetParent() != this || capture->IsWindowed()) return false;
        target = capture;
    } else {
        target = GraphicControlAtPos(pos);
    }
    if (!target) return false;
    TMessage routed = Message;
    TWMMouse(routed).SetPos({pos.X - target->GetLeft(), pos.Y - target->GetTop()});
    HWND wnd = FHandle;
    target->WindowProc(routed);
    Message.Result = routed.Result;
    if (Message.Result == 0 && wnd && IsWindow(wnd))
        DefWindowProcA(wnd, Message.Msg, Message.WParam, Message.LParam);
    return true;
}

// ---- Painting -------------------------------------------------------------------------

void TWinControl::Invalidate() {
    Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::CMInvalidate(TMessage&) {
    // A window that is not on the screen (hidden, or inside a hidden form) gets painted whole
    // when it shows; marking it now only costs a server round trip per call, and a form that
    // sets itself up before its first show makes hundreds of them.
    if (FHandle && IsWindowVisible(FHandle))
        InvalidateRect(FHandle, nullptr, !GetControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
    // A window not on the screen has nothing to paint yet.
    if (FHandle && IsWindowVisible(FHandle)) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC DC) {
    // A system control paints itself into the DC it is handed; a window of our own class
    // has nothing to paint but its children.
    if (!FDefWndProc) return;
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto begin = FControls.begin();
    if (First) {
        auto it = std::find(FControls.begin(), FControls.end(), First);
        if (it != FControls.end()) begin = it;
    }
    std::vector<TControl*> controls(begin, FControls.end());
    for (TControl* c : controls) {
        if (c->IsWindowed() || !c->GetVisible()) continue;
        RECT bounds{c->GetLeft(), c->GetTop(), c->GetLeft() + c->GetWidth(),
                    c->GetTop() + c->GetHeight()};
        if (!RectVisible(DC, &bounds)) continue;
        int saved = SaveDC(DC);
        POINT origin;
        GetViewportOrgEx(DC, &origin);
        SetViewportOrgEx(DC, origin.x + c->GetLeft(), origin.y + c->GetTop(), nullptr);
        IntersectClipRect(DC, 0, 0, c->GetWidth(), c->GetHeight());
        struct TRestore {
            HDC DC;
            int Saved;
            ~TRestore() { RestoreDC(DC, Saved); }
        } restore{DC, saved};
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::PaintHandler(HDC DC) {
    int saved = SaveDC(DC);
    for (TControl* c : FControls) {
        if (c->IsWindowed() || !c->GetVisible() || !c->GetControlStyle().Contains(csOpaque))
            continue;
        ExcludeClipRect(DC, c->GetLeft(), c->GetTop(), c->GetLeft() + c->GetWidth(),
                        c->GetTop() + c->GetHeight());
    }
    try {
        PaintWindow(DC);
    } catch (...) {
        RestoreDC(DC, saved);
        throw;
    }
    RestoreDC(DC, saved);
    PaintControls(DC, nullptr);
}

void TWinControl::WMPaint(TWMPaint& Message) {
    if (Message.DC()) {
        PaintHandler(Message.DC());
        return;
    }
    bool hasGraphicChildren = std::any_of(FControls.begin(), FControls.end(),
                                          [](TControl* c) { return !c->IsWindowed(); });
    if (FDefWndProc && !hasGraphicChildren && !GetControlStyle().Contains(csOwnPaint)) {
        DefaultHandler(Message.Message);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    struct TEndPaint {
        HWND Wnd;
        PAINTSTRUCT* Paint;
        ~TEndPaint() { EndPaint(Wnd, Paint); }
    } end{FHandle, &ps};
    PaintHandler(dc);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    if (!Message.DC()) {
        DefaultHandler(Message.Message);
        return;
    }
    TRect client = GetClientRect();
    RECT r{client.Left, client.Top, client.Right, client.Bottom};
    FillRect(Message.DC(), &r, FBrush->GetHandle());
    Message.Result = 1;
}

// ---- Size, position, cursor -------------------------------------------------------------

void TWinControl::WMSize(TWMSize& Message) {
    UpdateBounds();
    DefaultHandler(Message.Message);
    Realign();
    if (!GetComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TWMMove& Message) {
    UpdateBounds();
    for (TControl* child : FControls)
        if (!child->IsWindowed()) child->ReleaseCanvasHandle();
    DefaultHandler(Message.Message);
}

void TWinControl::WMWindowPosChanging(TWMWindowPosChanging& Message) {
    // Shown by a call of the system's own rather than through Visible.
    if (Message.WindowPos()->flags & SWP_SHOWWINDOW) ChildHandlesNeeded();
    if (FBoundsKept) {
        // The change takes the bounds that wait for whatever it does not set itself.
        FBoundsKept = false;
        WINDOWPOS* pos = Message.WindowPos();
        if (pos->flags & SWP_NOMOVE) {
            pos->x = FLeft;
            pos->y = FTop;
            pos->flags &= ~static_cast<UINT>(SWP_NOMOVE);
        }
        if (pos->flags & SWP_NOSIZE) {
            pos->cx = FWidth;
            pos->cy = FHeight;
            pos->flags &= ~static_cast<UINT>(SWP_NOSIZE);
        }
    }
    DefaultHandler(Message.Message);
}

void TWinControl::WMWindowPosChanged(TWMWindowPosChanged& Message) {
    UpdateBounds();
    DefaultHandler(Message.Message);
}

void TWinControl::WMSetCursor(TWMSetCursor& Message) {
    TCursor cursor = crDefault;
    if (ScreenCursors && ScreenCursors->GetCursor() != crDefault) {
        cursor = ScreenCursors->GetCursor();
    } else if (Message.CursorWnd() == FHandle && Message.HitTest() == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        TControl* child = GraphicControlAtPos(ScreenToClient({p.x, p.y}));
        if (child) cursor = child->GetCursor();
        if (cursor == crDefault) cursor = GetCursor();
    }
    if (cursor != crDefault) {
        ::SetCursor(ScreenCursors ? ScreenCursors->CursorHandle(cursor) : nullptr);
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message.Message);
}

void TWinControl::WMContextMenu(TWMContextMenu& Message) {
    if (Message.XPos() != -1 || Message.YPos() != -1) {
        TPoint p = ScreenToClient({Message.XPos(), Message.YPos()});
        if (TControl* child = GraphicControlAtPos(p)) {
            Message.Result =
                child->Perform(WM_CONTEXTMENU, Message.Message.WParam, Message.Message.LParam);
            if (Message.Result != 0) return;
        }
    }
    TControl::Dispatch(Message.Message);
}

// ---- Notifications from child windows ----------------------------------------------------

void TWinControl::WMReflect(TMessage& Message) {
    HWND child = nullptr;
    switch (Message.Msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        if (item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        if (item->CtlType != ODT_MENU && FHandle)
            child = GetDlgItem(FHandle, static_cast<int>(item->CtlID));
        break;
    }
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem;
        break;
    default:
        child = reinterpret_cast<HWND>(Message.LParam);
        break;
    }
    TWinControl* control = FindControl(child);
    if (control && control != this) {
        Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TWMCtlColor& Message) {
    TWinControl* control = FindControl(Message.ChildWnd());
    if (control && control != this) {
        Message.Result = control->Perform(CN_BASE + Message.Msg(), Message.Message.WParam,
                                          Message.Message.LParam);
        return;
    }
    DefaultHandler(Message.Message);
}

void TWinControl::CNCtlColor(TWMCtlColor& Message) {
    HDC dc = Message.ChildDC();
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    SetBkColor(dc, ColorToRGB(GetColor()));
    Message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
}

// ---- Changes of the looks ----------------------------------------------------------------

void TWinControl::CMVisibleChanged(TMessage&) {
    UpdateShowing();
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (FHandle) {
        EnableWindow(FHandle, GetEnabled());
        // The windows inside look enabled or disabled with it; the control's own window and
        // its window-less controls are invalidated below.
        if (HasWindowsInside())
            RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    TControl::Dispatch(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    if (FHandle && FDefWndProc)
        Perform(WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::Dispatch(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    FBrush->SetColor(GetColor());
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::Dispatch(Message);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) {
    NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void PublishWinControlProperties(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Ctl3D", &TControl::GetCtl3D, &TControl::SetCtl3D, true);
    P.Add("ParentCtl3D", &TControl::GetParentCtl3D, &TControl::SetParentCtl3D);
    P.Add("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
    P.Add("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
    P.Add("OnEnter", &TWinControl::OnEnter);
    P.Add("OnExit", &TWinControl::OnExit);
    P.Add("OnKeyDown", &TWinControl::OnKeyDown);
    P.Add("OnKeyPress", &TWinControl::OnKeyPress);
    P.Add("OnKeyUp", &TWinControl::OnKeyUp);
}

// ---------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
    FCanvas->FreeHandle();
}

void TCustomControl::Paint() {}

void TCustomControl::ReleaseCanvasHandle() {
    FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(HDC DC) {
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
    SetControlState(GetControlState().Include(csCustomPaint));
    struct TRelease {
        TCustomControl* Control;
        ~TRelease() {
            Control->SetControlState(Control->GetControlState().Exclude(csCustomPaint));
            Control->FCanvas->SetHandle(nullptr);
            Control->FCanvas->Unlock();
        }
    } release{this};
    Paint();
}
