// System functions loaded on their first call. The common dialogs (and the printing DLLs
// they bring in) and the shell cost a start-up that shows neither; calling them through
// here loads their DLL only when a dialog or a shell call is first needed.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

// Dll, loaded on the first call (a DLL that registers window classes, say); raises EOSError
// naming it when it cannot be had.
HMODULE DelayLoadModule(const char* Dll);

// The address of Name in Dll, loading Dll on the first call; raises EOSError naming both
// when either cannot be had.
FARPROC DelayLoadAddress(const char* Dll, const char* Name);

// The same, as a pointer of the function's own type: DelayLoaded<decltype(F)>("x.dll", "F").
template <typename F> F* DelayLoaded(const char* Dll, const char* Name) {
    return reinterpret_cast<F*>(reinterpret_cast<void*>(DelayLoadAddress(Dll, Name)));
}
