#include "classlib/ClassRegistry.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <map>

namespace {

struct NameLess {
    bool operator()(const AnsiString& A, const AnsiString& B) const {
        return CompareText(A, B) < 0;
    }
};

std::map<AnsiString, const TClassInfo*, NameLess>& Registry() {
    static std::map<AnsiString, const TClassInfo*, NameLess> registry;
    return registry;
}

} // namespace

void RegisterClass(const TClassInfo* Class) {
    if (!Class) throw EFilerError("Cannot register a null class");
    auto [it, added] = Registry().emplace(Class->Name, Class);
    if (!added && it->second != Class)
        throw EFilerError(AnsiString("A class named ") + Class->Name + " already exists");
}

const TClassInfo* GetClass(const AnsiString& Name) {
    auto it = Registry().find(Name);
    return it == Registry().end() ? nullptr : it->second;
}

const TClassInfo* FindClass(const AnsiString& Name) {
    const TClassInfo* found = GetClass(Name);
    if (!found) throw EClassNotFound("Class " + Name + " not found");
    return found;
}
