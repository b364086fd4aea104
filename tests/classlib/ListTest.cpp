#include "classlib/Exceptions.h"
#include "classlib/List.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int a = 1, b = 2, c = 3;

std::vector<void*> Items(const TList& L) {
    std::vector<void*> items;
    for (int i = 0; i < L.GetCount(); ++i)
        items.push_back(L[i]);
    return items;
}

int ByValue(void* X, void* Y) {
    return *static_cast<int*>(X) - *static_cast<int*>(Y);
}

} // namespace

TEST(List, MoveTakesOutAndInsertsAtTheNewIndex) {
    TList l;
    l.Add(&a);
    l.Add(&b);
    l.Add(&c);
    l.Move(0, 2);
    EXPECT_EQ(Items(l), (std::vector<void*>{&b, &c, &a}));
    l.Move(2, 0);
    EXPECT_EQ(Items(l), (std::vector<void*>{&a, &b, &c}));
}

TEST(List, RemoveExtractAndPack) {
    TList l;
    l.Add(&a);
    l.Add(nullptr);
    l.Add(&b);
    l.Add(&a);
    EXPECT_EQ(l.Remove(&a), 0);
    EXPECT_EQ(l.Extract(&c), nullptr);
    EXPECT_EQ(l.Extract(&b), &b);
    l.SetCount(3);
    l.Pack();
    EXPECT_EQ(Items(l), (std::vector<void*>{&a}));
}

TEST(List, SortOrdersByTheCompareFunction) {
    TList l;
    l.Add(&c);
    l.Add(&a);
    l.Add(&b);
    l.Sort(&ByValue);
    EXPECT_EQ(Items(l), (std::vector<void*>{&a, &b, &c}));
    EXPECT_EQ(l.First(), &a);
    EXPECT_EQ(l.Last(), &c);
}

TEST(List, BadIndexesAndCountsRaise) {
    TList l;
    try {
        l.Get(0);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (0)");
    }
    EXPECT_THROW(l.First(), EListError);
    EXPECT_THROW(l.Insert(1, &a), EListError);
    EXPECT_THROW(l.SetCount(-1), EListError);
    l.Insert(0, &a);
    EXPECT_THROW(l.Move(0, 1), EListError);
    EXPECT_THROW(l.Exchange(0, -1), EListError);
}
