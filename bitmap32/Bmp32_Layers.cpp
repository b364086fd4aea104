#include "bitmap32/Bmp32_Layers.h"

#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Resamplers.h"
#include "classlib/Forms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Bmp32 {

namespace {

void SetScreenCursor(TCursor Cursor) {
    if (Screen) Screen->SetCursor(Cursor);
}

// The pixel rectangle of a location. Edges are held within 2^24 pixels of the origin: the
// mapping stays exact for anything nearer, and edges beyond still clip to nothing or to the
// whole bitmap instead of leaving the integer range.
TRect PixelRect(const TFloatRect& R) {
    static constexpr float limit = float(1 << 24);
    auto held = [](float V) { return V == V ? std::clamp(V, -limit, limit) : 0.0f; };
    return MakeRect(FloatRect(held(R.Left), held(R.Top), held(R.Right), held(R.Bottom)),
                    rrClosest);
}

TLayerState StateOf(TMouseButton Button) {
    switch (Button) {
    case mbRight: return lsMouseRight;
    case mbMiddle: return lsMouseMiddle;
    default: return lsMouseLeft;
    }
}

} // namespace

// ---- TLayerCollection ---------------------------------------------------------------------

TLayerCollection::TLayerCollection(TPersistent* AOwner) : FOwner(AOwner) {}

TLayerCollection::~TLayerCollection() {
    FUpdateCount = 1;
    FreeLayers();
}

void TLayerCollection::FreeLayers() {
    while (GetCount() > 0)
        delete GetItem(GetCount() - 1);
}

TCustomLayer* TLayerCollection::Add(TLayerClass LayerClass) {
    TCustomLayer* layer = LayerClass(this);
    layer->SetIndex(GetCount() - 1);
    Notify(lnLayerAdded, layer, layer->GetIndex());
    return layer;
}

TCustomLayer* TLayerCollection::Insert(int Index, TLayerClass LayerClass) {
    TCustomLayer* layer = nullptr;
    Bracketed([&] {
        layer = Add(LayerClass);
        layer->SetIndex(Index);
        Notify(lnLayerInserted, layer, Index);
    });
    return layer;
}

void TLayerCollection::Clear() {
    Bracketed([&] {
        FreeLayers();
        Notify(lnCleared, nullptr, 0);
    });
}

void TLayerCollection::Delete(int Index) {
    delete GetItem(Index);
}

void TLayerCollection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TLayerCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    Bracketed([&] {
        FreeLayers();
        for (int i = 0; i < source->GetCount(); ++i) {
            TCustomLayer* original = source->GetItem(i);
            Add(original->GetLayerClass())->Assign(original);
        }
    });
}

TCustomLayer* TLayerCollection::GetItem(int Index) const {
    return static_cast<TCustomLayer*>(FItems.Get(Index));
}

void TLayerCollection::SetItem(int Index, TCustomLayer* Value) {
    GetItem(Index)->Assign(Value);
}

void TLayerCollection::BeginUpdate() {
    if (FUpdateCount == 0) Changing();
    ++FUpdateCount;
}

void TLayerCollection::EndUpdate() {
    if (FUpdateCount < 1) throw EAssertionFailed("Unpaired EndUpdate");
    --FUpdateCount;
    if (FUpdateCount == 0) Changed();
}

void TLayerCollection::Changing() {
    if (OnChanging) OnChanging(this);
}

