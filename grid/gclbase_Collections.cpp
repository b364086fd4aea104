// Collections of components kept by the library's components and streamed as
// their children.
#include "grid/gclbase.h"

#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"
#include "grid/gclconst.h"
#include "grid/gcldata.h"

#include <algorithm>

namespace {

// The streamer slot of a component that may keep collections, or null.
TGclStreamerSlot* SlotOf(TComponent* Owner) {
    if (dynamic_cast<TGclComponent*>(Owner)) return static_cast<TGclComponent*>(Owner);
    if (dynamic_cast<TGclCustomControl*>(Owner)) return static_cast<TGclCustomControl*>(Owner);
    return nullptr;
}

bool NameTaken(TComponent* Root, const AnsiString& Name) {
    for (int i = 0; i < Root->GetComponentCount(); ++i) {
        TComponent* c = Root->GetComponent(i);
        if (SameText(c->GetName(), Name) || NameTaken(c, Name)) return true;
    }
    return false;
}

} // namespace

// ---- Streamer slots ------------------------------------------------------------

TGclStreamerSlot::~TGclStreamerSlot() {
    delete FStreamer;
}

TGclCollectionStreamer* TGclStreamerSlot::NeedStreamer(TComponent* Owner) {
    if (!FStreamer) FStreamer = new TGclCollectionStreamer(Owner);
    return FStreamer;
}

void TGclStreamerSlot::StreamerChildren(TGetChildProc Proc) {
    if (FStreamer) FStreamer->GetChildren(Proc);
}

void TGclStreamerSlot::StreamerLoaded() {
    if (FStreamer) FStreamer->Loaded();
}

#define GCL_STREAMED_CHILDREN(Class, Base)                                                         \
    void Class::GetChildren(TGetChildProc Proc, TComponent* Root) {                                \
        Base::GetChildren(Proc, Root);                                                             \
        StreamerChildren(Proc);                                                                    \
    }                                                                                              \
    TComponent* Class::GetChildOwner() {                                                           \
        return GetStreamer() ? this : Base::GetChildOwner();                                       \
    }                                                                                              \
    void Class::Loaded() {                                                                         \
        Base::Loaded();                                                                            \
        StreamerLoaded();                                                                          \
    }

GCL_STREAMED_CHILDREN(TGclComponent, TComponent)
GCL_STREAMED_CHILDREN(TGclGraphicControl, TGraphicControl)
GCL_STREAMED_CHILDREN(TGclCustomControl, TGcl32CustomControl)

// ---- TGclCollectionStreamer ------------------------------------------------------

TGclCollection* TGclCollectionStreamer::CollectionFromType(TComponent* Item) const {
    for (TGclCollection* collection : FCollections)
        if (collection->ItemClass && Item->InheritsFrom(collection->ItemClass)) return collection;
    throw Exception(GetGclStr(30246));
}

void TGclCollectionStreamer::GetChildren(TGetChildProc Proc) const {
    for (TGclCollection* collection : FCollections)
        if (collection->Stored)
            for (int i = 0; i < collection->GetCount(); ++i)
                Proc(collection->GetItem(i));
}

void TGclCollectionStreamer::Loaded() {
    for (TGclCollection* collection : FCollections)
        collection->Loaded();
}

void TGclCollectionStreamer::Clear() {
    for (TGclCollection* collection : FCollections)
        collection->Clear();
}

// ---- TGclCollection ---------------------------------------------------------------

TGclCollection::TGclCollection(TComponent* AOwner, const TClassInfo* AItemClass)
    : ItemClass(AItemClass), FOwner(AOwner), FStreamer(nullptr) {
    TGclStreamerSlot* slot = SlotOf(AOwner);
    if (!slot) throw Exception(GetGclStr(30242));
    FStreamer = slot->NeedStreamer(AOwner);
    FStreamer->FCollections.push_back(this);
}

TGclCollection::~TGclCollection() {
    delete FItemEditor;
    std::erase(FStreamer->FCollections, this);
    Clear();
}

