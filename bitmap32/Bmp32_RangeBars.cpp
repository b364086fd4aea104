// The arrow bar base (geometry, looks, mouse and timer), the range and gauge bars, and the
// look accessor.
#include "bitmap32/Bmp32_RangeBars.h"

#include "bitmap32/Bmp32_System.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <cmath>

namespace Bmp32 {

namespace {

TPoint SystemCursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

COLORREF Rgb(TColor Color) {
    return ColorToRGB(Color);
}

void Fill(HDC DC, const TRect& R, COLORREF Color) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    const RECT r{R.Left, R.Top, R.Right, R.Bottom};
    HBRUSH brush = CreateSolidBrush(Color);
    FillRect(DC, &r, brush);
    DeleteObject(brush);
}

// A 2 by 2 checker of A and B over R.
void FillPattern(HDC DC, const TRect& R, COLORREF A, COLORREF B) {
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            SetPixelV(DC, x, y, ((x + y) & 1) ? B : A);
}

// Each channel of Color moved by Delta, kept to 0..255.
COLORREF Shade(COLORREF Color, int Delta) {
    auto c = [Delta](int V) { return std::clamp(V + Delta, 0, 255); };
    return RGB(c(GetRValue(Color)), c(GetGValue(Color)), c(GetBValue(Color)));
}

int Round(double Value) {
    return int(std::nearbyint(Value));
}

} // namespace

TCursorPosReader RangeBarCursorPos = SystemCursorPos;

TColor Mix(TColor A, TColor B, int W) {
    if (W < 0 || W > 255) throw EAssertionFailed("Assertion failure");
    const COLORREF a = Rgb(A), b = Rgb(B);
    auto mix = [W](int X, int Y) { return (X * W + Y * (255 - W)) / 255; };
    return TColor(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                      mix(GetBValue(a), GetBValue(b))));
}

// ---- TArrowBar ------------------------------------------------------------------------------

TArrowBar::TArrowBar(TComponent* AOwner) : TCustomControl(AOwner), FTimer(new TTimer(nullptr)) {
    TControlStyle style = GetControlStyle();
    style.Exclude(csAcceptsControls).Exclude(csDoubleClicks).Include(csOpaque);
    SetControlStyle(style);
    SetWidth(100);
    SetHeight(16);
    SetParentColor(false);
    SetColor(clScrollBar);
    FTimer->SetEnabled(false);
    FTimer->OnTimer = TNotifyEvent(this, &TArrowBar::TimerEvent);
}

TArrowBar::~TArrowBar() = default;

template <typename T> void TArrowBar::Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}

void TArrowBar::SetBackgnd(TRBBackgnd Value) { Store(FBackgnd, Value); }
void TArrowBar::SetButtonSize(int Value) { Store(FButtonSize, Value); }
void TArrowBar::SetHandleColor(TColor Value) { Store(FHandleColor, Value); }
void TArrowBar::SetButtonColor(TColor Value) { Store(FButtonColor, Value); }
void TArrowBar::SetHighLightColor(TColor Value) { Store(FHighLightColor, Value); }
void TArrowBar::SetShadowColor(TColor Value) { Store(FShadowColor, Value); }
void TArrowBar::SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
void TArrowBar::SetShowArrows(bool Value) { Store(FShowArrows, Value); }
void TArrowBar::SetShowHandleGrip(bool Value) { Store(FShowHandleGrip, Value); }
void TArrowBar::SetStyle(TRBStyle Value) { Store(FStyle, Value); }

void TArrowBar::SetKind(TScrollBarKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    if (!IsLoading()) SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
    Invalidate();
}

void TArrowBar::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

int TArrowBar::Length() {
    const TRect r = GetClientRect();
    return IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top;
}

int TArrowBar::Thickness() {
    const TRect r = GetClientRect();
    return IsHorizontal() ? r.Bottom - r.Top : r.Right - r.Left;
}

int TArrowBar::ActualButtonSize() {
    if (!FShowArrows) return 0;
    int b = FButtonSize != 0 ? FButtonSize : std::min(Thickness(), 32);
    const int length = Length();
    if (length <= 2 * b) b = length / 2;
    if (FStyle == rbsMac) --b;
    return b < 2 ? 0 : b;
}

TRect TArrowBar::GetTrackBoundary() {
    TRect r = GetClientRect();
    const int b = ActualButtonSize();
    if (IsHorizontal()) {
        r.Left += b;
        r.Right -= b;
    } else {
        r.Top += b;
        r.Bottom -= b;
    }
    return r;
}

bool TArrowBar::DrawEnabled() {
    return GetEnabled();
}