void TLayerCollection::Changed() {
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TLayerCollection::GDIUpdate() {
    if (FUpdateCount == 0 && OnGDIUpdate) OnGDIUpdate(this);
}

void TLayerCollection::Notify(TLayerListNotification Action, TCustomLayer* Layer, int Index) {
    if (OnListNotify) OnListNotify(this, Action, Layer, Index);
}

void TLayerCollection::DoUpdateArea(const TRect& Area) {
    if (OnAreaUpdated) OnAreaUpdated(this, Area, AREAINFO_RECT);
    Changed();
}

void TLayerCollection::DoUpdateLayer(TCustomLayer* Layer) {
    if (OnLayerUpdated) OnLayerUpdated(this, Layer);
    Changed();
}

TCustomLayer* TLayerCollection::FindLayerAtPos(int X, int Y, Cardinal OptionsMask) {
    for (int i = GetCount() - 1; i >= 0; --i) {
        TCustomLayer* layer = GetItem(i);
        if ((layer->GetLayerOptions() & OptionsMask) != 0 && layer->HitTest(X, Y)) return layer;
    }
    return nullptr;
}

void TLayerCollection::GetViewportScale(float& ScaleX, float& ScaleY) {
    if (OnGetViewportScale) {
        OnGetViewportScale(this, ScaleX, ScaleY);
    } else {
        ScaleX = 1;
        ScaleY = 1;
    }
}

void TLayerCollection::GetViewportShift(float& ShiftX, float& ShiftY) {
    if (OnGetViewportShift) {
        OnGetViewportShift(this, ShiftX, ShiftY);
    } else {
        ShiftX = 0;
        ShiftY = 0;
    }
}

TFloatPoint TLayerCollection::LocalToViewport(const TFloatPoint& P, bool AScaled) {
    if (!AScaled) return P;
    float scaleX, scaleY, shiftX, shiftY;
    GetViewportScale(scaleX, scaleY);
    GetViewportShift(shiftX, shiftY);
    return {P.X * scaleX + shiftX, P.Y * scaleY + shiftY};
}

TFloatPoint TLayerCollection::ViewportToLocal(const TFloatPoint& P, bool AScaled) {
    if (!AScaled) return P;
    float scaleX, scaleY, shiftX, shiftY;
    GetViewportScale(scaleX, scaleY);
    GetViewportShift(shiftX, shiftY);
    return {(P.X - shiftX) / scaleX, (P.Y - shiftY) / scaleY};
}

TCustomLayer* TLayerCollection::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomLayer* layer =
        FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
    if (Button == mbLeft && layer != FMouseListener &&
        (!layer || (layer->GetLayerOptions() & LOB_NO_CAPTURE) == 0))
        SetMouseListener(layer);
    if (FMouseListener) {
        FMouseListener->SetLayerStates(FMouseListener->GetLayerStates() + TLayerStates{StateOf(Button)});
        FMouseListener->MouseDown(Button, Shift, X, Y);
    }
    return layer;
}

TCustomLayer* TLayerCollection::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomLayer* layer =
        FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
    if (layer) {
        layer->MouseMove(Shift, X, Y);
    } else if (auto* control = dynamic_cast<TControl*>(FOwner)) {
        SetScreenCursor(control->GetCursor());
    }
    return layer;
}

TCustomLayer* TLayerCollection::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomLayer* layer =
        FMouseListener ? FMouseListener : FindLayerAtPos(X, Y, LOB_MOUSE_EVENTS);
    if (layer) {
        layer->SetLayerStates(layer->GetLayerStates() - TLayerStates{StateOf(Button)});
        layer->MouseUp(Button, Shift, X, Y);
    }
    if (FMouseListener && FMouseListener->GetLayerStates().Empty()) SetMouseListener(nullptr);
    return layer;
}

void TLayerCollection::SetMouseListener(TCustomLayer* Value) {
    if (Value == FMouseListener) return;
    if (FMouseListener) FMouseListener->SetLayerStates({});
    FMouseListener = Value;
}

void TLayerCollection::SetMouseEvents(bool Value) {
    FMouseEvents = Value;
    SetMouseListener(nullptr);
}

void TLayerCollection::InsertItem(TCustomLayer* Layer) {
    Bracketed([&] {
        const int index = FItems.Add(Layer);
        Notify(lnLayerAdded, Layer, index);
    });
}

void TLayerCollection::RemoveItem(TCustomLayer* Layer) {
    Bracketed([&] {
        const int index = FItems.IndexOf(Layer);
        if (index >= 0) {
            if (FMouseListener == Layer) SetMouseListener(nullptr);
            FItems.Delete(index);
            Notify(lnLayerDeleted, Layer, index);
        }
    });
}

// ---- TCustomLayer -------------------------------------------------------------------------

TCustomLayer::TCustomLayer(TLayerCollection* ALayerCollection) {
    SetLayerCollection(ALayerCollection);
}

