// Component collections: membership, order, names, failures, and streaming as
// the owner's children.
#include "grid/gclbase.h"
#include "tests/grid/GridTestSupport.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

namespace {

class TTestItem : public TGclCollectible {
    DECLARE_CLASS(TTestItem, TGclCollectible)
public:
    explicit TTestItem(TComponent* AOwner) : TGclCollectible(AOwner) {}
    int Value = 0;
    int GetValue() const { return Value; }
    void SetValue(int V) { Value = V; }
    static void Published(TPropertyList& P) { P.Add("Value", &TTestItem::GetValue, &TTestItem::SetValue, 0); }
};

class TSpecialItem : public TTestItem {
    DECLARE_CLASS(TSpecialItem, TTestItem)
public:
    explicit TSpecialItem(TComponent* AOwner) : TTestItem(AOwner) {}
};

class TOtherItem : public TGclCollectible {
    DECLARE_CLASS(TOtherItem, TGclCollectible)
public:
    explicit TOtherItem(TComponent* AOwner) : TGclCollectible(AOwner) {}
};

class TStrayItem : public TGclCollectible {
    DECLARE_CLASS(TStrayItem, TGclCollectible)
public:
    explicit TStrayItem(TComponent* AOwner) : TGclCollectible(AOwner) {}
};

class TTestOwner : public TGclComponent {
    DECLARE_CLASS(TTestOwner, TGclComponent)
public:
    explicit TTestOwner(TComponent* AOwner)
        : TGclComponent(AOwner), Items(new TGclCollection(this, TTestItem::StaticClass())),
          Others(new TGclCollection(this, TOtherItem::StaticClass())) {}
    ~TTestOwner() override {
        delete Items;
        delete Others;
    }
    TGclCollection* Items;
    TGclCollection* Others;
};

// Lists the components it owns that have no parent, as a form does.
class TTestRoot : public TComponent {
    DECLARE_CLASS(TTestRoot, TComponent)
public:
    explicit TTestRoot(TComponent* AOwner) : TComponent(AOwner) {}
    void GetChildren(TGetChildProc Proc, TComponent* Root) override {
        if (Root != this) return;
        for (int i = 0; i < GetComponentCount(); ++i)
            if (!GetComponent(i)->HasParent()) Proc(GetComponent(i));
    }
};

const bool Registered = [] {
    for (const TClassInfo* c : {TTestItem::StaticClass(), TSpecialItem::StaticClass(),
                                TOtherItem::StaticClass(), TStrayItem::StaticClass(), TTestOwner::StaticClass()})
        RegisterClass(c);
    return true;
}();

void Load(TMemoryStream& Stream, TTestRoot& Root) {
    Stream.SetPosition(0);
    TReader reader(&Stream);
    reader.ReadRootComponent(&Root);
    for (TComponent* c : reader.GetLoaded())
        c->Loaded();
}

} // namespace

TEST(Collections, MembershipOrderAndNames) {
    TTestRoot root(nullptr);
    auto* owner = new TTestOwner(&root);
    owner->SetName("Owner");
    auto* first = static_cast<TTestItem*>(owner->Items->Add());
    first->SetName("First");
    auto* last = static_cast<TTestItem*>(owner->Items->Insert(owner->Items->GetCount() + 5));
    auto* front = owner->Items->Insert(-1);
    EXPECT_EQ(owner->Items->GetCount(), 3);
    EXPECT_EQ(owner->Items->GetItem(1), last);
    EXPECT_EQ(owner->Items->GetItem(2), front); // -1 appends as well
    static_cast<TTestItem*>(front)->SetIndex(0);
    EXPECT_EQ(owner->Items->GetItem(0), front);
    EXPECT_EQ(first->GetIndex(), 1);
    EXPECT_EQ(owner->Items->ItemByName("First"), first);
    EXPECT_EQ(owner->Items->ItemByName("first"), nullptr);
    EXPECT_EQ(owner->Others->Add()->ClassType(), TOtherItem::StaticClass());
    EXPECT_EQ(owner->Others->GetCount(), 1);
    // A special item joins the first collection whose class it belongs to.
    TGclCollection special(owner, TSpecialItem::StaticClass());
    special.Add();
    EXPECT_EQ(special.GetCount(), 0);
    EXPECT_EQ(owner->Items->GetCount(), 4);
    owner->Items->Delete(0);
    EXPECT_EQ(owner->Items->GetCount(), 3);
    int changes = 0;
    owner->Items->OnChanged = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    owner->Items->Add();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(owner->Items->GetEditorCaption(), "Editing TTestItem");

    auto* named1 = new TTestItem(&root);
    named1->SetName("CollectionItem1");
    auto* named2 = new TTestItem(&root);
    named2->SetName("collectionitem2");
    first->GenerateName();
    EXPECT_EQ(first->GetName(), "CollectionItem3");
    owner->Items->Clear();
    EXPECT_EQ(owner->Items->GetCount(), 0);
}

