// Published properties: the part of an object's state that form resources store, and
// the component fields and event handlers that a root (form or data module) binds by name.
//
// A class publishes in a static function that DECLARE_CLASS finds by itself:
//
//     void TPanel::Published(TPropertyList& P) {
//         P.Add("Caption", &TPanel::GetCaption, &TPanel::SetCaption);
//         P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
//         P.Add("Color", &TControl::GetColor, &TControl::SetColor, clBtnFace)
//             .Idents(ColorToIdent, IdentToColor);
//         P.Add("Font", &TControl::GetFont);
//         P.Add("OnClick", &TControl::OnClick);
//         P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, true)
//             .Stored(&TControl::IsVisibleStored);
//     }
//
// The kind of a property follows from the type its getter returns:
//   bool                      Boolean
//   char                      string of exactly one character
//   any other integral type   integer; with Idents() also written as a name (colours, cursors)
//   an enumeration            identifier from the table given to RegisterEnum
//   TSet<E>                   set of identifiers of the registered enumeration E
//   float, double             floating-point number
//   AnsiString                string
//   T*, T a TComponent        reference to a component by name (needs a setter)
//   T*, another TPersistent   object read and written in place through the getter: nested
//                             properties ("Font.Height"), lines of a TStrings, items of a
//                             TCollection
//   TEvent<...>               event handler: the name of a method of the root
// An event may also be given as a TEvent data member.
//
// The writer leaves out a property whose value equals its default, whose Stored condition
// is false, or that has no setter (objects excepted). Without a default, integer, Boolean,
// enumeration, set and floating-point properties are always written; strings default to "".
// A class may add again a property that an ancestor or a shared publishing function
// (PublishControlProperties) added, to give it another default; it keeps its place.
//
// A root class also lists, in the same function, its component fields (filled by name
// once its resource is read) and its event handlers (looked up by name):
//     P.Field("BTN_Add", &TFM::BTN_Add);
//     P.Method("BTN_AddClick", &TFM::BTN_AddClick);
#pragma once

#include "classlib/Events.h"
#include "classlib/Objects.h"
#include "classlib/Sets.h"

#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

enum TPropKind { pkInteger, pkBoolean, pkEnumeration, pkSet, pkFloat, pkString, pkObject, pkEvent };

// The identifiers of an enumeration, indexed by value from 0.
struct TEnumInfo {
    std::vector<AnsiString> Names;

    // Empty when Value has no identifier.
    AnsiString NameOf(Int64 Value) const;
    // The value of Ident (compared ignoring case); -1 when there is none.
    Int64 ValueOf(const AnsiString& Ident) const;
};

namespace persistence_detail {
void RegisterEnumNames(std::type_index Type, std::initializer_list<const char*> Names);
const TEnumInfo* FindEnumNames(std::type_index Type);
} // namespace persistence_detail

// Gives E's values their identifiers, in value order:
//     RegisterEnum<TAlign>({"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
// Registering again with other identifiers raises EFilerError. Returns true, so that it can
// initialise a constant.
template <typename E> bool RegisterEnum(std::initializer_list<const char*> Names) {
    static_assert(std::is_enum_v<E>, "RegisterEnum takes an enumeration type");
    persistence_detail::RegisterEnumNames(typeid(E), Names);
    return true;
}

// Null when E has not been registered.
template <typename E> const TEnumInfo* GetEnumInfo() {
    return persistence_detail::FindEnumNames(typeid(E));
}

// Name <-> number mappings for integer properties that may be written as names.
using TIntToIdent = std::function<bool(int Value, AnsiString& Ident)>;
using TIdentToInt = std::function<bool(const AnsiString& Ident, int& Value)>;

namespace persistence_detail {
template <typename T> struct TBinder;
} // namespace persistence_detail

class TPropInfo {
public:
    explicit TPropInfo(const AnsiString& Name);

    // Integer properties only: writes the value as the name ToIdent gives, when it gives
    // one, and reads names through ToInt (numbers are read too).
    TPropInfo& Idents(TIntToIdent ToIdent, TIdentToInt ToInt);
    TPropInfo& Stored(bool Value);
    // Integer properties only: narrows the values that reading accepts.
    TPropInfo& Range(Int64 Min, Int64 Max);
    // A member function of the object that answers whether the value is written.
    template <typename F>
    requires std::is_member_function_pointer_v<F> TPropInfo& Stored(F IsStored);

