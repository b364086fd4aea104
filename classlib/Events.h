// Method pointers: an object and one of its member functions, bound together.
//
// TEvent<void(TObject*)> is the typed form used for OnX properties; TMethod is
// its type-erased form, used where handlers are looked up by name (form
// resources) or compared without knowing their signature.
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <typeinfo>
#include <utility>

class TObject;

struct TMethod {
    using ErasedFunction = void (*)();
    struct AnyClass;
    static constexpr std::size_t kMemberSize = sizeof(void(AnyClass::*)());

    void* Data = nullptr;                                  // the object the member is called on
    ErasedFunction Invoker = nullptr;                      // typed caller, cast back by TEvent
    alignas(void*) unsigned char Member[kMemberSize] = {}; // the member pointer's bytes
    const std::type_info* Signature = nullptr;
    std::shared_ptr<void> Holder; // keeps a bound callable alive

    bool Assigned() const { return Invoker != nullptr; }
    // Same member function of the same class, whatever the object.
    bool SameMember(const TMethod& o) const {
        return Invoker == o.Invoker && std::memcmp(Member, o.Member, kMemberSize) == 0;
    }
    bool operator==(const TMethod& o) const { return Data == o.Data && SameMember(o); }
};

template <typename Signature> class TEvent;

template <typename R, typename... Args> class TEvent<R(Args...)> {
public:
    using Invoker = R (*)(const TMethod&, Args...);

    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <typename C, typename M> TEvent(C* object, R (M::*member)(Args...)) {
        Bind<M>(static_cast<M*>(object), member);
    }
    template <typename C, typename M> TEvent(C* object, R (M::*member)(Args...) const) {
        Bind<const M>(static_cast<const M*>(object), member);
    }

    // Any callable (a lambda, for instance); such events compare equal only to copies.
    template <typename F> static TEvent FromCallable(F function) {
        TEvent e;
        auto held = std::make_shared<std::function<R(Args...)>>(std::move(function));
        e.FMethod.Data = held.get();
        e.FMethod.Holder = held;
        e.FMethod.Invoker = reinterpret_cast<TMethod::ErasedFunction>(&CallCallable);
        e.FMethod.Signature = &typeid(R(Args...));
        return e;
    }

    // The typed event for an erased method; empty when the signatures differ.
    static TEvent FromMethod(const TMethod& method) {
        TEvent e;
        if (method.Signature && *method.Signature == typeid(R(Args...))) e.FMethod = method;
        return e;
    }
    const TMethod& Method() const { return FMethod; }

    bool Assigned() const { return FMethod.Assigned(); }
    explicit operator bool() const { return Assigned(); }
    bool operator==(const TEvent& o) const { return FMethod == o.FMethod; }
    bool SameMember(const TEvent& o) const { return FMethod.SameMember(o.FMethod); }
    void* Object() const { return FMethod.Data; }

    R operator()(Args... args) const {
        // A handler may assign its own event anew: what it captured lives until it returns.
        const std::shared_ptr<void> keep = FMethod.Holder;
        return reinterpret_cast<Invoker>(FMethod.Invoker)(FMethod, std::forward<Args>(args)...);
    }

private:
    template <typename M, typename P> void Bind(M* object, P member) {
        static_assert(sizeof(P) <= TMethod::kMemberSize);
        FMethod.Data = const_cast<void*>(static_cast<const void*>(object));
        std::memcpy(FMethod.Member, &member, sizeof(P));
        FMethod.Invoker = reinterpret_cast<TMethod::ErasedFunction>(&CallMember<M, P>);
        FMethod.Signature = &typeid(R(Args...));
    }
    template <typename M, typename P> static R CallMember(const TMethod& m, Args... args) {
        P member;
        std::memcpy(&member, m.Member, sizeof(P));
        return (static_cast<M*>(m.Data)->*member)(std::forward<Args>(args)...);
    }
    static R CallCallable(const TMethod& m, Args... args) {
        return (*static_cast<std::function<R(Args...)>*>(m.Data))(std::forward<Args>(args)...);
    }

    TMethod FMethod;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;
