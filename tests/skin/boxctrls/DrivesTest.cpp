#include "skin/boxctrls/skSkinShellCtrls_Drives.h"

#include "classlib/Platform.h"

#include <gtest/gtest.h>

using namespace Skshellctrls;

namespace {

// A letter with no drive behind it.
char MissingDrive() {
    for (char letter = 'Y'; letter > 'C'; --letter)
        if (!(GetLogicalDrives() & (1u << (letter - 'A')))) return letter;
    return '\0';
}

class TNotReady : public TDriveProbe {
public:
    bool IsReady(char Letter) override {
        Asked += Letter;
        return false;
    }
    AnsiString Asked;
};

TEST(Drives, MediaTypesOfAFixedAndAMissingDrive) {
    EXPECT_EQ(GetMediaType('C'), TMediaType::dtFixed);
    EXPECT_EQ(GetMediaTypeStr(GetMediaType('c')), "Fixed");
    ASSERT_NE(MissingDrive(), '\0');
    EXPECT_EQ(GetMediaType(MissingDrive()), TMediaType::dtNotExists);
    EXPECT_EQ(GetMediaTypeStr(TMediaType::dtUnknown), "<unknown>");
    EXPECT_EQ(GetMediaTypeStr(TMediaType::dtNotExists), "<not exists>");
    EXPECT_EQ(GetMediaTypeStr(TMediaType::dtRAMDisk), "RAM");
}

TEST(Drives, OnlyDriveRootsAreProbed) {
    EXPECT_TRUE(DriveRootReady("C:\\"));
    EXPECT_TRUE(DriveRootReady("c:\\"));
    EXPECT_FALSE(DriveRootReady(AnsiString(1, MissingDrive()) + ":\\"));
    EXPECT_FALSE(DriveProbe().IsReady('1'));

    TNotReady fake;
    EXPECT_EQ(SetDriveProbe(&fake), nullptr);
    EXPECT_FALSE(DriveRootReady("C:\\"));
    EXPECT_TRUE(DriveRootReady("C:\\dir"));
    EXPECT_TRUE(DriveRootReady("C:"));
    EXPECT_TRUE(DriveRootReady("Drives"));
    EXPECT_EQ(fake.Asked, "C");
    EXPECT_EQ(SetDriveProbe(nullptr), &fake);
    EXPECT_TRUE(DriveRootReady("C:\\"));
}

} // namespace
