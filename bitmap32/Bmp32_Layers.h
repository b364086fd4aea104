// Unit Bmp32_Layers: layers drawn over an image control's bitmap, and the collection that
// keeps them in paint order, finds the layer under the pointer, routes the mouse to it and
// reports changes to the image and to its repaint optimiser.
//
// Layer options (LayerOptions, compared by AND with a paint stage's parameter and with the
// hit-test mask): the LOB_ constants below.
#pragma once

#include "bitmap32/Bmp32.h"
#include "classlib/Controls.h"
#include "classlib/List.h"
#include "classlib/Sets.h"
#include "classlib/UnitInit.h"

namespace Bmp32 {

constexpr Cardinal LOB_VISIBLE = 0x80000000;      // painted by the stage that draws layers
constexpr Cardinal LOB_GDI_OVERLAY = 0x40000000;  // PaintGDI after the screen copy
constexpr Cardinal LOB_MOUSE_EVENTS = 0x20000000; // takes part in hit testing
constexpr Cardinal LOB_NO_UPDATE = 0x10000000;    // changes not reported to the collection
constexpr Cardinal LOB_NO_CAPTURE = 0x08000000;   // a left press does not make it the listener
constexpr Cardinal LOB_INVALID = 0x04000000;      // queued by the repaint optimiser

enum TLayerState { lsMouseLeft, lsMouseRight, lsMouseMiddle };
using TLayerStates = TSet<TLayerState, 8>;

enum TLayerListNotification { lnLayerAdded, lnLayerInserted, lnLayerDeleted, lnCleared };

class TCustomLayer;
class TPositionedLayer;
class TLayerCollection;

// Makes a layer of one class in a collection (which it joins).
using TLayerClass = TCustomLayer* (*)(TLayerCollection* Collection);

template <typename L> TCustomLayer* NewLayer(TLayerCollection* Collection) {
    return new L(Collection);
}

using TLayerListNotifyEvent = TEvent<void(TObject* Sender, TLayerListNotification Action,
                                          TCustomLayer* Layer, int Index)>;
using TLayerUpdateEvent = TEvent<void(TObject* Sender, TCustomLayer* Layer)>;
using TGetScaleEvent = TEvent<void(TObject* Sender, float& ScaleX, float& ScaleY)>;
using TGetShiftEvent = TEvent<void(TObject* Sender, float& ShiftX, float& ShiftY)>;
using THitTestEvent = TEvent<void(TObject* Sender, int X, int Y, bool& Passed)>;
using TPaintLayerEvent = TEvent<void(TObject* Sender, TBitmap32* Buffer)>;

class TLayerCollection : public TPersistent {
    DECLARE_CLASS(TLayerCollection, TPersistent)
public:
    explicit TLayerCollection(TPersistent* AOwner);
    // Frees the layers without announcing a change.
    ~TLayerCollection() override;

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnGDIUpdate;
    TLayerListNotifyEvent OnListNotify;
    TLayerUpdateEvent OnLayerUpdated;
    TAreaChangedEvent OnAreaUpdated;
    TGetScaleEvent OnGetViewportScale;
    TGetShiftEvent OnGetViewportShift;

    // A new layer of LayerClass on top; lnLayerAdded is reported by the layer joining and
    // once more here.
    TCustomLayer* Add(TLayerClass LayerClass);
    template <typename L> L* Add() { return static_cast<L*>(Add(&NewLayer<L>)); }
    TCustomLayer* Insert(int Index, TLayerClass LayerClass);
    void Clear();
    void Delete(int Index);
    // Copies another collection's layers (each of its own class); itself changes nothing.
    void Assign(TPersistent* Source) override;
    int GetCount() const { return FItems.GetCount(); }
    // EListError for a bad index.
    TCustomLayer* GetItem(int Index) const;
    // Assigns Value to the layer at Index.
    void SetItem(int Index, TCustomLayer* Value);
    int IndexOf(TCustomLayer* Layer) const { return FItems.IndexOf(Layer); }
    TPersistent* GetOwner() override { return FOwner; }

