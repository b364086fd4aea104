#include "skin/boxctrls/skSkinShellCtrls_Drives.h"

#include "classlib/Paths.h"
#include "classlib/Platform.h"
#include "classlib/Strings.h"

#include <cctype>

namespace Skshellctrls {

namespace {

class TSystemDriveProbe : public TDriveProbe {
public:
    bool IsReady(char Letter) override {
        int upper = std::toupper(static_cast<unsigned char>(Letter));
        if (upper < 'A' || upper > 'Z') return false;
        return DiskSize(static_cast<Byte>(upper - 'A' + 1)) != -1;
    }
};

TSystemDriveProbe SystemProbe;
TDriveProbe* CurrentProbe = &SystemProbe;

} // namespace

AnsiString GetMediaTypeStr(TMediaType MediaType) {
    static const char* const Names[] = {"<unknown>", "<not exists>", "Removable", "Fixed",
                                        "Remote",    "CDROM",        "RAM"};
    return Names[static_cast<int>(MediaType)];
}

TMediaType GetMediaType(char Letter) {
    UINT type = GetDriveTypeA((AnsiString(1, Letter) + ":\\").c_str());
    return type <= DRIVE_RAMDISK ? static_cast<TMediaType>(type) : TMediaType::dtUnknown;
}

TDriveProbe& DriveProbe() {
    return *CurrentProbe;
}

TDriveProbe* SetDriveProbe(TDriveProbe* Probe) {
    TDriveProbe* previous = CurrentProbe == &SystemProbe ? nullptr : CurrentProbe;
    CurrentProbe = Probe ? Probe : &SystemProbe;
    return previous;
}

bool IsDriveRoot(const AnsiString& Path) {
    return Path.size() == 3 && Path.substr(1) == ":\\";
}

bool DriveRootReady(const AnsiString& Path) {
    return !IsDriveRoot(Path) ||
           DriveProbe().IsReady(static_cast<char>(std::toupper(static_cast<unsigned char>(Path[0]))));
}

} // namespace Skshellctrls
