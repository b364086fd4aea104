// Unit Bmp32_Image: controls that draw everything into an off-screen TBitmap32 (the back
// buffer) and copy only what changed to the screen, and the bitmap list component.
//
// TCustomPaintBox32 (TPaintBox32): the buffer, its invalid rectangles, a repaint optimiser
// and three repaint modes. TCustomImage32 (TImage32): shows one bitmap and a layer
// collection through an editable list of paint stages, scales and places the bitmap, maps
// points between control and bitmap, and passes the layer under the pointer to its mouse
// events. TBitmap32List: an indexed list of bitmaps stored with their pixels.
//
// Parts: Bmp32_Image.cpp (stages, registration), Bmp32_ImagePaintBox.cpp,
// Bmp32_ImageControl.cpp, Bmp32_ImageBitmapList.cpp.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Containers.h"
#include "bitmap32/Bmp32_Layers.h"
#include "bitmap32/Bmp32_MicroTiles.h"
#include "classlib/Collection.h"
#include "classlib/WinControls.h"

#include <memory>
#include <vector>

namespace Bmp32 {

enum TRepaintMode { rmFull, rmDirect, rmOptimizer };
enum TPaintBoxOption { pboWantArrowKeys, pboAutoFocus };
using TPaintBoxOptions = TSet<TPaintBoxOption, 8>;

class TCustomPaintBox32 : public TCustomControl {
    DECLARE_CLASS(TCustomPaintBox32, TCustomControl)
public:
    explicit TCustomPaintBox32(TComponent* AOwner);
    ~TCustomPaintBox32() override;

    TNotifyEvent OnGDIOverlay;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    TBitmap32* GetBuffer() const { return FBuffer.get(); }
    int GetBufferOversize() const { return FBufferOversize; }
    // Never below 0.
    void SetBufferOversize(int Value);
    TRepaintMode GetRepaintMode() const { return FRepaintMode; }
    virtual void SetRepaintMode(TRepaintMode Value);
    TPaintBoxOptions GetOptions() const { return FOptions; }
    void SetOptions(TPaintBoxOptions Value) { FOptions = Value; }
    TRectList* GetInvalidRects() const { return FInvalidRects.get(); }
    TMicroTilesRepaintOptimizer* GetRepaintOptimizer() const { return FRepaintOptimizer.get(); }
    bool GetMouseInControl() const { return FMouseInControl; }

    // Copy the buffer (or SrcRect of it) to the screen; nothing while the canvas or the
    // buffer has no device context.
    void Flush();
    void Flush(const TRect& SrcRect);
    void Invalidate() override;
    // Resets the optimiser and repaints everything at the next paint.
    virtual void ForceFullInvalidate();
    // (0, 0, Width, Height).
    virtual TRect GetViewportRect();
    // Grows the buffer with BufferOversize of slack; shrinks it only past that slack.
    void ResizeBuffer();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    virtual bool CustomRepaint();
    virtual bool InvalidRectsAvailable() { return true; }
    virtual void DoPrepareInvalidRects();
    virtual void DoPaintBuffer();
    virtual void DoPaintGDIOverlay();
    virtual void DoBufferResized(int OldWidth, int OldHeight);
    virtual void MouseEnter();
    virtual void MouseLeave();
    bool OptimizerEnabled() const { return FRepaintOptimizer->GetEnabled(); }
    // Copies one rectangle of the buffer to the same place of the canvas.
    void CopyToCanvas(const TRect& Rect);
    void SetBufferValid(bool Value) { FBufferValid = Value; }
    bool GetBufferValid() const { return FBufferValid; }
    bool GetForceFullRepaint() const { return FForceFullRepaint; }
    void SetForceFullRepaint(bool Value) { FForceFullRepaint = Value; }
    // Adds Area to the invalid rectangles and repaints, unless painting already.
    void DirectAreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info);
    bool InsideCustomPaint() const { return GetControlState().Contains(csCustomPaint); }

    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    void WMGetDlgCode(TMessage& Message);
    void CMInvalidate(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    // A new window has no paint posted to it.
    void CreateWnd() override;

    MESSAGE_HANDLERS(TCustomPaintBox32, TCustomControl)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(CM_INVALIDATE, CMInvalidate)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    std::unique_ptr<TBitmap32> FBuffer;
    int FBufferOversize = 40;
    bool FBufferValid = false;
    TRepaintMode FRepaintMode = rmFull;
    std::unique_ptr<TRectList> FInvalidRects;
    bool FForceFullRepaint = true;
    std::unique_ptr<TMicroTilesRepaintOptimizer> FRepaintOptimizer;
    TPaintBoxOptions FOptions;
    bool FMouseInControl = false;
    // A WM_PAINT is posted and not yet handled.
    bool FPaintPosted = false;
};

class TPaintBox32 : public TCustomPaintBox32 {
    DECLARE_CLASS(TPaintBox32, TCustomPaintBox32)
public:
    using TCustomPaintBox32::TCustomPaintBox32;