    const AnsiString& GetName() const { return FName; }
    TPropKind GetKind() const { return FKind; }
    bool HasSetter() const { return FHasSetter; }
    bool HasDefault() const { return FHasDefault; }
    bool IsStored(TObject* Instance) const;

    // Integer, Boolean (0 or 1), enumeration (the value) and set (bit i for value i).
    Int64 GetOrdValue(TObject* Instance) const;
    void SetOrdValue(TObject* Instance, Int64 Value) const;
    Int64 GetDefaultOrd() const { return FDefaultOrd; }
    // The range of the integer type.
    Int64 GetMinValue() const { return FMin; }
    Int64 GetMaxValue() const { return FMax; }
    // A 32-bit number from an ident mapping, as the property's own type holds it.
    Int64 FromIdentNumber(int Value) const;
    bool HasIdents() const { return static_cast<bool>(FToIdent); }
    bool IntToIdent(int Value, AnsiString& Ident) const;
    bool IdentToInt(const AnsiString& Ident, int& Value) const;
    // Enumerations and sets; EFilerError when the enumeration has no registered identifiers.
    const TEnumInfo& GetEnumInfo() const;

    double GetFloatValue(TObject* Instance) const;
    void SetFloatValue(TObject* Instance, double Value) const;
    double GetDefaultFloat() const { return FDefaultFloat; }

    AnsiString GetStrValue(TObject* Instance) const;
    void SetStrValue(TObject* Instance, const AnsiString& Value) const;
    const AnsiString& GetDefaultStr() const { return FDefaultStr; }

    // The class the property is declared with, and whether that is a component class
    // (a reference) rather than an object kept in place.
    const TClassInfo* GetObjectClass() const { return FObjectClass; }
    bool IsReference() const;
    TObject* GetObjectValue(TObject* Instance) const;
    // EFilerError when Value is not of the declared class.
    void SetObjectValue(TObject* Instance, TObject* Value) const;

    TMethod GetMethodValue(TObject* Instance) const;
    // EFilerError when the method's signature is not the event's.
    void SetMethodValue(TObject* Instance, const TMethod& Value) const;
    const std::type_info& GetSignature() const { return *FSignature; }

private:
    template <typename T> friend struct persistence_detail::TBinder;

    AnsiString FName;
    TPropKind FKind = pkInteger;
    bool FHasSetter = false;
    bool FHasDefault = false;
    bool FIsUnsigned32 = false;
    Int64 FMin = 0;
    Int64 FMax = 0;
    Int64 FDefaultOrd = 0;
    double FDefaultFloat = 0;
    AnsiString FDefaultStr;
    const TEnumInfo* (*FEnumInfo)() = nullptr;
    const TClassInfo* FObjectClass = nullptr;
    const std::type_info* FSignature = nullptr;
    TIntToIdent FToIdent;
    TIdentToInt FToInt;
    std::function<bool(TObject*)> FStored;
    std::function<Int64(TObject*)> FGetOrd;
    std::function<void(TObject*, Int64)> FSetOrd;
    std::function<double(TObject*)> FGetFloat;
    std::function<void(TObject*, double)> FSetFloat;
    std::function<AnsiString(TObject*)> FGetStr;
    std::function<void(TObject*, const AnsiString&)> FSetStr;
    std::function<TObject*(TObject*)> FGetObject;
    std::function<void(TObject*, TObject*)> FSetObject;
    std::function<TMethod(TObject*)> FGetMethod;
    std::function<void(TObject*, const TMethod&)> FSetMethod;
};

// A component field of a root class, filled with the root's component of the same name.
struct TFieldInfo {
    AnsiString Name;
    const TClassInfo* Class;
    // False, leaving the field as it was, when Value is not of the field's class.
    std::function<bool(TObject* Root, TObject* Value)> Assign;
};

// An event handler of a root class: a member function bound to the root by name.
struct TMethodInfo {
    AnsiString Name;
    std::function<TMethod(TObject* Root)> Bind;
};

