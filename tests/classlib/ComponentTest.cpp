#include "classlib/ClassRegistry.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/ImageLists.h"
#include "classlib/ListViews.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what it hears: "+Name" on insertion, "-Name" on removal, with the class
// name of the component as Notification saw it.
class TListener : public TComponent {
    DECLARE_CLASS(TListener, TComponent)
public:
    explicit TListener(TComponent* AOwner, std::vector<std::string>* Log = nullptr)
        : TComponent(AOwner), FLog(Log) {}

    TComponent* Watched = nullptr;
    TComponent* AlsoWatched = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
        if (Operation == opRemove && AComponent == AlsoWatched) AlsoWatched = nullptr;
        if (FLog)
            FLog->push_back(GetName() + (Operation == opInsert ? " +" : " -") +
                            AComponent->GetName() + ":" + AComponent->ClassName());
    }

private:
    std::vector<std::string>* FLog;
};

// Counts its own destruction.
class TCounted : public TComponent {
    DECLARE_CLASS(TCounted, TComponent)
public:
    TCounted(TComponent* AOwner, std::vector<std::string>* Deaths, const char* Name)
        : TComponent(AOwner), FDeaths(Deaths) {
        SetName(Name);
    }
    ~TCounted() override { FDeaths->push_back(GetName()); }

private:
    std::vector<std::string>* FDeaths;
};

// Owns a component and deletes it in its own destructor.
class TSelfCleaning : public TComponent {
    DECLARE_CLASS(TSelfCleaning, TComponent)
public:
    explicit TSelfCleaning(TComponent* AOwner) : TComponent(AOwner) { Part = new TComponent(this); }
    ~TSelfCleaning() override { delete Part; }
    TComponent* Part;
};

} // namespace

TEST(ComponentOwnership, OwnedComponentsAreListedInCreationOrder) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    ASSERT_EQ(owner.GetComponentCount(), 2);
    EXPECT_EQ(owner.GetComponent(0), a);
    EXPECT_EQ(owner.GetComponent(1), b);
    EXPECT_EQ(b->GetOwner(), &owner);
    EXPECT_EQ(b->GetComponentIndex(), 1);
    EXPECT_EQ(owner.GetComponentIndex(), -1);
    EXPECT_THROW(owner.GetComponent(2), EListError);

    TComponent second(nullptr);
    second.InsertComponent(a);
    EXPECT_EQ(owner.GetComponent(0), b);
    EXPECT_EQ(second.GetComponent(0), a);
    EXPECT_EQ(a->GetOwner(), &second);
    second.RemoveComponent(a);
    EXPECT_EQ(a->GetOwner(), nullptr);
    delete a;
    owner.DestroyComponents();
    EXPECT_EQ(owner.GetComponentCount(), 0);
}

TEST(ComponentOwnership, OwnerDeletesOwnedComponentsLastCreatedFirstAndDeletedOnesLeaveIt) {
    std::vector<std::string> deaths;
    auto* owner = new TCounted(nullptr, &deaths, "Owner");
    new TCounted(owner, &deaths, "First");
    auto* second = new TCounted(owner, &deaths, "Second");
    new TCounted(second, &deaths, "Grandchild");
    delete owner;
    EXPECT_EQ(deaths, (std::vector<std::string>{"Owner", "Second", "Grandchild", "First"}));
    deaths.clear();
    owner = new TCounted(nullptr, &deaths, "Owner");
    auto* child = new TCounted(owner, &deaths, "Child");
    delete child;
    EXPECT_EQ(owner->GetComponentCount(), 0);
    delete owner; // must not delete Child again
    EXPECT_EQ(deaths, (std::vector<std::string>{"Child", "Owner"}));
}

TEST(ComponentOwnership, DerivedDestructorMayDeleteWhatItOwns) {
    auto* owner = new TSelfCleaning(nullptr);
    EXPECT_EQ(owner->GetComponentCount(), 1);
    delete owner; // the part is deleted once, by the derived destructor
}

TEST(ComponentNames, ValidUniqueNamesAreAcceptedOthersRaise) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("BTN_Add");
    b->SetName("_x1");
    a->SetName("btn_add"); // its own name in another case
    EXPECT_EQ(owner.FindComponent("BTN_ADD"), a);
    EXPECT_EQ(owner.FindComponent("_X1"), b);
    EXPECT_EQ(owner.FindComponent("Missing"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    b->SetName("");
    EXPECT_EQ(b->GetName(), "");
    a->SetName("Panel");
    try {
        b->SetName("PANEL");
        FAIL() << "duplicate accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named PANEL already exists");
    }
    try {
        b->SetName("1st");
        FAIL() << "invalid name accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "'1st' is not a valid component name");
    }
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_EQ(b->GetName(), "");
}