    TNotifyEvent OnPaintBuffer;
    static void Published(TPropertyList& P);

protected:
    void DoPaintBuffer() override;
};

// ---- Paint stages -------------------------------------------------------------------------

constexpr Cardinal PST_CUSTOM = 1;
constexpr Cardinal PST_CLEAR_BUFFER = 2;
constexpr Cardinal PST_CLEAR_BACKGND = 3;
constexpr Cardinal PST_DRAW_BITMAP = 4;
constexpr Cardinal PST_DRAW_LAYERS = 5;
constexpr Cardinal PST_CONTROL_FRAME = 6;
constexpr Cardinal PST_BITMAP_FRAME = 7;

struct TPaintStage {
    bool DesignVisible = false;
    bool RunTimeVisible = true;
    Cardinal Stage = 0;
    Cardinal Parameter = 0;
};

class TPaintStages : public TObject {
    DECLARE_CLASS(TPaintStages, TObject)
public:
    TPaintStage* Add();
    // Index clamped to 0..Count.
    TPaintStage* Insert(int Index);
    // EListError "Invalid stage index" for an index outside 0..Count - 1 (Items too).
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    int GetCount() const { return int(FItems.size()); }
    TPaintStage* GetItem(int Index);

private:
    // Each stage keeps its address while others come and go.
    std::vector<std::unique_ptr<TPaintStage>> FItems;
};

// ---- The image control --------------------------------------------------------------------

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize, smOptimal, smOptimalScaled };

using TImgMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                   int Y, TCustomLayer* Layer)>;
using TImgMouseMoveEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
using TPaintStageEvent = TEvent<void(TObject* Sender, TBitmap32* Buffer, int StageNum)>;

class TCustomImage32 : public TCustomPaintBox32 {
    DECLARE_CLASS(TCustomImage32, TCustomPaintBox32)
public:
    explicit TCustomImage32(TComponent* AOwner);
    ~TCustomImage32() override;

    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnChange;
    TNotifyEvent OnInitStages;
    TNotifyEvent OnScaleChange;
    // The layer under the pointer (or the mouse listener) comes with each.
    TImgMouseEvent OnMouseDown;
    TImgMouseEvent OnMouseUp;
    TImgMouseMoveEvent OnMouseMove;
    TPaintStageEvent OnPaintStage;

    TBitmap32* GetBitmap() const { return FBitmap.get(); }
    // Assigns Value to the shown bitmap.
    void SetBitmap(TBitmap32* Value);
    TLayerCollection* GetLayers() const { return FLayers.get(); }
    // Copies Value's layers; the collection stays.
    void SetLayers(TLayerCollection* Value);
    TPaintStages* GetPaintStages() const { return FPaintStages.get(); }
    TBitmapAlign GetBitmapAlign() const { return FBitmapAlign; }
    void SetBitmapAlign(TBitmapAlign Value);
    TScaleMode GetScaleMode() const { return FScaleMode; }
    virtual void SetScaleMode(TScaleMode Value);
    // Scale reads ScaleX and writes both; values below 0.001 count as 0.001.
    float GetScale() const { return FScaleX; }
    void SetScale(float Value);
    float GetScaleX() const { return FScaleX; }
    void SetScaleX(float Value);
    float GetScaleY() const { return FScaleY; }
    void SetScaleY(float Value);
    float GetOffsetHorz() const { return FOffsetHorz; }
    void SetOffsetHorz(float Value);
    float GetOffsetVert() const { return FOffsetVert; }
    void SetOffsetVert(float Value);
    const TPixelCombineEvent& GetOnPixelCombine() const { return FBitmap->OnPixelCombine; }
    void SetOnPixelCombine(const TPixelCombineEvent& Value);

    void SetRepaintMode(TRepaintMode Value) override;
    TPoint BitmapToControl(const TPoint& P);
    TPoint ControlToBitmap(const TPoint& P);
    virtual TRect GetBitmapRect();
    virtual TSize GetBitmapSize();
    // The bitmap at the viewport's size, cleared to ClearColor when DoClear.
    virtual void SetupBitmap(bool DoClear = false, TColor32 ClearColor = 0xFF000000);
    // Runs the run-time stages onto Dest with the bitmap mapped to DestRect.
    virtual void PaintTo(TBitmap32* Dest, const TRect& DestRect);
    bool GetPaintToMode() const { return FPaintToMode; }
    virtual void BeginUpdate();
    // EAssertionFailed "Unpaired EndUpdate call" when no update is open.
    virtual void EndUpdate();
    // Invalidates and fires OnChange outside an update.
    virtual void Changed();
    void InvalidateCache();
    void Invalidate() override;
    void Loaded() override;

