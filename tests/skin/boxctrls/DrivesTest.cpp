#include "skin/boxctrls/skSkinShellCtrls_Drives.h"

#include "classlib/Bitmaps.h"
#include "classlib/Paths.h"
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

// The drive and folder icons and the dialogs' tool-button glyphs load by name at their
// sizes; the sheet of all of them is written beside the test for a look.
TEST(Drives, PicturesLoadByNameAtTheirSizes) {
    struct TPicture { const char* Name; int Width, Height; };
    const TPicture pictures[] = {
        {"SK_FLOPPY", 16, 16}, {"SK_HARD", 16, 16}, {"SK_NETWORK", 16, 16},
        {"SK_CDROM", 16, 16}, {"SK_RAM", 16, 16}, {"SK_OPENFOLDER", 16, 16},
        {"SK_CLOSEDFOLDER", 16, 16}, {"SK_CURRENTFOLDER", 16, 16}, {"SK_UP", 24, 24},
        {"SK_SORTNAME", 16, 16}, {"SK_SORTSIZE", 16, 16}, {"SK_SORTDATE", 19, 16},
        {"SK_LISTSTYLE", 16, 16}, {"SK_SMALLICONSTYLE", 16, 16}, {"SK_ICONSTYLE", 16, 16},
        {"SK_REPORTSTYLE", 16, 16}};
    TBitmap sheet;
    sheet.SetPixelFormat(pf32bit);
    sheet.SetSize(16 * 32, 32);
    HDC sheetDC = sheet.GetCanvas()->GetHandle();
    PatBlt(sheetDC, 0, 0, sheet.GetWidth(), sheet.GetHeight(), WHITENESS);
    HDC pictureDC = CreateCompatibleDC(sheetDC);
    int left = 4;
    for (const TPicture& picture : pictures) {
        SCOPED_TRACE(picture.Name);
        auto handle = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), picture.Name,
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(handle, nullptr);
        BITMAP info{};
        GetObjectA(handle, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, picture.Width);
        EXPECT_EQ(info.bmHeight, picture.Height);
        EXPECT_EQ(info.bmBitsPixel, 8);
        HGDIOBJ old = SelectObject(pictureDC, handle);
        BitBlt(sheetDC, left, 4, info.bmWidth, info.bmHeight, pictureDC, 0, 0, SRCCOPY);
        SelectObject(pictureDC, old);
        DeleteObject(handle);
        left += 32;
    }
    DeleteDC(pictureDC);
    sheet.SaveToFile(ExeDir() + "file-glyphs.bmp");
}

} // namespace
