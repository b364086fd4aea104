// Unit Bmp32_RepaintOpt: the base of repaint optimisers, which turn the changes of a paint
// box's back buffer and of its layers into a list of rectangles to repaint.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Containers.h"
#include "bitmap32/Bmp32_Layers.h"
#include "classlib/List.h"
#include "classlib/UnitInit.h"

namespace Bmp32 {

class TCustomRepaintOptimizer : public TObject {
    DECLARE_CLASS(TCustomRepaintOptimizer, TObject)
public:
    // Buffer and InvalidRects belong to the paint box.
    TCustomRepaintOptimizer(TBitmap32* Buffer, TRectList* InvalidRects);
    // Unregisters every collection.
    ~TCustomRepaintOptimizer() override;

    virtual bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value) { FEnabled = Value; }

    // Adds the collection once and takes its list notifications.
    virtual void RegisterLayerCollection(TLayerCollection* Layers);
    virtual void UnregisterLayerCollection(TLayerCollection* Layers);

    // Around every screen copy and every buffer repaint.
    virtual void BeginPaint() {}
    virtual void EndPaint() {}
    virtual void BeginPaintBuffer() {}
    virtual void EndPaintBuffer() {}

    virtual void Reset() = 0;
    virtual bool UpdatesAvailable() = 0;
    // Appends the rectangles to repaint to InvalidRects.
    virtual void PerformOptimization() = 0;

    virtual void LayerCollectionNotifyHandler(TObject* Sender, TLayerListNotification Action,
                                              TCustomLayer* Layer, int Index) = 0;
    virtual void AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info) = 0;
    virtual void LayerUpdateHandler(TObject* Sender, TCustomLayer* Layer) = 0;
    virtual void BufferResizedHandler(int NewWidth, int NewHeight) = 0;

    TBitmap32* GetBuffer() const { return FBuffer; }
    TRectList* GetInvalidRects() const { return FInvalidRects; }

protected:
    int CollectionCount() const { return FLayerCollections.GetCount(); }
    TLayerCollection* Collection(int Index) const {
        return static_cast<TLayerCollection*>(FLayerCollections.Get(Index));
    }

private:
    bool FEnabled = false;
    TList FLayerCollections;
    TRectList* FInvalidRects;
    TBitmap32* FBuffer;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_RepaintOpt)
