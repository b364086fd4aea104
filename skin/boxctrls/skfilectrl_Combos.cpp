#include "skin/boxctrls/skfilectrl_Combos.h"

#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skfilectrl_FileList.h"
#include "skin/boxctrls/skfilectrl_Paths.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

#include <cctype>

// ---- TskSkinFilterComboBox -------------------------------------------------------------

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* AOwner)
    : TskSkinComboBox(AOwner), FFilter(Skfilectrl::DefaultFilter()) {
    // Built at once, so that the mask can be read before the window exists.
    BuildList();
}

void TskSkinFilterComboBox::BuildList() {
    GetItems()->Clear();
    FMasks.clear();
    for (const Skfilectrl::TFilterEntry& entry : Skfilectrl::ParseFilter(FFilter)) {
        GetItems()->Add(entry.Description);
        FMasks.push_back(entry.Mask);
    }
    SetItemIndex(0);
}

void TskSkinFilterComboBox::SetFilter(const AnsiString& Value) {
    if (SameText(Value, FFilter)) return;
    FFilter = Value;
    BuildList();
    Change();
}

AnsiString TskSkinFilterComboBox::GetMask() {
    const int count = GetItems()->GetCount();
    if (GetItemIndex() < 0 && count > 0) SetItemIndex(count - 1);
    const int index = GetItemIndex();
    if (index < 0 || index >= static_cast<int>(FMasks.size())) return "*.*";
    return FMasks[static_cast<std::size_t>(index)];
}

void TskSkinFilterComboBox::SetFileList(TskSkinFileListBox* Value) {
    if (Value == FFileList) return;
    if (FFileList) FFileList->SetFilterCombo(nullptr);
    SetReference(this, FFileList, Value);
    if (!Value) return;
    Value->SetFilterCombo(this);
    Change();
}

void TskSkinFilterComboBox::Change() {
    if (FFileList) FFileList->SetMask(GetMask());
    TskSkinComboBox::Change();
}

void TskSkinFilterComboBox::Click() {
    TskSkinComboBox::Click();
    Change();
}

void TskSkinFilterComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFileList) FFileList = nullptr;
}

bool TskSkinFilterComboBox::IsFilterStored() const {
    return FFilter != Skfilectrl::DefaultFilter();
}

void TskSkinFilterComboBox::Published(TPropertyList& P) {
    using C = TskSkinFilterComboBox;
    P.Add("Filter", &C::GetFilter, &C::SetFilter).Stored(&C::IsFilterStored);
    P.Add("FileList", &C::GetFileList, &C::SetFileList);
}

// ---- TskSkinDriveComboBox -----------------------------------------------------------------

namespace {

std::unique_ptr<TBitmap> LoadPicture(const char* Name) {
    auto picture = std::make_unique<TBitmap>();
    try {
        picture->LoadFromResourceName(GetModuleHandleA(nullptr), Name);
    } catch (const std::exception&) {
        // A program without the pictures lists its drives without them.
    }
    return picture;
}

char InCase(char Letter, bool Upper) {
    const auto c = static_cast<unsigned char>(Letter);
    return static_cast<char>(Upper ? std::toupper(c) : std::tolower(c));
}

AnsiString InCase(const AnsiString& Text, bool Upper) {
    return Upper ? UpperCase(Text) : LowerCase(Text);
}

} // namespace

TskSkinDriveComboBox::TskSkinDriveComboBox(TComponent* AOwner)
    : TskSkinComboBox(AOwner),
      FFloppyBMP(LoadPicture("SK_FLOPPY")),
      FHardBMP(LoadPicture("SK_HARD")),
      FNetworkBMP(LoadPicture("SK_NETWORK")),
      FCDROMBMP(LoadPicture("SK_CDROM")),
      FRAMBMP(LoadPicture("SK_RAM")) {
    OnChange = TNotifyEvent(this, &TskSkinDriveComboBox::DriveChange);
    const auto draw = TskDrawSkinItemEvent(this, &TskSkinDriveComboBox::DrawDriveItem);
    OnComboBoxDrawItem = draw;
    SetOnListBoxDrawItem(draw);
}

TskSkinDriveComboBox::~TskSkinDriveComboBox() {
    SetDirListBox(nullptr);
    // The rows point at the pictures and the drawing at this object, which go before the
    // list does.
    OnChange = nullptr;
    OnComboBoxDrawItem = nullptr;
    SetOnListBoxDrawItem(nullptr);
    GetItems()->Clear();
}

void TskSkinDriveComboBox::CreateWnd() {
    TskSkinComboBox::CreateWnd();
    BuildList();
}

