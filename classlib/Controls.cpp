#include "classlib/Controls.h"

#include "classlib/Exceptions.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"
#include "classlib/WinControls.h"

#include <algorithm>
#include <iterator>

TScreenCursors* ScreenCursors = nullptr;
THintHost* HintHost = nullptr;

namespace {

void RegisterControlTypes() {
    RegisterEnum<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    RegisterEnum<TAnchorKind>({"akLeft", "akTop", "akRight", "akBottom"});
    RegisterEnum<TMouseButton>({"mbLeft", "mbRight", "mbMiddle"});
    RegisterEnum<TFormBorderStyle>(
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    RegisterEnum<TAlignment>({"taLeftJustify", "taRightJustify", "taCenter"});
    RegisterEnum<TTextLayout>({"tlTop", "tlCenter", "tlBottom"});
}

struct TCursorName {
    TCursor Cursor;
    const char* Name;
};
const TCursorName kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

unsigned long gCreationCounter = 0;

} // namespace

DEFINE_UNIT(Controls, uoClassLib + 40, RegisterControlTypes, controls_detail::StopPointerWatch);

bool CursorToIdent(int Cursor, AnsiString& Ident) {
    for (const TCursorName& entry : kCursorNames) {
        if (entry.Cursor == Cursor) {
            Ident = entry.Name;
            return true;
        }
    }
    return false;
}

bool IdentToCursor(const AnsiString& Ident, int& Cursor) {
    for (const TCursorName& entry : kCursorNames) {
        if (SameText(Ident, entry.Name)) {
            Cursor = entry.Cursor;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// TSizeConstraints

TSizeConstraints::TSizeConstraints(TControl* Control) : FControl(Control) {}

void TSizeConstraints::SetMinWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
    if (Value < 0) Value = 0;
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
    Change();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
    if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
    if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
    if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
    if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
}

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* other = dynamic_cast<TSizeConstraints*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FMinWidth = other->FMinWidth;
    FMinHeight = other->FMinHeight;
    FMaxWidth = other->FMaxWidth;
    FMaxHeight = other->FMaxHeight;
    Change();
}

TPersistent* TSizeConstraints::GetOwner() {
    return FControl;
}

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}

void TSizeConstraints::Published(TPropertyList& P) {
    P.Add("MaxHeight", &TSizeConstraints::GetMaxHeight, &TSizeConstraints::SetMaxHeight, 0);
    P.Add("MaxWidth", &TSizeConstraints::GetMaxWidth, &TSizeConstraints::SetMaxWidth, 0);
    P.Add("MinHeight", &TSizeConstraints::GetMinHeight, &TSizeConstraints::SetMinHeight, 0);
    P.Add("MinWidth", &TSizeConstraints::GetMinWidth, &TSizeConstraints::SetMinWidth, 0);
}

// ---------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC) return;
    HDC dc = FOwnDC;
    FOwnDC = nullptr;
    SetHandle(nullptr);
    ReleaseDC(FDCWindow, dc);
    FDCWindow = nullptr;
}

