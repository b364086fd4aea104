#include "skin/boxctrls/skSkinShellCtrls_Drives.h"

#include "skin/form/skMessages.h"

#include "classlib/DelayLoad.h"
#include "classlib/Paths.h"
#include "classlib/Platform.h"
#include "classlib/Strings.h"

#include <winnetwk.h>

#include <cctype>

namespace Skshellctrls {

namespace {

class TSystemDriveProbe : public TDriveProbe {
public:
    bool IsReady(char Letter) override {
        int upper = std::toupper(static_cast<unsigned char>(Letter));
        if (upper < 'A' || upper > 'Z') return false;
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        const bool ready = DiskSize(static_cast<Byte>(upper - 'A' + 1)) != -1;
        SetErrorMode(previous);
        return ready;
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

std::uint32_t TDriveProbe::LogicalDrives() {
    return GetLogicalDrives();
}

AnsiString TDriveProbe::VolumeName(char Letter) {
    const AnsiString root = AnsiString(1, Letter) + ":\\";
    char name[MAX_PATH + 1] = {};
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL read = GetVolumeInformationA(root.c_str(), name, sizeof(name), nullptr, nullptr,
                                            nullptr, nullptr, 0);
    SetErrorMode(previous);
    return read ? AnsiString(name) : AnsiString();
}

AnsiString TDriveProbe::RemoteName(char Letter) {
    const AnsiString local = AnsiString(1, Letter) + ":";
    char remote[MAX_PATH + 1] = {};
    DWORD length = sizeof(remote);
    const auto connection = DelayLoaded<decltype(WNetGetConnectionA)>("mpr.dll", "WNetGetConnectionA");
    if (connection(local.c_str(), remote, &length) != NO_ERROR) return AnsiString();
    return AnsiString(remote);
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

namespace {

void Say(TskSkinMessage* Message, const AnsiString& Text, TMsgDlgType Type) {
    if (Message)
        Message->MessageDlg(Text, Type, {mbOK}, 0);
    else
        MessageDlg(Text, Type, {mbOK}, 0);
}

} // namespace

bool CheckDriveReady(char Letter, bool Report, TskSkinMessage* Message) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
    if (upper < 'A' || upper > 'Z') Say(Message, "Not a valid Drive ID", mtError);
    if (DriveProbe().IsReady(upper)) return true;
    if (Report) ReportDriveNotReady(Message);
    return false;
}

const char* const DriveNotReadyText = "There is no disk in Drive or Drive is not ready";

void ReportDriveNotReady(TskSkinMessage* Message) {
    MessageBeep(MB_ICONHAND);
    Say(Message, DriveNotReadyText, mtWarning);
}

} // namespace Skshellctrls