namespace persistence_detail {

[[noreturn]] void WrongClass(TObject* Instance, const char* Wanted);

// The object as the class whose member is called; a mismatch is a publishing mistake.
template <typename C> C* As(TObject* Instance) {
    static_assert(std::is_base_of_v<TObject, C>, "published members belong to TObject classes");
    C* object = dynamic_cast<C*>(Instance);
    if (!object) WrongClass(Instance, C::StaticClass()->Name);
    return object;
}

// The character of a one-character text; any other length raises EFilerError.
char OneChar(const AnsiString& Text);

template <typename... A> struct TFirst { using Type = void; };
template <typename A0, typename... A> struct TFirst<A0, A...> { using Type = A0; };

template <typename F> struct TMember;
#define PERSISTENCE_MEMBER(Qualifiers)                                                             \
    template <typename R, typename C, typename... A> struct TMember<R (C::*)(A...) Qualifiers> {   \
        using Class = C;                                                                           \
        using Result = std::remove_cvref_t<R>;                                                     \
        using Argument = std::remove_cvref_t<typename TFirst<A...>::Type>;                         \
    };
PERSISTENCE_MEMBER()
PERSISTENCE_MEMBER(const)
PERSISTENCE_MEMBER(noexcept)
PERSISTENCE_MEMBER(const noexcept)
#undef PERSISTENCE_MEMBER

template <typename T> struct TSetTraits : std::false_type {};
template <typename E, std::size_t N> struct TSetTraits<TSet<E, N>> : std::true_type {
    using Element = E;
    static constexpr std::size_t Size = N;
};
template <typename T> struct TEventTraits : std::false_type {};
template <typename S> struct TEventTraits<TEvent<S>> : std::true_type { using Signature = S; };
template <typename> inline constexpr bool kUnsupported = false;

// Fills a TPropInfo for a property whose value type is V, from erased accessors.
template <typename V> struct TBinder {
    using Getter = std::function<V(TObject*)>;
    using Setter = std::function<void(TObject*, V)>;

    static void Bind(TPropInfo& P, Getter Get, Setter Set) {
        P.FHasSetter = static_cast<bool>(Set);
        if constexpr (std::is_same_v<V, char>) {
            P.FKind = pkString;
            P.FGetStr = [Get](TObject* o) { return AnsiString(1, Get(o)); };
            if (Set) P.FSetStr = [Set](TObject* o, const AnsiString& v) { Set(o, OneChar(v)); };
        } else if constexpr (std::is_same_v<V, bool> || std::is_integral_v<V> || std::is_enum_v<V> ||
                      TSetTraits<V>::value) {
            P.FGetOrd = [Get](TObject* o) { return ToOrd(Get(o)); };
            if (Set) P.FSetOrd = [Set](TObject* o, Int64 v) { Set(o, FromOrd(v)); };
            if constexpr (std::is_same_v<V, bool>) {
                P.FKind = pkBoolean;
            } else if constexpr (std::is_integral_v<V>) {
                P.FKind = pkInteger;
                P.FMin = static_cast<Int64>(std::numeric_limits<V>::min());
                P.FMax = std::cmp_greater(std::numeric_limits<V>::max(),
                                          std::numeric_limits<Int64>::max())
                             ? std::numeric_limits<Int64>::max()
                             : static_cast<Int64>(std::numeric_limits<V>::max());
                P.FIsUnsigned32 = std::is_unsigned_v<V> && sizeof(V) == 4;
            } else if constexpr (std::is_enum_v<V>) {
                P.FKind = pkEnumeration;
                P.FEnumInfo = &::GetEnumInfo<V>;
                P.FMin = std::numeric_limits<Int64>::min();
                P.FMax = std::numeric_limits<Int64>::max();
            } else {
                static_assert(TSetTraits<V>::Size <= 64, "sets of more than 64 elements");
                P.FKind = pkSet;
                P.FEnumInfo = &::GetEnumInfo<typename TSetTraits<V>::Element>;
            }
        } else if constexpr (std::is_floating_point_v<V>) {
            P.FKind = pkFloat;
            P.FGetFloat = [Get](TObject* o) { return static_cast<double>(Get(o)); };
            if (Set) P.FSetFloat = [Set](TObject* o, double v) { Set(o, static_cast<V>(v)); };
        } else if constexpr (std::is_same_v<V, AnsiString>) {
            P.FKind = pkString;
            P.FGetStr = Get;
            if (Set) P.FSetStr = [Set](TObject* o, const AnsiString& v) { Set(o, v); };
        } else if constexpr (std::is_pointer_v<V> &&
                             std::is_base_of_v<TObject, std::remove_pointer_t<V>>) {
            using T = std::remove_pointer_t<V>;
            P.FKind = pkObject;
            P.FObjectClass = T::StaticClass();
            P.FGetObject = [Get](TObject* o) -> TObject* { return Get(o); };
            if (Set)
                P.FSetObject = [Set](TObject* o, TObject* v) {
                    T* typed = dynamic_cast<T*>(v);
                    if (v && !typed) WrongClass(v, T::StaticClass()->Name);
                    Set(o, typed);
                };
        } else if constexpr (TEventTraits<V>::value) {
            P.FKind = pkEvent;
            P.FSignature = &typeid(typename TEventTraits<V>::Signature);
            P.FGetMethod = [Get](TObject* o) { return Get(o).Method(); };
            if (Set)
                P.FSetMethod = [Set](TObject* o, const TMethod& m) { Set(o, V::FromMethod(m)); };
        } else {
            static_assert(kUnsupported<V>, "this type cannot be published");
        }
    }

    template <typename D> static void SetDefault(TPropInfo& P, const D& Default) {
        V value = static_cast<V>(Default);
        P.FHasDefault = true;
        if constexpr (std::is_same_v<V, char>)
            P.FDefaultStr = AnsiString(1, value);
        else if constexpr (std::is_floating_point_v<V>)
            P.FDefaultFloat = static_cast<double>(value);
        else if constexpr (std::is_same_v<V, AnsiString>)
            P.FDefaultStr = value;
        else if constexpr (std::is_same_v<V, bool> || std::is_integral_v<V> || std::is_enum_v<V> ||
                           TSetTraits<V>::value)
            P.FDefaultOrd = ToOrd(value);
        else
            static_assert(kUnsupported<V>, "only plain values have defaults");
    }

    static Int64 ToOrd(const V& Value) {
        if constexpr (std::is_enum_v<V>)
            return static_cast<Int64>(static_cast<std::underlying_type_t<V>>(Value));
        else if constexpr (TSetTraits<V>::value)
            return static_cast<Int64>(Value.ToBits());
        else
            return static_cast<Int64>(Value);
    }
    static V FromOrd(Int64 Value) {
        if constexpr (std::is_enum_v<V>)
            return static_cast<V>(static_cast<std::underlying_type_t<V>>(Value));
        else if constexpr (TSetTraits<V>::value)
            return V::FromBits(static_cast<unsigned long long>(Value));
        else
            return static_cast<V>(Value);
    }
};

} // namespace persistence_detail