void TControlCanvas::CreateHandle() {
    HWND wnd = nullptr;
    if (FControl->IsWindowed()) {
        wnd = static_cast<TWinControl*>(FControl)->GetHandle();
    } else {
        TWinControl* parent = FControl->GetParent();
        if (!parent)
            throw EInvalidOperation(
                Format("Control '%s' has no parent window", FControl->GetName()));
        wnd = parent->GetHandle();
    }
    HDC dc = GetDC(wnd);
    if (!dc) throw EOutOfResources("Out of system resources");
    if (!FControl->IsWindowed()) {
        SetViewportOrgEx(dc, FControl->GetLeft(), FControl->GetTop(), nullptr);
        IntersectClipRect(dc, 0, 0, FControl->GetWidth(), FControl->GetHeight());
    }
    FDCWindow = wnd;
    FOwnDC = dc;
    SetHandle(dc);
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), WindowProc(this, &TControl::WndProc),
      FConstraints(std::make_unique<TSizeConstraints>(this)), FFont(std::make_unique<TFont>()),
      FCreationOrder(++gCreationCounter) {
    FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
    FConstraints->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

TControl::~TControl() {
    TControl::Unlink();
}

void TControl::Unlink() {
    controls_detail::ForgetPointerControl(this);
    if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::Dispatch(TMessage& Message) {
    using controls_detail::CallHandler;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        CallHandler(this, &TControl::WMLButtonDown, Message);
        return;
    case WM_RBUTTONDOWN:
        CallHandler(this, &TControl::WMRButtonDown, Message);
        return;
    case WM_MBUTTONDOWN:
        CallHandler(this, &TControl::WMMButtonDown, Message);
        return;
    case WM_LBUTTONDBLCLK:
        CallHandler(this, &TControl::WMLButtonDblClk, Message);
        return;
    case WM_RBUTTONDBLCLK:
        CallHandler(this, &TControl::WMRButtonDblClk, Message);
        return;
    case WM_MBUTTONDBLCLK:
        CallHandler(this, &TControl::WMMButtonDblClk, Message);
        return;
    case WM_LBUTTONUP:
        CallHandler(this, &TControl::WMLButtonUp, Message);
        return;
    case WM_RBUTTONUP:
        CallHandler(this, &TControl::WMRButtonUp, Message);
        return;
    case WM_MBUTTONUP:
        CallHandler(this, &TControl::WMMButtonUp, Message);
        return;
    case WM_MOUSEMOVE:
        CallHandler(this, &TControl::WMMouseMove, Message);
        return;
    case WM_MOUSEWHEEL:
        CallHandler(this, &TControl::WMMouseWheel, Message);
        return;
    case WM_CONTEXTMENU:
        CallHandler(this, &TControl::WMContextMenu, Message);
        return;
    case CM_VISIBLECHANGED:
        CallHandler(this, &TControl::CMVisibleChanged, Message);
        return;
    case CM_ENABLEDCHANGED:
        CallHandler(this, &TControl::CMEnabledChanged, Message);
        return;
    case CM_FONTCHANGED:
        CallHandler(this, &TControl::CMFontChanged, Message);
        return;
    case CM_COLORCHANGED:
        CallHandler(this, &TControl::CMColorChanged, Message);
        return;
    case CM_PARENTFONTCHANGED:
        CallHandler(this, &TControl::CMParentFontChanged, Message);
        return;
    case CM_PARENTCOLORCHANGED:
        CallHandler(this, &TControl::CMParentColorChanged, Message);
        return;
    case CM_PARENTCTL3DCHANGED:
        CallHandler(this, &TControl::CMParentCtl3DChanged, Message);
        return;
    case CM_PARENTSHOWHINTCHANGED:
        CallHandler(this, &TControl::CMParentShowHintChanged, Message);
        return;
    case CM_INVALIDATE:
        CallHandler(this, &TControl::CMInvalidate, Message);
        return;
    case CM_HITTEST:
        CallHandler(this, &TControl::CMHitTest, Message);
        return;
    default:
        break;
    }
    DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(Message.LParam);
        std::size_t size = Message.WParam;
        if (!buffer || size == 0) {
            Message.Result = 0;
            return;
        }
        std::size_t count = std::min(FText.size(), size - 1);
        std::copy_n(FText.data(), count, buffer);
        buffer[count] = '\0';
        Message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = static_cast<LRESULT>(FText.size());
        return;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<const char*>(Message.LParam);
        FText = text ? text : "";
        Message.Result = TRUE;
        return;
    }
    default:
        break;
    }
}

void TControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks)) {
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
                Message.Msg = WM_LBUTTONDOWN;
                break;
            case WM_RBUTTONDBLCLK:
                Message.Msg = WM_RBUTTONDOWN;
                break;
            case WM_MBUTTONDBLCLK:
                Message.Msg = WM_MBUTTONDOWN;
                break;
            default:
                break;
            }
        }
        switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (TFormHost* form = GetFormHost()) {
                form->SendCancelMode(this);
                if (IsDestroying()) return;
            }
            if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (Message.Msg == WM_LBUTTONDOWN && FControlStyle.Contains(csClickEvents))
                FControlState.Include(csClicked);
            FControlState.Include(csLButtonDown);
            break;
        case WM_LBUTTONUP:
            FControlState.Exclude(csLButtonDown);
            break;
        default:
            break;
        }
    }
    // Last: a handler may destroy the control.
    Dispatch(Message);
}

// ---- Parent ----------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == static_cast<TControl*>(this))
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (AParent && IsWindowed() && static_cast<TWinControl*>(this)->ContainsControl(AParent))
        throw EInvalidOperation("A control cannot be placed inside one of its own children");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

bool TControl::HasParent() const {
    return true;
}

void TControl::SetParentComponent(TComponent* Value) {
    auto* parent = dynamic_cast<TWinControl*>(Value);
    if (Value && !parent)
        throw EInvalidOperation(Format("%s cannot hold controls", Value->ClassName()));
    SetParent(parent);
}