    // Fires OnChanging at the first level.
    void BeginUpdate();
    // Fires OnChange on leaving the last level; EAssertionFailed "Unpaired EndUpdate" when
    // no update is open.
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    // The top-most layer sharing a bit with OptionsMask that is hit at (X, Y); null when
    // none.
    TCustomLayer* FindLayerAtPos(int X, int Y, Cardinal OptionsMask);
    // Fires OnGDIUpdate outside an update.
    void GDIUpdate();

    virtual void GetViewportScale(float& ScaleX, float& ScaleY);
    virtual void GetViewportShift(float& ShiftX, float& ShiftY);
    TFloatPoint LocalToViewport(const TFloatPoint& P, bool AScaled);
    TFloatPoint ViewportToLocal(const TFloatPoint& P, bool AScaled);

    // Mouse routing in control coordinates; each returns the layer concerned or null.
    TCustomLayer* MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    TCustomLayer* MouseMove(TShiftState Shift, int X, int Y);
    TCustomLayer* MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    TCustomLayer* GetMouseListener() const { return FMouseListener; }
    void SetMouseListener(TCustomLayer* Value);
    bool GetMouseEvents() const { return FMouseEvents; }
    void SetMouseEvents(bool Value);

    // Called by layers.
    void InsertItem(TCustomLayer* Layer);
    void RemoveItem(TCustomLayer* Layer);
    // Reports Area to OnAreaUpdated, then Changed.
    void DoUpdateArea(const TRect& Area);
    // Reports Layer to OnLayerUpdated, then Changed.
    void DoUpdateLayer(TCustomLayer* Layer);
    // Fire OnChanging / OnChange (the latter outside an update).
    void Changing();
    void Changed();
    void Notify(TLayerListNotification Action, TCustomLayer* Layer, int Index);
    void MoveItem(int CurIndex, int NewIndex) { FItems.Move(CurIndex, NewIndex); }

private:
    void FreeLayers();
    // Runs Action inside BeginUpdate / EndUpdate.
    template <typename F> void Bracketed(F Action) {
        BeginUpdate();
        try {
            Action();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }

    TList FItems;
    bool FMouseEvents = true;
    TCustomLayer* FMouseListener = nullptr;
    int FUpdateCount = 0;
    TPersistent* FOwner;
};

class TCustomLayer : public TNotifiablePersistent {
    DECLARE_CLASS(TCustomLayer, TNotifiablePersistent)
public:
    // Joins ALayerCollection when it is not null; options visible.
    explicit TCustomLayer(TLayerCollection* ALayerCollection);
    ~TCustomLayer() override;

    TNotifyEvent OnDestroy;
    THitTestEvent OnHitTest;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TPaintLayerEvent OnPaint;

    // The virtual constructor of this layer's class.
    virtual TLayerClass GetLayerClass() const { return &NewLayer<TCustomLayer>; }
    // From another layer: options, cursor and tag.
    void Assign(TPersistent* Source) override;

    TLayerCollection* GetLayerCollection() const { return FLayerCollection; }
    // Leaves the current collection and joins Value.
    void SetLayerCollection(TLayerCollection* Value);
    int GetIndex() const;
    // Clamped into the collection; moves within a visible layer's update bracket.
    virtual void SetIndex(int Value);
    void BringToFront();
    void SendToBack();