// The properties, fields and methods that one class adds to those of its ancestors.
class TPropertyList {
public:
    TPropertyList() = default;
    TPropertyList(const TPropertyList&) = delete;
    TPropertyList& operator=(const TPropertyList&) = delete;

    // A property without setter: objects kept in place (Font, Items), or a value that is
    // never read nor written.
    template <typename G>
    requires std::is_member_function_pointer_v<G> TPropInfo& Add(const char* Name, G Getter) {
        using Value = typename persistence_detail::TMember<G>::Result;
        TPropInfo& p = NewProperty(Name);
        persistence_detail::TBinder<Value>::Bind(p, MakeGetter(Getter), nullptr);
        return p;
    }

    template <typename G, typename S>
    requires std::is_member_function_pointer_v<G> && std::is_member_function_pointer_v<S> TPropInfo&
    Add(const char* Name, G Getter, S Setter) {
        using Value = typename persistence_detail::TMember<G>::Result;
        TPropInfo& p = NewProperty(Name);
        persistence_detail::TBinder<Value>::Bind(p, MakeGetter(Getter), MakeSetter<Value>(Setter));
        return p;
    }

    template <typename G, typename S, typename D>
    requires std::is_member_function_pointer_v<G> && std::is_member_function_pointer_v<S> TPropInfo&
    Add(const char* Name, G Getter, S Setter, const D& Default) {
        using Value = typename persistence_detail::TMember<G>::Result;
        TPropInfo& p = Add(Name, Getter, Setter);
        persistence_detail::TBinder<Value>::SetDefault(p, Default);
        return p;
    }

