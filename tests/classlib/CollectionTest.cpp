#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TNumberItem : public TCollectionItem {
    DECLARE_CLASS(TNumberItem, TCollectionItem)
public:
    explicit TNumberItem(TCollection* Collection) : TCollectionItem(Collection) {}

    int GetValue() const { return FValue; }
    void SetValue(int Value) {
        FValue = Value;
        Changed(false);
    }
    void Assign(TPersistent* Source) override {
        if (auto* item = dynamic_cast<TNumberItem*>(Source)) {
            SetValue(item->FValue);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    AnsiString GetDisplayName() override { return "Number " + std::to_string(FValue); }

private:
    int FValue = 0;
};

// Records every Update as the index of the item, or "all".
class TRecordingCollection : public TCollection {
    DECLARE_CLASS(TRecordingCollection, TCollection)
public:
    explicit TRecordingCollection(TPersistent* AOwner = nullptr)
        : TCollection(AOwner, TNumberItem::StaticClass(), &NewCollectionItem<TNumberItem>) {}

    std::vector<std::string> Updates;
    TNumberItem* Number(int Index) const { return static_cast<TNumberItem*>(GetItem(Index)); }

protected:
    void Update(TCollectionItem* Item) override {
        Updates.push_back(Item ? std::to_string(Item->GetIndex()) : "all");
    }
};

std::vector<int> Values(const TRecordingCollection& C) {
    std::vector<int> values;
    for (int i = 0; i < C.GetCount(); ++i)
        values.push_back(C.Number(i)->GetValue());
    return values;
}

TRecordingCollection& Fill(TRecordingCollection& C, std::initializer_list<int> Values) {
    for (int v : Values)
        static_cast<TNumberItem*>(C.Add())->SetValue(v);
    C.Updates.clear();
    return C;
}

} // namespace

TEST(Collection, AddInsertDeleteAndClearEachReportTheWholeCollection) {
    TRecordingCollection c;
    TCollectionItem* item = c.Add();
    EXPECT_STREQ(item->ClassName(), "TNumberItem");
    EXPECT_EQ(item->GetCollection(), &c);
    EXPECT_EQ(item->GetIndex(), 0);
    EXPECT_EQ(c.Updates, (std::vector<std::string>{"all"}));
    c.Clear();
    Fill(c, {1, 2, 3});
    static_cast<TNumberItem*>(c.Insert(1))->SetValue(9);
    EXPECT_EQ(Values(c), (std::vector<int>{1, 9, 2, 3}));
    EXPECT_THROW(c.Insert(5), EListError);
    c.Updates.clear();
    c.Delete(0);
    delete c.GetItem(1);
    EXPECT_EQ(Values(c), (std::vector<int>{9, 3}));
    EXPECT_EQ(c.Updates, (std::vector<std::string>{"all", "all"}));
    EXPECT_THROW(c.Delete(2), EListError);
    c.Updates.clear();
    c.Clear();
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_EQ(c.Updates, (std::vector<std::string>{"all"}));
    try {
        c.GetItem(0);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (0)");
    }
}

TEST(Collection, ItemChangesReportTheItemAndUpdatesHoldBackUntilTheOutermostEnd) {
    TRecordingCollection c;
    Fill(c, {1, 2});
    c.Number(1)->SetValue(5);
    EXPECT_EQ(c.Updates, (std::vector<std::string>{"1"}));
    c.Updates.clear();
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    c.Number(0)->SetValue(7);
    c.EndUpdate();
    EXPECT_TRUE(c.Updates.empty());
    c.EndUpdate();
    EXPECT_EQ(c.Updates, (std::vector<std::string>{"all"}));
    EXPECT_THROW(c.EndUpdate(), EInvalidOperation);
}

TEST(Collection, ItemsMoveWithinAndBetweenCollectionsOfTheirClass) {
    TRecordingCollection a, b;
    Fill(a, {1, 2, 3});
    Fill(b, {4});
    a.Number(0)->SetIndex(2);
    EXPECT_EQ(Values(a), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(a.Updates, (std::vector<std::string>{"all"}));
    EXPECT_THROW(a.Number(0)->SetIndex(3), EListError);
    a.Number(0)->SetCollection(&b);
    EXPECT_EQ(Values(a), (std::vector<int>{3, 1}));
    EXPECT_EQ(Values(b), (std::vector<int>{4, 2}));

    TCollection plain(nullptr, TCollectionItem::StaticClass(), &NewCollectionItem<TCollectionItem>);
    TCollectionItem* stranger = plain.Add();
    EXPECT_THROW(stranger->SetCollection(&a), EInvalidOperation);
    EXPECT_EQ(stranger->GetCollection(), &plain);
    TCollection mismatched(nullptr, TNumberItem::StaticClass(),
                           &NewCollectionItem<TCollectionItem>);
    EXPECT_THROW(mismatched.Add(), EInvalidOperation);
    EXPECT_EQ(mismatched.GetCount(), 0);
}

TEST(Collection, AssignCopiesItemsThroughTheirAssignAndRefusesUnrelatedClasses) {
    TRecordingCollection source, dest;
    Fill(source, {4, 5});
    Fill(dest, {9, 9, 9});
    dest.Assign(&source);
    EXPECT_EQ(Values(dest), (std::vector<int>{4, 5}));
    EXPECT_NE(dest.GetItem(0), source.GetItem(0));
    EXPECT_EQ(dest.Updates, (std::vector<std::string>{"all"}));
    TComponent stranger(nullptr);
    EXPECT_THROW(dest.Assign(&stranger), EConvertError);
}

TEST(Collection, OwnerAndNamePaths) {
    TComponent owner(nullptr);
    owner.SetName("List1");
    TRecordingCollection c(&owner);
    Fill(c, {1, 2});
    EXPECT_EQ(c.GetOwner(), &owner);
    EXPECT_EQ(c.GetNamePath(), "TRecordingCollection");
    c.SetPropName("Bitmaps");
    EXPECT_EQ(c.GetNamePath(), "List1.Bitmaps");
    EXPECT_EQ(c.GetItem(1)->GetNamePath(), "List1.Bitmaps[1]");
    EXPECT_EQ(c.GetItem(1)->GetOwner(), &c);
    EXPECT_EQ(c.GetItem(1)->GetDisplayName(), "Number 2");
}