TFormHost* TControl::GetFormHost() const {
    const TControl* top = this;
    while (top->FParent)
        top = top->FParent;
    return dynamic_cast<TFormHost*>(const_cast<TControl*>(top));
}

// ---- Bounds ----------------------------------------------------------------

void TControl::SetLeft(int Value) {
    SetBounds(Value, FTop, FWidth, FHeight);
}

void TControl::SetTop(int Value) {
    SetBounds(FLeft, Value, FWidth, FHeight);
}

void TControl::SetWidth(int Value) {
    SetBounds(FLeft, FTop, Value, FHeight);
}

void TControl::SetHeight(int Value) {
    SetBounds(FLeft, FTop, FWidth, Value);
}

void TControl::SetBoundsRect(const TRect& Rect) {
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

void TControl::ConstrainSize(int& AWidth, int& AHeight) const {
    FConstraints->Apply(AWidth, AHeight);
    AWidth = std::clamp(AWidth, 0, MaxControlExtent);
    AHeight = std::clamp(AHeight, 0, MaxControlExtent);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    InvalidateInParent(GetBoundsRect());
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!FPlacedByParent && FAlign == alNone) UpdateAnchorRules();
    InvalidateInParent(GetBoundsRect());
    RequestAlign();
    if (resized && !GetComponentState().Contains(csLoading)) Resize();
}

TRect TControl::GetClientRect() {
    return {0, 0, FWidth, FHeight};
}

int TControl::GetClientWidth() {
    return GetClientRect().Width();
}

int TControl::GetClientHeight() {
    return GetClientRect().Height();
}

void TControl::SetClientWidth(int Value) {
    SetWidth(Value + FWidth - GetClientWidth());
}

void TControl::SetClientHeight(int Value) {
    SetHeight(Value + FHeight - GetClientHeight());
}

TPoint TControl::GetClientOrigin() {
    if (!FParent) return {FLeft, FTop};
    TPoint origin = FParent->GetClientOrigin();
    return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
    TPoint origin = GetClientOrigin();
    return {Point.X + origin.X, Point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
    TPoint origin = GetClientOrigin();
    return {Point.X - origin.X, Point.Y - origin.Y};
}

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    if (Value == alNone) UpdateAnchorRules();
    // The siblings close the place it leaves, or make room for it.
    if (FParent) FParent->AlignControl(this);
}