TCustomLayer::~TCustomLayer() {
    BeginDestruction();
    SetLayerCollection(nullptr);
}

void TCustomLayer::BeginDestruction() {
    if (FDestroying) return;
    FDestroying = true;
    if (OnDestroy) OnDestroy(this);
    // A notified layer may stop its notification meanwhile, down to freeing the list.
    for (int i = FFreeNotifies ? FFreeNotifies->GetCount() - 1 : -1; i >= 0; --i) {
        if (!FFreeNotifies) break;
        if (i >= FFreeNotifies->GetCount()) continue;
        static_cast<TCustomLayer*>(FFreeNotifies->Get(i))->Notification(this);
    }
    delete FFreeNotifies;
    FFreeNotifies = nullptr;
}

void TCustomLayer::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCustomLayer*>(Source);
    if (!source) {
        TNotifiablePersistent::Assign(Source);
        return;
    }
    Changing();
    FLayerOptions = source->FLayerOptions & ~LOB_INVALID;
    FCursor = source->FCursor;
    FTag = source->FTag;
    Changed();
}

void TCustomLayer::SetLayerCollection(TLayerCollection* Value) {
    if (Value == FLayerCollection) return;
    if (FLayerCollection) FLayerCollection->RemoveItem(this);
    FLayerCollection = nullptr;
    if (Value) {
        FLayerCollection = Value;
        Value->InsertItem(this);
    }
}

int TCustomLayer::GetIndex() const {
    return FLayerCollection ? FLayerCollection->IndexOf(const_cast<TCustomLayer*>(this)) : -1;
}

void TCustomLayer::SetIndex(int Value) {
    if (!FLayerCollection) return;
    const int current = GetIndex();
    if (Value == current) return;
    const int count = FLayerCollection->GetCount();
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    if (Value == current) return;
    TLayerCollection* collection = FLayerCollection;
    const bool bracket = GetVisible();
    if (bracket) collection->BeginUpdate();
    collection->MoveItem(current, Value);
    if (bracket) collection->EndUpdate();
}

void TCustomLayer::BringToFront() {
    if (FLayerCollection) SetIndex(FLayerCollection->GetCount());
}

void TCustomLayer::SendToBack() {
    SetIndex(0);
}

void TCustomLayer::SetLayerOptions(Cardinal Value) {
    Changing();
    FLayerOptions = Value;
    Changed();
}

void TCustomLayer::SetVisible(bool Value) {
    SetLayerOptions(Value ? FLayerOptions | LOB_VISIBLE : FLayerOptions & ~LOB_VISIBLE);
}

void TCustomLayer::SetMouseEvents(bool Value) {
    SetLayerOptions(Value ? FLayerOptions | LOB_MOUSE_EVENTS : FLayerOptions & ~LOB_MOUSE_EVENTS);
}

void TCustomLayer::SetInvalid(bool Value) {
    FLayerOptions = Value ? FLayerOptions | LOB_INVALID : FLayerOptions & ~LOB_INVALID;
}

void TCustomLayer::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    if (FLayerCollection && FLayerCollection->GetMouseListener() == this) SetScreenCursor(Value);
}

void TCustomLayer::SetAsMouseListener() {
    if (FLayerCollection) FLayerCollection->SetMouseListener(this);
    SetScreenCursor(FCursor);
}

bool TCustomLayer::HitTest(int X, int Y) {
    bool passed = DoHitTest(X, Y);
    if (OnHitTest) OnHitTest(this, X, Y, passed);
    return passed;
}

void TCustomLayer::DoPaint(TBitmap32* Buffer) {
    Paint(Buffer);
    if (OnPaint) OnPaint(this, Buffer);
}

void TCustomLayer::Changing() {
    if (GetVisible() && FLayerCollection && (FLayerOptions & LOB_NO_UPDATE) == 0)
        FLayerCollection->Changing();
}

void TCustomLayer::Changed() {
    Changed(nullptr);
}

void TCustomLayer::Changed(const TRect& Area) {
    Changed(&Area);
}

