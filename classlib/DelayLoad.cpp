#include "classlib/DelayLoad.h"

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

FARPROC DelayLoadAddress(const char* Dll, const char* Name) {
    // Loaded once and kept: the process ends with its DLLs still loaded.
    HMODULE module = GetModuleHandleA(Dll);
    if (!module) module = LoadLibraryA(Dll);
    if (!module)
        throw EOSError(Format("Cannot load %s: %s", Dll, SysErrorMessage(GetLastError())));
    FARPROC address = GetProcAddress(module, Name);
    if (!address)
        throw EOSError(Format("Cannot find %s in %s: %s", Name, Dll,
                              SysErrorMessage(GetLastError())));
    return address;
}