void TControl::SetAnchors(TAnchors Value) {
    if (Value == FAnchors) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::SetConstraints(TSizeConstraints* Value) {
    FConstraints->Assign(Value);
}

void TControl::ConstraintsChanged(TObject*) {
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::UpdateAnchorRules() {
    if (!FParent) {
        FAnchorRules.Valid = false;
        return;
    }
    TRect client = FParent->GetClientRect();
    FAnchorRules.Left = FLeft;
    FAnchorRules.Top = FTop;
    FAnchorRules.Right = client.Width() - (FLeft + FWidth);
    FAnchorRules.Bottom = client.Height() - (FTop + FHeight);
    FAnchorRules.ParentWidth = client.Width();
    FAnchorRules.ParentHeight = client.Height();
    FAnchorRules.Valid = true;
}

void TControl::RequestAlign() {
    // A control placed by hand moves none of its siblings, unless the parent places every
    // child: asking the parent to lay them all out for each of many such controls would grow
    // with the square of their number.
    if (FParent && (FAlign != alNone || FParent->PlacesUnalignedControls()))
        FParent->AlignControl(this);
}

void TControl::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

void TControl::AdjustSize() {
    if (!FAutoSize || GetComponentState().Contains(csLoading)) return;
    int width = FWidth;
    int height = FHeight;
    if (CanAutoSize(width, height)) SetBounds(FLeft, FTop, width, height);
}

bool TControl::CanAutoSize(int&, int&) {
    return true;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- Visibility and state ---------------------------------------------------

void TControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    TComponentProtector protect(this);
    if (!Value && !MoveFocusOut()) return;
    Perform(CM_VISIBLECHANGED, Value, 0);
    RequestAlign();
}

void TControl::Show() {
    TComponentProtector protect(this);
    if (FParent) FParent->ShowControl(this);
    // A page switched to may have freed the control in its page-change event.
    if (IsDestroying()) return;
    SetVisible(true);
}

void TControl::Hide() {
    SetVisible(false);
}

bool TControl::IsShowing() const {
    return FVisible && FParent && FParent->IsShowing();
}

bool TControl::IsEffectivelyEnabled() const {
    return FEnabled && (!FParent || FParent->IsEffectivelyEnabled());
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    TComponentProtector protect(this);
    if (!Value && !MoveFocusOut()) return;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::MoveFocusOut() {
    // Before the window goes disabled or hidden: the system would leave the focus nowhere.
    if (!IsWindowed() || IsDestroying()) return true;
    if (TFormHost* form = GetFormHost()) form->MoveFocusFrom(static_cast<TWinControl*>(this));
    return !IsDestroying();
}

AnsiString TControl::GetText() {
    return RealGetText();
}

AnsiString TControl::RealGetText() {
    return FText;
}

void TControl::SetText(const AnsiString& Value) {
    if (GetText() == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const AnsiString& NewName) {
    auto loading = [](TComponent* c) { return c && c->GetComponentState().Contains(csLoading); };
    bool captionFollows = FControlStyle.Contains(csSetCaption) && !loading(this) &&
                          !loading(GetOwner()) && GetName() == GetText();
    TComponent::SetName(NewName);
    if (captionFollows) SetText(NewName);
}

// ---- Font, colour and the other inherited looks ------------------------------

void TControl::SetFont(TFont* Value) {
    FFont->Assign(Value);
}

void TControl::FontChanged(TObject*) {
    if (!FTakingParentFont) FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (Value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    if (Value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetCtl3D(bool Value) {
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    FParentCtl3D = false;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TControl::SetParentCtl3D(bool Value) {
    if (Value == FParentCtl3D) return;
    FParentCtl3D = Value;
    if (Value && FParent) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    if (Value == FShowHint) return;
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (Value == FParentShowHint) return;
    FParentShowHint = Value;
    if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value) {
    if (Value == FPopupMenu) return;
    if (Value && !dynamic_cast<TPopupHost*>(Value))
        throw EInvalidOperation(Format("%s is not a popup menu", Value->ClassName()));
    SetReference(this, FPopupMenu, Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Changed() {
    if (FParent) FParent->Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
}

// ---- Painting ----------------------------------------------------------------

void TControl::Invalidate() {
    Perform(CM_INVALIDATE, 0, 0);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    Invalidate();
    Update();
}

void TControl::InvalidateInParent(const TRect& Rect) {
    if (IsWindowed() || !FVisible || !FParent || !FParent->HandleAllocated()) return;
    // Not on the screen: the parent is painted whole when it shows.
    if (!IsWindowVisible(FParent->GetHandle())) return;
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    InvalidateRect(FParent->GetHandle(), &r, !FControlStyle.Contains(csOpaque));
}

// ---- Z-order -------------------------------------------------------------------

void TControl::BringToFront() {
    SetZOrder(true);
}

void TControl::SendToBack() {
    SetZOrder(false);
}

void TControl::SetZOrder(bool TopMost) {
    if (!FParent) return;
    std::vector<TControl*>& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (TopMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}

// ---- Mouse -----------------------------------------------------------------------

bool TControl::GetMouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value == GetMouseCapture()) return;
    SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
    TComponentProtector protect(this);
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    TComponentProtector protect(this);
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseDown(Button, KeysToShiftState(Message.Keys()) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseUp(Button, KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

// Each mouse handler lets the default processing (a system control's own, or the
// system's, which turns a right-button release into WM_CONTEXTMENU) go first.

void TControl::WMLButtonDown(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMRButtonDown(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMMButtonDown(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
    TComponentProtector protect(this);
    DefaultHandler(Message.Message);
    if (IsDestroying()) return;
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    if (IsDestroying()) return;
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDblClk(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
    TComponentProtector protect(this);
    DefaultHandler(Message.Message);
    if (IsDestroying()) return;
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    bool clicked = FControlState.Contains(csClicked);
    FControlState.Exclude(csClicked);
    if (clicked) {
        TRect client = GetClientRect();
        TPoint p = Message.Pos();
        if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom)
            Click();
        if (IsDestroying()) return;
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonUp(TWMMouse& Message) {
    TComponentProtector protect(this);
    DefaultHandler(Message.Message);
    if (IsDestroying()) return;
    DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonUp(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TWMMouse& Message) {
    DefaultHandler(Message.Message);
    if (FControlStyle.Contains(csNoStdEvents)) return;
    MouseMove(KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    if (WheelDelta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (WheelDelta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
    if (DoMouseWheel(KeysToShiftState(Message.Keys()), Message.WheelDelta(), Message.Pos()))
        Message.Message.Result = 0;
    else
        DefaultHandler(Message.Message);
}

bool TControl::DoPopup(int X, int Y) {
    auto* host = dynamic_cast<TPopupHost*>(FPopupMenu);
    if (!host) return false;
    host->SetPopupComponent(this);
    host->Popup(X, Y);
    return true;
}

void TControl::WMContextMenu(TWMContextMenu& Message) {
    if (Message.Result != 0) return;
    TPoint p{Message.XPos(), Message.YPos()};
    if (p.X == -1 && p.Y == -1) p = ClientToScreen({0, 0});
    if (DoPopup(p.X, p.Y)) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message.Message);
}

// ---- Message handlers ------------------------------------------------------------

void TControl::CMVisibleChanged(TMessage&) {
    if (!FParent || !FParent->HandleAllocated() || !IsWindowVisible(FParent->GetHandle())) return;
    RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->GetHandle(), &r, TRUE);
}

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!FParentFont || !FParent) return;
    FTakingParentFont = true;
    try {
        FFont->Assign(FParent->GetFont());
    } catch (...) {
        FTakingParentFont = false;
        throw;
    }
    FTakingParentFont = false;
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->GetColor());
    FParentColor = true;
}

void TControl::CMParentCtl3DChanged(TMessage&) {
    if (!FParentCtl3D || !FParent) return;
    SetCtl3D(FParent->GetCtl3D());
    FParentCtl3D = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->GetShowHint());
    FParentShowHint = true;
}

void TControl::CMInvalidate(TMessage&) {
    InvalidateInParent(GetBoundsRect());
}

void TControl::CMHitTest(TCMHitTest& Message) {
    Message.Result = HTCLIENT;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FAlign == alNone) UpdateAnchorRules();
    AdjustSize();
    if (FAlign != alNone) RequestAlign();
}

void TControl::Published(TPropertyList& P) {
    P.Add("Left", &TControl::GetLeft, &TControl::SetLeft)
        .Range(-MaxControlExtent - 1, MaxControlExtent)
        .WrittenWithinRange();
    P.Add("Top", &TControl::GetTop, &TControl::SetTop)
        .Range(-MaxControlExtent - 1, MaxControlExtent)
        .WrittenWithinRange();
    P.Add("Width", &TControl::GetWidth, &TControl::SetWidth).Range(0, MaxControlExtent);
    P.Add("Height", &TControl::GetHeight, &TControl::SetHeight).Range(0, MaxControlExtent);
}

// Setting a colour, font or 3-D look clears the matching Parent flag, so each flag comes
// after its value and is always written: reading then ends in the stored state.
void PublishControlProperties(TPropertyList& P) {
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
    P.Add("Anchors", &TControl::GetAnchors, &TControl::SetAnchors, TAnchors{akLeft, akTop});
    P.Add("Color", &TControl::GetColor, &TControl::SetColor).Idents(ColorToIdent, IdentToColor);
    P.Add("Constraints", &TControl::GetConstraints);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true);
    P.Add("Font", &TControl::GetFont);
    P.Add("Hint", &TControl::GetHint, &TControl::SetHint);
    P.Add("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor);
    P.Add("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont);
    P.Add("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    P.Add("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint, false);
    P.Add("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint);
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, true);
    PublishMouseEvents(P);
    P.Add("OnResize", &TControl::OnResize);
}

void PublishMouseEvents(TPropertyList& P) {
    P.Add("OnClick", &TControl::OnClick);
    P.Add("OnDblClick", &TControl::OnDblClick);
    P.Add("OnMouseDown", &TControl::OnMouseDown);
    P.Add("OnMouseMove", &TControl::OnMouseMove);
    P.Add("OnMouseUp", &TControl::OnMouseUp);
}

// ---------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::DrawDesignFrame() {
    if (!IsDesigning()) return;
    TCanvas* canvas = GetCanvas();
    canvas->GetPen()->SetStyle(psDash);
    canvas->GetPen()->SetColor(clBlack);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->Rectangle(GetClientRect());
    canvas->GetPen()->SetStyle(psSolid);
}

void TGraphicControl::Paint() {}

void TGraphicControl::ReleaseCanvasHandle() {
    FCanvas->FreeHandle();
}

void TGraphicControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FCanvas->FreeHandle();
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TGraphicControl::WMPaint(TWMPaint& Message) {
    if (!Message.DC()) return;
    FCanvas->FreeHandle();
    FCanvas->Lock();
    FCanvas->SetHandle(Message.DC());
    struct TRelease {
        TControlCanvas* Canvas;
        ~TRelease() {
            Canvas->SetHandle(nullptr);
            Canvas->Unlock();
        }
    } release{FCanvas.get()};
    Paint();
}
