// The filter combo box's types and masks and the mask a linked file list gets; the drive
// combo box's rows from a stand-in drive probe, their letter case and pictures, and the
// linked folder list following the chosen drive both ways.
#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skfilectrl_Combos.h"
#include "skin/boxctrls/skfilectrl_FileList.h"

#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"

#include <map>
#include <set>

namespace {

using Skshellctrls::TMediaType;

class TFakeDrives : public Skshellctrls::TDriveProbe {
public:
    struct TDrive { TMediaType Type; AnsiString Volume, Remote; };
    std::map<char, TDrive> Drives{
        {'A', {TMediaType::dtRemovable, "", ""}},
        {'C', {TMediaType::dtFixed, "System", ""}},
        {'E', {TMediaType::dtCDROM, "", ""}}, // no disc: the label cannot be read
        {'M', {TMediaType::dtRemote, "Backup", ""}},
        {'N', {TMediaType::dtRemote, "Share", "\\\\Server\\Pages"}},
        {'R', {TMediaType::dtRAMDisk, "RamDisk", ""}},
        {'X', {TMediaType::dtUnknown, "", ""}},
        {'Z', {TMediaType::dtFixed, "", ""}}};

    bool IsReady(char) override { return true; }
    std::uint32_t LogicalDrives() override {
        std::uint32_t bits = 0;
        for (const auto& drive : Drives) bits |= 1u << (drive.first - 'A');
        return bits;
    }
    TMediaType MediaType(char L) override { return Find(L).Type; }
    AnsiString VolumeName(char L) override { return Find(L).Volume; }
    AnsiString RemoteName(char L) override { return Find(L).Remote; }

private:
    const TDrive& Find(char L) { return Drives.at(static_cast<char>(std::toupper(L))); }
};

class FileCombos : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skshellctrls::SetDriveProbe(&Fake);
        SavedDir = GetCurrentDir();
    }
    void TearDown() override {
        SetCurrentDir(SavedDir);
        Skshellctrls::SetDriveProbe(nullptr);
        ShownFormTest::TearDown();
    }
    std::vector<AnsiString> Rows(TskSkinComboBox* C) {
        std::vector<AnsiString> rows;
        for (int i = 0; i < C->GetItems()->GetCount(); ++i) rows.push_back(C->GetItems()->Get(i));
        return rows;
    }

    TFakeDrives Fake;
    AnsiString SavedDir;
};

TEST_F(FileCombos, FilterListsItsTypesAndHandsTheMaskToTheFileList) {
    // The mask is there before any window is.
    TskSkinFilterComboBox windowless(nullptr);
    windowless.SetFilter("Pages (*.pge)|*.pge");
    EXPECT_EQ(windowless.GetMask(), "*.pge");

    auto* filter = Add<TskSkinFilterComboBox>(Form, 10, 10, 150, 20);
    EXPECT_EQ(filter->GetFilter(), "All files (*.*)|*.*");
    EXPECT_EQ(Rows(filter), (std::vector<AnsiString>{"All files (*.*)"}));
    EXPECT_EQ(filter->GetMask(), "*.*");

    filter->SetFilter("Pages (*.pge)|*.pge|Texts|*.txt;*.ini|Orphan");
    EXPECT_EQ(Rows(filter), (std::vector<AnsiString>{"Pages (*.pge)", "Texts"}));
    EXPECT_EQ(filter->GetItemIndex(), 0);
    EXPECT_EQ(filter->GetMask(), "*.pge");

    auto* files = Add<TskSkinFileListBox>(Form, 10, 40, 150, 100);
    filter->SetFileList(files);
    EXPECT_EQ(files->GetFilterCombo(), filter);
    EXPECT_EQ(files->GetMask(), "*.pge");
    filter->SetItemIndex(1);
    EXPECT_EQ(files->GetMask(), "*.txt;*.ini");
    // The same filter in other letters changes nothing.
    filter->SetFilter("PAGES (*.PGE)|*.PGE|TEXTS|*.TXT;*.INI|ORPHAN");
    EXPECT_EQ(filter->GetItemIndex(), 1);
    EXPECT_EQ(filter->GetItems()->Get(0), "Pages (*.pge)");

    filter->SetFilter("");
    EXPECT_EQ(filter->GetItems()->GetCount(), 0);
    EXPECT_EQ(filter->GetMask(), "*.*");
    EXPECT_EQ(files->GetMask(), "*.*");
    delete files;
    EXPECT_EQ(filter->GetFileList(), nullptr);
}

TEST_F(FileCombos, DrivesListedFromTheProbeWithNamesAndPictures) {
    auto* drives = Add<TskSkinDriveComboBox>(Form, 10, 10, 200, 20);
    Pump();
    EXPECT_EQ(Rows(drives), (std::vector<AnsiString>{"a:", "c: [system]", "e: []", "m: [backup]",
                                                    "n: \\\\server\\pages", "r: [ramdisk]", "z: []"}));
    // Floppy, hard disk, CD, network (twice), RAM disk, hard disk: five pictures of 16 x 16.
    TStrings* items = drives->GetItems();
    std::set<TObject*> pictures;
    for (int i = 0; i < items->GetCount(); ++i) {
        auto* picture = dynamic_cast<TBitmap*>(items->GetObject(i));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->GetWidth(), 16);
        pictures.insert(picture);
    }
    EXPECT_EQ(pictures.size(), 5u);
    EXPECT_EQ(items->GetObject(3), items->GetObject(4));

    drives->SetTextCase(tcUpperCase);
    EXPECT_EQ(items->Get(1), "C: [SYSTEM]");
    EXPECT_EQ(items->Get(4), "N: \\\\SERVER\\PAGES");
    drives->SetDrive('r');
    EXPECT_EQ(drives->GetDrive(), 'R');
    EXPECT_EQ(drives->GetText(), "R: [RAMDISK]");
    drives->SetItemIndex(1);
    EXPECT_EQ(drives->GetDrive(), 'C');
    drives->SetDrive('\0');
    EXPECT_EQ(drives->GetItemIndex(), -1);
}

TEST_F(FileCombos, DriveComboAndFolderListFollowEachOther) {
    auto* drives = Add<TskSkinDriveComboBox>(Form, 10, 10, 200, 20);
    auto* folders = Add<TskSkinDirectoryListBox>(Form, 10, 40, 200, 150);
    Pump();
    drives->SetDirListBox(folders);
    EXPECT_EQ(folders->GetDriveCombo(), drives);
    drives->SetDrive('c');
    EXPECT_EQ(std::toupper(folders->GetDrive()), 'C');
    folders->SetDirectory("Z:\\");
    EXPECT_EQ(drives->GetDrive(), 'z');
    EXPECT_EQ(drives->GetText(), "z: []");
    delete folders;
    EXPECT_EQ(drives->GetDirList(), nullptr);
    drives->SetDrive('c');
}

} // namespace