TComponent* TGclCollection::Add() {
    if (!ItemClass || !ItemClass->Create) throw Exception(GetGclStr(30245));
    TComponent* item = ItemClass->Create(FOwner);
    try {
        if (auto* link = dynamic_cast<TGclCollectibleLink*>(item))
            link->JoinCollectionOf(FOwner);
        else
            AddItem(item);
    } catch (...) {
        delete item;
        throw;
    }
    Changed();
    RefreshEditor();
    return item;
}

TComponent* TGclCollection::Insert(int Index) {
    if (Index < 0 || Index > GetCount()) Index = GetCount();
    TComponent* item = Add();
    if (!dynamic_cast<TGclCollectibleLink*>(item)) return nullptr;
    MoveItem(item, Index);
    return item;
}

void TGclCollection::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) return;
    delete FItems[Index];
    Changed();
}

void TGclCollection::Clear() {
    for (int i = GetCount() - 1; i >= 0; --i)
        if (!FItems[i]->GetComponentState().Contains(csAncestor)) delete FItems[i];
    RefreshEditor();
}

TComponent* TGclCollection::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError(Format("List index out of bounds (%d)", Index));
    return FItems[Index];
}

void TGclCollection::SetItem(int Index, TComponent* Value) {
    GetItem(Index)->Assign(Value);
}

TComponent* TGclCollection::ItemByName(const AnsiString& Name) const {
    for (TComponent* item : FItems)
        if (item->GetName() == Name) return item;
    return nullptr;
}

int TGclCollection::IndexOfItem(TComponent* Item) const {
    auto at = std::find(FItems.begin(), FItems.end(), Item);
    return at == FItems.end() ? -1 : static_cast<int>(at - FItems.begin());
}

void TGclCollection::AddItem(TComponent* Item) {
    if (IndexOfItem(Item) < 0) FItems.push_back(Item);
}

void TGclCollection::RemoveItem(TComponent* Item) {
    std::erase(FItems, Item);
}

void TGclCollection::MoveItem(TComponent* Item, int Index) {
    RemoveItem(Item);
    Index = std::clamp(Index, 0, GetCount());
    FItems.insert(FItems.begin() + Index, Item);
}

void TGclCollection::RefreshEditor() {
    if (FItemEditor && FItemEditor->HandleAllocated())
        PostMessageA(FItemEditor->GetHandle(), om_RefreshEditor, 0, 0);
}

void TGclCollection::Changed() {
    if (FChanging) return;
    FChanging = true;
    try {
        RefreshEditor();
        if (OnChanged.Assigned()) OnChanged(this);
    } catch (...) {
        FChanging = false;
        throw;
    }
    FChanging = false;
}

void TGclCollection::Loaded() {
    FLoading = true;
    Changed();
    FLoading = false;
    FLoaded = true;
}

TCustomForm* TGclCollection::ParentForm() const {
    for (TComponent* c = FOwner; c; c = c->GetOwner())
        if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
    return nullptr;
}

void TGclCollection::DoOnItemSelected(int Index) {
    if (OnItemSelected.Assigned()) OnItemSelected(this, Index);
}

AnsiString TGclCollection::GetEditorCaption() {
    AnsiString caption = AnsiString("Editing ") + (ItemClass ? ItemClass->Name : ClassName());
    if (OnGetEditorCaption.Assigned()) OnGetEditorCaption(this, caption);
    return caption;
}

// ---- Collectible items ----------------------------------------------------------------

int TGclCollectibleLink::GetIndex() const {
    return FCollection ? FCollection->IndexOfItem(FSelf) : -1;
}

void TGclCollectibleLink::JoinCollectionOf(TComponent* CollectionOwner) {
    TGclStreamerSlot* slot = SlotOf(CollectionOwner);
    if (!slot) throw Exception(GetGclStr(30242));
    if (!slot->GetStreamer()) throw Exception(GetGclStr(30241));
    SetCollection(slot->GetStreamer()->CollectionFromType(FSelf));
}

void TGclCollectibleLink::JoinFromResource(TComponent* CollectionOwner) {
    try {
        JoinCollectionOf(CollectionOwner);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError(e.Message());
    }
}