    Cardinal GetLayerOptions() const { return FLayerOptions; }
    void SetLayerOptions(Cardinal Value);
    bool GetVisible() const { return (FLayerOptions & LOB_VISIBLE) != 0; }
    void SetVisible(bool Value);
    bool GetMouseEvents() const { return (FLayerOptions & LOB_MOUSE_EVENTS) != 0; }
    void SetMouseEvents(bool Value);
    // The optimiser's mark, without notifications.
    bool GetInvalid() const { return (FLayerOptions & LOB_INVALID) != 0; }
    void SetInvalid(bool Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    TLayerStates GetLayerStates() const { return FLayerStates; }
    void SetLayerStates(TLayerStates Value) { FLayerStates = Value; }

    // Makes the layer the collection's mouse listener and its cursor the screen cursor.
    void SetAsMouseListener();
    bool HitTest(int X, int Y);
    // Paint, then OnPaint.
    void DoPaint(TBitmap32* Buffer);

    void Changed() override;
    void Changed(const TRect& Area);
    void Changing();
    void Update();
    void Update(const TRect& Area);

    // ALayer's Notification is called when this layer is destroyed.
    void AddNotification(TCustomLayer* ALayer);
    void RemoveNotification(TCustomLayer* ALayer);

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Paint(TBitmap32* /*Buffer*/) {}
    virtual void PaintGDI(TCanvas* /*Canvas*/) {}

protected:
    virtual bool DoHitTest(int /*X*/, int /*Y*/) { return true; }
    // ALayer, which asked this one for free notification, is being destroyed.
    virtual void Notification(TCustomLayer* /*ALayer*/) {}
    // Fires OnDestroy and tells the layers that asked; the destructor of each class with
    // state of its own calls it first, so that handlers still see that state. Runs once.
    void BeginDestruction();
    // The options a class starts with, set without notifications.
    void InitLayerOptions(Cardinal Value) { FLayerOptions = Value; }

private:
    void Changed(const TRect* Area);

    TCursor FCursor = crDefault;
    TList* FFreeNotifies = nullptr;
    TLayerCollection* FLayerCollection = nullptr;
    TLayerStates FLayerStates;
    Cardinal FLayerOptions = LOB_VISIBLE;
    int FTag = 0;
    bool FDestroying = false;
};

// A layer placed by a float rectangle, in bitmap coordinates when Scaled.
class TPositionedLayer : public TCustomLayer {
    DECLARE_CLASS(TPositionedLayer, TCustomLayer)
public:
    explicit TPositionedLayer(TLayerCollection* ALayerCollection);

    TLayerClass GetLayerClass() const override { return &NewLayer<TPositionedLayer>; }
    // Also location and Scaled.
    void Assign(TPersistent* Source) override;

    const TFloatRect& GetLocation() const { return FLocation; }
    // Changing, DoSetLocation, Changed, even when equal.
    void SetLocation(const TFloatRect& Value);
    bool GetScaled() const { return FScaled; }
    void SetScaled(bool Value);
    TFloatRect GetAdjustedLocation() { return GetAdjustedRect(FLocation); }
    // R in viewport coordinates when Scaled and in a collection; R otherwise.
    virtual TFloatRect GetAdjustedRect(const TFloatRect& R);

protected:
    bool DoHitTest(int X, int Y) override;
    virtual void DoSetLocation(const TFloatRect& NewLocation) { FLocation = NewLocation; }

private:
    TFloatRect FLocation{0, 0, 64, 64};
    bool FScaled = false;
};

// A positioned layer that draws its own bitmap stretched into its location.
class TBitmapLayer : public TPositionedLayer {
    DECLARE_CLASS(TBitmapLayer, TPositionedLayer)
public:
    explicit TBitmapLayer(TLayerCollection* ALayerCollection);
    ~TBitmapLayer() override;

    TLayerClass GetLayerClass() const override { return &NewLayer<TBitmapLayer>; }
    // Also the bitmap, AlphaHitTest and Cropped.
    void Assign(TPersistent* Source) override;

    TBitmap32* GetBitmap() const { return FBitmap; }
    // Assigns Value to the owned bitmap.
    void SetBitmap(TBitmap32* Value);
    bool GetAlphaHitTest() const { return FAlphaHitTest; }
    void SetAlphaHitTest(bool Value);
    bool GetCropped() const { return FCropped; }
    void SetCropped(bool Value);

    void Paint(TBitmap32* Buffer) override;

protected:
    bool DoHitTest(int X, int Y) override;

private:
    void BitmapChanged(TObject* Sender);
    // With an image control as the collection's owner (outside its PaintTo), ClipRect
    // becomes its overlap with the image's bitmap rectangle; false when nothing is to be
    // drawn.
    bool CropToImage(const TRect& DstRect, TRect& ClipRect);

