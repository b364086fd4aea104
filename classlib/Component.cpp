#include "classlib/Component.h"

#include "classlib/Exceptions.h"
#include "classlib/List.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <unordered_map>

namespace {

void Erase(std::vector<TComponent*>& List, TComponent* Item) {
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

} // namespace

struct TComponent::TNameIndex {
    // Keyed by the upper-case name: SameText's idea of equal names.
    std::unordered_map<AnsiString, TComponent*> Names;
};

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    ReleaseBeforeDestruction();
    DestroyComponents();
}

void TComponent::operator delete(TComponent* Component, std::destroying_delete_t) {
    if (Component->FDeletePending) return; // already deleted, waiting for its protectors
    Component->ReleaseBeforeDestruction();
    if (Component->FProtectCount > 0) {
        Component->FDeletePending = true;
        Component->Unlink();
        return;
    }
    DestroyAndFree(Component);
}

void TComponent::DestroyAndFree(TComponent* Component) {
    void* memory = dynamic_cast<void*>(Component);
    Component->~TComponent();
    ::operator delete(memory);
}

void* TComponent::operator new(std::size_t Size) {
    return ::operator new(Size);
}

void TComponent::operator delete(void* Memory) {
    ::operator delete(Memory);
}

void TComponent::ReleaseBeforeDestruction() {
    if (FReleased) return;
    FReleased = true;
    Destroying();
    NotifyFreeNotificationPartners();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::NotifyFreeNotificationPartners() {
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back().Partner;
        FFreeNotifies.pop_back();
        partner->DropFreeLink(this);
        partner->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents() {
    // Each one leaves this list on its way out.
    while (!FComponents.empty())
        delete FComponents.back();
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

TComponentProtector::TComponentProtector(TComponent* Component) : FComponent(Component) {
    if (FComponent) ++FComponent->FProtectCount;
}

TComponentProtector::~TComponentProtector() {
    if (!FComponent) return;
    if (--FComponent->FProtectCount == 0 && FComponent->FDeletePending)
        TComponent::DestroyAndFree(FComponent);
}

TComponent* TComponent::GetOwner() {
    return FOwner;
}

int TComponent::GetComponentCount() const {
    return static_cast<int>(FComponents.size());
}

TComponent* TComponent::GetComponent(int Index) const {
    if (Index < 0 || Index >= GetComponentCount()) ListIndexError(Index);
    return FComponents[static_cast<std::size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
    if (!FOwner) return -1;
    auto& siblings = FOwner->FComponents;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

const AnsiString& TComponent::GetName() const {
    return FName;
}

void TComponent::SetName(const AnsiString& NewName) {
    if (NewName == FName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    const AnsiString oldName = FName;
    FName = NewName;
    if (FOwner) FOwner->IndexName(this, oldName);
}

void TComponent::IndexName(TComponent* Component, const AnsiString& OldName) {
    if (!FNameIndex) FNameIndex = std::make_unique<TNameIndex>();
    auto& names = FNameIndex->Names;
    if (!OldName.empty()) {
        auto old = names.find(UpperCase(OldName));
        if (old != names.end() && old->second == Component) names.erase(old);
    }
    // One that has left this owner is only taken out.
    if (Component->FOwner == this && !Component->FName.empty())
        names.emplace(UpperCase(Component->FName), Component);
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString&,
                                const AnsiString& NewName) {
    if (!AComponent || NewName.empty()) return;
    TComponent* holder = FindComponent(NewName);
    if (holder && holder != AComponent)
        throw EComponentError("A component named " + NewName + " already exists");
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
    if (AName.empty() || !FNameIndex) return nullptr;
    auto found = FNameIndex->Names.find(UpperCase(AName));
    return found == FNameIndex->Names.end() ? nullptr : found->second;
}

AnsiString TComponent::GetNamePath() {
    return FName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    ValidateRename(AComponent, AnsiString(), AComponent->FName);
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    IndexName(AComponent, AnsiString());
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    // Most often the last one, when the owner deletes what it owns.
    if (!FComponents.empty() && FComponents.back() == AComponent)
        FComponents.pop_back();
    else
        Erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
    IndexName(AComponent, AComponent->FName);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opInsert && IsLoading()) return;
    // One of what this one owns goes with it: the others go too (see the header).
    if (Operation == opRemove && IsDestroying() && AComponent->FOwner == this) return;
    // Last owned first, by position in the list as it is after each call: a handler may
    // delete components of this one, which are then told no more.
    for (std::size_t i = FComponents.size(); i > 0;) {
        --i;
        FComponents[i]->Notification(AComponent, Operation);
        i = std::min(i, FComponents.size());
    }
}

TComponent::TFreeLink* TComponent::FindFreeLink(TComponent* Partner) {
    // From the end: a partner linked last (and so most often let go first) is found at once.
    for (auto link = FFreeNotifies.rbegin(); link != FFreeNotifies.rend(); ++link)
        if (link->Partner == Partner) return &*link;
    return nullptr;
}

void TComponent::DropFreeLink(TComponent* Partner) {
    if (TFreeLink* link = FindFreeLink(Partner))
        FFreeNotifies.erase(FFreeNotifies.begin() + (link - FFreeNotifies.data()));
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (TFreeLink* link = FindFreeLink(AComponent)) {
        ++link->Roles;
        ++AComponent->FindFreeLink(this)->Roles;
    } else {
        FFreeNotifies.push_back({AComponent, 1});
        AComponent->FFreeNotifies.push_back({this, 1});
    }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    // Looked up here first: a partner that has gone is no longer linked, and is not touched.
    TFreeLink* link = FindFreeLink(AComponent);
    if (!link) return;
    if (--link->Roles > 0) {
        --AComponent->FindFreeLink(this)->Roles;
        return;
    }
    DropFreeLink(AComponent);
    AComponent->DropFreeLink(this);
}

TComponentState TComponent::GetComponentState() const {
    TComponentState state = FComponentState;
    if (!FFreeNotifies.empty()) state.Include(csFreeNotification);
    return state;
}

int TComponent::GetTag() const {
    return FTag;
}

void TComponent::SetTag(int Value) {
    FTag = Value;
}

void TComponent::GetChildren(TGetChildProc, TComponent*) {}

TComponent* TComponent::GetChildOwner() {
    return nullptr;
}

TComponent* TComponent::GetParentComponent() const {
    return nullptr;
}

bool TComponent::HasParent() const {
    return false;
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::SetLoading(bool On) {
    if (On)
        FComponentState.Include(csLoading);
    else
        FComponentState.Exclude(csLoading);
}

void TComponent::SetReading(bool On) {
    if (On)
        FComponentState.Include(csReading);
    else
        FComponentState.Exclude(csReading);
}

void TComponent::SetDesigning(bool On) {
    if (On)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    for (TComponent* c : FComponents)
        c->SetDesigning(On);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}
