// The registry of classes that form resources may name: class name to class information.
// Names are compared ignoring case.
#pragma once

#include "classlib/Objects.h"

#include "classlib/Platform.h"

// Registering the same class again is harmless; another class under a name already
// taken raises EFilerError "A class named %s already exists".
void RegisterClass(const TClassInfo* Class);
// A class that form resources may name registers itself with one line next to its
// definition, in its unit's .cpp:
//     REGISTER_CLASS(TButton);
// The unit's header says DECLARE_UNIT, so that every program including it keeps the line.
struct TClassRegistration {
    explicit TClassRegistration(const TClassInfo* Class) { RegisterClass(Class); }
};
#define REGISTER_CLASS(Class)                                                                      \
    static const TClassRegistration Class##_Registration(Class::StaticClass())

// Null when no class of that name is registered.
const TClassInfo* GetClass(const AnsiString& Name);
// EClassNotFound "Class %s not found" when no class of that name is registered.
const TClassInfo* FindClass(const AnsiString& Name);
