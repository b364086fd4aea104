#include "classlib/Persistence.h"

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

namespace {

void CheckName(const char* Kind, const char* Name) {
    if (!Name || !IsValidIdent(Name))
        throw EFilerError(Format("Invalid %s name '%s'", Kind, Name ? Name : ""));
}

// Hashed, not ordered: type_info::before gives no consistent order once a type with
// internal linkage takes part, while equality is exact. Elements never move.
std::unordered_map<std::type_index, TEnumInfo>& EnumRegistry() {
    static std::unordered_map<std::type_index, TEnumInfo> registry;
    return registry;
}

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

template <typename T>
const T* FindByName(const std::vector<const T*>& List, const AnsiString& Name) {
    for (const T* item : List)
        if (SameText(item->Name, Name)) return item;
    return nullptr;
}

} // namespace

// ---- Enumerations -----------------------------------------------------------

AnsiString TEnumInfo::NameOf(Int64 Value) const {
    if (Value < 0 || Value >= static_cast<Int64>(Names.size())) return AnsiString();
    return Names[static_cast<std::size_t>(Value)];
}

Int64 TEnumInfo::ValueOf(const AnsiString& Ident) const {
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], Ident)) return static_cast<Int64>(i);
    return -1;
}

void persistence_detail::RegisterEnumNames(std::type_index Type,
                                           std::initializer_list<const char*> Names) {
    TEnumInfo info;
    for (const char* name : Names) {
        CheckName("enumeration identifier", name);
        info.Names.emplace_back(name);
    }
    std::lock_guard<std::mutex> guard(RegistryLock());
    auto& registry = EnumRegistry();
    auto found = registry.find(Type);
    if (found != registry.end()) {
        if (found->second.Names != info.Names)
            throw EFilerError("Enumeration " + info.NameOf(0) +
                              "... is registered with other identifiers already");
        return;
    }
    registry.emplace(Type, std::move(info));
}

const TEnumInfo* persistence_detail::FindEnumNames(std::type_index Type) {
    std::lock_guard<std::mutex> guard(RegistryLock());
    auto& registry = EnumRegistry();
    auto found = registry.find(Type);
    return found == registry.end() ? nullptr : &found->second;
}

void persistence_detail::WrongClass(TObject* Instance, const char* Wanted) {
    throw EFilerError(Format("%s is not a %s", Instance ? Instance->ClassName() : "nil", Wanted));
}

char persistence_detail::OneChar(const AnsiString& Text) {
    if (Text.size() != 1)
        throw EFilerError(Format("A character property takes one character, not %d", static_cast<int>(Text.size())));
    return Text[0];
}

// ---- TPropInfo --------------------------------------------------------------

TPropInfo::TPropInfo(const AnsiString& Name) : FName(Name) {}

TPropInfo& TPropInfo::Idents(TIntToIdent ToIdent, TIdentToInt ToInt) {
    if (FKind != pkInteger && FKind != pkEnumeration)
        throw EFilerError("Property " + FName + " is not an integer property");
    FKind = pkInteger;
    FEnumInfo = nullptr;
    FToIdent = std::move(ToIdent);
    FToInt = std::move(ToInt);
    return *this;
}

TPropInfo& TPropInfo::Range(Int64 Min, Int64 Max) {
    if (FKind != pkInteger) throw EFilerError("Property " + FName + " is not an integer property");
    FMin = std::max(FMin, Min);
    FMax = std::min(FMax, Max);
    return *this;
}

TPropInfo& TPropInfo::WrittenWithinRange() {
    if (FKind != pkInteger) throw EFilerError("Property " + FName + " is not an integer property");
    FWrittenWithinRange = true;
    return *this;
}

TPropInfo& TPropInfo::Stored(bool Value) {
    FStored = [Value](TObject*) { return Value; };
    return *this;
}

bool TPropInfo::IsStored(TObject* Instance) const {
    return !FStored || FStored(Instance);
}

TPropInfo& TPropInfo::SetDefaultsObject(std::function<TObject*(TObject*)> Defaults) {
    if (FKind != pkObject || IsReference())
        throw EFilerError("Property " + FName + " is not an object kept in place");
    FDefaults = std::move(Defaults);
    return *this;
}

TObject* TPropInfo::GetDefaultsObject(TObject* Instance) const {
    return FDefaults ? FDefaults(Instance) : nullptr;
}

Int64 TPropInfo::GetOrdValue(TObject* Instance) const {
    return FGetOrd(Instance);
}

void TPropInfo::SetOrdValue(TObject* Instance, Int64 Value) const {
    FSetOrd(Instance, Value);
}

Int64 TPropInfo::FromIdentNumber(int Value) const {
    // Colour constants such as 0x8000000F come back negative from a 32-bit mapping.
    if (FIsUnsigned32 && Value < 0) return static_cast<Int64>(static_cast<Cardinal>(Value));
    return Value;
}

bool TPropInfo::IntToIdent(int Value, AnsiString& Ident) const {
    return FToIdent && FToIdent(Value, Ident);
}