namespace {

// The handle, or a point in the middle of the track when there is none to draw.
TRect HandleOrCentre(TArrowBar& Bar, const TRect& Track) {
    const TRect h = Bar.GetHandleRect();
    if (Bar.DrawEnabled() && h.Right > h.Left && h.Bottom > h.Top) return h;
    const int cx = (Track.Left + Track.Right) / 2, cy = (Track.Top + Track.Bottom) / 2;
    return {cx, cy, cx, cy};
}

} // namespace

TRBZone TArrowBar::GetZone(int X, int Y) {
    const TRect client = GetClientRect();
    if (X < client.Left || Y < client.Top || X >= client.Right || Y >= client.Bottom) return zNone;
    const int b = ActualButtonSize();
    const int p = IsHorizontal() ? X - client.Left : Y - client.Top;
    const int length = Length();
    if (p < b) return zBtnPrev;
    if (p >= length - b) return zBtnNext;
    const TRect handle = HandleOrCentre(*this, GetTrackBoundary());
    if (X >= handle.Left && X < handle.Right && Y >= handle.Top && Y < handle.Bottom) return zHandle;
    const int lead = IsHorizontal() ? handle.Left : handle.Top;
    const int trail = IsHorizontal() ? handle.Right : handle.Bottom;
    const int axis = IsHorizontal() ? X : Y;
    if (axis >= 1 && axis < lead) return zTrackPrev;
    if (axis >= trail && axis < length - 1) return zTrackNext;
    return zNone;
}

TRect TArrowBar::GetZoneRect(TRBZone Zone) {
    const TRect client = GetClientRect();
    const int b = ActualButtonSize();
    const TRect track = GetTrackBoundary();
    const TRect handle = HandleOrCentre(*this, track);
    const bool h = IsHorizontal();
    switch (Zone) {
    case zBtnPrev: return h ? TRect{client.Left, client.Top, client.Left + b, client.Bottom}
                            : TRect{client.Left, client.Top, client.Right, client.Top + b};
    case zBtnNext: return h ? TRect{client.Right - b, client.Top, client.Right, client.Bottom}
                            : TRect{client.Left, client.Bottom - b, client.Right, client.Bottom};
    case zTrackPrev: return h ? TRect{track.Left, track.Top, handle.Left, track.Bottom}
                              : TRect{track.Left, track.Top, track.Right, handle.Top};
    case zTrackNext: return h ? TRect{handle.Right, track.Top, track.Right, track.Bottom}
                              : TRect{track.Left, handle.Bottom, track.Right, track.Bottom};
    case zHandle: return handle;
    case zNone: break;
    }
    return {0, 0, 0, 0};
}

void TArrowBar::Repaint() {
    Invalidate();
    if (HandleAllocated()) UpdateWindow(GetHandle());
}

void TArrowBar::Paint() {
    const TRect client = GetClientRect();
    const int w = client.Right - client.Left, hgt = client.Bottom - client.Top;
    if (w <= 0 || hgt <= 0) return;
    TBitmap32 buffer;
    buffer.SetSize(w, hgt);
    HDC dc = HDC(buffer.GetHandle());
    const bool horz = IsHorizontal();
    const bool enabled = DrawEnabled();
    if (FShowArrows && ActualButtonSize() > 0) {
        DoDrawButton(dc, GetZoneRect(zBtnPrev), horz ? drLeft : drUp, FDragZone == zBtnPrev,
                     enabled, FHotZone == zBtnPrev);
        DoDrawButton(dc, GetZoneRect(zBtnNext), horz ? drRight : drDown, FDragZone == zBtnNext,
                     enabled, FHotZone == zBtnNext);
    }
    DoDrawTrack(dc, GetZoneRect(zTrackPrev), horz ? drLeft : drUp, FDragZone == zTrackPrev,
                enabled, FHotZone == zTrackPrev);
    DoDrawTrack(dc, GetZoneRect(zTrackNext), horz ? drRight : drDown, FDragZone == zTrackNext,
                enabled, FHotZone == zTrackNext);
    const TRect handle = GetHandleRect();
    if (enabled && handle.Right > handle.Left && handle.Bottom > handle.Top)
        DoDrawHandle(dc, handle, horz, FDragZone == zHandle, FHotZone == zHandle);
    BitBlt(GetCanvas()->GetHandle(), client.Left, client.Top, w, hgt, dc, 0, 0, SRCCOPY);
}

void TArrowBar::DrawThemed(HDC DC, int Part, int State, const TRect& R) {
    const RECT r{R.Left, R.Top, R.Right, R.Bottom};
    DrawThemeBackground(SCROLLBAR_THEME, DC, Part, State, &r, nullptr);
}

