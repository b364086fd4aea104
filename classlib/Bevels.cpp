#include "classlib/Bevels.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

void TBevel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Shape", &TBevel::GetShape, &TBevel::SetShape, bsBox);
    P.Add("Style", &TBevel::GetStyle, &TBevel::SetStyle, bsLowered);
}

void TBevel::SetShape(TBevelShape Value) {
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* canvas = GetCanvas();
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = GetWidth();
    const int h = GetHeight();
    auto line = [canvas](TColor Color, int X1, int Y1, int X2, int Y2) {
        canvas->GetPen()->SetColor(Color);
        canvas->MoveTo(X1, Y1);
        canvas->LineTo(X2, Y2);
    };
    canvas->GetPen()->SetWidth(1);
    switch (FShape) {
    case bsBox: {
        TRect rect = GetClientRect();
        Frame3D(canvas, rect, first, second, 1);
        break;
    }
    case bsFrame: {
        TRect outer(0, 0, w - 1, h - 1);
        Frame3D(canvas, outer, first, first, 1);
        TRect inner(1, 1, w, h);
        Frame3D(canvas, inner, second, second, 1);
        break;
    }
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        DrawDesignFrame();
        break;
    }
}

REGISTER_CLASS(TBevel);

namespace {

void RegisterBevelsEnums() {
    RegisterEnum<TBevelShape>(
        {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
    RegisterEnum<TBevelStyle>({"bsLowered", "bsRaised"});
}

} // namespace

DEFINE_UNIT(Bevels, uoClassLib, RegisterBevelsEnums, nullptr);
