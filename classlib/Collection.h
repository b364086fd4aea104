// TCollection and TCollectionItem: an ordered, owned list of persistent items of one
// item class, created by the collection through an item factory.
#pragma once

#include "classlib/Objects.h"

#include <vector>

class TCollection;
class TCollectionItem;

// Builds one item; the item's constructor joins it to Collection. Items join through
// TCollection::Add or Insert, which tell the collection once the item is whole.
using TCollectionItemFactory = TCollectionItem* (*)(TCollection* Collection);

template <typename Item> TCollectionItem* NewCollectionItem(TCollection* Collection) {
    return new Item(Collection);
}

class TCollectionItem : public TPersistent {
    DECLARE_CLASS(TCollectionItem, TPersistent)
public:
    // Joins Collection (at the end) when it is not null.
    explicit TCollectionItem(TCollection* Collection);
    // Leaves the collection.
    ~TCollectionItem() override;

    TCollection* GetCollection() const;
    // Leaves the current collection and joins Value at its end.
    void SetCollection(TCollection* Value);
    // The position in the collection; -1 without one.
    int GetIndex() const;
    // Moves the item within its collection; EListError for a bad index.
    virtual void SetIndex(int Value);

    // The class name unless a derived class names its items.
    virtual AnsiString GetDisplayName();
    TPersistent* GetOwner() override;
    // The collection's path followed by "[index]".
    AnsiString GetNamePath() override;

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
    DECLARE_CLASS(TCollection, TPersistent)
public:
    // AOwner answers GetOwner; the items are built by AItemFactory and must be of AItemClass.
    TCollection(TPersistent* AOwner, const TClassInfo* AItemClass,
                TCollectionItemFactory AItemFactory);
    // Deletes every item.
    ~TCollection() override;

    TCollectionItem* Add();
    // Adds an item and moves it to Index (0 to GetCount()).
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int GetCount() const;
    // EListError "List index out of bounds (%d)" for a bad index.
    TCollectionItem* GetItem(int Index) const;
    // Assigns Value to the item at Index.
    void SetItem(int Index, TCollectionItem* Value);
    const TClassInfo* GetItemClass() const;

    // Change notifications are held back until the outermost EndUpdate, which then
    // reports one change of every item.
    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const;

    // Replaces the items by copies of Source's items (each through its Assign).
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;
    // The owner's path followed by "." and the name of the property that holds the
    // collection, when both are known; the class name otherwise.
    AnsiString GetNamePath() override;
    const AnsiString& GetPropName() const;
    void SetPropName(const AnsiString& Value);

protected:
    // Called after a change: Item is the changed item, or null when any number of
    // items changed (added, deleted, moved or after EndUpdate).
    virtual void Update(TCollectionItem* Item);
    // Calls Update(nullptr) unless updates are held back.
    void Changed();

private:
    friend class TCollectionItem;
    TCollectionItem* CreateItem();
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(TCollectionItem* Item, int NewIndex);

    TPersistent* FOwner;
    const TClassInfo* FItemClass;
    TCollectionItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems;
    AnsiString FPropName;
    int FUpdateCount = 0;
};
