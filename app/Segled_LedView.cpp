// The main window's LED view: the segment layers and shapes, the pin wires and labels, the
// hover highlight, the click rule, Clear and Invert.
#include "app/Segled.h"

#include "app/Bits.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Layers.h"
#include "bitmap32/Bmp32_Polygons.h"


namespace {

// The transparent colours the segment layers start from.
constexpr Bmp32::TColor32 kHorizontalLayerColor = Bmp32::Color32(200, 0, 0, 0);
constexpr Bmp32::TColor32 kVerticalLayerColor = Bmp32::Color32(0, 200, 0, 0);

// What a segment's layer holds under its drawing: the decimal point stands opaque on the unlit
// fill, the other segments on a transparent colour.
Bmp32::TColor32 SegmentGround(TSegmentKind Kind, const TLedPalette& Colors) {
    switch (Kind) {
    case skHorizontal:
        return kHorizontalLayerColor;
    case skVertical:
        return kVerticalLayerColor;
    default:
        return ToColor32(Colors.OffFill);
    }
}

void AddPoints(Bmp32::TPolygon32* Polygon, const std::vector<TPoint>& Points) {
    for (const TPoint& p : Points)
        Polygon->Add(Bmp32::FixedPoint(p));
}

} // namespace

// ---- Building ----------------------------------------------------------------------------

void TFM::CreateSegmentShapes() {
    for (auto& shape : FSegmentShapes)
        shape = std::make_unique<Bmp32::TPolygon32>();
    for (auto& wire : FWires)
        wire = std::make_unique<Bmp32::TPolygon32>();
    for (auto& layer : FSegmentLayers)
        layer = IMG_Seg->GetLayers()->Add<Bmp32::TBitmapLayer>();
    for (int segment = 0; segment < kDecimalPoint; ++segment)
        SetupSegmentLayer(FSegmentLayers[static_cast<std::size_t>(segment)], SegmentKind(segment));
    for (int segment = 0; segment < kSegmentCount; ++segment)
        BuildSegmentShape(FSegmentShapes[static_cast<std::size_t>(segment)].get(), segment);
    Bmp32::TBitmap32* point = FSegmentLayers[kDecimalPoint]->GetBitmap();
    point->SetSize(SegmentLocation(kDecimalPoint).Width(), SegmentLocation(kDecimalPoint).Height());
    point->Clear(SegmentGround(skSquare, FColors));
    FSegmentLayers[kDecimalPoint]->SetLocation(
        Bmp32::FloatRect(0, 0, float(point->GetWidth()), float(point->GetHeight())));
    for (Bmp32::TBitmapLayer* layer : FSegmentLayers) {
        layer->SetTag(0);
        layer->SetCursor(crHandPoint);
    }
    for (int segment = 0; segment < kSegmentCount; ++segment) {
        const TRect at = SegmentLocation(segment);
        OffsetSegmentLayer(FSegmentLayers[static_cast<std::size_t>(segment)], at.Left, at.Top);
    }
}

void TFM::SetupSegmentLayer(Bmp32::TBitmapLayer* Layer, TSegmentKind Kind) {
    Bmp32::TBitmap32* bitmap = Layer->GetBitmap();
    bitmap->SetDrawMode(Bmp32::dmBlend);
    const bool horizontal = Kind == skHorizontal;
    bitmap->SetSize(horizontal ? 51 : 11, horizontal ? 11 : 51);
    bitmap->Clear(SegmentGround(Kind, FColors));
    Layer->SetLocation(
        Bmp32::FloatRect(0, 0, float(bitmap->GetWidth()), float(bitmap->GetHeight())));
}

void TFM::BuildSegmentShape(Bmp32::TPolygon32* Shape, int Segment) {
    AddPoints(Shape, SegmentShape(Segment));
}