namespace {

// The visual style stands in for the default look; rbsMac keeps its own.
bool Themed(TRBStyle Style) {
    if (Style == rbsDefault) VisualStylesNeeded();
    return Style == rbsDefault && USE_THEMES && SCROLLBAR_THEME && DrawThemeBackground;
}

// An arrow of BorderColor pointing in Direction, three quarters of the smaller side.
void DrawArrow(HDC DC, const TRect& R, TRBDirection Direction, COLORREF Color) {
    const int size = std::min(R.Right - R.Left, R.Bottom - R.Top) * 3 / 4;
    const int half = std::max(size / 2, 1), cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    const int q = half / 2;
    POINT p[3];
    switch (Direction) {
    case drLeft: p[0] = {cx - q, cy}; p[1] = {cx + q, cy - half}; p[2] = {cx + q, cy + half}; break;
    case drRight: p[0] = {cx + q, cy}; p[1] = {cx - q, cy - half}; p[2] = {cx - q, cy + half}; break;
    case drUp: p[0] = {cx, cy - q}; p[1] = {cx - half, cy + q}; p[2] = {cx + half, cy + q}; break;
    case drDown: p[0] = {cx, cy + q}; p[1] = {cx - half, cy - q}; p[2] = {cx + half, cy - q}; break;
    }
    HBRUSH brush = CreateSolidBrush(Color);
    HPEN pen = CreatePen(PS_SOLID, 1, Color);
    HGDIOBJ oldBrush = SelectObject(DC, brush), oldPen = SelectObject(DC, pen);
    Polygon(DC, p, 3);
    SelectObject(DC, oldBrush);
    SelectObject(DC, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

} // namespace

// A one-pixel frame of Color around R, without the side that faces the track; R shrinks to
// its inside.
void TArrowBar::DrawMacFrame(HDC DC, TRect& R, TRBDirection Direction, TColor Color) {
    const COLORREF c = Rgb(Color);
    if (Direction != drRight) Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, c);
    if (Direction != drDown) Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, c);
    if (Direction != drLeft) Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, c);
    if (Direction != drUp) Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, c);
    if (Direction != drRight) ++R.Left;
    if (Direction != drDown) ++R.Top;
    if (Direction != drLeft) --R.Right;
    if (Direction != drUp) --R.Bottom;
}

void TArrowBar::DoDrawButton(HDC DC, TRect R, TRBDirection Direction, bool Pushed, bool Enabled,
                             bool Hot) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (Themed(FStyle)) {
        static constexpr int Base[] = {9, 1, 13, 5}; // left, up, right, down
        const int state = !Enabled ? 3 : Pushed ? 2 : Hot ? 1 : 0;
        DrawThemed(DC, 1, Base[Direction] + state, R);
        return;
    }
    if (FStyle == rbsDefault) {
        static constexpr UINT Kinds[] = {DFCS_SCROLLLEFT, DFCS_SCROLLUP, DFCS_SCROLLRIGHT,
                                         DFCS_SCROLLDOWN};
        UINT flags = Kinds[Direction];
        if (!Enabled) flags |= DFCS_INACTIVE;
        if (Pushed) flags |= DFCS_PUSHED | DFCS_FLAT;
        RECT r{R.Left, R.Top, R.Right, R.Bottom};
        DrawFrameControl(DC, &r, DFC_SCROLL, flags);
        return;
    }
    DrawMacFrame(DC, R, Direction, Enabled ? FBorderColor : FShadowColor);
    Fill(DC, R, Rgb(FButtonColor));
    if (Enabled) {
        if (Pushed) {
            R = {R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
        } else {
            Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, Rgb(FHighLightColor));
            Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, Rgb(FHighLightColor));
            Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Rgb(FShadowColor));
            Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, Rgb(FShadowColor));
        }
        DrawArrow(DC, R, Direction, Rgb(FBorderColor));
    } else {
        DrawArrow(DC, {R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1}, Direction, Rgb(FHighLightColor));
        DrawArrow(DC, R, Direction, Rgb(FShadowColor));
    }
}