    TBitmap32* FBitmap;
    bool FAlphaHitTest = false;
    bool FCropped = false;
};

enum TRBHandle {
    rhCenter,
    rhSides,
    rhCorners,
    rhFrame,
    rhNotLeftSide,
    rhNotRightSide,
    rhNotTopSide,
    rhNotBottomSide,
    rhNotTLCorner,
    rhNotTRCorner,
    rhNotBLCorner,
    rhNotBRCorner
};
using TRBHandles = TSet<TRBHandle, 16>;

enum TDragState {
    dsNone,
    dsMove,
    dsSizeL,
    dsSizeT,
    dsSizeR,
    dsSizeB,
    dsSizeTL,
    dsSizeTR,
    dsSizeBL,
    dsSizeBR
};

using TRBResizingEvent =
    TEvent<void(TObject* Sender, const TFloatRect& OldLocation, TFloatRect& NewLocation,
                TDragState DragState, TShiftState Shift)>;

// A frame with grab handles that the user drags to move and resize it, and with it an
// attached child layer.
class TRubberbandLayer : public TPositionedLayer {
    DECLARE_CLASS(TRubberbandLayer, TPositionedLayer)
public:
    explicit TRubberbandLayer(TLayerCollection* ALayerCollection);
    // Stops the child's free notification first.
    ~TRubberbandLayer() override;

    TNotifyEvent OnUserChange;
    TRBResizingEvent OnResizing;

    TLayerClass GetLayerClass() const override { return &NewLayer<TRubberbandLayer>; }

    TPositionedLayer* GetChildLayer() const { return FChildLayer; }
    void SetChildLayer(TPositionedLayer* Value);
    const TArrayOfColor32& GetFrameStipple() const { return FFrameStipple; }
    void SetFrameStipple(const TArrayOfColor32& Value);
    float GetFrameStippleStep() const { return FFrameStippleStep; }
    void SetFrameStippleStep(float Value);
    float GetFrameStippleCounter() const { return FFrameStippleCounter; }
    void SetFrameStippleCounter(float Value);
    TColor32 GetHandleFrame() const { return FHandleFrame; }
    void SetHandleFrame(TColor32 Value);
    TColor32 GetHandleFill() const { return FHandleFill; }
    void SetHandleFill(TColor32 Value);
    TRBHandles GetHandles() const { return FHandles; }
    void SetHandles(TRBHandles Value);
    int GetHandleSize() const { return FHandleSize; }
    // Never below 1.
    void SetHandleSize(int Value);
    // A maximum below its minimum (0, say) means none.
    float GetMinWidth() const { return FMinWidth; }
    void SetMinWidth(float Value) { FMinWidth = Value; }
    float GetMaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(float Value) { FMaxWidth = Value; }
    float GetMinHeight() const { return FMinHeight; }
    void SetMinHeight(float Value) { FMinHeight = Value; }
    float GetMaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(float Value) { FMaxHeight = Value; }

    TDragState GetDragState(int X, int Y);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint(TBitmap32* Buffer) override;

protected:
    bool DoHitTest(int X, int Y) override;
    void Notification(TCustomLayer* ALayer) override;
    void DoSetLocation(const TFloatRect& NewLocation) override;
    virtual void DoResizing(TFloatRect& OldLocation, TFloatRect& NewLocation,
                            TDragState DragState, TShiftState Shift);

private:
    void UpdateChildLayer();
    void SetGDIValue(bool Differs);

    TPositionedLayer* FChildLayer = nullptr;
    TArrayOfColor32 FFrameStipple{White32, White32, Black32, Black32};
    float FFrameStippleStep = 1.0f;
    float FFrameStippleCounter = 0;
    TColor32 FHandleFrame = 0xFF000000;
    TColor32 FHandleFill = 0xFFFFFFFF;
    TRBHandles FHandles{rhCenter, rhSides, rhCorners, rhFrame};
    int FHandleSize = 3;
    float FMinWidth = 10;
    float FMaxHeight = 0;
    float FMinHeight = 10;
    float FMaxWidth = 0;
    bool FIsDragging = false;
    TDragState FDragState = dsNone;
    TFloatRect FOldLocation;
    TFloatPoint FMouseShift;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Layers)