void TCustomLayer::Changed(const TRect* Area) {
    if (Area)
        Update(*Area);
    else
        Update();
    if (!FLayerCollection || (FLayerOptions & LOB_NO_UPDATE) != 0) return;
    if (GetVisible())
        FLayerCollection->Changed();
    else if ((FLayerOptions & LOB_GDI_OVERLAY) != 0)
        FLayerCollection->GDIUpdate();
    TNotifiablePersistent::Changed();
}

void TCustomLayer::Update() {
    if (FLayerCollection && GetVisible()) FLayerCollection->DoUpdateLayer(this);
}

void TCustomLayer::Update(const TRect& Area) {
    if (FLayerCollection) FLayerCollection->DoUpdateArea(Area);
}

void TCustomLayer::AddNotification(TCustomLayer* ALayer) {
    if (!FFreeNotifies) FFreeNotifies = new TList;
    if (FFreeNotifies->IndexOf(ALayer) < 0) FFreeNotifies->Add(ALayer);
}

void TCustomLayer::RemoveNotification(TCustomLayer* ALayer) {
    if (!FFreeNotifies) return;
    FFreeNotifies->Remove(ALayer);
    if (FFreeNotifies->GetCount() == 0) {
        delete FFreeNotifies;
        FFreeNotifies = nullptr;
    }
}

void TCustomLayer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomLayer::MouseMove(TShiftState Shift, int X, int Y) {
    SetScreenCursor(FCursor);
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TCustomLayer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    SetScreenCursor(crDefault);
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// ---- TPositionedLayer ---------------------------------------------------------------------

TPositionedLayer::TPositionedLayer(TLayerCollection* ALayerCollection)
    : TCustomLayer(ALayerCollection) {
    InitLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
}

void TPositionedLayer::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TPositionedLayer*>(Source)) {
        DoSetLocation(source->FLocation);
        FScaled = source->FScaled;
    }
    TCustomLayer::Assign(Source);
}

void TPositionedLayer::SetLocation(const TFloatRect& Value) {
    Changing();
    DoSetLocation(Value);
    Changed();
}

void TPositionedLayer::SetScaled(bool Value) {
    if (Value == FScaled) return;
    Changing();
    FScaled = Value;
    Changed();
}

TFloatRect TPositionedLayer::GetAdjustedRect(const TFloatRect& R) {
    TLayerCollection* collection = GetLayerCollection();
    if (!FScaled || !collection) return R;
    const TFloatPoint topLeft = collection->LocalToViewport({R.Left, R.Top}, true);
    const TFloatPoint bottomRight = collection->LocalToViewport({R.Right, R.Bottom}, true);
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

bool TPositionedLayer::DoHitTest(int X, int Y) {
    const TFloatRect r = GetAdjustedLocation();
    const float x = float(X), y = float(Y);
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// ---- TBitmapLayer -------------------------------------------------------------------------

TBitmapLayer::TBitmapLayer(TLayerCollection* ALayerCollection)
    : TPositionedLayer(ALayerCollection), FBitmap(new TBitmap32) {
    FBitmap->OnChange = TNotifyEvent(this, &TBitmapLayer::BitmapChanged);
}

TBitmapLayer::~TBitmapLayer() {
    BeginDestruction();
    delete FBitmap;
}

void TBitmapLayer::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TBitmapLayer*>(Source)) {
        FBitmap->BeginUpdate();
        try {
            FBitmap->Assign(source->FBitmap);
        } catch (...) {
            FBitmap->EndUpdate();
            throw;
        }
        FBitmap->EndUpdate();
        FAlphaHitTest = source->FAlphaHitTest;
        FCropped = source->FCropped;
    }
    TPositionedLayer::Assign(Source);
}

void TBitmapLayer::BitmapChanged(TObject*) {
    Changed();
}

void TBitmapLayer::SetBitmap(TBitmap32* Value) {
    FBitmap->Assign(Value);
}

void TBitmapLayer::SetAlphaHitTest(bool Value) {
    if (Value == FAlphaHitTest) return;
    FAlphaHitTest = Value;
    Changed();
}

void TBitmapLayer::SetCropped(bool Value) {
    if (Value == FCropped) return;
    FCropped = Value;
    Changed();
}

