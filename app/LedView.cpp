#include "app/LedView.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

namespace {

TRect Union(const TRect& A, const TRect& B) {
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}

TRect BoundsOf(const std::vector<TPoint>& Points) {
    TRect r{Points.front().X, Points.front().Y, Points.front().X + 1, Points.front().Y + 1};
    for (const TPoint& p : Points)
        r = Union(r, {p.X, p.Y, p.X + 1, p.Y + 1});
    return r;
}

// Everything that shows pin Pin: its wire and its label.
TRect PinArea(int Pin) {
    return Union(BoundsOf(PinWire(Pin)), PinLabelRect(Pin));
}

void RegisterLedView() {
    RegisterClass(TLedView::StaticClass());
}

} // namespace

DEFINE_UNIT(LedView, uoApp, RegisterLedView, nullptr);

TLedView::TLedView(TComponent* AOwner)
    : TCustomControl(AOwner), FPalette(EditorPalette()), FBuffer(std::make_unique<TBitmap>()) {
    SetControlStyle(GetControlStyle().Include(csOpaque));
    SetBounds(GetLeft(), GetTop(), kLedViewWidth, kLedViewHeight);
}

TLedView::~TLedView() = default;

void TLedView::Published(TPropertyList& P) {
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true);
    P.Add("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    P.Add("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
    P.Add("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, true);
    P.Add("OnMouseDown", &TLedView::OnSegmentMouseDown);
    P.Add("OnMouseMove", &TLedView::OnSegmentMouseMove);
}

void TLedView::SetPalette(const TLedPalette& Value) {
    FPalette = Value;
    Invalidate();
}

void TLedView::SetSegments(const TSegmentStates& Lit) {
    for (int i = 0; i < kSegmentCount; ++i)
        if (Lit[static_cast<std::size_t>(i)] != FLit[static_cast<std::size_t>(i)])
            InvalidateArea(SegmentLocation(i));
    FLit = Lit;
}

void TLedView::SetHoverSegment(int Segment) {
    if (Segment < -1 || Segment >= kSegmentCount) Segment = -1;
    if (Segment == FHoverSegment) return;
    if (FHoverSegment >= 0) InvalidateArea(SegmentLocation(FHoverSegment));
    if (Segment >= 0) InvalidateArea(SegmentLocation(Segment));
    FHoverSegment = Segment;
}

void TLedView::SetPins(Byte Levels, int Highlighted) {
    if (Highlighted < -1 || Highlighted >= kPinCount) Highlighted = -1;
    for (int pin = 0; pin < kPinCount; ++pin) {
        bool levelChanged = ((Levels ^ FPinLevels) >> pin) & 1;
        bool highlightChanged = (pin == Highlighted) != (pin == FHighlightedPin);
        if (levelChanged || highlightChanged) InvalidateArea(PinArea(pin));
    }
    FPinLevels = Levels;
    FHighlightedPin = Highlighted;
}

void TLedView::InvalidateArea(const TRect& Area) {
    if (!HandleAllocated()) return;
    RECT r{Area.Left, Area.Top, Area.Right, Area.Bottom};
    InvalidateRect(GetHandle(), &r, FALSE);
}

// ---- Drawing -----------------------------------------------------------------------

void TLedView::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    // Paint covers the whole area.
    Message.Message.Result = 1;
}

void TLedView::Paint() {
    int width = GetClientWidth();
    int height = GetClientHeight();
    if (width <= 0 || height <= 0) return;
    if (FBuffer->GetWidth() != width || FBuffer->GetHeight() != height) {
        FBuffer->SetSize(width, height);
        FBuffer->SetPixelFormat(pf24bit);
    }
    DrawPicture(FBuffer->GetCanvas());
    TRect all{0, 0, width, height};
    GetCanvas()->CopyRect(all, FBuffer->GetCanvas(), all);
}

void TLedView::DrawPicture(TCanvas* Canvas) {
    TRect all{0, 0, GetClientWidth(), GetClientHeight()};
    Canvas->GetFont()->Assign(GetFont());
    Canvas->GetBrush()->SetColor(ToColor(FPalette.Back));
    Canvas->FillRect(all);
    Canvas->GetBrush()->SetColor(ToColor(FPalette.OffEdge));
    Canvas->FrameRect(all);
    for (int pin = 0; pin < kPinCount; ++pin)
        DrawPin(Canvas, pin);
    for (int segment = 0; segment < kSegmentCount; ++segment)
        DrawSegment(Canvas, segment);
}

void TLedView::DrawSegment(TCanvas* Canvas, int Segment) {
    bool lit = FLit[static_cast<std::size_t>(Segment)];
    if (SegmentKind(Segment) == skSquare) {
        // The decimal point stands on a square of its own.
        Canvas->GetBrush()->SetColor(ToColor(FPalette.OffFill));
        Canvas->FillRect(SegmentLocation(Segment));
    }
    TLedColor edge = lit ? FPalette.OnEdge : FPalette.OffEdge;
    if (Segment == FHoverSegment) edge = FPalette.Hover;
    Canvas->GetPen()->SetColor(ToColor(edge));
    Canvas->GetBrush()->SetColor(ToColor(lit ? FPalette.OnFill : FPalette.OffFill));
    std::vector<TPoint> outline = SegmentOutline(Segment);
    Canvas->Polygon(outline);
}

void TLedView::DrawPin(TCanvas* Canvas, int Pin) {
    bool level = (FPinLevels >> Pin) & 1;
    TColor color = ToColor(level ? kPinHighColor : kPinLowColor);
    if (Pin == FHighlightedPin) color = ToColor(FPalette.Select);
    Canvas->GetPen()->SetColor(color);
    std::vector<TPoint> wire = PinWire(Pin);
    Canvas->Polyline(wire);
    TRect label = PinLabelRect(Pin);
    Canvas->GetBrush()->SetColor(ToColor(FPalette.OffFill));
    Canvas->GetFont()->SetColor(color);
    Canvas->TextRect(label, label.Left + 1, label.Top, PinLabelText(Pin, level));
}

// ---- Mouse -------------------------------------------------------------------------

void TLedView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && CanFocus() && !Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (OnSegmentMouseDown) OnSegmentMouseDown(this, Button, Shift, X, Y, SegmentAt(X, Y));
}

void TLedView::MouseMove(TShiftState Shift, int X, int Y) {
    int segment = SegmentAt(X, Y);
    SetCursor(segment >= 0 ? crHandPoint : crDefault);
    TCustomControl::MouseMove(Shift, X, Y);
    if (OnSegmentMouseMove) OnSegmentMouseMove(this, Shift, X, Y, segment);
}
