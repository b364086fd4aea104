// Splitters: bars that resize an aligned neighbour.
#pragma once

#include "classlib/Picture.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Splitters)

// A bar between an aligned control and the rest of its parent: dragging it resizes that
// control (the neighbour: the visible sibling of the same alignment that touches the
// splitter on the side it is aligned to).
class TSplitter : public TGraphicControl {
    DECLARE_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Fired once a drag has ended and changed the neighbour's size.
    TNotifyEvent OnMoved;

    // The least size of the neighbour and of what is left beside it.
    int GetMinSize() const { return FMinSize; }
    void SetMinSize(int Value);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Whether dragging changes the neighbour's width (alLeft, alRight) or its height.
    bool ResizesWidth() const;
    TControl* FindNeighbour() const;
    // The largest size the neighbour may take.
    int MaxNeighbourSize() const;
    int NeighbourSize() const;
    void SetNeighbourSize(int Size);
    // The pointer's position along the splitter's axis, in the parent's coordinates.
    int ParentPos(int X, int Y) const;

    int FMinSize = 30;
    TControl* FNeighbour = nullptr;
    int FDragStart = 0;
    int FStartSize = 0;
    bool FDragging = false;
};