TEST(ComponentNames, InsertingANamedComponentChecksTheNewOwner) {
    TComponent first(nullptr), second(nullptr);
    auto* here = new TComponent(&first);
    here->SetName("Label1");
    auto* there = new TComponent(&second);
    there->SetName("Label1");
    EXPECT_THROW(first.InsertComponent(there), EComponentError);
    EXPECT_EQ(there->GetOwner(), &second);
}

TEST(ComponentNotification, OwnerAndSiblingsHearOfInsertionAndRemoval) {
    std::vector<std::string> log;
    TListener form(nullptr, &log);
    form.SetName("Form");
    auto* sibling = new TListener(&form, &log);
    sibling->SetName("Sibling");
    log.clear();
    auto* child = new TComponent(&form);
    child->SetName("Child");
    // The listeners pass the news on to what they own before logging it.
    EXPECT_EQ(log, (std::vector<std::string>{"Sibling +:TComponent", "Form +:TComponent"}));
    log.clear();
    delete child;
    EXPECT_EQ(log,
              (std::vector<std::string>{"Sibling -Child:TComponent", "Form -Child:TComponent"}));
    auto* other = new TListener(&form);
    other->SetName("Other");
    log.clear();
    delete other; // told while Other is still a TListener
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "Form -Other:TListener");
}

TEST(ComponentFreeNotification, PartnerInAnotherOwnerLearnsOfDeletionUntilItUnlinks) {
    TComponent formA(nullptr), formB(nullptr);
    auto* control = new TListener(&formA);
    auto* skin = new TComponent(&formB);
    control->Watched = skin;
    skin->FreeNotification(control);
    EXPECT_TRUE(skin->GetComponentState().Contains(csFreeNotification));
    delete skin;
    EXPECT_EQ(control->Watched, nullptr);

    skin = new TComponent(&formB);
    control->Watched = skin;
    skin->FreeNotification(control);
    control->RemoveFreeNotification(skin);
    delete skin;
    EXPECT_NE(control->Watched, nullptr);
}

TEST(ComponentFreeNotification, SubscriberDeletedFirstUnsubscribes) {
    std::vector<std::string> log;
    TComponent form(nullptr);
    auto* control = new TListener(&form);
    auto* skin = new TListener(nullptr, &log);
    skin->SetName("Skin");
    control->SetName("Control");
    skin->FreeNotification(control);
    delete control; // the link works both ways: the skin is told
    EXPECT_EQ(log, (std::vector<std::string>{"Skin -Control:TListener"}));
    log.clear();
    delete skin; // and nobody is left to call
    EXPECT_TRUE(log.empty());
}

TEST(ComponentFreeNotification, APartnerHeldInTwoRolesIsToldUntilTheLastRoleLetsGo) {
    auto* partner = new TListener(nullptr);
    TListener holder(nullptr);
    SetReference(&holder, holder.Watched, partner);
    SetReference(&holder, holder.AlsoWatched, partner);
    // The partner refers back: a third role of the same link.
    SetReference<TComponent>(partner, partner->Watched, &holder);
    SetReference<TComponent>(&holder, holder.Watched, nullptr);
    SetReference<TComponent>(partner, partner->Watched, nullptr);
    delete partner;
    EXPECT_EQ(holder.AlsoWatched, nullptr);

    partner = new TListener(nullptr);
    SetReference(&holder, holder.Watched, partner);
    SetReference<TComponent>(&holder, holder.Watched, nullptr);
    delete partner;
    EXPECT_EQ(holder.Watched, nullptr);
}

TEST(ComponentFreeNotification, TheStateShowsALinkOnlyWhileOneStands) {
    TComponent holder(nullptr), partner(nullptr);
    holder.FreeNotification(&partner);
    EXPECT_TRUE(partner.GetComponentState().Contains(csFreeNotification));
    holder.RemoveFreeNotification(&partner);
    EXPECT_FALSE(holder.GetComponentState().Contains(csFreeNotification));
    EXPECT_FALSE(partner.GetComponentState().Contains(csFreeNotification));
    auto* gone = new TComponent(nullptr);
    holder.FreeNotification(gone);
    delete gone;
    EXPECT_FALSE(holder.GetComponentState().Contains(csFreeNotification));
}

