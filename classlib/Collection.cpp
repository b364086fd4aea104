#include "classlib/Collection.h"

#include "classlib/Exceptions.h"
#include "classlib/List.h"

#include <algorithm>
#include <iterator>

// ---- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

TCollection* TCollectionItem::GetCollection() const {
    return FCollection;
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == FCollection) return;
    if (Value && !InheritsFrom(Value->GetItemClass()))
        throw EInvalidOperation(AnsiString("A ") + ClassName() + " cannot join a collection of " +
                                Value->GetItemClass()->Name);
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) {
        Value->InsertItem(this);
        Value->Changed();
    }
}

int TCollectionItem::GetIndex() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    if (!FCollection) return;
    if (Value < 0 || Value >= FCollection->GetCount()) ListIndexError(Value);
    if (Value == GetIndex()) return;
    FCollection->MoveItem(this, Value);
    Changed(true);
}

AnsiString TCollectionItem::GetDisplayName() {
    return ClassName();
}

TPersistent* TCollectionItem::GetOwner() {
    return FCollection;
}

AnsiString TCollectionItem::GetNamePath() {
    if (!FCollection) return ClassName();
    return FCollection->GetNamePath() + "[" + std::to_string(GetIndex()) + "]";
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->GetUpdateCount() == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection

TCollection::TCollection(TPersistent* AOwner, const TClassInfo* AItemClass,
                         TCollectionItemFactory AItemFactory)
    : FOwner(AOwner), FItemClass(AItemClass), FItemFactory(AItemFactory) {
    if (!AItemClass || !AItemFactory)
        throw EInvalidOperation("A collection needs an item class and an item factory");
}

TCollection::~TCollection() {
    // The derived parts are gone: nobody is left to tell of the items' removal.
    FUpdateCount = 1;
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::CreateItem() {
    TCollectionItem* item = FItemFactory(this);
    if (!item->InheritsFrom(FItemClass)) {
        AnsiString made = item->ClassName();
        delete item;
        throw EInvalidOperation("A " + made + " cannot join a collection of " + FItemClass->Name);
    }
    return item;
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = CreateItem();
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > GetCount()) ListIndexError(Index);
    TCollectionItem* item = CreateItem();
    MoveItem(item, Index);
    Changed();
    return item;
}

void TCollection::Delete(int Index) {
    delete GetItem(Index);
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

int TCollection::GetCount() const {
    return static_cast<int>(FItems.size());
}

TCollectionItem* TCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) {
    GetItem(Index)->Assign(Value);
}

const TClassInfo* TCollection::GetItemClass() const {
    return FItemClass;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) throw EInvalidOperation("EndUpdate without BeginUpdate");
    --FUpdateCount;
    Changed();
}

int TCollection::GetUpdateCount() const {
    return FUpdateCount;
}

void TCollection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : source->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TPersistent* TCollection::GetOwner() {
    return FOwner;
}

AnsiString TCollection::GetNamePath() {
    if (!FOwner || FPropName.empty()) return ClassName();
    AnsiString ownerPath = FOwner->GetNamePath();
    if (ownerPath.empty()) return ClassName();
    return ownerPath + "." + FPropName;
}

const AnsiString& TCollection::GetPropName() const {
    return FPropName;
}

void TCollection::SetPropName(const AnsiString& Value) {
    FPropName = Value;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    // An item is listed once; searching from the end makes emptying a long list linear.
    auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
    if (it != FItems.rend()) FItems.erase(std::next(it).base());
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    FItems.erase(it);
    FItems.insert(FItems.begin() + NewIndex, Item);
}
