// Drives as the shell controls see them: whether one is ready, and its media type.
#pragma once

#include "classlib/Types.h"

class TskSkinMessage;

namespace Skshellctrls {

// In the order of the system's drive type codes 0 to 6.
enum class TMediaType {
    dtUnknown,
    dtNotExists,
    dtRemovable,
    dtFixed,
    dtRemote,
    dtCDROM,
    dtRAMDisk
};

// "<unknown>", "<not exists>", "Removable", "Fixed", "Remote", "CDROM", "RAM".
AnsiString GetMediaTypeStr(TMediaType MediaType);
// The type of the drive whose root is Letter + ":\".
TMediaType GetMediaType(char Letter);

// Answers whether a drive can be read; tests put one that says no in its place.
class TDriveProbe {
public:
    // The drives there are, one bit per letter from A at bit 0.
    virtual std::uint32_t LogicalDrives();
    // Letter's volume label, read with the system's critical-error boxes off; "" when it
    // cannot be read.
    virtual AnsiString VolumeName(char Letter);
    // The network share Letter is connected to; "" for a local drive or on failure.
    virtual AnsiString RemoteName(char Letter);

    virtual ~TDriveProbe() = default;
    virtual bool IsReady(char Letter) = 0;
    // GetMediaType unless a stand-in says otherwise.
    virtual TMediaType MediaType(char Letter) { return GetMediaType(Letter); }
};

// The probe in use: the system's (a drive is ready when its size can be read) unless
// one was set. SetDriveProbe(nullptr) puts the system's back; returns the one before.
TDriveProbe& DriveProbe();
TDriveProbe* SetDriveProbe(TDriveProbe* Probe);

// A drive root: three characters with ":\" ("C:\").
bool IsDriveRoot(const AnsiString& Path);
// False for a drive root whose drive is not ready; any other path passes.
bool DriveRootReady(const AnsiString& Path);

// Whether the drive of Letter (either case) is ready, asked with the system's critical-error
// boxes off. A letter outside A to Z first shows "Not a valid Drive ID" (an error, whatever
// Report says); a drive that is not ready, when Report, beeps and shows "There is no disk in
// Drive or Drive is not ready" (a warning). Message shows them when given, else the class
// library's MessageDlg.
bool CheckDriveReady(char Letter, bool Report, TskSkinMessage* Message);
// The beep and warning of a drive that is not ready, through Message when given.
void ReportDriveNotReady(TskSkinMessage* Message);
extern const char* const DriveNotReadyText;

} // namespace Skshellctrls
