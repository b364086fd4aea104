#include "bitmap32/Bmp32_RepaintOpt.h"

namespace Bmp32 {

TCustomRepaintOptimizer::TCustomRepaintOptimizer(TBitmap32* Buffer, TRectList* InvalidRects)
    : FInvalidRects(InvalidRects), FBuffer(Buffer) {}

TCustomRepaintOptimizer::~TCustomRepaintOptimizer() {
    while (CollectionCount() > 0)
        UnregisterLayerCollection(Collection(CollectionCount() - 1));
}

void TCustomRepaintOptimizer::RegisterLayerCollection(TLayerCollection* Layers) {
    if (FLayerCollections.IndexOf(Layers) >= 0) return;
    FLayerCollections.Add(Layers);
    Layers->OnListNotify =
        TLayerListNotifyEvent(this, &TCustomRepaintOptimizer::LayerCollectionNotifyHandler);
}

void TCustomRepaintOptimizer::UnregisterLayerCollection(TLayerCollection* Layers) {
    Layers->OnListNotify = nullptr;
    FLayerCollections.Remove(Layers);
}

} // namespace Bmp32

DEFINE_UNIT(Bmp32_RepaintOpt, uoBmp32RepaintOpt, nullptr, nullptr);