bool TBitmapLayer::DoHitTest(int X, int Y) {
    if (!TPositionedLayer::DoHitTest(X, Y)) return false;
    if (!FAlphaHitTest) return true;
    const TFloatRect r = GetAdjustedLocation();
    const double w = std::nearbyint(double(r.Right) - r.Left);
    const double h = std::nearbyint(double(r.Bottom) - r.Top);
    if (w < 0.5 || h < 0.5) return false;
    const int bx = RoundToInt((X - double(r.Left)) * FBitmap->GetWidth() / w);
    const int by = RoundToInt((Y - double(r.Top)) * FBitmap->GetHeight() / h);
    return (FBitmap->GetPixelS(bx, by) & 0xFF000000) != 0;
}

void TBitmapLayer::Paint(TBitmap32* Buffer) {
    if (FBitmap->Empty()) return;
    const TRect dstRect = PixelRect(GetAdjustedLocation());
    TRect clipRect = Buffer->GetClipRect();
    TRect overlap;
    if (!IntersectRect(overlap, clipRect, dstRect)) return;
    if (FCropped && !CropToImage(dstRect, clipRect)) return;
    const TRect srcRect{0, 0, FBitmap->GetWidth(), FBitmap->GetHeight()};
    StretchTransfer(Buffer, dstRect, clipRect, FBitmap, srcRect, FBitmap->GetResampler(),
                    FBitmap->GetDrawMode(), FBitmap->OnPixelCombine);
}

bool TBitmapLayer::CropToImage(const TRect& DstRect, TRect& ClipRect) {
    TLayerCollection* collection = GetLayerCollection();
    auto* image = collection ? dynamic_cast<TCustomImage32*>(collection->GetOwner()) : nullptr;
    if (!image || image->GetPaintToMode()) return true;
    if (DstRect.Right - DstRect.Left <= 0 || DstRect.Bottom - DstRect.Top <= 0) return false;
    IntersectRect(ClipRect, ClipRect, image->GetBitmapRect());
    return true;
}

// ---- TRubberbandLayer ---------------------------------------------------------------------

TRubberbandLayer::TRubberbandLayer(TLayerCollection* ALayerCollection)
    : TPositionedLayer(ALayerCollection) {}

TRubberbandLayer::~TRubberbandLayer() {
    BeginDestruction();
    if (FChildLayer) FChildLayer->RemoveNotification(this);
    FChildLayer = nullptr;
}

void TRubberbandLayer::UpdateChildLayer() {
    Cardinal options = GetLayerOptions();
    options = FChildLayer ? options | LOB_NO_UPDATE : options & ~LOB_NO_UPDATE;
    InitLayerOptions(options);
}

void TRubberbandLayer::SetChildLayer(TPositionedLayer* Value) {
    if (FChildLayer) FChildLayer->RemoveNotification(this);
    FChildLayer = Value;
    if (Value) {
        SetLocation(Value->GetLocation());
        SetScaled(Value->GetScaled());
        Value->AddNotification(this);
    }
    UpdateChildLayer();
}

void TRubberbandLayer::Notification(TCustomLayer* ALayer) {
    if (ALayer != FChildLayer) return;
    FChildLayer = nullptr;
    UpdateChildLayer();
}

void TRubberbandLayer::DoSetLocation(const TFloatRect& NewLocation) {
    TPositionedLayer::DoSetLocation(NewLocation);
    if (FChildLayer) FChildLayer->SetLocation(NewLocation);
}

void TRubberbandLayer::SetGDIValue(bool Differs) {
    if (Differs && GetLayerCollection()) GetLayerCollection()->GDIUpdate();
}

void TRubberbandLayer::SetFrameStipple(const TArrayOfColor32& Value) {
    FFrameStipple = Value;
}

void TRubberbandLayer::SetFrameStippleStep(float Value) {
    const bool differs = Value != FFrameStippleStep;
    FFrameStippleStep = Value;
    SetGDIValue(differs);
}

void TRubberbandLayer::SetFrameStippleCounter(float Value) {
    const bool differs = Value != FFrameStippleCounter;
    FFrameStippleCounter = Value;
    SetGDIValue(differs);
}