bool TPropInfo::IdentToInt(const AnsiString& Ident, int& Value) const {
    return FToInt && FToInt(Ident, Value);
}

const TEnumInfo& TPropInfo::GetEnumInfo() const {
    const TEnumInfo* info = FEnumInfo ? FEnumInfo() : nullptr;
    if (!info)
        throw EFilerError("The enumeration of property " + FName +
                          " has no registered identifiers");
    return *info;
}

double TPropInfo::GetFloatValue(TObject* Instance) const {
    return FGetFloat(Instance);
}

void TPropInfo::SetFloatValue(TObject* Instance, double Value) const {
    FSetFloat(Instance, Value);
}

AnsiString TPropInfo::GetStrValue(TObject* Instance) const {
    return FGetStr(Instance);
}

void TPropInfo::SetStrValue(TObject* Instance, const AnsiString& Value) const {
    FSetStr(Instance, Value);
}

bool TPropInfo::IsReference() const {
    return FObjectClass && FObjectClass->InheritsFrom(TComponent::StaticClass());
}

TObject* TPropInfo::GetObjectValue(TObject* Instance) const {
    return FGetObject(Instance);
}

void TPropInfo::SetObjectValue(TObject* Instance, TObject* Value) const {
    FSetObject(Instance, Value);
}

TMethod TPropInfo::GetMethodValue(TObject* Instance) const {
    return FGetMethod(Instance);
}

void TPropInfo::SetMethodValue(TObject* Instance, const TMethod& Value) const {
    if (Value.Assigned() && (!Value.Signature || *Value.Signature != *FSignature))
        throw EFilerError("The method does not have the parameters of event " + FName);
    FSetMethod(Instance, Value);
}

// ---- TPropertyList ----------------------------------------------------------

TPropInfo& TPropertyList::NewProperty(const char* Name) {
    CheckName("property", Name);
    for (auto& p : FProperties)
        if (SameText(p->GetName(), Name)) {
            p = std::make_unique<TPropInfo>(Name);
            return *p;
        }
    FProperties.push_back(std::make_unique<TPropInfo>(Name));
    return *FProperties.back();
}

TFieldInfo& TPropertyList::NewField(const char* Name) {
    CheckName("field", Name);
    for (const auto& f : FFields)
        if (SameText(f.Name, Name)) throw EFilerError(Format("Field %s is published twice", Name));
    FFields.push_back(TFieldInfo{Name, nullptr, nullptr});
    return FFields.back();
}

TMethodInfo& TPropertyList::NewMethod(const char* Name) {
    CheckName("method", Name);
    for (const auto& m : FMethods)
        if (SameText(m.Name, Name)) throw EFilerError(Format("Method %s is published twice", Name));
    FMethods.push_back(TMethodInfo{Name, nullptr});
    return FMethods.back();
}

// ---- TPublishedClass --------------------------------------------------------

const TPropInfo* TPublishedClass::FindProperty(const AnsiString& Name) const {
    for (const TPropInfo* p : FProperties)
        if (SameText(p->GetName(), Name)) return p;
    return nullptr;
}

const TFieldInfo* TPublishedClass::FindField(const AnsiString& Name) const {
    return FindByName(FFields, Name);
}

const TMethodInfo* TPublishedClass::FindMethod(const AnsiString& Name) const {
    return FindByName(FMethods, Name);
}

AnsiString TPublishedClass::MethodName(TObject* Root, const TMethod& Method) const {
    if (!Method.Assigned()) return AnsiString();
    for (const TMethodInfo* m : FMethods)
        if (m->Bind(Root) == Method) return m->Name;
    return AnsiString();
}

const TPublishedClass& GetPublished(const TClassInfo* Class) {
    static std::map<const TClassInfo*, std::unique_ptr<TPublishedClass>> cache;
    static std::recursive_mutex lock;
    std::lock_guard<std::recursive_mutex> guard(lock);

    auto found = cache.find(Class);
    if (found != cache.end()) return *found->second;

    auto result = std::make_unique<TPublishedClass>();
    if (Class->Parent) {
        const TPublishedClass& parent = GetPublished(Class->Parent);
        result->FProperties = parent.FProperties;
        result->FFields = parent.FFields;
        result->FMethods = parent.FMethods;
    }
    if (Class->Published) {
        result->FOwn = std::make_unique<TPropertyList>();
        Class->Published(*result->FOwn);
        for (const auto& p : result->FOwn->Properties()) {
            bool replaced = false;
            for (const TPropInfo*& inherited : result->FProperties)
                if (SameText(inherited->GetName(), p->GetName())) {
                    inherited = p.get();
                    replaced = true;
                }
            if (!replaced) result->FProperties.push_back(p.get());
        }
        for (const TFieldInfo& f : result->FOwn->Fields())
            result->FFields.push_back(&f);
        for (const TMethodInfo& m : result->FOwn->Methods())
            result->FMethods.push_back(&m);
    }
    return *cache.emplace(Class, std::move(result)).first->second;
}