void TArrowBar::DoDrawTrack(HDC DC, TRect R, TRBDirection Direction, bool Pushed, bool Enabled,
                            bool Hot) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (Themed(FStyle)) {
        const bool horz = Direction == drLeft || Direction == drRight;
        const bool before = Direction == drLeft || Direction == drUp;
        const int part = horz ? (before ? 4 : 5) : (before ? 6 : 7);
        const int state = !Enabled ? 4 : Pushed ? 3 : Hot ? 2 : 1;
        DrawThemed(DC, part, state, R);
        return;
    }
    if (FStyle == rbsDefault) {
        if (Pushed && Enabled)
            Fill(DC, R, Rgb(clWindowFrame));
        else
            FillPattern(DC, R, Rgb(clBtnHighlight), Rgb(GetColor()));
        return;
    }
    const COLORREF frame = Rgb(Enabled ? FBorderColor : FShadowColor);
    Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, frame);
    Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, frame);
    if (IsHorizontal()) {
        if (Direction == drLeft) Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, frame);
    } else if (Direction == drUp) {
        Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, frame);
    }
    Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, frame);
    Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, frame);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    if (!Enabled) {
        Fill(DC, R, Rgb(FButtonColor));
    } else if (Pushed) {
        Fill(DC, R, Rgb(FBorderColor));
    } else {
        const COLORREF shadow = Rgb(Mix(FBorderColor, Mix(FHighLightColor, GetColor(), 127), 32));
        Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, shadow);
        Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, shadow);
        const TRect face{R.Left + 1, R.Top + 1, R.Right, R.Bottom};
        if (FBackgnd == bgPattern)
            FillPattern(DC, face, Rgb(FHighLightColor), Rgb(GetColor()));
        else
            Fill(DC, face, Rgb(GetColor()));
    }
}

void TArrowBar::DoDrawHandle(HDC DC, TRect R, bool Horz, bool Pushed, bool Hot) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (Themed(FStyle)) {
        const int state = !GetEnabled() ? 4 : Pushed ? 3 : Hot ? 2 : 1;
        DrawThemed(DC, Horz ? 2 : 3, state, R);
        if (FShowHandleGrip) DrawThemed(DC, Horz ? 8 : 9, 0, R);
        return;
    }
    if (FStyle == rbsDefault) {
        RECT r{R.Left, R.Top, R.Right, R.Bottom};
        DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        return;
    }
    const COLORREF handle = Rgb(FHandleColor);
    const COLORREF border = Rgb(FBorderColor);
    Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, border);
    Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, border);
    Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, border);
    Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, border);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    const COLORREF light = Pushed ? Shade(handle, -24) : Shade(handle, 24);
    const COLORREF dark = Pushed ? handle : Rgb(Mix(FBorderColor, FHandleColor, 96));
    Fill(DC, R, handle);
    Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, light);
    Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, light);
    Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, dark);
    Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, dark);
    if (!FShowHandleGrip) return;
    const int shift = Pushed ? 1 : 0;
    const int length = Horz ? R.Right - R.Left : R.Bottom - R.Top;
    const int centre = (Horz ? (R.Left + R.Right) : (R.Top + R.Bottom)) / 2;
    std::vector<int> bars{centre - 2, centre + 1};
    if (length > 10) {
        bars.push_back(centre - 5);
        bars.push_back(centre + 4);
    }
    for (const int b : bars) {
        const int at = b + shift;
        if (Horz) {
            Fill(DC, {at, R.Top + 3 + shift, at + 1, R.Bottom - 3 + shift}, Shade(handle, 24));
            Fill(DC, {at + 1, R.Top + 3 + shift, at + 2, R.Bottom - 3 + shift}, dark);
        } else {
            Fill(DC, {R.Left + 3 + shift, at, R.Right - 3 + shift, at + 1}, Shade(handle, 24));
            Fill(DC, {R.Left + 3 + shift, at + 1, R.Right - 3 + shift, at + 2}, dark);
        }
    }
}

void TArrowBar::DoChange() {
    if (OnChange) OnChange(this);
    if (FUserChange && OnUserChange) OnUserChange(this);
}

void TArrowBar::StartDragTracking() {
    FTimer->SetInterval(600);
    FTimerMode = 2;
    TimerHandler(this);
    FTimerMode = 1;
    FTimer->SetEnabled(true);
}

void TArrowBar::StopDragTracking() {
    FTimer->SetEnabled(false);
    StartHotTracking();
}

void TArrowBar::StartHotTracking() {
    FTimer->SetInterval(150);
    FTimerMode = 3;
    FTimer->SetEnabled(true);
}

void TArrowBar::StopHotTracking() {
    FTimer->SetEnabled(false);
    FHotZone = zNone;
    Repaint();
}

void TArrowBar::TimerEvent(TObject* Sender) {
    TimerHandler(Sender);
}