void TFM::OffsetSegmentLayer(Bmp32::TBitmapLayer* Layer, int Dx, int Dy) {
    Bmp32::TFloatRect location = Layer->GetLocation();
    Bmp32::OffsetRect(location, float(Dx), float(Dy));
    Layer->SetLocation(location);
}

void TFM::SetupViewBitmap() {
    Bmp32::TBitmap32* view = IMG_Seg->GetBitmap();
    view->SetSize(IMG_Seg->GetWidth(), IMG_Seg->GetHeight());
    view->Clear(ToColor32(FColors.Back));
    view->FrameRectS(0, 0, view->GetWidth(), view->GetHeight(), ToColor32(FColors.OffEdge));
}

void TFM::SetupViewFocusMark() {
    IMG_Seg->GetPaintStages()->Add()->Stage = Bmp32::PST_CUSTOM;
    IMG_Seg->OnPaintStage = Bmp32::TPaintStageEvent(this, &TFM::IMG_SegPaintStage);
    IMG_Seg->OnEnter = TNotifyEvent(this, &TFM::IMG_SegFocusChange);
    IMG_Seg->OnExit = TNotifyEvent(this, &TFM::IMG_SegFocusChange);
}

void TFM::IMG_SegFocusChange(TObject*) {
    FViewFocused = IMG_Seg->Focused();
    IMG_Seg->ForceFullInvalidate();
}

void TFM::IMG_SegPaintStage(TObject*, Bmp32::TBitmap32* Buffer, int) {
    if (!FViewFocused) return;
    // Every other pixel, so that the repaint of one changed area draws the same dots again.
    constexpr int kInset = 2;
    const int right = Buffer->GetWidth() - 1 - kInset, bottom = Buffer->GetHeight() - 1 - kInset;
    constexpr Bmp32::TColor32 kDot = Bmp32::Color32(0, 0, 0, 255);
    for (int x = kInset; x <= right; x += 2) {
        Buffer->SetPixelS(x, kInset, kDot);
        Buffer->SetPixelS(x, bottom, kDot);
    }
    for (int y = kInset; y <= bottom; y += 2) {
        Buffer->SetPixelS(kInset, y, kDot);
        Buffer->SetPixelS(right, y, kDot);
    }
}

void TFM::BuildWires() {
    for (int pin = 0; pin < kPinCount; ++pin) {
        Bmp32::TPolygon32* wire = FWires[static_cast<std::size_t>(pin)].get();
        wire->SetClosed(false);
        AddPoints(wire, PinWire(pin));
    }
}

// ---- Drawing -----------------------------------------------------------------------------

bool TFM::SegmentLitFlag(int Segment) const {
    return FSegmentLayers[static_cast<std::size_t>(Segment)]->GetTag() == 1;
}

void TFM::DrawSegments() {
    for (int segment = 0; segment < kSegmentCount; ++segment) {
        const bool lit = SegmentLitFlag(segment);
        // Drawn on the layer's ground: the outline's partly covered pixels would otherwise
        // blend over the last drawing and darken a little more at each hover.
        Bmp32::TBitmap32* layer = FSegmentLayers[static_cast<std::size_t>(segment)]->GetBitmap();
        layer->Clear(SegmentGround(SegmentKind(segment), FColors));
        FSegmentShapes[static_cast<std::size_t>(segment)]->Draw(
            layer,
            ToColor32(lit ? FColors.OnEdge : FColors.OffEdge),
            ToColor32(lit ? FColors.OnFill : FColors.OffFill));
    }
    FHoverDirty = false;
}

void TFM::DrawPins(int Highlighted) {
    Bmp32::TBitmap32* view = IMG_Seg->GetBitmap();
    for (int pin = 0; pin < kPinCount; ++pin) {
        const bool level = Bits::TestBit(FPattern, pin);
        Bmp32::TColor32 color = ToColor32(level ? kPinHighColor : kPinLowColor);
        if (pin == Highlighted) color = ToColor32(FColors.Select);
        FWires[static_cast<std::size_t>(pin)]->DrawEdge(view, color);
        const TRect label = PinLabelRect(pin);
        view->FillRect(label.Left, label.Top, label.Right, label.Bottom, ToColor32(FColors.OffFill));
        view->RenderText(label.Left + 1, label.Top, PinLabelText(pin, level), 0, color);
    }
    FPinsHighlighted = Highlighted;
}

