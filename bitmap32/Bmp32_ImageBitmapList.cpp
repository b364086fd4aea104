#include "bitmap32/Bmp32_Image.h"

#include "classlib/Persistence.h"

namespace Bmp32 {

TBitmap32Item::TBitmap32Item(TCollection* Collection)
    : TCollectionItem(Collection), FBitmap(std::make_unique<TBitmap32>()) {}

TBitmap32Item::~TBitmap32Item() = default;

void TBitmap32Item::SetBitmap(TBitmap32* Value) {
    FBitmap->Assign(Value);
}

void TBitmap32Item::Assign(TPersistent* Source) {
    if (auto* source = dynamic_cast<TBitmap32Item*>(Source))
        FBitmap->Assign(source->FBitmap.get());
    else
        TCollectionItem::Assign(Source);
}

void TBitmap32Item::Published(TPropertyList& P) {
    P.Add("Bitmap", &TBitmap32Item::GetBitmap);
}

TBitmap32Collection::TBitmap32Collection(TPersistent* AOwner)
    : TCollection(AOwner, TBitmap32Item::StaticClass(), &NewCollectionItem<TBitmap32Item>) {}

TBitmap32List::TBitmap32List(TComponent* AOwner)
    : TComponent(AOwner), FBitmaps(std::make_unique<TBitmap32Collection>(this)) {}

TBitmap32List::~TBitmap32List() = default;

void TBitmap32List::SetBitmap(int Index, TBitmap32* Value) {
    FBitmaps->GetItem(Index)->SetBitmap(Value);
}

void TBitmap32List::Published(TPropertyList& P) {
    P.Add("Bitmaps", &TBitmap32List::GetBitmaps);
}

} // namespace Bmp32
