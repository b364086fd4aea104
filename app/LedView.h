// The LED picture on a plain control: the eight segments, the pins at the right with a
// wire from each pin to its segment, and a label per pin with its letter and level.
//
// The view only draws what it is told (which segments are lit, the segment under the
// mouse, the pin levels and the highlighted pin) and passes mouse input on with the
// segment the pointer is over (LedGeometry's SegmentAt).
#pragma once

#include "app/LedGeometry.h"
#include "app/LedPalette.h"
#include "app/LedPattern.h"

#include "classlib/Bitmaps.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(LedView)

// Segment is the segment under the pointer, -1 for none.
using TSegmentMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       int X, int Y, int Segment)>;
using TSegmentMouseMoveEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y, int Segment)>;

class TLedView : public TCustomControl {
    DECLARE_CLASS(TLedView, TCustomControl)
public:
    explicit TLedView(TComponent* AOwner);
    ~TLedView() override;

    // Published as OnMouseDown and OnMouseMove.
    TSegmentMouseEvent OnSegmentMouseDown;
    TSegmentMouseMoveEvent OnSegmentMouseMove;

    const TLedPalette& GetPalette() const { return FPalette; }
    void SetPalette(const TLedPalette& Value);
    const TSegmentStates& GetSegments() const { return FLit; }
    void SetSegments(const TSegmentStates& Lit);
    // The segment outlined in the hover colour; -1 for none.
    int GetHoverSegment() const { return FHoverSegment; }
    void SetHoverSegment(int Segment);
    // Bit i is the level of pin i; Highlighted (-1 for none) is drawn in the select colour.
    Byte GetPinLevels() const { return FPinLevels; }
    int GetHighlightedPin() const { return FHighlightedPin; }
    void SetPins(Byte Levels, int Highlighted);

    static void Published(TPropertyList& P);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    void WMEraseBkgnd(TWMEraseBkgnd& Message);

    MESSAGE_HANDLERS(TLedView, TCustomControl)
        MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS

private:
    void DrawPicture(TCanvas* Canvas);
    void DrawSegment(TCanvas* Canvas, int Segment);
    void DrawPin(TCanvas* Canvas, int Pin);
    void InvalidateArea(const TRect& Area);

    TLedPalette FPalette;
    TSegmentStates FLit{};
    int FHoverSegment = -1;
    Byte FPinLevels = 0;
    int FHighlightedPin = -1;
    std::unique_ptr<TBitmap> FBuffer;
};
