// TObject, run-time class information and TPersistent.
//
// Every class of the library declares itself with DECLARE_CLASS(Class, Parent),
// which gives it a TClassInfo: its name, its parent class and, for components
// that can be built from a form resource, a factory.
#pragma once

#include "classlib/Types.h"

#include <type_traits>

class TObject;
class TComponent;
class TFiler;
class TPropertyList;

struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;
    // Builds an instance owned by Owner; null for classes that cannot be built so.
    TComponent* (*Create)(TComponent* Owner);
    // Adds the properties this class itself publishes (not its parent's); may be null.
    void (*Published)(TPropertyList& List);

    bool InheritsFrom(const TClassInfo* ancestor) const {
        for (const TClassInfo* c = this; c; c = c->Parent)
            if (c == ancestor) return true;
        return false;
    }
};

namespace classinfo_detail {
template <typename C> TComponent* Construct(TComponent* owner) {
    return new C(owner);
}
template <typename C> constexpr TComponent* (*FactoryOf())(TComponent*) {
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*> &&
                  std::is_convertible_v<C*, TComponent*>)
        return &Construct<C>;
    else
        return nullptr;
}
// A class publishes properties by declaring `static void Published(TPropertyList&)`;
// one it merely inherits from its parent is not its own.
template <typename C, typename P> void (*PublishedOf())(TPropertyList&) {
    if constexpr (requires { &C::Published; }) {
        if constexpr (requires { &P::Published; }) {
            if (&C::Published == &P::Published) return nullptr;
        }
        return &C::Published;
    } else {
        return nullptr;
    }
}
} // namespace classinfo_detail

#define DECLARE_CLASS(Class, ParentClass)                                                          \
public:                                                                                            \
    static const TClassInfo* StaticClass() {                                                       \
        static const TClassInfo info{#Class, ParentClass::StaticClass(),                           \
                                     classinfo_detail::FactoryOf<Class>(),                         \
                                     classinfo_detail::PublishedOf<Class, ParentClass>()};         \
        return &info;                                                                              \
    }                                                                                              \
    const TClassInfo* ClassType() const override {                                                 \
        return StaticClass();                                                                      \
    }                                                                                              \
                                                                                                   \
private:

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo* StaticClass() {
        static const TClassInfo info{"TObject", nullptr, nullptr, nullptr};
        return &info;
    }
    virtual const TClassInfo* ClassType() const { return StaticClass(); }
    const char* ClassName() const { return ClassType()->Name; }
    bool InheritsFrom(const TClassInfo* ancestor) const {
        return ClassType()->InheritsFrom(ancestor);
    }
};

// An object whose state can be copied from another (Assign) and stored in a
// form resource (published properties and DefineProperties).
class TPersistent : public TObject {
    DECLARE_CLASS(TPersistent, TObject)
public:
    // Copies Source; a class that cannot copy it asks Source to AssignTo this.
    virtual void Assign(TPersistent* Source);
    virtual void DefineProperties(TFiler* Filer);
    virtual TPersistent* GetOwner();
    // "Owner.Name" path for messages.
    virtual AnsiString GetNamePath();

protected:
    virtual void AssignTo(TPersistent* Dest);

private:
    [[noreturn]] void AssignError(TPersistent* Source);
};