TEST(Collections, Failures) {
    TComponent plain(nullptr);
    EXPECT_EQ(MessageOf<Exception>([&] { TGclCollection bad(&plain, TTestItem::StaticClass()); }),
              "Owner must be a TGclComponent or TGclCustomComponent descendant");
    TTestOwner owner(nullptr);
    TGclCollection noClass(&owner, nullptr);
    EXPECT_EQ(MessageOf<Exception>([&] { noClass.Add(); }), "Item class not set");
    auto* item = static_cast<TTestItem*>(owner.Items->Add());
    EXPECT_EQ(MessageOf<Exception>([&] { item->SetCollection(owner.Others); }),
              "Item incompatible with collection");
    EXPECT_EQ(item->GetCollection(), owner.Items);
    TGclComponent bare(nullptr);
    TTestItem loose(nullptr);
    EXPECT_EQ(MessageOf<Exception>([&] { loose.JoinCollectionOf(&bare); }),
              "No collection exists in the owner component");
    TGclComponent other(nullptr);
    TGclCollection unrelated(&other, TOtherItem::StaticClass());
    EXPECT_EQ(MessageOf<Exception>([&] { loose.JoinCollectionOf(&other); }), "No collection found for this type");
}

TEST(Collections, ItemsStreamAsTheOwnersChildren) {
    TMemoryStream stream;
    {
        TTestRoot root(nullptr);
        root.SetName("Root");
        auto* owner = new TTestOwner(&root);
        owner->SetName("Owner");
        for (int value : {7, 9}) {
            auto* item = static_cast<TTestItem*>(owner->Items->Add());
            item->SetName("Item" + std::to_string(value));
            item->Value = value;
        }
        owner->Others->Add()->SetName("Other1");
        TWriter(&stream).WriteRootComponent(&root);
    }
    TTestRoot copy(nullptr);
    Load(stream, copy);
    auto* owner = dynamic_cast<TTestOwner*>(copy.FindComponent("Owner"));
    ASSERT_NE(owner, nullptr);
    ASSERT_EQ(owner->Items->GetCount(), 2);
    EXPECT_EQ(owner->Items->GetItem(0)->GetName(), "Item7");
    EXPECT_EQ(static_cast<TTestItem*>(owner->Items->GetItem(1))->Value, 9);
    EXPECT_EQ(owner->Others->GetCount(), 1);
    EXPECT_EQ(owner->Items->GetItem(0)->GetParentComponent(), owner);
}

TEST(Collections, AnItemWithoutItsCollectionIsAReadError) {
    TMemoryStream stream;
    {
        TTestRoot root(nullptr);
        root.SetName("Root");
        auto* owner = new TTestOwner(&root);
        owner->SetName("Owner");
        owner->Others->Add()->SetName("Other1");
        TWriter(&stream).WriteRootComponent(&root);
    }
    // The same resource with an item class that no collection of the owner takes.
    AnsiString data(static_cast<const char*>(stream.GetMemory()), stream.GetSize());
    const std::size_t at = data.find("TOtherItem");
    ASSERT_NE(at, AnsiString::npos);
    data.replace(at, 10, "TStrayItem");
    TMemoryStream bad;
    bad.WriteBuffer(data.data(), data.size());
    TTestRoot copy(nullptr);
    const std::string message = MessageOf<EReadError>([&] { Load(bad, copy); });
    EXPECT_NE(message.find("Other1"), std::string::npos) << message;
    EXPECT_NE(message.find("No collection found for this type"), std::string::npos);
}

TEST(Collections, LightCollectionsAndOwningLists) {
    TGcl32Collection items(nullptr, TGcl32CollectionItem::StaticClass(),
                           NewCollectionItem<TGcl32CollectionItem>);
    auto* a = static_cast<TGcl32CollectionItem*>(items.Add());
    a->SetName("Alpha");
    EXPECT_EQ(items.ItemByName("Alpha"), a);
    EXPECT_EQ(items.ItemByName("alpha"), nullptr);
    EXPECT_EQ(a->GetAbout(), "v4.06");
    EXPECT_EQ(items.GetEditorCaption(), "Editing TGcl32CollectionItem");
    static int destroyed = 0;
    struct TCounted : TObject {
        ~TCounted() override { ++destroyed; }
    };
    {
        TGcl32ContainerList list(nullptr);
        list.Add(new TCounted);
        list.Add(new TCounted);
    }
    EXPECT_EQ(destroyed, 2);
}