    // An event kept in a data member.
    template <typename C, typename Signature>
    TPropInfo& Add(const char* Name, TEvent<Signature> C::*Event) {
        using Value = TEvent<Signature>;
        TPropInfo& p = NewProperty(Name);
        persistence_detail::TBinder<Value>::Bind(
            p, [Event](TObject* o) { return persistence_detail::As<C>(o)->*Event; },
            [Event](TObject* o, Value v) { persistence_detail::As<C>(o)->*Event = v; });
        return p;
    }

    template <typename C, typename T> void Field(const char* Name, T* C::*Member) {
        static_assert(std::is_base_of_v<TObject, T>, "fields hold components");
        TFieldInfo& f = NewField(Name);
        f.Class = T::StaticClass();
        f.Assign = [Member](TObject* root, TObject* value) {
            T* typed = dynamic_cast<T*>(value);
            if (!typed) return false;
            persistence_detail::As<C>(root)->*Member = typed;
            return true;
        };
    }

    template <typename C, typename R, typename... A>
    void Method(const char* Name, R (C::*Member)(A...)) {
        NewMethod(Name).Bind = [Member](TObject* root) {
            return TEvent<R(A...)>(persistence_detail::As<C>(root), Member).Method();
        };
    }

    const std::vector<std::unique_ptr<TPropInfo>>& Properties() const { return FProperties; }
    const std::vector<TFieldInfo>& Fields() const { return FFields; }
    const std::vector<TMethodInfo>& Methods() const { return FMethods; }

private:
    template <typename G> static auto MakeGetter(G Getter) {
        using Member = persistence_detail::TMember<G>;
        return std::function<typename Member::Result(TObject*)>([Getter](TObject* o) {
            return (persistence_detail::As<typename Member::Class>(o)->*Getter)();
        });
    }
    template <typename V, typename S> static auto MakeSetter(S Setter) {
        using Member = persistence_detail::TMember<S>;
        return std::function<void(TObject*, V)>([Setter](TObject* o, V value) {
            (persistence_detail::As<typename Member::Class>(o)->*Setter)(
                static_cast<typename Member::Argument>(value));
        });
    }

    TPropInfo& NewProperty(const char* Name);
    TFieldInfo& NewField(const char* Name);
    TMethodInfo& NewMethod(const char* Name);

    std::vector<std::unique_ptr<TPropInfo>> FProperties;
    std::vector<TFieldInfo> FFields;
    std::vector<TMethodInfo> FMethods;
};

template <typename F>
requires std::is_member_function_pointer_v<F> TPropInfo& TPropInfo::Stored(F IsStored) {
    using Class = typename persistence_detail::TMember<F>::Class;
    FStored = [IsStored](TObject* o) {
        return static_cast<bool>((persistence_detail::As<Class>(o)->*IsStored)());
    };
    return *this;
}

// Everything a class publishes, its ancestors' first; built once per class.
class TPublishedClass {
public:
    const std::vector<const TPropInfo*>& Properties() const { return FProperties; }
    const std::vector<const TFieldInfo*>& Fields() const { return FFields; }
    const std::vector<const TMethodInfo*>& Methods() const { return FMethods; }

    // Names are compared ignoring case; null when absent.
    const TPropInfo* FindProperty(const AnsiString& Name) const;
    const TFieldInfo* FindField(const AnsiString& Name) const;
    const TMethodInfo* FindMethod(const AnsiString& Name) const;
    // The name of the published method of Root that Method is bound to; "" when none.
    AnsiString MethodName(TObject* Root, const TMethod& Method) const;

private:
    friend const TPublishedClass& GetPublished(const TClassInfo* Class);

    std::vector<const TPropInfo*> FProperties;
    std::vector<const TFieldInfo*> FFields;
    std::vector<const TMethodInfo*> FMethods;
    std::unique_ptr<TPropertyList> FOwn;
};

const TPublishedClass& GetPublished(const TClassInfo* Class);
