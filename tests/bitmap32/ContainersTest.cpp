// The rectangle list, the pointer map with its iterator, and the class list.
#include "bitmap32/Bmp32_Containers.h"

#include "bitmap32/Bmp32.h"
#include "classlib/StringList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace Bmp32;

namespace {

void* Key(std::uintptr_t Address) {
    return reinterpret_cast<void*>(Address);
}

// Records the data of every entry it deletes.
class TRecordingMap : public TPointerMap {
public:
    ~TRecordingMap() override { Clear(); }
    void* Delete(int BucketIndex, int ItemIndex) override {
        void* data = TPointerMap::Delete(BucketIndex, ItemIndex);
        Deleted.push_back(data);
        return data;
    }
    std::vector<void*> Deleted;
};

} // namespace

// ---- TRectList ----------------------------------------------------------------------------

TEST(RectList, GrowsBySmallStepsThenByAQuarter) {
    TRectList list;
    EXPECT_EQ(list.GetCapacity(), 0);
    std::vector<int> capacities;
    for (int i = 0; i < 200; ++i) {
        list.Add({i, 0, i + 1, 1});
        if (capacities.empty() || capacities.back() != list.GetCapacity())
            capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{8, 16, 48, 80, 112, 144, 180, 225}));
    EXPECT_EQ(*list[199], TRect(199, 0, 200, 1));
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(200), nullptr);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 10);
}

TEST(RectList, InsertDeleteMoveAndSearch) {
    TRectList list;
    const TRect a(0, 0, 1, 1), b(1, 1, 2, 2), c(2, 2, 3, 3);
    list.Add(a);
    list.Add(c);
    list.Insert(1, b);
    EXPECT_EQ(list.IndexOf(b), 1);
    list.Move(0, 2);
    EXPECT_EQ(*list[0], b);
    EXPECT_EQ(*list[2], a);
    list.Exchange(0, 1);
    EXPECT_EQ(*list[0], c);
    EXPECT_EQ(list.Remove(c), 0);
    EXPECT_EQ(list.Remove(c), -1);
    EXPECT_EQ(list.GetCount(), 2);
    list.Delete(0);
    EXPECT_EQ(*list[0], a);
    list.Pack();
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_THROW(list.Insert(3, a), EListError);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Exchange(0, 5), EListError);
}

TEST(RectList, CountGrowsWithEmptyRectanglesAndShrinksFromTheEnd) {
    TRectList list;
    list.Add({1, 1, 2, 2});
    list.SetCount(3);
    EXPECT_GE(list.GetCapacity(), 3);
    EXPECT_EQ(*list[2], TRect());
    list.SetCount(1);
    EXPECT_EQ(list.Get(1), nullptr);
    EXPECT_THROW(list.SetCount(-1), EListError);
    EXPECT_THROW(list.SetCapacity(0), EListError);
    list.SetCapacity(5);
    EXPECT_EQ(list.GetCapacity(), 5);
    EXPECT_EQ(*list[0], TRect(1, 1, 2, 2));
}

// ---- TPointerMap --------------------------------------------------------------------------

TEST(PointerMap, AddingAnExistingKeyKeepsItsData) {
    TPointerMap map;
    int a = 1, b = 2;
    bool isNew = false;
    void** slot = map.Add(Key(0x100), &a, isNew);
    EXPECT_TRUE(isNew);
    EXPECT_EQ(*slot, &a);
    slot = map.Add(Key(0x100), &b, isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(*slot, &a);
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_EQ(map.GetData(Key(0x100)), &a);
    map.SetData(Key(0x100), &b);
    EXPECT_EQ(map.GetData(Key(0x100)), &b);
    EXPECT_THROW(map.GetData(Key(0x200)), EListError);
    EXPECT_THROW(map.SetData(Key(0x200), &a), EListError);
}

TEST(PointerMap, FindRemoveAndContains) {
    TPointerMap map;
    int a = 1;
    map.Add(Key(0x300), &a);
    map.Add(Key(0x10300)); // same bucket
    void** data = nullptr;
    ASSERT_TRUE(map.Find(Key(0x300), data));
    EXPECT_EQ(*data, &a);
    EXPECT_TRUE(map.Contains(Key(0x10300)));
    int bucket, item;
    EXPECT_TRUE(map.Exists(Key(0x10300), bucket, item));
    EXPECT_EQ(bucket, 3);
    EXPECT_EQ(item, 1);
    EXPECT_EQ(map.Remove(Key(0x300)), &a);
    EXPECT_EQ(map.Remove(Key(0x300)), nullptr);
    EXPECT_FALSE(map.Contains(Key(0x300)));
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_THROW(map.Delete(3, 5), EListError);
}

TEST(PointerMap, ClearDeletesBucketByBucketFromTheLastEntry) {
    int d1, d2, d3;
    TRecordingMap map;
    map.Add(Key(0x0500), &d1);
    map.Add(Key(0x10500), &d2); // the same bucket as 0x0500
    map.Add(Key(0x0100), &d3);
    map.Clear();
    EXPECT_EQ(map.Deleted, (std::vector<void*>{&d3, &d2, &d1}));
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.Delete(0, 0), nullptr); // empty: nothing to delete
}

TEST(PointerMap, IteratorVisitsBucketsUpwardsAndEntriesBackwards) {
    TPointerMap map;
    map.Add(Key(0xFF00));
    map.Add(Key(0x0200));
    map.Add(Key(0x1200));
    map.Add(Key(0x2FF00));
    TPointerMapIterator it(&map);
    std::vector<void*> visited;
    while (it.Next())
        visited.push_back(it.GetItem());
    EXPECT_EQ(visited, (std::vector<void*>{Key(0x0200), Key(0x1200), Key(0x2FF00), Key(0xFF00)}));
    EXPECT_FALSE(it.Next());
    TPointerMap empty;
    TPointerMapIterator none(&empty);
    EXPECT_FALSE(none.Next());
}

// ---- TClassList ---------------------------------------------------------------------------

TEST(ClassList, FindsClassesByExactName) {
    TClassList list;
    list.Add(TBitmap32::StaticClass());
    list.Add(TCustomMap::StaticClass());
    EXPECT_EQ(list.Find("TCustomMap"), TCustomMap::StaticClass());
    EXPECT_EQ(list.Find("tcustommap"), nullptr);
    EXPECT_EQ(list.First(), TBitmap32::StaticClass());
    EXPECT_EQ(list.Last(), TCustomMap::StaticClass());
    TStringList names;
    list.GetClassNames(&names);
    EXPECT_EQ(names.GetText(), "TBitmap32\r\nTCustomMap\r\n");
    EXPECT_EQ(list.Extract(TBitmap32::StaticClass()), TBitmap32::StaticClass());
    EXPECT_EQ(list.IndexOf(TCustomMap::StaticClass()), 0);
    list.Insert(0, TBitmap32::StaticClass());
    EXPECT_EQ(list[0], TBitmap32::StaticClass());
    EXPECT_EQ(list.Remove(TBitmap32::StaticClass()), 0);
    EXPECT_EQ(list.GetCount(), 1);
}
