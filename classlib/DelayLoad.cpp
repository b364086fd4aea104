#include "classlib/DelayLoad.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

HMODULE DelayLoadModule(const char* Dll) {
    // Loaded once and kept: the process ends with its DLLs still loaded.
    HMODULE module = GetModuleHandleA(Dll);
    if (!module) module = LoadLibraryA(Dll);
    if (!module)
        throw EOSError(Format("Cannot load %s: %s", Dll, SysErrorMessage(GetLastError())));
    return module;
}

FARPROC DelayLoadAddress(const char* Dll, const char* Name) {
    FARPROC address = GetProcAddress(DelayLoadModule(Dll), Name);
    if (!address)
        throw EOSError(Format("Cannot find %s in %s: %s", Name, Dll,
                              SysErrorMessage(GetLastError())));
    return address;
}
