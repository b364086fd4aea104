#include "classlib/ShellOpen.h"

#include "classlib/DelayLoad.h"
#include "classlib/Exceptions.h"
#include "classlib/Paths.h"
#include "classlib/Strings.h"

#include <shellapi.h>

namespace {

TShellExecute& CurrentShellExecute() {
    static TShellExecute function;
    return function;
}

} // namespace

INT_PTR ShellOpenCode(const AnsiString& FileName, HWND Owner) {
    const TShellExecute& custom = CurrentShellExecute();
    HINSTANCE result =
        custom ? custom(Owner, "open", FileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL)
               : DelayLoaded<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA")(
                     Owner, "open", FileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result);
}

TShellExecute SetShellExecute(TShellExecute Function) {
    TShellExecute previous = std::move(CurrentShellExecute());
    CurrentShellExecute() = std::move(Function);
    return previous;
}

bool ShellOpen(const AnsiString& FileName, HWND Owner) {
    return ShellOpenCode(FileName, Owner) > 32;
}

void ShellOpenOrRaise(const AnsiString& FileName, HWND Owner) {
    INT_PTR code = ShellOpenCode(FileName, Owner);
    if (code <= 32) throw EOSError("Cannot open " + FileName + ": " + ShellErrorText(code));
}

AnsiString ShellErrorText(INT_PTR Code) {
    switch (Code) {
    case 0:
        return "The system is out of memory or resources";
    case SE_ERR_SHARE:
        return "A sharing violation occurred";
    case SE_ERR_ASSOCINCOMPLETE:
        return "The file name association is incomplete or invalid";
    case SE_ERR_DDETIMEOUT:
        return "The request timed out";
    case SE_ERR_DDEFAIL:
        return "The request failed";
    case SE_ERR_DDEBUSY:
        return "The request could not be completed because other requests were being processed";
    case SE_ERR_NOASSOC:
        return "There is no application associated with the given file name extension";
    case SE_ERR_DLLNOTFOUND:
        return "The specified library was not found";
    default:
        // The other codes (file or path not found, access denied, ...) are system errors.
        AnsiString text = SysErrorMessage(static_cast<Cardinal>(Code));
        return text.empty() ? "Shell error " + IntToStr(Code) : text;
    }
}

bool IsNoProgramError(INT_PTR Code) {
    return Code == SE_ERR_NOASSOC || Code == SE_ERR_ASSOCINCOMPLETE;
}
