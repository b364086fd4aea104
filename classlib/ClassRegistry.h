// The registry of classes that form resources may name: class name to class information.
// Names are compared ignoring case.
#pragma once

#include "classlib/Objects.h"

// The system headers define RegisterClass as a macro for their window-class function.
// Including them here and dropping the macro gives every file that uses this header
// the same name for ours; the system function stays RegisterClassA.
#include <windows.h>
#undef RegisterClass

// Registering the same class again is harmless; another class under a name already
// taken raises EFilerError "A class named %s already exists".
void RegisterClass(const TClassInfo* Class);
// Null when no class of that name is registered.
const TClassInfo* GetClass(const AnsiString& Name);
// EClassNotFound "Class %s not found" when no class of that name is registered.
const TClassInfo* FindClass(const AnsiString& Name);