void TGclCollectibleLink::SetCollection(TGclCollection* Value) {
    if (Value == FCollection) return;
    if (Value && !(Value->ItemClass && FSelf->InheritsFrom(Value->ItemClass)))
        throw Exception(GetGclStr(30243));
    LeaveCollection();
    FCollection = Value;
    if (Value) Value->AddItem(FSelf);
}

void TGclCollectibleLink::LeaveCollection() {
    if (FCollection) FCollection->RemoveItem(FSelf);
    FCollection = nullptr;
}

void TGclCollectibleLink::SetIndex(int Value) {
    if (!FCollection) return;
    FCollection->MoveItem(FSelf, Value);
    Changed();
}

void TGclCollectibleLink::Changed() {
    if (FChanging || !FCollection || FSelf->GetComponentState().Contains(csDestroying)) return;
    FChanging = true;
    try {
        FCollection->Changed();
    } catch (...) {
        FChanging = false;
        throw;
    }
    FChanging = false;
}

void TGclCollectibleLink::GenerateName() {
    TComponent* root = FCollection ? FCollection->ParentForm() : nullptr;
    if (!root) { // no form: the top of the ownership chain
        root = FCollection ? FCollection->Owner() : FSelf;
        while (root->GetOwner())
            root = root->GetOwner();
    }
    for (int n = 1;; ++n) {
        const AnsiString name = GetBaseName() + IntToStr(n);
        if (!NameTaken(root, name)) {
            FSelf->SetName(name);
            return;
        }
    }
}

TComponent* TGclCollectible::GetParentComponent() const {
    return FCollection ? FCollection->Owner() : nullptr;
}

void TGclCollectibleControl::SetParentComponent(TComponent* Value) {
    TGclCustomControl::SetParentComponent(Value);
    JoinFromResource(Value);
}

// ---- TGcl32Collection ------------------------------------------------------------------

AnsiString TGcl32CollectionItem::GetAbout() const {
    return GclVersion;
}

void TGcl32CollectionItem::Published(TPropertyList& P) {
    P.Add("Name", &TGcl32CollectionItem::GetName, &TGcl32CollectionItem::SetName);
    P.Add("About", &TGcl32CollectionItem::GetAbout, &TGcl32CollectionItem::SetAbout).Stored(false);
}

TGcl32Collection::~TGcl32Collection() {
    delete FItemEditor;
    Clear();
}

TCollectionItem* TGcl32Collection::Add() {
    TCollectionItem* item = TCollection::Add();
    if (FItemEditor && FItemEditor->HandleAllocated())
        PostMessageA(FItemEditor->GetHandle(), om_RefreshEditor, 0, 0);
    return item;
}

TGcl32CollectionItem* TGcl32Collection::ItemByName(const AnsiString& Name) const {
    for (int i = 0; i < GetCount(); ++i)
        if (auto* item = dynamic_cast<TGcl32CollectionItem*>(GetItem(i)); item && item->GetName() == Name)
            return item;
    return nullptr;
}

void TGcl32Collection::Loaded() {
    FLoading = true;
    Changed();
    FLoading = false;
    FLoaded = true;
}

TCustomForm* TGcl32Collection::ParentForm() {
    for (TPersistent* p = GetOwner(); p; p = p->GetOwner())
        if (auto* form = dynamic_cast<TCustomForm*>(p)) return form;
    return nullptr;
}

void TGcl32Collection::DoOnItemSelected(int Index) {
    if (OnItemSelected.Assigned()) OnItemSelected(this, Index);
}

AnsiString TGcl32Collection::GetEditorCaption() {
    AnsiString caption = AnsiString("Editing ") + GetItemClass()->Name;
    if (OnGetEditorCaption.Assigned()) OnGetEditorCaption(this, caption);
    return caption;
}

TGcl32ContainerList::~TGcl32ContainerList() {
    for (int i = GetCount() - 1; i >= 0; --i)
        delete static_cast<TObject*>(Get(i));
}
