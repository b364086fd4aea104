// More controls drawn by the library itself: panels, paint boxes, pictures, bevels and
// splitters.
#pragma once

#include "classlib/Picture.h"
#include "classlib/StdCtrls.h"
#include "classlib/UnitInit.h"

#include <memory>

DECLARE_UNIT(ExtCtrls)

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with beveled edges and a caption in its middle.
class TCustomPanel : public TCustomControl {
    DECLARE_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);

    static void Published(TPropertyList& P);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPanelBevel GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    // Width of each bevel.
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // Space between the two bevels, in the panel's colour.
    int GetBorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    // A sunken system frame around everything.
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // Inside the bevels and the border.
    void AdjustClientRect(TRect& Rect) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TCustomPanel, TCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    // Layout changed: children move, the look is redrawn.
    void BordersChanged();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    DECLARE_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// A window-less area that its owner draws in OnPaint, on Canvas.
class TPaintBox : public TGraphicControl {
    DECLARE_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// A window-less control that shows a picture.
class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    static void Published(TPropertyList& P);

    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    // Scaled to the control's size.
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    // Centred in the control when not stretched.
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    // The picture's transparent colour shows what lies behind the control.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);

protected:
    void Paint() override;
    // The picture's size.
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged(TObject* Sender);
    TRect DestRect();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};

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