namespace {

// The zone under the pointer, the pointer held inside the client area.
TRBZone PointerZone(TArrowBar& Bar) {
    TPoint p = Bar.ScreenToClient(RangeBarCursorPos());
    const TRect client = Bar.GetClientRect();
    p.X = std::clamp(p.X, client.Left, std::max(client.Left, client.Right - 1));
    p.Y = std::clamp(p.Y, client.Top, std::max(client.Top, client.Bottom - 1));
    return Bar.GetZone(p.X, p.Y);
}

} // namespace

void TArrowBar::TimerHandler(TObject*) {
    if (FTimerMode == 1 || FTimerMode == 2) {
        // A held button repeats until the position stops changing; a held track pages
        // while the pointer stays over it or its button.
        const TRBZone pointer = HandleAllocated() ? PointerZone(*this) : FDragZone;
        switch (FDragZone) {
        case zBtnPrev:
            if (!Step(-1, false)) StopDragTracking();
            break;
        case zBtnNext:
            if (!Step(1, false)) StopDragTracking();
            break;
        case zTrackPrev:
            if (pointer == zBtnPrev || pointer == zTrackPrev) Step(-1, true);
            break;
        case zTrackNext:
            if (pointer == zTrackNext || pointer == zBtnNext) Step(1, true);
            break;
        default: break;
        }
    }
    if (FTimerMode == 1) {
        FTimer->SetInterval(100);
        FTimerMode = 2;
    } else if (FTimerMode == 3) {
        if (!HandleAllocated()) return;
        const TPoint p = ScreenToClient(RangeBarCursorPos());
        const TRect client = GetClientRect();
        if (p.X < client.Left || p.Y < client.Top || p.X >= client.Right || p.Y >= client.Bottom)
            StopHotTracking();
    }
}

void TArrowBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FDragZone = GetZone(X, Y);
        Repaint();
        FPressPoint = {X, Y};
        StartDragTracking();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TArrowBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (FDragZone == zNone && DrawEnabled()) {
        const TRBZone zone = GetZone(X, Y);
        if (zone != FHotZone) {
            FHotZone = zone;
            if (zone != zNone) StartHotTracking();
            Repaint();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TArrowBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FDragZone = zNone;
    Repaint();
    StopDragTracking();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TArrowBar::MouseLeft() {
    FTimer->SetEnabled(false);
    FHotZone = zNone;
    Repaint();
}

void TArrowBar::WMEraseBkgnd(TMessage& Message) {
    Message.Result = -1;
}

void TArrowBar::WMNCCalcSize(TMessage& Message) {
    if (FBorderStyle == bsSingle) {
        RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                 : reinterpret_cast<RECT*>(Message.LParam);
        InflateRect(r, -1, -1);
    }
    Message.Result = 0;
}

void TArrowBar::WMNCPaint(TMessage& Message) {
    Message.Result = 0;
    if (FBorderStyle != bsSingle || !HandleAllocated()) return;
    HDC dc = GetWindowDC(GetHandle());
    RECT r{0, 0, GetWidth(), GetHeight()};
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    ReleaseDC(GetHandle(), dc);
}

void TArrowBar::CMEnabledChanged(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    Invalidate();
}

void TArrowBar::CMMouseLeave(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    MouseLeft();
}

void TArrowBar::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Backgnd", &TArrowBar::GetBackgnd, &TArrowBar::SetBackgnd, bgPattern);
    P.Add("BorderStyle", &TArrowBar::GetBorderStyle, &TArrowBar::SetBorderStyle, bsSingle);
    P.Add("ButtonSize", &TArrowBar::GetButtonSize, &TArrowBar::SetButtonSize, 0);
    P.Add("HandleColor", &TArrowBar::GetHandleColor, &TArrowBar::SetHandleColor, clBtnShadow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ButtonColor", &TArrowBar::GetButtonColor, &TArrowBar::SetButtonColor, clBtnFace)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("HighLightColor", &TArrowBar::GetHighLightColor, &TArrowBar::SetHighLightColor,
          clBtnHighlight)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ShadowColor", &TArrowBar::GetShadowColor, &TArrowBar::SetShadowColor, clBtnShadow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("BorderColor", &TArrowBar::GetBorderColor, &TArrowBar::SetBorderColor, clWindowFrame)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Kind", &TArrowBar::GetKind, &TArrowBar::SetKind, sbHorizontal);
    P.Add("ShowArrows", &TArrowBar::GetShowArrows, &TArrowBar::SetShowArrows, true);
    P.Add("ShowHandleGrip", &TArrowBar::GetShowHandleGrip, &TArrowBar::SetShowHandleGrip, true);
    P.Add("Style", &TArrowBar::GetStyle, &TArrowBar::SetStyle, rbsDefault);
    P.Add("OnChange", &TArrowBar::OnChange);
    P.Add("OnUserChange", &TArrowBar::OnUserChange);
}