TEST(ComponentFreeNotification, AListViewHearsOfAnImageListThatWasBothItsSmallAndLargeImages) {
    auto* view = new TListView(nullptr);
    auto* images = new TImageList(nullptr);
    view->SetSmallImages(images);
    view->SetLargeImages(images);
    view->SetSmallImages(nullptr);
    delete images;
    EXPECT_EQ(view->GetLargeImages(), nullptr);
    delete view;
}

// Counts every notification it hears.
class TTally : public TComponent {
public:
    TTally(TComponent* AOwner, long long* Heard) : TComponent(AOwner), FHeard(Heard) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        ++*FHeard;
    }

private:
    long long* FHeard;
};

TEST(ComponentNotification, FreeingAnOwnerTellsWhatItOwnsOnlyThroughTheirLinks) {
    constexpr int kCount = 3000;
    long long heard = 0;
    std::vector<std::string> log;
    auto* form = new TComponent(nullptr);
    auto* watcher = new TListener(form, &log);
    watcher->SetName("Watcher");
    for (int i = 0; i < kCount; ++i) new TTally(form, &heard);
    // Made after the watcher, so deleted before it.
    auto* watched = new TComponent(form);
    watched->SetName("Watched");
    SetReference(watcher, watcher->Watched, watched);
    heard = 0;
    log.clear();
    delete form;
    // Telling each one of each other's going would be kCount * (kCount - 1) / 2.
    EXPECT_LE(heard, kCount);
    EXPECT_EQ(log, (std::vector<std::string>{"Watcher -Watched:TComponent"}))
        << "one that linked to another is told";
}

TEST(ComponentState, LoadingReadingDesigning) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    owner.SetLoading(true);
    owner.SetReading(true);
    EXPECT_TRUE(owner.GetComponentState().Contains(csLoading));
    EXPECT_TRUE(owner.GetComponentState().Contains(csReading));
    EXPECT_FALSE(child->GetComponentState().Contains(csLoading));
    owner.Loaded();
    EXPECT_FALSE(owner.GetComponentState().Contains(csLoading));

    owner.SetDesigning(true);
    EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
    auto* late = new TComponent(&owner);
    EXPECT_TRUE(late->GetComponentState().Contains(csDesigning));
}

TEST(ComponentState, EverythingOwnedIsMarkedDestroyingBeforeAnyoneIsTold) {
    std::vector<std::string> states;
    auto* form = new TComponent(nullptr);
    auto* child = new TComponent(form);
    struct TProbe : TListener {
        using TListener::TListener;
        std::vector<std::string>* States = nullptr;
        TComponent* Child = nullptr;
        void Notification(TComponent* AComponent, TOperation Operation) override {
            TListener::Notification(AComponent, Operation);
            States->push_back(Child->GetComponentState().Contains(csDestroying) ? "child dying"
                                                                                : "child alive");
        }
    };
    auto* probe = new TProbe(nullptr);
    probe->States = &states;
    probe->Child = child;
    form->FreeNotification(probe);
    delete form;
    EXPECT_EQ(states, (std::vector<std::string>{"child dying"}));
    delete probe;
}

TEST(ClassRegistry, RegisteredClassesAreFoundIgnoringCaseAndBuildOwnedInstances) {
    RegisterClass(TListener::StaticClass());
    RegisterClass(TListener::StaticClass()); // twice is harmless
    EXPECT_EQ(GetClass("tlistener"), TListener::StaticClass());
    EXPECT_EQ(FindClass("TLISTENER"), TListener::StaticClass());
    EXPECT_EQ(GetClass("TNeverRegistered"), nullptr);
    try {
        FindClass("TNeverRegistered");
        FAIL() << "unknown class found";
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNeverRegistered not found");
    }
    TComponent owner(nullptr);
    TComponent* made = FindClass("TListener")->Create(&owner);
    EXPECT_STREQ(made->ClassName(), "TListener");
    EXPECT_EQ(made->GetOwner(), &owner);
}

TEST(ClassRegistry, AnotherClassUnderATakenNameRaises) {
    static TClassInfo impostor = *TComponent::StaticClass();
    impostor.Name = "TCounted";
    RegisterClass(TCounted::StaticClass());
    try {
        RegisterClass(&impostor);
        FAIL() << "second class accepted";
    } catch (const EFilerError& e) {
        EXPECT_EQ(e.Message(), "A class named TCounted already exists");
    }
    EXPECT_EQ(GetClass("TCounted"), TCounted::StaticClass());
}