void TRubberbandLayer::SetHandleFrame(TColor32 Value) {
    const bool differs = Value != FHandleFrame;
    FHandleFrame = Value;
    SetGDIValue(differs);
}

void TRubberbandLayer::SetHandleFill(TColor32 Value) {
    const bool differs = Value != FHandleFill;
    FHandleFill = Value;
    SetGDIValue(differs);
}

void TRubberbandLayer::SetHandles(TRBHandles Value) {
    const bool differs = !(Value == FHandles);
    FHandles = Value;
    SetGDIValue(differs);
}

void TRubberbandLayer::SetHandleSize(int Value) {
    if (Value < 1) Value = 1;
    const bool differs = Value != FHandleSize;
    FHandleSize = Value;
    SetGDIValue(differs);
}

TDragState TRubberbandLayer::GetDragState(int X, int Y) {
    const int d = FHandleSize + 1;
    TRect r = PixelRect(GetAdjustedLocation());
    --r.Right;
    --r.Bottom;
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    auto isNear = [d](int A, int B) { return std::abs(Int64(A) - B) <= d; };
    const bool corners = FHandles.Contains(rhCorners);
    const bool sides = FHandles.Contains(rhSides);
    const bool nearL = isNear(X, r.Left), nearR = isNear(X, r.Right);
    const bool nearT = isNear(Y, r.Top), nearB = isNear(Y, r.Bottom);
    if (nearR && nearB && corners && !FHandles.Contains(rhNotBRCorner)) return dsSizeBR;
    if (nearL && nearB && corners && !FHandles.Contains(rhNotBLCorner)) return dsSizeBL;
    if (nearR && nearT && corners && !FHandles.Contains(rhNotTRCorner)) return dsSizeTR;
    if (nearL && nearT && corners && !FHandles.Contains(rhNotTLCorner)) return dsSizeTL;
    if (nearR && isNear(Y, cy) && sides && !FHandles.Contains(rhNotRightSide)) return dsSizeR;
    if (isNear(X, cx) && nearB && sides && !FHandles.Contains(rhNotBottomSide)) return dsSizeB;
    if (nearL && isNear(Y, cy) && sides && !FHandles.Contains(rhNotLeftSide)) return dsSizeL;
    if (isNear(X, cx) && nearT && sides && !FHandles.Contains(rhNotTopSide)) return dsSizeT;
    if (FHandles.Contains(rhCenter) && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
        return dsMove;
    return dsNone;
}

bool TRubberbandLayer::DoHitTest(int X, int Y) {
    return GetDragState(X, Y) != dsNone;
}

void TRubberbandLayer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FIsDragging) {
        FDragState = GetDragState(X, Y);
        FIsDragging = FDragState != dsNone;
        if (FIsDragging) {
            FOldLocation = GetLocation();
            if (FDragState == dsMove) {
                const TFloatRect a = GetAdjustedLocation();
                FMouseShift = {X - a.Left, Y - a.Top};
            } else {
                FMouseShift = {0, 0};
            }
        }
    }
    TPositionedLayer::MouseDown(Button, Shift, X, Y);
}

namespace {

// Moves the low edge of an extent by Delta within the limits; a maximum below the minimum
// is none.
void MoveLowEdge(float& Low, float High, float Delta, float Min, float Max) {
    Low += Delta;
    if (High - Low < Min) Low = High - Min;
    if (Max >= Min && High - Low > Max) Low = High - Max;
}

void MoveHighEdge(float Low, float& High, float Delta, float Min, float Max) {
    High += Delta;
    if (High - Low < Min) High = Low + Min;
    if (Max >= Min && High - Low > Max) High = Low + Max;
}

TCursor CursorOf(TDragState State) {
    switch (State) {
    case dsSizeL:
    case dsSizeR: return crSizeWE;
    case dsSizeT:
    case dsSizeB: return crSizeNS;
    case dsSizeTL:
    case dsSizeBR: return crSizeNWSE;
    case dsSizeTR:
    case dsSizeBL: return crSizeNESW;
    default: return crDefault;
    }
}

} // namespace