// ---- TCustomRangeBar ------------------------------------------------------------------------

TCustomRangeBar::TCustomRangeBar(TComponent* AOwner) : TArrowBar(AOwner) {
    UpdateEffectiveWindow();
}

void TCustomRangeBar::UpdateEffectiveWindow() {
    FEffectiveWindow = FWindow > 0 ? FWindow : IsHorizontal() ? GetWidth() : GetHeight();
}

void TCustomRangeBar::AdjustPosition() {
    if (FPosition > float(FRange - FEffectiveWindow)) FPosition = float(FRange - FEffectiveWindow);
    if (FPosition < 0) FPosition = 0;
}

void TCustomRangeBar::SetPosition(float Value) {
    if (Value == FPosition) return;
    const float old = FPosition;
    FPosition = Value;
    AdjustPosition();
    if (FPosition != old) {
        Repaint();
        DoChange();
    }
}

void TCustomRangeBar::SetUserPosition(float Value) {
    AsUserChange([&] { SetPosition(Value); });
}

void TCustomRangeBar::Recentre(int OldRange, int OldWindow) {
    const float q = OldWindow < OldRange && OldRange != 0
                        ? (float(OldWindow) * 0.5f + FPosition) / float(OldRange)
                        : 0.5f;
    FPosition = float(FRange) * q - float(FEffectiveWindow) * 0.5f;
}

void TCustomRangeBar::SetParams(int NewRange, int NewWindow) {
    NewRange = std::max(NewRange, 0);
    NewWindow = std::max(NewWindow, 0);
    if (NewRange == FRange && NewWindow == FWindow) return;
    const int oldRange = FRange, oldWindow = FEffectiveWindow;
    FRange = NewRange;
    FWindow = NewWindow;
    UpdateEffectiveWindow();
    if (FCentered && FRange > FEffectiveWindow) Recentre(oldRange, oldWindow);
    AdjustPosition();
    Repaint();
}

void TCustomRangeBar::Resize() {
    const int oldWindow = FEffectiveWindow;
    UpdateEffectiveWindow();
    if (FCentered && FRange > FEffectiveWindow) Recentre(FRange, oldWindow);
    AdjustPosition();
    TArrowBar::Resize();
}

bool TCustomRangeBar::DrawEnabled() {
    return GetEnabled() && FRange > FEffectiveWindow;
}

TRect TCustomRangeBar::GetHandleRect() {
    TRect r = GetTrackBoundary();
    const int track = IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top;
    if (track < 18) return {0, 0, 0, 0};
    if (FEffectiveWindow >= FRange) return r;
    int size = Round(double(track) * FEffectiveWindow / FRange);
    int offset = Round(double(track) * FPosition / FRange);
    if (size < 17) {
        size = 17;
        offset = Round(double(track - 17) * FPosition / (FRange - FEffectiveWindow));
    }
    if (IsHorizontal()) {
        r.Left += offset;
        r.Right = r.Left + size;
    } else {
        r.Top += offset;
        r.Bottom = r.Top + size;
    }
    return r;
}

void TCustomRangeBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FRange <= FEffectiveWindow) {
        ClearDragZone();
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    TArrowBar::MouseDown(Button, Shift, X, Y);
    if (GetDragZone() == zHandle) {
        StopDragTracking();
        FPosBeforeDrag = FPosition;
    }
}

void TCustomRangeBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (GetDragZone() == zHandle) {
        float d = float(IsHorizontal() ? X - GetPressPoint().X : Y - GetPressPoint().Y);
        int length = Length() - 2 * ActualButtonSize();
        if (GetBorderStyle() == bsSingle) length -= 2;
        if (Round(double(length) * FEffectiveWindow / FRange) < 17) {
            // A handle held at its least length moves over what is left of the track.
            if (length - 17 <= 0) {
                TArrowBar::MouseMove(Shift, X, Y);
                return;
            }
            d = float(Round(double(FRange - FEffectiveWindow) * d / (length - 17)));
        } else if (length > 0) {
            d = float(FRange) * d / float(length);
        } else {
            d = 0;
        }
        SetUserPosition(FPosBeforeDrag + d);
    }
    TArrowBar::MouseMove(Shift, X, Y);
}


bool TCustomRangeBar::Step(int Direction, bool Large) {
    const float old = FPosition;
    SetUserPosition(FPosition + float(Direction * (Large ? FEffectiveWindow : FIncrement)));
    return FPosition != old;
}

bool TCustomRangeBar::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    if (TArrowBar::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SetPosition(FPosition + float(FIncrement) * float(WheelDelta) / 120);
    return true;
}

