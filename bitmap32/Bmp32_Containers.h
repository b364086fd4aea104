// Small containers of the bitmap library: a growable list of rectangles, a hash map from
// pointers to pointers with its iterator, and a list of classes searchable by name.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "classlib/List.h"

#include <array>
#include <memory>
#include <vector>

class TStrings;

namespace Bmp32 {

// Rectangles stored inline in one array that grows by 8 while small, by 32 above 8 entries
// and by a quarter above 128. Bad indexes raise EListError, except for Get, which answers
// null.
class TRectList : public TObject {
    DECLARE_CLASS(TRectList, TObject)
public:
    TRectList() = default;
    ~TRectList() override;

    // Returns the new index.
    int Add(const TRect& Rect);
    // Index 0..Count.
    void Insert(int Index, const TRect& Rect);
    void Delete(int Index);
    // Deletes the first equal rectangle and returns its index; -1 when there is none.
    int Remove(const TRect& Rect);
    int IndexOf(const TRect& Rect) const;
    void Exchange(int Index1, int Index2);
    // Takes the entry out of CurIndex and inserts it at NewIndex.
    void Move(int CurIndex, int NewIndex);
    // The stored rectangle, or null for an index outside 0..Count - 1.
    TRect* Get(int Index) const;
    TRect* operator[](int Index) const { return Get(Index); }

    int GetCount() const { return FCount; }
    // Growing zero-fills the new entries; shrinking drops entries from the end.
    void SetCount(int NewCount);
    int GetCapacity() const { return FCapacity; }
    // Reallocates to exactly NewCapacity entries; raises EListError below Count.
    void SetCapacity(int NewCapacity);

    // Count 0 and Capacity 10.
    virtual void Clear();
    // Entries are stored inline, so there are no null ones to remove.
    void Pack() {}

protected:
    virtual void Grow();

private:
    void CheckIndex(int Index, int Limit) const;

    std::unique_ptr<TRect[]> FList;
    int FCount = 0;
    int FCapacity = 0;
};

// A map from pointer keys to pointer data in 256 buckets chosen by bits 8 to 15 of the key.
// Descendants that own the data free it in Delete, and call Clear in their own destructors
// (the base destructor no longer reaches their Delete).
class TPointerMap : public TObject {
    DECLARE_CLASS(TPointerMap, TObject)
public:
    struct TEntry {
        void* Item;
        void* Data;
    };
    static constexpr int BucketCount = 256;

    TPointerMap() = default;
    ~TPointerMap() override;

    // A pointer to the key's data slot; a new key is appended with Data, an existing key
    // keeps its data. IsNew says which.
    void** Add(void* Item, void* Data, bool& IsNew);
    void** Add(void* Item, void* Data);
    void** Add(void* Item);
    void** Add(void* Item, bool& IsNew);
    bool Exists(void* Item, int& BucketIndex, int& ItemIndex) const;
    bool Contains(void* Item) const;
    // Data points to the key's data slot when found.
    bool Find(void* Item, void**& Data);
    // Deletes the key's entry and returns its data; null when absent.
    void* Remove(void* Item);
    // Removes the entry and returns its data; null on an empty map. Raises EListError for an
    // entry that does not exist.
    virtual void* Delete(int BucketIndex, int ItemIndex);
    // Raises EListError for an absent key.
    void* GetData(void* Item) const;
    void SetData(void* Item, void* Data);
    // Deletes every entry, bucket by bucket and each bucket from its last entry.
    void Clear();
    int GetCount() const { return FCount; }

    static int BucketOf(void* Item);
    const std::vector<TEntry>& Bucket(int Index) const { return FBuckets[Index]; }

private:
    std::array<std::vector<TEntry>, BucketCount> FBuckets;
    int FCount = 0;
};

// Visits every entry of a map: buckets 0 to 255, each from its last entry to its first.
class TPointerMapIterator : public TObject {
    DECLARE_CLASS(TPointerMapIterator, TObject)
public:
    explicit TPointerMapIterator(TPointerMap* Map) : FMap(Map) {}

    // Moves to the next entry; false when none is left.
    bool Next();
    void* GetItem() const { return FItem; }
    void* GetData() const { return FData; }

private:
    TPointerMap* FMap;
    void* FItem = nullptr;
    void* FData = nullptr;
    int FBucketIndex = -1;
    int FItemIndex = -1;
};

using TClassReference = const TClassInfo*;

// A list of classes; the class library's list operations, typed for classes.
class TClassList : public TList {
    DECLARE_CLASS(TClassList, TList)
public:
    int Add(TClassReference Class);
    void Insert(int Index, TClassReference Class);
    TClassReference Extract(TClassReference Class);
    int Remove(TClassReference Class);
    int IndexOf(TClassReference Class) const;
    TClassReference First() const;
    TClassReference Last() const;
    TClassReference Get(int Index) const;
    TClassReference operator[](int Index) const { return Get(Index); }
    // The first class named exactly AClassName (letter case counts); null when none is.
    TClassReference Find(const AnsiString& AClassName) const;
    // Adds every class name, in list order.
    void GetClassNames(TStrings* Strings) const;
};

} // namespace Bmp32