void TskSkinDriveComboBox::BuildList() {
    Skshellctrls::TDriveProbe& probe = Skshellctrls::DriveProbe();
    TStrings* items = GetItems();
    items->Clear();
    const std::uint32_t drives = probe.LogicalDrives();
    const bool upper = FTextCase == tcUpperCase;
    for (int bit = 0; bit < 26; ++bit) {
        if ((drives & (1u << bit)) == 0) continue;
        const char letter = InCase(static_cast<char>('a' + bit), upper);
        const Skshellctrls::TMediaType type = probe.MediaType(letter);
        TBitmap* picture = nullptr;
        switch (type) {
        case Skshellctrls::TMediaType::dtRemovable:
            items->AddObject(AnsiString(1, letter) + ":", FFloppyBMP.get());
            continue;
        case Skshellctrls::TMediaType::dtFixed: picture = FHardBMP.get(); break;
        case Skshellctrls::TMediaType::dtRemote: picture = FNetworkBMP.get(); break;
        case Skshellctrls::TMediaType::dtCDROM: picture = FCDROMBMP.get(); break;
        case Skshellctrls::TMediaType::dtRAMDisk: picture = FRAMBMP.get(); break;
        default: continue;
        }
        AnsiString name;
        if (type == Skshellctrls::TMediaType::dtRemote) name = InCase(probe.RemoteName(letter), upper);
        if (name.empty()) name = Format("[%s]", InCase(probe.VolumeName(letter), upper));
        items->AddObject(Format("%s: %s", AnsiString(1, letter), name), picture);
    }
    // A drive chosen before the rows existed is shown now.
    if (FDrive != '\0') {
        const char drive = FDrive;
        FDrive = '\0';
        SetDrive(drive);
    }
}

void TskSkinDriveComboBox::SetDrive(char NewDrive) {
    const bool upper = FTextCase == tcUpperCase;
    if (GetItemIndex() >= 0 && InCase(NewDrive, false) == InCase(FDrive, false)) return;
    if (NewDrive == '\0') {
        FDrive = '\0';
        SetItemIndex(-1);
    } else {
        FDrive = InCase(NewDrive, upper);
        TStrings* items = GetItems();
        for (int i = 0; i < items->GetCount(); ++i) {
            const AnsiString row = items->Get(i);
            if (row.size() >= 2 && row[1] == ':' && InCase(row[0], false) == InCase(FDrive, false)) {
                SetItemIndex(i);
                break;
            }
        }
    }
    if (FDirList) FDirList->DriveChange(FDrive);
    Change();
}

void TskSkinDriveComboBox::DriveChange(TObject*) {
    const int index = GetItemIndex();
    if (index < 0) return;
    const AnsiString row = GetItems()->Get(index);
    if (!row.empty()) SetDrive(row[0]);
}

void TskSkinDriveComboBox::SetTextCase(TTextCase Value) {
    if (Value == FTextCase) return;
    FTextCase = Value;
    if (FDrive != '\0') FDrive = InCase(FDrive, Value == tcUpperCase);
    BuildList();
}

void TskSkinDriveComboBox::SetDirListBox(TskSkinDirectoryListBox* Value) {
    if (Value == FDirList) return;
    if (FDirList) FDirList->SetDriveCombo(nullptr, nullptr);
    SetReference(this, FDirList, Value);
    if (!Value) return;
    Value->SetDriveCombo(this, this);
}

void TskSkinDriveComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDirList) FDirList = nullptr;
}

void TskSkinDriveComboBox::DrawDriveItem(TCanvas* Cnvs, int Index, int, int, const TRect& TextRect,
                                         TOwnerDrawState) {
    TStrings* items = GetItems();
    if (Index < 0 || Index >= items->GetCount()) return;
    int x = TextRect.Left;
    auto* picture = dynamic_cast<TBitmap*>(items->GetObject(Index));
    if (picture && !picture->GetEmpty()) {
        const int w = picture->GetWidth();
        const int h = picture->GetHeight();
        const int y = TextRect.Top + (RectHeight(TextRect) - h) / 2;
        const TColor transparent = picture->GetCanvas()->GetPixels(0, h - 1);
        Cnvs->BrushCopy(TRect(x, y, x + w, y + h), picture, TRect(0, 0, w, h), transparent);
        x += w + 6;
    }
    Cnvs->GetBrush()->SetStyle(bsClear);
    const int y = TextRect.Top + (RectHeight(TextRect) - Cnvs->TextHeight("Wg")) / 2;
    Cnvs->TextOut(x, y, items->Get(Index));
}

void TskSkinDriveComboBox::Published(TPropertyList& P) {
    using C = TskSkinDriveComboBox;
    P.Add("TextCase", &C::GetTextCase, &C::SetTextCase, tcLowerCase);
    P.Add("DirList", &C::GetDirList, &C::SetDirListBox);
}

REGISTER_CLASS(TskSkinFilterComboBox);
REGISTER_CLASS(TskSkinDriveComboBox);

namespace {

void RegisterFileComboEnums() {
    RegisterEnum<TTextCase>({"tcLowerCase", "tcUpperCase"});
}

} // namespace

DEFINE_UNIT(skfilectrl_Combos, uoSkin + 32, RegisterFileComboEnums, nullptr);