void TRubberbandLayer::MouseMove(TShiftState Shift, int X, int Y) {
    if (!FIsDragging) {
        FDragState = GetDragState(X, Y);
        SetScreenCursor(FDragState == dsMove ? GetCursor() : CursorOf(FDragState));
        return;
    }
    float mx = X - FMouseShift.X;
    float my = Y - FMouseShift.Y;
    const TFloatRect& location = GetLocation();
    if (GetScaled() && GetLayerCollection()) {
        const TFloatRect a = GetAdjustedLocation();
        if (IsRectEmpty(a)) return;
        mx = (mx - a.Left) / (a.Right - a.Left) * (location.Right - location.Left) + location.Left;
        my = (my - a.Top) / (a.Bottom - a.Top) * (location.Bottom - location.Top) + location.Top;
    }
    TFloatRect r = FOldLocation;
    if (FDragState == dsMove) {
        const float w = r.Right - r.Left, h = r.Bottom - r.Top;
        r = {mx, my, mx + w, my + h};
    } else {
        const TDragState s = FDragState;
        if (s == dsSizeL || s == dsSizeTL || s == dsSizeBL)
            MoveLowEdge(r.Left, r.Right, mx - r.Left, FMinWidth, FMaxWidth);
        if (s == dsSizeR || s == dsSizeTR || s == dsSizeBR)
            MoveHighEdge(r.Left, r.Right, mx - r.Right, FMinWidth, FMaxWidth);
        if (s == dsSizeT || s == dsSizeTL || s == dsSizeTR)
            MoveLowEdge(r.Top, r.Bottom, my - r.Top, FMinHeight, FMaxHeight);
        if (s == dsSizeB || s == dsSizeBL || s == dsSizeBR)
            MoveHighEdge(r.Top, r.Bottom, my - r.Bottom, FMinHeight, FMaxHeight);
    }
    DoResizing(FOldLocation, r, FDragState, Shift);
    if (!(r == GetLocation())) {
        SetLocation(r);
        if (OnUserChange) OnUserChange(this);
    }
}

void TRubberbandLayer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FIsDragging = false;
    TPositionedLayer::MouseUp(Button, Shift, X, Y);
}

void TRubberbandLayer::DoResizing(TFloatRect& OldLocation, TFloatRect& NewLocation,
                                  TDragState DragState, TShiftState Shift) {
    if (OnResizing) OnResizing(this, OldLocation, NewLocation, DragState, Shift);
}

void TRubberbandLayer::Paint(TBitmap32* Buffer) {
    const TRect r = PixelRect(GetAdjustedLocation());
    if (FHandles.Contains(rhFrame)) {
        Buffer->SetStipple(FFrameStipple);
        Buffer->SetStippleStep(FFrameStippleStep);
        Buffer->SetStippleCounter(FFrameStippleCounter);
        Buffer->FrameRectTSP(r.Left, r.Top, r.Right, r.Bottom);
    }
    auto handle = [&](int X, int Y) {
        const int s = FHandleSize;
        Buffer->FillRectTS(X - s, Y - s, X + s, Y + s, FHandleFill);
        Buffer->FrameRectTS(X - s, Y - s, X + s, Y + s, FHandleFrame);
    };
    if (FHandles.Contains(rhCorners)) {
        if (!FHandles.Contains(rhNotTLCorner)) handle(r.Left, r.Top);
        if (!FHandles.Contains(rhNotTRCorner)) handle(r.Right, r.Top);
        if (!FHandles.Contains(rhNotBLCorner)) handle(r.Left, r.Bottom);
        if (!FHandles.Contains(rhNotBRCorner)) handle(r.Right, r.Bottom);
    }
    if (FHandles.Contains(rhSides)) {
        const int cx = (r.Left + r.Right) / 2;
        const int cy = (r.Top + r.Bottom) / 2;
        if (!FHandles.Contains(rhNotTopSide)) handle(cx, r.Top);
        if (!FHandles.Contains(rhNotLeftSide)) handle(r.Left, cy);
        if (!FHandles.Contains(rhNotRightSide)) handle(r.Right, cy);
        if (!FHandles.Contains(rhNotBottomSide)) handle(cx, r.Bottom);
    }
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32_Layers, uoBmp32Layers, nullptr, nullptr);