    static void Published(TPropertyList& P);

protected:
    void Resize() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y,
                           TCustomLayer* Layer);
    virtual void MouseMove(TShiftState Shift, int X, int Y, TCustomLayer* Layer);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y,
                         TCustomLayer* Layer);
    void MouseLeave() override;

    bool InvalidRectsAvailable() override;
    void DoPaintBuffer() override;
    void DoPaintGDIOverlay() override;

    virtual void BitmapResized();
    virtual void BitmapChanged(const TRect& Area);
    virtual void DoInitStages();
    virtual void DoScaleChange();
    virtual void InitDefaultStages();

    // The stages, each with the destination and its stage index.
    virtual void ExecBitmapFrame(TBitmap32* Dest, int StageNum);
    virtual void ExecClearBuffer(TBitmap32* Dest, int StageNum);
    virtual void ExecClearBackgnd(TBitmap32* Dest, int StageNum);
    virtual void ExecControlFrame(TBitmap32* Dest, int StageNum);
    virtual void ExecCustom(TBitmap32* Dest, int StageNum);
    virtual void ExecDrawBitmap(TBitmap32* Dest, int StageNum);
    virtual void ExecDrawLayers(TBitmap32* Dest, int StageNum);

    void UpdateCache();

private:
    using TPaintStageHandler = void (TCustomImage32::*)(TBitmap32*, int);
    static TPaintStageHandler HandlerOf(Cardinal Stage);
    // The size the control takes with AutoSize.
    TSize AutoSizeOf();
    void ChangeScale(float X, float Y);
    // Sets the mapping for a bitmap shown in Rect.
    void SetMapping(const TRect& Rect);
    // Hands an area of the bitmap, in control coordinates, to Handler once per copy shown.
    template <typename F> void ForEachShownCopy(const TRect& Area, F Handler);
    void BitmapResizeHandler(TObject* Sender);
    void BitmapChangeHandler(TObject* Sender);
    void BitmapAreaChangeHandler(TObject* Sender, const TRect& Area, Cardinal Info);
    void BitmapDirectAreaChangeHandler(TObject* Sender, const TRect& Area, Cardinal Info);
    void LayerCollectionChangeHandler(TObject* Sender);
    void LayerCollectionGDIUpdateHandler(TObject* Sender);
    void LayerCollectionGetViewportScaleHandler(TObject* Sender, float& ScaleX, float& ScaleY);
    void LayerCollectionGetViewportShiftHandler(TObject* Sender, float& ShiftX, float& ShiftY);
    bool Designing() const;

    std::unique_ptr<TBitmap32> FBitmap;
    TBitmapAlign FBitmapAlign = baTopLeft;
    std::unique_ptr<TLayerCollection> FLayers;
    float FOffsetHorz = 0;
    float FOffsetVert = 0;
    std::unique_ptr<TPaintStages> FPaintStages;
    std::vector<TPaintStageHandler> FPaintStageHandlers;
    std::vector<int> FPaintStageNum;
    float FScaleX = 1;
    float FScaleY = 1;
    TScaleMode FScaleMode = smNormal;
    int FUpdateCount = 0;
    TRect FCachedBitmapRect;
    TFixed FCachedScaleX = FixedOne;
    TFixed FCachedScaleY = FixedOne;
    int FCachedShiftX = 0;
    int FCachedShiftY = 0;
    TFixed FCachedRecScaleX = FixedOne;
    TFixed FCachedRecScaleY = FixedOne;
    bool FCacheValid = false;
    bool FPaintToMode = false;
};

class TImage32 : public TCustomImage32 {
    DECLARE_CLASS(TImage32, TCustomImage32)
public:
    using TCustomImage32::TCustomImage32;
};

// ---- The bitmap list ----------------------------------------------------------------------

class TBitmap32Item : public TCollectionItem {
    DECLARE_CLASS(TBitmap32Item, TCollectionItem)
public:
    explicit TBitmap32Item(TCollection* Collection);
    ~TBitmap32Item() override;

    TBitmap32* GetBitmap() const { return FBitmap.get(); }
    // Assigns Value to the owned bitmap.
    void SetBitmap(TBitmap32* Value);
    void Assign(TPersistent* Source) override;
    static void Published(TPropertyList& P);

private:
    std::unique_ptr<TBitmap32> FBitmap;
};

class TBitmap32Collection : public TCollection {
    DECLARE_CLASS(TBitmap32Collection, TCollection)
public:
    explicit TBitmap32Collection(TPersistent* AOwner);

    TBitmap32Item* Add() { return static_cast<TBitmap32Item*>(TCollection::Add()); }
    TBitmap32Item* GetItem(int Index) const {
        return static_cast<TBitmap32Item*>(TCollection::GetItem(Index));
    }
};

class TBitmap32List : public TComponent {
    DECLARE_CLASS(TBitmap32List, TComponent)
public:
    explicit TBitmap32List(TComponent* AOwner);
    ~TBitmap32List() override;

    TBitmap32Collection* GetBitmaps() const { return FBitmaps.get(); }
    // EListError for a bad index.
    TBitmap32* GetBitmap(int Index) const { return FBitmaps->GetItem(Index)->GetBitmap(); }
    // Assigns Value to the bitmap at Index.
    void SetBitmap(int Index, TBitmap32* Value);

    static void Published(TPropertyList& P);

private:
    std::unique_ptr<TBitmap32Collection> FBitmaps;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Image)
