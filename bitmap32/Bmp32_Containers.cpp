#include "bitmap32/Bmp32_Containers.h"

#include "classlib/StringList.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <cstdint>

namespace Bmp32 {

// ---- TRectList ----------------------------------------------------------------------------

TRectList::~TRectList() {
    FCount = 0;
    SetCapacity(0);
}

void TRectList::CheckIndex(int Index, int Limit) const {
    if (Index < 0 || Index > Limit)
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

void TRectList::Grow() {
    int delta;
    if (FCapacity > 128)
        delta = FCapacity / 4;
    else if (FCapacity > 8)
        delta = 32;
    else
        delta = 8;
    SetCapacity(FCapacity + delta);
}

int TRectList::Add(const TRect& Rect) {
    if (FCount == FCapacity) Grow();
    FList[FCount] = Rect;
    return FCount++;
}

void TRectList::Insert(int Index, const TRect& Rect) {
    CheckIndex(Index, FCount);
    if (FCount == FCapacity) Grow();
    std::copy_backward(&FList[Index], &FList[FCount], &FList[FCount + 1]);
    FList[Index] = Rect;
    ++FCount;
}

void TRectList::Delete(int Index) {
    CheckIndex(Index, FCount - 1);
    --FCount;
    std::copy(&FList[Index + 1], &FList[FCount + 1], &FList[Index]);
}

int TRectList::Remove(const TRect& Rect) {
    const int index = IndexOf(Rect);
    if (index >= 0) Delete(index);
    return index;
}

int TRectList::IndexOf(const TRect& Rect) const {
    for (int i = 0; i < FCount; ++i)
        if (EqualRect(FList[i], Rect)) return i;
    return -1;
}

void TRectList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1, FCount - 1);
    CheckIndex(Index2, FCount - 1);
    std::swap(FList[Index1], FList[Index2]);
}

void TRectList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex, FCount - 1);
    CheckIndex(NewIndex, FCount - 1);
    const TRect moved = FList[CurIndex];
    Delete(CurIndex);
    Insert(NewIndex, moved);
}

TRect* TRectList::Get(int Index) const {
    if (Index < 0 || Index >= FCount) return nullptr;
    return &FList[Index];
}

void TRectList::SetCount(int NewCount) {
    if (NewCount < 0) throw EListError("List count out of bounds (" + IntToStr(NewCount) + ")");
    if (NewCount > FCapacity) SetCapacity(NewCount);
    if (NewCount > FCount) std::fill(&FList[FCount], &FList[NewCount], TRect());
    FCount = NewCount;
}

void TRectList::SetCapacity(int NewCapacity) {
    if (NewCapacity < FCount)
        throw EListError("List capacity out of bounds (" + IntToStr(NewCapacity) + ")");
    if (NewCapacity == FCapacity) return;
    std::unique_ptr<TRect[]> list;
    if (NewCapacity > 0) {
        list = std::make_unique<TRect[]>(NewCapacity);
        std::copy(FList.get(), FList.get() + FCount, list.get());
    }
    FList = std::move(list);
    FCapacity = NewCapacity;
}

void TRectList::Clear() {
    FCount = 0;
    SetCapacity(10);
}

// ---- TPointerMap --------------------------------------------------------------------------

TPointerMap::~TPointerMap() {
    Clear();
}

int TPointerMap::BucketOf(void* Item) {
    return int((reinterpret_cast<std::uintptr_t>(Item) >> 8) & 255);
}

void** TPointerMap::Add(void* Item, void* Data, bool& IsNew) {
    int bucketIndex, itemIndex;
    if (Exists(Item, bucketIndex, itemIndex)) {
        IsNew = false;
        return &FBuckets[bucketIndex][itemIndex].Data;
    }
    std::vector<TEntry>& bucket = FBuckets[bucketIndex];
    if (bucket.size() == bucket.capacity()) {
        const std::size_t capacity = bucket.capacity();
        const std::size_t delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
        bucket.reserve(capacity + delta);
    }
    bucket.push_back({Item, Data});
    ++FCount;
    IsNew = true;
    return &bucket.back().Data;
}

void** TPointerMap::Add(void* Item, void* Data) {
    bool isNew;
    return Add(Item, Data, isNew);
}

void** TPointerMap::Add(void* Item) {
    return Add(Item, nullptr);
}

void** TPointerMap::Add(void* Item, bool& IsNew) {
    return Add(Item, nullptr, IsNew);
}

