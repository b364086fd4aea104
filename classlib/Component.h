// TComponent: the base of every object that lives on a form or data module.
//
// Ownership: a component owns the components created with it as owner, in creation
// order, and deletes them when it is deleted. Owned components must be created with
// new. A component deleted before its owner first leaves the owner.
//
// Notifications: when a component is inserted into or removed from an owner, the
// owner's Notification runs, and TComponent::Notification passes it on to every
// component the owner owns (recursively), except when the owner, being deleted, deletes
// what it owns: those go with it, and one that keeps a reference to another that goes
// first has a free-notification link to it (telling each of them of each other would make
// freeing grow with the square of their number). FreeNotification links two components in
// both directions: whichever is deleted first tells the other with opRemove and the
// link is gone. The link is counted by roles: each FreeNotification is one role (a
// reference one of the two keeps to the other), each RemoveFreeNotification lets one go,
// and the link lasts until the last role has gone, so that one partner held in two roles
// (a main form that is also under the hint) is still told when one role ends.
// SetReference keeps a reference and its role together. A component has csFreeNotification
// in its state while it has any link. A component may hear of the same removal both
// through its owner and through a free-notification link, so Notification handlers must be
// idempotent; one that deletes components of the owner may also make a later one hear the
// news twice.
// opInsert is sent from TComponent's constructor, before the new component's derived
// parts exist: its pointer is known then, its final class is not. While the owner is
// loading (csLoading) it hears of an insertion itself but does not pass it on: what it owns
// is being read as well and finds the rest through the resource's references, and loading
// would otherwise grow with the square of the number of components read.
//
// Deletion. C++ destructors run from the most derived class down, and during
// ~TComponent virtual calls no longer reach derived overrides. So `delete` of a
// component goes through TComponent's destroying operator delete, which, while the
// component is still whole (its own overrides and its dynamic type visible to those
// notified), marks it and everything it owns csDestroying, notifies its
// free-notification partners, and leaves its owner (the owner and the owner's
// components get opRemove). Then the destructors run: a derived destructor may still
// use or delete the components its class owns; ~TComponent deletes the ones that are
// left, last created first. By then the derived parts of the dying component are gone,
// so a class whose owned components refer back to it (as a parent, say) detaches them
// in its own destructor. A component that is not deleted through `delete` (a member or
// local object) does the same steps from ~TComponent, where its overrides no longer run.
//
// Deletion during a call. Where the system or the application calls into a component
// (window procedures, timer ticks, user events such as OnClick), the caller holds a
// TComponentProtector on it. Deleting a protected component does all of the above that
// happens while it is whole, then Unlink(): its window goes and it leaves its parent, so
// it is gone from the program's point of view. Its destructors run (deleting what it owns)
// and its memory is freed only when the outermost protector is released. Code after a callback may
// therefore read its own fields again; where it must know whether to go on, it asks csDestroying.
#pragma once

#include "classlib/Objects.h"
#include "classlib/Sets.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline
};
using TComponentState = TSet<TComponentStateItem>;

using TGetChildProc = std::function<void(TComponent* Child)>;

class TReader;

class TComponent : public TPersistent {
    DECLARE_CLASS(TComponent, TPersistent)
public:
    // Inserts itself into AOwner (which then gets opInsert); AOwner may be null.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    // `delete` of any component comes here first (see above). The plain pair below
    // only allocates, and frees a component whose constructor threw.
    static void operator delete(TComponent* Component, std::destroying_delete_t);
    static void* operator new(std::size_t Size);
    static void operator delete(void* Memory);

    TComponent* GetOwner() override;
    int GetComponentCount() const;
    // EListError "List index out of bounds (%d)" for a bad Index.
    TComponent* GetComponent(int Index) const;
    // The position in the owner's list; -1 without owner.
    int GetComponentIndex() const;