void TCustomRangeBar::Published(TPropertyList& P) {
    TArrowBar::Published(P);
    P.Add("Increment", &TCustomRangeBar::GetIncrement, &TCustomRangeBar::SetIncrement,
          TRBIncrement(8));
    P.Add("Range", &TCustomRangeBar::GetRange, &TCustomRangeBar::SetRange, 0);
    P.Add("Window", &TCustomRangeBar::GetWindow, &TCustomRangeBar::SetWindow, 0);
    P.Add("Position", &TCustomRangeBar::GetPosition, &TCustomRangeBar::SetPosition, 0.0f);
}

void TRangeBar::Published(TPropertyList& P) {
    P.Add("OnMouseWheelUp", &TControl::OnMouseWheelUp);
    P.Add("OnMouseWheelDown", &TControl::OnMouseWheelDown);
}

// ---- TCustomGaugeBar ------------------------------------------------------------------------

TCustomGaugeBar::TCustomGaugeBar(TComponent* AOwner) : TArrowBar(AOwner) {}

void TCustomGaugeBar::SetHandleSize(int Value) {
    if (Value == FHandleSize) return;
    FHandleSize = Value;
    Invalidate();
}

void TCustomGaugeBar::LimitPosition() {
    const int clamped = std::clamp(FPosition, FMin, std::max(FMin, FMax));
    if (clamped != FPosition) {
        FPosition = clamped;
        DoChange();
    }
}

void TCustomGaugeBar::SetMax(int Value) {
    if (!IsLoading() && Value <= FMin) Value = FMin + 1;
    if (Value == FMax) return;
    FMax = Value;
    LimitPosition();
    Repaint();
}

void TCustomGaugeBar::SetMin(int Value) {
    if (!IsLoading() && Value >= FMax) Value = FMax - 1;
    if (Value == FMin) return;
    FMin = Value;
    LimitPosition();
    Repaint();
}

void TCustomGaugeBar::Loaded() {
    TArrowBar::Loaded();
    // The resource may give Min and Max in any order and any values.
    if (FMax <= FMin) FMax = FMin + 1;
    LimitPosition();
}

void TCustomGaugeBar::SetPosition(int Value) {
    Value = std::clamp(Value, FMin, std::max(FMin, FMax));
    if (Value == FPosition) return;
    FPosition = Value;
    Repaint();
    DoChange();
}

void TCustomGaugeBar::SetUserPosition(int Value) {
    AsUserChange([&] { SetPosition(Value); });
}

int TCustomGaugeBar::ActualHandleSize() {
    const TRect r = GetTrackBoundary();
    const int track = IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top;
    const int size = FHandleSize != 0 ? FHandleSize : Thickness();
    return std::max(std::min(size, track - 1), 0);
}

TRect TCustomGaugeBar::GetHandleRect() {
    TRect r = GetTrackBoundary();
    const int track = IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top;
    const int size = ActualHandleSize();
    const int offset = FMax > FMin ? Round(double(track - size) * (FPosition - FMin) / (FMax - FMin)) : 0;
    if (IsHorizontal()) {
        r.Left += offset;
        r.Right = r.Left + size;
    } else {
        r.Top += offset;
        r.Bottom = r.Top + size;
    }
    return r;
}

void TCustomGaugeBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TArrowBar::MouseDown(Button, Shift, X, Y);
    if (GetDragZone() == zHandle) {
        StopDragTracking();
        FPosBeforeDrag = FPosition;
    }
}

void TCustomGaugeBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (GetDragZone() == zHandle) {
        const TRect r = GetTrackBoundary();
        const int room = (IsHorizontal() ? r.Right - r.Left : r.Bottom - r.Top) - ActualHandleSize();
        const int d = IsHorizontal() ? X - GetPressPoint().X : Y - GetPressPoint().Y;
        if (room > 0) SetUserPosition(Round(FPosBeforeDrag + double(FMax - FMin) * d / room));
    }
    TArrowBar::MouseMove(Shift, X, Y);
}

bool TCustomGaugeBar::Step(int Direction, bool Large) {
    const int old = FPosition;
    SetUserPosition(FPosition + Direction * (Large ? FLargeChange : FSmallChange));
    return FPosition != old;
}

bool TCustomGaugeBar::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    if (TArrowBar::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SetPosition(FPosition + FSmallChange * WheelDelta / 120);
    return true;
}