bool TPointerMap::Exists(void* Item, int& BucketIndex, int& ItemIndex) const {
    BucketIndex = BucketOf(Item);
    const std::vector<TEntry>& bucket = FBuckets[BucketIndex];
    for (std::size_t i = 0; i < bucket.size(); ++i)
        if (bucket[i].Item == Item) {
            ItemIndex = int(i);
            return true;
        }
    ItemIndex = -1;
    return false;
}

bool TPointerMap::Contains(void* Item) const {
    int bucketIndex, itemIndex;
    return Exists(Item, bucketIndex, itemIndex);
}

bool TPointerMap::Find(void* Item, void**& Data) {
    int bucketIndex, itemIndex;
    if (!Exists(Item, bucketIndex, itemIndex)) return false;
    Data = &FBuckets[bucketIndex][itemIndex].Data;
    return true;
}

void* TPointerMap::Remove(void* Item) {
    int bucketIndex, itemIndex;
    if (!Exists(Item, bucketIndex, itemIndex)) return nullptr;
    return Delete(bucketIndex, itemIndex);
}

void* TPointerMap::Delete(int BucketIndex, int ItemIndex) {
    if (FCount == 0) return nullptr;
    if (BucketIndex < 0 || BucketIndex >= BucketCount || ItemIndex < 0 ||
        ItemIndex >= int(FBuckets[BucketIndex].size()))
        throw EListError("Pointer map entry out of bounds (" + IntToStr(BucketIndex) + ", " +
                         IntToStr(ItemIndex) + ")");
    std::vector<TEntry>& bucket = FBuckets[BucketIndex];
    void* const data = bucket[ItemIndex].Data;
    if (bucket.size() == 1)
        std::vector<TEntry>().swap(bucket);
    else
        bucket.erase(bucket.begin() + ItemIndex);
    --FCount;
    return data;
}

void* TPointerMap::GetData(void* Item) const {
    int bucketIndex, itemIndex;
    if (!Exists(Item, bucketIndex, itemIndex)) throw EListError("Item not found in the map");
    return FBuckets[bucketIndex][itemIndex].Data;
}

void TPointerMap::SetData(void* Item, void* Data) {
    void** slot;
    if (!Find(Item, slot)) throw EListError("Item not found in the map");
    *slot = Data;
}

void TPointerMap::Clear() {
    for (int bucketIndex = 0; bucketIndex < BucketCount; ++bucketIndex) {
        for (int itemIndex = int(FBuckets[bucketIndex].size()) - 1; itemIndex >= 0; --itemIndex)
            Delete(bucketIndex, itemIndex);
        std::vector<TEntry>().swap(FBuckets[bucketIndex]);
    }
    FCount = 0;
}

// ---- TPointerMapIterator ------------------------------------------------------------------

bool TPointerMapIterator::Next() {
    if (FItemIndex > 0) {
        --FItemIndex;
    } else {
        do {
            if (++FBucketIndex >= TPointerMap::BucketCount) {
                FBucketIndex = TPointerMap::BucketCount;
                FItemIndex = -1;
                return false;
            }
        } while (FMap->Bucket(FBucketIndex).empty());
        FItemIndex = int(FMap->Bucket(FBucketIndex).size()) - 1;
    }
    const TPointerMap::TEntry& entry = FMap->Bucket(FBucketIndex)[FItemIndex];
    FItem = entry.Item;
    FData = entry.Data;
    return true;
}

// ---- TClassList ---------------------------------------------------------------------------

namespace {

void* Erased(TClassReference Class) {
    return const_cast<TClassInfo*>(Class);
}

} // namespace

int TClassList::Add(TClassReference Class) {
    return TList::Add(Erased(Class));
}

void TClassList::Insert(int Index, TClassReference Class) {
    TList::Insert(Index, Erased(Class));
}

TClassReference TClassList::Extract(TClassReference Class) {
    return static_cast<TClassReference>(TList::Extract(Erased(Class)));
}

int TClassList::Remove(TClassReference Class) {
    return TList::Remove(Erased(Class));
}

int TClassList::IndexOf(TClassReference Class) const {
    return TList::IndexOf(Erased(Class));
}

TClassReference TClassList::First() const {
    return static_cast<TClassReference>(TList::First());
}

TClassReference TClassList::Last() const {
    return static_cast<TClassReference>(TList::Last());
}

TClassReference TClassList::Get(int Index) const {
    return static_cast<TClassReference>(TList::Get(Index));
}

TClassReference TClassList::Find(const AnsiString& AClassName) const {
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i)->Name == AClassName) return Get(i);
    return nullptr;
}

void TClassList::GetClassNames(TStrings* Strings) const {
    for (int i = 0; i < GetCount(); ++i)
        Strings->Add(Get(i)->Name);
}

} // namespace Bmp32