void TFM::HoverSegment(int Segment) {
    FSegmentShapes[static_cast<std::size_t>(Segment)]->DrawEdge(
        FSegmentLayers[static_cast<std::size_t>(Segment)]->GetBitmap(), ToColor32(FColors.Hover));
    FHoverDirty = true;
    // Drawn again, the highlight would blend over itself and darken the wire at each move.
    if (FPinsHighlighted != Segment) DrawPins(Segment);
}

void TFM::EndHover() {
    if (FHoverDirty) DrawSegments();
    if (FPinsHighlighted != -1) DrawPins(-1);
}

void TFM::UpdatePatternFromLayers() {
    TSegmentStates lit{};
    for (int segment = 0; segment < kSegmentCount; ++segment)
        lit[static_cast<std::size_t>(segment)] = SegmentLitFlag(segment);
    FPattern = PatternFromSegments(lit, FCommonType);
}

void TFM::UpdateLayersFromPattern() {
    for (int segment = 0; segment < kSegmentCount; ++segment)
        FSegmentLayers[static_cast<std::size_t>(segment)]->SetTag(
            SegmentLit(segment, FPattern, FCommonType) ? 1 : 0);
}

void TFM::ToggleSegment(Bmp32::TCustomLayer* Layer) {
    Layer->SetTag(Layer->GetTag() != 0 ? 0 : 1);
}

void TFM::Redraw() {
    DrawSegments();
    UpdatePatternFromLayers();
    DrawPins(-1);
    // The captions last: a caption's repaint paints the picture inside its box as well, and
    // the picture is whole by then, so it is painted once.
    UpdateCaptions();
    UpdateControls();
}

// ---- Mouse and commands ------------------------------------------------------------------

namespace {

// The segment a layer of the view stands for; -1 for none.
int SegmentOf(Bmp32::TCustomLayer* Layer) {
    if (!Layer) return -1;
    const int index = Layer->GetIndex();
    return index >= 0 && index < kSegmentCount ? index : -1;
}

} // namespace

void TFM::IMG_SegMouseDown(TObject*, TMouseButton, TShiftState Shift, int, int,
                           Bmp32::TCustomLayer* Layer) {
    const int segment = SegmentOf(Layer);
    if (segment < 0 || Shift.Contains(ssRight)) return;
    ToggleSegment(FSegmentLayers[static_cast<std::size_t>(segment)]);
    Redraw();
}

void TFM::IMG_SegMouseMove(TObject*, TShiftState, int, int, Bmp32::TCustomLayer* Layer) {
    const int segment = SegmentOf(Layer);
    if (segment < 0) return EndHover();
    if (FHoverDirty) DrawSegments();
    HoverSegment(segment);
}

// The pointer may leave the view in one jump, from a segment onto another control, without a
// move over the view's background.
void TFM::IMG_SegMouseLeave(TObject*) {
    EndHover();
}

void TFM::GB_LEDMouseMove(TObject*, TShiftState, int, int) {
    if (FHoverDirty) DrawSegments();
}

void TFM::Clear2Click(TObject*) {
    FPattern = 0;
    for (Bmp32::TBitmapLayer* layer : FSegmentLayers)
        layer->SetTag(0);
    Redraw();
}

void TFM::MNU_InvertClick(TObject*) {
    for (int segment = 0; segment < kDecimalPoint; ++segment)
        ToggleSegment(FSegmentLayers[static_cast<std::size_t>(segment)]);
    Redraw();
}