void TCustomGaugeBar::Published(TPropertyList& P) {
    TArrowBar::Published(P);
    P.Add("HandleSize", &TCustomGaugeBar::GetHandleSize, &TCustomGaugeBar::SetHandleSize, 0);
    P.Add("LargeChange", &TCustomGaugeBar::GetLargeChange, &TCustomGaugeBar::SetLargeChange, 1);
    P.Add("Max", &TCustomGaugeBar::GetMax, &TCustomGaugeBar::SetMax, 100);
    P.Add("Min", &TCustomGaugeBar::GetMin, &TCustomGaugeBar::SetMin, 0);
    P.Add("Position", &TCustomGaugeBar::GetPosition, &TCustomGaugeBar::SetPosition, 0);
    P.Add("SmallChange", &TCustomGaugeBar::GetSmallChange, &TCustomGaugeBar::SetSmallChange, 1);
}

// ---- TArrowBarAccess ------------------------------------------------------------------------

template <typename T> void TArrowBarAccess::Apply(void (TArrowBar::*Setter)(T), T Value) {
    (FMaster->*Setter)(Value);
    if (FSlave) (FSlave->*Setter)(Value);
}

void TArrowBarAccess::SetColor(TColor Value) {
    FMaster->SetColor(Value);
    if (FSlave) FSlave->SetColor(Value);
}

void TArrowBarAccess::SetBackgnd(TRBBackgnd Value) { Apply(&TArrowBar::SetBackgnd, Value); }
void TArrowBarAccess::SetButtonSize(int Value) { Apply(&TArrowBar::SetButtonSize, Value); }
void TArrowBarAccess::SetHandleColor(TColor Value) { Apply(&TArrowBar::SetHandleColor, Value); }
void TArrowBarAccess::SetButtonColor(TColor Value) { Apply(&TArrowBar::SetButtonColor, Value); }
void TArrowBarAccess::SetHighLightColor(TColor Value) { Apply(&TArrowBar::SetHighLightColor, Value); }
void TArrowBarAccess::SetShadowColor(TColor Value) { Apply(&TArrowBar::SetShadowColor, Value); }
void TArrowBarAccess::SetBorderColor(TColor Value) { Apply(&TArrowBar::SetBorderColor, Value); }
void TArrowBarAccess::SetShowArrows(bool Value) { Apply(&TArrowBar::SetShowArrows, Value); }
void TArrowBarAccess::SetShowHandleGrip(bool Value) { Apply(&TArrowBar::SetShowHandleGrip, Value); }
void TArrowBarAccess::SetStyle(TRBStyle Value) { Apply(&TArrowBar::SetStyle, Value); }

void TArrowBarAccess::Published(TPropertyList& P) {
    P.Add("Color", &TArrowBarAccess::GetColor, &TArrowBarAccess::SetColor, clScrollBar)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("Backgnd", &TArrowBarAccess::GetBackgnd, &TArrowBarAccess::SetBackgnd, bgPattern);
    P.Add("ButtonSize", &TArrowBarAccess::GetButtonSize, &TArrowBarAccess::SetButtonSize, 0);
    P.Add("HandleColor", &TArrowBarAccess::GetHandleColor, &TArrowBarAccess::SetHandleColor,
          clBtnShadow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ButtonColor", &TArrowBarAccess::GetButtonColor, &TArrowBarAccess::SetButtonColor,
          clBtnFace)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("HighLightColor", &TArrowBarAccess::GetHighLightColor,
          &TArrowBarAccess::SetHighLightColor, clBtnHighlight)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ShadowColor", &TArrowBarAccess::GetShadowColor, &TArrowBarAccess::SetShadowColor,
          clBtnShadow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("BorderColor", &TArrowBarAccess::GetBorderColor, &TArrowBarAccess::SetBorderColor,
          clWindowFrame)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ShowArrows", &TArrowBarAccess::GetShowArrows, &TArrowBarAccess::SetShowArrows, true);
    P.Add("ShowHandleGrip", &TArrowBarAccess::GetShowHandleGrip,
          &TArrowBarAccess::SetShowHandleGrip, true);
    P.Add("Style", &TArrowBarAccess::GetStyle, &TArrowBarAccess::SetStyle, rbsDefault);
}

} // namespace Bmp32

namespace {

void RegisterRangeBars() {
    using namespace Bmp32;
    RegisterEnum<TRBStyle>({"rbsDefault", "rbsMac"});
    RegisterEnum<TRBBackgnd>({"bgPattern", "bgSolid"});
    RegisterClass(TRangeBar::StaticClass());
    RegisterClass(TGaugeBar::StaticClass());
}

} // namespace

DEFINE_UNIT(Bmp32_RangeBars, uoBmp32RangeBars, RegisterRangeBars, nullptr);
