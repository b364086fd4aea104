#include "bitmap32/Bmp32_Image.h"

#include "bitmap32/Bmp32_Math.h"
#include "classlib/Forms.h"

#include <algorithm>
#include <climits>

namespace Bmp32 {

namespace {

int Saturate(Int64 Value) {
    return int(std::clamp<Int64>(Value, INT_MIN, INT_MAX));
}

} // namespace

TCustomImage32::TCustomImage32(TComponent* AOwner)
    : TCustomPaintBox32(AOwner), FBitmap(std::make_unique<TBitmap32>()),
      FLayers(std::make_unique<TLayerCollection>(this)),
      FPaintStages(std::make_unique<TPaintStages>()) {
    // The image captures the mouse itself (on a left press, or for a layer that listens),
    // so that a listener keeps it until it lets go.
    SetControlStyle({csAcceptsControls, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    FBitmap->OnResize = TNotifyEvent(this, &TCustomImage32::BitmapResizeHandler);
    FLayers->OnChange = TNotifyEvent(this, &TCustomImage32::LayerCollectionChangeHandler);
    FLayers->OnGDIUpdate = TNotifyEvent(this, &TCustomImage32::LayerCollectionGDIUpdateHandler);
    FLayers->OnGetViewportScale =
        TGetScaleEvent(this, &TCustomImage32::LayerCollectionGetViewportScaleHandler);
    FLayers->OnGetViewportShift =
        TGetShiftEvent(this, &TCustomImage32::LayerCollectionGetViewportShiftHandler);
    GetRepaintOptimizer()->RegisterLayerCollection(FLayers.get());
    SetRepaintMode(rmFull);
    InitDefaultStages();
}

TCustomImage32::~TCustomImage32() {
    BeginUpdate();
    FPaintStages.reset();
    GetRepaintOptimizer()->UnregisterLayerCollection(FLayers.get());
    FLayers.reset();
    FBitmap.reset();
}

bool TCustomImage32::Designing() const {
    return GetComponentState().Contains(csDesigning);
}

// ---- Stages -------------------------------------------------------------------------------

void TCustomImage32::InitDefaultStages() {
    const struct {
        Cardinal Stage;
        bool RunTimeVisible;
        Cardinal Parameter;
    } defaults[] = {{PST_CLEAR_BACKGND, true, 0},
                    {PST_CONTROL_FRAME, false, 0},
                    {PST_DRAW_BITMAP, true, 0},
                    {PST_BITMAP_FRAME, false, 0},
                    {PST_DRAW_LAYERS, true, LOB_VISIBLE}};
    for (const auto& d : defaults) {
        TPaintStage* stage = FPaintStages->Add();
        stage->DesignVisible = true;
        stage->RunTimeVisible = d.RunTimeVisible;
        stage->Stage = d.Stage;
        stage->Parameter = d.Parameter;
    }
}

TCustomImage32::TPaintStageHandler TCustomImage32::HandlerOf(Cardinal Stage) {
    switch (Stage) {
    case PST_CUSTOM: return &TCustomImage32::ExecCustom;
    case PST_CLEAR_BUFFER: return &TCustomImage32::ExecClearBuffer;
    case PST_CLEAR_BACKGND: return &TCustomImage32::ExecClearBackgnd;
    case PST_DRAW_BITMAP: return &TCustomImage32::ExecDrawBitmap;
    case PST_DRAW_LAYERS: return &TCustomImage32::ExecDrawLayers;
    case PST_CONTROL_FRAME: return &TCustomImage32::ExecControlFrame;
    case PST_BITMAP_FRAME: return &TCustomImage32::ExecBitmapFrame;
    default: return nullptr;
    }
}

void TCustomImage32::DoPaintBuffer() {
    TMicroTilesRepaintOptimizer* optimizer = GetRepaintOptimizer();
    if (OptimizerEnabled()) optimizer->BeginPaintBuffer();
    UpdateCache();

    FPaintStageHandlers.clear();
    FPaintStageNum.clear();
    const bool designing = Designing();
    for (int i = 0; i < FPaintStages->GetCount(); ++i) {
        const TPaintStage* stage = FPaintStages->GetItem(i);
        if (!(designing ? stage->DesignVisible : stage->RunTimeVisible)) continue;
        if (TPaintStageHandler handler = HandlerOf(stage->Stage)) {
            FPaintStageHandlers.push_back(handler);
            FPaintStageNum.push_back(i);
        }
    }

    TBitmap32* buffer = GetBuffer();
    auto runStages = [&] {
        for (std::size_t i = 0; i < FPaintStageHandlers.size(); ++i)
            (this->*FPaintStageHandlers[i])(buffer, FPaintStageNum[i]);
    };
    TRectList* rects = GetInvalidRects();
    if (rects->GetCount() == 0) {
        buffer->SetClipRect(GetViewportRect());
        runStages();
    } else {
        const int count = rects->GetCount();
        for (int i = 0; i < count; ++i) {
            buffer->SetClipRect(*rects->Get(i));
            runStages();
        }
        buffer->SetClipRect(GetViewportRect());
    }
    if (OptimizerEnabled()) optimizer->EndPaintBuffer();
    SetBufferValid(true);
}

void TCustomImage32::ExecClearBackgnd(TBitmap32* Dest, int) {
    const TColor32 color = Color32(GetColor());
    if (FBitmap->Empty() || FBitmap->GetDrawMode() != dmOpaque) {
        Dest->Clear(color);
        return;
    }
    const TRect r = FCachedBitmapRect;
    const int width = GetWidth(), height = GetHeight();
    if (r.Left > 0 || r.Right < width || r.Top > 0 ||
        (r.Bottom < height && FBitmapAlign != baTile)) {
        Dest->FillRectS(0, 0, width, r.Top, color);
        Dest->FillRectS(0, r.Bottom, width, height, color);
        Dest->FillRectS(0, r.Top, r.Left, r.Bottom, color);
        Dest->FillRectS(r.Right, r.Top, width, r.Bottom, color);
    }
}

void TCustomImage32::ExecClearBuffer(TBitmap32* Dest, int) {
    Dest->Clear(Color32(GetColor()));
}

void TCustomImage32::ExecDrawBitmap(TBitmap32* Dest, int) {
    const TRect r = FCachedBitmapRect;
    if (FBitmap->Empty() || IsRectEmpty(r)) return;
    FBitmap->Lock();
    try {
        if (FBitmapAlign != baTile) {
            FBitmap->DrawTo(Dest, r);
        } else {
            const int tilesX = Dest->GetWidth() / r.Right, tilesY = Dest->GetHeight() / r.Bottom;
            for (int j = 0; j <= tilesY; ++j)
                for (int i = 0; i <= tilesX; ++i) {
                    TRect tile = r;
                    OffsetRect(tile, r.Right * i, r.Bottom * j);
                    FBitmap->DrawTo(Dest, tile);
                }
        }
    } catch (...) {
        FBitmap->Unlock();
        throw;
    }
    FBitmap->Unlock();
}

void TCustomImage32::ExecDrawLayers(TBitmap32* Dest, int StageNum) {
    const Cardinal mask = FPaintStages->GetItem(StageNum)->Parameter;
    for (int i = 0; i < FLayers->GetCount(); ++i) {
        TCustomLayer* layer = FLayers->GetItem(i);
        if ((layer->GetLayerOptions() & mask) != 0) layer->DoPaint(Dest);
    }
}

void TCustomImage32::ExecControlFrame(TBitmap32* Dest, int) {
    const RECT r{0, 0, GetWidth(), GetHeight()};
    DrawFocusRect(static_cast<HDC>(Dest->GetHandle()), &r);
}

void TCustomImage32::ExecBitmapFrame(TBitmap32* Dest, int) {
    const TRect& b = FCachedBitmapRect;
    const RECT r{b.Left, b.Top, b.Right, b.Bottom};
    DrawFocusRect(static_cast<HDC>(Dest->GetHandle()), &r);
}

void TCustomImage32::ExecCustom(TBitmap32* Dest, int StageNum) {
    if (OnPaintStage) OnPaintStage(this, Dest, StageNum);
}

void TCustomImage32::PaintTo(TBitmap32* Dest, const TRect& DestRect) {
    const TRepaintMode mode = GetRepaintMode();
    SetRepaintMode(rmFull);
    SetMapping(DestRect);
    FCacheValid = true;
    FPaintToMode = true;
    try {
        for (int i = 0; i < FPaintStages->GetCount(); ++i) {
            const TPaintStage* stage = FPaintStages->GetItem(i);
            if (!stage->RunTimeVisible) continue;
            if (TPaintStageHandler handler = HandlerOf(stage->Stage)) (this->*handler)(Dest, i);
        }
    } catch (...) {
        FPaintToMode = false;
        FCacheValid = false;
        SetRepaintMode(mode);
        throw;
    }
    FPaintToMode = false;
    FCacheValid = false;
    SetRepaintMode(mode);
}

void TCustomImage32::DoPaintGDIOverlay() {
    for (int i = 0; i < FLayers->GetCount(); ++i) {
        TCustomLayer* layer = FLayers->GetItem(i);
        if ((layer->GetLayerOptions() & LOB_GDI_OVERLAY) != 0) layer->PaintGDI(GetCanvas());
    }
    TCustomPaintBox32::DoPaintGDIOverlay();
}

bool TCustomImage32::InvalidRectsAvailable() {
    DoPrepareInvalidRects();
    return GetInvalidRects()->GetCount() > 0;
}

// ---- Mapping ------------------------------------------------------------------------------

TSize TCustomImage32::GetBitmapSize() {
    if (FBitmap->Empty() || GetWidth() == 0 || GetHeight() == 0) return {0, 0};
    const TRect viewport = GetViewportRect();
    const int vw = viewport.Right - viewport.Left, vh = viewport.Bottom - viewport.Top;
    const int bw = FBitmap->GetWidth(), bh = FBitmap->GetHeight();
    TScaleMode mode = FScaleMode;
    if (mode == smOptimal)
        mode = bw <= vw && bh <= vh ? smNormal : smResize;
    else if (mode == smOptimalScaled)
        mode = RoundToInt(double(bw) * FScaleX) <= vw && RoundToInt(double(bh) * FScaleY) <= vh
                   ? smScale
                   : smResize;
    switch (mode) {
    case smStretch: return {vw, vh};
    case smResize: {
        const double sx = double(vw) / bw, sy = double(vh) / bh;
        if (sx < sy) return {vw, RoundToInt(bh * sx)};
        return {RoundToInt(bw * sy), vh};
    }
    case smScale: return {RoundToInt(double(bw) * FScaleX), RoundToInt(double(bh) * FScaleY)};
    default: return {bw, bh};
    }
}

TRect TCustomImage32::GetBitmapRect() {
    if (FBitmap->Empty()) return {0, 0, 0, 0};
    const TSize size = GetBitmapSize();
    TRect r{0, 0, size.cx, size.cy};
    if (FBitmapAlign == baCenter)
        OffsetRect(r, (GetWidth() - size.cx) / 2, (GetHeight() - size.cy) / 2);
    else if (FBitmapAlign == baCustom)
        OffsetRect(r, RoundToInt(FOffsetHorz), RoundToInt(FOffsetVert));
    return r;
}

void TCustomImage32::SetMapping(const TRect& Rect) {
    FCachedBitmapRect = Rect;
    if (FBitmap->Empty() || IsRectEmpty(Rect)) {
        FCachedShiftX = FCachedShiftY = 0;
        FCachedScaleX = FCachedScaleY = FCachedRecScaleX = FCachedRecScaleY = FixedOne;
        return;
    }
    const int width = Rect.Right - Rect.Left, height = Rect.Bottom - Rect.Top;
    FCachedShiftX = Rect.Left;
    FCachedShiftY = Rect.Top;
    FCachedScaleX = MulDiv(width, FixedOne, FBitmap->GetWidth());
    FCachedScaleY = MulDiv(height, FixedOne, FBitmap->GetHeight());
    FCachedRecScaleX = MulDiv(FBitmap->GetWidth(), FixedOne, width);
    FCachedRecScaleY = MulDiv(FBitmap->GetHeight(), FixedOne, height);
}

void TCustomImage32::UpdateCache() {
    if (FCacheValid) return;
    SetMapping(GetBitmapRect());
    FCacheValid = true;
}

void TCustomImage32::InvalidateCache() {
    if (OptimizerEnabled()) GetRepaintOptimizer()->Reset();
    FCacheValid = false;
}

TPoint TCustomImage32::BitmapToControl(const TPoint& P) {
    UpdateCache();
    return {Saturate(Int64(P.X) * FCachedScaleX / FixedOne + FCachedShiftX),
            Saturate(Int64(P.Y) * FCachedScaleY / FixedOne + FCachedShiftY)};
}

TPoint TCustomImage32::ControlToBitmap(const TPoint& P) {
    UpdateCache();
    return {Saturate((Int64(P.X) - FCachedShiftX) * FCachedRecScaleX / FixedOne),
            Saturate((Int64(P.Y) - FCachedShiftY) * FCachedRecScaleY / FixedOne)};
}

void TCustomImage32::LayerCollectionGetViewportScaleHandler(TObject*, float& ScaleX,
                                                           float& ScaleY) {
    UpdateCache();
    ScaleX = float(FCachedScaleX / 65536.0);
    ScaleY = float(FCachedScaleY / 65536.0);
}

void TCustomImage32::LayerCollectionGetViewportShiftHandler(TObject*, float& ShiftX,
                                                           float& ShiftY) {
    UpdateCache();
    ShiftX = float(FCachedShiftX);
    ShiftY = float(FCachedShiftY);
}

// ---- Properties ---------------------------------------------------------------------------

void TCustomImage32::SetBitmap(TBitmap32* Value) {
    FBitmap->Assign(Value);
}

void TCustomImage32::SetLayers(TLayerCollection* Value) {
    FLayers->Assign(Value);
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign Value) {
    InvalidateCache();
    FBitmapAlign = Value;
    Changed();
}

void TCustomImage32::SetScaleMode(TScaleMode Value) {
    if (Value == FScaleMode) return;
    InvalidateCache();
    FScaleMode = Value;
    Changed();
}

void TCustomImage32::ChangeScale(float X, float Y) {
    InvalidateCache();
    FScaleX = X;
    FScaleY = Y;
    DoScaleChange();
    Changed();
}

void TCustomImage32::SetScale(float Value) {
    Value = std::max(Value, 0.001f);
    if (Value != FScaleX) ChangeScale(Value, Value);
}

void TCustomImage32::SetScaleX(float Value) {
    Value = std::max(Value, 0.001f);
    if (Value != FScaleX) ChangeScale(Value, FScaleY);
}

void TCustomImage32::SetScaleY(float Value) {
    Value = std::max(Value, 0.001f);
    if (Value != FScaleY) ChangeScale(FScaleX, Value);
}

void TCustomImage32::SetOffsetHorz(float Value) {
    if (Value == FOffsetHorz) return;
    InvalidateCache();
    FOffsetHorz = Value;
    Changed();
}

void TCustomImage32::SetOffsetVert(float Value) {
    if (Value == FOffsetVert) return;
    InvalidateCache();
    FOffsetVert = Value;
    Changed();
}

void TCustomImage32::SetOnPixelCombine(const TPixelCombineEvent& Value) {
    FBitmap->OnPixelCombine = Value;
    Changed();
}

void TCustomImage32::DoScaleChange() {
    if (OptimizerEnabled()) GetRepaintOptimizer()->Reset();
    if (OnScaleChange) OnScaleChange(this);
}

void TCustomImage32::SetRepaintMode(TRepaintMode Value) {
    TCustomPaintBox32::SetRepaintMode(Value);
    switch (Value) {
    case rmOptimizer:
        FBitmap->OnAreaChanged = TAreaChangedEvent(this, &TCustomImage32::BitmapAreaChangeHandler);
        FBitmap->OnChange = nullptr;
        break;
    case rmDirect:
        FBitmap->OnAreaChanged =
            TAreaChangedEvent(this, &TCustomImage32::BitmapDirectAreaChangeHandler);
        FBitmap->OnChange = nullptr;
        break;
    default:
        FBitmap->OnAreaChanged = nullptr;
        FBitmap->OnChange = TNotifyEvent(this, &TCustomImage32::BitmapChangeHandler);
        break;
    }
}

void TCustomImage32::SetupBitmap(bool DoClear, TColor32 ClearColor) {
    FBitmap->BeginUpdate();
    try {
        const TRect viewport = GetViewportRect();
        FBitmap->SetSize(viewport.Right - viewport.Left, viewport.Bottom - viewport.Top);
        if (DoClear) FBitmap->Clear(ClearColor);
    } catch (...) {
        FBitmap->EndUpdate();
        throw;
    }
    FBitmap->EndUpdate();
    InvalidateCache();
    Changed();
}

// ---- Changes ------------------------------------------------------------------------------

void TCustomImage32::BeginUpdate() {
    ++FUpdateCount;
}

void TCustomImage32::EndUpdate() {
    if (FUpdateCount < 1) throw EAssertionFailed("Unpaired EndUpdate call");
    --FUpdateCount;
}

void TCustomImage32::Changed() {
    if (FUpdateCount != 0) return;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TCustomImage32::Invalidate() {
    FCacheValid = false;
    TCustomPaintBox32::Invalidate();
}

void TCustomImage32::Loaded() {
    TCustomPaintBox32::Loaded();
    DoInitStages();
}

void TCustomImage32::DoInitStages() {
    if (OnInitStages) OnInitStages(this);
}

void TCustomImage32::Resize() {
    InvalidateCache();
    TCustomPaintBox32::Resize();
}

TSize TCustomImage32::AutoSizeOf() {
    int w = FBitmap->GetWidth(), h = FBitmap->GetHeight();
    if (FScaleMode == smScale) {
        w = RoundToInt(double(w) * FScaleX);
        h = RoundToInt(double(h) * FScaleY);
    }
    return {w, h};
}

bool TCustomImage32::CanAutoSize(int& NewWidth, int& NewHeight) {
    InvalidateCache();
    const TSize size = AutoSizeOf();
    if (Designing() && (size.cx < 1 || size.cy < 1)) return true;
    const TAlign align = GetAlign();
    if (align == alNone || align == alLeft || align == alRight) NewWidth = size.cx;
    if (align == alNone || align == alTop || align == alBottom) NewHeight = size.cy;
    return true;
}

void TCustomImage32::BitmapResized() {
    if (GetAutoSize()) {
        const TSize size = AutoSizeOf();
        if (size.cx >= 1 && size.cy >= 1) SetBounds(GetLeft(), GetTop(), size.cx, size.cy);
    }
    if (FUpdateCount == 0 && OnBitmapResize) OnBitmapResize(this);
    InvalidateCache();
    ForceFullInvalidate();
}

void TCustomImage32::BitmapChanged(const TRect&) {
    Changed();
}

void TCustomImage32::BitmapResizeHandler(TObject*) {
    BitmapResized();
}

void TCustomImage32::BitmapChangeHandler(TObject*) {
    GetRepaintOptimizer()->Reset();
    BitmapChanged(FBitmap->BoundsRect());
}

template <typename F> void TCustomImage32::ForEachShownCopy(const TRect& Area, F Handler) {
    TRect r = Area;
    const int grow = int(FBitmap->GetResampler() ? FBitmap->GetResampler()->GetWidth() : 0) + 1;
    InflateArea(r, grow, grow);
    const TPoint topLeft = BitmapToControl({r.Left, r.Top});
    const TPoint bottomRight = BitmapToControl({r.Right, r.Bottom});
    r = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    if (FBitmapAlign != baTile) {
        Handler(r);
        return;
    }
    const TRect& shown = FCachedBitmapRect;
    // A bitmap shown nowhere has no copies.
    if (shown.Right <= 0 || shown.Bottom <= 0) return;
    const int tilesX = GetBuffer()->GetWidth() / shown.Right;
    const int tilesY = GetBuffer()->GetHeight() / shown.Bottom;
    for (int j = 0; j <= tilesY; ++j)
        for (int i = 0; i <= tilesX; ++i) {
            TRect copy = r;
            OffsetRect(copy, shown.Right * i, shown.Bottom * j);
            Handler(copy);
        }
}

void TCustomImage32::BitmapAreaChangeHandler(TObject* Sender, const TRect& Area, Cardinal) {
    if (Sender == FBitmap.get())
        ForEachShownCopy(Area, [this](const TRect& R) {
            GetRepaintOptimizer()->AreaUpdateHandler(this, R, AREAINFO_RECT);
        });
    BitmapChanged(Area);
}

void TCustomImage32::BitmapDirectAreaChangeHandler(TObject* Sender, const TRect& Area, Cardinal) {
    if (Sender == FBitmap.get())
        ForEachShownCopy(Area, [this](const TRect& R) { GetInvalidRects()->Add(R); });
    if (FUpdateCount != 0) return;
    if (!InsideCustomPaint()) Repaint();
    if (OnChange) OnChange(this);
}

void TCustomImage32::LayerCollectionChangeHandler(TObject*) {
    Changed();
}

void TCustomImage32::LayerCollectionGDIUpdateHandler(TObject*) {
    if (HandleAllocated()) Paint();
}

// ---- Mouse --------------------------------------------------------------------------------

void TCustomImage32::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPaintBox32::MouseDown(Button, Shift, X, Y);
    if (GetTabStop() && CanFocus()) SetFocus();
    TCustomLayer* layer = FLayers->GetMouseEvents() ? FLayers->MouseDown(Button, Shift, X, Y) : nullptr;
    if (Button == mbLeft || FLayers->GetMouseListener()) SetMouseCapture(true);
    MouseDown(Button, Shift, X, Y, layer);
}

void TCustomImage32::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPaintBox32::MouseMove(Shift, X, Y);
    TCustomLayer* layer = FLayers->GetMouseEvents() ? FLayers->MouseMove(Shift, X, Y) : nullptr;
    MouseMove(Shift, X, Y, layer);
}

void TCustomImage32::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomLayer* layer = FLayers->GetMouseEvents() ? FLayers->MouseUp(Button, Shift, X, Y) : nullptr;
    if (Button == mbLeft && !FLayers->GetMouseListener()) SetMouseCapture(false);
    MouseUp(Button, Shift, X, Y, layer);
}

void TCustomImage32::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y,
                               TCustomLayer* Layer) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseMove(TShiftState Shift, int X, int Y, TCustomLayer* Layer) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y, Layer);
}

void TCustomImage32::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y,
                             TCustomLayer* Layer) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseLeave() {
    if (FLayers && FLayers->GetMouseEvents() && !FLayers->GetMouseListener() && Screen)
        Screen->SetCursor(crDefault);
    TCustomPaintBox32::MouseLeave();
}

} // namespace Bmp32