    const AnsiString& GetName() const;
    // A valid identifier or empty, unique within the owner ignoring case; else
    // EComponentError "'%s' is not a valid component name" or
    // "A component named %s already exists".
    virtual void SetName(const AnsiString& NewName);
    // Among the owned components only, ignoring case; null when absent or AName is empty.
    TComponent* FindComponent(const AnsiString& AName) const;
    // The component's name.
    AnsiString GetNamePath() override;

    // Takes AComponent over from its current owner; its name must be unique here.
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    // Links this component and AComponent, or adds a role to their link: whichever goes
    // first tells the other.
    void FreeNotification(TComponent* AComponent);
    // Lets one role of the link with AComponent go; the link goes with its last role.
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState GetComponentState() const;
    // Deleted, or on its way out (csDestroying).
    bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
    bool IsLoading() const { return FComponentState.Contains(csLoading); }
    bool IsDesigning() const { return FComponentState.Contains(csDesigning); }
    int GetTag() const;
    void SetTag(int Value);

    // Calls Proc for each child that a form resource stores under this component.
    virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
    // Reads this component's properties, then its children, from a form resource. A
    // component that makes its children itself reads them differently here.
    virtual void ReadState(TReader* Reader);
    // The owner of the children read under this component from a form resource;
    // default null: the resource's root owns them.
    virtual TComponent* GetChildOwner();
    virtual TComponent* GetParentComponent() const;
    virtual bool HasParent() const;
    virtual void SetParentComponent(TComponent* Value);

    // Deletes every owned component, last created first.
    void DestroyComponents();
    // Marks this component and everything it owns csDestroying.
    void Destroying();

    // Loading state, used by the form-resource reader. Designing applies to the
    // owned components too.
    void SetLoading(bool On);
    void SetReading(bool On);
    void SetDesigning(bool On);
    // Called once the whole resource is read; clears csLoading.
    virtual void Loaded();

protected:
    // A protected component was deleted: detach from whatever can still reach it (window,
    // parent, lists outside the owner). The destructors run later and must tolerate it.
    virtual void Unlink() {}
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Raises when NewName is taken by another component this one owns.
    virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName);

private:
    friend class TComponentProtector;
    static void DestroyAndFree(TComponent* Component);
    void ReleaseBeforeDestruction();
    void NotifyFreeNotificationPartners();

    // Owned components by name, ignoring case, for lookups that stay quick in large forms.
    struct TNameIndex;
    void IndexName(TComponent* Component, const AnsiString& OldName);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::unique_ptr<TNameIndex> FNameIndex;
    // Both partners of a link hold it, with the same count of roles.
    struct TFreeLink {
        TComponent* Partner;
        int Roles;
    };
    TFreeLink* FindFreeLink(TComponent* Partner);
    void DropFreeLink(TComponent* Partner);
    std::vector<TFreeLink> FFreeNotifies;
    AnsiString FName;
    TComponentState FComponentState;
    int FTag = 0;
    bool FReleased = false;
    int FProtectCount = 0;
    bool FDeletePending = false;
};

// Keeps a component's memory valid while it is in use by a call (see Deletion above).
class TComponentProtector {
public:
    explicit TComponentProtector(TComponent* Component);
    ~TComponentProtector();
    TComponentProtector(const TComponentProtector&) = delete;
    TComponentProtector& operator=(const TComponentProtector&) = delete;

private:
    TComponent* FComponent;
};

// Points Field, a reference that Holder keeps to another component, at Value, moving one
// role of the free-notification link from the old partner to the new one: Holder hears of
// the deletion of the one it points at (and clears Field in its Notification) however many
// other references, of Holder or of the partner, share the link.
template <typename T>
void SetReference(TComponent* Holder, T*& Field, std::type_identity_t<T>* Value) {
    if (Field == Value) return;
    T* old = Field;
    Field = Value;
    if (Value) Holder->FreeNotification(Value);
    if (old) Holder->RemoveFreeNotification(old);
}
