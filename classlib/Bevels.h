// Bevels: boxes, frames and lines in the 3-D colours.
#pragma once

#include "classlib/Picture.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Bevels)

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A window-less box, frame or line in the 3-D colours.
class TBevel : public TGraphicControl {
    DECLARE_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* AOwner);

    static void Published(TPropertyList& P);

    TBevelShape GetShape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
